#include "TestFiles.h"
#include "TestOrders.h"
#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/TextFile.h"
#include "order/DuplicateIndex.h"
#include "order/OrderFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kToday(2026, 1, 1);

QStringList SameWarnings(const PaymentOrder& order, const DuplicateIndex* year = nullptr) {
    QStringList out;
    for (const QString& w : OrderWarnings(order, BankRegister::BuiltIn(), kToday, year))
        if (w.contains(QStringLiteral("Stejná platba")))
            out << w;
    return out;
}

} // namespace

class TestSamePayment : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Account, code, amount and symbol decide; the forms the program and the user write them in do not.
    void withinAnOrder_data() {
        QTest::addColumn<OrderItem>("other");
        QTest::addColumn<bool>("same");
        const OrderItem base = Item(QStringLiteral("2171532"), QStringLiteral("0100"), QStringLiteral("1250,00"),
                                    QStringLiteral("2026001"));
        QTest::newRow("the same") << base << true;
        QTest::newRow("zeros and another amount form")
            << Item(QStringLiteral("000000-0002171532"), QStringLiteral("0100"), QStringLiteral("1250"),
                    QStringLiteral("02026001"), QStringLiteral("0308"), {}, QStringLiteral("jiný komentář"))
            << true;
        QTest::newRow("another symbol") << Item(base.Account, base.BankCode, base.Amount, QStringLiteral("2026002"))
                                        << false;
        QTest::newRow("another code") << Item(base.Account, QStringLiteral("0300"), base.Amount, base.VariableSymbol)
                                      << false;
        QTest::newRow("another cent") << Item(base.Account, base.BankCode, QStringLiteral("1250,01"),
                                              base.VariableSymbol)
                                      << false;
        QTest::newRow("symbol left empty") << Item(base.Account, base.BankCode, base.Amount) << false;
        QTest::newRow("no amount") << Item(base.Account, base.BankCode, {}, base.VariableSymbol) << false;
    }
    void withinAnOrder() {
        QFETCH(OrderItem, other);
        QFETCH(bool, same);
        PaymentOrder order;
        order.Items[1] = Item(QStringLiteral("2171532"), QStringLiteral("0100"), QStringLiteral("1250,00"),
                              QStringLiteral("2026001"));
        order.Items[4] = other;
        const QStringList expected =
            same ? QStringList{QStringLiteral("Řádek 2: Stejná platba je už v tomto příkazu, řádek 5"),
                               QStringLiteral("Řádek 5: Stejná platba je už v tomto příkazu, řádek 2")}
                 : QStringList();
        QCOMPARE(SameWarnings(order), expected);
    }

    // Two empty symbols are equal when account, code and amount are; the line of the editor says so too.
    void emptySymbolsAndTheEditorsLine() {
        PaymentOrder order;
        order.Items[0] = Item(QStringLiteral("19-2000145399"), QStringLiteral("0800"), QStringLiteral("500,00"));
        const OrderItem typed = Item(QStringLiteral("19-2000145399"), QStringLiteral("0800"), QStringLiteral("500"));
        const PaymentHint hint = DescribePayment(typed, BankRegister::BuiltIn(), {&order, 3, nullptr});
        QVERIFY(hint.Warning);
        QVERIFY2(hint.Text.endsWith(QStringLiteral("Stejná platba je už v tomto příkazu, řádek 1")),
                 qPrintable(hint.Text));
        // The row itself is no other row, and no scope looks nowhere.
        QVERIFY(!DescribePayment(typed, BankRegister::BuiltIn(), {&order, 0, nullptr}).Text.contains(u"Stejná"));
        QVERIFY(!DescribePayment(typed, BankRegister::BuiltIn()).Text.contains(u"Stejná"));
        QCOMPARE(ItemWarnings(Item(typed.Account, typed.BankCode, typed.Amount, QStringLiteral("1")),
                              BankRegister::BuiltIn(), {&order, 3, nullptr}),
                 QStringList());
    }

    // Other orders of the year: found by the index, the open order's own file left out, a save
    // replacing what the index had of that file.
    void acrossTheYearFolder() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/2026");
        QDir().mkpath(folder);
        const QString pay = QStringLiteral("2171532|0100|1250,00|77|||nájem|");
        TextFile::WriteLines(folder + QStringLiteral("/2026001.ppu"),
                             OrderLines(QStringLiteral("B"), QStringLiteral("14.2.2026"), {QString(), pay}));
        TextFile::WriteLines(folder + QStringLiteral("/2026003.ppu"),
                             OrderLines(QStringLiteral("B"), QStringLiteral("14.3.2026"), {QString(), pay}));
        TextFile::WriteLines(folder + QStringLiteral("/2026004.ppu"), {QStringLiteral("poškozený")});
        DuplicateIndex year;
        year.Build(folder);
        QCOMPARE(year.orderCount(), 2);

        PaymentOrder open;
        open.FilePath = folder + QStringLiteral("/2026005.ppu");
        open.OrderDate = QStringLiteral("14.4.2026");
        open.Items[0] =
            Item(QStringLiteral("2171532"), QStringLiteral("100"), QStringLiteral("1 250,00"), QStringLiteral("77"));
        QCOMPARE(SameWarnings(open, &year),
                 QStringList{QStringLiteral("Řádek 1: Stejná platba je už v příkazu 2026003 (14.3.2026), řádek 2")});
        // The order's own row first, then the year.
        open.Items[6] = open.Items[0];
        QCOMPARE(SameWarnings(open, &year).first(),
                 QStringLiteral("Řádek 1: Stejná platba je už v tomto příkazu, řádek 7"));
        open.Items[6].clear();

        // Opened itself, 2026003 does not warn of its own row, only of the February one.
        PaymentOrder march = OrderFile::Load(folder + QStringLiteral("/2026003.ppu"));
        QCOMPARE(SameWarnings(march, &year),
                 QStringList{QStringLiteral("Řádek 2: Stejná platba je už v příkazu 2026001 (14.2.2026), řádek 2")});

        // Saved with another symbol, 2026003 no longer holds the payment; 2026001 still does.
        march.Items[1].VariableSymbol = QStringLiteral("78");
        year.Update(march);
        QCOMPARE(SameWarnings(open, &year),
                 QStringList{QStringLiteral("Řádek 1: Stejná platba je už v příkazu 2026001 (14.2.2026), řádek 2")});
        // And the open order, once saved, is found from 2026003.
        year.Update(open);
        march.Items[1].VariableSymbol = QStringLiteral("77");
        QCOMPARE(SameWarnings(march, &year),
                 QStringList{QStringLiteral("Řádek 2: Stejná platba je už v příkazu 2026005 (14.4.2026), řádek 1")});
    }
};

QTEST_GUILESS_MAIN(TestSamePayment)
#include "tst_samepayment.moc"
