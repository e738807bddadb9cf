#include "common/Cp1250.h"
#include "sheet/ItemTable.h"

#include <QTest>

namespace {

QStringList Rows(const QString& text) {
    const TableText table = SplitTable(text);
    QStringList out;
    for (const TableItem& item : ItemsOfTable(table, RecogniseColumns(table)))
        out << (item.problem.isEmpty() ? RowText(item.item)
                                       : QStringLiteral("%1: %2").arg(item.line).arg(item.problem));
    return out;
}

} // namespace

class TestItemTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What spreadsheets and CSV files give, and the rows they become.
    void tables_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("header in another order, tabs, CR LF")
            << QStringLiteral("Částka\tČíslo účtu\tKód banky\tVS\tZpráva\r\n"
                              "1 250,50 Kč\t2171532\t100\t2026001\tNájem\r\n"
                              "1250.50\t19-2000145399\t0800\t\tElektřina\r\n"
                              "3\t123\t0300\t\t\r\n")
            << QStringList{QStringLiteral("2171532|0100|1250,50|2026001|||Nájem|"),
                           QStringLiteral("19-2000145399|0800|1250,50||||Elektřina|"),
                           QStringLiteral("123|0300|3,00|||||")};
        QTest::newRow("no header: the order of an item line")
            << QStringLiteral("2171532\t0100\t10\t1\t0308\t9\tA\n\n2171532\t0100\t20\n")
            << QStringList{QStringLiteral("2171532|0100|10,00|1|0308|9|A|"), QStringLiteral("2171532|0100|20,00|||||")};
        QTest::newRow("no header, account/code in one column")
            << QStringLiteral("2171532/0100;1 000;55\n19-2000145399/0800;2,5;56")
            << QStringList{QStringLiteral("2171532|0100|1000,00|55||||"),
                           QStringLiteral("19-2000145399|0800|2,50|56||||")};
        QTest::newRow("header Účet with account/code, quoted CSV cells")
            << QStringLiteral("\"Účet\";\"Částka\";\"Komentář\"\n\"2171532/0100\";\"1.250,00\";\"Nájem; březen\"\n"
                              "CZ65 0800 0000 1920 0014 5399;5;\"řekl \"\"ano\"\"\"")
            << QStringList{QStringLiteral("2171532|0100|1250,00||||Nájem; březen|"),
                           QStringLiteral("19-2000145399|0800|5,00||||řekl \"ano\"|")};
        QTest::newRow("lines of an order file")
            << QStringLiteral("2171532|0100|10,00|1|||A|\r\n|||||||\r\n123|0300|5,00||||B|\r\n")
            << QStringList{QStringLiteral("2171532|0100|10,00|1|||A|"), QStringLiteral("123|0300|5,00||||B|")};
        QTest::newRow("malformed lines named by their line")
            << QStringLiteral("Účet;Částka;Zpráva\n1;dvě stě;x\n2;3;a|b\n4;5;\"otevřená\n")
            << QStringList{QStringLiteral("2: částka „dvě stě“ není číslo"),
                           QStringLiteral("3: text obsahuje znak „|“, který v souboru příkazu odděluje pole"),
                           QStringLiteral("4: uvozovky nejsou uzavřeny")};
    }
    void tables() {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        QCOMPARE(Rows(text), rows);
    }

    void amounts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("amount"); // empty: no amount
        const char* const table[][2] = {{"1 250,50", "1250,50"},
                                        {"1250.50", "1250,50"},
                                        {"1 250,50 Kč", "1250,50"},
                                        {"1.250,50", "1250,50"},
                                        {"1,250.50", "1250,50"},
                                        {"1\u00a0250", "1250,00"},
                                        {"-3", "-3,00"},
                                        {"0,125", "0,12"},
                                        {"0,135", "0,14"},
                                        {"0,1251", "0,13"},
                                        {"007", "7,00"},
                                        {"1 000 000,-", "1000000,00"},
                                        {"CZK 12,5", "12,50"},
                                        {"12,5,0", "1250,00"},
                                        {"abc", ""},
                                        {"", ""},
                                        {"12 Kč 50", ""}};
        for (const auto& row : table)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
    void amounts() {
        QFETCH(QString, text);
        QFETCH(QString, amount);
        QCOMPARE(NormaliseAmount(text).value_or(QString()), amount);
    }

    // A CSV file in either encoding reads the same; a header cell names its column in any case and
    // with or without diacritics.
    void fileEncodingsAndHeadings() {
        const QString text = QStringLiteral("cislo uctu;KÓD BANKY;částka;Variabilní symbol:;poznámka\n"
                                            "2171532;0100;99;1;Příliš žluťoučký kůň\n");
        bool utf8 = false;
        const TableText fromUtf8 = SplitTableFile(QByteArray("\xEF\xBB\xBF") + text.toUtf8(), &utf8);
        QVERIFY(utf8);
        const TableText fromCp1250 = SplitTableFile(Cp1250::Encode(text), &utf8);
        QVERIFY(!utf8);
        for (const TableText& table : {fromUtf8, fromCp1250}) {
            const TableColumns columns = RecogniseColumns(table);
            QVERIFY(columns.header);
            QCOMPARE(columns.columns, (QList<ItemColumn>{ItemColumn::Account, ItemColumn::BankCode, ItemColumn::Amount,
                                                         ItemColumn::VariableSymbol, ItemColumn::Comment}));
            const std::vector<TableItem> items = ItemsOfTable(table, columns);
            QCOMPARE(items.size(), std::size_t(1));
            QCOMPARE(RowText(items[0].item), QStringLiteral("2171532|0100|99,00|1|||Příliš žluťoučký kůň|"));
        }
    }
};

QTEST_GUILESS_MAIN(TestItemTable)
#include "tst_itemtable.moc"
