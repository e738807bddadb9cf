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
// Index of that character, -1 when the whole text can be encoded.
qsizetype FirstUnencodableIndex(const QString& text);
// The same as a whole character (both halves of a surrogate pair), or an empty text.
QString FirstUnencodableCharacter(const QString& text);
// The character at index for a message: „ø“ (U+00F8); invisible ones by their code only.
QString DescribeCharacter(const QString& text, qsizetype index);
} // namespace Cp1250
