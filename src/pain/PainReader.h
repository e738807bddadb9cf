#pragma once

#include "pain/PainDocument.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// The checks a pain.001 document passes before it is saved: the ISO 20022 schema compiled into the
// program, then reading it back into payments that must be the order's.

// The schema's bytes as compiled in.
QByteArray PainSchemaBytes();

// Why xml does not validate against the schema, in Czech, naming the line and, inside a transaction,
// the item and its order row (rows as PainDocument::rows); an empty text when it validates.
QString PainSchemaProblem(const QByteArray& xml, const QList<int>& rows = {});

struct PainReadTransfer {
    QString endToEndId;
    qint64 halers = 0;
    QString currency;
    QString creditorIban;
    QStringList references; // RmtInf/Strd/CdtrRefInf/Ref, in order
    QString message;        // RmtInf/Ustrd
};

struct PainReadFile {
    QString msgId;
    QString numberOfTransactions; // GrpHdr/NbOfTxs as written
    qint64 controlSum = 0;        // GrpHdr/CtrlSum in halers
    QDate due;
    QString debtorIban;
    QList<PainReadTransfer> transfers;
};

struct PainReadResult {
    PainReadFile file;
    QString problem; // empty when the document was read whole
    bool ok() const { return problem.isEmpty(); }
};

// Reads what the writer writes; amounts must have two decimals.
PainReadResult ReadPainDocument(const QByteArray& xml);

// Where the document says something else than the order: "položka 2 (řádek 3 příkazu): částka 14.00
// místo 15.00". An empty text when they agree.
QString PainOrderDifference(const PainReadFile& file, const PaymentOrder& order, const Settings& settings,
                            PainProfile profile);

// The schema, then the read-back: why the document must not be saved, or an empty text.
QString CheckPainDocument(const PainDocument& document, const PaymentOrder& order, const Settings& settings,
                          PainProfile profile);
