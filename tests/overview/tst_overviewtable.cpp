#include "common/CzechFormat.h"
#include "common/TextFile.h"
#include "order/OrderReader.h"
#include "overview/OverviewTable.h"

#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"
#include "TestOrders.h"

namespace {

QStringList Column(const OverviewTable& t, int column) {
    QStringList cells;
    for (int r = 0; r < t.rowCount(); ++r)
        cells << t.cell(r, column);
    return cells;
}

} // namespace

class TestOverviewTable : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_names;

    void write(const QString& name, const QStringList& lines) {
        TextFile::WriteLines(m_dir.filePath(name), lines);
        m_names << name;
    }
    OverviewTable load(QStringList* problems = nullptr) {
        OverviewTable t;
        QStringList found;
        t.Load(m_dir.path(), m_names, found);
        if (problems)
            *problems = found;
        return t;
    }

private Q_SLOTS:
    void init() {
        QVERIFY(QDir(m_dir.path()).removeRecursively());
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_names.clear();
    }

    // Rows of one file stay together in item order, files follow the list; rows without an amount
    // give nothing; a comment holding "|" shows its part before it; short files are skipped.
    void loadsRowsAsRead() {
        write("2022001.ppu", OrderLines(QStringLiteral("Banka"), "3.1.2022",
                                        {"111|0100|10,00|1||||", "|||||||", "222|0300|20,50||||a|b|"}));
        write("2022002.ppu", {"jen", "tři", "řádky"});
        write("2022003.ppu", OrderLines(QStringLiteral("Banka"), "3.1.2022",
                                        {"333|0800|sto|||||", "444|0600|1.5|||||", "555|2010|7,00"}));
        QStringList problems;
        const OverviewTable t = load(&problems);
        QCOMPARE(problems, QStringList{"2022002.ppu: soubor má jen 3 řádky"});
        QCOMPARE(t.rowCount(), 4);
        QCOMPARE(Column(t, 1), (QStringList{"111", "222", "333", "444"}));
        QCOMPARE(Column(t, 0), (QStringList{"3.1.2022", "3.1.2022", "3.1.2022", "3.1.2022"}));
        QCOMPARE(Column(t, 4), (QStringList{"2022001.ppu", "2022001.ppu", "2022003.ppu", "2022003.ppu"}));
        QCOMPARE(Column(t, 5), (QStringList{"", "a", "", ""}));
        QCOMPARE(Column(t, 3), (QStringList{"10,00", "20,50", "sto", "1.5"}));
        // "sto" and "1.5" are no numbers with a decimal comma: out of the total, and counted.
        const OverviewTable::Total total = t.total();
        QCOMPARE(total.sum, 30.5);
        QCOMPARE(total.leftOut, 2);
    }

    void emptyFolderGivesOneEmptyRow() {
        write("2022001.ppu", OrderLines(QStringLiteral("Banka"), "3.1.2022", {}));
        OverviewTable t = load();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(Column(t, 0), QStringList{""});
        QCOMPARE(t.total().sum, 0.0);
        QCOMPARE(t.total().leftOut, 0);
        QVERIFY(t.Sort(0));
        QVERIFY(t.Sort(3));
        QCOMPARE(t.rowCount(), 1);
        QVERIFY(t.Matching("x", 1).empty());
    }

    void find_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeCell");
        QTest::addColumn<int>("expected");
        QTest::newRow("part, any case") << "leden" << 5 << 0 << true << false << false << 1;
        QTest::newRow("part, match case misses") << "leden" << 5 << 0 << true << true << false << -1;
        QTest::newRow("part, match case hits") << "Leden" << 5 << 0 << true << true << false << 1;
        QTest::newRow("diacritics fold") << "ŠKOLENÍ" << 5 << 0 << true << false << false << 3;
        QTest::newRow("whole cell, any case") << "nájem leden" << 5 << 0 << true << false << true << 1;
        QTest::newRow("whole cell, part misses") << "Leden" << 5 << 0 << true << false << true << -1;
        QTest::newRow("whole cell, match case") << "Nájem Leden" << 5 << 0 << true << true << true << 1;
        QTest::newRow("whole cell, case differs") << "nájem leden" << 5 << 0 << true << true << true << -1;
        QTest::newRow("0300 exactly, not 03001") << "0300" << 2 << 0 << true << true << true << 2;
        QTest::newRow("up from the end") << "0300" << 2 << 3 << false << false << false << 3;
        QTest::newRow("up sees no row below") << "0300" << 2 << 1 << false << false << true << -1;
        QTest::newRow("down past the last row") << "0300" << 2 << 4 << true << false << false << -1;
        QTest::newRow("not in Windows-1250") << "€™ø" << 5 << 0 << true << false << false << -1;
    }
    void find() {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(int, from);
        QFETCH(bool, down);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeCell);
        QFETCH(int, expected);
        write("2022001.ppu", OrderLines(QStringLiteral("Banka"), "3.1.2022",
                                        {"1|03001|1,00||||Platba|", "2|0100|1,00||||Nájem Leden|", "3|0300|1,00||||x|",
                                         "4|03000|1,00||||Školení|"}));
        const OverviewTable t = load();
        QCOMPARE(t.Find(text, column, from, down, matchCase, wholeCell).value_or(-1), expected);
    }

    // Filters compare in lower case and keep the order; they stack, in any column.
    void filtersStack() {
        write("2022001.ppu", OrderLines(QStringLiteral("Banka"), "3.1.2022",
                                        {"1|0100|1,00||||Nájem|", "2|0300|2,00||||NÁJEM garáž|"}));
        write("2022002.ppu",
              OrderLines(QStringLiteral("Banka"), "4.1.2022", {"3|0100|4,00||||nájem|", "4|0100|8,00||||Jiné|"}));
        OverviewTable t = load();
        const std::vector<int> rows = t.Matching("NÁJ", 5);
        QCOMPARE(rows, (std::vector<int>{0, 1, 2}));
        t.Keep(rows);
        QCOMPARE(t.total().sum, 7.0);
        t.Keep(t.Matching("0100", 2));
        QCOMPARE(Column(t, 1), (QStringList{"1", "3"}));
        t.Keep({});
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(Column(t, 1), QStringList{""});
    }

    // Amount by number, date by date, text by Windows-1250 bytes; equal keys keep their order;
    // cells that are no number or date go last.
    void sortsByTheThreeKeys() {
        write("2022001.ppu",
              OrderLines(QStringLiteral("Banka"), "10.1.2022", {"Zeta|a|1500,00|||||", "Čeněk|b|250,50|||||"}));
        write("2022002.ppu", OrderLines(QStringLiteral("Banka"), "2.1.2022",
                                        {"zeta|c|99,00|||||", "Alfa|d|250,50|||||", "Al|e|x|||||"}));
        write("2022003.ppu", OrderLines(QStringLiteral("Banka"), "bez data", {"Beta|f|-5|||||"}));
        OverviewTable t = load();
        t.Sort(3);
        QCOMPARE(Column(t, 3), (QStringList{"-5", "99,00", "250,50", "250,50", "1500,00", "x"}));
        QCOMPARE(Column(t, 2), (QStringList{"f", "c", "b", "d", "a", "e"})); // b before d: stable
        t.Sort(0);
        QCOMPARE(Column(t, 2), (QStringList{"c", "d", "e", "b", "a", "f"}));
        t.Sort(1);
        QCOMPARE(Column(t, 1), (QStringList{"Al", "Alfa", "Beta", "Zeta", "zeta", "Čeněk"}));
        QVERIFY(!t.Sort(6));
    }

    // The fast readings agree with the regional formats for every form.
    void numbersAndDatesReadAsTheRegionalFormats_data() {
        QTest::addColumn<QString>("text");
        for (const char* t : {"1250,00", "-3,5", "007,50", "5,", ",5", "-,5", "+5,00", " 5,00", "5,00 ", "1.5", "1,2,3",
                              "", "-", "12a", "99999999999999999999999,99", "1e5", "1 250,00"})
            QTest::newRow(t) << QString::fromUtf8(t);
    }
    void numbersAndDatesReadAsTheRegionalFormats() {
        QFETCH(QString, text);
        const QByteArray bytes = text.toLatin1();
        QCOMPARE(OrderFileReader::Number(bytes), CzechFormat::ParseNumber(text));
        for (const QString& date : {QStringLiteral("7.1.2022"), QStringLiteral("07.01.2022"),
                                    QStringLiteral("31.2.2022"), QStringLiteral("1.1.22"), QStringLiteral(" 7.1.2022"),
                                    QStringLiteral("7.1.20222"), QStringLiteral("7..2022"), QString()})
            QCOMPARE(OrderFileReader::Date(date.toLatin1()), CzechFormat::ParseDate(date));
    }

    // CR LF, lone CR and lone LF all end a line; the last line needs no line end.
    void readerCutsLines() {
        WriteRaw(m_dir.filePath("a.ppu"), QByteArray("1\r\n2\r3\n\n5\xe8|x|"));
        OrderFileReader reader;
        QVERIFY(reader.Read(m_dir.filePath("a.ppu")));
        QCOMPARE(reader.lineCount(), 5);
        QCOMPARE(reader.text(3), QString());
        QCOMPARE(reader.date(), QStringLiteral("5č|x|"));
        QCOMPARE(OrderFileReader::Field(reader.line(4), 1).toByteArray(), QByteArray("x"));
        QVERIFY(OrderFileReader::Field(reader.line(4), 2).isEmpty());
        QVERIFY(!reader.Read(m_dir.filePath("missing.ppu")));
        QVERIFY2(reader.problem().startsWith("soubor nelze načíst"), qPrintable(reader.problem()));
    }
};

QTEST_MAIN(TestOverviewTable)
#include "tst_overviewtable.moc"
