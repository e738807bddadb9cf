#include "ReportTestSupport.h"
#include "TestFiles.h"

#include "TestModal.h"
#include "common/DialogHook.h"
#include "report/Nahled_f.h"
#include "report/ProgressWindow.h"
#include "report/Report.h"
#include "report/ReportDialogs.h"
#include "report/ShowReport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

using namespace ReportTest;

namespace {

// The callback holds on to the report, so it is filled in place.
void FillList(Report& r, int rows) {
    r.Rows().SetRangeEndCount(rows);
    RowSource* source = &r.Rows();
    r.SetOnGetValue([source](const QString& name, QString& value) {
        if (name == QLatin1String("a"))
            value = QStringLiteral("row %1").arg(source->RecNo());
    });
}

PreparedReport Pages(int rows) {
    Report r(ListLayout());
    FillList(r, rows);
    r.PrepareReport();
    return r.Prepared();
}

QAction* Action(QWidget* w, const char* name) {
    QAction* a = w->findChild<QAction*>(QLatin1String(name));
    if (!a)
        qWarning("no action %s", name);
    return a;
}

QString Status(QWidget* w) {
    return w->findChild<QLabel*>("La_Strana")->text();
}

// Runs the preview's Otevřít with path (empty: cancel) as the file dialog's answer; the boxes it
// showed, the open dialog first.
QList<DialogHook::Record> OpenFile(QWidget* preview, const QString& path) {
    DialogHook::ClearRecords();
    DialogHook::PushFileName(path);
    Action(preview, "TB_Otevrit")->trigger();
    const QList<DialogHook::Record> records = DialogHook::Records();
    if (records.isEmpty() || records[0].kind != QLatin1String("open") ||
        records[0].caption != QStringLiteral("Otevřít sestavu"))
        QTest::qFail("Otevřít asked for no file", __FILE__, __LINE__);
    return records;
}

int YellowPixels(QWidget* preview) {
    const QImage img = preview->findChild<QWidget*>("Stranky")->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); y += 1)
        for (int x = 0; x < img.width(); x += 1) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 200 && c.green() > 180 && c.blue() < 80;
        }
    return n;
}

int PdfPages(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// A saved report of count empty A4 pages, packed as the program packs it: saving that many pages
// through the engine would take far longer than writing the file does.
QByteArray ManyPagesFile(quint32 count) {
    QByteArray body;
    {
        QDataStream b(&body, QIODevice::WriteOnly);
        b.setVersion(QDataStream::Qt_6_0);
        b << QStringLiteral("Sestava") << QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC) << count;
        for (quint32 i = 0; i < count; ++i)
            b << 210.0 << 297.0 << quint32(0) << quint32(0);
    }
    QByteArray file("VELORPRP");
    QDataStream f(&file, QIODevice::WriteOnly | QIODevice::Append);
    f.setVersion(QDataStream::Qt_6_0);
    f << quint16(1) << qCompress(body, 9);
    return file;
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showReportOpensMaximizedAtFullSize();
    void showReportDoesNothingWhilePreparing();
    void navigator();
    void exportAndQuickExport();
    void exportDialogDoesNotAskBeforeReplacing();
    void saveAndOpenPreparedReport();
    void openRefusesForeignFile();
    void openStartsWhereSaveProposes();
    void openRefusesPagesNoPaperHolds_data();
    void openRefusesPagesNoPaperHolds();
    void openTakesPagesAtTheBounds();
    void longestReportStaysInReach();
    void findHighlightsAndMovesOn();
    void zoom();
    void pageSetupComposesAnew();
    void printGoesToThePrinterDialogsChoice();
    void longWorkShowsProgressAndCancels();
    void warningLineAbovePages();
    void keyboardReachesEveryCommand();

private:
    QTemporaryDir m_dir;
    PdfExportConfig m_pdf;
    SeamGuard m_dialogs;
};

void TestPreview::init() {
    m_dialogs = DialogHook::Activate();
    m_pdf = PdfExportConfig();
}

void TestPreview::cleanup() {
    QCOMPARE(DialogHook::UnansweredCount(), 0);
    m_dialogs.restore();
}

