#include "dialogs/Konfigurace_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Beep.h"
#include "common/CommandRunner.h"
#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "dialogs/CheckLine.h"
#include "dialogs/OrderHost.h"
#include "order/Settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
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

// Texts from the file are shown whole even when longer than the field allows for typing.
void FillField(QLineEdit* edit, const QString& text, int maxLength) {
    if (maxLength > 0)
        edit->setMaxLength(std::max<int>(maxLength, static_cast<int>(text.size())));
    edit->setText(text);
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
    Ed_Banka6->installEventFilter(this);

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

    for (QLineEdit* edit : {Ed_Banka1, Ed_Banka2, Ed_Banka3, Ed_Banka4, Ed_Banka5, Ed_Banka6, Ed_Mena}) {
        connect(edit, &QLineEdit::textChanged, this, &TKonfigurace::Ed_Banka1Change);
        connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
            if (Cp1250::CanEncode(text) && (edit != Ed_Banka6 || Ed_Banka6KeyPress(text)) &&
                !(IsBankField(edit) && text.contains(QLatin1Char('|'))))
                m_lastGood.insert(edit, text);
        });
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
            if (edit == Ed_Banka6 && !Ed_Banka6KeyPress(text)) {
                // Pasted or dropped text passes no key filter: the same rule, applied afterwards.
                RestoreLastGood(edit);
                StandardBeep();
                return;
            }
            if (IsBankField(edit) && text.contains(QLatin1Char('|'))) {
                // The bank values head every order file, whose lines would then not be written.
                RestoreLastGood(edit);
                InfoBox(QStringLiteral("Znak „|“ nelze v údajích banky použít, soubor příkazu jím odděluje pole."));
                edit->setFocus();
                return;
            }
            if (edit == Ed_Banka5)
                Ed_Banka5Edited(text);
            GuardEncoding(edit, edit->text());
        });
    }
    for (QLineEdit* edit : {Ed_Banka3, Ed_Banka4})
        connect(edit, &QLineEdit::textChanged, this, &TKonfigurace::updateAccountCheck);
    connect(AktualRok, &QSpinBox::valueChanged, this, &TKonfigurace::AktualRokClick);
    connect(OK, &QPushButton::clicked, this, &TKonfigurace::OKClick);
    connect(Storno, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    updateAccountCheck();
    setFixedSize(sizeHint());
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
    for (QLineEdit* edit : {Ed_Banka1, Ed_Banka2, Ed_Banka3, Ed_Banka4, Ed_Banka5, Ed_Banka6, Ed_Mena})
        m_lastGood.insert(edit, edit->text());
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

void TKonfigurace::RestoreLastGood(QLineEdit* edit) {
    const int pos = edit->cursorPosition();
    const QString good = m_lastGood.value(edit);
    edit->setText(good);
    edit->setCursorPosition(std::min<int>(pos, static_cast<int>(good.size())));
}

// The settings file is Windows-1250: a character it cannot hold is refused where it enters.
void TKonfigurace::GuardEncoding(QLineEdit* edit, const QString& text) {
    const qsizetype bad = Cp1250::FirstUnencodableIndex(text);
    if (bad < 0) {
        m_lastGood.insert(edit, text);
        return;
    }
    const QString character = Cp1250::DescribeCharacter(text, bad);
    RestoreLastGood(edit);
    InfoBox(QStringLiteral("Znak %1 nelze uložit do nastavení, kódování Windows-1250 ho neobsahuje.").arg(character));
    edit->setFocus();
}

bool TKonfigurace::IsBankField(const QLineEdit* edit) const {
    return edit == Ed_Banka1 || edit == Ed_Banka2 || edit == Ed_Banka3 || edit == Ed_Banka4;
}

bool TKonfigurace::Ed_Banka6KeyPress(const QString& keyText) {
    return std::all_of(keyText.begin(), keyText.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('\b');
    });
}

bool TKonfigurace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ed_Banka6 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape: // the dialog's keys, not characters for the field
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return QDialog::eventFilter(watched, event);
        default:
            break;
        }
        const QString text = key->text();
        // A platform may give Ctrl+letter no character; it is refused all the same.
        const bool controlLetter = text.isEmpty() && (key->modifiers() & Qt::ControlModifier) &&
                                   key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z;
        if (controlLetter || (!text.isEmpty() && !Ed_Banka6KeyPress(text))) {
            StandardBeep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
