#include "report/Renderer.h"

#include "report/TextMetrics.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace {

QRectF Scaled(const QRectF& r, double k) {
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

} // namespace

void PaintPage(const PreparedPage& packedPage, QPainter& painter, double pxPerMm,
               const std::vector<QRectF>& highlightsMm) {
    PreparedPage scratch;
    const PreparedPage& page = Unpacked(packedPage, scratch);
    painter.save();
    for (const QRectF& h : highlightsMm)
        painter.fillRect(Scaled(h, pxPerMm), QColor(255, 230, 0));

    // Lines and pictures stay crisp on screen: they are drawn without antialiasing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PreparedPicture& pic : page.pictures) {
        // One path for all rectangles: a PDF viewer then shows no seams where they touch.
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const QRectF& r : pic.rectsMm)
            path.addRect(Scaled(r, pxPerMm));
        painter.fillPath(path, Qt::black);
    }
    for (const PreparedLine& l : page.lines) {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(1.0, l.widthMm * pxPerMm));
        pen.setCapStyle(Qt::FlatCap);
        if (l.style == LineStyle::Dotted)
            pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(l.from * pxPerMm, l.to * pxPerMm);
    }

    // Point sizes are turned into the device's pixels through its own resolution; scaling them
    // makes the text follow pxPerMm whatever that resolution is.
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    const double fontScale = pxPerMm * 25.4 / (deviceDpi > 0 ? deviceDpi : 96);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    const ReportFont* lastFont = nullptr;
    for (const PreparedText& t : page.texts) {
        if (!lastFont || !(*lastFont == t.font)) {
            ReportFont f = t.font;
            f.pointSize *= fontScale;
            painter.setFont(TextMetrics::MakeFont(f));
            lastFont = &t.font;
        }
        // A clip path costs every PDF page size and time; most texts lie inside their box.
        const bool cut = !t.clipMm.isEmpty() && !t.clipMm.adjusted(-0.01, -0.01, 0.01, 0.01).contains(t.boundsMm());
        if (cut) {
            painter.save();
            painter.setClipRect(Scaled(t.clipMm, pxPerMm), Qt::IntersectClip);
        }
        painter.drawText(t.origin * pxPerMm, t.text);
        if (cut)
            painter.restore();
    }
    painter.restore();
}

QImage RenderPageImage(const PreparedPage& page, double dpi) {
    const double pxPerMm = dpi / 25.4;
    QImage img(qRound(page.widthMm * pxPerMm), qRound(page.heightMm * pxPerMm), QImage::Format_RGB32);
    const int dpm = qRound(dpi / 0.0254);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter painter(&img);
    PaintPage(page, painter, pxPerMm);
    return img;
}
