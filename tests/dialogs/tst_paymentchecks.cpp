#include "FakeHost.h"

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
#include <memory>

// The payment checks in the dialogs: they tell and warn, and never change what is stored.
class TestPaymentChecks : public QObject {
    Q_OBJECT

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
    void initTestCase() { Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { Clock::SetToday(std::nullopt); }

    void init() {
        DialogHook::Activate();
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
        DialogHook::Deactivate();
        m_host.reset();
        m_dir.reset();
    }

    void itemEditorLine_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("ks");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        QTest::newRow("known code") << ""
                                    << "0100"
                                    << ""
                                    << "Komerční banka, a.s." << false;
        QTest::newRow("unknown code") << ""
                                      << "0999"
                                      << ""
                                      << "Neznámý kód banky" << true;
        QTest::newRow("bad check digit") << "19-2000145398"
                                         << "0800"
                                         << ""
                                         << "Česká spořitelna, a.s. · Číslo účtu nemá platný kontrolní součet" << true;
        QTest::newRow("good account shows IBAN")
            << "19-2000145399"
            << "0800"
            << ""
            << "Česká spořitelna, a.s. · IBAN CZ65 0800 0000 1920 0014 5399" << false;
        QTest::newRow("reserved constant symbol")
            << ""
            << "0800"
            << "1178"
            << "Česká spořitelna, a.s. · Konstantní symbol 1178 si banky vyhrazují pro vlastní platby" << true;
    }
    void itemEditorLine() {
        QFETCH(QString, account);
        QFETCH(QString, code);
        QFETCH(QString, ks);
        QFETCH(QString, text);
        QFETCH(bool, warning);
        m_host->row = 5;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        CheckLine* check = line(&d, "La_Kontrola");
        QVERIFY(check);
        QCOMPARE(check->text(), QString()); // an empty row says nothing
        type(edit(&d, "Ed_Ucet"), account);
        type(edit(&d, "Ed_Kod"), code);
        type(edit(&d, "Ed_KonstSymbol"), ks);
        QCOMPARE(check->text(), text);
        QCOMPARE(check->isWarning(), warning);
        QCOMPARE(check->toolTip(), text);
    }

    // The line sits under the fields and above the buttons, and only adds to the dialog's height.
    void itemEditorLinePlace() {
        TPolozky d(*m_host, &m_host->window);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        CheckLine* check = line(&d, "La_Kontrola");
        const QString bank = BankRegister::BuiltIn().Find(QStringLiteral("5500"))->Name;
        QCOMPARE(check->text(), bank + QStringLiteral(" · IBAN CZ58 5500 0000 0012 6509 8001"));
        const QRect comment = edit(&d, "Ed_Komentar")->geometry();
        const QRect ok = d.findChild<QPushButton*>("Tl_Ok")->geometry();
        QVERIFY(check->geometry().top() > comment.bottom());
        QVERIFY(check->geometry().bottom() < ok.top());
        QVERIFY(check->width() >= comment.width());
        // A long text does not widen the dialog.
        const int width = d.width();
        type(edit(&d, "Ed_VarSymbol"), QStringLiteral("1-2-3"));
        type(edit(&d, "Ed_SpecSymbol"), QStringLiteral("4.5"));
        QApplication::processEvents();
        QCOMPARE(d.width(), width);
    }

    // OK stores an account that fails the check exactly as typed.
    void okSavesFailingAccountAsTyped() {
        m_host->row = 2;
        TPolozky d(*m_host, &m_host->window);
        d.show();
        type(edit(&d, "Ed_Ucet"), QStringLiteral("019-2000145398"));
        type(edit(&d, "Ed_Kod"), QStringLiteral("9999"));
        type(edit(&d, "Ed_KonstSymbol"), QStringLiteral("6"));
        QVERIFY(line(&d, "La_Kontrola")->isWarning());
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
        QLabel* warning = nullptr;
        {
            TExportABO clean(*m_host);
            warning = clean.findChild<QLabel*>("La_Varovani");
            QVERIFY(warning);
            QVERIFY(warning->isHidden()); // every row passes and the date lies ahead
        }
        PaymentOrder& o = m_host->orderData;
        o.Items[1].Account = QStringLiteral("178124-4158");
        o.Items[4] = {"", "", "80,00", "", "", "", ""};
        o.OrderDate = QStringLiteral("3.1.2022");
        // The payer as the ABO header has it: from the settings, not yet in the order.
        m_host->settingsData.CisloUctu = QStringLiteral("19-2000145398");
        const QStringList expected = BuildAboText(o, m_host->settingsData, false);

        TExportABO d(*m_host);
        d.show();
        warning = d.findChild<QLabel*>("La_Varovani");
        QVERIFY(warning->isVisible());
        const QString text = warning->text();
        QVERIFY(text.contains(QStringLiteral("Řádek 2: Číslo účtu nemá platný kontrolní součet")));
        QVERIFY(text.contains(QStringLiteral("Řádek 5: Číslo účtu není vyplněno")));
        QVERIFY(text.contains(QStringLiteral("Datum splatnosti je v minulosti")));
        QVERIFY(!text.contains(QStringLiteral("Řádek 1")));
        QVERIFY(text.contains(QStringLiteral("Účet plátce: Číslo účtu nemá platný kontrolní součet")));
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

    void screenshots() {
        const QString folder = qEnvironmentVariable("VELORIN_SHOTS");
        if (folder.isEmpty())
            QSKIP("VELORIN_SHOTS not set");
        m_host->orderData.Items[1].Account = QStringLiteral("178124-4158");
        m_host->orderData.OrderDate = QStringLiteral("3.1.2022");
        m_host->row = 1;
        TPolozky editor(*m_host, &m_host->window);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(editor.grab().save(folder + QStringLiteral("/checks-item-editor.png")));
        TExportABO abo(*m_host);
        abo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&abo));
        QVERIFY(abo.grab().save(folder + QStringLiteral("/checks-abo.png")));
        abo.close();
    }
};

QTEST_MAIN(TestPaymentChecks)
#include "tst_paymentchecks.moc"
