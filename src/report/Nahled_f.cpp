#include "report/Nahled_f.h"

#include "common/CommandRunner.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "common/ToolBarKeys.h"
#include "common/WaitCursor.h"
#include "report/FindText.h"
#include "report/PageLayout.h"
#include "report/PageStack.h"
#include "report/PageView.h"
#include "report/Printing.h"
#include "report/ProgressWindow.h"
#include "report/ReportDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

struct ZoomChoice {
    const char* text;
    double zoom; // 0: whole page, -1: page width
};

const ZoomChoice ZoomChoices[] = {{"25 %", 0.25},      {"50 %", 0.5},        {"75 %", 0.75}, {"100 %", 1.0},
                                  {"150 %", 1.5},      {"200 %", 2.0},       {"300 %", 3.0}, {"400 %", 4.0},
                                  {"Celá stránka", 0}, {"Šířka stránky", -1}};

constexpr double MinZoom = 0.1, MaxZoom = 8.0;

} // namespace

TNahled::TNahled(PreparedReport pages, PdfExportConfig& pdfExport, const PreviewOptions& options, QWidget* parent)
    : QDialog(parent), m_pages(std::move(pages)), m_pdfExport(pdfExport), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("Nahled"));
    setWindowTitle(QStringLiteral("Náhled"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(1000, 800);

    // Boxes raised from the preview stand over it, not over the main window behind it.
    m_previousDialogParent = DialogParent();
    SetDialogParent(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("TB_Nahled"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_toolbar);

    m_warning = new WarningLine(this);
    layout->addWidget(m_warning);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollStranky"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(m_scroll);
    m_view->onZoomWheel = [this](double steps) {
        if (steps != 0)
            SetZoom(Zoom() * std::pow(1.25, steps));
    };
    m_scroll->setWidget(m_view);
    // The pages take the keys first: the arrows scroll them rather than change the zoom box.
    m_scroll->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_scroll, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    m_status = PlainLabel(new QLabel(statusBar));
    m_status->setObjectName(QStringLiteral("La_Strana"));
    statusBar->addWidget(m_status);
    layout->addWidget(statusBar);

    buildToolbar(options);
    m_view->setPages(&m_pages);
    SetZoom(1.0);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { updateStatus(); });
    SetUpPrinter(m_printer, m_pages);
}

void TNahled::SetWarningText(const QString& text) {
    m_warning->Show(text);
}

QString TNahled::WarningText() const {
    return m_warning->text();
}

PreparedReport TNahled::TakePages() {
    m_view->setPages(nullptr);
    return std::move(m_pages);
}

TNahled::~TNahled() {
    SetDialogParent(m_previousDialogParent);
}

QAction* TNahled::addCommand(const QString& objectName, const QString& caption, const QKeySequence& key,
                             void (TNahled::*command)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    action->setToolTip(caption);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setToolTip(caption + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }
    // Shortcuts work anywhere in the preview, also while the find field has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    ConnectCommand(action, this, command);
    m_toolbar->addAction(action);
    addAction(action);
    if (QWidget* w = m_toolbar->widgetForAction(action))
        w->setAccessibleName(caption);
    return action;
}

void TNahled::buildToolbar(const PreviewOptions& options) {
    // Ctrl+P, Ctrl+O and Ctrl+S mean here what they mean in the main window; the rest take keys
    // the main window leaves free.
    addCommand(QStringLiteral("TB_Tisk"), QStringLiteral("Tisk"), QKeySequence::Print, &TNahled::Tisk);
    m_pageSetupAction = addCommand(QStringLiteral("TB_VzhledStranky"), QStringLiteral("Vzhled stránky"),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &TNahled::VzhledStranky);
    m_pageSetupAction->setEnabled(false);
    m_toolbar->addSeparator();
    addCommand(QStringLiteral("TB_Otevrit"), QStringLiteral("Otevřít"), QKeySequence::Open, &TNahled::Otevrit);
    addCommand(QStringLiteral("TB_Ulozit"), QStringLiteral("Uložit"), QKeySequence::Save, &TNahled::Ulozit);
    addCommand(QStringLiteral("TB_ExportPDF"), QStringLiteral("Export do PDF"), QKeySequence(Qt::CTRL | Qt::Key_E),
               &TNahled::ExportPdf);
    addCommand(QStringLiteral("TB_RychlyExport"), QStringLiteral("Rychlý export"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &TNahled::RychlyExport);
    m_toolbar->addSeparator();

    auto* lupa = PlainLabel(new QLabel(QStringLiteral(" Lupa: "), m_toolbar));
    m_toolbar->addWidget(lupa);
    m_zoomBox = new QComboBox(m_toolbar);
    m_zoomBox->setObjectName(QStringLiteral("Cb_Lupa"));
    m_zoomBox->setAccessibleName(QStringLiteral("Lupa"));
    m_zoomBox->setToolTip(QStringLiteral("Lupa (Ctrl+L)"));
    for (const ZoomChoice& z : ZoomChoices)
        m_zoomBox->addItem(QString::fromUtf8(z.text), z.zoom);
    lupa->setBuddy(m_zoomBox);
    m_toolbar->addWidget(m_zoomBox);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int index) {
        const double z = m_zoomBox->itemData(index).toDouble();
        if (z == 0)
            CelaStranka();
        else if (z < 0)
            SirkaStranky();
        else
            SetZoom(z);
    });
    // Short signs keep the toolbar on one line; the tooltips say what they do.
    auto* zoomOut = new QAction(QStringLiteral("Zmenšit"), this);
    zoomOut->setIconText(QStringLiteral("−"));
    zoomOut->setToolTip(QStringLiteral("Zmenšit (Ctrl+-)"));
    zoomOut->setObjectName(QStringLiteral("TB_Zmensit"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    connect(zoomOut, &QAction::triggered, this, [this] { SetZoom(Zoom() / 1.25); });
    auto* zoomIn = new QAction(QStringLiteral("Zvětšit"), this);
    zoomIn->setIconText(QStringLiteral("+"));
    zoomIn->setToolTip(QStringLiteral("Zvětšit (Ctrl++)"));
    zoomIn->setObjectName(QStringLiteral("TB_Zvetsit"));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, this, [this] { SetZoom(Zoom() * 1.25); });
    m_toolbar->addAction(zoomOut);
    m_toolbar->addAction(zoomIn);
    addAction(zoomOut);
    addAction(zoomIn);
    addCommand(QStringLiteral("TB_CelaStranka"), QStringLiteral("Celá stránka"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &TNahled::CelaStranka);
    addCommand(QStringLiteral("TB_SirkaStranky"), QStringLiteral("Šířka stránky"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TNahled::SirkaStranky);
    auto* focusZoom = new QAction(this);
    focusZoom->setObjectName(QStringLiteral("Act_LupaFokus"));
    focusZoom->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(focusZoom, &QAction::triggered, this, [this] { m_zoomBox->setFocus(Qt::ShortcutFocusReason); });
    addAction(focusZoom);
    m_toolbar->addSeparator();

    m_findEdit = new QLineEdit(m_toolbar);
    m_findEdit->setObjectName(QStringLiteral("Ed_Hledat"));
    m_findEdit->setAccessibleName(QStringLiteral("Hledaný text"));
    m_findEdit->setPlaceholderText(QStringLiteral("Hledaný text"));
    m_findEdit->setToolTip(QStringLiteral("Hledaný text (Ctrl+F)"));
    m_findEdit->setClearButtonEnabled(true);
    m_findEdit->setMaximumWidth(200);
    m_toolbar->addWidget(m_findEdit);
    QAction* find =
        addCommand(QStringLiteral("TB_Hledat"), QStringLiteral("Hledat"), QKeySequence(Qt::Key_F3), &TNahled::Hledat);
    connect(m_findEdit, &QLineEdit::returnPressed, find, &QAction::trigger);
    auto* focusFind = new QAction(this);
    focusFind->setObjectName(QStringLiteral("Act_HledatFokus"));
    focusFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(focusFind, &QAction::triggered, this, [this] {
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    addAction(focusFind);

    // The navigator is an option of the layout; Ctrl+Home and Ctrl+End work without it.
    auto* first = new QAction(QStringLiteral("První stránka"), this);
    first->setObjectName(QStringLiteral("TB_PrvniStranka"));
    first->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    connect(first, &QAction::triggered, this, [this] { GoToPage(0); });
    auto* prev = new QAction(QStringLiteral("Předchozí stránka"), this);
    prev->setObjectName(QStringLiteral("TB_PredchoziStranka"));
    prev->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(prev, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    auto* next = new QAction(QStringLiteral("Další stránka"), this);
    next->setObjectName(QStringLiteral("TB_DalsiStranka"));
    next->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(next, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    auto* last = new QAction(QStringLiteral("Poslední stránka"), this);
    last->setObjectName(QStringLiteral("TB_PosledniStranka"));
    last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    connect(last, &QAction::triggered, this, [this] { GoToPage(int(m_pages.pages.size()) - 1); });
    const char* signs[] = {"|◀", "◀", "▶", "▶|"};
    int sign = 0;
    for (QAction* a : {first, prev, next, last}) {
        a->setIconText(QString::fromUtf8(signs[sign++]));
        a->setToolTip(a->text() + QStringLiteral(" (") + a->shortcut().toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    if (options.pageNavigator) {
        m_toolbar->addSeparator();
        m_toolbar->addAction(first);
        m_toolbar->addAction(prev);
        m_pageBox = new QSpinBox(m_toolbar);
        m_pageBox->setObjectName(QStringLiteral("Ed_Stranka"));
        m_pageBox->setAccessibleName(QStringLiteral("Číslo stránky"));
        m_pageBox->setToolTip(QStringLiteral("Číslo stránky (Ctrl+G)"));
        auto* focusPage = new QAction(this);
        focusPage->setObjectName(QStringLiteral("Act_StrankaFokus"));
        focusPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
        connect(focusPage, &QAction::triggered, this, [this] {
            m_pageBox->setFocus(Qt::ShortcutFocusReason);
            m_pageBox->selectAll();
        });
        addAction(focusPage);
        m_pageBox->setKeyboardTracking(false);
        m_toolbar->addWidget(m_pageBox);
        connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int v) {
            if (v - 1 != CurrentPage())
                GoToPage(v - 1);
        });
        m_toolbar->addAction(next);
        m_toolbar->addAction(last);
    }
    m_toolbar->addSeparator();
    auto* close = new QAction(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("TB_Zavrit"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    close->setToolTip(QStringLiteral("Zavřít (Esc)"));
    connect(close, &QAction::triggered, this, &QDialog::accept);
    m_toolbar->addAction(close);
    addAction(close);
    new ToolBarKeys(m_toolbar, ToolBarKeys::DefaultKey());
    for (QAction* a : m_toolbar->actions())
        if (QWidget* w = m_toolbar->widgetForAction(a); w && !a->text().isEmpty())
            w->setAccessibleName(a->text());
}

void TNahled::SetPageSetup(const PageSetup& current, Recompose recompose) {
    m_pageSetup = current;
    m_recompose = std::move(recompose);
    m_pageSetupAction->setEnabled(bool(m_recompose));
}

double TNahled::Zoom() const {
    return m_zoom;
}

void TNahled::SetZoom(double zoom) {
    m_zoomMode = ZoomMode::Fixed;
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
    applyZoom();
}

void TNahled::applyZoom() {
    const int page = CurrentPage();
    const double base = m_view->logicalDpiX() / 25.4;
    if (m_zoomMode != ZoomMode::Fixed && !m_pages.pages.empty()) {
        const PreparedPage& p = m_pages.pages[size_t(std::max(0, page))];
        const QSize room = m_scroll->viewport()->size() - QSize(2 * PageView::Gap, 2 * PageView::Gap);
        const int scrollBar = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const double byWidth = room.width() / p.widthMm;
        const double byHeight = room.height() / p.heightMm;
        // Page width leaves room for the scroll bar the taller pages then need.
        const double px =
            m_zoomMode == ZoomMode::WholePage ? std::min(byWidth, byHeight) : (room.width() - scrollBar) / p.widthMm;
        // A page of no size gives nothing to fit: it is shown at its real size.
        m_zoom = std::isnan(px) ? 1.0 : std::clamp(px / base, MinZoom, MaxZoom);
    }
    m_view->setPxPerMm(m_zoom * base);
    if (m_view->pxPerMm() < m_zoom * base)
        m_zoom = m_view->pxPerMm() / base;
    int index = -1;
    if (m_zoomMode == ZoomMode::WholePage)
        index = m_zoomBox->findData(0.0);
    else if (m_zoomMode == ZoomMode::PageWidth)
        index = m_zoomBox->findData(-1.0);
    else
        for (int i = 0; i < m_zoomBox->count(); ++i)
            if (std::abs(m_zoomBox->itemData(i).toDouble() - m_zoom) < 1e-9)
                index = i;
    if (index < 0) {
        // A zoom between the choices shows as its own entry at the end.
        const QString text = QString::number(qRound(m_zoom * 100)) + QStringLiteral(" %");
        if (m_zoomBox->count() > int(std::size(ZoomChoices)))
            m_zoomBox->removeItem(m_zoomBox->count() - 1);
        m_zoomBox->addItem(text, m_zoom);
        index = m_zoomBox->count() - 1;
    }
    m_zoomBox->setCurrentIndex(index);
    if (page >= 0)
        GoToPage(page);
    updateStatus();
}

int TNahled::CurrentPage() const {
    if (m_pages.pages.empty())
        return -1;
    const QScrollBar* bar = m_scroll->verticalScrollBar();
    if (m_forcedPage >= 0 && m_forcedPage < int(m_pages.pages.size())) {
        const int top = m_view->pageRect(m_forcedPage).top() - PageView::Gap;
        if (std::abs(bar->value() - std::clamp(top, 0, bar->maximum())) <= 1)
            return m_forcedPage;
    }
    return m_view->pageAt(bar->value() + m_scroll->viewport()->height() / 3);
}

void TNahled::GoToPage(int index) {
    if (m_pages.pages.empty())
        return;
    index = std::clamp(index, 0, int(m_pages.pages.size()) - 1);
    m_scroll->verticalScrollBar()->setValue(m_view->pageRect(index).top() - PageView::Gap);
    // The last pages cannot scroll to the top; the current page is then the one asked for.
    m_forcedPage = index;
    updateStatus();
}

void TNahled::updateStatus() {
    const int count = int(m_pages.pages.size());
    const int page = CurrentPage();
    m_status->setText(count == 0 ? QStringLiteral("Sestava nemá žádnou stránku")
                                 : QStringLiteral("Strana %1 z %2").arg(page + 1).arg(count));
    if (m_pageBox) {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setRange(count == 0 ? 0 : 1, count);
        m_pageBox->setValue(page + 1);
    }
}

void TNahled::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_zoomMode != ZoomMode::Fixed)
        applyZoom();
}

void TNahled::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_scroll->setFocus();
    if (m_zoomMode != ZoomMode::Fixed)
        applyZoom();
}

void TNahled::setPages(PreparedReport pages) {
    m_pages = std::move(pages);
    m_found = {};
    m_view->setHighlight(-1, QRectF());
    m_view->setPages(&m_pages);
    applyZoom();
    GoToPage(0);
}

void TNahled::Tisk() {
    if (m_pages.pages.empty()) {
        InfoBox(QStringLiteral("Sestava nemá žádnou stránku k tisku."));
        return;
    }
    SetUpPrinter(m_printer, m_pages);
    m_printer.setDocName(documentName());
    const int count = int(m_pages.pages.size());
    bool paperShown = false;
    if (!ReportDialogs::ExecPrintDialog(m_printer, count, this, &paperShown))
        return;
    const SheetPaper paper = PaperAfterDialog(m_printer, m_pages, paperShown);
    int first = 0, last = 0;
    if (m_printer.printRange() == QPrinter::PageRange) {
        first = m_printer.fromPage();
        last = m_printer.toPage();
    } else if (m_printer.printRange() == QPrinter::CurrentPage) {
        first = last = CurrentPage() + 1;
    }
    ProgressWindow progress(QStringLiteral("Tisk"));
    PrintReport(
        m_pages, m_printer, first, last,
        [&](int done, int total) {
            return progress.Step(done, total, QStringLiteral("Tiskne se strana %1 z %2").arg(done).arg(total));
        },
        paper);
}

void TNahled::VzhledStranky() {
    if (!m_recompose)
        return;
    // The dialog edits the layout's page: its paper, orientation and margins.
    m_printer.setFullPage(false);
    m_printer.setPageLayout(ToPageLayout(m_pageSetup));
    const bool accepted = ReportDialogs::ExecPageSetupDialog(m_printer, this);
    const QPageLayout chosen = m_printer.pageLayout();
    SetUpPrinter(m_printer, m_pages);
    if (!accepted)
        return;
    const PageSetup page = FromPageLayout(chosen);
    if (page.printableWidth() <= 0 || page.printableBottom() <= page.topMm) {
        InfoBox(QStringLiteral("Okraje stránky jsou větší než stránka sama."));
        return;
    }
    if (page == m_pageSetup)
        return;
    std::optional<PreparedReport> pages = m_recompose(page);
    if (!pages)
        return;
    m_pageSetup = page;
    setPages(std::move(*pages));
    SetUpPrinter(m_printer, m_pages);
}

void TNahled::Otevrit() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Otevřít sestavu");
    request.start = fileFolder();
    request.filter = PreparedReportFile::Filter() + QStringLiteral(";;Všechny soubory (*)");
    request.parent = this;
    const QString path = GetFileName(request);
    if (path.isEmpty())
        return;
    PreparedReport loaded = PreparedReportFile::Load(path);
    // Pages from a file have no layout behind them to compose again.
    m_recompose = nullptr;
    m_pageSetupAction->setEnabled(false);
    setPages(std::move(loaded));
    SetUpPrinter(m_printer, m_pages);
}

void TNahled::Ulozit() {
    const QString path = GetSaveFileName(QStringLiteral("Uložit sestavu"),
                                         QDir(fileFolder()).filePath(documentName() + QStringLiteral(".vps")),
                                         PreparedReportFile::Filter(), PreparedReportFile::Suffix());
    if (path.isEmpty())
        return;
    PreparedReportFile::Save(m_pages, path);
}

QString TNahled::fileFolder() const {
    // The folder of the last export, or the documents before the first one.
    return m_pdfExport.lastFileName.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                              : QFileInfo(m_pdfExport.lastFileName).absolutePath();
}

void TNahled::SetDocumentName(const QString& name) {
    m_documentName = name;
}

QString TNahled::documentName() const {
    if (!m_documentName.isEmpty())
        return m_documentName;
    return m_pages.title.isEmpty() ? QStringLiteral("sestava") : m_pages.title;
}

QString TNahled::proposedPdfName() const {
    // The folder of the last export with this report's own name: each order its own file.
    return QDir(fileFolder()).filePath(documentName() + QStringLiteral(".pdf"));
}

void TNahled::ExportPdf() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.caption = QStringLiteral("Export do PDF");
    request.start = proposedPdfName();
    request.filter = QStringLiteral("Soubory PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    request.askBeforeReplacing = false; // the export replaces an existing file anyway
    request.parent = this;
    const QString path = GetFileName(request);
    if (path.isEmpty())
        return;
    exportTo(path);
}

void TNahled::RychlyExport() {
    // Writes the file of the last export again without asking; the first time it asks.
    if (m_pdfExport.lastFileName.isEmpty()) {
        ExportPdf();
        return;
    }
    exportTo(m_pdfExport.lastFileName);
}

void TNahled::exportTo(const QString& path) {
    ProgressWindow progress(QStringLiteral("Export do PDF"), m_pdfExport.showProgress);
    const bool done = ::ExportPdf(m_pages, path, [&](int page, int total) {
        return progress.Step(page, total, QStringLiteral("Exportuje se strana %1 z %2").arg(page).arg(total));
    });
    if (done)
        m_pdfExport.lastFileName = path;
}

void TNahled::Hledat() {
    const QString needle = m_findEdit->text();
    if (needle.isEmpty()) {
        m_findEdit->setFocus();
        return;
    }
    if (needle != m_lastFind) {
        m_lastFind = needle;
        m_found = {};
    }
    {
        // A long report's pages are composed again to be searched: a second or two for the longest.
        WaitCursor wait;
        m_found = FindText(m_pages, needle, m_found);
    }
    if (m_found.found()) {
        m_view->setHighlight(m_found.page, m_found.boundsMm);
        const QRect page = m_view->pageRect(m_found.page);
        const double pxPerMm = m_view->pxPerMm();
        const QRectF px(m_found.boundsMm.x() * pxPerMm, m_found.boundsMm.y() * pxPerMm,
                        m_found.boundsMm.width() * pxPerMm, m_found.boundsMm.height() * pxPerMm);
        // A loaded text may hold far more than its stored width says: the pixels are held in range.
        m_scroll->ensureVisible(page.left() + PageStack::ToPx(px.center().x()),
                                page.top() + PageStack::ToPx(px.center().y()), PageStack::ToPx(px.width() / 2) + 50,
                                PageStack::ToPx(px.height() / 2) + 50);
        m_forcedPage = -1;
        updateStatus();
        return;
    }
    m_view->setHighlight(-1, QRectF());
    InfoBox(QStringLiteral("Text „%1“ nebyl nalezen.").arg(needle));
}

void TNahled::CelaStranka() {
    m_zoomMode = ZoomMode::WholePage;
    applyZoom();
}

void TNahled::SirkaStranky() {
    m_zoomMode = ZoomMode::PageWidth;
    applyZoom();
}
