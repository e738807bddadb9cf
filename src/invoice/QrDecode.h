#pragma once

#include <QImage>
#include <QStringList>

// QR codes found in a picture, by ZXing-C++.
namespace QrDecode {

// The texts of every QR code in the picture, in the order found; empty when there is none.
QStringList Texts(const QImage& image);

} // namespace QrDecode
