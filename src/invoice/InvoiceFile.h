#pragma once

#include "invoice/InvoicePayment.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// Reading the payments of one invoice file: ISDOC (".isdoc"), zipped ISDOC (".isdocx"), a PDF (its
// embedded ISDOC, else QR Platba codes on its first pages), or a picture with a QR Platba code.
namespace InvoiceFile {

// The largest file looked at: PDF invoices with scanned pages have a few megabytes.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
// Pages of a PDF searched for a QR code: it is on the first page or the last of a short invoice.
inline constexpr int kMaxPdfPages = 5;
// The resolution pages are rendered at: a QR Platba code 2.5 cm wide gets 3 or more pixels a module.
inline constexpr double kRenderDpi = 150.0;

// "Soubory faktur (*.isdoc *.isdocx *.pdf *.png *.jpg *.jpeg);;Všechny soubory (*)", for the file dialog.
QString FileFilter();
// True when the name has one of the extensions the command takes (for drops onto the grid).
bool HasInvoiceExtension(const QString& path);

// The payments of the bytes; name is the file's name for the messages. Problem names it when there
// is nothing to take. Nothing is written anywhere.
InvoiceFindings ReadBytes(const QByteArray& bytes, const QString& name);
// The same for a file, read whole (at most kMaxFileBytes).
InvoiceFindings Read(const QString& path);

// The pieces, for the tests and the benchmark.
InvoiceFindings ReadPdf(const QByteArray& bytes, const QString& name);
InvoiceFindings ReadPicture(const QImage& image, const QString& name);

} // namespace InvoiceFile
