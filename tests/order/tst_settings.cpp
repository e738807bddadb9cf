#include "common/Clock.h"
#include "common/Error.h"
#include "order/IniFile.h"
#include "order/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"

class TestSettings : public QObject {
    Q_OBJECT
    SeamGuard m_today;

private slots:
    void init();
    void cleanup();

    void firstStart();
    void presentEmptyKeys();
    void year_data();
    void year();
    void saveWritesAllEightKeys();
    void saveKeepsForeignLines();
    void saveFailure();
    void aboOption();
    void payerBank();

private:
    QString folder() const { return m_dir->path() + QLatin1Char('/'); }
    QString iniPath() const { return folder() + QStringLiteral("Velorin.ini"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_today = Clock::SetToday(QDate(2024, 3, 15));
}

void TestSettings::cleanup() {
    m_today.restore();
    m_dir.reset();
}

void TestSettings::firstStart() {
    const Settings s = LoadSettings(folder());
    QCOMPARE(s.ProgramFolder, folder());
    QCOMPARE(s.AktualniRok, 2024);
    QCOMPARE(s.CisloKlienta, QStringLiteral("0000000000"));
    QCOMPARE(s.Mena, QStringLiteral("Kč"));
    QVERIFY(s.NazevBanky.isEmpty() && s.Adresa.isEmpty() && s.CisloUctu.isEmpty() && s.SmerovyKod.isEmpty());
    QVERIFY(s.NazevKlienta.isEmpty());
    QVERIFY(!ReadAboCommentsOption(s));
    QCOMPARE(SettingsFilePath(s), iniPath());
    QCOMPARE(YearFolder(s), folder() + QStringLiteral("2024"));
    QVERIFY(QFileInfo(YearFolder(s)).isDir());
    QVERIFY(!QFile::exists(iniPath())); // a first start writes nothing
}

void TestSettings::presentEmptyKeys() {
    WriteRaw(iniPath(), "[Udaje]\r\nCisloKlienta=\r\nMena=\r\nNazevBanky= \"Fio banka\" \r\n");
    const QByteArray before = ReadAll(iniPath());
    const Settings s = LoadSettings(folder());
    QCOMPARE(s.CisloKlienta, QString());
    QCOMPARE(s.Mena, QString());
    QCOMPARE(s.NazevBanky, QStringLiteral("Fio banka"));
    QCOMPARE(ReadAll(iniPath()), before);
}

void TestSettings::year_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("2022") << 2022;
    QTest::newRow("hex 0x") << QByteArray("0x7E6") << 2022;
    QTest::newRow("hex dollar") << QByteArray("$7E5") << 2021;
    QTest::newRow("not a number") << QByteArray("letos") << 2024;
    QTest::newRow("empty") << QByteArray("") << 2024;
}

void TestSettings::year() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    WriteRaw(iniPath(), "[udaje]\nAKTUALNIROK=" + value + "\n");
    const Settings s = LoadSettings(folder());
    QCOMPARE(s.AktualniRok, expected);
    QVERIFY(QFileInfo(folder() + QString::number(expected)).isDir());
}

void TestSettings::saveWritesAllEightKeys() {
    Settings s = LoadSettings(folder());
    s.AktualniRok = 2023;
    s.NazevBanky = "Česká spořitelna";
    s.Adresa = "";
    s.CisloUctu = " 123 "; // stored exactly as held
    s.SmerovyKod = "0800";
    s.NazevKlienta = "FIRMA";
    s.CisloKlienta = "";
    s.Mena = "Kč";
    SaveSettings(s);
    QCOMPARE(ReadAll(iniPath()), QByteArray("[Udaje]\r\n"
                                            "AktualniRok=2023\r\n"
                                            "NazevBanky=\xc8\x65sk\xe1 spo\xf8itelna\r\n"
                                            "Adresa=\r\n"
                                            "CisloUctu= 123 \r\n"
                                            "SmerovyKod=0800\r\n"
                                            "NazevKlienta=FIRMA\r\n"
                                            "CisloKlienta=\r\n"
                                            "Mena=K\xe8\r\n"));
    const Settings again = LoadSettings(folder());
    QCOMPARE(again.AktualniRok, 2023);
    QCOMPARE(again.NazevBanky, s.NazevBanky);
    QCOMPARE(again.CisloKlienta, QString()); // empty, not the default
    QCOMPARE(again.Mena, QStringLiteral("Kč"));
}

void TestSettings::saveKeepsForeignLines() {
    const QByteArray foreign = "; keep me\n[Udaje]\nMena=EUR\nVlastni=ano\r\n[Jine]\r\nx=1";
    WriteRaw(iniPath(), foreign);
    Settings s = LoadSettings(folder());
    QCOMPARE(s.Mena, QStringLiteral("EUR"));
    SaveSettings(s);
    WriteAboCommentsOption(s, true);
    const QByteArray after = ReadAll(iniPath());
    QVERIFY(after.startsWith("; keep me\n[Udaje]\nMena=EUR\nVlastni=ano\r\n"));
    QVERIFY(after.contains("\r\n[Jine]\r\nx=1\r\n"));
    QVERIFY(after.contains("[GenerovaniABO]\r\nPripojovatKomentare=1\r\n"));
    QCOMPARE(IniFile::Read(iniPath(), "Udaje", "Vlastni"), std::optional<QString>("ano"));
    QCOMPARE(IniFile::Read(iniPath(), "Jine", "x"), std::optional<QString>("1"));
}

void TestSettings::saveFailure() {
    WriteRaw(m_dir->filePath("prog"), "file");
    Settings s;
    s.ProgramFolder = m_dir->filePath("prog") + QLatin1Char('/');
    s.AktualniRok = 2022;
    try {
        SaveSettings(s);
        QFAIL("the save did not fail");
    } catch (const VelorinError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + SettingsFilePath(s));
    }
    QCOMPARE(ReadAll(m_dir->filePath("prog")), QByteArray("file"));
    // The year folder cannot be made either; that is not reported.
    EnsureYearFolder(s);
}

void TestSettings::aboOption() {
    const Settings s = LoadSettings(folder());
    QVERIFY(!ReadAboCommentsOption(s));
    WriteAboCommentsOption(s, true);
    QVERIFY(ReadAboCommentsOption(s));
    QCOMPARE(IniFile::Read(iniPath(), "GenerovaniABO", "PripojovatKomentare"), std::optional<QString>("1"));
    WriteAboCommentsOption(s, false);
    QVERIFY(!ReadAboCommentsOption(s));
    QCOMPARE(IniFile::Read(iniPath(), "GenerovaniABO", "PripojovatKomentare"), std::optional<QString>("0"));

    // Any number but 0 is on; text is off.
    WriteRaw(iniPath(), "[GenerovaniABO]\nPripojovatKomentare=0x10\n");
    QVERIFY(ReadAboCommentsOption(s));
    WriteRaw(iniPath(), "[GenerovaniABO]\nPripojovatKomentare=ano\n");
    QVERIFY(!ReadAboCommentsOption(s));
}

void TestSettings::payerBank() {
    Settings s;
    s.setPayerBank(PayerBank{"B", "A", "C", "S"});
    QCOMPARE(s.NazevBanky, QStringLiteral("B"));
    QCOMPARE(s.SmerovyKod, QStringLiteral("S"));
    QCOMPARE(s.payerBank(), (PayerBank{"B", "A", "C", "S"}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