void TestPreview::showReportOpensMaximizedAtFullSize() {
    Report r(ListLayout());
    FillList(r, 100);
    bool checked = false;
    ModalAction act([&](QWidget* w) {
        auto* preview = qobject_cast<TNahled*>(w);
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Náhled"));
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        QCOMPARE(preview->Zoom(), 1.0);
        QCOMPARE(preview->findChild<QComboBox*>("Cb_Lupa")->currentText(), QStringLiteral("100 %"));
        QCOMPARE(Status(preview), QStringLiteral("Strana 1 z 3"));
        const QList<QAction*> bar = preview->findChild<QToolBar*>("TB_Nahled")->actions();
        const std::pair<const char*, const char*> captions[] = {
            {"TB_Tisk", "Tisk"},     {"TB_VzhledStranky", "Vzhled stránky"}, {"TB_Otevrit", "Otevřít"},
            {"TB_Ulozit", "Uložit"}, {"TB_ExportPDF", "Export do PDF"},      {"TB_RychlyExport", "Rychlý export"},
            {"TB_Hledat", "Hledat"}, {"TB_CelaStranka", "Celá stránka"},     {"TB_SirkaStranky", "Šířka stránky"},
            {"TB_Zavrit", "Zavřít"}};
        for (const auto& [name, caption] : captions) {
            QAction* a = Action(preview, name);
            QVERIFY2(a && bar.contains(a), name);
            QCOMPARE(a->text(), QString::fromUtf8(caption));
        }
        QVERIFY(Action(preview, "TB_VzhledStranky")->isEnabled());
        // The navigator is the layout's option; without it its buttons are not on the toolbar.
        QVERIFY(!bar.contains(Action(preview, "TB_PrvniStranka")));
        QVERIFY(!preview->findChild<QSpinBox*>("Ed_Stranka"));
        checked = true;
        Action(preview, "TB_Zavrit")->trigger();
    });
    ShowReport(r);
    QVERIFY(act.happened());
    QVERIFY(checked);
    QCOMPARE(r.Prepared().pages.size(), size_t(3));
}

