#include "dialogs/Konfigurace_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/CommandRunner.h"
#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "dialogs/CheckLine.h"
#include "dialogs/FieldGuard.h"
#include "dialogs/OrderHost.h"
#include "order/Settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kAccountLength = 17;
constexpr int kBankCodeLength = 4;
constexpr int kClientNameLength = 20;
constexpr int kClientNumberLength = 10;

// The year arrows offer 1990 to 2100. A year stored outside that range is shown as it is, so that
// confirming other changes does not move the year folder behind the user's back; the first step
// brings it to the nearer end of the range.
class YearSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    void setYear(int year) {
        setRange(std::min(year, TKonfigurace::kMinYear), std::max(year, TKonfigurace::kMaxYear));
        setValue(year);
    }
    QLineEdit* textField() const { return lineEdit(); }

protected:
    StepEnabled stepEnabled() const override {
        if (value() < TKonfigurace::kMinYear)
            return StepUpEnabled;
        if (value() > TKonfigurace::kMaxYear)
            return StepDownEnabled;
        return QSpinBox::stepEnabled();
    }
    void stepBy(int steps) override {
        if (value() < TKonfigurace::kMinYear || value() > TKonfigurace::kMaxYear) {
            setRange(TKonfigurace::kMinYear, TKonfigurace::kMaxYear); // clamps to the nearer end
            return;
        }
        QSpinBox::stepBy(steps);
    }
};

QLineEdit* NewField(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A label standing above its field.
QVBoxLayout* Labelled(const QString& caption, QWidget* field, QWidget* parent) {
    auto* label = PlainLabel(new QLabel(caption, parent));
    label->setBuddy(field);
    auto* box = new QVBoxLayout;
    box->setSpacing(3);
    box->addWidget(label);
    box->addWidget(field);
    return box;
}

QPushButton* NewButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false); // Enter in a field presses nothing
    button->setDefault(false);
    button->setMinimumWidth(88);
    return button;
}

// Texts from the file are shown whole even when longer than the field allows for typing, or
// holding what typing could not enter.
void FillField(QLineEdit* edit, const QString& text, int maxLength) {
    if (maxLength > 0)
        edit->setMaxLength(std::max<int>(maxLength, static_cast<int>(text.size())));
    FieldGuard::Of(edit)->setText(text);
    edit->setCursorPosition(0);
}

} // namespace

