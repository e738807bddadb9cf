#pragma once

#include "invoice/InvoicePayment.h"

#include <QByteArray>

// The Czech electronic invoice ISDOC: 6.x (namespace http://isdoc.cz/namespace/2013) and the older
// 5.x (http://isdoc.cz/namespace/invoice).
namespace Isdoc {

inline const QString kNamespace6 = QStringLiteral("http://isdoc.cz/namespace/2013");
inline const QString kNamespace5 = QStringLiteral("http://isdoc.cz/namespace/invoice");

// The largest invoice XML taken, also when unpacked from a ZIP: real ones have a few hundred kilobytes.
inline constexpr qint64 kMaxXmlBytes = 16 * 1024 * 1024;

// Every bank transfer (PaymentMeansCode 42) of the invoice as one payment, with source as its
// Source. Problem says why there is none: not well-formed, not ISDOC, nothing to pay, no transfer,
// or only accounts abroad.
InvoiceFindings Read(const QByteArray& xml, const QString& source = InvoiceText::kSourceIsdoc);

} // namespace Isdoc
