#include "report/Report.h"

#include <utility>

Report::Report() = default;

Report::Report(ReportLayout layout) : m_layout(std::move(layout)) {}

Report::~Report() {
    Discard(m_prepared);
}

void Report::SetLayout(ReportLayout layout) {
    // A long report's pages would be composed again from the new layout.
    if (!m_prepared.pages.empty() && m_prepared.pages.front().source)
        Discard(m_prepared);
    m_layout = std::move(layout);
}

std::optional<PreparedReport> Report::compose(const std::optional<PageSetup>& page, const ComposeProgress& progress) {
    m_preparing = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_preparing};
    ComposeOptions options;
    options.page = page;
    options.preparedAt = m_preparedAt;
    options.progress = progress;
    return ComposeReport(m_layout, options);
}

bool Report::PrepareReport(bool clearPrevious, const ComposeProgress& progress) {
    if (m_preparing)
        return false;
    if (clearPrevious)
        Discard(m_prepared);
    std::optional<PreparedReport> pages = compose(std::nullopt, progress);
    if (!pages)
        return false;
    m_prepared = std::move(*pages);
    m_preparedPage = m_layout.page;
    return true;
}

std::optional<PreparedReport> Report::ComposeOn(const PageSetup& page, const ComposeProgress& progress) {
    if (m_preparing)
        return std::nullopt;
    return compose(page, progress);
}

PreparedReport Report::TakePrepared() {
    return std::exchange(m_prepared, PreparedReport());
}

void Report::SetPrepared(PreparedReport pages, const PageSetup& page) {
    Discard(m_prepared);
    m_prepared = std::move(pages);
    m_preparedPage = page;
}
