#pragma once

#include "report/PreparedReport.h"

#include <QRect>
#include <QSize>
#include <vector>

// Where the preview puts its pages: one below another with a gap between, in whole pixels. Whatever
// the pages and the scale asked for, every number fits an int and the whole stack fits the largest
// widget, so that every page can be scrolled to: a report too long for that is laid out smaller.
class PageStack {
public:
    static constexpr int Gap = 12;
    // The largest side of a widget (QWIDGETSIZE_MAX).
    static constexpr int MaxExtent = (1 << 24) - 1;

    void layOut(const std::vector<PreparedPage>& pages, double pxPerMm);

    // The scale the pages were laid out at: the one asked for or less.
    double pxPerMm() const { return m_pxPerMm; }
    int count() const { return int(m_tops.size()); }
    // Of all pages with their gaps.
    QSize size() const { return m_size; }
    // Page i (from 0), centred in a view viewWidth wide.
    QRect pageRect(int i, int viewWidth) const;
    // The page at row y: the last one whose gap above begins at or above y.
    int pageAt(int y) const;

    // Whole pixels of a length in pixels, held within a widget's reach either way; NaN gives 0.
    static int ToPx(double px);

private:
    double m_pxPerMm = 0;
    std::vector<int> m_tops;
    std::vector<QSize> m_sizes;
    QSize m_size;
};
