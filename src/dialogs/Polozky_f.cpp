#include "dialogs/Polozky_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Beep.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "dialogs/CheckLine.h"
#include "dialogs/OrderHost.h"
#include "dialogs/VyberPolozky_f.h"
#include "order/PaymentOrder.h"
#include "order/Presets.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <utility>

// Guards a field against text the order file cannot hold, whichever way it arrives (keys, the
// context menu, middle click, drag and drop), and against pasting past the typing limit.
class FieldGuard : public QValidator {
public:
    FieldGuard(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}

    State validate(QString& input, int&) const override {
        m_message.clear();
        if (m_trusted || input == m_accepted)
            return Acceptable;
        const QString problem = FieldProblem(input);
        if (!problem.isEmpty()) {
            // "|" and line breaks only beep; a character the code page lacks also says which.
            if (!input.contains(QLatin1Char('|')) && !input.contains(QLatin1Char('\n')) &&
                !input.contains(QLatin1Char('\r')))
                m_message = problem;
            return Invalid;
        }
        // A text longer than the limit, set by the program, may still be shortened.
        if (m_limit > 0 && input.size() > m_limit && input.size() > m_accepted.size())
            return Invalid;
        return Acceptable;
    }

    int limit() const { return m_limit; }
    void setTrusted(bool trusted) { m_trusted = trusted; }
    void setAccepted(const QString& text) { m_accepted = text; }
    QString takeMessage() const { return std::exchange(m_message, QString()); }

private:
    int m_limit;
    bool m_trusted = false;
    QString m_accepted;
    mutable QString m_message;
};

namespace {

constexpr int kUcetLimit = 17;
constexpr int kPlatbaLimit = 13;
constexpr int kVarSymbolLimit = 10;
constexpr int kKonstSymbolLimit = 4;
constexpr int kSpecSymbolLimit = 10;

FieldGuard* GuardOf(QLineEdit* edit) {
    // Every field of the editor gets its guard in makeField.
    return static_cast<FieldGuard*>(const_cast<QValidator*>(edit->validator()));
}

enum class KeyKind { Pass, Refuse, Char };

// Sorts a key for the filters the way a character filter sees it: keys without a character
// (arrows, Home, Delete, Tab) are none of its business, control characters are refused.
KeyKind Classify(const QKeyEvent* event, QChar& c) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return KeyKind::Refuse;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Backspace:
        return ctrl ? KeyKind::Refuse : KeyKind::Pass;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyKind::Pass;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return KeyKind::Pass;
    if (ctrl || text.size() != 1 || text.at(0).category() == QChar::Other_Control)
        return KeyKind::Refuse;
    c = text.at(0);
    return KeyKind::Char;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whether one more typed character fits under the field's limit.
bool HasRoom(QLineEdit* edit) {
    const int limit = GuardOf(edit)->limit();
    return limit <= 0 || edit->text().size() - edit->selectedText().size() < limit;
}

// Halves go to the even neighbour, independent of the floating-point rounding mode.
qint64 RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    auto whole = static_cast<qint64>(lower);
    if (diff > 0.5 || (diff == 0.5 && (whole % 2) != 0))
        ++whole;
    return whole;
}

} // namespace

