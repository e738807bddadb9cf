#include "invoice/QrDecode.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace QrDecode {

QStringList Texts(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    QStringList texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints))
        if (result.isValid())
            texts << QString::fromStdString(result.text());
    return texts;
}

} // namespace QrDecode
