#pragma once

#include "common/SeamGuard.h"
#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class BankRegister;

// An order as the ISO 20022 credit transfer message pain.001.001.03, the XML that Czech banks take for
// domestic CZK payments and SEPA EUR payments besides (and instead of) ABO.

inline constexpr auto kPainNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.001.001.03";

enum class PainProfile {
    Cba, // the Czech banks' association's domestic form: CZK, symbols as structured references
    Sepa // SEPA: EUR, symbols in the end-to-end id, the SEPA character set only
};

QString PainProfileName(PainProfile profile); // "ČBA (CZK)", "SEPA (EUR)"
QString PainCurrency(PainProfile profile);    // "CZK", "EUR"
// The stored choice, else SEPA when the settings' currency label is EUR, else ČBA.
PainProfile ReadPainProfile(const Settings& settings);
void WritePainProfile(const Settings& settings, PainProfile profile);

// The longest texts the schema allows.
inline constexpr int kMax35 = 35;
inline constexpr int kMax140 = 140;

// A text as the profile writes it in a field of at most maxLength characters: control characters as
// spaces, blanks round it dropped; in SEPA only a-z A-Z 0-9 / - ? : ( ) . , ' + and space, letters
// without their marks, other characters spelt out or "?"; cut at a whole character.
struct PainText {
    QString text;
    bool cut = false;
    QString replaced; // the characters put otherwise, each once: "&€"
};
PainText PainFieldText(const QString& text, int maxLength, PainProfile profile);

// The transaction's EndToEndId: ČBA "VS" and the variable symbol, SEPA "/VS…/SS…/KS…" of the symbols
// there; NOTPROVIDED without a symbol.
PainText PainEndToEndId(const OrderItem& item, PainProfile profile);
// ČBA's structured references "VS:…", "KS:…", "SS:…" of the symbols there; none in SEPA.
QList<PainText> PainReferences(const OrderItem& item, PainProfile profile);

// An item that goes into the file: a valid item (an account) with an amount.
bool IsPainItem(const OrderItem& item);
// An amount in halers as the document writes it: "1234.50".
QString PainAmountText(qint64 halers);

// Why no XML file can be made of the order, as the Czech message for the user; an empty text when it
// can. Checked like the ABO export: the payer's account and bank code, an item to pay, the amounts
// and the date.
QString PainExportProblem(const PaymentOrder& order, const Settings& settings);

struct PainOptions {
    PainProfile profile = PainProfile::Cba;
    QDateTime created; // CreDtTm, to the second
    int dayNumber = 1; // the file's number of the day, in MsgId
};

struct PainDocument {
    QByteArray xml; // UTF-8
    QString msgId;
    QList<int> rows;   // the order row (0-based) of each transaction, in document order
    QStringList notes; // what was cut or replaced and the missing BICs the profile wants: warnings
};

// "2022003-1": the order's designation and the number of the day, cut to the 35 characters of MsgId.
QString PainMessageId(const PaymentOrder& order, int dayNumber);

// The whole document: one group header, one payment information for the order and one transaction
// per item to pay. Run only when PainExportProblem() is empty.
PainDocument BuildPainDocument(const PaymentOrder& order, const Settings& settings, const BankRegister& banks,
                               const PainOptions& options);

// Tests spoil the document on purpose: the seam gets every built document's bytes until the guard goes.
using PainDocumentSeam = std::function<void(QByteArray& xml)>;
SeamGuard SetPainDocumentSeam(PainDocumentSeam seam);

// How many XML files were saved on day, for the next MsgId; and recording one.
int PainFilesExportedOn(const Settings& settings, const QDate& day);
void RecordPainFileExported(const Settings& settings, const QDate& day, int dayNumber);
