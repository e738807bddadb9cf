#pragma once

#include <QString>
#include <optional>

// IBAN of Czech accounts (ISO 13616): CZkk BBBB PPPPPP NNNNNNNNNN.

// The IBAN in its electronic form (no spaces, e.g. "CZ6508000000192000145399"); empty when the
// account is not of the form [prefix-]number or the bank code is not four digits. The modulo-11
// checks of the account are not made here.
QString CzechIban(const QString& account, const QString& bankCode);

// The printed form in groups of four: "CZ65 0800 0000 1920 0014 5399".
QString FormatIban(const QString& iban);

// True when the text (spaces allowed, any case) has valid ISO 13616 check digits.
bool IbanChecksumOk(const QString& iban);

struct CzechIbanParts {
    QString Account;  // "prefix-number" or "number", leading zeros dropped
    QString BankCode; // four digits
};

// The account and bank code of a Czech IBAN; std::nullopt when it is not one or its check digits fail.
std::optional<CzechIbanParts> ParseCzechIban(const QString& iban);
