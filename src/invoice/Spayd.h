#pragma once

#include "invoice/InvoicePayment.h"

// Reads the QR Platba text (Short Payment Descriptor, "SPD*1.0*ACC:...*AM:...*CRC32:...") back
// into a payment; the text of an order's own code is made by QrPlatba in qr/.
namespace Spayd {

// True when the text starts as a QR Platba text does; other QR codes (web addresses, contacts) are
// not payments.
bool IsSpayd(const QString& text);

// The payment of the text, with Source "QR Platba". Refused with a Czech Problem: not QR Platba, a
// CRC32 that does not match, no account, an account that is not Czech, an amount that is no amount.
InvoiceFindings Parse(const QString& text);

} // namespace Spayd
