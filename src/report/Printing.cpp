#include "report/Printing.h"

#include "common/Error.h"
#include "report/PageLayout.h"
#include "report/Renderer.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace {

// Qt's CUPS print engine takes further job options as this property (PPK_CupsOptions, which Qt
// does not publish): a list of names and values. Another engine ignores it.
constexpr auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

bool ToPrinter(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
}

// The page's sheet as the printer names that paper (its PPD name goes to the job), or as Qt does.
QPageLayout SheetLayout(const QPrinter& printer, const PreparedPage& page) {
    QPageLayout layout = ToPageLayout(SheetOf(page));
    if (ToPrinter(printer))
        for (const QPageSize& size : QPrinterInfo(printer).supportedPageSizes())
            if (size.isEquivalentTo(layout.pageSize())) {
                layout.setPageSize(size);
                break;
            }
    return layout;
}

void SetPaper(QPrinter& printer, const PreparedPage& page) {
    printer.setPageLayout(SheetLayout(printer, page));
    // Setting the layout may take full-page mode away; the pages carry their own margins.
    printer.setFullPage(true);
}

// Without a PageSize of its own a job gets the queue's default paper, which wins over the media
// Qt names; the print dialog may also have left the PPD's default paper among the options. The job
// names its one paper and forbids scaling.
void AskForPaper(QPrinter& printer) {
    if (!ToPrinter(printer))
        return;
    QPrintEngine* engine = printer.printEngine();
    const QStringList before = engine->property(CupsOptions).toStringList();
    static const QStringList paperOptions = {QStringLiteral("PageSize"),      QStringLiteral("PageRegion"),
                                             QStringLiteral("media"),         QStringLiteral("fit-to-page"),
                                             QStringLiteral("print-scaling"), QStringLiteral("scaling")};
    QStringList options;
    for (qsizetype i = 0; i + 1 < before.size(); i += 2)
        if (!paperOptions.contains(before[i], Qt::CaseInsensitive))
            options << before[i] << before[i + 1];
    options << QStringLiteral("PageSize") << printer.pageLayout().pageSize().key() << QStringLiteral("print-scaling")
            << QStringLiteral("none");
    engine->setProperty(CupsOptions, options);
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

SheetPaper PaperAfterDialog(const QPrinter& printer, const PreparedReport& report, bool paperShown) {
    if (report.pages.empty())
        return SheetPaper::PagesOwn;
    const QPageLayout chosen = printer.pageLayout();
    const QPageLayout own = ToPageLayout(SheetOf(report.pages.front()));
    if (chosen.orientation() != own.orientation())
        return SheetPaper::Chosen;
    if (chosen.pageSize().isEquivalentTo(own.pageSize()))
        return SheetPaper::PagesOwn;
    if (paperShown)
        return SheetPaper::Chosen;
    if (ToPrinter(printer) && chosen.pageSize().isEquivalentTo(QPrinterInfo(printer).defaultPageSize()))
        return SheetPaper::PagesOwn;
    return SheetPaper::Chosen;
}

bool PrintReport(const PreparedReport& report, QPrinter& printer, int first, int last,
                 const std::function<bool(int done, int total)>& progress, SheetPaper paper) {
    const int count = int(report.pages.size());
    if (count == 0)
        return true;
    first = first <= 0 ? 1 : std::min(first, count);
    last = last <= 0 ? count : std::clamp(last, first, count);
    if (paper == SheetPaper::PagesOwn)
        SetPaper(printer, report.pages[size_t(first - 1)]);
    printer.setFullPage(true);
    AskForPaper(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw VelorinError(QStringLiteral("Tisk nelze zahájit na tiskárně %1").arg(printer.printerName()));
    const double pxPerMm = printer.resolution() / 25.4;
    const int total = last - first + 1;
    for (int i = first; i <= last; ++i) {
        const PreparedPage& page = report.pages[size_t(i - 1)];
        if (i > first) {
            // Asking the printer for its papers takes a while: only a page of another size does.
            const PreparedPage& before = report.pages[size_t(i - 2)];
            if (paper == SheetPaper::PagesOwn && (page.widthMm != before.widthMm || page.heightMm != before.heightMm))
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
