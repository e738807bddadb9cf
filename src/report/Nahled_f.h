#pragma once

#include "common/WarningLine.h"
#include "report/FindText.h"
#include "report/PdfExport.h"
#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QDialog>
#include <QPointer>
#include <QPrinter>
#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;
class QToolBar;
class PageView;

// The modal preview "Náhled" of prepared pages: print, open and save prepared reports, PDF
// export, zoom, find and page setup, and the optional page navigator. Every command is an action
// with an objectName (TB_Tisk, TB_Otevrit, ...), so tests trigger them; the Qt dialogs behind
// them go through ReportDialogs and GetFileName.
class TNahled : public QDialog {
    Q_OBJECT
public:
    // Takes the pages over; a report's own are moved in (see ShowReport) rather than copied.
    TNahled(PreparedReport pages, PdfExportConfig& pdfExport, const PreviewOptions& options, QWidget* parent = nullptr);
    ~TNahled() override;

    // Composes the layout again on another page (page setup); without it page setup is off.
    using Recompose = std::function<std::optional<PreparedReport>(const PageSetup& page)>;
    void SetPageSetup(const PageSetup& current, Recompose recompose);

    const PreparedReport& Pages() const { return m_pages; }
    // Hands the pages back as the preview closes; it shows none afterwards.
    PreparedReport TakePages();
    // Zoom as a factor of the real size (1 = 100 %).
    double Zoom() const;
    void SetZoom(double zoom);
    int CurrentPage() const; // from 0
    void GoToPage(int index);
    QPrinter& Printer() { return m_printer; }
    // A line above the pages that warns of something in what is printed; hidden when empty.
    void SetWarningText(const QString& text);
    // The name of what is shown (an order's designation), for the files the preview proposes and
    // the print job; empty: the report's title.
    void SetDocumentName(const QString& name);
    QString WarningText() const;

    // The commands of the toolbar.
    void Tisk();
    void Otevrit();
    void Ulozit();
    void ExportPdf();
    void RychlyExport();
    void Hledat();
    void VzhledStranky();
    void CelaStranka();
    void SirkaStranky();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class ZoomMode { Fixed, WholePage, PageWidth };
    QAction* addCommand(const QString& objectName, const QString& caption, const QKeySequence& key,
                        void (TNahled::*command)());
    void buildToolbar(const PreviewOptions& options);
    void setPages(PreparedReport pages);
    void applyZoom();
    void updateStatus();
    void exportTo(const QString& path);
    QString fileFolder() const;
    QString documentName() const;
    QString proposedPdfName() const;

    PreparedReport m_pages;
    PdfExportConfig& m_pdfExport;
    QPrinter m_printer;
    PageSetup m_pageSetup;
    Recompose m_recompose;
    QPointer<QWidget> m_previousDialogParent;
    QString m_documentName;

    QToolBar* m_toolbar = nullptr;
    WarningLine* m_warning = nullptr;
    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_pageSetupAction = nullptr;
    ZoomMode m_zoomMode = ZoomMode::Fixed;
    double m_zoom = 1.0;
    // Where the last match was; the next search goes on after it.
    TextMatch m_found;
    QString m_lastFind;
    // The page last gone to, while the scroll position still shows it.
    int m_forcedPage = -1;
};
