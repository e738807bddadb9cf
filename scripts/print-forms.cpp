// Writes the single and the collective order form of a sample order as PDF, then opens each in
// the preview "Náhled", grabs the screen and closes it. Built and run by scripts/print-forms.sh.
#include "print/OrderReports.h"
#include "report/ShowReport.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

OrderItem Item(const char* account, const char* code, const char* amount, const char* vs, const char* ks,
               const char* ss, const char* comment) {
    return {QString::fromUtf8(account), QString::fromUtf8(code), QString::fromUtf8(amount), QString::fromUtf8(vs),
            QString::fromUtf8(ks),      QString::fromUtf8(ss),   QString::fromUtf8(comment)};
}

void ShowAndGrab(Report& report, const QString& png) {
    QTimer::singleShot(2000, [png] {
        if (QWidget* preview = QApplication::activeModalWidget()) {
            preview->screen()->grabWindow(0).save(png);
            preview->close();
        }
    });
    ShowReport(report);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    PdfExportConfig pdf;
    OrderReports print(&pdf);

    PaymentOrder order;
    order.Bank = {QStringLiteral("Česká spořitelna"), QStringLiteral("Praha 4, Budějovická 1518/13a"),
                  QStringLiteral("19-2000145399"), QStringLiteral("0800")};
    order.OrderDate = QStringLiteral("3.1.2022");
    order.Items[3] = Item("123456789", "0100", "1234,50", "2201", "0308", "77", "Nájem za leden – Žluťoučký kůň");
    order.Total = order.ComputeTotal().total;
    Report* single = print.FillLayout(order, QStringLiteral("Kč"));
    single->PrepareReport();
    single->ExportToPdf(out + QStringLiteral("/print-single.pdf"));
    ShowAndGrab(*single, out + QStringLiteral("/print-single-preview.png"));

    order.Items[1] = Item("19-123457", "0800", "15990,50", "20230117", "0008", "123", "Faktura č. 17 – údržba");
    order.Items[4] = Item("", "", "300,00", "", "", "", "Jen částka bez účtu");
    order.Items[8] = Item("2727", "2700", "abc", "2201", "0308", "", "Ručně změněná částka");
    order.Items[15].Comment = QStringLiteral("Poslední řádek");
    order.Total = order.ComputeTotal().total;
    Report* collective = print.FillLayout(order, QStringLiteral("Kč"));
    collective->PrepareReport();
    collective->ExportToPdf(out + QStringLiteral("/print-collective.pdf"));
    ShowAndGrab(*collective, out + QStringLiteral("/print-collective-preview.png"));
    return 0;
}
