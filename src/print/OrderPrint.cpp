#include "print/OrderPrint.h"

#include "common/Dialogs.h"
#include "report/ShowReport.h"

void OrderPrint::PrintOrder(const PaymentOrder& order, const QString& currency) {
    Report* report = FillLayout(order, currency);
    if (!report) {
        InfoBox(QStringLiteral("Příkaz neobsahuje ani jednu platnou položku k úhradě."));
        return;
    }
    report->SetDocumentName(order.Designation());
    ShowReport(*report, true);
}
