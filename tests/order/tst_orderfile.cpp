#include "common/Error.h"
#include "order/OrderFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"

namespace {

PaymentOrder SampleOrder() {
    PaymentOrder order;
    order.Bank = PayerBank{"Česká spořitelna", "Národní 1", "19-2000145399", "0800"};
    order.OrderDate = "7.1.2022";
    OrderItem& first = order.Items[0];
    first.Account = "123456789";
    first.BankCode = "0100";
    first.Amount = "1250,00";
    first.VariableSymbol = "2201";
    OrderItem& second = order.Items[1];
    second.Account = "987654321";
    second.BankCode = "2010";
    second.Amount = "99,90";
    second.ConstantSymbol = "0308";
    second.SpecificSymbol = "77";
    second.Comment = "Úhrada faktury – leden";
    order.Items[15].Comment = "jen komentář";
    return order;
}

// The 21 lines of a file, joined by eol (and ended by it when final is set).
QByteArray FileBytes(const QList<QByteArray>& lines, const QByteArray& eol, bool final = true) {
    QByteArray bytes = lines.join(eol);
    if (final)
        bytes += eol;
    return bytes;
}

QList<QByteArray> SampleLines() {
    QList<QByteArray> lines{"Banka", "Ulice", "123", "0100", "1.2.2023", "111|0300|10,00|1|2|3|Koment\xe1\xf8|"};
    while (lines.size() < 21)
        lines.append("|||||||");
    return lines;
}

} // namespace

class TestOrderFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savesBytesOnDisk();
    void roundTrip();
    void lineEnds_data();
    void lineEnds();
    void rowLinesReadFromTheLeft();
    void extraLinesIgnored();
    void tooFewLinesRefused_data();
    void tooFewLinesRefused();
    void missingFileNamesIt();
    void buildLinesRefusesBadFields_data();
    void buildLinesRefusesBadFields();
    void saveFailureKeepsOldFile();

    void listOrderFiles();
    void nextName_data();
    void nextName();
    void nextNameWithoutNumberFails();
    void nextNameSkipsTakenNames();

private:
    QString touch(const QString& name);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestOrderFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestOrderFile::cleanup() {
    m_dir.reset();
}

QString TestOrderFile::touch(const QString& name) {
    const QString path = m_dir->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qWarning("cannot create %s", qPrintable(path));
    return path;
}

void TestOrderFile::savesBytesOnDisk() {
    const QString path = m_dir->filePath("2022001.ppu");
    OrderFile::Save(SampleOrder(), path);
    QList<QByteArray> expected{"\xc8\x65sk\xe1 spo\xf8itelna",
                               "N\xe1rodn\xed 1",
                               "19-2000145399",
                               "0800",
                               "7.1.2022",
                               "123456789|0100|1250,00|2201||||",
                               "987654321|2010|99,90||0308|77|\xdahrada faktury \x96 leden|"};
    while (expected.size() < 20)
        expected.append("|||||||");
    expected.append("||||||jen koment\xe1\xf8|");
    QCOMPARE(ReadAll(path), FileBytes(expected, "\r\n"));
}

void TestOrderFile::roundTrip() {
    const QString path = m_dir->filePath("2022001.ppu");
    const PaymentOrder order = SampleOrder();
    OrderFile::Save(order, path);
    const PaymentOrder loaded = OrderFile::Load(path);
    QCOMPARE(loaded.Bank, order.Bank);
    QCOMPARE(loaded.OrderDate, order.OrderDate);
    QCOMPARE(loaded.FilePath, path);
    for (int r = 0; r < kItemCount; ++r)
        QCOMPARE(loaded.Items[std::size_t(r)], order.Items[std::size_t(r)]);
    QCOMPARE(loaded.Total, 1349.9);

    // Saving what was loaded gives the same bytes.
    const QByteArray first = ReadAll(path);
    OrderFile::Save(loaded, path);
    QCOMPARE(ReadAll(path), first);
}

void TestOrderFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("crlf") << FileBytes(SampleLines(), "\r\n");
    QTest::newRow("lf") << FileBytes(SampleLines(), "\n");
    QTest::newRow("cr") << FileBytes(SampleLines(), "\r");
    QTest::newRow("lf without final end") << FileBytes(SampleLines(), "\n", false);
}

void TestOrderFile::lineEnds() {
    QFETCH(QByteArray, bytes);
    const QString path = m_dir->filePath("x.ppu");
    WriteRaw(path, bytes);
    const PaymentOrder order = OrderFile::Load(path);
    QCOMPARE(order.Bank, (PayerBank{"Banka", "Ulice", "123", "0100"}));
    QCOMPARE(order.OrderDate, QStringLiteral("1.2.2023"));
    QCOMPARE(RowText(order.Items[0]), QStringLiteral("111|0300|10,00|1|2|3|Komentář|"));
    for (int r = 1; r < kItemCount; ++r)
        QVERIFY(!order.Items[std::size_t(r)].isNonEmpty());
}

