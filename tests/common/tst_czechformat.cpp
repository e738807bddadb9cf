#include "common/CzechFormat.h"

#include <QTest>

using OptDouble = std::optional<double>;
using OptDate = std::optional<QDate>;
Q_DECLARE_METATYPE(OptDouble)
Q_DECLARE_METATYPE(OptDate)

class TestCzechFormat : public QObject {
    Q_OBJECT

private slots:
    void money_data();
    void money();
    void fixed2_data();
    void fixed2();
    void parseNumber_data();
    void parseNumber();
    void countOf_data();
    void countOf();
    void formatDate();
    void parseDate_data();
    void parseDate();
};

void TestCzechFormat::money_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << 1250.0 << "1 250,00 Kč";
    QTest::newRow("zero") << 0.0 << "0,00 Kč";
    QTest::newRow("negative") << -5.0 << "-5,00 Kč";
    QTest::newRow("millions") << 1234567.5 << "1 234 567,50 Kč";
    QTest::newRow("rounded to hundredths") << 0.125 << "0,13 Kč";
    QTest::newRow("tiny negative is no minus zero") << -0.001 << "0,00 Kč";
}

void TestCzechFormat::money() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QString text = CzechFormat::Money(value);
    QCOMPARE(text, expected);
    QVERIFY(!text.contains(QChar(0x00A0)));
    QVERIFY(!text.contains(QChar(0x202F)));
}

void TestCzechFormat::fixed2_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no grouping") << 1250.0 << "1250,00";
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("negative") << -5.5 << "-5,50";
    QTest::newRow("sum of cents") << 0.1 + 0.2 << "0,30";
    QTest::newRow("tiny negative") << -0.004 << "0,00";
}

void TestCzechFormat::fixed2() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(CzechFormat::Fixed2(value), expected);
}

void TestCzechFormat::parseNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptDouble>("expected");
    QTest::newRow("stored form") << "1250,00" << OptDouble(1250.0);
    QTest::newRow("whole number") << "42" << OptDouble(42.0);
    QTest::newRow("comma first") << ",5" << OptDouble(0.5);
    QTest::newRow("comma last") << "5," << OptDouble(5.0);
    QTest::newRow("minus") << "-12,25" << OptDouble(-12.25);
    QTest::newRow("plus") << "+3" << OptDouble(3.0);
    QTest::newRow("blanks round") << "  7,10 " << OptDouble(7.1);
    QTest::newRow("empty") << "" << OptDouble();
    QTest::newRow("blanks only") << "   " << OptDouble();
    QTest::newRow("comma only") << "," << OptDouble();
    QTest::newRow("sign only") << "-" << OptDouble();
    QTest::newRow("point") << "12.50" << OptDouble();
    QTest::newRow("grouping blank") << "1 250,00" << OptDouble();
    QTest::newRow("two commas") << "1,2,3" << OptDouble();
    QTest::newRow("letters") << "12a" << OptDouble();
    QTest::newRow("currency") << "12 Kč" << OptDouble();
    QTest::newRow("exponent") << "1e3" << OptDouble();
    QTest::newRow("blank after sign") << "- 5" << OptDouble();
}

void TestCzechFormat::parseNumber() {
    QFETCH(QString, text);
    QFETCH(OptDouble, expected);
    const OptDouble got = CzechFormat::ParseNumber(text);
    QCOMPARE(got.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(*got, *expected);
}

void TestCzechFormat::countOf_data() {
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << qint64(0) << "0 řádků";
    QTest::newRow("one") << qint64(1) << "1 řádek";
    QTest::newRow("two") << qint64(2) << "2 řádky";
    QTest::newRow("four") << qint64(4) << "4 řádky";
    QTest::newRow("five") << qint64(5) << "5 řádků";
    QTest::newRow("twenty-two") << qint64(22) << "22 řádků";
}

void TestCzechFormat::countOf() {
    QFETCH(qint64, count);
    QFETCH(QString, expected);
    QCOMPARE(CzechFormat::CountOf(count, QStringLiteral("řádek"), QStringLiteral("řádky"), QStringLiteral("řádků")),
             expected);
}

void TestCzechFormat::formatDate() {
    QCOMPARE(CzechFormat::FormatDate(QDate(2022, 1, 7)), QStringLiteral("7.1.2022"));
    QCOMPARE(CzechFormat::FormatDate(QDate(2023, 12, 31)), QStringLiteral("31.12.2023"));
    QCOMPARE(CzechFormat::FormatDate(QDate()), QString());
}

void TestCzechFormat::parseDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptDate>("expected");
    QTest::newRow("short") << "7.1.2022" << OptDate(QDate(2022, 1, 7));
    QTest::newRow("leading zeros") << "07.01.2022" << OptDate(QDate(2022, 1, 7));
    QTest::newRow("two digits") << "31.12.2023" << OptDate(QDate(2023, 12, 31));
    QTest::newRow("blanks round") << " 1.2.2024 " << OptDate(QDate(2024, 2, 1));
    QTest::newRow("leap day") << "29.2.2024" << OptDate(QDate(2024, 2, 29));
    QTest::newRow("no leap day") << "29.2.2023" << OptDate();
    QTest::newRow("day 32") << "32.1.2022" << OptDate();
    QTest::newRow("month 13") << "1.13.2022" << OptDate();
    QTest::newRow("day 0") << "0.1.2022" << OptDate();
    // A two-digit year as a Czech system reads it: 30 to 99 in the 1900s, 00 to 29 in the 2000s.
    QTest::newRow("two-digit year") << "7.1.22" << OptDate(QDate(2022, 1, 7));
    QTest::newRow("two-digit year, zeros") << "07.01.22" << OptDate(QDate(2022, 1, 7));
    QTest::newRow("year 00") << "1.1.00" << OptDate(QDate(2000, 1, 1));
    QTest::newRow("last of the window") << "31.12.29" << OptDate(QDate(2029, 12, 31));
    QTest::newRow("first of the window") << "1.1.30" << OptDate(QDate(1930, 1, 1));
    QTest::newRow("year 99") << "31.12.99" << OptDate(QDate(1999, 12, 31));
    QTest::newRow("one-digit year") << "7.1.5" << OptDate(QDate(2005, 1, 7));
    QTest::newRow("leap day of a short year") << "29.2.24" << OptDate(QDate(2024, 2, 29));
    QTest::newRow("no leap day of a short year") << "29.2.23" << OptDate();
    QTest::newRow("three-digit year") << "7.1.022" << OptDate();
    QTest::newRow("five-digit year") << "7.1.20220" << OptDate();
    QTest::newRow("slashes") << "7/1/2022" << OptDate();
    QTest::newRow("iso") << "2022-01-07" << OptDate();
    QTest::newRow("three-digit day") << "007.1.2022" << OptDate();
    QTest::newRow("trailing text") << "7.1.2022x" << OptDate();
    QTest::newRow("empty") << "" << OptDate();
}

void TestCzechFormat::parseDate() {
    QFETCH(QString, text);
    QFETCH(OptDate, expected);
    QCOMPARE(CzechFormat::ParseDate(text), expected);
}

QTEST_GUILESS_MAIN(TestCzechFormat)
#include "tst_czechformat.moc"
