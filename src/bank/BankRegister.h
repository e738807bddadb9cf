#pragma once

#include "common/FileLimits.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

// The register of Czech bank codes: a list compiled into the program, or a newer one the user
// loads (the Czech National Bank's kody_bank_CR.csv), kept beside the program.

struct BankInfo {
    QString Code; // four digits
    QString Name;
    QString Bic;
    bool Clearing = false; // takes part in the CERTIS clearing
};

struct BankList {
    std::vector<BankInfo> Banks; // in the order of the file
    QList<int> BadLines;         // lines (from 1) that are neither the header, blank, nor a bank
    bool Utf8 = false;           // the bytes were UTF-8; otherwise read as Windows-1250
};

// The text of a bank list: UTF-8 when the bytes are valid UTF-8 (a byte order mark is dropped),
// otherwise Windows-1250, in which the bank has published it for years.
QString DecodeBankListText(const QByteArray& bytes, bool* utf8 = nullptr);

// Rows "code;name;bic;certis" separated by ";". The first non-blank line is skipped as the header
// unless it is itself a bank row. A repeated code counts as a bad line.
BankList ParseBankList(const QByteArray& bytes);

class BankRegister {
public:
    BankRegister() = default;
    explicit BankRegister(const std::vector<BankInfo>& banks);

    // The list compiled into the program.
    static const BankRegister& BuiltIn();

    // nullptr for a code the register does not know.
    const BankInfo* Find(const QString& code) const;
    int size() const { return int(m_banks.size()); }
    // Whether the list says which banks take part in the clearing: an older list without the
    // column marks none, and then nothing can be said of any.
    bool KnowsClearing() const { return m_knowsClearing; }

private:
    QHash<QString, BankInfo> m_banks;
    bool m_knowsClearing = false;
};

// Where the user's newer list is kept: beside the program.
QString UserBankListPath(const QString& programFolder);

// The register in use: the user's list when it is there and holds a bank, else the built-in one.
// Read once per program folder.
const BankRegister& BanksFor(const QString& programFolder);

// Checks the bytes of a list the user picked (named by fileName in messages) and keeps them
// beside the program, written atomically; the register in use follows. Throws VelorinError with a
// Czech message when the bytes hold no bank or are too large, and when the file cannot be
// written; the list kept before stays then.
BankList InstallBankList(const QString& programFolder, const QString& fileName, const QByteArray& bytes);

// The same for a file, read whole; a file that cannot be read gives an error naming it.
BankList InstallBankListFile(const QString& programFolder, const QString& path);
