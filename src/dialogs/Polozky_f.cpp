#include "dialogs/Polozky_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "dialogs/CheckLine.h"
#include "dialogs/FieldGuard.h"
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
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kUcetLimit = 17;
constexpr int kPlatbaLimit = 13;
constexpr int kVarSymbolLimit = 10;
constexpr int kKonstSymbolLimit = 4;
constexpr int kSpecSymbolLimit = 10;

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

    auto* numbers = new KeyFilter({.characters = QStringLiteral("0123456789-.")}, this);
    auto* amount = new KeyFilter({.characters = QStringLiteral("0123456789-"), .decimalComma = true}, this);
    Ed_Ucet = makeField("Ed_Ucet", kUcetLimit, numbers);
    Ed_Kod = makeField("Ed_Kod", 0, numbers);
    Ed_Platba = makeField("Ed_Platba", kPlatbaLimit, amount);
    Ed_VarSymbol = makeField("Ed_VarSymbol", kVarSymbolLimit, numbers);
    Ed_KonstSymbol = makeField("Ed_KonstSymbol", kKonstSymbolLimit, numbers);
    Ed_SpecSymbol = makeField("Ed_SpecSymbol", kSpecSymbolLimit, numbers);
    Ed_Komentar = makeField("Ed_Komentar", 0, nullptr);
    Ed_Platba->setAlignment(Qt::AlignRight);

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
    Tl_Prenest = makeButton("Tl_Prenest", QStringLiteral("..."));
    Tl_Prenest->setToolTip(QStringLiteral("Převzít údaje z předvolby plateb"));
    Tl_Ok = makeButton("Tl_Ok", QStringLiteral("Ok"));
    Tl_Storno = makeButton("Tl_Storno", QStringLiteral("Storno"));

    auto makeLabel = [this](const char* name, const QString& caption, QLineEdit* buddy) {
        auto* label = PlainLabel(new QLabel(caption, this)); // "Platba v" shows the currency of the settings
        label->setObjectName(QLatin1String(name));
        label->setBuddy(buddy);
        return label;
    };

    // Field widths follow what the field holds, so the dialog reads like the paper form.
    const QFontMetrics fm(Ed_Ucet->font());
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    const int frame = 16;
    Ed_Ucet->setMinimumWidth(digit * 19 + frame);
    Ed_Kod->setFixedWidth(digit * 6 + frame);
    Ed_Platba->setFixedWidth(digit * 15 + frame);
    Ed_VarSymbol->setFixedWidth(digit * 12 + frame);
    Ed_KonstSymbol->setFixedWidth(digit * 6 + frame);
    Ed_SpecSymbol->setFixedWidth(digit * 12 + frame);
    Ed_Komentar->setMinimumWidth(digit * 46);
    Tl_Prenest->setFixedWidth(fm.horizontalAdvance(QStringLiteral("...")) + 24);

    La_Platba = makeLabel("La_Platba", QString(), Ed_Platba);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->addWidget(makeLabel("La_Ucet", QStringLiteral("Ve prospěch účtu"), Ed_Ucet), 0, 0);
    grid->addWidget(makeLabel("La_Kod", QStringLiteral("Směrový kód"), Ed_Kod), 0, 2, 1, 2);
    grid->addWidget(Ed_Ucet, 1, 0);
    auto* slash = PlainLabel(new QLabel(QStringLiteral("/"), this));
    slash->setAlignment(Qt::AlignCenter);
    grid->addWidget(slash, 1, 1);
    grid->addWidget(Ed_Kod, 1, 2);
    grid->addWidget(Tl_Prenest, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(0, 1);

    auto* symbols = new QGridLayout;
    symbols->setHorizontalSpacing(16);
    symbols->setVerticalSpacing(3);
    symbols->addWidget(La_Platba, 0, 0);
    symbols->addWidget(makeLabel("La_VarSymbol", QStringLiteral("Variabilní symbol"), Ed_VarSymbol), 0, 1);
    symbols->addWidget(makeLabel("La_KonstSymbol", QStringLiteral("Konst. symbol"), Ed_KonstSymbol), 0, 2);
    symbols->addWidget(makeLabel("La_SpecSymbol", QStringLiteral("Specifický symbol"), Ed_SpecSymbol), 0, 3);
    symbols->addWidget(Ed_Platba, 1, 0);
    symbols->addWidget(Ed_VarSymbol, 1, 1);
    symbols->addWidget(Ed_KonstSymbol, 1, 2);
    symbols->addWidget(Ed_SpecSymbol, 1, 3);
    symbols->setColumnStretch(4, 1);

    auto* comment = new QVBoxLayout;
    comment->setSpacing(3);
    comment->addWidget(makeLabel("La_Komentar", QStringLiteral("Komentář"), Ed_Komentar));
    comment->addWidget(Ed_Komentar);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const int buttonWidth = std::max(88, fm.horizontalAdvance(QStringLiteral("Storno")) + 32);
    Tl_Ok->setMinimumWidth(buttonWidth);
    Tl_Storno->setMinimumWidth(buttonWidth);
    buttons->addWidget(Tl_Ok);
    buttons->addWidget(Tl_Storno);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(14, 12, 14, 12);
    main->setSpacing(12);
    main->addLayout(grid);
    main->addLayout(symbols);
    main->addLayout(comment);
    // Only warns: OK stores the fields as typed whatever the line says.
    La_Kontrola = new CheckLine(QStringLiteral("La_Kontrola"), this);
    main->addWidget(La_Kontrola);
    main->addSpacing(4);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {Ed_Ucet,        Ed_Kod,        Tl_Prenest,  Ed_Platba, Ed_VarSymbol,
                        Ed_KonstSymbol, Ed_SpecSymbol, Ed_Komentar, Tl_Ok,     Tl_Storno};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Tl_Ok, &QPushButton::clicked, this, &TPolozky::Tl_OkClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &TPolozky::Tl_StornoClick);
    connect(Tl_Prenest, &QPushButton::clicked, this, &TPolozky::Tl_PrenestClick);

    FormCreate();
    updateCheckLine();
    Ed_Ucet->setFocus();
}