TKonfigurace::TKonfigurace(OrderHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("TKonfigurace"));
    setWindowTitle(QStringLiteral("Konfigurace"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // Year.
    auto* yearGroup = new QGroupBox(QStringLiteral("Nastavení aktuálního roku"), this);
    yearGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto* year = new YearSpinBox(yearGroup);
    AktualRok = year;
    AktualRok->setObjectName(QStringLiteral("AktualRok"));
    AktualRok->setLocale(CzechFormat::Locale());
    AktualRok->setGroupSeparatorShown(false);
    AktualRok->setRange(kMinYear, kMaxYear);
    AktualRok->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AktualRok->setMinimumWidth(96);
    Ed_AktualRokText = year->textField();
    Ed_AktualRokText->setObjectName(QStringLiteral("Ed_AktualRokText"));
    Ed_AktualRokText->setReadOnly(true); // the arrows alone change the year
    auto* yearLayout = new QHBoxLayout(yearGroup);
    yearLayout->addWidget(AktualRok);
    yearLayout->addStretch();

    // Bank, account and ABO client.
    auto* bankGroup = new QGroupBox(QStringLiteral("Údaje banky a účtu"), this);
    bankGroup->setObjectName(QStringLiteral("GroupBox2"));
    Ed_Banka1 = NewField(QStringLiteral("Ed_Banka1"), bankGroup);
    Ed_Banka2 = NewField(QStringLiteral("Ed_Banka2"), bankGroup);
    Ed_Banka3 = NewField(QStringLiteral("Ed_Banka3"), bankGroup);
    Ed_Banka4 = NewField(QStringLiteral("Ed_Banka4"), bankGroup);
    Ed_Banka5 = NewField(QStringLiteral("Ed_Banka5"), bankGroup);
    Ed_Banka6 = NewField(QStringLiteral("Ed_Banka6"), bankGroup);
    Ed_Banka1->setMinimumWidth(400);
    Ed_Banka4->setFixedWidth(80);

    auto* accountRow = new QHBoxLayout;
    accountRow->setSpacing(12);
    accountRow->addLayout(Labelled(QStringLiteral("Číslo účtu"), Ed_Banka3, bankGroup), 1);
    accountRow->addLayout(Labelled(QStringLiteral("Směrový kód"), Ed_Banka4, bankGroup));
    auto* clientNumberRow = new QHBoxLayout;
    clientNumberRow->addLayout(
        Labelled(QStringLiteral("Číslo klienta (desetimístný číselný kód)"), Ed_Banka6, bankGroup), 1);
    clientNumberRow->addSpacing(80 + 12);

    auto* bankLayout = new QVBoxLayout(bankGroup);
    bankLayout->setSpacing(8);
    bankLayout->addLayout(Labelled(QStringLiteral("Název banky"), Ed_Banka1, bankGroup));
    bankLayout->addLayout(Labelled(QStringLiteral("Pobočka - ulice"), Ed_Banka2, bankGroup));
    bankLayout->addLayout(accountRow);
    La_KontrolaUctu = new CheckLine(QStringLiteral("La_KontrolaUctu"), bankGroup);
    bankLayout->addWidget(La_KontrolaUctu);
    bankLayout->addSpacing(6);
    bankLayout->addLayout(Labelled(QStringLiteral("Název klienta (nepřípustné jsou malé znaky abecedy a symbol \"@\")"),
                                   Ed_Banka5, bankGroup));
    bankLayout->addLayout(clientNumberRow);

    // Currency.
    auto* currencyGroup = new QGroupBox(QStringLiteral("Označení měny"), this);
    currencyGroup->setObjectName(QStringLiteral("GroupBox3"));
    Ed_Mena = NewField(QStringLiteral("Ed_Mena"), currencyGroup);
    Ed_Mena->setFixedWidth(96);
    auto* currencyLayout = new QHBoxLayout(currencyGroup);
    currencyLayout->addWidget(Ed_Mena);
    currencyLayout->addStretch();

    OK = NewButton(QStringLiteral("OK"), QStringLiteral("&Ok"), this);
    Storno = NewButton(QStringLiteral("Storno"), QStringLiteral("&Storno"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Storno);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(yearGroup, 1);
    top->addWidget(currencyGroup, 1);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(12, 12, 12, 12);
    main->setSpacing(10);
    main->addLayout(top);
    main->addWidget(bankGroup);
    main->addSpacing(4);
    main->addLayout(buttons);

    setTabOrder(AktualRok, Ed_Mena);
    setTabOrder(Ed_Mena, Ed_Banka1);
    setTabOrder(Ed_Banka1, Ed_Banka2);
    setTabOrder(Ed_Banka2, Ed_Banka3);
    setTabOrder(Ed_Banka3, Ed_Banka4);
    setTabOrder(Ed_Banka4, Ed_Banka5);
    setTabOrder(Ed_Banka5, Ed_Banka6);
    setTabOrder(Ed_Banka6, OK);
    setTabOrder(OK, Storno);

    // The settings file is Windows-1250 and takes no line break. The bank values also head every
    // order file, where "|" separates the fields.
    const FieldGuard::Voice voice{
        .separator = FieldGuard::Notice::Box, .codePage = FieldGuard::Notice::Box, .beepOther = true};
    for (QLineEdit* edit : {Ed_Banka1, Ed_Banka2, Ed_Banka3, Ed_Banka4})
        new FieldGuard(edit, {}, voice);
    for (QLineEdit* edit : {Ed_Banka5, Ed_Mena})
        new FieldGuard(edit, {.bar = false}, voice);
    // The client number takes digits and "." alone, typed, pasted or dropped.
    const QString clientNumber = QStringLiteral("0123456789.");
    new FieldGuard(Ed_Banka6, {.bar = false, .characters = clientNumber}, voice);
    auto* clientNumberKeys = new KeyFilter({.characters = clientNumber, .charactersOnly = true, .beep = true}, this);
    clientNumberKeys->watch(Ed_Banka6);

    for (QLineEdit* edit : {Ed_Banka1, Ed_Banka2, Ed_Banka3, Ed_Banka4, Ed_Banka5, Ed_Banka6, Ed_Mena})
        connect(edit, &QLineEdit::textChanged, this, &TKonfigurace::Ed_Banka1Change);
    connect(Ed_Banka5, &QLineEdit::textEdited, this, &TKonfigurace::Ed_Banka5Edited);
    for (QLineEdit* edit : {Ed_Banka3, Ed_Banka4})
        connect(edit, &QLineEdit::textChanged, this, &TKonfigurace::updateAccountCheck);
    connect(AktualRok, &QSpinBox::valueChanged, this, &TKonfigurace::AktualRokClick);
    connect(OK, &QPushButton::clicked, this, &TKonfigurace::OKClick);
    connect(Storno, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    updateAccountCheck();
    // Fixed, yet growing by a line when the account check's text wraps.
    main->setSizeConstraint(QLayout::SetFixedSize);
}

QString TKonfigurace::EmptyCurrencyMessage() {
    return QStringLiteral("Není zadáno žádné označení měny!\nDoplňte zkratku např. Kč, Eur ...");
}

void TKonfigurace::FormCreate() {
    if (m_host.isOrderOpen()) {
        Ed_AktualRokText->setEnabled(false);
        AktualRok->setEnabled(false);
    }
    const Settings& s = m_host.settings();
    static_cast<YearSpinBox*>(AktualRok)->setYear(s.AktualniRok);
    FillField(Ed_Banka1, s.NazevBanky, 0);
    FillField(Ed_Banka2, s.Adresa, 0);
    FillField(Ed_Banka3, s.CisloUctu, kAccountLength);
    FillField(Ed_Banka4, s.SmerovyKod, kBankCodeLength);
    FillField(Ed_Banka5, s.NazevKlienta, kClientNameLength);
    FillField(Ed_Banka6, s.CisloKlienta, kClientNumberLength);
    FillField(Ed_Mena, s.Mena, 0);
    OK->setEnabled(false); // last: filling the fields counts as a change
}

void TKonfigurace::updateAccountCheck() {
    OrderItem payer;
    payer.Account = Ed_Banka3->text();
    payer.BankCode = Ed_Banka4->text();
    La_KontrolaUctu->setHint(DescribePayment(payer, BanksFor(m_host.settings().ProgramFolder)));
}

void TKonfigurace::Ed_Banka1Change() {
    OK->setEnabled(true);
}

void TKonfigurace::AktualRokClick() {
    OK->setEnabled(true);
}

void TKonfigurace::Ed_Banka5Edited(const QString& text) {
    QString upper;
    upper.reserve(text.size());
    for (const QChar c : text) {
        const QString u = QString(c).toUpper();
        upper += Cp1250::CanEncode(u) ? u : QString(c); // "µ" has no capital in Windows-1250
    }
    if (upper == text)
        return;
    const int pos = Ed_Banka5->cursorPosition();
    Ed_Banka5->setText(upper);
    Ed_Banka5->setCursorPosition(std::min<int>(pos, static_cast<int>(upper.size())));
}

void TKonfigurace::OKClick() {
    if (Ed_Mena->text().isEmpty()) {
        InfoBox(EmptyCurrencyMessage());
        Ed_Mena->setFocus();
        return;
    }
    Settings& s = m_host.settings();
    s.AktualniRok = AktualRok->value();
    s.NazevBanky = Ed_Banka1->text();
    s.Adresa = Ed_Banka2->text();
    s.CisloUctu = Ed_Banka3->text();
    s.SmerovyKod = Ed_Banka4->text();
    s.NazevKlienta = Ed_Banka5->text();
    s.CisloKlienta = Ed_Banka6->text();
    s.Mena = Ed_Mena->text();

    bool saved = false;
    RunCommand([&] {
        SaveSettings(s);
        saved = true;
    });
    if (!saved)
        return; // the error box has been shown; the dialog stays open
    EnsureYearFolder(s);
    accept();
}
