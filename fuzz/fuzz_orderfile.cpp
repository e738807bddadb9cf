// The order file: whatever loads writes back and loads again the same, and no field is longer
// than the file it came from.
#include "FuzzSupport.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ScratchFile("input.ppu", Bytes(data, size));
    PaymentOrder order;
    try {
        order = OrderFile::Load(path);
    } catch (const VelorinError&) {
        return 0; // refusing a file is fine
    }
    const qsizetype limit = qsizetype(size);
    const QString* header[] = {&order.Bank.NazevBanky, &order.Bank.Adresa, &order.Bank.CisloUctu,
                               &order.Bank.SmerovyKod, &order.OrderDate};
    for (const QString* f : header)
        FUZZ_REQUIRE(f->size() <= limit);
    for (const OrderItem& item : order.Items) {
        for (int c = 0; c < 7; ++c)
            FUZZ_REQUIRE(item.field(c).size() <= limit);
    }

    const QString copy = ScratchFolder() + QStringLiteral("/copy.ppu");
    // Row fields are cut at "|" and no field holds a line end; only a header line with "|" is refused
    // on saving, with a message naming the field.
    bool headerBar = false;
    for (const QString* f : header)
        headerBar = headerBar || f->contains(QLatin1Char('|'));
    try {
        OrderFile::Save(order, copy);
    } catch (const VelorinError&) {
        FUZZ_REQUIRE(headerBar);
        return 0;
    }
    PaymentOrder back = OrderFile::Load(copy);
    FUZZ_REQUIRE(back.Bank == order.Bank);
    FUZZ_REQUIRE(back.OrderDate == order.OrderDate);
    FUZZ_REQUIRE(back.Items == order.Items);
    FUZZ_REQUIRE(OrderFile::BuildLines(back) == OrderFile::BuildLines(order));
    FUZZ_REQUIRE(TextFile::ReadLines(copy).size() == OrderFile::kLineCount);
    return 0;
}
