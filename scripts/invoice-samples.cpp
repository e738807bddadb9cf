// Writes a sample invoice PDF with a QR Platba code made by the program's own encoder, as a supplier
// would send it: scripts/screenshot-invoice.sh loads it into an order. Usage: invoice-samples file.pdf

#include "order/PaymentOrder.h"
#include "qr/QrCode.h"
#include "qr/QrPlatba.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    OrderItem item;
    item.Account = QStringLiteral("2000145399");
    item.BankCode = QStringLiteral("0800");
    item.Amount = QStringLiteral("4356,00");
    item.VariableSymbol = QStringLiteral("2026043");
    item.Comment = QStringLiteral("Faktura FV-2026-043 Teplárna Jih");
    const QString text = QrPlatba::SpaydText(item, QStringLiteral("28.12.2026"));
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter p(&writer);
    QFont title(QStringLiteral("Liberation Sans"), 20, QFont::Bold);
    QFont body(QStringLiteral("Liberation Sans"), 10);
    p.setFont(title);
    p.drawText(QPointF(200, 300), QStringLiteral("Faktura – daňový doklad FV-2026-043"));
    p.setFont(body);
    const QStringList lines = {QStringLiteral("Dodavatel: Teplárna Jih s.r.o., Dlouhá 12, 370 01 České Budějovice"),
                               QStringLiteral("Odběratel: Jan Novák, Krátká 3, 602 00 Brno"),
                               QStringLiteral("Datum vystavení: 14.12.2026    Datum splatnosti: 28.12.2026"),
                               QStringLiteral("Bankovní spojení: 2000145399/0800    Variabilní symbol: 2026043"),
                               QString(),
                               QStringLiteral("Dodávka tepla za listopad 2026                      3 600,00 Kč"),
                               QStringLiteral("DPH 21 %                                             756,00 Kč"),
                               QStringLiteral("Celkem k úhradě                                    4 356,00 Kč")};
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPointF(200, 500 + i * 60), lines[i]);
    const QrCode code = *QrCode::Encode(text);
    const QSize size = QrPlatbaPicture::ImageSize(code, 8);
    QrPlatbaPicture::Paint(p, QRectF(QPointF(200, 1100), QSizeF(size) * 1.2), code);
    writer.newPage();
    p.drawText(QPointF(200, 300), QStringLiteral("Příloha: odečty měřidel"));
    return 0;
}
