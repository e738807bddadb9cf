#include "report/Report.h"

#include "common/Dialogs.h"
#include "report/Nahled_f.h"
#include "report/ProgressWindow.h"

#include <QApplication>
#include <QScreen>

Report::Report() = default;

Report::Report(ReportLayout layout) : m_layout(std::move(layout)) {}

void Report::SetLayout(ReportLayout layout) {
    m_layout = std::move(layout);
}

std::optional<PreparedReport> Report::compose(const std::optional<PageSetup>& page) {
    m_preparing = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_preparing};
    ProgressWindow progress(QStringLiteral("Příprava sestavy"));
    ComposeOptions options;
    options.page = page;
    options.preparedAt = m_preparedAt;
    options.progress = [&](int pages, int rowsDone, int rowsTotal) {
        return progress.Step(rowsDone, rowsTotal, QStringLiteral("Připravuje se strana %1").arg(pages));
    };
    return ComposeReport(m_layout, options);
}

bool Report::PrepareReport(bool clearPrevious) {
    if (m_preparing)
        return false;
    if (clearPrevious)
        m_prepared = PreparedReport();
    std::optional<PreparedReport> pages = compose(std::nullopt);
    if (!pages)
        return false;
    m_prepared = std::move(*pages);
    m_preparedPage = m_layout.page;
    return true;
}

void Report::ShowReport(bool clearPrevious) {
    if (m_preparing)
        return;
    if (!PrepareReport(clearPrevious))
        return;
    ShowPreparedReport();
}

void Report::ShowPreparedReport() {
    TNahled preview(m_prepared, PdfExport(), m_layout.preview, DialogParent());
    preview.SetWarningText(m_previewWarning);
    preview.SetPageSetup(m_preparedPage, [this](const PageSetup& page) {
        std::optional<PreparedReport> pages = compose(page);
        if (pages)
            m_preparedPage = page;
        return pages;
    });
    // Without a window manager to honour it, maximized still means the whole screen.
    if (QScreen* screen = preview.screen())
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    m_prepared = preview.Pages();
}
