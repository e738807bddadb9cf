#include "common/TextFunctions.h"

#include <algorithm>

QString RepeatChar(QChar c, int count) {
    return count > 0 ? QString(count, c) : QString();
}

QString PadSpaces(const QString& text, int width) {
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width);
    return text + RepeatChar(QLatin1Char(' '), width - int(text.size()));
}

QString PadZeros(const QString& text, int width) {
    if (width <= 0)
        return QString();
    // A longer text loses its end, also for numbers: the fields it feeds have a fixed width.
    if (text.size() >= width)
        return text.left(width);
    return RepeatChar(QLatin1Char('0'), width - int(text.size())) + text;
}

int CharPosFromEnd(QChar c, const QString& text) {
    const qsizetype pos = text.lastIndexOf(c);
    return pos < 0 ? 0 : int(text.size() - pos);
}

QString ReplaceChar(const QString& text, QChar find, QChar replacement) {
    QString result = text;
    result.replace(find, replacement);
    return result;
}

void SplitFields(const QString& text, QStringList& fields) {
    fields = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

QString FieldAt(const QString& text, int index) {
    if (index < 0)
        return QString();
    QStringList fields;
    SplitFields(text, fields);
    return index < fields.size() ? fields.at(index) : QString();
}

namespace {

// Letters and signs that have no accent to drop but an ASCII spelling.
struct Spelling {
    char16_t c;
    const char* ascii;
};
constexpr Spelling kSpellings[] = {
    {u'Ł', "L"},      {u'ł', "l"},  {u'Đ', "D"},  {u'đ', "d"},  {u'ß', "ss"}, {u'×', "x"},
    {u'\u00A0', " "}, {u'„', "\""}, {u'“', "\""}, {u'”', "\""}, {u'«', "\""}, {u'»', "\""},
    {u'‚', "'"},      {u'‘', "'"},  {u'’', "'"},  {u'–', "-"},  {u'—', "-"},  {u'…', "..."},
};

} // namespace

QString AsciiText(const QString& text, QChar unknown) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 0x80) {
            result += c;
            continue;
        }
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const auto spelt = std::find_if(std::begin(kSpellings), std::end(kSpellings),
                                        [c](const Spelling& s) { return s.c == c.unicode(); });
        if (spelt != std::end(kSpellings))
            result += QLatin1String(spelt->ascii);
        else
            result += unknown.isNull() ? c : unknown;
    }
    return result;
}