TPolozky::TPolozky(OrderHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("Polozky"));
    setWindowTitle(QStringLiteral("Editace položky"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setModal(true);

    m_edUcet = makeField("Ed_Ucet", kUcetLimit, true);
    m_edKod = makeField("Ed_Kod", 0, true);
    m_edPlatba = makeField("Ed_Platba", kPlatbaLimit, true);
    m_edVarSymbol = makeField("Ed_VarSymbol", kVarSymbolLimit, true);
    m_edKonstSymbol = makeField("Ed_KonstSymbol", kKonstSymbolLimit, true);
    m_edSpecSymbol = makeField("Ed_SpecSymbol", kSpecSymbolLimit, true);
    m_edKomentar = makeField("Ed_Komentar", 0, false);
    m_edPlatba->setAlignment(Qt::AlignRight);

    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(caption);
        // Enter moves the focus here; no button may take it as a press.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
        return button;
    };
    m_tlPrenest = makeButton("Tl_Prenest", QStringLiteral("..."));
    m_tlPrenest->setToolTip(QStringLiteral("Převzít údaje z předvolby plateb"));
    m_tlOk = makeButton("Tl_Ok", QStringLiteral("Ok"));
    m_tlStorno = makeButton("Tl_Storno", QStringLiteral("Storno"));

    auto makeLabel = [this](const char* name, const QString& caption, QLineEdit* buddy) {
        auto* label = PlainLabel(new QLabel(caption, this)); // "Platba v" shows the currency of the settings
        label->setObjectName(QLatin1String(name));
        label->setBuddy(buddy);
        return label;
    };

    // Field widths follow what the field holds, so the dialog reads like the paper form.
    const QFontMetrics fm(m_edUcet->font());
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    const int frame = 16;
    m_edUcet->setMinimumWidth(digit * 19 + frame);
    m_edKod->setFixedWidth(digit * 6 + frame);
    m_edPlatba->setFixedWidth(digit * 15 + frame);
    m_edVarSymbol->setFixedWidth(digit * 12 + frame);
    m_edKonstSymbol->setFixedWidth(digit * 6 + frame);
    m_edSpecSymbol->setFixedWidth(digit * 12 + frame);
    m_edKomentar->setMinimumWidth(digit * 46);
    m_tlPrenest->setFixedWidth(fm.horizontalAdvance(QStringLiteral("...")) + 24);

    m_laPlatba = makeLabel("La_Platba", QString(), m_edPlatba);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->addWidget(makeLabel("La_Ucet", QStringLiteral("Ve prospěch účtu"), m_edUcet), 0, 0);
    grid->addWidget(makeLabel("La_Kod", QStringLiteral("Směrový kód"), m_edKod), 0, 2, 1, 2);
    grid->addWidget(m_edUcet, 1, 0);
    auto* slash = PlainLabel(new QLabel(QStringLiteral("/"), this));
    slash->setAlignment(Qt::AlignCenter);
    grid->addWidget(slash, 1, 1);
    grid->addWidget(m_edKod, 1, 2);
    grid->addWidget(m_tlPrenest, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(0, 1);

    auto* symbols = new QGridLayout;
    symbols->setHorizontalSpacing(16);
    symbols->setVerticalSpacing(3);
    symbols->addWidget(m_laPlatba, 0, 0);
    symbols->addWidget(makeLabel("La_VarSymbol", QStringLiteral("Variabilní symbol"), m_edVarSymbol), 0, 1);
    symbols->addWidget(makeLabel("La_KonstSymbol", QStringLiteral("Konst. symbol"), m_edKonstSymbol), 0, 2);
    symbols->addWidget(makeLabel("La_SpecSymbol", QStringLiteral("Specifický symbol"), m_edSpecSymbol), 0, 3);
    symbols->addWidget(m_edPlatba, 1, 0);
    symbols->addWidget(m_edVarSymbol, 1, 1);
    symbols->addWidget(m_edKonstSymbol, 1, 2);
    symbols->addWidget(m_edSpecSymbol, 1, 3);
    symbols->setColumnStretch(4, 1);

    auto* comment = new QVBoxLayout;
    comment->setSpacing(3);
    comment->addWidget(makeLabel("La_Komentar", QStringLiteral("Komentář"), m_edKomentar));
    comment->addWidget(m_edKomentar);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const int buttonWidth = std::max(88, fm.horizontalAdvance(QStringLiteral("Storno")) + 32);
    m_tlOk->setMinimumWidth(buttonWidth);
    m_tlStorno->setMinimumWidth(buttonWidth);
    buttons->addWidget(m_tlOk);
    buttons->addWidget(m_tlStorno);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(14, 12, 14, 12);
    main->setSpacing(12);
    main->addLayout(grid);
    main->addLayout(symbols);
    main->addLayout(comment);
    // Only warns: OK stores the fields as typed whatever the line says.
    m_laKontrola = new CheckLine(QStringLiteral("La_Kontrola"), this);
    main->addWidget(m_laKontrola);
    main->addSpacing(4);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {m_edUcet,        m_edKod,        m_tlPrenest,  m_edPlatba, m_edVarSymbol,
                        m_edKonstSymbol, m_edSpecSymbol, m_edKomentar, m_tlOk,     m_tlStorno};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_tlOk, &QPushButton::clicked, this, &TPolozky::Tl_OkClick);
    connect(m_tlStorno, &QPushButton::clicked, this, &TPolozky::Tl_StornoClick);
    connect(m_tlPrenest, &QPushButton::clicked, this, &TPolozky::Tl_PrenestClick);

    FormCreate();
    updateCheckLine();
    m_edUcet->setFocus();
}

TPolozky::~TPolozky() = default;

