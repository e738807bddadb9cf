#pragma once

#include <QString>
#include <QStringList>

// Whole text files in Windows-1250 with CR LF line ends.
namespace TextFile {
// Splits at CR LF, lone CR and lone LF. A final line end does not start another line.
QStringList SplitLines(const QString& text);
// Reads and decodes the whole file; throws VelorinError naming the file when it cannot be read.
QStringList ReadLines(const QString& path);
// Writes every line followed by CR LF, atomically (a failed write keeps the old file).
// Throws VelorinError naming the file; nothing is written when a line cannot be encoded.
void WriteLines(const QString& path, const QStringList& lines);
// The same for bytes already encoded.
void WriteBytes(const QString& path, const QByteArray& bytes);
} // namespace TextFile
