#include "FakeHost.h"
#include "TestFiles.h"
#include "TestModal.h"
#include "TestOrders.h"
#include "common/Clock.h"
#include "common/DialogHook.h"
#include "dialogs/ExportABO_f.h"
#include "order/IniFile.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QByteArray kSeveralWithMessages = "UHL1070122FIRMA ALFA          0000123456001001000000000000\r\n"
                                        "1 1501 001001 0800\r\n"
                                        "2 000035-0123456789 00000000175050 100122\r\n"
                                        "000000-0987654321 000000150000 0002022001 0003000308 0000000000 "
                                        "N\xe1jem leden\r\n"
                                        "000012-3456789012 000000025050 0000000000 0001000000 0000000077 \r\n"
                                        "3 +\r\n"
                                        "5 +\r\n";

} // namespace

class TestExportAbo : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;
    SeamGuard m_today;

private slots:
    void initTestCase() { m_today = Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { m_today.restore(); }
    void init();
    void cleanup();

    void refusals_data();
    void refusals();
    void commandOpensDialogForItemWithoutAmount();
    void optionSurvivesReopen();
    void switchingRebuildsText();
    void switchingWithoutClickRebuildsText();
    void orderDateWithShortYear();
    void saveNames_data();
    void saveNames();
    void failedSaveKeepsDialogOpen();
    void keyboardKeepsDialogAndText();
    void bankChoicesRememberedAndRebuilt();
    void secondExportOfDayIs002();
    void handEditedTextWarns();
    void noBreakSpaceInCommentSavesWithoutWarning();
    void screenshot();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
    QString yearFolder() const { return m_dir->filePath(QStringLiteral("2022")); }
    QPlainTextEdit* memo(TExportABO& d) { return d.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
    QCheckBox* option(TExportABO& d) { return d.findChild<QCheckBox*>(QStringLiteral("ChB_PripojovatKomentare")); }
    QComboBox* bank(TExportABO& d) { return d.findChild<QComboBox*>(QStringLiteral("CB_FormatBanky")); }
    QCheckBox* ascii(TExportABO& d) { return d.findChild<QCheckBox*>(QStringLiteral("ChB_BezDiakritiky")); }
    std::optional<QString> stored(const char* key) {
        return IniFile::Read(SettingsFilePath(m_host->settingsData), "GenerovaniABO", key);
    }
    // Saves the dialog's text to name in the year folder and returns the file's lines.
    QStringList save(TExportABO& d, const QString& name) {
        DialogHook::PushFileName(yearFolder() + QLatin1Char('/') + name);
        d.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
        return QString::fromLatin1(ReadAll(yearFolder() + QLatin1Char('/') + name)).split(QStringLiteral("\r\n"));
    }
};

void TestExportAbo::init() {
    m_dialogs = DialogHook::Activate();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(yearFolder()));
    m_host = std::make_unique<FakeHost>();
    Settings& s = m_host->settingsData;
    s.ProgramFolder = m_dir->path() + QLatin1Char('/');
    s.AktualniRok = 2022;
    s.NazevKlienta = QStringLiteral("FIRMA ALFA");
    s.CisloKlienta = QStringLiteral("123456");
    s.CisloUctu = QStringLiteral("35-123456789");
    s.SmerovyKod = QStringLiteral("0800");
    PaymentOrder& o = m_host->orderData;
    o = AboExampleOrder(true);
    o.Bank = s.payerBank();
    o.FilePath = yearFolder() + QStringLiteral("/2022003.ppu");
}

void TestExportAbo::cleanup() {
    m_dialogs.restore();
    m_host.reset();
    m_dir.reset();
}

void TestExportAbo::refusals_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    const QString p = QStringLiteral("Export ABO nelze generovat. ");
    QTest::newRow("no payer account") << "account" << p + "Není zadáno číslo účtu plátce.";
    QTest::newRow("no bank code") << "bankcode" << p + "Není zadán směrový kód banky.";
    QTest::newRow("only an amount without account")
        << "noaccounts" << p + "Není vyplněna ani jedna platná položka k platbě.";
    QTest::newRow("negative amount") << "negative" << p + "Částka „-250,50“ v řádku 2 je záporná.";
    QTest::newRow("amount not a number") << "nan" << p + "Částka „250 Kč“ v řádku 2 není číslo.";
}

