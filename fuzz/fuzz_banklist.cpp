// The bank list reader: each bank has a four-digit code and a name, each code comes once, the bad
// lines are lines of the file in order, and the banks written out as a list read back the same.
#include "FuzzSupport.h"
#include "bank/BankRegister.h"
#include "common/TextFile.h"

#include <QSet>

namespace {

QString Quoted(QString text) {
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool FourDigits(const QString& code) {
    if (code.size() != 4)
        return false;
    for (const QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool Same(const BankInfo& a, const BankInfo& b) {
    return a.Code == b.Code && a.Name == b.Name && a.Bic == b.Bic && a.Clearing == b.Clearing;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    const BankList list = ParseBankList(bytes);
    bool utf8 = false;
    const qsizetype lineCount = TextFile::SplitLines(DecodeBankListText(bytes, &utf8)).size();
    FUZZ_REQUIRE(list.Utf8 == utf8);

    QSet<QString> codes;
    for (const BankInfo& bank : list.Banks) {
        FUZZ_REQUIRE(FourDigits(bank.Code));
        FUZZ_REQUIRE(!bank.Name.isEmpty() && bank.Name == bank.Name.trimmed());
        FUZZ_REQUIRE(!codes.contains(bank.Code));
        codes.insert(bank.Code);
    }
    FUZZ_REQUIRE(qsizetype(list.Banks.size()) + list.BadLines.size() <= lineCount);
    int previous = 0;
    for (const int line : list.BadLines) {
        FUZZ_REQUIRE(line > previous && line <= lineCount);
        previous = line;
    }

    // Written out with a header and every field quoted, as a spreadsheet would, in UTF-8.
    QString out = QStringLiteral("Kód;Název;BIC;CERTIS\r\n");
    for (const BankInfo& bank : list.Banks)
        out += Quoted(bank.Code) + u';' + Quoted(bank.Name) + u';' + Quoted(bank.Bic) + u';' +
               (bank.Clearing ? QStringLiteral("A") : QStringLiteral("N")) + QStringLiteral("\r\n");
    const BankList back = ParseBankList(out.toUtf8());
    FUZZ_REQUIRE(back.BadLines.isEmpty());
    FUZZ_REQUIRE(back.Banks.size() == list.Banks.size());
    for (std::size_t i = 0; i < list.Banks.size(); ++i)
        FUZZ_REQUIRE(Same(back.Banks[i], list.Banks[i]));

    const BankRegister banks(list.Banks);
    FUZZ_REQUIRE(banks.size() == int(list.Banks.size()));
    for (const BankInfo& bank : list.Banks) {
        const BankInfo* found = banks.Find(bank.Code);
        FUZZ_REQUIRE(found && Same(*found, bank));
    }
    return 0;
}
