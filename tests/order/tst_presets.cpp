#include "TestFiles.h"
#include "common/Error.h"
#include "order/Presets.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

PaymentPreset Preset(const QStringList& f) {
    PaymentPreset p;
    for (int i = 0; i < kPresetFieldCount && i < f.size(); ++i)
        p.field(i) = f.at(i);
    return p;
}

} // namespace

class TestPresets : public QObject {
    Q_OBJECT

private slots:
    void line_data();
    void line();
    void fromLine_data();
    void fromLine();
    void forItem_data();
    void forItem();
    void fileRoundTrip();
    void readLineEnds();
    void missingAndEmptyFile();
    void writeFailureKeepsFile();
    void unencodableRefusedWhole();
    void sort_data();
    void sort();
    void sortFile();
};

void TestPresets::line_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::newRow("all empty") << QStringList{} << "|||||||"
                               << "";
    QTest::newRow("full") << QStringList{"Nájem", "19-2000145399", "0800", "123", "0308", "9", "byt Praha"}
                          << "Nájem|19-2000145399|0800|123|0308|9|byt Praha|"
                          << "Nájem";
    QTest::newRow("blanks and control characters trimmed")
        << QStringList{"  Elektřina\t", " 123 ", "\r0100\n", "", "", "", " \x01poznámka  "}
        << "Elektřina|123|0100||||poznámka|"
        << "Elektřina";
    // U+00A0 is a character of the code page, not a blank to drop.
    QTest::newRow("no-break space kept") << QStringList{QString(QChar(0xA0)) + "X"} << QString(QChar(0xA0)) + "X|||||||"
                                         << QString(QChar(0xA0)) + "X";
    QTest::newRow("inner blanks kept") << QStringList{"Plyn  a voda"} << "Plyn  a voda|||||||"
                                       << "Plyn  a voda";
}

void TestPresets::line() {
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QFETCH(QString, name);
    QCOMPARE(PresetLine(Preset(fields)), line);
    QCOMPARE(PresetLineName(line), name);
}

void TestPresets::fromLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("name");
    QTest::newRow("manager's line") << "Nájem|19-2000|0800|123|0308|9|byt|"
                                    << QStringList{"Nájem", "19-2000", "0800", "123", "0308", "9", "byt"} << "Nájem";
    QTest::newRow("short line leaves the rest empty")
        << "Voda|123|0100" << QStringList{"Voda", "123", "", "", "", "", ""} << "Voda";
    QTest::newRow("no bar at all") << "jen text" << QStringList{"", "", "", "", "", "", ""} << "";
    QTest::newRow("comment without its bar")
        << "a|1|2|3|4|5|konec" << QStringList{"a", "1", "2", "3", "4", "5", ""} << "a";
    QTest::newRow("text after the seventh bar dropped")
        << "a|1|2|3|4|5|k|navíc|" << QStringList{"a", "1", "2", "3", "4", "5", "k"} << "a";
    QTest::newRow("bar in the name shifts every field")
        << "Na|jem|19-2000|0800|123|0308|9|byt|" << QStringList{"Na", "jem", "19-2000", "0800", "123", "0308", "9"}
        << "Na";
}

void TestPresets::fromLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(QString, name);
    QCOMPARE(PresetFromLine(line), Preset(fields));
    QCOMPARE(PresetLineName(line), name);
}

void TestPresets::forItem_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("manager's line") << "Nájem|19-2000|0800|123|0308|9|byt|" << true
                                    << QStringList{"Nájem", "19-2000", "0800", "123", "0308", "9", "byt"};
    QTest::newRow("seven fields without the last bar")
        << "a|1|2|3|4|5|k" << true << QStringList{"a", "1", "2", "3", "4", "5", "k"};
    QTest::newRow("six fields: damaged") << "a|1|2|3|4|5" << false << QStringList{};
    QTest::newRow("empty line: damaged") << "" << false << QStringList{};
    QTest::newRow("bar in the name shifts") << "Na|jem|19-2000|0800|123|0308|9|byt|" << true
                                            << QStringList{"Na", "jem", "19-2000", "0800", "123", "0308", "9"};
}

void TestPresets::forItem() {
    QFETCH(QString, line);
    QFETCH(bool, taken);
    QFETCH(QStringList, fields);
    const std::optional<PaymentPreset> p = PresetForItem(line);
    QCOMPARE(p.has_value(), taken);
    if (taken)
        QCOMPARE(*p, Preset(fields));
}

