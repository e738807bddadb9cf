#pragma once

#include "abo/AboProfile.h"
#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Reads an ABO payment-order text back, so that what goes to the bank is proven to say what the
// order says. Knows the records of every bank profile; changes nothing.

struct AboReadItem {
    int line = 0;         // 1-based line of the text
    QString payerAccount; // one-item layout only: the account in front of the record
    QString account;      // as written, 17 characters
    qint64 halers = 0;
    QString variableSymbol; // 10 digits
    QString bankCode;       // 4 digits
    QString constantSymbol; // 4 digits
    QString specificSymbol; // 10 digits
    QString message;        // without the profile's marker
};

struct AboReadFile {
    QDate created;
    QString clientName; // with its padding
    QString clientNumber;
    int fileNumber = 0;
    QString branch;
    QString bankCode;     // the payer's, as written
    bool oneItem = false; // the group record carries no payer's account
    QString payerAccount; // several-items layout: the group's payer's account
    qint64 totalHalers = 0;
    QDate due;
    QList<AboReadItem> items;
};

struct AboReadResult {
    AboReadFile file;
    QString problem;     // empty when every line was read; otherwise "řádek 4: …", in Czech
    int problemLine = 0; // the line (from 1) the problem names
    bool ok() const { return problem.isEmpty(); }
};

// Reads every record in the profile's form and checks the group total against the items.
AboReadResult ReadAboText(const QStringList& lines, const AboBankProfile& profile);

// Where the text that was read says something else than the order would give with these options:
// "řádek 4: částka 1400,00 místo 1500,00". An empty text when they agree.
QString AboOrderDifference(const AboReadFile& file, const PaymentOrder& order, const Settings& settings,
                           const AboOptions& options);

// Both of the above: why lines do not read back to the order, or an empty text.
QString CheckAboText(const QStringList& lines, const PaymentOrder& order, const Settings& settings,
                     const AboOptions& options);
