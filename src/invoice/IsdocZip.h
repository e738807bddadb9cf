#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The zipped ISDOC (".isdocx"): a ZIP holding the invoice's ".isdoc" beside its attachments.
namespace IsdocZip {

// True when the bytes start as a ZIP file does.
bool LooksLikeZip(const QByteArray& bytes);

// The bytes of the first ".isdoc" in the ZIP. Unpacking stops at maxBytes, whatever the ZIP claims,
// so a ZIP bomb is refused without filling the memory. std::nullopt with problem set (Czech) when
// the ZIP cannot be read, holds no ".isdoc", or the file is larger than maxBytes.
std::optional<QByteArray> ExtractIsdoc(const QByteArray& zip, qint64 maxBytes, QString* problem);

} // namespace IsdocZip
