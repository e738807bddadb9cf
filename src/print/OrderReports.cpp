#include "print/OrderReports.h"

#include "common/CzechFormat.h"
#include "print/OrderForms.h"

OrderReports::OrderReports(PdfExportConfig* pdfExport)
    : Report1(SingleOrderLayout()), Report2(CollectiveOrderLayout()) {
    Report1.SetPdfExport(pdfExport);
    Report2.SetPdfExport(pdfExport);
    Report2.SetOnGetValue([this](const QString& name, QString& value) { Report2GetValue(name, value); });
}

Report* OrderReports::FillLayout(const PaymentOrder& order, const QString& currency) {
    const int valid = order.CountValidItems();
    if (valid == 0)
        return nullptr;
    if (valid == 1) {
        for (const OrderItem& item : order.Items) {
            if (item.isValidItem()) {
                fillSingle(order, item, currency);
                break;
            }
        }
        return &Report1;
    }
    fillCollective(order, currency);
    return &Report2;
}

void OrderReports::fillSingle(const PaymentOrder& order, const OrderItem& item, const QString& currency) {
    const std::pair<const char*, QString> values[] = {
        {"Pl_NazevBanky", order.Bank.NazevBanky},
        {"Pl_AdresaBanky", order.Bank.Adresa},
        {"Pl_CisloUctu", order.Bank.CisloUctu},
        {"Pl_SmerovyKod", order.Bank.SmerovyKod},
        {"Pr_CisloUctu", item.Account},
        {"Pr_SmerovyKod", item.BankCode},
        {"Pr_Castka", QLatin1Char('=') + item.Amount},
        {"Pr_VarSymbol", item.VariableSymbol},
        {"Pr_KonstSymbol", item.ConstantSymbol},
        {"Pr_SpecSymbol", item.SpecificSymbol},
        {"Komentar", item.Comment},
        {"DatumVystaveni", order.OrderDate},
        {"DatumSplatnosti", order.OrderDate},
        {"OznaceniMeny", currency},
    };
    for (const auto& [name, value] : values)
        Report1.SetVariable(QLatin1String(name), TextLiteral(value));
}

void OrderReports::fillCollective(const PaymentOrder& order, const QString& currency) {
    // The total of the main window, with the rows it leaves out named beside it, so a
    // hand-edited amount that is no number never makes the printed total silently wrong.
    const TotalResult total = order.ComputeTotal();
    const QString totalText = CollectiveTotalText(total.total, currency);
    QString note;
    if (!total.unreadableRows.isEmpty())
        note = QStringLiteral("Celkem %1 %2").arg(totalText, UnreadableRowsNote(total.unreadableRows));

    const std::pair<const char*, QString> values[] = {
        {"Pl_NazevBanky", order.Bank.NazevBanky},
        {"Pl_AdresaBanky", order.Bank.Adresa},
        {"Pl_CisloUctu", order.Bank.CisloUctu},
        {"Pl_SmerovyKod", order.Bank.SmerovyKod},
        {"CastkaCelkem", totalText},
        {"DatumVystaveni", order.OrderDate},
        {"DatumSplatnosti", order.OrderDate},
        {"PoznamkaCelkem", note},
    };
    for (const auto& [name, value] : values)
        Report2.SetVariable(QLatin1String(name), TextLiteral(value));
    for (int r = 0; r < kItemCount; ++r)
        Report2.SetVariable(QStringLiteral("Komentar%1").arg(r + 1), TextLiteral(order.Items[std::size_t(r)].Comment));
    m_rows = order.Items;
}

void OrderReports::Report2GetValue(const QString& name, QString& value) const {
    static const QStringList names = CollectiveRowNames();
    const qsizetype column = names.indexOf(name); // case-sensitive
    const int row = Report2.Layout().rows.RecNo();
    if (column < 0 || row < 0 || row >= kItemCount)
        return;
    value = m_rows[std::size_t(row)].field(int(column));
}

QString CollectiveTotalText(double total, const QString& currency) {
    return CzechFormat::Fixed2(total) + QLatin1Char(' ') + currency;
}
