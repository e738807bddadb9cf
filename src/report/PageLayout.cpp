#include "report/PageLayout.h"

#include <QPageSize>

QPageLayout ToPageLayout(const PageSetup& page) {
    const bool landscape = page.widthMm > page.heightMm;
    const QSizeF portrait = landscape ? QSizeF(page.heightMm, page.widthMm) : QSizeF(page.widthMm, page.heightMm);
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(page.leftMm, page.topMm, page.rightMm, page.bottomMm), QPageLayout::Millimeter,
                       QMarginsF(0, 0, 0, 0));
}

PageSetup FromPageLayout(const QPageLayout& layout) {
    const QSizeF size = layout.fullRect(QPageLayout::Millimeter).size();
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    PageSetup page;
    page.widthMm = size.width();
    page.heightMm = size.height();
    page.leftMm = margins.left();
    page.topMm = margins.top();
    page.rightMm = margins.right();
    page.bottomMm = margins.bottom();
    return page;
}

PageSetup SheetOf(const PreparedPage& page) {
    return PageSetup{page.widthMm, page.heightMm, 0, 0, 0, 0};
}
