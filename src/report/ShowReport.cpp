#include "report/ShowReport.h"

#include "common/Dialogs.h"
#include "report/Nahled_f.h"
#include "report/ProgressWindow.h"

#include <QScreen>

namespace {

ComposeProgress Steps(ProgressWindow& window) {
    return [&window](int pages, int rowsDone, int rowsTotal) {
        return window.Step(rowsDone, rowsTotal, QStringLiteral("Připravuje se strana %1").arg(pages));
    };
}

QString Caption() {
    return QStringLiteral("Příprava sestavy");
}

} // namespace

void ShowReport(Report& report, bool clearPrevious) {
    if (report.IsPreparing())
        return;
    bool prepared = false;
    {
        ProgressWindow progress(Caption());
        prepared = report.PrepareReport(clearPrevious, Steps(progress));
    }
    if (prepared)
        ShowPreparedReport(report);
}

void ShowPreparedReport(Report& report) {
    PageSetup shownOn = report.PreparedPage();
    // The pages move into the preview and back: a copy of a long report would double its memory.
    TNahled preview(report.TakePrepared(), report.PdfExport(), report.Layout().preview, DialogParent());
    preview.SetWarningText(report.PreviewWarning());
    preview.SetDocumentName(report.DocumentName());
    preview.SetPageSetup(shownOn, [&report, &shownOn](const PageSetup& page) {
        ProgressWindow progress(Caption());
        std::optional<PreparedReport> pages = report.ComposeOn(page, Steps(progress));
        if (pages)
            shownOn = page;
        return pages;
    });
    // Without a window manager to honour it, maximized still means the whole screen.
    if (QScreen* screen = preview.screen())
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    report.SetPrepared(preview.TakePages(), shownOn);
}
