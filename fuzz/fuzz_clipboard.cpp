// The item clipboard text: what a row reads from any text copies out and reads back the same, and
// no field is longer than the text.
#include "FuzzSupport.h"
#include "order/PaymentOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Text from another program arrives as UTF-8.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    OrderItem item;
    ReadRowText(text, item);
    for (int c = 0; c < 7; ++c) {
        FUZZ_REQUIRE(item.field(c).size() <= text.size());
        FUZZ_REQUIRE(!item.field(c).contains(QLatin1Char('|')));
    }
    const QString copied = RowText(item);
    FUZZ_REQUIRE(copied.count(QLatin1Char('|')) == 7);
    OrderItem pasted;
    ReadRowText(copied, pasted);
    FUZZ_REQUIRE(pasted == item);
    // Pasting over a filled row replaces every field.
    OrderItem over;
    for (int c = 0; c < 7; ++c)
        over.field(c) = QStringLiteral("x");
    ReadRowText(copied, over);
    FUZZ_REQUIRE(over == item);
    return 0;
}
