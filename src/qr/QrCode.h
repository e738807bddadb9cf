#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

// A QR code as a square of modules, made by libqrencode with error correction M. It is drawn as
// filled rectangles, never as a bitmap, so that it prints sharp at any size.
class QrCode {
public:
    // The white border the readers need round the code, in modules.
    static constexpr int kQuietZone = 4;

    // std::nullopt when the text does not fit into any QR code.
    static std::optional<QrCode> Encode(const QString& text);

    // Modules along one side, without the quiet zone.
    int size() const { return m_size; }
    // Modules along one side with the quiet zone on both sides.
    int extent() const { return m_size + 2 * kQuietZone; }
    bool isDark(int x, int y) const { return m_dark[size_t(y) * size_t(m_size) + size_t(x)] != 0; }

    // The dark modules as rectangles in modules from the outer corner of the quiet zone; the dark
    // modules of a row that touch are one rectangle.
    std::vector<QRect> darkRects() const;

    // Draws the code with its quiet zone into target (a square is centred in it), white under it.
    void paint(QPainter& painter, const QRectF& target) const;

private:
    int m_size = 0;
    std::vector<unsigned char> m_dark;
};

// The code with the caption "QR Platba" beside it, as the payer knows it from invoices.
namespace QrPlatbaPicture {

inline const QString kCaption = QStringLiteral("QR Platba");

// The size of the picture for a code of modulePx pixels a module.
QSize ImageSize(const QrCode& code, int modulePx);
// The code and the caption drawn into target (a rectangle of ImageSize's proportions).
void Paint(QPainter& painter, const QRectF& target, const QrCode& code);
// A picture on white, modulePx pixels a module.
QImage Image(const QrCode& code, int modulePx);
// The same as SVG: the modules as rectangles, the caption as text.
QByteArray Svg(const QrCode& code);

} // namespace QrPlatbaPicture
