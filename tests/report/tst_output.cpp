#include "ReportTestSupport.h"
#include "TestFiles.h"

#include "common/Error.h"
#include "common/TextFile.h"
#include "report/Composer.h"
#include "report/FindText.h"
#include "report/PdfExport.h"
#include "report/Printing.h"
#include "report/Renderer.h"
#include "report/Report.h"
#include "report/TextMetrics.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace ReportTest;

namespace {

PreparedReport FramesReport() {
    ReportLayout l;
    Band& band = l.AddBand(BandKind::ReportTitle, 100);
    band.boxes.push_back(Box("Thin", 20, 20, 40, 20, {}, "LRTB"));
    band.boxes.push_back(Box("Thick", 80, 20, 40, 20, {}, "L2R2T2B2"));
    band.boxes.push_back(Box("Dotted", 20, 60, 100, 5, {}, "T."));
    band.boxes.push_back(Box("Solid", 20, 70, 100, 5, {}, "T"));
    TextBox cut = Box("Cut", 20, 80, 30, 6, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    cut.wordWrap = false;
    band.boxes.push_back(cut);
    return *ComposeReport(l);
}

// Dark pixels across a line at the given column or row, within ±radius of it.
int DarkAcross(const QImage& img, int x, int y, bool vertical, int radius) {
    int n = 0;
    for (int d = -radius; d <= radius; ++d)
        n += Dark(img, vertical ? x + d : x, vertical ? y : y + d);
    return n;
}

// Texts at known places, one word each so that pdftotext keeps them apart.
ReportLayout TextLayout() {
    ReportLayout l;
    Band& title = l.AddBand(BandKind::ReportTitle, 40);
    TextBox heading = Box("Heading", 124, 2, 61, 8, "PŘÍKAZ");
    heading.font = {QStringLiteral("Times New Roman"), 16, true, false};
    heading.hAlign = HAlign::Right;
    title.boxes.push_back(heading);
    TextBox label = Box("Label", 5, 14, 40, 5, "Pobočka:");
    label.font = {QStringLiteral("Times New Roman"), 10, true, false};
    title.boxes.push_back(label);
    TextBox centre = Box("Centre", 52, 20, 21, 5, "[kod]", "LRTB");
    centre.hAlign = HAlign::Center;
    title.boxes.push_back(centre);
    TextBox italic = Box("Italic", 100, 30, 80, 9, "Žluťoučký");
    italic.font.italic = true;
    italic.vAlign = VAlign::Bottom;
    title.boxes.push_back(italic);
    l.AddBand(BandKind::MasterData, 100).boxes.push_back(Box("Row", 10, 50, 40, 5, "Řádek[n]"));
    l.AddBand(BandKind::PageFooter, 6).boxes.push_back(Box("Foot", 158, 0, 32, 5, "Strana:[Page]"));
    l.rows.SetRangeEndCount(4);
    l.OnGetValue = [&l](const QString& name, QString& value) {
        if (name == QLatin1String("kod"))
            value = QStringLiteral("0800");
        if (name == QLatin1String("n"))
            value = QString::number(l.rows.RecNo() + 1);
    };
    return l;
}

void CheckWordsMatch(const PreparedReport& report, const QList<PdfWord>& words, int pageOffset = 0) {
    int checked = 0;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        for (const PreparedText& t : report.pages[p].texts) {
            const PdfWord* found = nullptr;
            for (const PdfWord& w : words)
                if (w.page == int(p) - pageOffset && w.text == t.text)
                    found = &w;
            if (int(p) < pageOffset)
                continue;
            QVERIFY2(found, qPrintable(t.text));
            const QRectF want = t.boundsMm();
            const QString where = QStringLiteral("%1: pdf %2,%3 %4,%5 want %6,%7 %8,%9")
                                      .arg(t.text)
                                      .arg(found->mm.left())
                                      .arg(found->mm.top())
                                      .arg(found->mm.right())
                                      .arg(found->mm.bottom())
                                      .arg(want.left())
                                      .arg(want.top())
                                      .arg(want.right())
                                      .arg(want.bottom());
            QVERIFY2(qAbs(found->mm.left() - want.left()) <= 0.5, qPrintable(where));
            QVERIFY2(qAbs(found->mm.right() - want.right()) <= 0.5, qPrintable(where));
            QVERIFY2(qAbs(found->mm.top() - want.top()) <= 0.5, qPrintable(where));
            QVERIFY2(qAbs(found->mm.bottom() - want.bottom()) <= 0.5, qPrintable(where));
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

// pdfinfo's lines with their blanks folded: "Pages: 2".
QString PdfInfo(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(30000);
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    return out.replace(blanks, QStringLiteral(" "));
}

// The first page's size in whole points.
QSize PdfPageSize(const QString& path) {
    static const QRegularExpression re(QStringLiteral("Page size: ([\\d.]+) x ([\\d.]+) pts"));
    const auto m = re.match(PdfInfo(path));
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
}

} // namespace

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void framesAtExpectedPixels_data();
    void framesAtExpectedPixels();
    void dottedAndSolidLines();
    void framesHaveWholeCorners();
    void textCutAtBoxEdge();
    void cutTextsShowOnlyInTheirBoxes();
    void pdfTextPositions();
    void pdfFontsEmbedded();
    void cancelledExportKeepsOldFile();
    void exportReplacesFileAndFailsClearly();
    void printerInPdfModeGetsPagesAndPaper();
    void savedReportReloadsIdentical();
    void longReportPackedActsAsWhole();
    void foreignFilesRefused_data();
    void foreignFilesRefused();
    void damagedStampOrNumbersRefused();
    void failedWritesKeepOldFiles();

private:
    QTemporaryDir m_dir;
};

void TestOutput::framesAtExpectedPixels_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("minWidth");
    QTest::addColumn<int>("maxWidth");
    // 254 dpi: 10 px to the millimetre; the sheet's margin is 10 mm. A thin side is 2.6 px, a
    // thick one 5.3 px.
    QTest::newRow("thin left") << 300 << 400 << true << 2 << 4;
    QTest::newRow("thin right") << 700 << 400 << true << 2 << 4;
    QTest::newRow("thin top") << 500 << 300 << false << 2 << 4;
    QTest::newRow("thin bottom") << 500 << 500 << false << 2 << 4;
    QTest::newRow("thick left") << 900 << 400 << true << 5 << 7;
    QTest::newRow("thick right") << 1300 << 400 << true << 5 << 7;
    QTest::newRow("thick top") << 1100 << 300 << false << 5 << 7;
    QTest::newRow("thick bottom") << 1100 << 500 << false << 5 << 7;
}

void TestOutput::framesAtExpectedPixels() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, vertical);
    QFETCH(int, minWidth);
    QFETCH(int, maxWidth);
    static const QImage img = RenderPageImage(FramesReport().pages[0], 254);
    QCOMPARE(img.size(), QSize(2100, 2970));
    QVERIFY(Dark(img, x, y));
    const int across = DarkAcross(img, x, y, vertical, 6);
    QVERIFY2(across >= minWidth && across <= maxWidth, qPrintable(QString::number(across)));
    // Nothing but the line near it.
    QVERIFY(!Dark(img, vertical ? x - 5 : x, vertical ? y : y - 5));
    QVERIFY(!Dark(img, vertical ? x + 5 : x, vertical ? y : y + 5));
    QVERIFY(!Dark(img, 500, 400)); // inside the thin box
}

