#include "InvoiceSamples.h"

#include "order/PaymentOrder.h"
#include "qr/QrCode.h"
#include "qr/QrPlatba.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <minizip/zip.h>

namespace InvoiceSamples {

namespace {

QString Element(const char* name, const QString& value) {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), value.toHtmlEscaped());
}

QString Party(const QString& id, const QString& name) {
    return QStringLiteral("<Party><PartyIdentification>%1</PartyIdentification><PartyName>%2</PartyName>"
                          "<PostalAddress><StreetName>Dlouhá</StreetName><BuildingNumber>1</BuildingNumber>"
                          "<CityName>Praha</CityName><PostalZone>11000</PostalZone><Country>"
                          "<IdentificationCode>CZ</IdentificationCode><Name>Česká republika</Name></Country>"
                          "</PostalAddress></Party>")
        .arg(Element("ID", id), Element("Name", name));
}

QByteArray Build(const Invoice& inv, bool asVersion5) {
    QString payments;
    for (const Payment& p : inv.payments) {
        payments += QStringLiteral("<Payment>") + Element("PaidAmount", p.paid) + Element("PaymentMeansCode", p.code);
        if (p.code == QLatin1String("42"))
            payments += QStringLiteral("<Details>") + Element("PaymentDueDate", p.due) + Element("ID", p.id) +
                        Element("BankCode", p.bankCode) + Element("Name", QStringLiteral("Banka")) +
                        Element("IBAN", p.iban) + Element("BIC", QString()) + Element("VariableSymbol", p.vs) +
                        Element("ConstantSymbol", p.ks) +
                        (p.ss.isEmpty() ? QString() : Element("SpecificSymbol", p.ss)) + QStringLiteral("</Details>");
        payments += QStringLiteral("</Payment>");
    }
    const QString zeroTax = QStringLiteral("<AlreadyClaimedTaxableAmount>0</AlreadyClaimedTaxableAmount>"
                                           "<AlreadyClaimedTaxAmount>0</AlreadyClaimedTaxAmount>"
                                           "<AlreadyClaimedTaxInclusiveAmount>0</AlreadyClaimedTaxInclusiveAmount>");
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Invoice xmlns=\"%1\" version=\"%2\">")
            .arg(asVersion5 ? QStringLiteral("http://isdoc.cz/namespace/invoice")
                            : QStringLiteral("http://isdoc.cz/namespace/2013"),
                 asVersion5 ? QStringLiteral("5.2") : QStringLiteral("6.0.2")) +
        Element("DocumentType", QStringLiteral("1")) + Element("ID", inv.number) +
        Element("UUID", QStringLiteral("6F1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5F")) +
        Element("IssueDate", QStringLiteral("2026-12-01")) + Element("VATApplicable", QStringLiteral("true")) +
        Element("ElectronicPossibilityAgreementReference", QStringLiteral("Smlouva")) +
        Element("LocalCurrencyCode", QStringLiteral("CZK")) +
        (inv.foreignCurrency.isEmpty() ? QString() : Element("ForeignCurrencyCode", inv.foreignCurrency)) +
        Element("CurrRate", QStringLiteral("1")) + Element("RefCurrRate", QStringLiteral("1")) +
        QStringLiteral("<AccountingSupplierParty>") + Party(QStringLiteral("12345678"), inv.supplier) +
        QStringLiteral("</AccountingSupplierParty><AccountingCustomerParty>") +
        Party(QStringLiteral("87654321"), QStringLiteral("Odběratel a.s.")) +
        QStringLiteral("</AccountingCustomerParty><InvoiceLines><InvoiceLine><ID>1</ID>"
                       "<LineExtensionAmount>1000</LineExtensionAmount>"
                       "<LineExtensionAmountTaxInclusive>1210</LineExtensionAmountTaxInclusive>"
                       "<LineExtensionTaxAmount>210</LineExtensionTaxAmount><UnitPrice>1000</UnitPrice>"
                       "<UnitPriceTaxInclusive>1210</UnitPriceTaxInclusive><ClassifiedTaxCategory><Percent>21</Percent>"
                       "<VATCalculationMethod>0</VATCalculationMethod></ClassifiedTaxCategory></InvoiceLine>"
                       "</InvoiceLines><TaxTotal><TaxSubTotal><TaxableAmount>1000</TaxableAmount>"
                       "<TaxAmount>210</TaxAmount><TaxInclusiveAmount>1210</TaxInclusiveAmount>") +
        zeroTax +
        QStringLiteral("<DifferenceTaxableAmount>1000</DifferenceTaxableAmount><DifferenceTaxAmount>210"
                       "</DifferenceTaxAmount><DifferenceTaxInclusiveAmount>1210</DifferenceTaxInclusiveAmount>"
                       "<TaxCategory><Percent>21</Percent></TaxCategory></TaxSubTotal><TaxAmount>210</TaxAmount>"
                       "</TaxTotal><LegalMonetaryTotal><TaxExclusiveAmount>1000</TaxExclusiveAmount>"
                       "<TaxInclusiveAmount>1210</TaxInclusiveAmount>"
                       "<AlreadyClaimedTaxExclusiveAmount>0</AlreadyClaimedTaxExclusiveAmount>"
                       "<AlreadyClaimedTaxInclusiveAmount>0</AlreadyClaimedTaxInclusiveAmount>"
                       "<DifferenceTaxExclusiveAmount>1000</DifferenceTaxExclusiveAmount>"
                       "<DifferenceTaxInclusiveAmount>1210</DifferenceTaxInclusiveAmount>"
                       "<PaidDepositsAmount>0</PaidDepositsAmount>") +
        Element("PayableAmount", inv.payable) + QStringLiteral("</LegalMonetaryTotal><PaymentMeans>") + payments +
        QStringLiteral("</PaymentMeans></Invoice>\n");
    return xml.toUtf8();
}

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return program + QStringLiteral(" did not finish");
    return process.exitCode() == 0 ? QString() : QString::fromUtf8(process.readAll());
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