void TestExportAbo::refusals() {
    QFETCH(QString, change);
    QFETCH(QString, message);
    PaymentOrder& o = m_host->orderData;
    if (change == "account")
        m_host->settingsData.CisloUctu.clear();
    else if (change == "bankcode")
        m_host->settingsData.SmerovyKod.clear();
    else if (change == "noaccounts") {
        o.Items[0] = OrderItem();
        o.Items[1].Account.clear();
    } else if (change == "negative")
        o.Items[1].Amount = QStringLiteral("-250,50");
    else
        o.Items[1].Amount = QStringLiteral("250 Kč");

    NoModalWindow noDialog;
    ExportAboCommand(*m_host);
    QVERIFY(!noDialog.appeared());
    const QList<DialogHook::Record> records = DialogHook::Records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].kind, QStringLiteral("info"));
    QCOMPARE(records[0].caption, AppTitle());
    QCOMPARE(records[0].text, message);
    QVERIFY(!QFile::exists(SettingsFilePath(m_host->settingsData)));
}

void TestExportAbo::commandOpensDialogForItemWithoutAmount() {
    PaymentOrder& o = m_host->orderData;
    o.Items[1] = OrderItem();
    o.Items[0].Amount.clear();
    o.Total = 0;
    QString shown;
    ModalAction closer([&](QWidget* w) {
        if (auto* d = qobject_cast<TExportABO*>(w))
            shown = memo(*d)->toPlainText();
        w->close();
    });
    ExportAboCommand(*m_host);
    QVERIFY(closer.happened());
    QCOMPARE(shown, QStringLiteral("UHL1070122FIRMA ALFA          0000123456001001000000000000\n"
                                   "1 1501 001001 0800\n"
                                   "2  00000000000000 100122\n"
                                   "3 +\n"
                                   "5 +"));
    QVERIFY(DialogHook::Records().isEmpty());
    // Closing stored the option, though nothing was saved.
    QCOMPARE(IniFile::Read(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "PripojovatKomentare"),
             std::optional<QString>(QStringLiteral("0")));
}

void TestExportAbo::optionSurvivesReopen() {
    {
        TExportABO first(*m_host);
        first.show();
        QVERIFY(!option(first)->isChecked());
        QVERIFY(!memo(first)->toPlainText().contains(QStringLiteral("Nájem")));
        option(first)->click();
        QVERIFY(memo(first)->toPlainText().contains(QStringLiteral(" 0000000000 Nájem leden\n")));
        first.findChild<QPushButton*>(QStringLiteral("Tl_Storno"))->click();
    }
    QCOMPARE(IniFile::Read(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "PripojovatKomentare"),
             std::optional<QString>(QStringLiteral("1")));
    {
        TExportABO second(*m_host);
        QVERIFY(option(second)->isChecked());
        QVERIFY(memo(second)->toPlainText().contains(QStringLiteral(" 0000000000 Nájem leden\n")));
        second.show();
        option(second)->click();
        second.close(); // the close box
    }
    TExportABO third(*m_host);
    QVERIFY(!option(third)->isChecked());
    QVERIFY(!memo(third)->toPlainText().contains(QStringLiteral("Nájem")));
}

void TestExportAbo::switchingRebuildsText() {
    TExportABO dialog(*m_host);
    const QString without = memo(dialog)->toPlainText();
    memo(dialog)->setPlainText(QStringLiteral("upraveno"));
    option(dialog)->click();
    const QString with = memo(dialog)->toPlainText();
    QVERIFY(with.contains(QStringLiteral("Nájem leden")));
    QCOMPARE(QString(with).remove(QStringLiteral("Nájem leden")), without);
    memo(dialog)->appendPlainText(QStringLiteral("upraveno"));
    option(dialog)->click();
    QCOMPARE(memo(dialog)->toPlainText(), without);
}

