#include "TestOrders.h"
#include "app/OrderGrid.h"
#include "bank/BankRegister.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The grid's model under Qt's model checker while the order behind it is filled, changed and
// cleared.
class TestOrderGrid : public QObject {
    Q_OBJECT

private slots:
    void staysConsistentThroughChanges() {
        PaymentOrder order;
        OrderGridModel model(order);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.rowCount(), kItemCount);
        QCOMPARE(model.columnCount(), kGridColumns);

        order.Items[0] =
            Item(QStringLiteral("19-2000145399"), QStringLiteral("0800"), QStringLiteral("1250,00"),
                 QStringLiteral("2022001"), QStringLiteral("0308"), QStringLiteral("77"), QStringLiteral("Nájem"));
        order.Items[15] = Item(QStringLiteral("123"), QStringLiteral("9999"), QStringLiteral("1,00"));
        model.refresh();
        QCOMPARE(changes.count(), 1);
        // Every cell may have changed.
        QCOMPARE(changes[0][0].toModelIndex(), model.index(0, 0));
        QCOMPARE(changes[0][1].toModelIndex(), model.index(kItemCount - 1, kGridColumns - 1));
        for (int c = 0; c < kGridColumns; ++c)
            QCOMPARE(model.index(0, c).data().toString(), order.Items[0].field(c));
        QCOMPARE(model.index(15, 1).data().toString(), QStringLiteral("9999"));

        // With a register the unknown bank code of row 16 shows on its account cell only.
        const BankRegister banks({BankInfo{QStringLiteral("0800"), QStringLiteral("Česká spořitelna"), {}, true}});
        model.setBanks([&banks]() -> const BankRegister& { return banks; });
        model.refresh();
        QVERIFY(model.index(0, 0).data(Qt::ToolTipRole).isNull());
        QVERIFY(!model.index(15, 0).data(Qt::ToolTipRole).toString().isEmpty());
        QVERIFY(model.index(15, 1).data(Qt::ToolTipRole).isNull());

        order = PaymentOrder();
        model.refresh();
        for (int r = 0; r < kItemCount; ++r)
            for (int c = 0; c < kGridColumns; ++c)
                QVERIFY(model.index(r, c).data().toString().isEmpty());
        QVERIFY(model.index(15, 0).data(Qt::ToolTipRole).isNull());
    }
};

QTEST_MAIN(TestOrderGrid)
#include "tst_ordergrid.moc"