void TestPreview::showReportDoesNothingWhilePreparing() {
    Report r(ListLayout());
    FillList(r, 5);
    int nested = 0;
    bool preparingSeen = false;
    r.SetOnGetValue([&](const QString& name, QString& value) {
        if (name != QLatin1String("a"))
            return;
        preparingSeen = r.IsPreparing();
        if (nested++ == 0) {
            ShowReport(r); // returns at once: no second preview, no second preparation
            QVERIFY(!r.PrepareReport());
        }
        value = QStringLiteral("row");
    });
    ModalAction act([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    ShowReport(r);
    QVERIFY(act.happened());
    QVERIFY(preparingSeen);
    QCOMPARE(nested, 5);
    QVERIFY(!r.IsPreparing());
    QCOMPARE(int(TextsOf(r.Prepared().pages[0], "A").size()), 5);
}

void TestPreview::navigator() {
    PreviewOptions options;
    options.pageNavigator = true;
    TNahled preview(Pages(100), m_pdf, options);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto* number = preview.findChild<QSpinBox*>("Ed_Stranka");
    QVERIFY(number);
    QCOMPARE(number->value(), 1);
    QCOMPARE(number->maximum(), 3);
    Action(&preview, "TB_PosledniStranka")->trigger();
    QCOMPARE(preview.CurrentPage(), 2);
    QCOMPARE(Status(&preview), QStringLiteral("Strana 3 z 3"));
    QCOMPARE(number->value(), 3);
    Action(&preview, "TB_PredchoziStranka")->trigger();
    QCOMPARE(preview.CurrentPage(), 1);
    Action(&preview, "TB_PrvniStranka")->trigger();
    QCOMPARE(preview.CurrentPage(), 0);
    Action(&preview, "TB_DalsiStranka")->trigger();
    QCOMPARE(preview.CurrentPage(), 1);
    QCOMPARE(number->value(), 2);
    number->setValue(3);
    QCOMPARE(preview.CurrentPage(), 2);
    Action(&preview, "TB_DalsiStranka")->trigger(); // stays on the last page
    QCOMPARE(preview.CurrentPage(), 2);
    QTest::keyClick(&preview, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(preview.CurrentPage(), 0);
}

void TestPreview::exportAndQuickExport() {
    const QString path = m_dir.filePath("prehled.pdf");
    {
        TNahled preview(Pages(100), m_pdf, {});
        DialogHook::PushFileName(path);
        Action(&preview, "TB_ExportPDF")->trigger();
        QCOMPARE(PdfPages(path), 3);
        QCOMPARE(m_pdf.lastFileName, path);
        const auto records = DialogHook::Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, QStringLiteral("save"));
        QCOMPARE(records[0].caption, QStringLiteral("Export do PDF"));
        // Cancelling the file dialog writes nothing.
        QFile::remove(path);
        DialogHook::PushFileName(QString());
        Action(&preview, "TB_ExportPDF")->trigger();
        QVERIFY(!QFile::exists(path));
    }
    // The shared configuration remembers the file for the quick export of another preview,
    // which replaces the file without asking.
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    DialogHook::ClearRecords();
    TNahled other(Pages(10), m_pdf, {});
    Action(&other, "TB_RychlyExport")->trigger();
    QVERIFY(DialogHook::Records().isEmpty());
    QCOMPARE(PdfPages(path), 1);
}

// The export replaces an existing file without asking, so its file dialog must not ask either.
void TestPreview::exportDialogDoesNotAskBeforeReplacing() {
    SeamGuard realDialogs = DialogHook::Deactivate();
    TNahled preview(Pages(3), m_pdf, {});
    bool asks = true;
    QString suffix;
    ModalAction act([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        asks = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        suffix = dialog->defaultSuffix();
        dialog->reject();
    });
    Action(&preview, "TB_ExportPDF")->trigger();
    realDialogs.restore();
    QVERIFY(act.happened());
    QVERIFY(!asks);
    QCOMPARE(suffix, QStringLiteral("pdf"));
    QVERIFY(m_pdf.lastFileName.isEmpty());
}

void TestPreview::saveAndOpenPreparedReport() {
    const PreparedReport original = Pages(100);
    const QString path = m_dir.filePath("sestava.vps");
    {
        TNahled preview(original, m_pdf, {});
        DialogHook::PushFileName(path);
        Action(&preview, "TB_Ulozit")->trigger();
        QVERIFY(QFile::exists(path));
        QCOMPARE(DialogHook::Records().at(0).caption, QStringLiteral("Uložit sestavu"));
    }
    TNahled preview(Pages(3), m_pdf, {});
    preview.SetPageSetup(PageSetup(), [](const PageSetup&) { return std::optional<PreparedReport>(); });
    QCOMPARE(OpenFile(&preview, path).size(), 1);
    QVERIFY(preview.Pages() == original);
    QCOMPARE(Status(&preview), QStringLiteral("Strana 1 z 3"));
    // Loaded pages have no layout to compose again.
    QVERIFY(!Action(&preview, "TB_VzhledStranky")->isEnabled());
}

void TestPreview::openRefusesForeignFile() {
    const QString path = m_dir.filePath("cizi.vps");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Komerční banka\r\n");
    f.close();
    const PreparedReport pages = Pages(3);
    TNahled preview(pages, m_pdf, {});
    const auto records = OpenFile(&preview, path);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].kind, QStringLiteral("error"));
    QVERIFY2(records[1].text.contains("není uložená sestava programu Velorin"), qPrintable(records[1].text));
    QVERIFY(preview.Pages() == pages);
    // Cancel in the open dialog changes nothing either.
    QCOMPARE(OpenFile(&preview, QString()).size(), 1);
    QVERIFY(preview.Pages() == pages);
}

// Before any export, opening a saved report starts in the folder that saving proposes.
void TestPreview::openStartsWhereSaveProposes() {
    const QByteArray home = qgetenv("HOME");
    const QByteArray userDirs = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(QDir().mkpath(documents));
    TNahled preview(Pages(3), m_pdf, {});
    DialogHook::PushFileName(QString());
    Action(&preview, "TB_Ulozit")->trigger();
    const QString proposed = QFileInfo(DialogHook::Records().at(0).text).absolutePath();
    QString opened;
    ModalAction act([&](QWidget* w) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w))
            opened = dialog->directory().absolutePath();
        qobject_cast<QDialog*>(w)->reject();
    });
    SeamGuard realDialogs = DialogHook::Deactivate(); // the real dialog, to see the folder it opens in
    Action(&preview, "TB_Otevrit")->trigger();
    realDialogs.restore();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", userDirs);
    QVERIFY(act.happened());
    QCOMPARE(proposed, documents);
    QCOMPARE(opened, documents);
}

