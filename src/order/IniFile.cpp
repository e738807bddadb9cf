#include "order/IniFile.h"

#include "common/Cp1250.h"
#include "common/Error.h"
#include "common/TextFile.h"

#include <QList>
#include <QSet>
#include <limits>

namespace {

// One line of the file as it stands on disk: its bytes and its line end, kept apart so that a
// write can give back every untouched line byte for byte.
struct RawLine {
    QByteArray text;
    QByteArray end; // "\r\n", "\r", "\n" or empty for a last line without one
};

QList<RawLine> SplitRaw(const QByteArray& bytes) {
    QList<RawLine> lines;
    TextFile::ForEachLine(QByteArrayView(bytes), [&](qsizetype start, qsizetype length, qsizetype endLength) {
        lines.append(RawLine{bytes.mid(start, length), bytes.mid(start + length, endLength)});
    });
    return lines;
}

// The private-profile functions drop blanks and tabs only, not every Unicode space.
QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<QString> SectionName(const QString& line) {
    const QString t = TrimBlanks(line);
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        close = t.size();
    return TrimBlanks(t.mid(1, close - 1));
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> ParseKeyLine(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    KeyLine kl{TrimBlanks(line.left(eq)), TrimBlanks(line.mid(eq + 1))};
    if (kl.value.size() >= 2) {
        const QChar first = kl.value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && kl.value.back() == first)
            kl.value = kl.value.mid(1, kl.value.size() - 2);
    }
    return kl;
}

bool SameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Where section and key stand in the file: -1 for what is not there.
struct Place {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype lastKeyLine = -1; // the last key line of the section
};

Place Find(const QList<RawLine>& lines, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = Cp1250::Decode(lines.at(i).text);
        if (const auto name = SectionName(text)) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = SameName(*name, section);
            if (inSection)
                place.sectionLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (const auto kl = ParseKeyLine(text)) {
            place.lastKeyLine = i;
            if (place.keyLine < 0 && SameName(kl->key, key))
                place.keyLine = i;
        }
    }
    return place;
}

QString Folded(const QString& name) {
    return name.toCaseFolded();
}

} // namespace

namespace IniFile {

Contents Contents::Load(const QString& path, QString* problem) {
    try {
        return Parse(TextFile::ReadBytes(path));
    } catch (const TextFile::ReadError& e) {
        if (problem && e.kind() != TextFile::ReadError::Kind::Missing)
            *problem = e.message();
        return Contents();
    }
}

Contents Contents::Parse(const QByteArray& bytes) {
    Contents contents;
    QSet<QString> seen;
    QHash<QString, QString>* current = nullptr; // null outside a section or in a repeated one
    for (const RawLine& line : SplitRaw(bytes)) {
        const QString text = Cp1250::Decode(line.text);
        if (const auto name = SectionName(text)) {
            const QString folded = Folded(*name);
            // Only the first section of a name counts, as Find has it.
            current = seen.contains(folded) ? nullptr : &contents.m_sections[folded];
            seen.insert(folded);
            continue;
        }
        if (!current)
            continue;
        if (auto kl = ParseKeyLine(text)) {
            const QString key = Folded(kl->key);
            if (!current->contains(key))
                current->insert(key, std::move(kl->value));
        }
    }
    return contents;
}

std::optional<QString> Contents::Value(const QString& section, const QString& key) const {
    const auto s = m_sections.constFind(Folded(section));
    if (s == m_sections.cend())
        return std::nullopt;
    const auto k = s->constFind(Folded(key));
    if (k == s->cend())
        return std::nullopt;
    return *k;
}

std::optional<QString> Read(const QString& path, const QString& section, const QString& key) {
    return Contents::Load(path).Value(section, key);
}

void Write(const QString& path, const QString& section, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    // A line break would split the entry and a foreign character would turn into "?": refuse both.
    if (entry.contains(QLatin1Char('\r')) || entry.contains(QLatin1Char('\n')) || section.contains(QLatin1Char('\r')) ||
        section.contains(QLatin1Char('\n'))) {
        throw VelorinError(
            QStringLiteral("Hodnotu %1 nelze uložit do souboru %2: obsahuje konec řádku.").arg(key, path));
    }
    const QByteArray entryBytes = Cp1250::Encode(entry);
    const QByteArray sectionBytes = Cp1250::Encode(section);

    // A file that cannot be read whole (a pipe, say) is not replaced: its other lines would be lost.
    QByteArray old;
    try {
        old = TextFile::ReadBytes(path);
    } catch (const TextFile::ReadError& e) {
        if (e.kind() != TextFile::ReadError::Kind::Missing)
            throw VelorinError(QStringLiteral("Unable to write to ") + path);
    }
    QList<RawLine> lines = SplitRaw(old);
    const Place place = Find(lines, section, key);
    const QByteArray crlf("\r\n");

    if (place.keyLine >= 0) {
        lines[place.keyLine].text = entryBytes;
    } else if (place.sectionLine >= 0) {
        const qsizetype after = place.lastKeyLine >= 0 ? place.lastKeyLine : place.sectionLine;
        if (lines.at(after).end.isEmpty())
            lines[after].end = crlf;
        lines.insert(after + 1, RawLine{entryBytes, crlf});
    } else {
        if (!lines.isEmpty() && lines.last().end.isEmpty())
            lines.last().end = crlf;
        lines.append(RawLine{'[' + sectionBytes + ']', crlf});
        lines.append(RawLine{entryBytes, crlf});
    }

    QByteArray bytes;
    for (const RawLine& line : lines)
        bytes += line.text + line.end;
    try {
        TextFile::WriteBytes(path, bytes);
    } catch (const VelorinError&) {
        throw VelorinError(QStringLiteral("Unable to write to ") + path);
    }
}

std::optional<int> ParseInt(const QString& text) {
    const QString t = TrimBlanks(text);
    QString digits;
    int base = 10;
    bool negative = false;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = t.mid(2);
        base = 16;
    } else if (t.startsWith(QLatin1Char('$'))) {
        digits = t.mid(1);
        base = 16;
    } else {
        digits = t;
        if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-'))) {
            negative = digits.front() == QLatin1Char('-');
            digits = digits.mid(1);
        }
    }
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        const int d = c.unicode() < 128 ? QByteArray("0123456789abcdef").indexOf(char(c.toLower().unicode())) : -1;
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

} // namespace IniFile
