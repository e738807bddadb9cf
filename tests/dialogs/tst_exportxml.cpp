#include "FakeHost.h"
#include "TestFiles.h"
#include "TestOrders.h"
#include "Xmllint.h"
#include "common/Clock.h"
#include "common/DialogHook.h"
#include "dialogs/ExportABO_f.h"
#include "dialogs/ExportDialogs.h"
#include "dialogs/ExportXML_f.h"
#include "order/IniFile.h"
#include "pain/PainDocument.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestExportXml : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;
    SeamGuard m_today;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;

    QString yearFolder() const { return m_dir->filePath(QStringLiteral("2022")); }
    static QComboBox* profile(TExportXML& d) { return d.findChild<QComboBox*>(QStringLiteral("CB_Profil")); }
    static QString text(TExportXML& d) { return d.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(); }
    static QLabel* warning(TExportXML& d) { return d.findChild<QLabel*>(QStringLiteral("La_Varovani")); }
    static void clickSave(QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click(); }
    static QString msgId(const QByteArray& xml) {
        return QRegularExpression(QStringLiteral("<MsgId>([^<]*)</MsgId>")).match(QString::fromUtf8(xml)).captured(1);
    }

private slots:
    void initTestCase() { m_today = Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { m_today.restore(); }

    void init() {
        m_dialogs = DialogHook::Activate();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(yearFolder()));
        m_host = std::make_unique<FakeHost>();
        m_host->settingsData = AboExampleSettings();
        m_host->settingsData.ProgramFolder = m_dir->path() + QLatin1Char('/');
        m_host->orderData = AboExampleOrder(true);
        m_host->orderData.FilePath = yearFolder() + QStringLiteral("/2022003.ppu");
    }
    void cleanup() {
        m_dialogs.restore();
        m_host.reset();
        m_dir.reset();
    }

    void commandRefusesWithoutPayerAccount() {
        m_host->settingsData.CisloUctu.clear();
        ExportXmlCommand(*m_host);
        const auto records = DialogHook::Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, QStringLiteral("info"));
        QCOMPARE(records[0].text, QStringLiteral("Export XML nelze generovat. Není zadáno číslo účtu plátce."));
    }

    // EUR proposes SEPA; a choice the user made is kept for the next opening.
    void profileProposedAndRemembered() {
        m_host->settingsData.Mena = QStringLiteral("EUR");
        {
            TExportXML d(*m_host);
            d.show();
            QCOMPARE(profile(d)->currentText(), QStringLiteral("SEPA (EUR)"));
            QVERIFY(text(d).contains(QStringLiteral("Ccy=\"EUR\"")));
            d.close();
        }
        QVERIFY(!QFile::exists(SettingsFilePath(m_host->settingsData)));
        {
            TExportXML d(*m_host);
            d.show();
            profile(d)->setCurrentIndex(0);
            QVERIFY(text(d).contains(QStringLiteral("Ccy=\"CZK\"")));
            d.close();
        }
        QCOMPARE(IniFile::Read(SettingsFilePath(m_host->settingsData), "GenerovaniXML", "Profil"),
                 std::optional<QString>(QStringLiteral("CBA")));
        TExportXML d(*m_host);
        QCOMPARE(profile(d)->currentText(), QStringLiteral("ČBA (CZK)"));
    }

    // Two saves of one day: whole files that xmllint takes, with different MsgIds, and the folder
    // remembered for the next save, the ABO export's included. A payer's account failing its check
    // digits only warns.
    void savesValidFilesAndRemembersFolder() {
        m_host->settingsData.CisloUctu = QStringLiteral("35-123456788");
        const QString out = m_dir->filePath(QStringLiteral("banka"));
        QVERIFY(QDir().mkpath(out));
        TExportXML d(*m_host);
        QVERIFY(warning(d)->text().contains(QStringLiteral("Účet plátce")));
        DialogHook::PushFileName(out + QStringLiteral("/platby"));
        clickSave(d);
        const QByteArray first = ReadAll(out + QStringLiteral("/platby.xml"));
        QCOMPARE(DialogHook::Records().at(0).text, yearFolder() + QStringLiteral("/2022003.xml"));
        QCOMPARE(QString::fromUtf8(first), text(d));
        QCOMPARE(XmllintPainProblem(first), QString());
        DialogHook::ClearRecords();
        DialogHook::PushFileName(out + QStringLiteral("/platby2.xml"));
        clickSave(d);
        QCOMPARE(DialogHook::Records().at(0).text, out + QStringLiteral("/2022003.xml"));
        const QByteArray second = ReadAll(out + QStringLiteral("/platby2.xml"));
        QCOMPARE(msgId(first), QStringLiteral("2022003-1"));
        QCOMPARE(msgId(second), QStringLiteral("2022003-2"));

        DialogHook::ClearRecords();
        TExportABO abo(*m_host);
        DialogHook::PushFileName(QString());
        clickSave(abo);
        QCOMPARE(DialogHook::Records().last().text, out + QStringLiteral("/2022003.abo"));
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }

    void spoiltDocumentIsNotSaved() {
        const SeamGuard seam =
            SetPainDocumentSeam([](QByteArray& xml) { xml.replace("<Ccy>CZK</Ccy>", "<Ccy>Kč</Ccy>"); });
        TExportXML d(*m_host);
        clickSave(d);
        const auto records = DialogHook::Records();
        QCOMPARE(records.size(), 1); // no save dialog
        QCOMPARE(records[0].kind, QStringLiteral("info"));
        QVERIFY2(records[0].text.startsWith(QStringLiteral("Soubor XML neodpovídá schématu pain.001.001.03: řádek ")),
                 qPrintable(records[0].text));
        QVERIFY(records[0].text.endsWith(QStringLiteral(".\n\nSoubor XML nebyl uložen.")));
    }

    void unwritableFileNamedInError() {
        TExportXML d(*m_host);
        const QString path = m_dir->filePath(QStringLiteral("chybi/platby.xml"));
        DialogHook::PushFileName(path);
        clickSave(d);
        const auto records = DialogHook::Records();
        QCOMPARE(records.last().kind, QStringLiteral("error"));
        QVERIFY2(records.last().text.startsWith(QStringLiteral("Soubor ")) && records.last().text.contains(path),
                 qPrintable(records.last().text));
        QVERIFY(!ReadSettingsKey(m_host->settingsData, SettingsKeys::PainDayCount));
    }

    void startFolder_data() {
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside the order") << "" << false << "order/2022003.xml";
        QTest::newRow("installed: home") << "" << true << "home/2022003.xml";
        QTest::newRow("last folder first") << "last" << true << "last/2022003.xml";
        QTest::newRow("last folder gone") << "gone" << false << "order/2022003.xml";
    }
    void startFolder() {
        QFETCH(QString, last);
        QFETCH(bool, installed);
        QFETCH(QString, expected);
        for (const char* folder : {"order", "home", "last"})
            QVERIFY(QDir(m_dir->path()).mkpath(QLatin1String(folder)));
        auto in = [&](const QString& name) { return name.isEmpty() ? name : m_dir->filePath(name); };
        QCOMPARE(ExportStartPath(in(last), installed, in(QStringLiteral("home")), in(QStringLiteral("order")),
                                 QStringLiteral("2022003.xml")),
                 in(expected));
    }
};

QTEST_MAIN(TestExportXml)
#include "tst_exportxml.moc"