void TestPreview::openRefusesPagesNoPaperHolds_data() {
    QTest::addColumn<QByteArray>("content");
    const PreparedReport pages = Pages(100);
    const QString path = m_dir.filePath("zdroj.vps");
    auto saved = [&](const std::function<void(PreparedReport&)>& damage) {
        PreparedReport r = pages;
        damage(r);
        PreparedReportFile::Save(r, path);
        return ReadAll(path);
    };
    QTest::newRow("page 1e9 mm high") << saved([](PreparedReport& r) { r.pages[0].heightMm = 1e9; });
    QTest::newRow("page of no width") << saved([](PreparedReport& r) { r.pages[2].widthMm = 0; });
    QTest::newRow("2 500 000 pages") << ManyPagesFile(2'500'000);
    QTest::newRow("1e6 pt font") << saved([](PreparedReport& r) { r.pages[1].texts[0].font.pointSize = 1e6; });
    QTest::newRow("negative font") << saved([](PreparedReport& r) { r.pages[1].texts[0].font.pointSize = -10; });
    QTest::newRow("text far off the page") << saved([](PreparedReport& r) { r.pages[0].texts[0].origin.rx() = 1e6; });
    QTest::newRow("text running far off the page")
        << saved([](PreparedReport& r) { r.pages[0].texts[3].widthMm = 5e5; });
    QTest::newRow("clip far off the page")
        << saved([](PreparedReport& r) { r.pages[0].texts[1].clipMm = QRectF(0, -1e8, 10, 10); });
    QTest::newRow("line far off the page") << saved([](PreparedReport& r) { r.pages[2].lines[0].to.ry() = -1e7; });
    QTest::newRow("line a metre thick") << saved([](PreparedReport& r) { r.pages[2].lines[0].widthMm = 1e4; });
    QTest::newRow("picture far off the page") << saved([](PreparedReport& r) {
        r.pages[0].pictures.push_back(PreparedPicture{"Kod", QRectF(10, 10, 30, 30), {QRectF(10, 10, 1, 4e5)}});
    });
}

// Numbers no paper holds are damage: the preview would have no pixels for them.
void TestPreview::openRefusesPagesNoPaperHolds() {
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath("poskozena.vps");
    WriteRaw(path, content);
    const PreparedReport pages = Pages(100);
    TNahled preview(pages, m_pdf, {});
    const auto records = OpenFile(&preview, path);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].kind, QStringLiteral("error"));
    QCOMPARE(records[1].text,
             QStringLiteral("Soubor %1 s uloženou sestavou je poškozen.").arg(QDir::toNativeSeparators(path)));
    QVERIFY(preview.Pages() == pages);
    QCOMPARE(Status(&preview), QStringLiteral("Strana 1 z 3"));
}

void TestPreview::openTakesPagesAtTheBounds() {
    PreparedReport big = Pages(100);
    PreparedPage& sheet = big.pages[1];
    sheet.widthMm = sheet.heightMm = 2000;
    sheet.texts[0].font.pointSize = 500;
    sheet.texts[0].origin = QPointF(1990, 1995);
    sheet.lines.push_back(PreparedLine{QPointF(-10, 0), QPointF(2000, 2000)});
    const QString path = m_dir.filePath("velka.vps");
    PreparedReportFile::Save(big, path);
    TNahled preview(Pages(3), m_pdf, {});
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(OpenFile(&preview, path).size(), 1);
    QVERIFY(preview.Pages() == big);
    // The largest page at the largest zoom stands whole in the view, at the zoom asked for.
    preview.SetZoom(8);
    QCOMPARE(preview.Zoom(), 8.0);
    preview.GoToPage(1);
    QCOMPARE(preview.CurrentPage(), 1);
    QCOMPARE(Status(&preview), QStringLiteral("Strana 2 z 3"));
    QWidget* view = preview.findChild<QWidget*>("Stranky");
    QVERIFY(view->height() > qRound(2000 * 8 * view->logicalDpiY() / 25.4));
}

