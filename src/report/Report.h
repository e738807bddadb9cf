#pragma once

// The report engine: one layout, its values, its prepared pages and the preview.
//
//   Report report(BuildMyLayout());          // a ReportLayout: page, bands, boxes in mm
//   report.Layout().Declare({"Pl_CisloUctu"}); // optional; SetVariable adds missing names
//   report.SetOnGetValue([&](const QString& name, QString& value) {
//       if (name == "castka")                   // case-sensitive; leave value alone otherwise
//           value = rows[report.Rows().RecNo()].amount;
//   });
//   report.Rows().SetRangeEndCount(16);         // rows of the master data band
//   report.SetPdfExport(&m_pdfExport1);         // one PDF configuration for several reports
//   ...
//   report.SetVariable("Pl_CisloUctu", TextLiteral(account)); // 'text'; prints text
//   report.ShowReport();                        // prepares anew, opens "Náhled", returns on close
//
// Names in square brackets resolve to a variable (its literal's text), to the built-in Page,
// Date or Time, or else through OnGetValue; a name nobody answers prints nothing. Variables keep
// their values between prints. PrepareReport() composes without the preview (tests, batch
// output); Prepared() holds the pages until the next preparation.

#include "report/Composer.h"
#include "report/PdfExport.h"
#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QDateTime>

class QWidget;

class Report {
public:
    Report();
    explicit Report(ReportLayout layout);

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

    // The PDF configuration of the export commands; not owned. nullptr: the report's own.
    void SetPdfExport(PdfExportConfig* config) { m_pdfExport = config; }
    PdfExportConfig& PdfExport() { return m_pdfExport ? *m_pdfExport : m_ownPdfExport; }

    // Fixes the moment [Date] and [Time] show; an invalid value returns to "now".
    void SetPreparedAt(const QDateTime& at) { m_preparedAt = at; }

    // Discards the previous pages and composes anew, with a progress window (that can cancel)
    // when the composition takes long. False when cancelled or while a preparation runs.
    bool PrepareReport(bool clearPrevious = true);
    // Prepares and shows the modal preview; returns when it closes. Does nothing while this
    // report is being prepared (a callback that asks for it again).
    void ShowReport(bool clearPrevious = true);
    // Shows the pages prepared last.
    void ShowPreparedReport();
    bool IsPreparing() const { return m_preparing; }
    // Writes the prepared pages to a PDF file without the preview (see ExportPdf).
    bool ExportToPdf(const QString& path, const ExportProgress& progress = {}) const {
        return ::ExportPdf(m_prepared, path, progress);
    }
    const PreparedReport& Prepared() const { return m_prepared; }

private:
    std::optional<PreparedReport> compose(const std::optional<PageSetup>& page);

    ReportLayout m_layout;
    PreparedReport m_prepared;
    PageSetup m_preparedPage;
    PdfExportConfig* m_pdfExport = nullptr;
    PdfExportConfig m_ownPdfExport;
    QDateTime m_preparedAt;
    bool m_preparing = false;
};
