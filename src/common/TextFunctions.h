#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Small text helpers shared by the ABO writer, the item editor and the order readers.
// None keeps state or fails.
QString RepeatChar(QChar c, int count);
QString PadSpaces(const QString& text, int width);
QString PadZeros(const QString& text, int width);
// 0 when absent; otherwise the position of the last occurrence counted from the end (last char = 1).
int CharPosFromEnd(QChar c, const QString& text);
QString ReplaceChar(const QString& text, QChar find, QChar replacement);
// Splits at every "|": n separators always give n + 1 fields.
void SplitFields(const QString& text, QStringList& fields);
QString FieldAt(const QString& text, int index);

// "Příliš „žluťoučký“" gives "Prilis \"zlutoucky\"": accents dropped, a few letters and signs spelt out, for
// importers and banking apps that misread anything else. A character with no ASCII form becomes unknown, or
// stays as it is when unknown is null.
QString AsciiText(const QString& text, QChar unknown = {});
// Printable ASCII only (0x20-0x7E): AsciiText with "?" for what has no ASCII form and for control
// characters.
QString PrintableAscii(const QString& text);
// What PrintableAscii spells out or replaces, beyond dropped accents, once each in order of first
// appearance: "„€“ za „EUR“", "„☺“ za „?“".
QStringList AsciiReplacements(const QString& text);