void TestOrderFile::rowLinesReadFromTheLeft() {
    QList<QByteArray> lines = SampleLines();
    lines[5] = "111|0300|10,00|1|2|3|p\xf8\xed|jmen\xed|"; // a "|" inside the comment
    lines[6] = "222|0100|5,00|||9|bez konce";              // no final "|"
    lines[7] = "333|0100|";                                // a short line
    WriteRaw(m_dir->filePath("x.ppu"), FileBytes(lines, "\r\n"));
    const PaymentOrder order = OrderFile::Load(m_dir->filePath("x.ppu"));
    QCOMPARE(RowText(order.Items[0]), QStringLiteral("111|0300|10,00|1|2|3|jmení|"));
    QCOMPARE(RowText(order.Items[1]), QStringLiteral("222|0100|5,00|||9||"));
    QCOMPARE(RowText(order.Items[2]), QStringLiteral("333|0100||||||"));
}

void TestOrderFile::extraLinesIgnored() {
    QList<QByteArray> lines = SampleLines();
    lines.append("999|9999|1,00||||navíc|");
    WriteRaw(m_dir->filePath("x.ppu"), FileBytes(lines, "\r\n"));
    qsizetype extra = -1;
    const PaymentOrder order = OrderFile::Load(m_dir->filePath("x.ppu"), &extra);
    QCOMPARE(order.ComputeTotal().total, 10.0);
    QCOMPARE(extra, qsizetype(1));
    // Blank lines an editor leaves at the end hold nothing to lose; one in between does count.
    lines << ""
          << " \t"
          << "poznámka"
          << ""
          << "";
    WriteRaw(m_dir->filePath("x.ppu"), FileBytes(lines, "\r\n"));
    OrderFile::Load(m_dir->filePath("x.ppu"), &extra);
    QCOMPARE(extra, qsizetype(4));
    WriteRaw(m_dir->filePath("x.ppu"), FileBytes(SampleLines() << ""
                                                               << "",
                                                 "\n"));
    OrderFile::Load(m_dir->filePath("x.ppu"), &extra);
    QCOMPARE(extra, qsizetype(0));
}

void TestOrderFile::tooFewLinesRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("count");
    QList<QByteArray> twenty = SampleLines();
    twenty.removeLast();
    QTest::newRow("20 lines") << FileBytes(twenty, "\r\n") << "má jen 20 řádků";
    QTest::newRow("empty file") << QByteArray() << "má jen 0 řádků";
    QTest::newRow("one line") << QByteArray("Banka\r\n") << "má jen 1 řádek";
    QTest::newRow("three lines") << FileBytes(SampleLines().mid(0, 3), "\r\n") << "má jen 3 řádky";
    QTest::newRow("header only") << FileBytes(SampleLines().mid(0, 5), "\n") << "má jen 5 řádků";
}

void TestOrderFile::tooFewLinesRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, count);
    const QString path = m_dir->filePath("short.ppu");
    WriteRaw(path, bytes);
    PaymentOrder order = SampleOrder();
    try {
        order = OrderFile::Load(path);
        QFAIL("a short file was loaded");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        QVERIFY2(e.message().contains(count), qPrintable(e.message()));
    }
    // Nothing of the file reached the order held before.
    QCOMPARE(order.Bank, SampleOrder().Bank);
    QCOMPARE(order.Items[0], SampleOrder().Items[0]);
}

void TestOrderFile::missingFileNamesIt() {
    const QString path = m_dir->filePath("2022/2022001.ppu");
    try {
        OrderFile::Load(path);
        QFAIL("a missing file was loaded");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
}

void TestOrderFile::buildLinesRefusesBadFields_data() {
    QTest::addColumn<int>("row");    // 0 for the header and date
    QTest::addColumn<int>("column"); // field of the row, or 0..3 bank, 4 date
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("where");
    QTest::newRow("bar in comment") << 3 << 6 << "a|b"
                                    << "Řádek 3, pole Komentář";
    QTest::newRow("line feed in amount") << 1 << 2 << "1\n2"
                                         << "Řádek 1, pole Částka";
    QTest::newRow("carriage return in account") << 16 << 0 << "12\r"
                                                << "Řádek 16, pole Ve prospěch účtu číslo";
    QTest::newRow("unencodable in symbol") << 5 << 3 << "ø"
                                           << "Řádek 5, pole Variabilní symbol";
    QTest::newRow("bar in bank name") << 0 << 0 << "A|B"
                                      << "Název banky";
    QTest::newRow("line break in street") << 0 << 1 << "A\r\nB"
                                          << "Pobočka - ulice";
    QTest::newRow("unencodable in bank code") << 0 << 3 << "Ж"
                                              << "Směrový kód";
    QTest::newRow("bar in date") << 0 << 4 << "1.1.2022|"
                                 << "Datum";
}

void TestOrderFile::buildLinesRefusesBadFields() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, where);
    PaymentOrder order = SampleOrder();
    if (row > 0) {
        order.Items[std::size_t(row - 1)].field(column) = text;
    } else {
        QString* header[] = {&order.Bank.NazevBanky, &order.Bank.Adresa, &order.Bank.CisloUctu, &order.Bank.SmerovyKod,
                             &order.OrderDate};
        *header[column] = text;
    }
    try {
        OrderFile::BuildLines(order);
        QFAIL("a bad field was accepted");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(where), qPrintable(e.message()));
    }

    // Save refuses the same before touching the file.
    const QString path = m_dir->filePath("2022001.ppu");
    OrderFile::Save(SampleOrder(), path);
    const QByteArray before = ReadAll(path);
    QVERIFY_THROWS_EXCEPTION(VelorinError, OrderFile::Save(order, path));
    QCOMPARE(ReadAll(path), before);
}

