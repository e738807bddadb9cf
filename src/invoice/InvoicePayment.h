#pragma once

#include "order/PaymentOrder.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One payment found in an invoice, ready to become a row of the order.
struct InvoicePayment {
    OrderItem Item;    // account, bank code, amount ("1250,00"), symbols, comment
    QDate DueDate;     // null when the invoice gives none
    QString Currency;  // the ISO code of the amount ("CZK", "EUR"); empty when the source names none
    QString Source;    // where it came from: "ISDOC", "ISDOC v PDF", "QR Platba"
    QStringList Notes; // what the user should know before taking it, in Czech
};

// What one reader made of its input: payments, or why there are none (a Czech sentence).
struct InvoiceFindings {
    std::vector<InvoicePayment> Payments;
    QString Problem;
    bool IsInvoice = false; // the input is an invoice, even one with nothing to pay
};

namespace InvoiceText {

inline const QString kSourceIsdoc = QStringLiteral("ISDOC");
inline const QString kSourceIsdocInPdf = QStringLiteral("ISDOC v PDF");
inline const QString kSourceQr = QStringLiteral("QR Platba");

// A text from an invoice as an order field holds it: one line, no "|" (the order file's separator),
// control characters as blanks, characters that Windows-1250 lacks by their ASCII look-alike.
QString Field(const QString& text);

// "Faktura FV-2026-042, Dodavatel s.r.o.", cut to the length a payment message carries.
QString Comment(const QString& invoiceNumber, const QString& supplier);

// A decimal number as XML and payment codes write it ("1250", "-12.5", "+0.50") in hundredths;
// std::nullopt for anything else or for more than two decimals that are not zeros.
std::optional<qint64> ParseHundredths(const QString& text);
// Hundredths as the order holds an amount: "1250,00".
QString AmountText(qint64 hundredths);

// True when the currency code is not the one the orders pay in (currencyLabel, the settings' Mena;
// "Kč" stands for CZK). An empty code is no currency of its own.
bool IsForeignCurrency(const QString& code, const QString& currencyLabel);

} // namespace InvoiceText