// A screen reader or the keyboard switch the option without a click; the text, the box and the
// stored option must still agree.
void TestExportAbo::switchingWithoutClickRebuildsText() {
    {
        TExportABO dialog(*m_host);
        dialog.show();
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(option(dialog));
        QVERIFY(box && box->actionInterface());
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(option(dialog)->isChecked());
        QVERIFY(memo(dialog)->toPlainText().contains(QStringLiteral(" 0000000000 Nájem leden\n")));
        option(dialog)->setChecked(false);
        QVERIFY(!memo(dialog)->toPlainText().contains(QStringLiteral("Nájem")));
        QTest::keyClick(option(dialog), Qt::Key_Space);
        QVERIFY(option(dialog)->isChecked());
        QVERIFY(memo(dialog)->toPlainText().contains(QStringLiteral(" 0000000000 Nájem leden\n")));
        dialog.close();
    }
    QCOMPARE(IniFile::Read(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "PripojovatKomentare"),
             std::optional<QString>(QStringLiteral("1")));
}

// A hand-edited order file may carry the date as a Czech system writes it short.
void TestExportAbo::orderDateWithShortYear() {
    QString full;
    {
        TExportABO first(*m_host);
        full = memo(first)->toPlainText();
    }
    m_host->orderData.OrderDate = QStringLiteral("10.1.22");
    QString shown;
    ModalAction closer([&](QWidget* w) {
        if (auto* d = qobject_cast<TExportABO*>(w))
            shown = memo(*d)->toPlainText();
        w->close();
    });
    ExportAboCommand(*m_host);
    QVERIFY(closer.happened());
    QVERIFY(DialogHook::Records().isEmpty());
    QCOMPARE(shown, full);
}

void TestExportAbo::saveNames_data() {
    QTest::addColumn<QString>("chosen");  // relative to the year folder; empty = cancel
    QTest::addColumn<QString>("written"); // the file that must exist afterwards
    QTest::newRow("no extension gets .abo") << "platby"
                                            << "platby.abo";
    QTest::newRow("other extension stays") << "platby.txt"
                                           << "platby.txt";
    QTest::newRow("proposed name") << "2022003.abo"
                                   << "2022003.abo";
    QTest::newRow("cancel") << ""
                            << "";
}

void TestExportAbo::saveNames() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    WriteAboCommentsOption(m_host->settingsData, true);
    TExportABO dialog(*m_host);
    dialog.show();
    DialogHook::PushFileName(chosen.isEmpty() ? QString() : yearFolder() + QLatin1Char('/') + chosen);
    dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();

    const QList<DialogHook::Record> records = DialogHook::Records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].kind, QStringLiteral("save"));
    QCOMPARE(records[0].text, yearFolder() + QStringLiteral("/2022003.abo"));
    QVERIFY(dialog.isVisible());
    QStringList expectedFiles;
    if (!written.isEmpty())
        expectedFiles << written;
    QCOMPARE(QDir(yearFolder()).entryList(QDir::Files), expectedFiles);
    if (!written.isEmpty())
        QCOMPARE(ReadAll(yearFolder() + QLatin1Char('/') + written), kSeveralWithMessages);
}

void TestExportAbo::failedSaveKeepsDialogOpen() {
    TExportABO dialog(*m_host);
    dialog.show();
    memo(dialog)->setPlainText(QStringLiteral("UHL1 upravený řádek"));
    const QString target = yearFolder() + QStringLiteral("/chybi/platby.abo");
    // The hand-edited text no longer reads as ABO; the user saves it anyway.
    DialogHook::PushAnswer(Answer::Yes);
    DialogHook::PushFileName(target);
    dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
    const QList<DialogHook::Record> records = DialogHook::Records();
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0].kind, QStringLiteral("warning"));
    QCOMPARE(records[2].kind, QStringLiteral("error"));
    QVERIFY(records[2].text.contains(target));
    QVERIFY(dialog.isVisible());
    QCOMPARE(memo(dialog)->toPlainText(), QStringLiteral("UHL1 upravený řádek"));

    // The edited text is what gets written once the folder is there.
    QVERIFY(QDir().mkpath(yearFolder() + QStringLiteral("/chybi")));
    DialogHook::PushAnswer(Answer::Yes);
    DialogHook::PushFileName(target);
    dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
    QCOMPARE(ReadAll(target), QByteArray("UHL1 upraven\xfd \xf8\xe1\x64\x65k\r\n"));
}

