#include "report/PageStack.h"

#include <algorithm>
#include <cmath>

int PageStack::ToPx(double px) {
    if (std::isnan(px))
        return 0;
    return qRound(std::clamp(px, -double(MaxExtent), double(MaxExtent)));
}

void PageStack::layOut(const std::vector<PreparedPage>& pages, double pxPerMm) {
    const auto n = qint64(std::min(pages.size(), size_t(MaxExtent)));
    double tallMm = 0, wideMm = 0;
    for (qint64 i = 0; i < n; ++i) {
        tallMm += std::max(0.0, pages[size_t(i)].heightMm);
        wideMm = std::max(wideMm, pages[size_t(i)].widthMm);
    }
    double px = pxPerMm > 0 ? pxPerMm : 0; // also for NaN
    // Each page brings its gap and at most one pixel of rounding.
    const double roomY = double(MaxExtent) - Gap - double(n) * (Gap + 1);
    if (tallMm > 0 && tallMm * px > roomY)
        px = std::max(0.0, roomY) / tallMm;
    const double roomX = double(MaxExtent) - 2 * Gap - 1;
    if (wideMm * px > roomX)
        px = roomX / wideMm;
    m_pxPerMm = px;

    m_tops.clear();
    m_sizes.clear();
    m_tops.reserve(size_t(n));
    m_sizes.reserve(size_t(n));
    // Only a count of pages beyond any report could still run past the end: such pages then
    // stand at the bottom edge.
    qint64 y = Gap;
    int w = 0;
    for (qint64 i = 0; i < n; ++i) {
        const PreparedPage& p = pages[size_t(i)];
        const QSize size(std::max(0, ToPx(p.widthMm * px)), std::max(0, ToPx(p.heightMm * px)));
        m_tops.push_back(int(std::min<qint64>(y, MaxExtent)));
        m_sizes.push_back(size);
        y += size.height() + Gap;
        w = std::max(w, size.width());
    }
    m_size = QSize(w + 2 * Gap, int(std::clamp<qint64>(y, 2 * Gap, MaxExtent)));
}

QRect PageStack::pageRect(int i, int viewWidth) const {
    const QSize size = m_sizes[size_t(i)];
    return QRect((viewWidth - size.width()) / 2, m_tops[size_t(i)], size.width(), size.height());
}

int PageStack::pageAt(int y) const {
    const auto after = std::upper_bound(m_tops.begin(), m_tops.end(), qint64(y) + Gap / 2,
                                        [](qint64 row, int top) { return row < top; });
    return std::max(0, int(after - m_tops.begin()) - 1);
}