void TestPresets::fileRoundTrip() {
    QTemporaryDir dir;
    const QString path = PresetsFilePath(dir.path() + "/");
    QCOMPARE(path, dir.path() + "/predvolby.pvb");
    const QStringList lines{"Účet – Žluťoučký kůň|1|2|3|4|5|€ poznámka|", "|||||||"};
    WritePresetLines(path, lines);
    // Windows-1250 bytes: Ú=0xDA, – = 0x96, Ž=0x8E, ť=0x9D, € = 0x80; CR LF after the last line too.
    const QByteArray expected = "\xDA\xE8\x65t \x96 \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2|1|2|3|4|5|\x80 pozn\xE1mka|\r\n"
                                "|||||||\r\n";
    QCOMPARE(ReadAll(path), expected);
    QCOMPARE(ReadPresetLines(path), lines);
}

void TestPresets::readLineEnds() {
    QTemporaryDir dir;
    const QString path = PresetsFilePath(dir.path() + "/");
    WriteRaw(path, "a|||||||\rb|||||||\nc|||||||\r\nd|||||||");
    QCOMPARE(ReadPresetLines(path), (QStringList{"a|||||||", "b|||||||", "c|||||||", "d|||||||"}));
}

void TestPresets::missingAndEmptyFile() {
    QTemporaryDir dir;
    const QString path = PresetsFilePath(dir.path() + "/");
    QVERIFY(ReadPresetLines(path).isEmpty());
    WriteRaw(path, "");
    QVERIFY(ReadPresetLines(path).isEmpty());
}

void TestPresets::writeFailureKeepsFile() {
    QTemporaryDir dir;
    // A folder that is a file cannot hold one, even for root.
    WriteRaw(dir.path() + "/soubor", "x");
    const QString bad = dir.path() + "/soubor/predvolby.pvb";
    try {
        WritePresetLines(bad, {"a|||||||"});
        QFAIL("no error");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains("predvolby.pvb"), qPrintable(e.message()));
    }
}

void TestPresets::unencodableRefusedWhole() {
    QTemporaryDir dir;
    const QString path = PresetsFilePath(dir.path() + "/");
    WritePresetLines(path, {"staré|||||||"});
    const QByteArray before = ReadAll(path);
    QVERIFY_THROWS_EXCEPTION(VelorinError, WritePresetLines(path, {"dobré|||||||", "špatné ø|||||||"}));
    QCOMPARE(ReadAll(path), before);
}

void TestPresets::sort_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("Czech letters: č after c, ch after h, ř after r")
        << QStringList{"chata|||||||", "hora|||||||", "čaj|||||||", "cukr|||||||",
                       "řeka|||||||",  "ryba|||||||", "zima|||||||"}
        << QStringList{"cukr|||||||", "čaj|||||||",  "hora|||||||", "chata|||||||",
                       "ryba|||||||", "řeka|||||||", "zima|||||||"};
    QTest::newRow("same name ordered by account")
        << QStringList{"Nájem|45|0100|||||", "Nájem|123|0800|||||", "Nájem|1234|0300|||||"}
        << QStringList{"Nájem|123|0800|||||", "Nájem|1234|0300|||||", "Nájem|45|0100|||||"};
    QTest::newRow("a name before its longer relatives")
        << QStringList{"Nájemné|1||||||", "Nájem|9||||||"} << QStringList{"Nájem|9||||||", "Nájemné|1||||||"};
    QTest::newRow("letter case ignored, order of equals kept")
        << QStringList{"beta|||||||", "ALFA|||||||", "Beta|||||||", "alfa|||||||"}
        << QStringList{"ALFA|||||||", "alfa|||||||", "beta|||||||", "Beta|||||||"};
    QTest::newRow("duplicates and empty names kept") << QStringList{"b|||||||", "|||||||", "b|||||||", "bez čáry"}
                                                     << QStringList{"|||||||", "b|||||||", "b|||||||", "bez čáry"};
}

void TestPresets::sort() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, sorted);
    SortPresetLines(lines);
    QCOMPARE(lines, sorted);
}

void TestPresets::sortFile() {
    QTemporaryDir dir;
    const QString path = PresetsFilePath(dir.path() + "/");
    QVERIFY(!SortPresetsFile(path));
    QVERIFY(!QFile::exists(path));

    WriteRaw(path, "\x9Akola|1||||||\nauto|2||||||\r\n");
    QVERIFY(SortPresetsFile(path));
    QCOMPARE(ReadAll(path), QByteArray("auto|2||||||\r\n\x9Akola|1||||||\r\n"));
}

QTEST_GUILESS_MAIN(TestPresets)
#include "tst_presets.moc"
