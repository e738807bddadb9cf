#include "report/PageView.h"

#include "report/Renderer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Stranky"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPages(const PreparedReport* pages) {
    m_pages = pages;
    relayout();
}

void PageView::setPxPerMm(double pxPerMm) {
    m_askedPxPerMm = pxPerMm;
    relayout();
}

void PageView::setHighlight(int page, const QRectF& mm) {
    m_highlightPage = page;
    m_highlight = mm;
    update();
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    for (int i = 0; i < pageCount(); ++i) {
        const QRect r = pageRect(i);
        if (!r.intersects(event->rect()))
            continue;
        painter.fillRect(r.translated(3, 3), QColor(80, 80, 80));
        painter.fillRect(r, Qt::white);
        painter.save();
        painter.translate(r.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), r.size()));
        std::vector<QRectF> marks;
        if (i == m_highlightPage)
            marks.push_back(m_highlight);
        PaintPage(m_pages->pages[size_t(i)], painter, pxPerMm(), marks);
        painter.restore();
    }
}

void PageView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) && onZoomWheel) {
        onZoomWheel(event->angleDelta().y() / 120.0);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

void PageView::relayout() {
    // Bound to a reference on both sides: a conditional with a temporary on one side would copy
    // every page of the report.
    static const std::vector<PreparedPage> none;
    m_stack.layOut(m_pages ? m_pages->pages : none, m_askedPxPerMm);
    setFixedSize(m_stack.size());
    update();
}
