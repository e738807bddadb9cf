#pragma once

#include <QByteArray>
#include <QString>

// The one module that turns texts into Windows-1250 bytes and back.
namespace Cp1250 {
QString Decode(const QByteArray& bytes);
// Throws VelorinError when the text holds a character that Windows-1250 cannot hold.
QByteArray Encode(const QString& text);
bool CanEncode(const QString& text);
// The first character of text that Windows-1250 cannot hold, or a null QChar.
QChar FirstUnencodable(const QString& text);
} // namespace Cp1250