void TestOutput::dottedAndSolidLines() {
    const QImage img = RenderPageImage(FramesReport().pages[0], 254);
    auto scan = [&](int y, int& dark, int& runs) {
        dark = runs = 0;
        bool inRun = false;
        for (int x = 310; x < 1290; ++x) {
            const bool d = Dark(img, x, y - 1) || Dark(img, x, y) || Dark(img, x, y + 1);
            dark += d;
            if (d && !inRun)
                ++runs;
            inRun = d;
        }
    };
    int dark = 0, runs = 0;
    scan(700, dark, runs);
    QVERIFY2(dark > 980 * 0.2 && dark < 980 * 0.6, qPrintable(QString::number(dark)));
    QVERIFY2(runs > 80, qPrintable(QString::number(runs)));
    scan(800, dark, runs);
    QCOMPARE(dark, 980);
    QCOMPARE(runs, 1);
}

// Where two sides meet, the outer corner is filled, not notched by half a line's width.
void TestOutput::framesHaveWholeCorners() {
    const QImage img = RenderPageImage(FramesReport().pages[0], 254);
    // The thick box's corners at 900 and 1300 across, 300 and 500 down; its sides 5.3 px wide.
    for (const QPoint corner : {QPoint(900, 300), QPoint(1300, 300), QPoint(900, 500), QPoint(1300, 500)}) {
        const int dx = corner.x() == 900 ? -2 : 2, dy = corner.y() == 300 ? -2 : 2;
        QVERIFY2(Dark(img, corner.x() + dx, corner.y() + dy),
                 qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        QVERIFY(!Dark(img, corner.x() + 3 * dx, corner.y() + 3 * dy));
    }
}

void TestOutput::textCutAtBoxEdge() {
    const QImage img = RenderPageImage(FramesReport().pages[0], 254);
    // The box spans 30 to 60 mm across and 90 to 96 mm down.
    int inside = 0, outside = 0;
    for (int y = 880; y < 980; ++y) {
        for (int x = 300; x < 600; ++x)
            inside += Dark(img, x, y);
        for (int x = 600; x < 900; ++x)
            outside += Dark(img, x, y);
    }
    QVERIFY(inside > 1000);
    QCOMPARE(outside, 0);
}

// Texts their boxes cut share clips where that shows nothing more: the page looks as when each
// is cut alone, with boxes side by side, one above another and overlapping.
void TestOutput::cutTextsShowOnlyInTheirBoxes() {
    PreparedPage page;
    const ReportFont font{QStringLiteral("Times New Roman"), 14, false, false};
    auto add = [&](QRectF box, const QString& text) {
        PreparedText t;
        t.boxName = QStringLiteral("B");
        t.text = text;
        t.font = font;
        t.widthMm = TextMetrics::WidthMm(font, text);
        t.ascentMm = TextMetrics::AscentMm(font);
        t.descentMm = TextMetrics::DescentMm(font);
        t.origin = box.topLeft() + QPointF(0.5, 0.5 + t.ascentMm);
        t.clipMm = box;
        page.texts.push_back(t);
    };
    const QString wide = QStringLiteral("ŽŽŽŽŽŽŽŽŽŽŽŽŽŽŽŽŽŽ");
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 4; ++col)
            add(QRectF(10 + 30 * col, 10 + 7 * row + (col == 2 ? 2 : 0), 30, row % 3 ? 5 : 4), wide);
    add(QRectF(20, 12, 50, 20), wide + wide);
    const QImage grouped = RenderPageImage(page, 254);
    QImage alone(grouped.size(), grouped.format());
    alone.setDotsPerMeterX(grouped.dotsPerMeterX());
    alone.setDotsPerMeterY(grouped.dotsPerMeterY());
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        for (const PreparedText& t : page.texts) {
            PreparedPage one;
            one.texts = {t};
            painter.save();
            painter.setClipRect(QRectF(t.clipMm.topLeft() * 10, t.clipMm.size() * 10));
            PaintPage(one, painter, 10);
            painter.restore();
        }
    }
    QCOMPARE(grouped, alone);
}

