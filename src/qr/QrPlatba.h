#pragma once

#include "order/PaymentOrder.h"
#include "qr/QrCode.h"

#include <QString>

class BankRegister;

// The QR Platba text of one item: the Czech banks' Short Payment Descriptor (SPAYD 1.0),
// "SPD*1.0*ACC:...*AM:...*CC:CZK*...*CRC32:...". Every banking app in the country reads it.
namespace QrPlatba {

// The longest message a payment app takes.
inline constexpr int kMaxMessage = 60;

// Why no row can have a code with this currency label, in Czech; empty for Kč and CZK.
QString CurrencyProblem(const QString& currencyLabel);

// Why the row cannot have a code, in Czech; empty when it can. currencyLabel is the settings'
// Mena: the code always pays Czech crowns.
QString Problem(const OrderItem& item, const QString& currencyLabel);

// What the code's reader should know of the payee's bank: a code the bank list does not know, or a
// bank outside the clearing. The code is made all the same; empty when there is nothing to say.
QString BankWarning(const OrderItem& item, const BankRegister& banks);

// The escaped value of the message: the comment in plain ASCII, cut so that the written value,
// escapes counted, holds at most kMaxMessage characters and no escape is split.
QString SpaydMessage(const QString& comment);

// The text of the row's code; orderDate ("d.m.yyyy") gives the due date, left out when it is no
// date. Empty when Problem() is not.
QString SpaydText(const OrderItem& item, const QString& orderDate);

// A row's code as the dialog shows it and the sheet prints it: its text and symbol, or why it
// has none.
struct ItemCode {
    QString text;
    std::optional<QrCode> code;
    QString problem;
};
ItemCode CodeOfItem(const OrderItem& item, const QString& orderDate, const QString& currencyLabel);

// The payee's IBAN in groups of four, as people read it.
QString FormattedIban(const OrderItem& item);
// "VS: 20250001   KS: 0308   SS: 12": the symbols the row has.
QString SymbolsText(const OrderItem& item);

// The amount as the code writes it, "1250.00"; empty when the text is no positive number the
// code can carry.
QString SpaydAmount(const QString& amount);

// A value as the code carries it: plain upper-case ASCII (letters lose their diacritics), with
// "*", "%" and "+" escaped. Several banking apps reject or misread anything else.
QString SpaydValue(const QString& text);

// IEEE CRC-32 (the one of zlib and PNG).
quint32 Crc32(const QByteArray& bytes);

using Fields = QList<std::pair<QString, QString>>; // key, escaped value

// "SPD*1.0" followed by "*KEY:value" of every field in alphabetical order of the keys: the text
// the checksum is taken of.
QString CanonicalText(Fields fields);
// The fields in their order, then CRC32: 8 upper-case hex digits of the canonical text's CRC-32.
QString ComposeText(const Fields& fields);

} // namespace QrPlatba
