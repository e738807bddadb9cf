#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

// Invoices the tests make themselves: ISDOC from its schema, ZIPs, PDFs and pictures with codes.
namespace InvoiceSamples {

struct Payment {
    QString paid = QStringLiteral("1210.00");
    QString code = QStringLiteral("42");
    QString due = QStringLiteral("2026-12-15");
    QString id = QStringLiteral("19-2000145399");
    QString bankCode = QStringLiteral("0800");
    QString iban;
    QString vs = QStringLiteral("2026042");
    QString ks = QStringLiteral("0308");
    QString ss;
};

struct Invoice {
    bool version5 = false; // the 5.x namespace
    QString number = QStringLiteral("FV-2026-042");
    QString supplier = QStringLiteral("Dodavatel s.r.o.");
    QString payable = QStringLiteral("1210.00");
    QString foreignCurrency;
    QList<Payment> payments = {Payment{}};
};

QByteArray IsdocXml(const Invoice& invoice);
// xmllint's complaint against the ISDOC 6.0.2 schema (a 5.x invoice is checked in the 6.x namespace,
// which has the same payment elements); empty when the invoice is valid.
QString SchemaErrors(const Invoice& invoice);

// A ZIP of one file (through minizip, stored deflated).
QByteArray Zip(const QString& name, const QByteArray& bytes);

// A PDF of pages A4 pages with a line of text each and, when qrText is not empty, its QR code on page 1.
// Pages are A4 unless pageMm says otherwise.
QByteArray Pdf(int pages, const QString& qrText = {}, const QSizeF& pageMm = {});
// The PDF with the file attached by pdfattach (poppler-utils).
QByteArray AttachToPdf(const QByteArray& pdf, const QString& name, const QByteArray& attachment);
// The program's own QR picture of the text.
QImage QrPicture(const QString& text);
// A QR Platba text made by the program's encoder for account/bank, amount "1210,00".
QString SpaydOf(const QString& account, const QString& bank, const QString& amount, const QString& vs,
                const QString& comment);

} // namespace InvoiceSamples
