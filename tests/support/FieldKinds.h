#pragma once

#include "dialogs/FieldGuard.h"

#include <QStringList>
#include <optional>

class QLineEdit;
class QWidget;

// The kinds of text field of the item editor, the preset editor and the settings dialog, by the
// way they guard and filter: "item comment", "item number", "item amount", "preset text",
// "preset number", "settings bank", "settings bank code", "settings text", "client number".
// tst_fieldguard holds what each kind lets in; a dialog's test checks that its fields behave as
// their kind.
struct FieldKind {
    FieldGuard::Rules rules;
    FieldGuard::Voice voice;
    std::optional<KeyFilter::Rule> keys;
    int maxLength = 0; // the line edit's own
};
FieldKind FieldNamed(const QString& name);

// A line edit in parent guarded and filtered as kind; passed, when given, filters its events after
// the key filter, so that it sees only the keys let through.
QLineEdit* GuardedLike(const FieldKind& kind, QWidget* parent, QObject* passed = nullptr);

// What the field does with a fixed set of pastes and keys, one line each: the text it then holds,
// the beeps, the boxes and the tooltip. Each starts from "12" with the cursor at the end; the field
// gets its text back at the end. Enter and Esc are left out: they belong to the dialog.
QStringList FieldBehaviour(QLineEdit* edit);

// The tooltip FieldBehaviour shows before each input, to tell a new one.
QString NoToolTip();
