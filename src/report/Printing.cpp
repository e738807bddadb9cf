#include "report/Printing.h"

#include "common/Error.h"
#include "report/PageLayout.h"
#include "report/Renderer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

void SetPaper(QPrinter& printer, const PreparedPage& page) {
    printer.setPageLayout(ToPageLayout(SheetOf(page)));
    // Setting the layout may take full-page mode away; the pages carry their own margins.
    printer.setFullPage(true);
}

} // namespace

void SetUpPrinter(QPrinter& printer, const PreparedReport& report) {
    printer.setFullPage(true);
    printer.setDocName(report.title.isEmpty() ? QStringLiteral("Velorin") : report.title);
    printer.setCreator(QStringLiteral("Velorin"));
    if (!report.pages.empty())
        SetPaper(printer, report.pages.front());
    printer.setFromTo(0, 0);
    printer.setPrintRange(QPrinter::AllPages);
}

bool PrintReport(const PreparedReport& report, QPrinter& printer, int first, int last,
                 const std::function<bool(int done, int total)>& progress) {
    const int count = int(report.pages.size());
    if (count == 0)
        return true;
    first = first <= 0 ? 1 : std::min(first, count);
    last = last <= 0 ? count : std::clamp(last, first, count);
    printer.setFullPage(true);
    SetPaper(printer, report.pages[size_t(first - 1)]);
    QPainter painter;
    if (!painter.begin(&printer))
        throw VelorinError(QStringLiteral("Tisk nelze zahájit na tiskárně %1").arg(printer.printerName()));
    const double pxPerMm = printer.resolution() / 25.4;
    const int total = last - first + 1;
    for (int i = first; i <= last; ++i) {
        const PreparedPage& page = report.pages[size_t(i - 1)];
        if (i > first) {
            SetPaper(printer, page);
            printer.newPage();
        }
        PaintPage(page, painter, pxPerMm);
        if (progress && !progress(i - first + 1, total)) {
            printer.abort();
            painter.end();
            return false;
        }
    }
    painter.end();
    return true;
}
