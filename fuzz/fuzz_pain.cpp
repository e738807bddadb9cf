// The pain.001 writer on random orders (read from the input as an order file): whatever the texts,
// every order the export accepts gives, in both profiles, a document that the ISO 20022 schema
// takes and that reads back to the order, with the sum of its items as its control sum.
#include "FuzzSupport.h"
#include "bank/BankRegister.h"
#include "common/CzechFormat.h"
#include "common/Error.h"
#include "order/OrderFile.h"
#include "pain/PainDocument.h"
#include "pain/PainReader.h"

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
    settings.CisloUctu = order.Bank.CisloUctu;
    settings.SmerovyKod = order.Bank.SmerovyKod;
    settings.NazevKlienta = order.Bank.NazevBanky + order.Bank.Adresa;
    if (!PainExportProblem(order, settings).isEmpty())
        return 0;
    for (const PainProfile profile : {PainProfile::Cba, PainProfile::Sepa}) {
        PainOptions options;
        options.profile = profile;
        options.created = QDateTime(QDate(2026, 12, 10), QTime(8, 0));
        const PainDocument doc = BuildPainDocument(order, settings, BankRegister::BuiltIn(), options);
        const QString problem = CheckPainDocument(doc, order, settings, profile);
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
        FUZZ_REQUIRE(problem.isEmpty());
        const PainReadFile read = ReadPainDocument(doc.xml).file;
        qint64 sum = 0;
        for (const int row : doc.rows)
            sum += *CzechFormat::ParseHalers(order.Items[std::size_t(row)].Amount);
        FUZZ_REQUIRE(read.controlSum == sum);
        FUZZ_REQUIRE(read.transfers.size() == doc.rows.size());
    }
    return 0;
}