void TestOutput::pdfTextPositions() {
    ReportLayout l = TextLayout();
    const auto report = ComposeReport(l);
    QCOMPARE(report->pages.size(), size_t(2)); // rows of 100 mm: two on each page
    const QString path = m_dir.filePath("texts.pdf");
    QVERIFY(ExportPdf(*report, path));
    QVERIFY2(PdfInfo(path).contains("Pages: 2"), qPrintable(PdfInfo(path)));
    QCOMPARE(PdfPageSize(path), QSize(595, 842));
    const QList<PdfWord> words = PdfWords(path);
    CheckWordsMatch(*report, words);
    // The right-aligned heading ends at the box's right edge less the gap.
    for (const PdfWord& w : words)
        if (w.text == QLatin1String("PŘÍKAZ"))
            QVERIFY(qAbs(w.mm.right() - (195 - ReportUnits::GapXMm)) <= 0.5);
}

void TestOutput::pdfFontsEmbedded() {
    ReportLayout l = TextLayout();
    const QString path = m_dir.filePath("fonts.pdf");
    QVERIFY(ExportPdf(*ComposeReport(l), path));
    const QStringList fonts = PdfFontLines(path);
    QVERIFY(fonts.size() >= 3);
    for (const QString& line : fonts) {
        const QStringList cols = line.split(' ', Qt::SkipEmptyParts);
        QVERIFY(cols.size() >= 5);
        QCOMPARE(cols[cols.size() - 5], QStringLiteral("yes")); // the emb column
    }
    QVERIFY(fonts.join('\n').contains("LiberationSerif-Bold"));
    QVERIFY(fonts.join('\n').contains("LiberationSans-Italic"));
}

