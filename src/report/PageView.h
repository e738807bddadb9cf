#pragma once

#include "report/PageStack.h"
#include "report/PreparedReport.h"

#include <QRectF>
#include <QWidget>
#include <functional>

// The pages of the preview one below another on grey, drawn through PaintPage, with the found
// text marked.
class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent);

    static constexpr int Gap = PageStack::Gap;

    // Not owned; shown until the next call.
    void setPages(const PreparedReport* pages);

    // The scale asked for; a report too long for it is shown smaller.
    void setPxPerMm(double pxPerMm);
    double pxPerMm() const { return m_stack.pxPerMm(); }

    int pageCount() const { return m_stack.count(); }
    QRect pageRect(int i) const { return m_stack.pageRect(i, width()); }
    // The page shown at widget row y.
    int pageAt(int y) const { return m_stack.pageAt(y); }

    // Ctrl with the wheel zooms: called with the wheel's steps.
    std::function<void(double steps)> onZoomWheel;

    // Marks mm of page (from 0); page -1 marks nothing.
    void setHighlight(int page, const QRectF& mm);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void relayout();

    const PreparedReport* m_pages = nullptr;
    double m_askedPxPerMm = 96 / 25.4;
    PageStack m_stack;
    int m_highlightPage = -1;
    QRectF m_highlight;
};
