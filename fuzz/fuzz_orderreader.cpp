// The reader of the year loops: its lines are those of the text reader, its fields those of a
// plain split at "|", its fast number and date readers agree with the regional ones, and a buffer
// kept from another file changes nothing.
#include "FuzzSupport.h"
#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "common/TextFile.h"
#include "order/OrderReader.h"

namespace {

// Every field of the line as a split at each "|" gives it: text after the last "|" is none.
QList<QByteArray> PlainFields(QByteArrayView line) {
    QList<QByteArray> parts = line.toByteArray().split('|');
    parts.removeLast();
    return parts;
}

void CheckNumberAndDate(QByteArrayView text) {
    const QString decoded = Cp1250::Decode(text.toByteArray());
    FUZZ_REQUIRE(OrderFileReader::Number(text) == CzechFormat::ParseNumber(decoded));
    FUZZ_REQUIRE(OrderFileReader::Date(text) == CzechFormat::ParseDate(decoded));
}

// What the reader holds, line by line.
QList<QByteArray> Lines(const OrderFileReader& reader) {
    QList<QByteArray> lines;
    for (int i = 0; i < reader.lineCount(); ++i)
        lines << reader.line(i).toByteArray();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    const QString path = ScratchFile("input.ppu", bytes);
    FUZZ_REQUIRE(TextFile::ReadBytes(path) == bytes);

    OrderFileReader reader;
    const bool read = reader.Read(path);
    const QStringList lines = TextFile::ReadLines(path);
    FUZZ_REQUIRE(reader.lineCount() == lines.size());
    FUZZ_REQUIRE(read == (lines.size() >= OrderFileReader::kMinLines));
    FUZZ_REQUIRE(read == reader.problem().isEmpty());
    for (int i = 0; i < reader.lineCount(); ++i) {
        FUZZ_REQUIRE(reader.text(i) == lines.at(i));
        const QByteArrayView line = reader.line(i);
        const QList<QByteArray> fields = PlainFields(line);
        for (int k = 0; k <= fields.size(); ++k) {
            const QByteArrayView field = OrderFileReader::Field(line, k);
            FUZZ_REQUIRE(field == (k < fields.size() ? QByteArrayView(fields.at(k)) : QByteArrayView()));
            CheckNumberAndDate(field);
        }
        CheckNumberAndDate(line);
    }
    if (read)
        FUZZ_REQUIRE(reader.date() == lines.at(OrderFileReader::kDateLine));

    // The same reader over a shorter file and back: what a fresh reader gives, nothing left over.
    const QList<QByteArray> first = Lines(reader);
    const QByteArray half = bytes.left(bytes.size() / 2);
    const QString halfPath = ScratchFile("half.ppu", half);
    OrderFileReader fresh;
    FUZZ_REQUIRE(reader.Read(halfPath) == fresh.Read(halfPath));
    FUZZ_REQUIRE(Lines(reader) == Lines(fresh));
    FUZZ_REQUIRE(reader.problem() == fresh.problem());
    FUZZ_REQUIRE(reader.Read(path) == read);
    FUZZ_REQUIRE(Lines(reader) == first);
    return 0;
}
