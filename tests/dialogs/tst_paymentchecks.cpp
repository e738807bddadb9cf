#include "FakeHost.h"

#include "HostileText.h"
#include "TestFiles.h"
#include "abo/AboWriter.h"
#include "bank/BankRegister.h"
#include "common/Clock.h"
#include "common/Cp1250.h"
#include "common/DialogHook.h"
#include "dialogs/CheckLine.h"
#include "dialogs/ExportABO_f.h"
#include "dialogs/Konfigurace_f.h"
#include "dialogs/Polozky_f.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

// The payment checks in the dialogs: they tell and warn, and never change what is stored.
class TestPaymentChecks : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;
    SeamGuard m_today;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;

    QString yearFolder() const { return m_dir->filePath(QStringLiteral("2022")); }
    static QLineEdit* edit(QWidget* d, const char* name) { return d->findChild<QLineEdit*>(QLatin1String(name)); }
    static CheckLine* line(QWidget* d, const char* name) { return d->findChild<CheckLine*>(QLatin1String(name)); }
    static void type(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }

private slots:
    void initTestCase() { m_today = Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { m_today.restore(); }

    void init() {
        m_dialogs = DialogHook::Activate();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(yearFolder()));
        m_host = std::make_unique<FakeHost>();
        Settings& s = m_host->settingsData;
        s.ProgramFolder = m_dir->path() + QLatin1Char('/');
        s.Mena = QStringLiteral("Kč");
        s.NazevKlienta = QStringLiteral("FIRMA ALFA");
        s.CisloKlienta = QStringLiteral("123456");
        s.CisloUctu = QStringLiteral("19-2000145399");
        s.SmerovyKod = QStringLiteral("0800");
        PaymentOrder& o = m_host->orderData;
        o.Bank = s.payerBank();
        o.OrderDate = QStringLiteral("10.1.2022");
        o.FilePath = yearFolder() + QStringLiteral("/2022003.ppu");
        o.Items[0] = {"1265098001", "5500", "1500,00", "2022001", "0308", "", "Nájem"};
        o.Items[1] = {"178124-4159", "0710", "250,50", "", "", "77", ""};
        m_host->SaveOrder();
    }
    void cleanup() {
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        m_dialogs.restore();
        m_host.reset();
        m_dir.reset();
    }

    void itemEditorLine_data() {
        QTest::addColumn<QStringList>("typed"); // account, bank code, constant symbol
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        const QString cs = QStringLiteral("Česká spořitelna, a.s. · ");
        QTest::newRow("known code") << QStringList{"", "0100", ""} << "Komerční banka, a.s." << false;
        QTest::newRow("unknown code") << QStringList{"", "0999", ""} << "Neznámý kód banky" << true;
        QTest::newRow("bad check digit") << QStringList{"19-2000145398", "0800", ""}
                                         << cs + "Číslo účtu nemá platný kontrolní součet" << true;
        QTest::newRow("good account shows IBAN")
            << QStringList{"19-2000145399", "0800", ""} << cs + "IBAN CZ65 0800 0000 1920 0014 5399" << false;
        QTest::newRow("reserved constant symbol")
            << QStringList{"", "0800", "1178"} << cs + "Konstantní symbol 1178 si banky vyhrazují pro vlastní platby"
            << true;
    }
    void itemEditorLine() {
        QFETCH(QStringList, typed);
        QFETCH(QString, text);
        QFETCH(bool, warning);
        m_host->row = 5;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        CheckLine* check = line(&d, "La_Kontrola");
        QVERIFY(check);
        QCOMPARE(check->text(), QString()); // an empty row says nothing
        type(edit(&d, "Ed_Ucet"), typed[0]);
        type(edit(&d, "Ed_Kod"), typed[1]);
        type(edit(&d, "Ed_KonstSymbol"), typed[2]);
        QCOMPARE(check->text(), text);
        QCOMPARE(check->isWarning(), warning);
        QCOMPARE(ShownText(check->toolTip()), text);
    }

    // A warning longer than the line wraps: the whole text is on screen and the dialogs grow by the
    // lines it takes, and shrink back when it is short again.
    void longWarningsWrapAndDialogsGrow() {
        const auto shownWhole = [](CheckLine* check) {
            auto* label = check->findChild<QLabel*>(check->objectName() + QStringLiteral("_Text"));
            const QFontMetrics fm = label->fontMetrics();
            const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap, label->text());
            return label->text() == check->text() && fm.horizontalAdvance(label->text()) > label->width() &&
                   label->height() >= needed.height();
        };
        m_host->row = 5;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        type(edit(&d, "Ed_Kod"), QStringLiteral("0800"));
        QApplication::processEvents();
        const int shortHeight = d.height();
        type(edit(&d, "Ed_Ucet"), QStringLiteral("1234567-1"));
        QApplication::processEvents();
        CheckLine* check = line(&d, "La_Kontrola");
        QVERIFY(check->text().contains(QStringLiteral("předčíslí nejvýše 6 číslic, číslo nejvýše 10 číslic")));
        QVERIFY(shownWhole(check));
        QVERIFY(d.height() > shortHeight);
        QVERIFY(check->geometry().bottom() < d.findChild<QPushButton*>("Tl_Ok")->geometry().top());
        type(edit(&d, "Ed_Ucet"), QString());
        QApplication::processEvents();
        QCOMPARE(d.height(), shortHeight);

        m_host->open = false;
        TKonfigurace k(*m_host, &m_host->window);
        k.show();
        QVERIFY(QTest::qWaitForWindowExposed(&k));
        const int settingsHeight = k.height();
        type(edit(&k, "Ed_Banka3"), QStringLiteral("1234567-1"));
        QApplication::processEvents();
        QVERIFY(shownWhole(line(&k, "La_KontrolaUctu")));
        QVERIFY(k.height() > settingsHeight);
        {
            // The program's own font has a leading, so one line is shorter than two line spacings.
            const QFont before = QApplication::font();
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSize(8);
            QApplication::setFont(font);
            m_host->orderData.Items[6] = {"123456789", "0100", "1250,00", "2201", "0308", "", "Nájem za leden"};
            m_host->row = 6;
            TPolozky e(*m_host, &m_host->window);
            e.show();
            QVERIFY(QTest::qWaitForWindowExposed(&e));
            QApplication::processEvents();
            CheckLine* one = line(&e, "La_Kontrola");
            QVERIFY(one->isWarning());
            const QFontMetrics fm = one->findChild<QLabel*>(QStringLiteral("La_Kontrola_Text"))->fontMetrics();
            QVERIFY2(one->height() < fm.height() + fm.lineSpacing() / 2, qPrintable(QString::number(one->height())));
            QApplication::setFont(before);
        }
    }

    // Bank names come from the user's list and the currency from the settings: the item editor
    // shows them, in its labels and in the check line's tooltip, as the characters they are.
    void itemEditorShowsListAndSettingsAsText() {
        FifoTrap trap(m_dir->path());
        QVERIFY(trap.made());
        const QString red = QStringLiteral("<font size=6 color=red>ZAPLACENO</font>");
        InstallBankList(m_host->settingsData.ProgramFolder, QStringLiteral("kody_bank_CR.csv"),
                        QStringLiteral("Kód;Název;BIC;CERTIS\r\n5500;%1;RZBCCZPP;A\r\n0100;%2;KOMBCZPP;A\r\n")
                            .arg(trap.picture(), red)
                            .toUtf8());
        m_host->settingsData.Mena = trap.picture();
        m_host->row = 5;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        CheckLine* check = line(&d, "La_Kontrola");
        for (const QString& name : {trap.picture(), red}) {
            type(edit(&d, "Ed_Kod"), name == red ? QStringLiteral("0100") : QStringLiteral("5500"));
            QCOMPARE(check->text(), name);
            QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), check->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(check, &help);
            QVERIFY(QToolTip::isVisible());
            QCOMPARE(ShownText(QToolTip::text()), name);
            QWidget* tip = ShownToolTip();
            QVERIFY(tip);
            QCOMPARE(RedPixels(tip->grab().toImage()), 0);
            QToolTip::hideText();
            QCOMPARE(RedPixels(d.grab().toImage()), 0);
            QCOMPARE(trap.opens(), 0);
        }
        auto* currency = d.findChild<QLabel*>(QStringLiteral("La_Platba"));
        QCOMPARE(ShownText(currency->text(), currency->textFormat()), QStringLiteral("Platba v ") + trap.picture());
    }

    // OK stores an account that fails the check exactly as typed.
    void okSavesFailingAccountAsTyped() {
        m_host->row = 2;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        type(edit(&d, "Ed_Ucet"), QStringLiteral("019-2000145398"));
        type(edit(&d, "Ed_Kod"), QStringLiteral("9999"));
        type(edit(&d, "Ed_KonstSymbol"), QStringLiteral("6"));
        CheckLine* check = line(&d, "La_Kontrola");
        QVERIFY(check->isWarning());
        // Under the fields, above the buttons.
        QVERIFY(check->geometry().top() > edit(&d, "Ed_Komentar")->geometry().bottom());
        QVERIFY(check->geometry().bottom() < d.findChild<QPushButton*>("Tl_Ok")->geometry().top());
        QPushButton* ok = d.findChild<QPushButton*>("Tl_Ok");
        QVERIFY(ok->isEnabled());
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(DialogHook::Records().isEmpty()); // no box asked or warned
        QCOMPARE(m_host->orderData.Items[2].Account, QStringLiteral("019-2000145398"));
        const QByteArray file = ReadAll(m_host->orderData.FilePath);
        QVERIFY(file.contains("\r\n019-2000145398|9999|||6|||\r\n"));
    }

    void settingsLine() {
        m_host->open = false;
        TKonfigurace d(*m_host, &m_host->window);
        CheckLine* check = line(&d, "La_KontrolaUctu");
        QVERIFY(check);
        QCOMPARE(check->text(), QStringLiteral("Česká spořitelna, a.s. · IBAN CZ65 0800 0000 1920 0014 5399"));
        d.show();
        type(edit(&d, "Ed_Banka3"), QStringLiteral("19-2000145398"));
        QCOMPARE(check->text(), QStringLiteral("Česká spořitelna, a.s. · Číslo účtu nemá platný kontrolní součet"));
        QVERIFY(check->isWarning());
        type(edit(&d, "Ed_Banka4"), QStringLiteral("0999"));
        QVERIFY(check->text().startsWith(QStringLiteral("Neznámý kód banky")));
        // Stored as typed.
        d.findChild<QPushButton*>("OK")->click();
        QCOMPARE(m_host->settingsData.CisloUctu, QStringLiteral("19-2000145398"));
        QCOMPARE(m_host->settingsData.SmerovyKod, QStringLiteral("0999"));
    }

    void aboWarningLeavesTextAlone() {
        {
            TExportABO clean(*m_host); // every row passes and the date lies ahead
            QVERIFY(clean.findChild<QLabel*>("La_Varovani")->isHidden());
        }
        PaymentOrder& o = m_host->orderData;
        o.Items[1].Account = QStringLiteral("178124-4158");
        o.Items[4] = {"", "", "80,00", "", "", "", ""};
        o.OrderDate = QStringLiteral("3.1.2022");
        // The payer as the ABO header has it: from the settings, which the open order's bank follows.
        m_host->settingsData.CisloUctu = QStringLiteral("19-2000145398");
        o.Bank = m_host->settingsData.payerBank();
        const QStringList expected = BuildAboText(o, m_host->settingsData, false);

        TExportABO d(*m_host);
        d.show();
        QLabel* warning = d.findChild<QLabel*>("La_Varovani");
        QVERIFY(warning->isVisible());
        const QString text = warning->text();
        QCOMPARE(text, QStringLiteral("Upozornění (banka může platby odmítnout): "
                                      "Účet plátce: Číslo účtu nemá platný kontrolní součet; "
                                      "Řádek 2: Číslo účtu nemá platný kontrolní součet; "
                                      "Řádek 5: Číslo účtu není vyplněno; Řádek 5: Směrový kód není vyplněn; "
                                      "Datum splatnosti je v minulosti."));
        QCOMPARE(d.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), expected.join(QLatin1Char('\n')));

        // Saving goes ahead and writes the ABO text as ever.
        const QString path = yearFolder() + QStringLiteral("/vystup.abo");
        DialogHook::PushFileName(path);
        d.Tl_UlozitClick();
        QByteArray bytes;
        for (const QString& l : expected)
            bytes += Cp1250::Encode(l) + "\r\n";
        QCOMPARE(ReadAll(path), bytes);
        d.close();
    }
};

QTEST_MAIN(TestPaymentChecks)
#include "tst_paymentchecks.moc"
