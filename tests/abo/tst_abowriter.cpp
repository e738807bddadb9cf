#include "TestOrders.h"
#include "abo/AboWriter.h"
#include "common/Clock.h"
#include "common/Error.h"
#include "common/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray WrittenBytes(const QStringList& lines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("platby.abo"));
    TextFile::WriteLines(path, lines);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestAboWriter : public QObject {
    Q_OBJECT
    SeamGuard m_today;

private slots:
    void initTestCase() { m_today = Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { m_today.restore(); }

    void account_data();
    void account();
    void amount_data();
    void amount();
    void exampleBytesOnDisk_data();
    void exampleBytesOnDisk();
    void layouts_data();
    void layouts();
    void messages_data();
    void messages();
    void header_data();
    void header();
    void groupTotalFromRoundedRows();
    void problems_data();
    void problems();
    void unreadableDateThrows();
};

void TestAboWriter::account_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no dash") << "123456789"
                             << "000000-0123456789";
    QTest::newRow("prefix") << "12-345"
                            << "000012-0000000345";
    QTest::newRow("payer example") << "35-123456789"
                                   << "000035-0123456789";
    QTest::newRow("16 digits lose the 7th") << "1234567890123456"
                                            << "012345-7890123456";
    QTest::newRow("17 digits lose the 7th") << "12345678901234567"
                                            << "123456-8901234567";
    QTest::newRow("overlong prefix") << "1234567-1"
                                     << "123456-0000000001";
    QTest::newRow("overlong number") << "1-12345678901"
                                     << "000001-1234567890";
    QTest::newRow("empty") << ""
                           << "000000-0000000000";
    QTest::newRow("dash only") << "-"
                               << "000000-0000000000";
}

void TestAboWriter::account() {
    QFETCH(QString, account);
    QFETCH(QString, expected);
    QCOMPARE(AboAccount(account), expected);
}

void TestAboWriter::amount_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals") << "1500,00"
                                  << "150000";
    QTest::newRow("halers") << "250,50"
                            << "25050";
    QTest::newRow("one decimal") << "12,5"
                                 << "1250";
    QTest::newRow("no decimals") << "12"
                                 << "1200";
    QTest::newRow("three decimals down") << "12,344"
                                         << "1234";
    QTest::newRow("three decimals half up") << "0,145"
                                            << "15";
    QTest::newRow("three decimals half up, binary below") << "2,675"
                                                          << "268";
    QTest::newRow("zero") << "0,00"
                          << "0";
    QTest::newRow("largest") << "9999999999,99"
                             << "999999999999";
    QTest::newRow("too large") << "10000000000,00"
                               << "";
    QTest::newRow("negative") << "-5,00"
                              << "";
    QTest::newRow("no number") << "abc"
                               << "";
    QTest::newRow("two commas") << "1,2,3"
                                << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestAboWriter::amount() {
    QFETCH(QString, amount);
    QFETCH(QString, expected);
    QCOMPARE(AboAmount(amount), expected);
    QCOMPARE(AboHalers(amount).has_value(), !expected.isEmpty());
}

void TestAboWriter::exampleBytesOnDisk_data() {
    QTest::addColumn<bool>("withRow2");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("several items") << true
                                   << QByteArray("UHL1070122Firma Alfa          0000123456001001000000000000\r\n"
                                                 "1 1501 001001 0800\r\n"
                                                 "2 000035-0123456789 00000000175050 100122\r\n"
                                                 "000000-0987654321 000000150000 0002022001 0003000308 0000000000 "
                                                 "N\xe1jem leden\r\n"
                                                 "000012-3456789012 000000025050 0000000000 0001000000 0000000077 \r\n"
                                                 "3 +\r\n"
                                                 "5 +\r\n");
    QTest::newRow("one item") << false
                              << QByteArray("UHL1070122Firma Alfa          0000123456001001000000000000\r\n"
                                            "1 1501 001001 0800\r\n"
                                            "2  00000000150000 100122\r\n"
                                            "000035-0123456789 000000-0987654321 000000150000 0002022001 "
                                            "0003000308 0000000000 N\xe1jem leden\r\n"
                                            "3 +\r\n"
                                            "5 +\r\n");
}

void TestAboWriter::exampleBytesOnDisk() {
    QFETCH(bool, withRow2);
    QFETCH(QByteArray, expected);
    const Settings s = AboExampleSettings();
    const PaymentOrder order = AboExampleOrder(withRow2);
    QCOMPARE(WrittenBytes(BuildAboText(order, s, true)), expected);
}

