#pragma once

#include "report/PreparedReport.h"

#include <QString>
#include <functional>

// The PDF export configuration (the main window's PDFExport1 serves every layout's preview).
// What it writes is fixed: every page with all its bands and boxes, an existing file replaced
// without asking, a progress window while exporting, no outline, no password, ordinary PDF with
// the fonts embedded.
struct PdfExportConfig {
    bool showProgress = true;
    // The file of the last export from any preview; the quick export writes it again.
    QString lastFileName;
};

// Called after each page with the pages done and the page count; false cancels.
using ExportProgress = std::function<bool(int done, int total)>;

// Writes every page to path through a temporary file that replaces path only when complete: a
// cancelled or failed export leaves any old file as it was. Returns false when cancelled;
// throws VelorinError naming the file when it cannot be written.
bool ExportPdf(const PreparedReport& report, const QString& path, const ExportProgress& progress = {});
