// The ini reader and the one-key writer: a written key reads back as written, every other key
// keeps its value, and nothing read is longer than the file.
#include "FuzzSupport.h"
#include "common/Cp1250.h"
#include "common/Error.h"
#include "order/IniFile.h"

namespace {

// A name the writer can store and the reader finds again: letters and digits only.
QString Name(const QByteArray& bytes, const char* fallback) {
    QString name;
    for (const char c : bytes) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += QLatin1Char(c);
    }
    return name.isEmpty() ? QLatin1String(fallback) : name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first line names the section, key and value to write ("section,key,value"); the rest is the file.
    const QByteArray input = Bytes(data, size);
    const qsizetype eol = input.indexOf('\n');
    const QByteArray head = eol < 0 ? QByteArray() : input.left(eol);
    const QByteArray file = eol < 0 ? input : input.mid(eol + 1);
    const QList<QByteArray> parts = head.split(',');
    const QString section = Name(parts.value(0), "Udaje");
    const QString key = Name(parts.value(1), "Klic");
    // A value the reader gives back unchanged: no line end, no blanks round it, no matching quotes.
    QString value = Name(parts.value(2), "hodnota");
    if (parts.size() > 3)
        value += QLatin1Char(' ') + Cp1250::Decode(parts.value(3)).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    value = value.trimmed();

    const QString path = ScratchFile("input.ini", file);
    const IniFile::Contents before = IniFile::Contents::Load(path);
    const QString other = QStringLiteral("Jiny") + key;
    const std::optional<QString> otherBefore = before.Value(section, other);
    if (const std::optional<QString> v = before.Value(section, key))
        FUZZ_REQUIRE(v->size() <= file.size());
    // The one-file-per-key reader agrees with the whole-file one.
    FUZZ_REQUIRE(IniFile::Read(path, section, key) == before.Value(section, key));

    try {
        IniFile::Write(path, section, key, value);
    } catch (const VelorinError&) {
        return 0;
    }
    const IniFile::Contents after = IniFile::Contents::Load(path);
    FUZZ_REQUIRE(after.Value(section, key) == std::optional<QString>(value));
    FUZZ_REQUIRE(after.Value(section, other) == otherBefore);
    return 0;
}