void TestOutput::cancelledExportKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("export.pdf");
    WriteRaw(path, "old content");
    ReportLayout l = TextLayout();
    l.rows.SetRangeEndCount(20);
    const auto report = ComposeReport(l);
    QList<int> seen;
    const bool done = ExportPdf(*report, path, [&](int page, int total) {
        seen << page << total;
        return page < 3;
    });
    QVERIFY(!done);
    QCOMPARE(seen, (QList<int>{1, 10, 2, 10, 3, 10}));
    QCOMPARE(ReadAll(path), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"export.pdf"});
    // Also with no old file: nothing is left behind.
    const QString fresh = dir.filePath("fresh.pdf");
    QVERIFY(!ExportPdf(*report, fresh, [](int, int) { return false; }));
    QVERIFY(!QFile::exists(fresh));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestOutput::exportReplacesFileAndFailsClearly() {
    QTemporaryDir dir;
    const QString path = dir.filePath("export.pdf");
    WriteRaw(path, "old content");
    ReportLayout l = TextLayout();
    const auto report = ComposeReport(l);
    QVERIFY(ExportPdf(*report, path));
    QVERIFY(ReadAll(path).startsWith("%PDF-"));
    const QString bad = dir.filePath("chybi/export.pdf");
    try {
        ExportPdf(*report, bad);
        QFAIL("no error");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(bad)), qPrintable(e.message()));
    }
}

void TestOutput::printerInPdfModeGetsPagesAndPaper() {
    ReportLayout l = TextLayout();
    l.rows.SetRangeEndCount(8);
    auto report = ComposeReport(l);
    QCOMPARE(report->pages.size(), size_t(4));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, *report);
    QVERIFY(printer.fullPage());
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = m_dir.filePath("printed.pdf");
    printer.setOutputFileName(path);
    QVERIFY(PrintReport(*report, printer, 2, 3));
    QVERIFY(PdfInfo(path).contains("Pages: 2"));
    const QList<PdfWord> words = PdfWords(path);
    PreparedReport middle;
    middle.pages = {report->pages[1], report->pages[2]};
    CheckWordsMatch(middle, words);

    // A landscape page prints on a landscape sheet.
    ComposeOptions wide;
    wide.page = PageSetup{297, 210, 10, 10, 10, 10};
    report = ComposeReport(l, wide);
    const QString widePath = m_dir.filePath("wide.pdf");
    QPrinter landscape(QPrinter::HighResolution);
    landscape.setOutputFormat(QPrinter::PdfFormat);
    landscape.setOutputFileName(widePath);
    SetUpPrinter(landscape, *report);
    QVERIFY(PrintReport(*report, landscape));
    QCOMPARE(PdfPageSize(widePath), QSize(842, 595));
    CheckWordsMatch(*report, PdfWords(widePath));
}

void TestOutput::savedReportReloadsIdentical() {
    Report r(ListLayout());
    r.Rows().SetRangeEndCount(120);
    r.SetOnGetValue([&](const QString& name, QString& value) {
        if (name == QLatin1String("a"))
            value = QStringLiteral("Řádek %1 'ó'").arg(r.Rows().RecNo());
    });
    QVERIFY(r.PrepareReport());
    const QString path = m_dir.filePath("sestava.vps");
    PreparedReportFile::Save(r.Prepared(), path);
    const PreparedReport back = PreparedReportFile::Load(path);
    QCOMPARE(back.pages.size(), r.Prepared().pages.size());
    QVERIFY(back == r.Prepared());
    QCOMPARE(back.preparedAt, r.Prepared().preparedAt);
    // Saving again writes the same bytes.
    const QString again = m_dir.filePath("znovu.vps");
    PreparedReportFile::Save(back, again);
    QCOMPARE(ReadAll(again), ReadAll(path));
    // And the pages draw the same.
    QCOMPARE(RenderPageImage(back.pages[1], 50), RenderPageImage(r.Prepared().pages[1], 50));
}

