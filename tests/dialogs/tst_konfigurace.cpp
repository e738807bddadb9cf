#include "FakeHost.h"
#include "FieldKinds.h"
#include "TestFiles.h"
#include "Typing.h"
#include "common/Beep.h"
#include "common/Cp1250.h"
#include "common/DialogHook.h"
#include "common/Dialogs.h"
#include "dialogs/Konfigurace_f.h"
#include "order/IniFile.h"
#include "order/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QStringList kUdajeKeys{"AktualniRok", "NazevBanky",   "Adresa",       "CisloUctu",
                             "SmerovyKod",  "NazevKlienta", "CisloKlienta", "Mena"};

} // namespace

class TestKonfigurace : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<TKonfigurace> m_dialog;

    QString iniPath() const { return m_dir->path() + QStringLiteral("/Velorin.ini"); }
    template <class T> T* child(const char* name) {
        T* w = m_dialog->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QPushButton* okButton() { return child<QPushButton>("OK"); }
    QSpinBox* year() { return child<QSpinBox>("AktualRok"); }

    // A settings file with a section and a key the program does not know, read as at start-up.
    void openDialog(bool orderOpen = false) {
        WriteRaw(iniPath(), Cp1250::Encode(QStringLiteral("[Jine]\r\nKlic=hodnota\r\n[Udaje]\r\nAktualniRok=2021\r\n"
                                                          "NazevBanky=Komerční banka\r\nNeznamy=zůstane\r\n")));
        m_host->settingsData = LoadSettings(m_dir->path() + QLatin1Char('/'));
        m_host->open = orderOpen;
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void clickOk() { QTest::mouseClick(okButton(), Qt::LeftButton); }

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Velorin")); }
    void init() {
        m_dialogs = DialogHook::Activate();
        ResetBeepCount();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_host = std::make_unique<FakeHost>();
    }
    void cleanup() {
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        m_dialogs.restore();
        m_dialog.reset();
        m_host.reset();
        m_dir.reset();
    }

    void controlsAndLimits() {
        openDialog();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Konfigurace"));
        QCOMPARE(year()->minimum(), 1990);
        QCOMPARE(year()->maximum(), 2100);
        QCOMPARE(year()->value(), 2021);
        QVERIFY(!year()->isGroupSeparatorShown());
        QVERIFY(edit("Ed_AktualRokText")->isReadOnly());
        QCOMPARE(edit("Ed_AktualRokText")->text(), QStringLiteral("2021"));
        QCOMPARE(edit("Ed_Banka1")->text(), QStringLiteral("Komerční banka"));
        QCOMPARE(edit("Ed_Banka6")->text(), QStringLiteral("0000000000"));
        QCOMPARE(edit("Ed_Mena")->text(), QStringLiteral("Kč"));
        QCOMPARE(edit("Ed_Banka3")->maxLength(), 17);
        QCOMPARE(edit("Ed_Banka4")->maxLength(), 4);
        QCOMPARE(edit("Ed_Banka5")->maxLength(), 20);
        QCOMPARE(edit("Ed_Banka6")->maxLength(), 10);
        QCOMPARE(okButton()->text(), QStringLiteral("&Ok"));
        QCOMPARE(child<QPushButton>("Storno")->text(), QStringLiteral("&Storno"));
        QVERIFY(!okButton()->isDefault());
        QVERIFY(!okButton()->autoDefault());
    }

    void okDisabledUntilAChange() {
        openDialog();
        QVERIFY(!okButton()->isEnabled());
        // Enter presses nothing: OK is not the default button.
        edit("Ed_Banka1")->setFocus();
        QTest::keyClick(edit("Ed_Banka1"), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), 0);
        clickOk(); // disabled: nothing happens
        QVERIFY(m_dialog->isVisible());
    }

    // Editing and restoring a field still enables OK; OK writes all eight keys and keeps the rest.
    void editAndRestoreThenOkWritesAllKeys() {
        openDialog();
        QLineEdit* bank = edit("Ed_Banka1");
        bank->setFocus();
        bank->end(false);
        Type(bank, QStringLiteral("x"));
        QTest::keyClick(bank, Qt::Key_Backspace);
        QCOMPARE(bank->text(), QStringLiteral("Komerční banka"));
        QVERIFY(okButton()->isEnabled());
        clickOk();
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));

        for (const QString& key : kUdajeKeys)
            QVERIFY2(IniFile::Read(iniPath(), QStringLiteral("Udaje"), key).has_value(), qPrintable(key));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("AktualniRok")),
                 QStringLiteral("2021"));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("NazevBanky")),
                 QStringLiteral("Komerční banka"));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("Adresa")), QString());
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("CisloKlienta")),
                 QStringLiteral("0000000000"));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("Mena")), QStringLiteral("Kč"));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Jine"), QStringLiteral("Klic")), QStringLiteral("hodnota"));
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("Neznamy")),
                 QStringLiteral("zůstane"));
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/2021")).isDir());
    }

    void yearStepEnablesAndStores() {
        openDialog();
        year()->setFocus();
        QTest::keyClick(year(), Qt::Key_Up);
        QCOMPARE(year()->value(), 2022);
        QVERIFY(okButton()->isEnabled());
        // The text itself cannot be typed into.
        Type(year(), QStringLiteral("9"));
        QCOMPARE(year()->value(), 2022);
        clickOk();
        QCOMPARE(m_host->settingsData.AktualniRok, 2022);
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("AktualniRok")),
                 QStringLiteral("2022"));
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/2022")).isDir());
    }

    void yearRangeEnds() {
        openDialog();
        year()->setValue(2100);
        year()->stepUp();
        QCOMPARE(year()->value(), 2100);
        year()->setValue(1990);
        year()->stepDown();
        QCOMPARE(year()->value(), 1990);
    }

    // A year outside the arrows' range shows as stored and stays so unless the arrows move it.
    void storedYearOutsideTheRange() {
        openDialog();
        m_host->settingsData.AktualniRok = 1985;
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QCOMPARE(year()->value(), 1985);
        QCOMPARE(edit("Ed_AktualRokText")->text(), QStringLiteral("1985"));
        QVERIFY(!okButton()->isEnabled());
        Type(edit("Ed_Banka2"), QStringLiteral("Na Příkopě 1"));
        clickOk();
        QCOMPARE(m_host->settingsData.AktualniRok, 1985);

        m_host->settingsData.AktualniRok = 2150;
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        year()->stepDown();
        QCOMPARE(year()->value(), 2100);
        year()->stepDown();
        QCOMPARE(year()->value(), 2099);
        QCOMPARE(year()->maximum(), 2100);
    }

    void emptyCurrencyRefused() {
        openDialog();
        const QByteArray before = ReadAll(iniPath());
        QLineEdit* mena = edit("Ed_Mena");
        mena->selectAll();
        QTest::keyClick(mena, Qt::Key_Backspace);
        QVERIFY(mena->text().isEmpty());
        edit("Ed_Banka1")->setFocus();
        clickOk();
        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].kind, QStringLiteral("info"));
        QCOMPARE(r[0].caption, QStringLiteral("Velorin"));
        QCOMPARE(r[0].text, QStringLiteral("Není zadáno žádné označení měny!\nDoplňte zkratku např. Kč, Eur ..."));
        QCOMPARE(m_dialog->focusWidget(), mena);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_host->settingsData.Mena, QStringLiteral("Kč"));
        QCOMPARE(ReadAll(iniPath()), before);
    }

    void blankCurrencyAccepted() {
        openDialog();
        QLineEdit* mena = edit("Ed_Mena");
        mena->selectAll();
        Type(mena, QStringLiteral("  "));
        clickOk();
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_host->settingsData.Mena, QStringLiteral("  "));
        QVERIFY(IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("Mena")).has_value());
        QVERIFY(DialogHook::Records().isEmpty());
    }

    void yearLockedWhileAnOrderIsOpen() {
        openDialog(true);
        QVERIFY(!year()->isEnabled());
        QVERIFY(!edit("Ed_AktualRokText")->isEnabled());
        for (const char* name :
             {"Ed_Banka1", "Ed_Banka2", "Ed_Banka3", "Ed_Banka4", "Ed_Banka5", "Ed_Banka6", "Ed_Mena"})
            QVERIFY(edit(name)->isEnabled());
        Type(edit("Ed_Banka3"), QStringLiteral("123"));
        clickOk();
        QCOMPARE(m_host->settingsData.CisloUctu, QStringLiteral("123"));
        QCOMPARE(m_host->settingsData.AktualniRok, 2021);
    }

    // The bank fields show the bank of an opened order, and OK stores them.
    void showsTheOpenedOrdersBank() {
        openDialog(true);
        m_host->settingsData.setPayerBank(PayerBank{QStringLiteral("Fio banka"), QStringLiteral("Praha"),
                                                    QStringLiteral("2400123456"), QStringLiteral("2010")});
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QCOMPARE(edit("Ed_Banka1")->text(), QStringLiteral("Fio banka"));
        QCOMPARE(edit("Ed_Banka4")->text(), QStringLiteral("2010"));
        Type(edit("Ed_Mena"), QStringLiteral(" "));
        clickOk();
        QCOMPARE(*IniFile::Read(iniPath(), QStringLiteral("Udaje"), QStringLiteral("CisloUctu")),
                 QStringLiteral("2400123456"));
    }

    // Each field takes and refuses text as its kind; tst_fieldguard has what each kind lets in.
    void fieldsBehaveAsTheirKind_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("bank name") << "Ed_Banka1"
                                   << "settings bank" << 0;
        QTest::newRow("branch") << "Ed_Banka2"
                                << "settings bank" << 0;
        QTest::newRow("account") << "Ed_Banka3"
                                 << "settings bank" << 17;
        QTest::newRow("bank code") << "Ed_Banka4"
                                   << "settings bank code" << 4;
        QTest::newRow("client name") << "Ed_Banka5"
                                     << "settings text" << 20;
        QTest::newRow("client number") << "Ed_Banka6"
                                       << "client number" << 10;
        QTest::newRow("currency") << "Ed_Mena"
                                  << "settings text" << 0;
    }
    void fieldsBehaveAsTheirKind() {
        QFETCH(QString, field);
        QFETCH(QString, kind);
        QFETCH(int, maxLength);
        openDialog();
        FieldKind like = FieldNamed(kind);
        like.maxLength = maxLength;
        QWidget standIns;
        QLineEdit* standIn = GuardedLike(like, &standIns);
        standIns.show();
        QCOMPARE(FieldBehaviour(edit(qPrintable(field))), FieldBehaviour(standIn));
    }

    void clientNameUpperCase() {
        openDialog();
        QLineEdit* name = edit("Ed_Banka5");
        Type(name, QStringLiteral("firma čř s.r.o. a dlouhý konec"));
        QCOMPARE(name->text(), QStringLiteral("FIRMA ČŘ S.R.O. A DL"));
        clickOk();
        QCOMPARE(m_host->settingsData.NazevKlienta, QStringLiteral("FIRMA ČŘ S.R.O. A DL"));
    }

    // A stored text longer than the field allows for typing is shown and stored whole.
    void longStoredTextKept() {
        openDialog();
        m_host->settingsData.CisloUctu = QStringLiteral("123456-1234567890/");
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QCOMPARE(edit("Ed_Banka3")->text(), QStringLiteral("123456-1234567890/"));
        Type(edit("Ed_Mena"), QStringLiteral(" "));
        clickOk();
        QCOMPARE(m_host->settingsData.CisloUctu, QStringLiteral("123456-1234567890/"));
    }

    void stornoStoresNothing() {
        openDialog();
        const QByteArray before = ReadAll(iniPath());
        Type(edit("Ed_Banka1"), QStringLiteral(" a.s."));
        QTest::mouseClick(child<QPushButton>("Storno"), Qt::LeftButton);
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(m_host->settingsData.NazevBanky, QStringLiteral("Komerční banka"));
        QCOMPARE(ReadAll(iniPath()), before);

        openDialog();
        Type(edit("Ed_Banka1"), QStringLiteral(" a.s."));
        QTest::keyClick(edit("Ed_Banka1"), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(m_host->settingsData.NazevBanky, QStringLiteral("Komerční banka"));
    }

    // The file cannot be written: the error box, the dialog stays open, no year folder.
    void failedSaveKeepsTheDialogOpen() {
        m_host->settingsData = LoadSettings(m_dir->path() + QLatin1Char('/'));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Velorin.ini")));
        m_host->open = false;
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        year()->stepUp();
        const int newYear = year()->value();
        clickOk();
        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].kind, QStringLiteral("error"));
        QVERIFY(r[0].text.contains(QStringLiteral("Velorin.ini")));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_host->settingsData.AktualniRok, newYear);
        QVERIFY(!QFileInfo::exists(m_dir->path() + QLatin1Char('/') + QString::number(newYear)));
    }

    void screenshot() {
        const QString dir = qEnvironmentVariable("VELORIN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("VELORIN_SCREENSHOT_DIR not set");
        openDialog();
        m_host->settingsData.setPayerBank(PayerBank{QStringLiteral("Česká spořitelna, a.s."),
                                                    QStringLiteral("Olomouc, Horní náměstí 9"),
                                                    QStringLiteral("19-2000145399"), QStringLiteral("0800")});
        m_host->settingsData.NazevKlienta = QStringLiteral("ŽLUŤOUČKÝ KŮŇ S.R.O.");
        m_host->settingsData.CisloKlienta = QStringLiteral("1234567890");
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QTest::qWait(100);
        QVERIFY(m_dialog->grab().save(QDir(dir).filePath(QStringLiteral("konfigurace.png"))));
        m_host->open = true;
        m_dialog = std::make_unique<TKonfigurace>(*m_host);
        m_dialog->show();
        QTest::qWait(100);
        QVERIFY(m_dialog->grab().save(QDir(dir).filePath(QStringLiteral("konfigurace_zamceny_rok.png"))));
    }
};

QTEST_MAIN(TestKonfigurace)
#include "tst_konfigurace.moc"
