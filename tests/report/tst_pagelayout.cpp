#include "report/PageLayout.h"

#include <QPageSize>
#include <QTest>

Q_DECLARE_METATYPE(PageSetup)

class TestPageLayout : public QObject {
    Q_OBJECT
private slots:
    void bothWays_data();
    void bothWays();
    void sheetHasNoMargins();
};

void TestPageLayout::bothWays_data() {
    QTest::addColumn<PageSetup>("page");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<QSizeF>("paper"); // as Qt names it, upright
    QTest::newRow("A4 portrait") << PageSetup{210, 297, 10, 12, 15, 20} << QPageLayout::Portrait << QSizeF(210, 297);
    QTest::newRow("A4 landscape") << PageSetup{297, 210, 15, 12, 15, 12} << QPageLayout::Landscape << QSizeF(210, 297);
    QTest::newRow("own size") << PageSetup{80, 120, 0, 0, 0, 0} << QPageLayout::Portrait << QSizeF(80, 120);
}

void TestPageLayout::bothWays() {
    QFETCH(PageSetup, page);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(QSizeF, paper);
    const QPageLayout layout = ToPageLayout(page);
    QVERIFY(layout.isValid());
    QCOMPARE(layout.orientation(), orientation);
    QCOMPARE(layout.pageSize().size(QPageSize::Millimeter), paper);
    QCOMPARE(layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(page.widthMm, page.heightMm));
    QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(page.leftMm, page.topMm, page.rightMm, page.bottomMm));
    QCOMPARE(layout.minimumMargins(), QMarginsF(0, 0, 0, 0));
    QCOMPARE(FromPageLayout(layout), page);
}

void TestPageLayout::sheetHasNoMargins() {
    PreparedPage sheet;
    sheet.widthMm = 297;
    sheet.heightMm = 210;
    QCOMPARE(SheetOf(sheet), (PageSetup{297, 210, 0, 0, 0, 0}));
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
