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

// Texts their boxes cut, drawn under one clip path per group of them: a clip costs a PDF page
// some 150 bytes and the printer a change of state, which in a long list that cuts a column of
// every row is a fifth of the print. A text joins a group only when neither it nor the group's
// texts come near another's box, so each still shows just what its own box lets through; all is
// black, so drawing them after the rest changes nothing on the sheet.
struct CutGroup {
    std::vector<const PreparedText*> texts;
};

// Where the ink of a text may lie: its line's box, and half a line around it for accents and
// slanted letters.
QRectF Reach(const PreparedText& t) {
    const double m = (t.ascentMm + t.descentMm) / 2;
    return t.boundsMm().adjusted(-m, -m, m, m);
}

bool Fits(const CutGroup& g, const PreparedText& t) {
    const QRectF reach = Reach(t);
    for (const PreparedText* other : g.texts)
        if (other->clipMm != t.clipMm && (reach.intersects(other->clipMm) || Reach(*other).intersects(t.clipMm)))
            return false;
    return true;
}

void AddToGroup(std::vector<CutGroup>& groups, const PreparedText& t) {
    // Bounded work for a page of many cut texts: a few recent groups of limited size are tried.
    constexpr size_t TriedGroups = 8, MostTexts = 64;
    for (size_t i = groups.size(), tried = 0; i > 0 && tried < TriedGroups; --i, ++tried) {
        CutGroup& g = groups[i - 1];
        if (g.texts.size() < MostTexts && Fits(g, t)) {
            g.texts.push_back(&t);
            return;
        }
    }
    groups.push_back({{&t}});
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
    auto draw = [&](const PreparedText& t) {
        if (!lastFont || !(*lastFont == t.font)) {
            ReportFont f = t.font;
            f.pointSize *= fontScale;
            painter.setFont(TextMetrics::MakeFont(f));
            lastFont = &t.font;
        }
        painter.drawText(t.origin * pxPerMm, t.text);
    };
    std::vector<CutGroup> groups;
    for (const PreparedText& t : page.texts) {
        // Most texts lie inside their box and need no clip.
        if (t.clipMm.isEmpty() || t.clipMm.adjusted(-0.01, -0.01, 0.01, 0.01).contains(t.boundsMm()))
            draw(t);
        else
            AddToGroup(groups, t);
    }
    for (const CutGroup& g : groups) {
        QPainterPath clip;
        clip.setFillRule(Qt::WindingFill);
        for (const PreparedText* t : g.texts)
            clip.addRect(Scaled(t->clipMm, pxPerMm));
        painter.save();
        painter.setClipPath(clip, Qt::IntersectClip);
        for (const PreparedText* t : g.texts)
            draw(*t);
        painter.restore();
        lastFont = nullptr; // the font before save is back
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
