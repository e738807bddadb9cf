#include "common/Cp1250.h"

#include "common/Error.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace {

struct Table {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;
};

// Windows-1250 is a single-byte code page: the decoder gives us the whole table once, and the
// reverse map tells exactly which characters have a byte (no silent "?" on the way out).
const Table& CodeTable() {
    static const Table table = [] {
        Table t;
        QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const QString s = decoder.decode(QByteArray(1, char(b)));
            const char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            t.toUnicode[std::size_t(b)] = u;
            if (u != 0xFFFD && !t.fromUnicode.contains(u))
                t.fromUnicode.insert(u, char(b));
        }
        return t;
    }();
    return table;
}

} // namespace

namespace Cp1250 {

qsizetype FirstUnencodableIndex(const QString& text) {
    const Table& t = CodeTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!t.fromUnicode.contains(text.at(i).unicode()))
            return i;
    }
    return -1;
}

QString Decode(const QByteArray& bytes) {
    const Table& t = CodeTable();
    QString result(bytes.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(t.toUnicode[std::size_t(static_cast<unsigned char>(bytes.at(i)))]);
    return result;
}

QByteArray Encode(const QString& text) {
    const Table& t = CodeTable();
    QByteArray result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto it = t.fromUnicode.constFind(text.at(i).unicode());
        if (it == t.fromUnicode.constEnd()) {
            throw VelorinError(QStringLiteral("Text obsahuje znak %1, který nelze uložit v kódování Windows-1250.")
                                   .arg(DescribeCharacter(text, i)));
        }
        result.append(it.value());
    }
    return result;
}

bool CanEncode(const QString& text) {
    return FirstUnencodableIndex(text) < 0;
}

QChar FirstUnencodable(const QString& text) {
    const qsizetype i = FirstUnencodableIndex(text);
    return i < 0 ? QChar() : text.at(i);
}

QString FirstUnencodableCharacter(const QString& text) {
    const qsizetype i = FirstUnencodableIndex(text);
    if (i < 0)
        return QString();
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return text.mid(i, 2);
    return text.mid(i, 1);
}

QString DescribeCharacter(const QString& text, qsizetype index) {
    if (index < 0 || index >= text.size())
        return QString();
    char32_t code = text.at(index).unicode();
    QString shown = text.mid(index, 1);
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
        shown = text.mid(index, 2);
    }
    const QString number = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    // A control or invisible character would show as nothing in a message box.
    const QChar::Category cat = QChar::category(code);
    if (cat == QChar::Other_Control || cat == QChar::Other_Format || cat == QChar::Separator_Line ||
        cat == QChar::Separator_Paragraph || cat == QChar::Other_Surrogate)
        return number;
    return QStringLiteral("„%1“ (%2)").arg(shown, number);
}

} // namespace Cp1250
