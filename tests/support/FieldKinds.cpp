#include "FieldKinds.h"

#include "Typing.h"
#include "common/Beep.h"
#include "common/DialogHook.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QToolTip>
#include <functional>

FieldKind FieldNamed(const QString& name) {
    using Notice = FieldGuard::Notice;
    const FieldGuard::Voice item{.separator = Notice::Beep, .codePage = Notice::BeepAndBox, .beepOther = true};
    const FieldGuard::Voice preset{.separator = Notice::BeepAndTip, .codePage = Notice::BeepAndTip, .beepOther = false};
    const FieldGuard::Voice settings{.separator = Notice::Box, .codePage = Notice::Box, .beepOther = true};
    const KeyFilter::Rule numbers{.characters = QStringLiteral("0123456789-.")};
    const QString clientNumber = QStringLiteral("0123456789.");
    if (name == "item comment")
        return {{}, item, std::nullopt};
    if (name == "item number")
        return {{.limit = 4}, item, numbers};
    if (name == "item amount")
        return {
            {.limit = 13}, item, KeyFilter::Rule{.characters = QStringLiteral("0123456789-"), .decimalComma = true}};
    if (name == "preset text")
        return {{}, preset, std::nullopt};
    if (name == "preset number")
        return {{.limit = 4}, preset, numbers};
    if (name == "settings bank")
        return {{}, settings, std::nullopt};
    if (name == "settings bank code")
        return {{}, settings, std::nullopt, 4};
    if (name == "settings text")
        return {{.bar = false}, settings, std::nullopt};
    if (name == "client number")
        return {{.bar = false, .characters = clientNumber},
                settings,
                KeyFilter::Rule{.characters = clientNumber, .charactersOnly = true, .beep = true},
                10};
    qFatal("no field kind %s", qPrintable(name));
}

QLineEdit* GuardedLike(const FieldKind& kind, QWidget* parent, QObject* passed) {
    auto* edit = new QLineEdit(parent);
    // The filter installed last runs first.
    if (passed)
        edit->installEventFilter(passed);
    if (kind.maxLength > 0)
        edit->setMaxLength(kind.maxLength);
    new FieldGuard(edit, kind.rules, kind.voice);
    if (kind.keys)
        (new KeyFilter(*kind.keys, edit))->watch(edit);
    return edit;
}

QString NoToolTip() {
    return QStringLiteral("(žádná)");
}

QStringList FieldBehaviour(QLineEdit* edit) {
    const QString before = edit->text();
    QStringList out;
    const auto probe = [&](const QString& name, const std::function<void()>& input) {
        FieldGuard::Of(edit)->setText(QStringLiteral("12"));
        edit->end(false);
        QApplication::clipboard()->setText(QStringLiteral("34"));
        QToolTip::showText(edit->mapToGlobal(QPoint()), NoToolTip(), edit);
        ResetBeepCount();
        DialogHook::ClearRecords();
        input();
        QStringList boxes;
        for (const DialogHook::Record& r : DialogHook::Records())
            boxes << r.text;
        out << QStringLiteral("%1: „%2“, %3 beeps, boxes [%4], tooltip „%5“")
                   .arg(name, edit->text())
                   .arg(BeepCount())
                   .arg(boxes.join(QStringLiteral(" / ")), QToolTip::text());
    };
    // Upper-case letters: the client name turns what is typed into upper case.
    for (const QString& text :
         {QStringLiteral("|"), QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("ø"), QStringLiteral("😀"),
          QStringLiteral("A"), QStringLiteral("Č€"), QStringLiteral("3.4"), QStringLiteral(","), QStringLiteral(" "),
          QStringLiteral("-"), QStringLiteral("1234567890123456789012")})
        probe(QStringLiteral("paste %1").arg(text.toUtf8().toHex()), [&] {
            QApplication::clipboard()->setText(text);
            edit->paste();
        });
    for (const QString& text :
         {QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("."), QStringLiteral(","), QStringLiteral("-"),
          QStringLiteral(" "), QStringLiteral("|"), QStringLiteral("Č"), QStringLiteral("ø")})
        probe(QStringLiteral("type %1").arg(text), [&] { Type(edit, text); });
    struct Key {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
        const char* text;
    };
    const Key keys[] = {{"Ctrl+V", Qt::Key_V, Qt::ControlModifier, "\x16"},
                        {"Ctrl+V without a character", Qt::Key_V, Qt::ControlModifier, ""},
                        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03"},
                        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "\x18"},
                        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, "\x1a"},
                        {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, "\x01"},
                        {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, ""},
                        {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, ""},
                        {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, "\x7f"},
                        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b"},
                        {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "\b"},
                        {"Left", Qt::Key_Left, Qt::NoModifier, ""}};
    for (const Key& k : keys)
        probe(QString::fromLatin1(k.name), [&] { SendKey(edit, k.key, k.mods, QString::fromLatin1(k.text)); });
    // Delete as X11 sends it, at the start of the text.
    probe(QStringLiteral("Delete"), [&] {
        edit->home(false);
        SendKey(edit, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    });
    FieldGuard::Of(edit)->setText(before);
    return out;
}