void TestExportAbo::keyboardKeepsDialogAndText() {
    TExportABO dialog(*m_host);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPlainTextEdit* box = memo(dialog);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(box->toPlainText().endsWith(QStringLiteral("5 +\nx")));
    QVERIFY(DialogHook::Records().isEmpty()); // Enter saved nothing
    // Tab moves on to the next control and never puts a tab into the fixed-width text.
    const QString before = box->toPlainText();
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(box->toPlainText(), before);
    QVERIFY(!box->hasFocus());
    dialog.close();
    QVERIFY(!dialog.isVisible());
}

void TestExportAbo::bankChoicesRememberedAndRebuilt() {
    IniFile::Write(SettingsFilePath(m_host->settingsData), "Cizi", "Klic", "hodnota");
    {
        // Untouched choices leave the settings file as it was, but for the comments option.
        TExportABO dialog(*m_host);
        dialog.show();
        QCOMPARE(bank(dialog)->currentText(), QStringLiteral("Standardní"));
        QVERIFY(!ascii(dialog)->isChecked());
        dialog.close();
    }
    QCOMPARE(stored("FormatBanky"), std::nullopt);
    QCOMPARE(stored("BezDiakritiky"), std::nullopt);
    {
        TExportABO dialog(*m_host);
        dialog.show();
        option(dialog)->click();
        memo(dialog)->setPlainText(QStringLiteral("upraveno"));
        bank(dialog)->setCurrentText(QStringLiteral("Komerční banka"));
        // The bank's own choice of diacritics comes with it, and the text is built anew.
        QVERIFY(ascii(dialog)->isChecked());
        const QStringList lines = memo(dialog)->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines[1], QStringLiteral("1 1501 001001 0800"));
        QCOMPARE(lines[3],
                 QStringLiteral("000000-0987654321 000000150000 0002022001 03000308 0000000000 AV:Najem leden"));
        bank(dialog)->setCurrentText(QStringLiteral("Fio banka"));
        QVERIFY(!ascii(dialog)->isChecked());
        QCOMPARE(memo(dialog)->toPlainText().split(QLatin1Char('\n'))[1], QStringLiteral("1 1501 001000 0800"));
        ascii(dialog)->click();
        dialog.close();
    }
    QCOMPARE(stored("FormatBanky"), std::optional<QString>(QStringLiteral("Fio")));
    QCOMPARE(stored("BezDiakritiky"), std::optional<QString>(QStringLiteral("1")));
    QCOMPARE(IniFile::Read(SettingsFilePath(m_host->settingsData), "Cizi", "Klic"),
             std::optional<QString>(QStringLiteral("hodnota")));
    TExportABO again(*m_host);
    QCOMPARE(bank(again)->currentText(), QStringLiteral("Fio banka"));
    QVERIFY(ascii(again)->isChecked());
    QVERIFY(memo(again)->toPlainText().contains(QStringLiteral(" AV:Najem leden\n")));
}

