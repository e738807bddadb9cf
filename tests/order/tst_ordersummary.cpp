#include "common/Error.h"
#include "common/TextFile.h"
#include "order/OrderReader.h"
#include "order/OrderSummary.h"

#include <QTemporaryDir>
#include <QTest>

// How the open-order list sums one order file.
class TestOrderSummary : public QObject {
    Q_OBJECT

private slots:
    void summary_data() {
        QTest::addColumn<QStringList>("rows"); // the lines after the date
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("sum");
        QTest::addColumn<QString>("error");
        const QString empty = QStringLiteral("|||||||");
        QTest::newRow("no items") << QStringList(16, empty) << 0 << 0.0 << "";
        QTest::newRow("rows 1 and 3") << QStringList{"1|0100|1250,00|||||", empty, "3|0300|99,90|||||"} << 2 << 1349.9
                                      << "";
        QTest::newRow("comment only counts, adds 0") << QStringList{"||||||pozn|"} << 1 << 0.0 << "";
        QTest::newRow("point read as comma") << QStringList{"1|0100|1250.50|||||"} << 1 << 1250.5 << "";
        QTest::newRow("lines after row 16 count too")
            << QStringList(16, empty) + QStringList{"9|0|5,00|||||"} << 1 << 5.0 << "";
        QTest::newRow("seven characters are no item") << QStringList{"1|2,00|"} << 0 << 0.0 << "";
        QTest::newRow("no third field adds 0") << QStringList{"abcdefgh"} << 1 << 0.0 << "";
        QTest::newRow("text after the last bar is a field") << QStringList{"12345678|x|7"} << 1 << 7.0 << "";
        QTest::newRow("amount no number")
            << QStringList{empty, "1|0100|sto|||||"} << 0 << 0.0 << "částka „sto“ na řádku 7 není číslo";
    }
    void summary() {
        QFETCH(QStringList, rows);
        QFETCH(int, count);
        QFETCH(double, sum);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2022001.ppu"));
        TextFile::WriteLines(path, QStringList{"Banka", "Ulice 1", "123-456", "0100", "3.1.2022"} + rows);
        OrderFileReader reader;
        QVERIFY(reader.Read(path));
        try {
            const OrderSummary summary = SummariseOrderFile(reader);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(summary.date, QStringLiteral("3.1.2022"));
            QCOMPARE(summary.count, count);
            QCOMPARE(summary.sum, sum);
        } catch (const VelorinError& e) {
            QCOMPARE(e.message(), error);
        }
    }
};

QTEST_MAIN(TestOrderSummary)
#include "tst_ordersummary.moc"
