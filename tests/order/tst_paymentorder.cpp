#include "order/PaymentOrder.h"

#include <QTest>

class TestPaymentOrder : public QObject {
    Q_OBJECT

private slots:
    void rowText();
    void readRowText_data();
    void readRowText();
    void readRowTextKeepsMissingColumns();
    void clipboardItem_data();
    void clipboardItem();
    void rowKinds();
    void totalSkipsUnreadableAmounts();
    void totalText_data();
    void totalText();
    void clearKeepsBank();
    void designation_data();
    void designation();
    void fieldProblem_data();
    void fieldProblem();
};

void TestPaymentOrder::rowText() {
    OrderItem item;
    QCOMPARE(RowText(item), QStringLiteral("|||||||"));
    item.Account = "123456789";
    item.BankCode = "0100";
    item.Amount = "1250,00";
    item.VariableSymbol = "2201";
    QCOMPARE(RowText(item), QStringLiteral("123456789|0100|1250,00|2201||||"));
    item.SpecificSymbol = "9";
    item.Comment = "Nájem";
    QCOMPARE(RowText(item), QStringLiteral("123456789|0100|1250,00|2201||9|Nájem|"));
}

void TestPaymentOrder::readRowText_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields"); // the seven fields in column order
    QTest::newRow("full row") << "1|2|3|4|5|6|c|" << QStringList{"1", "2", "3", "4", "5", "6", "c"};
    QTest::newRow("empty row") << "|||||||" << QStringList(7, QString());
    QTest::newRow("bar inside comment keeps the last part")
        << "1|2|3|4|5|6|a|b|" << QStringList{"1", "2", "3", "4", "5", "6", "b"};
    QTest::newRow("missing final bar loses the comment")
        << "1|2|3|4|5|6|comment" << QStringList{"1", "2", "3", "4", "5", "6", ""};
    QTest::newRow("short line") << "1|2|rest" << QStringList{"1", "2", "", "", "", "", ""};
    QTest::newRow("no bar at all") << "just text" << QStringList(7, QString());
    QTest::newRow("empty line") << "" << QStringList(7, QString());
}

void TestPaymentOrder::readRowText() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    OrderItem item;
    ReadRowText(line, item);
    for (int c = 0; c < 7; ++c)
        QCOMPARE(item.field(c), fields.at(c));
}

void TestPaymentOrder::readRowTextKeepsMissingColumns() {
    OrderItem item;
    for (int c = 0; c < 7; ++c)
        item.field(c) = QStringLiteral("old%1").arg(c);
    ReadRowText("a|b|", item);
    QCOMPARE(item.Account, QStringLiteral("a"));
    QCOMPARE(item.BankCode, QStringLiteral("b"));
    QCOMPARE(item.Amount, QStringLiteral("old2"));
    QCOMPARE(item.Comment, QStringLiteral("old6"));
}

// An item clipboard text is taken with its fields as they stand, whatever the amount says; only
// what the order file cannot hold, or no item line at all, is refused.
void TestPaymentOrder::clipboardItem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("stored form") << "123|0100|1250,00|2201|0308|77|Nájem|" << true;
    QTest::newRow("amount with a point") << "123|0100|1250.50|||||" << true;
    QTest::newRow("amount of letters") << "|0300|abc||||€ – tab\t|" << true;
    QTest::newRow("seven separators") << "|||||||" << true;
    QTest::newRow("six separators") << "1|2|3|4|5|6|" << false;
    QTest::newRow("eight separators") << "1|2|3|4|5|6|7|8|" << false;
    QTest::newRow("text after the last") << "1|2|3|4|5|6|7|x" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("line feed in the amount") << "1|2|3\n|4|5|6|7|" << false;
    QTest::newRow("carriage return at the end") << "1|2|3|4|5|6|7|\r" << false;
    QTest::newRow("character outside Windows-1250") << "1|2|3|4|5|6|Øresund|" << false;
    QTest::newRow("lone surrogate in the amount") << QStringLiteral("1|2|") + QChar(0xD800) + "|4|5|6|7|" << false;
}

void TestPaymentOrder::clipboardItem() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const std::optional<OrderItem> item = ReadClipboardItem(text);
    QCOMPARE(item.has_value(), accepted);
    if (item)
        QCOMPARE(RowText(*item), text);
}

