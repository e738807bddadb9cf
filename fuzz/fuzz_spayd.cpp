// The QR Platba reader: a payment or a reason, never both; a payment's account is a Czech one
// whose IBAN gives it back, its fields fit the order file, and a payment the program can encode
// again reads back with the same account, bank code and amount.
#include "FuzzSupport.h"
#include "bank/Iban.h"
#include "common/CzechFormat.h"
#include "invoice/Spayd.h"
#include "qr/QrPlatba.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const InvoiceFindings found = Spayd::Parse(text);
    FUZZ_REQUIRE(found.Payments.size() <= 1);
    FUZZ_REQUIRE(found.Payments.empty() != found.Problem.isEmpty());
    if (found.Payments.empty())
        return 0;
    FUZZ_REQUIRE(Spayd::IsSpayd(text));
    const OrderItem& item = found.Payments[0].Item;
    for (int c = 0; c <= kGridColumns; ++c)
        FUZZ_REQUIRE(FieldProblem(item.field(c)).isEmpty());
    const std::optional<CzechIbanParts> parts = ParseCzechIban(CzechIban(item.Account, item.BankCode));
    FUZZ_REQUIRE(parts && parts->Account == item.Account && parts->BankCode == item.BankCode);
    if (!item.Amount.isEmpty())
        FUZZ_REQUIRE(CzechFormat::ParseNumber(item.Amount).value_or(0.0) > 0.0);

    if (QrPlatba::Problem(item, QStringLiteral("CZK")).isEmpty()) {
        const InvoiceFindings again = Spayd::Parse(QrPlatba::SpaydText(item, QStringLiteral("1.2.2027")));
        FUZZ_REQUIRE(again.Payments.size() == 1);
        const OrderItem& back = again.Payments[0].Item;
        FUZZ_REQUIRE(back.Account == item.Account && back.BankCode == item.BankCode);
        FUZZ_REQUIRE(CzechFormat::ParseNumber(back.Amount) == CzechFormat::ParseNumber(item.Amount));
        FUZZ_REQUIRE(again.Payments[0].DueDate == QDate(2027, 2, 1));
    }
    return 0;
}
