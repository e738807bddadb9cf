#pragma once

#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QDateTime>
#include <functional>
#include <optional>

// Called as each page begins, with the pages begun and the master rows placed of all; returning
// false cancels the composition. The UI puts its progress window behind it.
using ComposeProgress = std::function<bool(int pages, int rowsDone, int rowsTotal)>;

struct ComposeOptions {
    // The page to compose on instead of the layout's own (page setup in the preview).
    std::optional<PageSetup> page;
    // The moment [Date] and [Time] show; invalid: now.
    QDateTime preparedAt;
    ComposeProgress progress;
};

// Composes the layout with its current variables, row source and callback. Moves the row
// source's RecNo through the rows. std::nullopt when progress cancelled it.
std::optional<PreparedReport> ComposeReport(ReportLayout& layout, const ComposeOptions& options = {});

// The text of a box with every bracketed name replaced (see ComposeReport for the names).
// page is the number [Page] shows.
QString ResolveText(const ReportLayout& layout, const QString& text, int page, const QDateTime& preparedAt);

// Breaks a text into the lines it prints on within widthMm: at line ends, and with wordWrap at
// word boundaries (a word wider than the box is broken between characters).
QStringList WrapText(const QString& text, const ReportFont& font, double widthMm, bool wordWrap);