// Which rows give item records and which layout the valid items choose.
void TestAboWriter::layouts_data() {
    QTest::addColumn<QList<int>>("rows"); // 0-based rows to fill
    QTest::addColumn<QStringList>("accounts");
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QStringList>("expectedItems");
    QTest::addColumn<QString>("expectedGroup");

    const QString payer = QStringLiteral("000035-0123456789 ");
    QTest::newRow("valid item without amount")
        << QList<int>{0} << QStringList{"987654321"} << QStringList{""} << QStringList{} << "2  00000000000000 100122";
    QTest::newRow("two amount rows, one with account")
        << QList<int>{1, 4} << QStringList{"987654321", ""} << QStringList{"100,00", "20,00"}
        << QStringList{payer + "000000-0987654321 000000010000 0000000000 0000000000 0000000000 ",
                       payer + "000000-0000000000 000000002000 0000000000 0000000000 0000000000 "}
        << "2  00000000012000 100122";
    QTest::newRow("item in row 5") << QList<int>{4} << QStringList{"19-2000145399"} << QStringList{"42,10"}
                                   << QStringList{payer +
                                                  "000019-2000145399 000000004210 0000000000 0000000000 0000000000 "}
                                   << "2  00000000004210 100122";
    QTest::newRow("no valid item takes the several layout")
        << QList<int>{2} << QStringList{""} << QStringList{"5,00"}
        << QStringList{"000000-0000000000 000000000500 0000000000 0000000000 0000000000 "}
        << "2 000035-0123456789 00000000000500 100122";
}

void TestAboWriter::layouts() {
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, accounts);
    QFETCH(QStringList, amounts);
    QFETCH(QStringList, expectedItems);
    QFETCH(QString, expectedGroup);

    const Settings s = AboExampleSettings();
    PaymentOrder order;
    order.OrderDate = QStringLiteral("10.1.2022");
    for (int i = 0; i < rows.size(); ++i)
        order.Items[std::size_t(rows[i])] = Item(accounts[i], {}, amounts[i], {}, {}, {}, QStringLiteral("zpráva"));
    const QStringList lines = BuildAboText(order, s, false);
    QCOMPARE(lines.size(), 5 + expectedItems.size());
    QCOMPARE(lines[2], expectedGroup);
    QCOMPARE(lines.mid(3, expectedItems.size()), expectedItems);
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"3 +", "5 +"}));
}

void TestAboWriter::messages_data() {
    QTest::addColumn<QString>("comment");
    QTest::addColumn<bool>("attach");
    QTest::addColumn<bool>("oneItem");
    QTest::addColumn<QString>("expectedTail"); // what follows the space after the specific symbol
    const QString comment40 = QStringLiteral("Úhrada faktury č. 2022-117 za leden, díl");
    QCOMPARE(comment40.size(), 40);
    QTest::newRow("40 characters, on, several") << comment40 << true << false << comment40.left(35);
    QTest::newRow("40 characters, on, one item") << comment40 << true << true << comment40.left(35);
    QTest::newRow("35 characters kept whole") << comment40.left(35) << true << false << comment40.left(35);
    QTest::newRow("40 characters, off") << comment40 << false << false << "";
    QTest::newRow("off, one item") << comment40 << false << true << "";
    QTest::newRow("empty comment, on") << "" << true << false << "";
}

void TestAboWriter::messages() {
    QFETCH(QString, comment);
    QFETCH(bool, attach);
    QFETCH(bool, oneItem);
    QFETCH(QString, expectedTail);

    const Settings s = AboExampleSettings();
    PaymentOrder order;
    order.OrderDate = QStringLiteral("10.1.2022");
    order.Items[0] = Item("1", "0100", "1,00", {}, {}, {}, comment);
    if (!oneItem)
        order.Items[1] = Item("2", "0100", "2,00");
    const QString line = BuildAboText(order, s, attach).at(3);
    const int base = oneItem ? 82 : 64;
    QCOMPARE(line.size(), base + expectedTail.size());
    QCOMPARE(line.at(base - 1), QLatin1Char(' '));
    QCOMPARE(line.mid(base), expectedTail);
}

void TestAboWriter::header_data() {
    QTest::addColumn<QString>("clientName");
    QTest::addColumn<QString>("clientNumber");
    QTest::addColumn<QString>("bankCode");
    QTest::addColumn<QByteArray>("expectedHeader");
    QTest::addColumn<QByteArray>("expectedFileRecord");
    QTest::newRow("name over 20 with diacritics")
        << "ŽLUŤOUČKÝ KŮŇ ÚPĚL S.R.O."
        << "0000000000"
        << "0800" << QByteArray("UHL1070122\x8eLU\x8dOU\xc8K\xdd K\xd9\xd2 \xdaP\xccL S0000000000001001000000000000")
        << QByteArray("1 1501 001001 0800");
    QTest::newRow("short bank code, empty name") << ""
                                                 << "12.34"
                                                 << "800"
                                                 << QByteArray("UHL1070122                    "
                                                               "0000012.34001001000000000000")
                                                 << QByteArray("1 1501 001001 800");
    QTest::newRow("long client number cut") << "A"
                                            << "123456789012"
                                            << "55"
                                            << QByteArray("UHL1070122A                   "
                                                          "1234567890001001000000000000")
                                            << QByteArray("1 1501 001001 55");
}

