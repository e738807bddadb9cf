#pragma once

#include <QString>
#include <optional>

// A Czech domestic account number "[prefix-]number" as the banks check it. The checks only
// advise: an account that fails them is still stored and exported as typed.

struct CzechAccount {
    QString Prefix; // 0 to 6 digits as typed
    QString Number; // 2 to 10 digits as typed
};

enum class AccountProblem {
    None,
    Empty,
    BadFormat,      // not [prefix-]number of digits, or a part too long
    TooShort,       // number of fewer than two digits or fewer than two non-zero digits
    PrefixChecksum, // prefix fails the modulo-11 check
    NumberChecksum, // number fails the modulo-11 check
};

// The two parts when the text has the form [prefix-]number with the allowed lengths.
std::optional<CzechAccount> ParseCzechAccount(const QString& text);

// The first problem of the text as an account number; None for a valid account.
AccountProblem CheckCzechAccount(const QString& text);

// The Czech sentence telling the user what is wrong; empty for None.
QString AccountProblemText(AccountProblem problem);

// True when every character is an ASCII digit (also for an empty text).
bool AllAsciiDigits(const QString& text);

// The modulo-11 test of the banks: digits right-aligned on the weights 6, 3, 7, 9, 10, 5, 8, 4, 2, 1.
bool PassesModulo11(const QString& digits);
