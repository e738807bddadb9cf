// Composes a 1,000-page list report, writes it to PDF through the engine and, for comparison,
// draws the same text runs with a bare QPdfWriter loop. Prints the time of each stage.
// Run: QT_QPA_PLATFORM=offscreen ./bench_report [pages] [folder]

#include "report/Composer.h"
#include "report/PdfExport.h"
#include "report/PreparedReport.h"
#include "report/Renderer.h"
#include "report/TextMetrics.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

TextBox Box(const QString& name, double left, double top, double width, double height, const QString& text,
            HAlign align = HAlign::Left) {
    TextBox b = TextBox::At(name, left, top, width, height, text);
    b.hAlign = align;
    b.wordWrap = false;
    b.font.family = QStringLiteral("Times New Roman");
    return b;
}

// The overview's list: header with column lines, one row per item, summary and page footer.
ReportLayout ListLayout() {
    ReportLayout l;
    l.name = QStringLiteral("Přehled příkazů");
    TextBox title = Box("Memo2", 0, 0, 190, 7, "Přehled příkazů");
    title.font.pointSize = 14;
    l.AddBand(BandKind::ReportTitle, 8).boxes.push_back(title);
    Band& header = l.AddBand(BandKind::PageHeader, 10);
    TextBox frame = Box("Memo8", 0, 0, 190, 10, {});
    frame.frame = Frame::Sides("L2R2T2B2");
    header.boxes.push_back(frame);
    for (double x : {18.0, 45.0, 56.0, 78.0, 99.0}) {
        TextBox line = Box("Line", x, 0, 1, 10, {});
        line.frame = Frame::Sides("L");
        header.boxes.push_back(line);
    }
    const char* heads[] = {"Datum", "Číslo účtu", "Kód", "Částka v Kč", "Označení", "Poznámka"};
    const double xs[] = {3, 23, 47, 57, 81, 131};
    for (int i = 0; i < 6; ++i) {
        TextBox h = Box("Head", xs[i], 1, 30, 5, QString::fromUtf8(heads[i]));
        h.font.bold = true;
        header.boxes.push_back(h);
    }
    Band& data = l.AddBand(BandKind::MasterData, 7);
    data.stretches = true;
    data.boxes.push_back(Box("Memo1", 1, 1, 16, 5, "[datum]", HAlign::Right));
    data.boxes.push_back(Box("Memo3", 18, 1, 27, 5, "[cislouctu]"));
    data.boxes.push_back(Box("Memo4", 46, 1, 9, 5, "[kod]", HAlign::Right));
    data.boxes.push_back(Box("Memo5", 57, 1, 20, 5, "[castka_kc]", HAlign::Right));
    data.boxes.push_back(Box("Memo6", 79, 1, 20, 5, "[prikaz]"));
    TextBox comment = Box("Memo7", 100, 1, 89, 5, "[poznamka]");
    comment.wordWrap = true;
    comment.stretch = StretchMode::ToTallest;
    data.boxes.push_back(comment);
    TextBox sum = Box("Celkem", 1, 1, 188, 5, "[Celkem]");
    sum.font.bold = true;
    l.AddBand(BandKind::ReportSummary, 8).boxes.push_back(sum);
    Band& footer = l.AddBand(BandKind::PageFooter, 6);
    footer.boxes.push_back(Box("Date", 0, 0, 55, 5, "[Date] [Time]"));
    footer.boxes.push_back(Box("TotalPages", 158, 0, 32, 5, "Strana: [Page]", HAlign::Right));
    l.SetVariable(QStringLiteral("Celkem"), TextLiteral(QStringLiteral("Celkem k platbě :   1 750,50 Kč")));
    l.OnGetValue = [&l](const QString& name, QString& value) {
        const int n = l.rows.RecNo();
        if (name == QLatin1String("datum"))
            value = QStringLiteral("%1.%2.2024").arg(n % 28 + 1).arg(n % 12 + 1);
        else if (name == QLatin1String("cislouctu"))
            value = QStringLiteral("19-%1").arg(2000145399 + n);
        else if (name == QLatin1String("kod"))
            value = QStringLiteral("0800");
        else if (name == QLatin1String("castka_kc"))
            value = QStringLiteral("%1,50").arg(n * 7 % 100000);
        else if (name == QLatin1String("prikaz"))
            value = QStringLiteral("2024%1").arg(n / 16 % 1000, 3, 10, QLatin1Char('0'));
        else if (name == QLatin1String("poznamka"))
            value = n % 10 == 0 ? QStringLiteral("Platba za služby podle smlouvy č. %1, vyúčtování za třetí "
                                                 "čtvrtletí včetně úroků z prodlení a poplatků")
                                      .arg(n)
                                : QStringLiteral("Nájem kanceláře %1").arg(n);
    };
    return l;
}

double Ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

// Draws the texts (and, when asked, the lines) of the prepared pages straight onto a writer:
// what any PDF output must at least do.
void BareLoop(const PreparedReport& report, const QString& path, bool withLines) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    const double k = 1200 / 25.4;
    bool first = true;
    PreparedPage scratch;
    for (const PreparedPage& packed : report.pages) {
        const PreparedPage& page = Unpacked(packed, scratch);
        if (!first)
            writer.newPage();
        first = false;
        if (withLines)
            for (const PreparedLine& l : page.lines) {
                QPen pen(Qt::black);
                pen.setWidthF(l.widthMm * k);
                painter.setPen(pen);
                painter.drawLine(l.from * k, l.to * k);
            }
        painter.setPen(Qt::black);
        for (const PreparedText& t : page.texts) {
            painter.setFont(TextMetrics::MakeFont(t.font));
            painter.drawText(t.origin * k, t.text);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int wantPages = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    QTemporaryDir tmp;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();

    ReportLayout layout = ListLayout();
    // About 36 rows to a page, a little fewer for the taller commented rows.
    layout.rows.SetRangeEndCount(wantPages * 35);
    QElapsedTimer t;
    t.start();
    std::optional<PreparedReport> report = ComposeReport(layout);
    const double compose = Ms(t);
    size_t texts = 0, lines = 0;
    PreparedPage scratch;
    for (const PreparedPage& packed : report->pages) {
        const PreparedPage& p = Unpacked(packed, scratch);
        texts += p.texts.size();
        lines += p.lines.size();
    }
    std::printf("report: %zu pages, %d rows, %zu text runs, %zu lines\n", report->pages.size(),
                layout.rows.RangeEndCount(), texts, lines);
    std::printf("%-44s %9.0f ms\n", "compose (ComposeReport)", compose);

    const QString pdf = QDir(folder).filePath("bench-engine.pdf");
    t.restart();
    ExportPdf(*report, pdf);
    std::printf("%-44s %9.0f ms  (%lld kB)\n", "engine PDF export (ExportPdf, PaintPage)", Ms(t),
                QFileInfo(pdf).size() / 1024);

    const QString bare = QDir(folder).filePath("bench-bare.pdf");
    t.restart();
    BareLoop(*report, bare, false);
    std::printf("%-44s %9.0f ms  (%lld kB)\n", "bare QPdfWriter loop, same text runs", Ms(t),
                QFileInfo(bare).size() / 1024);
    t.restart();
    BareLoop(*report, bare, true);
    std::printf("%-44s %9.0f ms\n", "bare QPdfWriter loop, text runs and lines", Ms(t));

    const QString saved = QDir(folder).filePath("bench.vps");
    t.restart();
    PreparedReportFile::Save(*report, saved);
    std::printf("%-44s %9.0f ms  (%lld kB)\n", "save prepared report", Ms(t), QFileInfo(saved).size() / 1024);
    t.restart();
    const PreparedReport loaded = PreparedReportFile::Load(saved);
    std::printf("%-44s %9.0f ms  (%s)\n", "load prepared report", Ms(t), loaded == *report ? "identical" : "DIFFERS");
    t.restart();
    for (int i = 0; i < 20; ++i)
        RenderPageImage(report->pages[size_t(i)], 96);
    std::printf("%-44s %9.1f ms\n", "one page to a 96 dpi QImage (mean of 20)", Ms(t) / 20);
    return 0;
}
