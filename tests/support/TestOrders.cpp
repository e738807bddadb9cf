#include "TestOrders.h"

QStringList OrderLines(const QString& bank, const QString& date, const QStringList& rows) {
    QStringList lines{bank, QStringLiteral("Ulice 1"), QStringLiteral("123-456"), QStringLiteral("0100"), date};
    lines += rows;
    while (lines.size() < 21)
        lines << QStringLiteral("|||||||");
    return lines;
}

OrderItem Item(const QString& account, const QString& bankCode, const QString& amount, const QString& vs,
               const QString& ks, const QString& ss, const QString& comment) {
    return OrderItem{account, bankCode, amount, vs, ks, ss, comment};
}

Settings AboExampleSettings() {
    Settings s;
    s.NazevKlienta = QStringLiteral("Firma Alfa");
    s.CisloKlienta = QStringLiteral("123456");
    s.CisloUctu = QStringLiteral("35-123456789");
    s.SmerovyKod = QStringLiteral("0800");
    return s;
}

PaymentOrder AboExampleOrder(bool withRow2) {
    PaymentOrder order;
    order.Bank = AboExampleSettings().payerBank();
    order.OrderDate = QStringLiteral("10.1.2022");
    order.FilePath = QStringLiteral("/tmp/2022/2022001.ppu");
    order.Items[0] = Item(QStringLiteral("987654321"), QStringLiteral("0300"), QStringLiteral("1500,00"),
                          QStringLiteral("2022001"), QStringLiteral("0308"), {}, QStringLiteral("Nájem leden"));
    if (withRow2)
        order.Items[1] =
            Item(QStringLiteral("12-3456789012"), QStringLiteral("0100"), QStringLiteral("250,50"), {}, {}, "77");
    order.Total = withRow2 ? 1750.50 : 1500.0;
    return order;
}
