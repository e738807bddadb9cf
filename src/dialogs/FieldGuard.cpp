#include "dialogs/FieldGuard.h"

#include "common/Beep.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "order/PaymentOrder.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QToolTip>
#include <algorithm>
#include <utility>

// ---- FieldGuard ----

FieldGuard::FieldGuard(QLineEdit* edit, const Rules& rules, const Voice& voice)
    : QValidator(edit), m_edit(edit), m_rules(rules), m_voice(voice), m_accepted(edit->text()) {
    edit->setValidator(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_accepted = text; });
    connect(edit, &QLineEdit::inputRejected, this, &FieldGuard::refused);
}

FieldGuard* FieldGuard::Of(const QLineEdit* edit) {
    return qobject_cast<FieldGuard*>(const_cast<QValidator*>(edit->validator()));
}

QValidator::State FieldGuard::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    m_reason.clear();
    // The text as it stands is never refused, even where the program put in what typing could not.
    m_refusal = input == m_accepted ? Refusal::None : judge(input, m_reason);
    return m_refusal == Refusal::None ? Acceptable : Invalid;
}

FieldGuard::Refusal FieldGuard::judge(const QString& text, QString& reason) const {
    if (!m_rules.characters.isEmpty() &&
        !std::all_of(text.begin(), text.end(), [this](QChar c) { return m_rules.characters.contains(c); }))
        return Refusal::Other;
    // FieldProblem names the first thing wrong, which must not be a "|" where one is allowed.
    const QString checked = m_rules.bar ? text : QString(text).remove(QLatin1Char('|'));
    reason = FieldProblem(checked);
    if (!reason.isEmpty()) {
        const bool separator = checked.contains(QLatin1Char('|')) || checked.contains(QLatin1Char('\r')) ||
                               checked.contains(QLatin1Char('\n'));
        return separator ? Refusal::Separator : Refusal::CodePage;
    }
    if (m_rules.limit > 0 && text.size() > m_rules.limit && text.size() > m_accepted.size())
        return Refusal::Other;
    return Refusal::None;
}

void FieldGuard::setText(const QString& text) {
    m_accepted = text;
    m_edit->setText(text);
}

void FieldGuard::refused() {
    const Refusal refusal = std::exchange(m_refusal, Refusal::None);
    const QString reason = std::exchange(m_reason, QString());
    Notice notice = Notice::Silent;
    switch (refusal) {
    case Refusal::None:
        return; // the line edit's own maximum length, which cuts silently
    case Refusal::Separator:
        notice = m_voice.separator;
        break;
    case Refusal::CodePage:
        notice = m_voice.codePage;
        break;
    case Refusal::Other:
        notice = m_voice.beepOther ? Notice::Beep : Notice::Silent;
        break;
    }
    if (notice == Notice::Beep || notice == Notice::BeepAndTip || notice == Notice::BeepAndBox)
        StandardBeep();
    if (notice == Notice::BeepAndTip && m_edit->isVisible())
        QToolTip::showText(m_edit->mapToGlobal(QPoint(0, m_edit->height())), PlainToolTip(reason), m_edit);
    if (notice == Notice::BeepAndBox || notice == Notice::Box) {
        InfoBox(reason);
        m_edit->setFocus();
    }
}

// ---- KeyFilter ----

namespace {

// Whether typed more characters fit under the limit of the field's guard.
bool HasRoom(const QLineEdit* edit, qsizetype typed) {
    const FieldGuard* guard = FieldGuard::Of(edit);
    const int limit = guard ? guard->limit() : 0;
    return limit <= 0 || edit->text().size() - edit->selectedText().size() + typed <= limit;
}

} // namespace

KeyFilter::KeyFilter(const Rule& rule, QObject* parent) : QObject(parent), m_rule(rule) {}

void KeyFilter::watch(QLineEdit* edit) {
    // Composed input would slip past the filter.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (judge(key)) {
    case Verdict::Pass:
        return false;
    case Verdict::Refuse:
        return refuse();
    case Verdict::Type:
        break;
    }
    return drops(edit, key->text());
}

KeyFilter::Verdict KeyFilter::judge(const QKeyEvent* key) const {
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier);
    if (!m_rule.charactersOnly) {
        // Shift+Delete, Ctrl+Insert and Shift+Insert move text through the clipboard just as Ctrl+X/C/V.
        for (const QKeySequence::StandardKey refused :
             {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo}) {
            if (key->matches(refused))
                return Verdict::Refuse;
        }
        switch (key->key()) {
        case Qt::Key_Backspace:
            return ctrl ? Verdict::Refuse : Verdict::Pass;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Verdict::Pass;
        default:
            break;
        }
    }
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
    case Qt::Key_Delete: // X11 gives it the character 0x7f; it edits, it types nothing
        return Verdict::Pass;
    default:
        break;
    }
    // Ctrl with a letter is a control character on the keyboard (Ctrl+V is 0x16) whatever text the
    // platform reports, and control characters are refused like any other key.
    if (ctrl && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
        return Verdict::Refuse;
    return key->text().isEmpty() ? Verdict::Pass : Verdict::Type; // arrows, Home, End: no character
}

bool KeyFilter::drops(QLineEdit* edit, QString text) const {
    if (m_rule.decimalComma) {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        if (text == QLatin1String(",")) {
            if (edit->text().isEmpty())
                edit->insert(QStringLiteral("0,"));
            else if (!edit->text().contains(QLatin1Char(',')) && HasRoom(edit, 1))
                edit->insert(text);
            else
                return refuse();
            return true;
        }
    }
    const bool allowed =
        std::all_of(text.begin(), text.end(), [this](QChar c) { return m_rule.characters.contains(c); });
    if (!allowed || !HasRoom(edit, text.size()))
        return refuse();
    return false;
}

bool KeyFilter::refuse() const {
    if (m_rule.beep)
        StandardBeep();
    return true;
}