QLineEdit* TPolozky::makeField(const char* name, int limit, bool filtered) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    auto* guard = new FieldGuard(limit, edit);
    edit->setValidator(guard);
    if (filtered) {
        // Composed input would slip past the key filter.
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this, guard](const QString& text) {
        guard->setAccepted(text);
        Ed_UcetChange();
        if (m_laKontrola)
            updateCheckLine();
    });
    connect(edit, &QLineEdit::inputRejected, this, [this, edit] { fieldRefused(edit); });
    return edit;
}

void TPolozky::setFieldText(QLineEdit* edit, const QString& text) {
    FieldGuard* guard = GuardOf(edit);
    guard->setTrusted(true);
    edit->setText(text);
    guard->setTrusted(false);
    guard->setAccepted(text);
}

void TPolozky::fieldRefused(QLineEdit* edit) {
    StandardBeep();
    const QString message = GuardOf(edit)->takeMessage();
    if (!message.isEmpty()) {
        // Not from inside the field's own change handling.
        QTimer::singleShot(0, this, [message] { InfoBox(message); });
    }
}

void TPolozky::FormCreate() {
    m_row = std::clamp(m_host.selectedRow(), 0, kItemCount - 1);
    const OrderItem& item = m_host.order().Items[std::size_t(m_row)];
    setFieldText(m_edUcet, item.Account);
    setFieldText(m_edKod, item.BankCode);
    setFieldText(m_edPlatba, item.Amount);
    setFieldText(m_edVarSymbol, item.VariableSymbol);
    setFieldText(m_edKonstSymbol, item.ConstantSymbol);
    setFieldText(m_edSpecSymbol, item.SpecificSymbol);
    setFieldText(m_edKomentar, item.Comment);
    m_laPlatba->setText(QStringLiteral("Platba v ") + m_host.settings().Mena);
    // Last, so that filling the fields does not count as a change.
    m_tlOk->setEnabled(false);
}

std::optional<QString> TPolozky::NormalisedAmount(const QString& text) {
    const std::optional<double> value = CzechFormat::ParseNumber(text);
    if (!value)
        return std::nullopt;
    const double scaled = *value * 100.0;
    // The hundredths must fit a 64-bit integer.
    if (!(std::fabs(scaled) < 9.0e18))
        return std::nullopt;
    const qint64 cents = RoundHalfEven(scaled);
    const quint64 magnitude = cents < 0 ? quint64(-cents) : quint64(cents);
    return QStringLiteral("%1%2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

bool TPolozky::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key))
            return true;
        if (watched == m_edPlatba)
            return Ed_PlatbaKeyPress(key);
        if (watched == m_edUcet || watched == m_edKod || watched == m_edVarSymbol || watched == m_edKonstSymbol ||
            watched == m_edSpecSymbol)
            return Ed_UcetKeyPress(static_cast<QLineEdit*>(watched), key);
        break;
    }
    case QEvent::FocusOut:
        if (watched == m_edPlatba) {
            // A context menu or another window taking the focus is no leaving of the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                Ed_PlatbaExit();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TPolozky::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event))
        QDialog::keyPressEvent(event);
}

bool TPolozky::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        focusNextPrevChild(false);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextPrevChild(true);
        return true;
    case Qt::Key_Escape:
        // No cancel button: Esc must not close the dialog behind the user's back.
        return true;
    default:
        return false;
    }
}

bool TPolozky::Ed_UcetKeyPress(QLineEdit* edit, QKeyEvent* event) {
    QChar c;
    switch (Classify(event, c)) {
    case KeyKind::Pass:
        return false;
    case KeyKind::Refuse:
        return true;
    case KeyKind::Char:
        break;
    }
    if (!IsDigit(c) && c != QLatin1Char('-') && c != QLatin1Char('.'))
        return true;
    return !HasRoom(edit);
}

bool TPolozky::Ed_PlatbaKeyPress(QKeyEvent* event) {
    QChar c;
    switch (Classify(event, c)) {
    case KeyKind::Pass:
        return false;
    case KeyKind::Refuse:
        return true;
    case KeyKind::Char:
        break;
    }
    if (c == QLatin1Char('.'))
        c = QLatin1Char(',');
    if (c == QLatin1Char(',')) {
        if (m_edPlatba->text().isEmpty())
            m_edPlatba->insert(QStringLiteral("0,"));
        else if (!m_edPlatba->text().contains(QLatin1Char(',')) && HasRoom(m_edPlatba))
            m_edPlatba->insert(QStringLiteral(","));
        return true;
    }
    if (!IsDigit(c) && c != QLatin1Char('-'))
        return true;
    return !HasRoom(m_edPlatba);
}

