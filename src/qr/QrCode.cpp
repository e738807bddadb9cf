#include "qr/QrCode.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <memory>
#include <qrencode.h>

std::optional<QrCode> QrCode::Encode(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    // Case-sensitive 8-bit data; libqrencode still packs digit and upper-case runs tighter.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(
        QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!qr || qr->width <= 0)
        return std::nullopt;
    QrCode code;
    code.m_size = qr->width;
    code.m_dark.resize(size_t(qr->width) * size_t(qr->width));
    for (size_t i = 0; i < code.m_dark.size(); ++i)
        code.m_dark[i] = qr->data[i] & 1; // the lowest bit is the module's colour
    return code;
}

std::vector<QRect> QrCode::darkRects() const {
    std::vector<QRect> rects;
    for (int y = 0; y < m_size; ++y) {
        int x = 0;
        while (x < m_size) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m_size && isDark(x, y))
                ++x;
            rects.emplace_back(start + kQuietZone, y + kQuietZone, x - start, 1);
        }
    }
    return rects;
}

void QrCode::paint(QPainter& painter, const QRectF& target) const {
    const double side = std::min(target.width(), target.height());
    const double k = side / extent();
    const QPointF origin(target.left() + (target.width() - side) / 2, target.top() + (target.height() - side) / 2);
    // One path for all modules: a PDF viewer then shows no seams where they touch.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRect& r : darkRects())
        path.addRect(origin.x() + r.x() * k, origin.y() + r.y() * k, r.width() * k, r.height() * k);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(origin, QSizeF(side, side)), Qt::white);
    painter.fillPath(path, Qt::black);
    painter.restore();
}

namespace QrPlatbaPicture {

namespace {

// The caption's strip beside the code, and its letter height, in modules.
constexpr double kStripModules = 3.0;
constexpr double kCaptionModules = 2.2;

double WidthInModules(const QrCode& code) {
    return code.extent() + kStripModules;
}

} // namespace

QSize ImageSize(const QrCode& code, int modulePx) {
    return QSize(qRound(WidthInModules(code) * modulePx), code.extent() * modulePx);
}

void Paint(QPainter& painter, const QRectF& target, const QrCode& code) {
    const double k = std::min(target.width() / WidthInModules(code), target.height() / code.extent());
    const QRectF codeRect(target.topLeft(), QSizeF(code.extent() * k, code.extent() * k));
    code.paint(painter, codeRect);

    painter.save();
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    // Sized in the device's points, so that the caption keeps its size on any device.
    const int dpi = painter.device() && painter.device()->logicalDpiY() > 0 ? painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(std::max(1.0, kCaptionModules * k * 72.0 / dpi));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Read from the bottom up, beginning level with the code's bottom edge.
    painter.translate(codeRect.right() + (kStripModules - 0.4) * k, codeRect.bottom() - QrCode::kQuietZone * k);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), kCaption);
    painter.restore();
}

QImage Image(const QrCode& code, int modulePx) {
    QImage image(ImageSize(code, modulePx), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, QRectF(QPointF(0, 0), image.size()), code);
    painter.end();
    return image;
}

QByteArray Svg(const QrCode& code) {
    const int e = code.extent();
    QByteArray svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1mm\" height=\"%2mm\" "
                          "viewBox=\"0 0 %3 %4\" shape-rendering=\"crispEdges\">\n")
               .arg(QString::number(WidthInModules(code)), QString::number(e), QString::number(WidthInModules(code)),
                    QString::number(e))
               .toUtf8();
    svg += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"")
               .arg(QString::number(WidthInModules(code)), QString::number(e))
               .toUtf8();
    for (const QRect& r : code.darkRects())
        svg += QStringLiteral("M%1 %2h%3v1h-%3z").arg(r.x()).arg(r.y()).arg(r.width()).toUtf8();
    svg += "\"/>\n";
    svg += QStringLiteral("<text transform=\"translate(%1 %2) rotate(-90)\" font-family=\"Arial, Liberation Sans, "
                          "sans-serif\" font-weight=\"bold\" font-size=\"%3\">%4</text>\n</svg>\n")
               .arg(QString::number(e + kStripModules - 0.4), QString::number(e - QrCode::kQuietZone),
                    QString::number(kCaptionModules), kCaption)
               .toUtf8();
    return svg;
}

} // namespace QrPlatbaPicture