void TestOrderFile::saveFailureKeepsOldFile() {
    // The year folder is a file here, so nothing can be written below it.
    WriteRaw(m_dir->filePath("2022"), "not a folder");
    const QString path = m_dir->filePath("2022/2022001.ppu");
    try {
        OrderFile::Save(SampleOrder(), path);
        QFAIL("the save did not fail");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QCOMPARE(ReadAll(m_dir->filePath("2022")), QByteArray("not a folder"));
}

void TestOrderFile::listOrderFiles() {
    touch("2022002.ppu");
    touch("2022001.PPU");
    touch(".2022009.ppu"); // hidden
    touch("notes.txt");
    touch("2022003.ppu.bak");
    QVERIFY(QDir(m_dir->path()).mkdir("2022005.ppu")); // a folder
    int idleCalls = 0;
    const QStringList names = OrderFile::ListOrderFiles(m_dir->path(), [&] { ++idleCalls; });
    QCOMPARE(names, (QStringList{"2022001.PPU", "2022002.ppu"}));
    QCOMPARE(idleCalls, 2);
}

void TestOrderFile::nextName_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty folder") << QStringList{} << 2022 << "2022001.ppu";
    QTest::newRow("only other files") << QStringList{"notes.txt", "2022001.bak"} << 2022 << "2022001.ppu";
    QTest::newRow("001 and 002") << QStringList{"2022001.ppu", "2022002.ppu"} << 2022 << "2022003.ppu";
    QTest::newRow("year does not matter then") << QStringList{"2022001.ppu"} << 2023 << "2022002.ppu";
    QTest::newRow("999 to the next thousand") << QStringList{"2022998.ppu", "2022999.ppu"} << 2022 << "2023000.ppu";
    QTest::newRow("unequal lengths") << QStringList{"2022001.ppu", "2022002.ppu", "99.ppu"} << 2022 << "2022003.ppu";
    QTest::newRow("shorter name sorts first") << QStringList{"10000.ppu", "9999.ppu"} << 2022 << "10001.ppu";
    QTest::newRow("non-number beside numbers") << QStringList{"2022001.ppu", "zaloha.ppu"} << 2022 << "2022002.ppu";
    QTest::newRow("upper-case extension") << QStringList{"2022004.PPU"} << 2022 << "2022005.ppu";
    QTest::newRow("hidden files ignored") << QStringList{"2022001.ppu", ".2022050.ppu"} << 2022 << "2022002.ppu";
    QTest::newRow("number too big for 64 bits beside a number")
        << QStringList{"99999999999999999999.ppu", "2022001.ppu"} << 2022 << "2022002.ppu";
}

void TestOrderFile::nextName() {
    QFETCH(QStringList, present);
    QFETCH(int, year);
    QFETCH(QString, expected);
    for (const QString& name : present)
        touch(name);
    QCOMPARE(OrderFile::NextOrderFileName(m_dir->path(), year), expected);
}

void TestOrderFile::nextNameWithoutNumberFails() {
    touch("prvni.ppu");
    touch("zaloha.ppu");
    touch(".2022001.ppu");
    QVERIFY(QDir(m_dir->path()).mkdir("2022002.ppu"));
    try {
        OrderFile::NextOrderFileName(m_dir->path(), 2022);
        QFAIL("a name was made without any number");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(m_dir->path()), qPrintable(e.message()));
        QVERIFY2(e.message().contains("zaloha.ppu"), qPrintable(e.message()));
    }
}

void TestOrderFile::nextNameSkipsTakenNames() {
    touch("2022001.ppu");
    touch("2022003.PPU");
    // Neither is listed as an order, yet each blocks its name.
    QVERIFY(QDir(m_dir->path()).mkdir("2022004.ppu"));
    QVERIFY(QFile::link(m_dir->filePath("gone"), m_dir->filePath("2022005.ppu")));
    int idleCalls = 0;
    QCOMPARE(OrderFile::NextOrderFileName(m_dir->path(), 2022, [&] { ++idleCalls; }), QStringLiteral("2022006.ppu"));
    QCOMPARE(idleCalls, 2);
}

QTEST_GUILESS_MAIN(TestOrderFile)
#include "tst_orderfile.moc"
