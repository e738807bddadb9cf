#include "TestOrders.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "overview/Sestavy_f.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The overview's model under Qt's model checker while it is filled, filtered, sorted and emptied.
class TestOverviewModel : public QObject {
    Q_OBJECT

private slots:
    void staysConsistentThroughChanges() {
        QTemporaryDir dir;
        TextFile::WriteLines(
            dir.filePath(QStringLiteral("2022001.ppu")),
            OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                       {QStringLiteral("111|0100|10,00||||první|"), QStringLiteral("222|0300|2,50||||druhá|")}));
        TextFile::WriteLines(dir.filePath(QStringLiteral("2022002.ppu")),
                             OrderLines(QStringLiteral("Banka"), QStringLiteral("1.1.2022"),
                                        {QStringLiteral("333|0800|7,00||||třetí|")}));
        const QStringList names{QStringLiteral("2022001.ppu"), QStringLiteral("2022002.ppu")};

        OverviewTable table;
        OverviewModel model(table);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        const auto comments = [&] {
            QStringList out;
            for (int r = 0; r < model.rowCount(); ++r)
                out << model.index(r, OverviewTable::Poznamka).data().toString();
            return out;
        };
        QCOMPARE(model.columnCount(), OverviewTable::kColumns);

        QStringList problems;
        model.change([&] { table.Load(dir.path(), names, problems); });
        QVERIFY(problems.isEmpty());
        QCOMPARE(comments(), (QStringList{"první", "druhá", "třetí"}));
        QCOMPARE(model.index(1, OverviewTable::Castka).data().toString(), QStringLiteral("2,50"));

        model.change([&] { table.Sort(OverviewTable::Datum); });
        QCOMPARE(comments(), (QStringList{"třetí", "první", "druhá"}));
        model.change([&] { table.Keep({0, 2}); });
        QCOMPARE(comments(), (QStringList{"třetí", "druhá"}));

        // Work that fails half way still ends the change.
        try {
            model.change([&] {
                table.Load(dir.path(), names, problems);
                throw VelorinError(QStringLiteral("přerušeno"));
            });
            QFAIL("the error got lost");
        } catch (const VelorinError&) {
        }
        QCOMPARE(model.rowCount(), 3);

        model.change([&] { table.Load(dir.path(), {}, problems); });
        QCOMPARE(comments(), QStringList{QString()});
        QCOMPARE(resets.count(), 5);
    }
};

QTEST_MAIN(TestOverviewModel)
#include "tst_overviewmodel.moc"