// A long report keeps its pages packed: saved, found, drawn and read back as the same pages whole.
void TestOutput::longReportPackedActsAsWhole() {
    Report r(ListLayout());
    r.Rows().SetRangeEndCount(2500);
    r.SetOnGetValue([&](const QString& name, QString& value) {
        if (name == QLatin1String("a"))
            value = QStringLiteral("Řádek %1").arg(r.Rows().RecNo());
    });
    QVERIFY(r.PrepareReport());
    const PreparedReport& packed = r.Prepared();
    QVERIFY(packed.pages.size() > PackPagesAfter);
    PreparedReport whole = packed;
    for (PreparedPage& page : whole.pages) {
        QVERIFY(page.keptAside());
        PreparedPage scratch;
        page = Unpacked(page, scratch);
        QVERIFY(!page.keptAside() && !page.texts.empty());
    }
    QVERIFY(whole == packed);
    // Pictures, dotted lines and a text of a loaded file's odd measures pack back as they were.
    PreparedPage odd = whole.pages[3];
    odd.pictures.push_back(
        PreparedPicture{"Kod", QRectF(10, 10, 30, 30), {QRectF(10, 10, 1, 4), QRectF(12, 11, 2, 2)}});
    odd.lines.push_back(PreparedLine{QPointF(1, 2), QPointF(3, 4), 0.5, LineStyle::Dotted});
    odd.texts[1].ascentMm = -0.0;
    odd.texts[2].clipMm = QRectF(5, 6, 0, 0);
    PreparedPage oddPacked = odd, scratch;
    Pack(oddPacked);
    const PreparedPage& oddBack = Unpacked(oddPacked, scratch);
    QCOMPARE(oddBack.pictures, odd.pictures);
    QCOMPARE(oddBack.lines, odd.lines);
    QVERIFY(oddBack.texts == odd.texts);
    QVERIFY(std::signbit(oddBack.texts[1].ascentMm));
    const QString path = m_dir.filePath("dlouha.vps"), wholePath = m_dir.filePath("cela.vps");
    PreparedReportFile::Save(packed, path);
    PreparedReportFile::Save(whole, wholePath);
    QCOMPARE(ReadAll(path), ReadAll(wholePath));
    const PreparedReport back = PreparedReportFile::Load(path);
    QVERIFY(back.pages.back().isPacked());
    QVERIFY(back == whole);
    const TextMatch found = FindText(packed, QStringLiteral("Řádek 2400"));
    QVERIFY(found.found());
    const TextMatch wholeFound = FindText(whole, QStringLiteral("Řádek 2400"));
    QCOMPARE(found.page, wholeFound.page);
    QCOMPARE(found.text, wholeFound.text);
    QCOMPARE(found.boundsMm, wholeFound.boundsMm);
    QCOMPARE(RenderPageImage(back.pages[size_t(found.page)], 50), RenderPageImage(whole.pages[size_t(found.page)], 50));
}

void TestOutput::foreignFilesRefused_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    Report r(ListLayout());
    r.Rows().SetRangeEndCount(3);
    r.PrepareReport();
    const QString good = m_dir.filePath("good.vps");
    PreparedReportFile::Save(r.Prepared(), good);
    const QByteArray bytes = ReadAll(good);
    QByteArray newer = bytes;
    newer[9] = char(99); // the version after the magic
    QTest::newRow("empty") << QByteArray() << "není uložená sestava programu Velorin";
    QTest::newRow("order file") << QByteArray("Komerční banka\r\nPraha\r\n") << "není uložená sestava programu Velorin";
    QTest::newRow("pdf") << QByteArray("%PDF-1.4\n...") << "není uložená sestava programu Velorin";
    QTest::newRow("newer version") << newer << "novější verze programu Velorin";
    QTest::newRow("cut short") << bytes.left(bytes.size() / 2) << "je poškozen";
    QTest::newRow("trailing bytes") << bytes + "xyz"
                                    << "je poškozen";
    QByteArray longer = bytes;
    longer[10] = char(0x7f); // the length of the packed pages
    QTest::newRow("damaged length") << longer << "je poškozen";
    QByteArray claim = bytes;
    claim[14] = char(0x7f); // the size the packed pages claim to unpack to
    QTest::newRow("damaged size claim") << claim << "je poškozen";
    QByteArray inner = bytes;
    inner[inner.size() - 6] = char(inner[inner.size() - 6] ^ 0x55);
    QTest::newRow("damaged pages") << inner << "je poškozen";
}

void TestOutput::foreignFilesRefused() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir.filePath("foreign.vps");
    WriteRaw(path, content);
    try {
        PreparedReportFile::Load(path);
        QFAIL("loaded");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        QVERIFY(e.message().contains(QDir::toNativeSeparators(path)));
    }
}

