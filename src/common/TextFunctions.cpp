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
    {u'Ł', "L"},       {u'ł', "l"},   {u'Đ', "D"},   {u'đ', "d"},   {u'ß', "ss"},  {u'×', "x"},     {u'\u00A0', " "},
    {u'„', "\""},      {u'“', "\""},  {u'”', "\""},  {u'«', "\""},  {u'»', "\""},  {u'‚', "'"},     {u'‘', "'"},
    {u'’', "'"},       {u'–', "-"},   {u'—', "-"},   {u'…', "..."}, {u'€', "EUR"}, {u'§', "par."},  {u'°', "st."},
    {u'‰', "promile"}, {u'©', "(C)"}, {u'®', "(R)"}, {u'™', "TM"},  {u'±', "+-"},  {u'÷', "/"},     {u'·', "."},
    {u'•', "*"},       {u'£', "GBP"}, {u'¥', "JPY"}, {u'µ', "u"},   {u'½', "1/2"}, {u'¼', "1/4"},   {u'¾', "3/4"},
    {u'¹', "1"},       {u'²', "2"},   {u'³', "3"},   {u'¦', "|"},   {u'¬', "-"},   {u'\u00AD', ""}, {u'\u2009', " "},
    {u'\u202F', " "},  {u'−', "-"},   {u'′', "'"},   {u'″', "\""},  {u'Ø', "O"},   {u'ø', "o"},     {u'Æ', "AE"},
    {u'æ', "ae"},      {u'Œ', "OE"},  {u'œ', "oe"},  {u'Þ', "Th"},  {u'þ', "th"},  {u'Ð', "D"},     {u'ð', "d"},
    {u'ı', "i"},       {u'¤', "?"},
};

const Spelling* SpellingOf(QChar c) {
    const auto spelt = std::find_if(std::begin(kSpellings), std::end(kSpellings),
                                    [c](const Spelling& s) { return s.c == c.unicode(); });
    return spelt == std::end(kSpellings) ? nullptr : spelt;
}

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
        if (const Spelling* spelt = SpellingOf(c))
            result += QLatin1String(spelt->ascii);
        else
            result += unknown.isNull() ? c : unknown;
    }
    return result;
}

QString PrintableAscii(const QString& text) {
    QString result = AsciiText(text, u'?');
    for (QChar& c : result)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            c = u'?';
    return result;
}

QStringList AsciiReplacements(const QString& text) {
    QStringList out;
    QString seen;
    for (const QChar c : text) {
        if ((c.unicode() >= 0x20 && c.unicode() <= 0x7E) || seen.contains(c))
            continue;
        seen += c;
        const QString plain = PrintableAscii(QString(c));
        // A letter that only loses its accent is not worth a word.
        const bool accentOnly =
            plain.size() == 1 && plain != QLatin1String("?") && plain.at(0).isLetter() && !SpellingOf(c);
        if (accentOnly)
            continue;
        const QString shown = c.unicode() < 0x20 || c.unicode() == 0x7F
                                  ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper()
                                  : QString(c);
        out << QStringLiteral("„%1“ za „%2“").arg(shown, plain);
    }
    return out;
}
