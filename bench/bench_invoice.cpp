// A 10-page PDF invoice with a QR Platba code on its first page read to the confirmation dialog's
// data (Poppler renders the first pages, ZXing-C++ searches them), beside the baseline measured in
// the same run: a bare decode of the same first page, rendered once beforehand.
// Run: QT_QPA_PLATFORM=offscreen ./bench_invoice [runs]

#include "invoice/InvoiceFile.h"
#include "invoice/QrDecode.h"
#include "order/PaymentOrder.h"
#include "qr/QrCode.h"
#include "qr/QrPlatba.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <poppler-qt6.h>

namespace {

QByteArray TenPagePdf(const QString& spayd) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    for (int page = 0; page < 10; ++page) {
        if (page > 0)
            writer.newPage();
        for (int line = 0; line < 60; ++line)
            painter.drawText(QPointF(200, 200 + line * 50),
                             QStringLiteral("Faktura FV-2026-042, strana %1, řádek %2: dodávka elektřiny 1 kWh")
                                 .arg(page + 1)
                                 .arg(line + 1));
        if (page == 0)
            QrCode::Encode(spayd)->paint(painter, QRectF(1800, 2900, 400, 400));
    }
    painter.end();
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    OrderItem item;
    item.Account = QStringLiteral("19-2000145399");
    item.BankCode = QStringLiteral("0800");
    item.Amount = QStringLiteral("1210,00");
    item.VariableSymbol = QStringLiteral("2026042");
    item.Comment = QStringLiteral("Faktura FV-2026-042");
    const QByteArray pdf = TenPagePdf(QrPlatba::SpaydText(item, QStringLiteral("15.12.2026")));
    const QImage page1 =
        Poppler::Document::loadFromData(pdf)->page(0)->renderToImage(InvoiceFile::kRenderDpi, InvoiceFile::kRenderDpi);
    std::printf("10-page PDF (%lld bytes), page rendered at %.0f dpi: %dx%d pixels\n",
                static_cast<long long>(pdf.size()), InvoiceFile::kRenderDpi, page1.width(), page1.height());
    for (int run = 1; run <= runs; ++run) {
        QElapsedTimer t;
        t.start();
        const InvoiceFindings found = InvoiceFile::ReadBytes(pdf, QStringLiteral("faktura.pdf"));
        const double fullMs = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        const QStringList texts = QrDecode::Texts(page1);
        const double bareMs = double(t.nsecsElapsed()) / 1e6;
        if (found.Payments.size() != 1 || texts.size() != 1) {
            std::printf("run %d: the code was not found\n", run);
            return 1;
        }
        std::printf("run %d: PDF to the dialog's data %.1f ms, bare decode of page 1 (baseline) %.1f ms, ratio %.1f\n",
                    run, fullMs, bareMs, fullMs / std::max(bareMs, 0.001));
    }
    return 0;
}