// The most pages a file may hold, each of the largest size, at the largest zoom: every page can be
// gone to, and the zoom goes down as far as the view's largest size needs.
void TestPreview::longestReportStaysInReach() {
    PreparedReport longest;
    longest.title = QStringLiteral("Dlouhá");
    PreparedPage sheet;
    sheet.widthMm = sheet.heightMm = 2000;
    longest.pages.assign(100'000, sheet);
    TNahled preview(longest, m_pdf, {});
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    preview.SetZoom(8);
    QWidget* view = preview.findChild<QWidget*>("Stranky");
    QVERIFY(view->height() <= QWIDGETSIZE_MAX);
    QVERIFY(preview.Zoom() > 0 && preview.Zoom() < 0.1);
    QCOMPARE(preview.findChild<QComboBox*>("Cb_Lupa")->currentText(),
             QString::number(qRound(preview.Zoom() * 100)) + QStringLiteral(" %"));
    for (const int page : {99'999, 50'000, 1, 99'998}) {
        preview.GoToPage(page);
        QCOMPARE(preview.CurrentPage(), page);
    }
    preview.GoToPage(99'999);
    QCOMPARE(Status(&preview), QStringLiteral("Strana 100000 z 100000"));
    // The view holds every page at the zoom it shows, and the scroll bar reaches the last ones.
    const double pagePx = PreparedLimits::MaxPageMm * preview.Zoom() * view->logicalDpiY() / 25.4;
    QVERIFY(view->height() >= 100'000 * pagePx);
    QScrollBar* bar = preview.findChild<QScrollArea*>()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QVERIFY(std::abs(preview.CurrentPage() - 50'000) < 10);
    bar->setValue(bar->maximum());
    QVERIFY(preview.CurrentPage() >= 99'990);
}

void TestPreview::findHighlightsAndMovesOn() {
    TNahled preview(Pages(100), m_pdf, {});
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(YellowPixels(&preview), 0);
    auto* edit = preview.findChild<QLineEdit*>("Ed_Hledat");
    edit->setText(QStringLiteral("ROW 50"));
    Action(&preview, "TB_Hledat")->trigger();
    QCOMPARE(preview.CurrentPage(), 1);
    QVERIFY(YellowPixels(&preview) > 50);
    // The next search moves on to the next match, then round to the first.
    edit->setText(QStringLiteral("row 9"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(preview.CurrentPage(), 0);
    Action(&preview, "TB_Hledat")->trigger(); // row 90
    QCOMPARE(preview.CurrentPage(), 2);
    for (int i = 0; i < 9; ++i) // rows 91 to 99
        Action(&preview, "TB_Hledat")->trigger();
    QCOMPARE(preview.CurrentPage(), 2);
    Action(&preview, "TB_Hledat")->trigger(); // row 9 again
    QCOMPARE(preview.CurrentPage(), 0);
    QVERIFY(DialogHook::Records().isEmpty());
    edit->setText(QStringLiteral("neexistuje"));
    Action(&preview, "TB_Hledat")->trigger();
    QCOMPARE(DialogHook::Records().size(), 1);
    QCOMPARE(DialogHook::Records()[0].text, QStringLiteral("Text „neexistuje“ nebyl nalezen."));
    QCOMPARE(YellowPixels(&preview), 0);
}

void TestPreview::zoom() {
    TNahled preview(Pages(100), m_pdf, {});
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto* box = preview.findChild<QComboBox*>("Cb_Lupa");
    QWidget* view = preview.findChild<QWidget*>("Stranky");
    const double px100 = view->width();
    Action(&preview, "TB_Zvetsit")->trigger();
    QCOMPARE(preview.Zoom(), 1.25);
    QCOMPARE(box->currentText(), QStringLiteral("125 %"));
    box->setCurrentIndex(box->findText("50 %"));
    emit box->activated(box->currentIndex());
    QCOMPARE(preview.Zoom(), 0.5);
    QVERIFY(view->width() < px100 * 0.6);
    Action(&preview, "TB_CelaStranka")->trigger();
    QCOMPARE(box->currentText(), QStringLiteral("Celá stránka"));
    QWidget* viewport = view->parentWidget();
    // A whole page stands in the window.
    const int pageHeight = qRound(297 * preview.Zoom() * view->logicalDpiY() / 25.4);
    QVERIFY(pageHeight <= viewport->height());
    QVERIFY(pageHeight >= viewport->height() - 30);
    Action(&preview, "TB_SirkaStranky")->trigger();
    QCOMPARE(box->currentText(), QStringLiteral("Šířka stránky"));
    QVERIFY(view->width() <= viewport->width());
    QVERIFY(view->width() >= viewport->width() - 30);
    Action(&preview, "TB_Zmensit")->trigger();
    QVERIFY(box->currentText().endsWith(" %"));
    // Ctrl with the wheel zooms in steps of a quarter; the wheel alone scrolls.
    preview.SetZoom(1.0);
    QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(preview.Zoom(), 1.25);
    QVERIFY(preview.findChild<QScrollArea*>()->hasFocus());
}

void TestPreview::pageSetupComposesAnew() {
    Report r(ListLayout());
    FillList(r, 100);
    const SeamGuard pageSetup = ReportDialogs::SetPageSetupHook([](QPrinter& printer) {
        // What the dialog shows: the layout's A4 portrait with 10 mm margins.
        if (printer.pageLayout().margins(QPageLayout::Millimeter) != QMarginsF(10, 10, 10, 10))
            return false;
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        return true;
    });
    bool done = false;
    ModalAction act([&](QWidget* w) {
        auto* preview = qobject_cast<TNahled*>(w);
        Action(preview, "TB_VzhledStranky")->trigger();
        const PreparedReport& pages = preview->Pages();
        QCOMPARE(pages.pages[0].widthMm, 297.0);
        QCOMPARE(pages.pages[0].heightMm, 210.0);
        const PreparedText* foot = FirstText(pages.pages[0], "Foot");
        QCOMPARE(foot->clipMm, QRectF(15 + 158, 210 - 12 - 6, 32, 5));
        QVERIFY(pages.pages.size() > 3);
        done = true;
        preview->reject();
    });
    ShowReport(r);
    QVERIFY(done);
    QCOMPARE(r.Prepared().pages[0].widthMm, 297.0);
    // The layout itself keeps its page for the next print.
    QCOMPARE(r.Layout().page, PageSetup());
}

void TestPreview::printGoesToThePrinterDialogsChoice() {
    const QString path = m_dir.filePath("tisk.pdf");
    QSizeF paper;
    bool fullPage = false;
    int offered = 0;
    const SeamGuard print = ReportDialogs::SetPrintHook([&](QPrinter& printer, int pageCount) {
        paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        fullPage = printer.fullPage();
        offered = pageCount;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    });
    TNahled preview(Pages(100), m_pdf, {});
    Action(&preview, "TB_Tisk")->trigger();
    QCOMPARE(paper, QSizeF(210, 297));
    QVERIFY(fullPage);
    QCOMPARE(offered, 3);
    QCOMPARE(PdfPages(path), 2);
    const QList<PdfWord> words = PdfWords(path);
    bool page2 = false;
    for (const PdfWord& w : words)
        page2 |= w.page == 0 && w.text == QLatin1String("2") && w.mm.top() > 280;
    QVERIFY(page2); // the first sheet is the report's page 2: "Strana: 2" in its footer

    // A cancelled print dialog prints nothing.
    QFile::remove(path);
    const SeamGuard print2 = ReportDialogs::SetPrintHook([](QPrinter&, int) { return false; });
    Action(&preview, "TB_Tisk")->trigger();
    QVERIFY(!QFile::exists(path));
}

void TestPreview::longWorkShowsProgressAndCancels() {
    const SeamGuard showAtOnce = ProgressWindow::SetShowAfter(0); // the window comes up at once instead of after 0.7 s
    Report r(ListLayout());
    FillList(r, 20000);
    QString caption;
    ModalAction cancelCompose([&](QWidget* w) {
        caption = w->windowTitle();
        if (auto* progress = qobject_cast<QProgressDialog*>(w))
            progress->cancel();
        else
            w->close();
    });
    ShowReport(r);
    QVERIFY(cancelCompose.happened());
    QCOMPARE(caption, QStringLiteral("Příprava sestavy"));
    QVERIFY(r.Prepared().pages.empty()); // no preview opened on half the pages

    QVERIFY(r.PrepareReport());
    TNahled preview(r.Prepared(), m_pdf, {});
    const QString path = m_dir.filePath("zruseno.pdf");
    DialogHook::PushFileName(path);
    ModalAction cancelExport([&](QWidget* w) {
        caption = w->windowTitle();
        if (auto* progress = qobject_cast<QProgressDialog*>(w))
            progress->cancel();
    });
    Action(&preview, "TB_ExportPDF")->trigger();
    QVERIFY(cancelExport.happened());
    QCOMPARE(caption, QStringLiteral("Export do PDF"));
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_pdf.lastFileName.isEmpty());
}

void TestPreview::warningLineAbovePages() {
    TNahled preview(Pages(5), m_pdf, PreviewOptions());
    auto* line = preview.findChild<QLabel*>("La_Varovani");
    QVERIFY(line);
    QVERIFY(line->isHidden()); // nothing to warn of: no empty strip above the pages
    preview.SetWarningText(QStringLiteral("Datum splatnosti je v minulosti"));
    QVERIFY(!line->isHidden());
    QCOMPARE(preview.WarningText(), QStringLiteral("Datum splatnosti je v minulosti"));
    preview.SetWarningText(QString());
    QVERIFY(line->isHidden());
}

// Every command runs from its key; F10 reaches the toolbar, Esc leaves it and then closes.
void TestPreview::keyboardReachesEveryCommand() {
    PreviewOptions options;
    options.pageNavigator = true;
    TNahled preview(Pages(100), m_pdf, options);
    int setups = 0;
    const SeamGuard pageSetup = ReportDialogs::SetPageSetupHook([&](QPrinter&) { return ++setups, false; });
    preview.SetPageSetup(PageSetup(), [](const PageSetup&) { return std::optional<PreparedReport>(); });
    preview.resize(1800, 800); // the whole toolbar in view
    preview.show();
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    QWidget* pages = QApplication::focusWidget();
    QVERIFY(pages);
    auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    };
    const QString path = m_dir.filePath("klavesnice.pdf");
    DialogHook::PushFileName(path);
    press(Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(PdfPages(path), 3);
    QFile::remove(path);
    press(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier); // the same file again, unasked
    QCOMPARE(PdfPages(path), 3);
    QCOMPARE(DialogHook::Records().size(), 1);
    press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(setups, 1);
    press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(preview.findChild<QComboBox*>("Cb_Lupa")->currentText(), QStringLiteral("Celá stránka"));
    press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(preview.findChild<QComboBox*>("Cb_Lupa")->currentText(), QStringLiteral("Šířka stránky"));
    DialogHook::PushFileName(QString());
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(DialogHook::Records().last().caption, QStringLiteral("Uložit sestavu"));
    press(Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), preview.findChild<QSpinBox*>("Ed_Stranka"));
    press(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), preview.findChild<QLineEdit*>("Ed_Hledat"));
    QTest::keyClicks(QApplication::focusWidget(), "nikde");
    press(Qt::Key_F3);
    QCOMPARE(DialogHook::Records().last().text, QStringLiteral("Text „nikde“ nebyl nalezen."));

    // The toolbar: F10 to its first button, arrows along it past the fields, Enter presses.
    pages->setFocus();
    auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        auto* button = qobject_cast<QToolButton*>(w);
        return button && button->defaultAction() ? button->defaultAction()->objectName() : w->objectName();
    };
    press(Qt::Key_F10);
    QCOMPARE(focused(), QStringLiteral("TB_Tisk"));
    QStringList along;
    for (int i = 0; i < 9; ++i) {
        press(Qt::Key_Right);
        along << focused();
    }
    QCOMPARE(along, (QStringList{"TB_VzhledStranky", "TB_Otevrit", "TB_Ulozit", "TB_ExportPDF", "TB_RychlyExport",
                                 "Cb_Lupa", "TB_Zmensit", "TB_Zvetsit", "TB_CelaStranka"}));
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    const double zoom = preview.Zoom();
    press(Qt::Key_Return); // on "−"
    QVERIFY(std::abs(preview.Zoom() - zoom / 1.25) < 1e-6);
    press(Qt::Key_End);
    QCOMPARE(focused(), QStringLiteral("TB_Zavrit"));
    press(Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), pages);
    QVERIFY(preview.isVisible());
    press(Qt::Key_Escape);
    QVERIFY(!preview.isVisible());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