void TestExportAbo::secondExportOfDayIs002() {
    IniFile::Write(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "FormatBanky", "Fio");
    const auto exportOnce = [&](const QString& name) {
        TExportABO dialog(*m_host);
        const QStringList lines = save(dialog, name);
        dialog.close();
        return lines;
    };
    QStringList first = exportOnce(QStringLiteral("a.abo"));
    QCOMPARE(first[0].mid(40, 6), QStringLiteral("001001"));
    QCOMPARE(first[1], QStringLiteral("1 1501 001000 0800"));
    QStringList second = exportOnce(QStringLiteral("b.abo"));
    QCOMPARE(second[0].mid(40, 6), QStringLiteral("002002"));
    QCOMPARE(second[1], QStringLiteral("1 1501 002000 0800"));
    SeamGuard dayAfter = Clock::SetToday(QDate(2022, 1, 8));
    QStringList nextDay = exportOnce(QStringLiteral("d.abo"));
    dayAfter.restore();
    QCOMPARE(nextDay[0].mid(4, 6), QStringLiteral("080122"));
    QCOMPARE(nextDay[1], QStringLiteral("1 1501 001000 0800"));
    QCOMPARE(DialogHook::Records().size(), 3); // the save dialogs, no warning
    // The default profile keeps no count and always writes 001.
    IniFile::Write(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "FormatBanky", "Standardni");
    QCOMPARE(exportOnce(QStringLiteral("e.abo"))[1], QStringLiteral("1 1501 001001 0800"));
    QCOMPARE(stored("SouboryDne"), std::optional<QString>(QStringLiteral("8.1.2022 1")));
}

void TestExportAbo::handEditedTextWarns() {
    TExportABO dialog(*m_host);
    dialog.show();
    QString text = memo(dialog)->toPlainText();
    text.replace(QStringLiteral(" 000000025050 "), QStringLiteral(" 000000025000 "));
    memo(dialog)->setPlainText(text);

    DialogHook::PushAnswer(Answer::No);
    DialogHook::PushFileName(yearFolder() + QStringLiteral("/platby.abo"));
    dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
    QList<DialogHook::Record> records = DialogHook::Records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].kind, QStringLiteral("warning"));
    QCOMPARE(records[0].caption, AppTitle());
    QCOMPARE(records[0].text, QStringLiteral("Text ABO neodpovídá příkazu: řádek 3: součet skupiny 1750,50 "
                                             "neodpovídá součtu položek 1750,00.\n\nPřesto uložit?"));
    QCOMPARE(QDir(yearFolder()).entryList(QDir::Files), QStringList());

    DialogHook::ClearRecords();
    DialogHook::PushAnswer(Answer::Yes);
    QVERIFY(save(dialog, QStringLiteral("platby.abo"))
                .contains(QStringLiteral("000012-3456789012 000000025000 0000000000 0001000000 0000000077 ")));
    QCOMPARE(DialogHook::Records().size(), 2);
    QCOMPARE(DialogHook::UnansweredCount(), 0);
    QVERIFY(dialog.isVisible());
}

void TestExportAbo::noBreakSpaceInCommentSavesWithoutWarning() {
    // The text box gives a no-break space back as a plain one; the text is still the order's.
    WriteAboCommentsOption(m_host->settingsData, true);
    m_host->orderData.Items[0].Comment = QStringLiteral("Nájem\u00A0leden");
    TExportABO dialog(*m_host);
    dialog.show();
    const QStringList lines = save(dialog, QStringLiteral("platby.abo"));
    QCOMPARE(DialogHook::Records().size(), 1); // the save dialog only
    QCOMPARE(DialogHook::Records()[0].kind, QStringLiteral("save"));
    QVERIFY(lines.size() > 3);
    QVERIFY(QFile::exists(yearFolder() + QStringLiteral("/platby.abo")));
}

// VELORIN_SHOTS=<folder> saves a picture of the dialog for a look by eye.
void TestExportAbo::screenshot() {
    const QString folder = qEnvironmentVariable("VELORIN_SHOTS");
    if (folder.isEmpty())
        QSKIP("VELORIN_SHOTS not set");
    WriteAboCommentsOption(m_host->settingsData, true);
    IniFile::Write(SettingsFilePath(m_host->settingsData), "GenerovaniABO", "FormatBanky", "Fio");
    TExportABO dialog(*m_host);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(folder + QStringLiteral("/export-abo.png")));
}

QTEST_MAIN(TestExportAbo)
#include "tst_exportabo.moc"