QByteArray IsdocXml(const Invoice& invoice) {
    return Build(invoice, invoice.version5);
}

QString SchemaErrors(const Invoice& invoice) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("faktura.isdoc"));
    WriteAll(path, Build(invoice, false));
    return Run(QStringLiteral("xmllint"),
               {QStringLiteral("--noout"), QStringLiteral("--schema"), QStringLiteral(ISDOC_XSD), path});
}

QByteArray Zip(const QString& name, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archiv.zip"));
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    zip_fileinfo info{};
    zipOpenNewFileInZip(zip, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9);
    zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size()));
    zipCloseFileInZip(zip);
    zipClose(zip, nullptr);
    return ReadAll(path);
}

QByteArray Pdf(int pages, const QString& qrText, const QSizeF& pageMm) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("faktura.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(pageMm.isEmpty() ? QPageSize(QPageSize::A4) : QPageSize(pageMm, QPageSize::Millimeter));
        writer.setResolution(300);
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.drawText(QPointF(200, 300), QStringLiteral("Faktura FV-2026-042, strana %1").arg(page + 1));
            if (page == 0 && !qrText.isEmpty())
                QrCode::Encode(qrText)->paint(painter, QRectF(1800, 2600, 400, 400)); // 34 mm wide
        }
    }
    return ReadAll(path);
}

QByteArray AttachToPdf(const QByteArray& pdf, const QString& name, const QByteArray& attachment) {
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("in.pdf")), pdf);
    WriteAll(dir.filePath(name), attachment);
    const QString error = Run(QStringLiteral("pdfattach"), {dir.filePath(QStringLiteral("in.pdf")), dir.filePath(name),
                                                            dir.filePath(QStringLiteral("out.pdf"))});
    if (!error.isEmpty())
        qFatal("pdfattach: %s", qPrintable(error));
    return ReadAll(dir.filePath(QStringLiteral("out.pdf")));
}

QImage QrPicture(const QString& text) {
    return QrPlatbaPicture::Image(*QrCode::Encode(text), 4);
}

QString SpaydOf(const QString& account, const QString& bank, const QString& amount, const QString& vs,
                const QString& comment) {
    OrderItem item;
    item.Account = account;
    item.BankCode = bank;
    item.Amount = amount;
    item.VariableSymbol = vs;
    item.Comment = comment;
    return QrPlatba::SpaydText(item, QStringLiteral("20.12.2026"));
}

} // namespace InvoiceSamples
