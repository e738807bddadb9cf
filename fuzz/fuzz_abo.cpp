// The ABO writer on random orders (read from the input as an order file): an order the dialog
// accepts gives a text whose group total is the sum of its item records, one record per amount
// row, and the text writes and reads back line for line.
#include "FuzzSupport.h"
#include "abo/AboWriter.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ScratchFile("input.ppu", Bytes(data, size));
    PaymentOrder order;
    try {
        order = OrderFile::Load(path);
    } catch (const VelorinError&) {
        return 0;
    }
    // The payer's data come from the order's bank lines, so they vary too.
    Settings settings;
    settings.NazevBanky = order.Bank.NazevBanky;
    settings.CisloUctu = order.Bank.CisloUctu;
    settings.SmerovyKod = order.Bank.SmerovyKod;
    settings.NazevKlienta = order.Bank.Adresa;
    if (!AboExportProblem(order, settings).isEmpty())
        return 0;

    for (const bool comments : {false, true}) {
        const QStringList lines = BuildAboText(order, settings, comments);
        qint64 sum = 0;
        int amountRows = 0;
        for (const OrderItem& item : order.Items) {
            if (!item.isAmountRow())
                continue;
            ++amountRows;
            const std::optional<qint64> halers = AboHalers(item.Amount);
            FUZZ_REQUIRE(halers.has_value()); // the export check refused every other amount
            sum += *halers;
        }
        FUZZ_REQUIRE(lines.size() == 3 + amountRows + 2);
        FUZZ_REQUIRE(lines.at(2).contains(QStringLiteral(" %1 ").arg(sum, 14, 10, QLatin1Char('0'))));
        int record = 3;
        for (const OrderItem& item : order.Items) {
            if (!item.isAmountRow())
                continue;
            const QString amount = QStringLiteral(" %1 ").arg(*AboHalers(item.Amount), 12, 10, QLatin1Char('0'));
            FUZZ_REQUIRE(lines.at(record++).contains(amount));
        }
        FUZZ_REQUIRE(lines.at(lines.size() - 2) == QStringLiteral("3 +"));
        FUZZ_REQUIRE(lines.last() == QStringLiteral("5 +"));

        const QString copy = ScratchFolder() + QStringLiteral("/copy.abo");
        TextFile::WriteLines(copy, lines);
        FUZZ_REQUIRE(TextFile::ReadLines(copy) == lines);
    }
    return 0;
}
