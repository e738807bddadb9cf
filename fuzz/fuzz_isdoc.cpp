// The ISDOC reader and the unzipping of .isdocx: whatever the bytes, a payment or a reason, never
// both; every payment is a row the order file can hold, with a Czech account and an amount that is
// a positive number or none; the ZIP reader never gives more than its cap.
#include "FuzzSupport.h"
#include "bank/CzechAccount.h"
#include "common/CzechFormat.h"
#include "invoice/Isdoc.h"
#include "invoice/IsdocZip.h"
#include "qr/QrPlatba.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    const InvoiceFindings found = Isdoc::Read(bytes);
    FUZZ_REQUIRE(found.Payments.empty() != found.Problem.isEmpty());
    for (const InvoicePayment& p : found.Payments) {
        FUZZ_REQUIRE(found.IsInvoice);
        FUZZ_REQUIRE(p.Source == InvoiceText::kSourceIsdoc);
        for (int c = 0; c <= kGridColumns; ++c)
            FUZZ_REQUIRE(FieldProblem(p.Item.field(c)).isEmpty());
        FUZZ_REQUIRE(ParseCzechAccount(p.Item.Account).has_value());
        FUZZ_REQUIRE(!p.Item.BankCode.isEmpty());
        if (!p.Item.Amount.isEmpty())
            FUZZ_REQUIRE(CzechFormat::ParseNumber(p.Item.Amount).value_or(0.0) > 0.0);
        FUZZ_REQUIRE(p.Item.Comment.size() <= QrPlatba::kMaxMessage);
    }

    constexpr qint64 kCap = 64 * 1024;
    QString problem;
    const std::optional<QByteArray> xml = IsdocZip::ExtractIsdoc(bytes, kCap, &problem);
    FUZZ_REQUIRE(xml.has_value() == problem.isEmpty());
    if (xml)
        FUZZ_REQUIRE(xml->size() <= kCap);
    return 0;
}