TPolozky::~TPolozky() = default;

QLineEdit* TPolozky::makeField(const char* name, int limit, KeyFilter* keys) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    // "|" and line breaks only beep; a character the code page lacks also says which.
    new FieldGuard(
        edit, {.limit = limit},
        {.separator = FieldGuard::Notice::Beep, .codePage = FieldGuard::Notice::BeepAndBox, .beepOther = true});
    if (keys)
        keys->watch(edit);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] {
        Ed_UcetChange();
        if (La_Kontrola)
            updateCheckLine();
    });
    return edit;
}

void TPolozky::setFieldText(QLineEdit* edit, const QString& text) {
    FieldGuard::Of(edit)->setText(text);
}

void TPolozky::FormCreate() {
    m_row = std::clamp(m_host.selectedRow(), 0, kItemCount - 1);
    const OrderItem& item = m_host.order().Items[std::size_t(m_row)];
    setFieldText(Ed_Ucet, item.Account);
    setFieldText(Ed_Kod, item.BankCode);
    setFieldText(Ed_Platba, item.Amount);
    setFieldText(Ed_VarSymbol, item.VariableSymbol);
    setFieldText(Ed_KonstSymbol, item.ConstantSymbol);
    setFieldText(Ed_SpecSymbol, item.SpecificSymbol);
    setFieldText(Ed_Komentar, item.Comment);
    La_Platba->setText(QStringLiteral("Platba v ") + m_host.settings().Mena);
    // Last, so that filling the fields does not count as a change.
    Tl_Ok->setEnabled(false);
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
    case QEvent::KeyPress:
        if (FormKeyDown(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusOut:
        if (watched == Ed_Platba) {
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

void TPolozky::Ed_PlatbaExit() {
    if (m_closing)
        return;
    const QString text = Ed_Platba->text();
    if (text.isEmpty())
        return;
    const std::optional<QString> normalised = NormalisedAmount(text);
    if (!normalised)
        return; // left as typed; OK says what is wrong
    setFieldText(Ed_Platba, *normalised);
    Tl_Ok->setEnabled(true); // also when the text came out the same
    m_host.ShowProvisionalTotal(otherRowsTotal() + CzechFormat::ParseNumber(*normalised).value_or(0.0));
}

void TPolozky::Ed_UcetChange() {
    Tl_Ok->setEnabled(true);
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
    typed.Account = Ed_Ucet->text();
    typed.BankCode = Ed_Kod->text();
    typed.Amount = Ed_Platba->text();
    typed.VariableSymbol = Ed_VarSymbol->text();
    typed.ConstantSymbol = Ed_KonstSymbol->text();
    typed.SpecificSymbol = Ed_SpecSymbol->text();
    La_Kontrola->setHint(DescribePayment(typed, BanksFor(m_host.settings().ProgramFolder),
                                         {&m_host.order(), m_row, m_host.duplicates()}));
}

void TPolozky::Tl_OkClick() {
    QString amount = Ed_Platba->text();
    if (!amount.isEmpty()) {
        // OK may come without the field having been left (a click by program, a shortcut).
        const std::optional<QString> normalised = NormalisedAmount(amount);
        if (!normalised) {
            InfoBox(QStringLiteral("Částka „%1“ není platné číslo.\r\n"
                                   "Zadejte ji číslicemi s nejvýše jednou desetinnou čárkou, například 1250,00.")
                        .arg(amount));
            Ed_Platba->setFocus(Qt::OtherFocusReason);
            Ed_Platba->selectAll();
            return;
        }
        if (*normalised != amount)
            setFieldText(Ed_Platba, *normalised);
        amount = *normalised;
    }

    OrderItem item;
    item.Account = Ed_Ucet->text();
    item.BankCode = Ed_Kod->text();
    item.Amount = amount;
    item.VariableSymbol = Ed_VarSymbol->text();
    item.ConstantSymbol = Ed_KonstSymbol->text();
    item.SpecificSymbol = Ed_SpecSymbol->text();
    item.Comment = Ed_Komentar->text();
    QString failure;
    try {
        m_host.SaveItem(m_row, item);
    } catch (const VelorinError& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (!failure.isEmpty()) {
        // The host has put the old row back, as the file still holds it; the typed values stay here.
        ErrorBox(failure);
        return;
    }
    accept();
}

void TPolozky::Tl_StornoClick() {
    reject();
}

void TPolozky::reject() {
    if (!m_closing)
        m_host.ShowOrderTotal(); // undoes a provisional total
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
    setFieldText(Ed_Ucet, preset->Account);
    setFieldText(Ed_Kod, preset->BankCode);
    setFieldText(Ed_VarSymbol, preset->VariableSymbol);
    setFieldText(Ed_KonstSymbol, preset->ConstantSymbol);
    setFieldText(Ed_SpecSymbol, preset->SpecificSymbol);
    setFieldText(Ed_Komentar, preset->Comment);
    // A preset never carries an amount; the user types it next.
    setFieldText(Ed_Platba, QString());
    Tl_Ok->setEnabled(true); // taken, even when every value came out the same
    Ed_Platba->setFocus(Qt::OtherFocusReason);
}
