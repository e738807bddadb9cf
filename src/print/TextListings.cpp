#include "print/TextListings.h"

#include "common/TextFile.h"
#include "print/OrderReports.h"

namespace {

QString JoinCrLf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString PlainListing(const QString& path) {
    return JoinCrLf(TextFile::ReadLines(path));
}

QString StructuredListing(const PaymentOrder& order, const QString& currency) {
    QStringList lines{
        QStringLiteral("Označení příkazu: ") + order.Designation(),
        QStringLiteral("Datum splatnosti: ") + order.OrderDate,
        QStringLiteral("Částka celkem: ") + CollectiveTotalText(order.Total, currency),
        QString(),
    };
    for (int r = 0; r < kItemCount; ++r) {
        const OrderItem& item = order.Items[std::size_t(r)];
        if (!item.isAmountRow())
            continue;
        lines << QStringLiteral("Položka %1").arg(r + 1) << QStringLiteral("Číslo účtu: ") + item.Account
              << QStringLiteral("Směrový kód: ") + item.BankCode << QStringLiteral("Částka: ") + item.Amount
              << QStringLiteral("Variabilní symbol: ") + item.VariableSymbol
              << QStringLiteral("Konstantní symbol: ") + item.ConstantSymbol
              << QStringLiteral("Specifický symbol: ") + item.SpecificSymbol
              << QStringLiteral("Komentář: ") + item.Comment << QString();
    }
    lines << QString();
    return JoinCrLf(lines);
}
