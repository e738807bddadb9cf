#include "report/PageStack.h"

#include <QTest>
#include <limits>

namespace {

std::vector<PreparedPage> Sheets(size_t count, double widthMm, double heightMm) {
    PreparedPage sheet;
    sheet.widthMm = widthMm;
    sheet.heightMm = heightMm;
    return std::vector<PreparedPage>(count, sheet);
}

// The preview's largest zoom on a screen of 96 dpi.
constexpr double LargestPxPerMm = 8 * 96 / 25.4;

} // namespace

class TestPageStack : public QObject {
    Q_OBJECT
private slots:
    void pagesOneBelowAnother();
    void largestPageAtLargestZoom();
    void longestReportFitsTheView();
    void pixelsHeldInRange();
};

void TestPageStack::pagesOneBelowAnother() {
    PageStack stack;
    std::vector<PreparedPage> pages = Sheets(3, 210, 297);
    pages[1].widthMm = 297;
    pages[1].heightMm = 210;
    stack.layOut(pages, 2.0);
    QCOMPARE(stack.pxPerMm(), 2.0);
    QCOMPARE(stack.count(), 3);
    QCOMPARE(stack.size(), QSize(594 + 24, 12 + 594 + 12 + 420 + 12 + 594 + 12));
    QCOMPARE(stack.pageRect(0, 700), QRect(140, 12, 420, 594));
    QCOMPARE(stack.pageRect(1, 700), QRect(53, 618, 594, 420));
    QCOMPARE(stack.pageRect(2, 700).top(), 1050);
    // A page begins half a gap above its top edge.
    QCOMPARE(stack.pageAt(0), 0);
    QCOMPARE(stack.pageAt(611), 0);
    QCOMPARE(stack.pageAt(612), 1);
    QCOMPARE(stack.pageAt(1044), 2);
    QCOMPARE(stack.pageAt(1'000'000), 2);
    stack.layOut({}, 2.0);
    QCOMPARE(stack.count(), 0);
    QCOMPARE(stack.size(), QSize(24, 24));
    QCOMPARE(stack.pageAt(100), 0);
}

void TestPageStack::largestPageAtLargestZoom() {
    PageStack stack;
    stack.layOut(Sheets(3, PreparedLimits::MaxPageMm, PreparedLimits::MaxPageMm), LargestPxPerMm);
    QCOMPARE(stack.pxPerMm(), LargestPxPerMm);
    const int side = qRound(PreparedLimits::MaxPageMm * LargestPxPerMm);
    QCOMPARE(stack.pageRect(2, 0), QRect(-side / 2, 12 + 2 * (side + 12), side, side));
    QCOMPARE(stack.size().height(), 4 * 12 + 3 * side);
}

void TestPageStack::longestReportFitsTheView() {
    const auto count = size_t(PreparedLimits::MaxPages);
    PageStack stack;
    stack.layOut(Sheets(count, PreparedLimits::MaxPageMm, PreparedLimits::MaxPageMm), LargestPxPerMm);
    QVERIFY(stack.pxPerMm() > 0 && stack.pxPerMm() < LargestPxPerMm);
    QVERIFY(stack.size().height() <= PageStack::MaxExtent);
    const QRect last = stack.pageRect(int(count) - 1, stack.size().width());
    QVERIFY(last.height() > 100);
    QCOMPARE(last.bottom() + 1 + PageStack::Gap, stack.size().height());
    QCOMPARE(stack.pageAt(last.top()), int(count) - 1);
    QCOMPARE(stack.pageAt(stack.pageRect(50'000, 0).top()), 50'000);
    // One tall page more than the view holds even at the smallest zoom is shown smaller too.
    stack.layOut(Sheets(1, 210, 1e12), LargestPxPerMm);
    QVERIFY(stack.size().height() <= PageStack::MaxExtent);
    QVERIFY(stack.pageRect(0, 0).height() > PageStack::MaxExtent - 100);
    stack.layOut(Sheets(1, 1e12, 297), LargestPxPerMm);
    QVERIFY(stack.size().width() <= PageStack::MaxExtent);
}

void TestPageStack::pixelsHeldInRange() {
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(PageStack::ToPx(12.4), 12);
    QCOMPARE(PageStack::ToPx(-12.6), -13);
    QCOMPARE(PageStack::ToPx(1e300), PageStack::MaxExtent);
    QCOMPARE(PageStack::ToPx(-inf), -PageStack::MaxExtent);
    QCOMPARE(PageStack::ToPx(std::numeric_limits<double>::quiet_NaN()), 0);
    // Pages no file holds, composed ones only: still whole pixels in range.
    PageStack stack;
    std::vector<PreparedPage> pages = Sheets(2, inf, std::numeric_limits<double>::quiet_NaN());
    stack.layOut(pages, std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(stack.pxPerMm(), 0.0);
    QCOMPARE(stack.pageRect(1, 100), QRect(50, 24, 0, 0));
}

QTEST_MAIN(TestPageStack)
#include "tst_pagestack.moc"