void TestAboWriter::header() {
    QFETCH(QString, clientName);
    QFETCH(QString, clientNumber);
    QFETCH(QString, bankCode);
    QFETCH(QByteArray, expectedHeader);
    QFETCH(QByteArray, expectedFileRecord);

    Settings s = AboExampleSettings();
    s.NazevKlienta = clientName;
    s.CisloKlienta = clientNumber;
    s.SmerovyKod = bankCode;
    const QStringList lines = BuildAboText(AboExampleOrder(true), s, false);
    const QList<QByteArray> written = WrittenBytes(lines.mid(0, 2)).split('\n');
    QCOMPARE(written.at(0), expectedHeader + '\r');
    QCOMPARE(written.at(0).size(), 59);
    QCOMPARE(written.at(1), expectedFileRecord + '\r');
}

// A hand-edited amount without two decimals must not put 10 times less into the bank's sum.
void TestAboWriter::groupTotalFromRoundedRows() {
    const Settings s = AboExampleSettings();
    PaymentOrder order;
    order.OrderDate = QStringLiteral("1.12.2023");
    order.Items[0] = Item("1", "0100", "12,5");
    order.Items[1] = Item("2", "0100", "0,10");
    order.Items[2] = Item("3", "0100", "0,20");
    order.Total = 12.8;
    const QStringList lines = BuildAboText(order, s, false);
    QCOMPARE(lines.at(2), QStringLiteral("2 000035-0123456789 00000000001280 011223"));
    QCOMPARE(lines.at(3).mid(18, 12), QStringLiteral("000000001250"));
}

void TestAboWriter::problems_data() {
    QTest::addColumn<QString>("payerAccount");
    QTest::addColumn<QString>("payerBankCode");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("expected");
    const QString p = QStringLiteral("Export ABO nelze generovat. ");
    QTest::newRow("ok") << "35-1"
                        << "0800"
                        << "1"
                        << "1,00"
                        << "10.1.2022"
                        << "";
    QTest::newRow("valid item without amount") << "35-1"
                                               << "0800"
                                               << "1"
                                               << ""
                                               << "10.1.2022"
                                               << "";
    QTest::newRow("no payer account") << ""
                                      << ""
                                      << ""
                                      << ""
                                      << "10.1.2022" << p + "Není zadáno číslo účtu plátce.";
    QTest::newRow("no bank code") << "35-1"
                                  << ""
                                  << ""
                                  << ""
                                  << "10.1.2022" << p + "Není zadán směrový kód banky.";
    QTest::newRow("amount without account") << "35-1"
                                            << "0800"
                                            << ""
                                            << "1,00"
                                            << "10.1.2022" << p + "Není vyplněna ani jedna platná položka k platbě.";
    QTest::newRow("not a number") << "35-1"
                                  << "0800"
                                  << "1"
                                  << "1.000,00"
                                  << "10.1.2022" << p + "Částka „1.000,00“ v řádku 7 není číslo.";
    QTest::newRow("negative") << "35-1"
                              << "0800"
                              << "1"
                              << "-5,00"
                              << "10.1.2022" << p + "Částka „-5,00“ v řádku 7 je záporná.";
    QTest::newRow("too large") << "35-1"
                               << "0800"
                               << "1"
                               << "12345678901234"
                               << "10.1.2022" << p + "Částka „12345678901234“ v řádku 7 je příliš velká.";
    QTest::newRow("bad date") << "35-1"
                              << "0800"
                              << "1"
                              << "1,00"
                              << "32.1.2022" << p + "Datum příkazu „32.1.2022“ není platné datum.";
}

void TestAboWriter::problems() {
    QFETCH(QString, payerAccount);
    QFETCH(QString, payerBankCode);
    QFETCH(QString, account);
    QFETCH(QString, amount);
    QFETCH(QString, date);
    QFETCH(QString, expected);

    Settings s;
    s.CisloUctu = payerAccount;
    s.SmerovyKod = payerBankCode;
    PaymentOrder order;
    order.OrderDate = date;
    order.Items[0] = Item("2", "0100", "3,00"); // a sound row before the one under test
    order.Items[6] = Item(account, "0100", amount);
    if (account.isEmpty())
        order.Items[0] = OrderItem();
    QCOMPARE(AboExportProblem(order, s), expected);
}

void TestAboWriter::unreadableDateThrows() {
    const Settings s = AboExampleSettings();
    PaymentOrder order = AboExampleOrder(true);
    order.OrderDate = QStringLiteral("leden");
    QVERIFY_THROWS_EXCEPTION(VelorinError, BuildAboText(order, s, true));
}

QTEST_GUILESS_MAIN(TestAboWriter)
#include "tst_abowriter.moc"