void TestPaymentOrder::rowKinds() {
    PaymentOrder order;
    QCOMPARE(order.CountValidItems(), 0);
    order.Items[1].Account = "111";
    order.Items[1].Amount = "100,00";
    order.Items[4].Amount = "50,50"; // amount without account
    order.Items[7].Comment = "jen komentář";
    order.Items[9].Account = "222"; // account without amount

    QCOMPARE(order.CountValidItems(), 2);
    QCOMPARE(order.ComputeTotal().total, 150.5);
    QVERIFY(order.ComputeTotal().unreadableRows.isEmpty());

    const OrderItem& commentOnly = order.Items[7];
    QVERIFY(!commentOnly.isValidItem());
    QVERIFY(!commentOnly.isAmountRow());
    QVERIFY(commentOnly.isNonEmpty());
    QVERIFY(RowText(commentOnly).size() > 7);

    QVERIFY(!order.Items[4].isValidItem());
    QVERIFY(order.Items[4].isAmountRow());
    QVERIFY(!order.Items[0].isNonEmpty());
    QCOMPARE(RowText(order.Items[0]).size(), 7);

    int amountRows = 0;
    int nonEmptyRows = 0;
    for (const OrderItem& item : order.Items) {
        amountRows += item.isAmountRow();
        nonEmptyRows += item.isNonEmpty();
    }
    QCOMPARE(amountRows, 2);
    QCOMPARE(nonEmptyRows, 4);
}

void TestPaymentOrder::totalSkipsUnreadableAmounts() {
    PaymentOrder order;
    order.Items[0].Amount = "1250,00";
    order.Items[2].Amount = "12.50"; // hand-edited: a point is no Czech decimal
    order.Items[3].Amount = "-250,00";
    order.Items[15].Amount = "abc";
    const TotalResult result = order.ComputeTotal();
    QCOMPARE(result.total, 1000.0);
    QCOMPARE(result.unreadableRows, (QList<int>{3, 16}));
}

void TestPaymentOrder::totalText_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<QList<int>>("unreadable");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty order") << 0.0 << QList<int>{} << "Celkem k platbě :    0,00 Kč";
    QTest::newRow("grouped, no note") << 1250.5 << QList<int>{} << "Celkem k platbě :    1 250,50 Kč";
    QTest::newRow("one row left out") << 10.0 << QList<int>{2}
                                      << "Celkem k platbě :    10,00 Kč    (bez řádku 2: částka není číslo)";
    QTest::newRow("rows left out") << -5.0 << QList<int>{3, 16}
                                   << "Celkem k platbě :    -5,00 Kč    (bez řádků 3, 16: částky nejsou čísla)";
}

void TestPaymentOrder::totalText() {
    QFETCH(double, total);
    QFETCH(QList<int>, unreadable);
    QFETCH(QString, expected);
    QCOMPARE(OrderTotalText({total, unreadable}), expected);
}

void TestPaymentOrder::clearKeepsBank() {
    PaymentOrder order;
    order.Bank = PayerBank{"Banka", "Ulice 1", "123", "0100"};
    order.OrderDate = "7.1.2022";
    order.FilePath = "/tmp/2022/2022001.ppu";
    order.Total = 12.0;
    for (OrderItem& item : order.Items) {
        for (int c = 0; c < 7; ++c)
            item.field(c) = "x";
    }
    order.Clear();
    QCOMPARE(order.Bank, (PayerBank{"Banka", "Ulice 1", "123", "0100"}));
    QCOMPARE(order.Total, 0.0);
    QVERIFY(order.OrderDate.isEmpty());
    QVERIFY(order.FilePath.isEmpty());
    for (const OrderItem& item : order.Items)
        QCOMPARE(item, OrderItem());
}

void TestPaymentOrder::designation_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("usual") << "/x/2022/2022001.ppu"
                           << "2022001";
    QTest::newRow("upper-case extension") << "/x/2022/2022002.PPU"
                                          << "2022002";
    QTest::newRow("dots in name") << "/x/a.b.ppu"
                                  << "a.b";
    QTest::newRow("no order") << ""
                              << "";
}

void TestPaymentOrder::designation() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    PaymentOrder order;
    order.FilePath = path;
    QCOMPARE(order.Designation(), expected);
}

void TestPaymentOrder::fieldProblem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mentions"); // empty: the text is fine
    QTest::newRow("plain") << "Příliš žluťoučký kůň"
                           << "";
    QTest::newRow("euro is in the code page") << "€ 5"
                                              << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("separator") << "a|b"
                               << "|";
    QTest::newRow("line feed") << "a\nb"
                               << "konec řádku";
    QTest::newRow("carriage return") << "a\rb"
                                     << "konec řádku";
    QTest::newRow("unencodable") << "Øresund"
                                 << "„Ø“";
    QTest::newRow("emoji") << "hi 😀"
                           << "„😀“";
}

void TestPaymentOrder::fieldProblem() {
    QFETCH(QString, text);
    QFETCH(QString, mentions);
    const QString problem = FieldProblem(text);
    if (mentions.isEmpty()) {
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    } else {
        QVERIFY2(problem.contains(mentions), qPrintable(problem));
    }
}

QTEST_GUILESS_MAIN(TestPaymentOrder)
#include "tst_paymentorder.moc"