void TPolozky::Ed_PlatbaExit() {
    if (m_closing)
        return;
    const QString text = m_edPlatba->text();
    if (text.isEmpty())
        return;
    const std::optional<QString> normalised = NormalisedAmount(text);
    if (!normalised)
        return; // left as typed; OK says what is wrong
    setFieldText(m_edPlatba, *normalised);
    m_tlOk->setEnabled(true); // also when the text came out the same
    m_host.ShowTotalText(otherRowsTotal() + CzechFormat::ParseNumber(*normalised).value_or(0.0));
}

void TPolozky::Ed_UcetChange() {
    m_tlOk->setEnabled(true);
}

double TPolozky::otherRowsTotal() const {
    double total = 0.0;
    const PaymentOrder& order = m_host.order();
    for (int r = 0; r < kItemCount; ++r) {
        if (r == m_row)
            continue;
        const QString& amount = order.Items[std::size_t(r)].Amount;
        if (!amount.isEmpty())
            total += CzechFormat::ParseNumber(amount).value_or(0.0);
    }
    return total;
}

void TPolozky::updateCheckLine() {
    OrderItem typed;
    typed.Account = m_edUcet->text();
    typed.BankCode = m_edKod->text();
    typed.VariableSymbol = m_edVarSymbol->text();
    typed.ConstantSymbol = m_edKonstSymbol->text();
    typed.SpecificSymbol = m_edSpecSymbol->text();
    m_laKontrola->setHint(DescribePayment(typed, BanksFor(m_host.settings().ProgramFolder)));
}

void TPolozky::Tl_OkClick() {
    QString amount = m_edPlatba->text();
    if (!amount.isEmpty()) {
        // OK may come without the field having been left (a click by program, a shortcut).
        const std::optional<QString> normalised = NormalisedAmount(amount);
        if (!normalised) {
            InfoBox(QStringLiteral("Částka „%1“ není platné číslo.\r\n"
                                   "Zadejte ji číslicemi s nejvýše jednou desetinnou čárkou, například 1250,00.")
                        .arg(amount));
            m_edPlatba->setFocus(Qt::OtherFocusReason);
            m_edPlatba->selectAll();
            return;
        }
        if (*normalised != amount)
            setFieldText(m_edPlatba, *normalised);
        amount = *normalised;
    }

    OrderItem& item = m_host.order().Items[std::size_t(m_row)];
    const OrderItem before = item;
    item.Account = m_edUcet->text();
    item.BankCode = m_edKod->text();
    item.Amount = amount;
    item.VariableSymbol = m_edVarSymbol->text();
    item.ConstantSymbol = m_edKonstSymbol->text();
    item.SpecificSymbol = m_edSpecSymbol->text();
    item.Comment = m_edKomentar->text();
    m_host.RecalcTotal();
    QString failure;
    try {
        m_host.SaveOrder();
    } catch (const VelorinError& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (!failure.isEmpty()) {
        // The file still holds the old row; so must the order. The typed values stay in the dialog.
        item = before;
        m_host.RecalcTotal();
        ErrorBox(failure);
        return;
    }
    m_host.RefreshGrid();
    accept();
}

void TPolozky::Tl_StornoClick() {
    reject();
}

void TPolozky::reject() {
    if (!m_closing)
        m_host.ShowTotalText(m_host.order().Total);
    QDialog::reject();
}

void TPolozky::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

void TPolozky::Tl_PrenestClick() {
    // The picker reports cancelling, an empty choice and a damaged line itself.
    const std::optional<PaymentPreset> preset = TVyberPolozky::PickPreset(m_host.settings().ProgramFolder, this);
    if (!preset)
        return;
    setFieldText(m_edUcet, preset->Account);
    setFieldText(m_edKod, preset->BankCode);
    setFieldText(m_edVarSymbol, preset->VariableSymbol);
    setFieldText(m_edKonstSymbol, preset->ConstantSymbol);
    setFieldText(m_edSpecSymbol, preset->SpecificSymbol);
    setFieldText(m_edKomentar, preset->Comment);
    // A preset never carries an amount; the user types it next.
    setFieldText(m_edPlatba, QString());
    m_tlOk->setEnabled(true); // taken, even when every value came out the same
    m_edPlatba->setFocus(Qt::OtherFocusReason);
}
