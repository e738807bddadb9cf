#pragma once

// The report engine: one layout, its values and its prepared pages. It draws and writes pages but
// opens no window: the preview is ShowReport's (report/ShowReport.h, in velorin_report_ui).
//
//   ReportLayout layout;                       // A4 portrait, 10 mm margins (PageSetup)
//   Band& head = layout.AddBand(BandKind::PageHeader, 55);  // heights and places in mm
//   TextBox box;                               // Arial 10 pt, left/top, word wrap, clipped
//   box.name = "Pl_CisloUctu";
//   box.left = 5; box.top = 34; box.width = 39; box.height = 5;
//   box.text = "[Pl_CisloUctu]";
//   box.font = {"Times New Roman", 10, false, false};
//   box.hAlign = HAlign::Center;
//   box.frame = Frame::Sides("L2R2T2B");     // 2: thick side; "T." a dotted top line
//   head.boxes.push_back(box);
//
//   m_report.SetLayout(layout);                // a Report member: long-lived like its window
//   m_report.SetOnGetValue([this](const QString& name, QString& value) {
//       if (name == "castka")                  // case-sensitive; leave value alone otherwise
//           value = m_rows[m_report.Rows().RecNo()].amount;
//   });
//   m_report.SetOnGetPicture([this](const QString& name, VectorPicture& picture) {
//       if (name == "kod")                     // a box with box.picture = "kod"; black rects
//           picture = m_codes[m_report.Rows().RecNo()];  // in own units, fitted to the box
//   });
//   m_report.Rows().SetRangeEndCount(16);        // rows of the master data band
//   m_report.SetPdfExport(&m_pdfExport1);        // one PDF configuration for several reports
//   ...
//   m_report.SetVariable("Pl_CisloUctu", TextLiteral(account)); // 'text'; prints text
//   ShowReport(m_report);                        // prepares anew, opens "Náhled", returns on close
//
// Names in square brackets resolve to a variable (its literal's text), to the built-in Page,
// Date or Time, or else through OnGetValue; a name nobody answers prints nothing. Variables keep
// their values between prints. PrepareReport() composes without the preview (tests, batch
// output); Prepared() holds the pages until the next preparation; ExportToPdf writes them.
// A callback that captures the report must not outlive it: keep the Report where it was made.
// A report of more than PackPagesAfter pages keeps only where each page begins and composes a
// page again, through the same callbacks, when it is drawn, found or saved: its pages hold while
// the Report and the values the callbacks give do (pages of rows changed since come out empty).
//
// Tests: ModalAction (tests/TestModal.h) catches the preview; the print, page setup and open
// dialogs answer through ReportDialogs, the save dialog through DialogHook, and
// ProgressWindow::SetShowAfter(0) brings progress windows up at once.

#include "report/Composer.h"
#include "report/PdfExport.h"
#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QDateTime>
#include <optional>

class Report {
public:
    Report();
    explicit Report(ReportLayout layout);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportLayout& Layout() { return m_layout; }
    const ReportLayout& Layout() const { return m_layout; }
    void SetLayout(ReportLayout layout);

    // Replaces a variable's value (an expression text, normally TextLiteral(text)); adds it
    // when the layout does not declare it.
    void SetVariable(const QString& name, const QString& value) { m_layout.SetVariable(name, value); }
    QString Variable(const QString& name) const { return m_layout.Variable(name); }

    // The row source of the master data band; RecNo is the row being printed.
    RowSource& Rows() { return m_layout.rows; }
    void SetOnGetValue(GetValueHandler handler) { m_layout.OnGetValue = std::move(handler); }
    void SetOnGetPicture(GetPictureHandler handler) { m_layout.OnGetPicture = std::move(handler); }

    // The PDF configuration of the export commands; not owned. nullptr: the report's own.
    void SetPdfExport(PdfExportConfig* config) { m_pdfExport = config; }
    PdfExportConfig& PdfExport() { return m_pdfExport ? *m_pdfExport : m_ownPdfExport; }

    // Fixes the moment [Date] and [Time] show; an invalid value returns to "now".
    void SetPreparedAt(const QDateTime& at) { m_preparedAt = at; }

    // Discards the previous pages and composes anew; progress may cancel. False when cancelled
    // or while a preparation runs.
    bool PrepareReport(bool clearPrevious = true, const ComposeProgress& progress = {});
    // Composes on another page than the layout's (page setup in the preview) and leaves Prepared()
    // as it is; std::nullopt when cancelled or while a preparation runs.
    std::optional<PreparedReport> ComposeOn(const PageSetup& page, const ComposeProgress& progress = {});
    bool IsPreparing() const { return m_preparing; }
    // The page the prepared pages were composed on.
    const PageSetup& PreparedPage() const { return m_preparedPage; }
    // Takes pages kept elsewhere (the preview's, once it closes) as the prepared ones.
    void SetPrepared(PreparedReport pages, const PageSetup& page);
    // Moves the prepared pages out (into the preview), leaving none.
    PreparedReport TakePrepared();

    // The name of what is printed (an order's designation): the name the preview proposes for its
    // files and the print job's; empty, the layout's name. Kept until changed.
    void SetDocumentName(const QString& name) { m_documentName = name; }
    const QString& DocumentName() const { return m_documentName; }

    // A warning the preview shows above the pages (TNahled::SetWarningText); kept until changed.
    void SetPreviewWarning(const QString& text) { m_previewWarning = text; }
    const QString& PreviewWarning() const { return m_previewWarning; }
    // Writes the prepared pages to a PDF file without the preview (see ExportPdf).
    bool ExportToPdf(const QString& path, const ExportProgress& progress = {}) const {
        return ::ExportPdf(m_prepared, path, progress);
    }
    const PreparedReport& Prepared() const { return m_prepared; }

private:
    std::optional<PreparedReport> compose(const std::optional<PageSetup>& page, const ComposeProgress& progress);

    ReportLayout m_layout;
    PreparedReport m_prepared;
    PageSetup m_preparedPage;
    PdfExportConfig* m_pdfExport = nullptr;
    PdfExportConfig m_ownPdfExport;
    QDateTime m_preparedAt;
    QString m_previewWarning;
    QString m_documentName;
    bool m_preparing = false;
};
