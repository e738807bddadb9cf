// The paste of an item: whatever it accepts copies out as the very text and goes through the order
// file unchanged; it refuses only what the file cannot hold, never an amount; and every item the
// file can hold pastes back equal from its own text.
#include "FuzzSupport.h"
#include "common/Cp1250.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"

#include <cstring>

namespace {

// The first byte says how the rest arrives: UTF-8 from another program, the file's own code
// page, or UTF-16 with lone surrogates and all.
QString TextOf(const uint8_t* data, size_t size) {
    if (size == 0)
        return QString();
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const qsizetype n = qsizetype(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromUtf8(rest, n);
    case 1:
        return Cp1250::Decode(QByteArray(rest, n));
    default: {
        QString text(n / 2, Qt::Uninitialized); // copied: the bytes need not be aligned for char16_t
        std::memcpy(text.data(), rest, std::size_t(text.size()) * sizeof(QChar));
        return text;
    }
    }
}

bool FileCanHold(const QString& text) {
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) && Cp1250::CanEncode(text);
}

// The item as the order file gives it back.
OrderItem ThroughTheFile(const OrderItem& item) {
    PaymentOrder order;
    order.OrderDate = QStringLiteral("7.1.2022");
    order.Items[3] = item;
    const QStringList lines = OrderFile::BuildLines(order);
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Cp1250::Encode(line) + "\r\n";
    const QStringList back = TextFile::SplitLines(Cp1250::Decode(bytes));
    FUZZ_REQUIRE(back.size() == OrderFile::kLineCount);
    OrderItem read;
    ReadRowText(back.at(5 + 3), read);
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = TextOf(data, size);

    const std::optional<OrderItem> pasted = ReadClipboardItem(text);
    const bool itemLine = text.count(QLatin1Char('|')) == 7 && text.endsWith(QLatin1Char('|'));
    FUZZ_REQUIRE(pasted.has_value() == (itemLine && FileCanHold(text)));
    if (pasted) {
        FUZZ_REQUIRE(RowText(*pasted) == text);
        for (int c = 0; c <= kGridColumns; ++c)
            FUZZ_REQUIRE(FieldProblem(pasted->field(c)).isEmpty());
        FUZZ_REQUIRE(ThroughTheFile(*pasted) == *pasted);
    }

    // The same text cut into an item's seven fields, as the item editor or a loaded file would hold
    // them: copy then paste gives the item back exactly when the file can hold its fields.
    const QStringList parts = text.split(QLatin1Char('|'));
    OrderItem item;
    for (int c = 0; c < kGridColumns; ++c)
        item.field(c) = parts.value(c);
    item.Comment = parts.mid(kGridColumns).join(QString());
    bool holdable = true;
    for (int c = 0; c <= kGridColumns; ++c)
        holdable = holdable && FieldProblem(item.field(c)).isEmpty();
    const std::optional<OrderItem> back = ReadClipboardItem(RowText(item));
    FUZZ_REQUIRE(back.has_value() == holdable);
    if (back)
        FUZZ_REQUIRE(*back == item);
    return 0;
}