// A saved report of no pages whose date stamp is given as raw bytes, packed as the program packs it.
QByteArray ReportWithStamp(const QByteArray& stamp) {
    QByteArray body;
    QDataStream b(&body, QIODevice::WriteOnly);
    b.setVersion(QDataStream::Qt_6_0);
    b << QStringLiteral("Sestava");
    b.writeRawData(stamp.constData(), int(stamp.size()));
    b << quint32(0);
    QByteArray file("VELORPRP");
    QDataStream f(&file, QIODevice::WriteOnly | QIODevice::Append);
    f.setVersion(QDataStream::Qt_6_0);
    f << quint16(1) << qCompress(body, 6);
    return file;
}

QByteArray Stamp(qint64 julianDay, quint32 msecs, qint8 spec) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << julianDay << msecs << spec;
    return bytes;
}

void TestOutput::damagedStampOrNumbersRefused() {
    const QString path = m_dir.filePath("stamp.vps");
    auto refused = [&](const QByteArray& bytes, const char* what) {
        WriteRaw(path, bytes);
        try {
            PreparedReportFile::Load(path);
            QFAIL(qPrintable(QString("loaded with %1").arg(what)));
        } catch (const VelorinError& e) {
            QVERIFY2(e.message().contains("je poškozen"), qPrintable(e.message()));
        }
    };
    // The builder is right: a sound stamp loads.
    const qint64 day = QDate(2026, 12, 9).toJulianDay();
    WriteRaw(path, ReportWithStamp(Stamp(day, 3600000, qint8(Qt::UTC))));
    QCOMPARE(PreparedReportFile::Load(path).preparedAt, QDateTime(QDate(2026, 12, 9), QTime(1, 0), Qt::UTC));

    refused(ReportWithStamp(Stamp(day, 0x7ffffff0u, qint8(Qt::UTC))), "a time past midnight");
    refused(ReportWithStamp(Stamp(day, 3600000, 9)), "an unknown time spec");
    refused(ReportWithStamp(Stamp(std::numeric_limits<qint64>::min() + 1, 0, qint8(Qt::UTC))), "a day out of range");
    refused(ReportWithStamp(Stamp(day, 3600000, qint8(Qt::UTC)).left(9)), "a cut stamp");

    // Numbers no page holds: a save would write them and the renderer could not draw them.
    Report r(ListLayout());
    r.Rows().SetRangeEndCount(3);
    QVERIFY(r.PrepareReport());
    PreparedReport bad = r.Prepared();
    bad.pages[0].texts[0].origin.setX(std::numeric_limits<double>::quiet_NaN());
    PreparedReportFile::Save(bad, path);
    refused(ReadAll(path), "a NaN position");
    bad = r.Prepared();
    bad.pages[0].heightMm = std::numeric_limits<double>::infinity();
    PreparedReportFile::Save(bad, path);
    refused(ReadAll(path), "an infinite page");
    bad = r.Prepared();
    bad.pages[0].pictures.push_back(
        PreparedPicture{"Kod", QRectF(0, 0, 10, 10), {QRectF(0, std::numeric_limits<double>::infinity(), 1, 1)}});
    PreparedReportFile::Save(bad, path);
    refused(ReadAll(path), "an infinite picture rectangle");
}

void TestOutput::failedWritesKeepOldFiles() {
    // A disk that fills up during the write: both files keep their old bytes and no temporary file stays.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("export.pdf");
    const QString saved = dir.filePath("sestava.vps");
    WriteRaw(pdf, "old pdf");
    WriteRaw(saved, "old report");
    ReportLayout layout = TextLayout();
    const auto report = ComposeReport(layout);
    const SeamGuard seam = TextFile::SetWriteSeam([](int, const char*, unsigned long) -> long {
        errno = ENOSPC;
        return -1;
    });
    for (const QString& path : {pdf, saved}) {
        try {
            if (path == pdf)
                ExportPdf(*report, pdf);
            else
                PreparedReportFile::Save(*report, saved);
            QFAIL("the write did not fail");
        } catch (const VelorinError& e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
            QVERIFY2(e.message().contains(qt_error_string(ENOSPC)), qPrintable(e.message()));
        }
    }
    QCOMPARE(ReadAll(pdf), QByteArray("old pdf"));
    QCOMPARE(ReadAll(saved), QByteArray("old report"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"export.pdf", "sestava.vps"}));
}

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
