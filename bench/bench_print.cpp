// Prints the overview of a year of 10,000 generated orders (160,000 rows, about 4,300 pages) to
// PDF through the program: "Sestavy", its print command, the preview's "Tisk" with a PDF file as
// the printer. Beside it, as the baseline, a bare QPdfWriter loop draws the same text runs from
// the same rows. Each run is a child process of its own, so that each peak is its own; the
// children take turns. Prints peak memory, time and the memory left once the windows are closed.
// Run: QT_QPA_PLATFORM=offscreen ./bench_print [runs] [files] [folder]
//
// What the engine holds: of a report of more than 50 pages, only where each page begins (the
// master row it starts with, a few bytes a page): a first pass counts the pages, laying out only
// the boxes that set a band's height, and a page is composed again when it is drawn, found or
// saved. As objects a page of this list is some 240 text runs and 54 kB, 235 MB for 4,325 pages;
// packed, as a read .vps keeps them, 4.4 kB. Texts its boxes cut are drawn under one clip path
// per group of them, not one each; texts of digits and signs are measured from their characters
// (exactly what shaping gives); the progress window is repainted a few times a second, not at
// every page. What is left above the bare loop: the overview window's own rows (9 MB before the
// print), the preview, and composing each page (measuring and placing its texts).

#include "YearOfOrders.h"
#include "common/DialogHook.h"
#include "order/OrderFile.h"
#include "order/Settings.h"
#include "overview/OverviewLayout.h"
#include "overview/OverviewTable.h"
#include "overview/Sestavy_f.h"
#include "report/Nahled_f.h"
#include "report/ReportDialogs.h"
#include "report/TextMetrics.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long StatusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct Figures {
    double ms = 0;
    long peakKb = 0;   // VmHWM at the end: the child's whole life
    long beforeKb = 0; // VmRSS with the rows loaded, before the print
    long afterKb = 0;  // VmRSS once the windows are closed (the engine) or the writer is gone
    long startKb = 0;  // VmRSS before the rows are loaded
    long pdfKb = 0;
};

void Report(const Figures& f) {
    std::printf("RESULT %.1f %ld %ld %ld %ld %ld\n", f.ms, f.peakKb, f.beforeKb, f.afterKb, f.startKb, f.pdfKb);
}

// Through the program: the overview window, its print command, the preview's print to a PDF file.
int EngineChild(const QString& programFolder, const QString& pdf) {
    const SeamGuard scripted = DialogHook::Activate();
    const SeamGuard print = ReportDialogs::SetPrintHook([&](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    Figures f;
    f.startKb = StatusKb("VmRSS:");
    Settings settings;
    settings.AktualniRok = 2026;
    settings.ProgramFolder = programFolder;
    auto* window = new TSestavy(settings);
    f.beforeKb = StatusKb("VmRSS:");
    // The preview is modal: once it shows, print and close it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* preview = qobject_cast<TNahled*>(QApplication::activeModalWidget())) {
            poll.stop();
            preview->findChild<QAction*>(QStringLiteral("TB_Tisk"))->trigger();
            preview->accept();
        }
    });
    poll.start(5);
    QElapsedTimer t;
    t.start();
    window->TB_TiskClick();
    f.ms = double(t.nsecsElapsed()) / 1e6;
    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.afterKb = StatusKb("VmRSS:");
    f.peakKb = StatusKb("VmHWM:");
    f.pdfKb = QFileInfo(pdf).size() / 1024;
    Report(f);
    return 0;
}

// What any print of these rows must at least do: the same text runs, drawn straight onto a
// writer from the same rows, one page after another.
int BareChild(const QString& programFolder, const QString& pdf) {
    Figures f;
    f.startKb = StatusKb("VmRSS:");
    const QString folder = programFolder + QStringLiteral("2026");
    OverviewTable table;
    QStringList problems;
    table.Load(folder, OrderFile::ListOrderFiles(folder), problems);
    f.beforeKb = StatusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        const double k = 1200 / 25.4;
        const ReportFont plain{QStringLiteral("Times New Roman"), 10, false, false};
        ReportFont bold = plain, italic = plain, title = plain;
        bold.bold = true;
        italic.italic = true;
        title.pointSize = 14;
        auto font = [&](const ReportFont& rf) { painter.setFont(TextMetrics::MakeFont(rf)); };
        auto text = [&](double xMm, double yMm, const QString& s) { painter.drawText(QPointF(xMm, yMm) * k, s); };
        const double xs[] = {12, 29, 57, 68, 90, 111};
        const char* heads[] = {"Datum", "Číslo účtu", "Kód", "Částka v", "Kč", "Označení", "příkazu", "Poznámka"};
        const double hx[] = {14, 34, 58, 70, 74, 92, 92, 142};
        const double hy[] = {15, 15, 15, 15, 19, 15, 19, 15};
        const int rows = table.rowCount();
        int row = 0, page = 0;
        while (row < rows || page == 0) {
            if (page > 0)
                writer.newPage();
            ++page;
            double y = 10;
            if (page == 1) {
                font(title);
                text(11, 16, QStringLiteral("Přehled příkazů"));
                y += 8;
            }
            font(bold);
            for (int i = 0; i < 8; ++i)
                text(hx[i], hy[i] + y - 10, QString::fromUtf8(heads[i]));
            y += 10;
            font(plain);
            for (; row < rows && y + 7 <= 281; ++row, y += 7)
                for (int c = 0; c < OverviewTable::kColumns; ++c)
                    text(xs[c], y + 5, table.cell(row, c));
            if (row == rows) {
                font(bold);
                text(12, y + 5, QStringLiteral("Celkem k platbě :   123456789,00 Kč"));
            }
            font(italic);
            text(11, 286, QStringLiteral("10.12.2026 8:00:00"));
            text(180, 286, QStringLiteral("Strana: %1").arg(page));
        }
    }
    f.ms = double(t.nsecsElapsed()) / 1e6;
    f.afterKb = StatusKb("VmRSS:");
    f.peakKb = StatusKb("VmHWM:");
    f.pdfKb = QFileInfo(pdf).size() / 1024;
    Report(f);
    return 0;
}

std::optional<Figures> RunChild(const QString& mode, const QString& programFolder, const QString& pdf) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {mode, programFolder, pdf});
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        return std::nullopt;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("RESULT "))
            continue;
        const QList<QByteArray> v = line.mid(7).split(' ');
        if (v.size() < 6)
            break;
        return Figures{v[0].toDouble(), v[1].toLong(), v[2].toLong(), v[3].toLong(), v[4].toLong(), v[5].toLong()};
    }
    return std::nullopt;
}

double Mb(long kb) {
    return double(kb) / 1024.0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--engine"))
        return EngineChild(args[2], args[3]);
    if (args.size() == 4 && args[1] == QLatin1String("--bare"))
        return BareChild(args[2], args[3]);

    const int runs = args.size() > 1 ? args[1].toInt() : 3;
    const int files = args.size() > 2 ? args[2].toInt() : 10000;
    QTemporaryDir tmp;
    const QString programFolder = (args.size() > 3 ? args[3] : tmp.path()) + QLatin1Char('/');
    const QString folder = programFolder + QStringLiteral("2026");
    if (OrderFile::ListOrderFiles(folder).size() != files) {
        QDir(folder).removeRecursively();
        GenerateYearOfOrders(folder, files);
        std::printf("generated %d files in %s\n", files, qPrintable(folder));
    }
    const QString pdf = QDir(tmp.path()).filePath(QStringLiteral("prehled.pdf"));
    std::printf("%-8s %4s %10s %10s %10s %10s %10s %9s\n", "", "run", "time ms", "peak MB", "start MB", "before MB",
                "after MB", "PDF kB");
    std::vector<double> ratioPeak, ratioTime, back;
    for (int run = 1; run <= runs; ++run) {
        const std::optional<Figures> bare = RunChild(QStringLiteral("--bare"), programFolder, pdf);
        const std::optional<Figures> engine = RunChild(QStringLiteral("--engine"), programFolder, pdf);
        if (!bare || !engine) {
            std::printf("run %d failed\n", run);
            return 1;
        }
        for (const auto& [name, f] : {std::pair{"bare", *bare}, std::pair{"engine", *engine}})
            std::printf("%-8s %4d %10.0f %10.1f %10.1f %10.1f %10.1f %9ld\n", name, run, f.ms, Mb(f.peakKb),
                        Mb(f.startKb), Mb(f.beforeKb), Mb(f.afterKb), f.pdfKb);
        ratioPeak.push_back(double(engine->peakKb) / double(bare->peakKb));
        ratioTime.push_back(engine->ms / bare->ms);
        back.push_back(double(engine->afterKb) / double(engine->beforeKb));
        std::printf("         ratios: peak %.2f (<= 1.5), time %.2f (<= 1.3), after close / before print %.2f "
                    "(<= 1.1)\n",
                    ratioPeak.back(), ratioTime.back(), back.back());
    }
    std::printf("median of %d runs: peak %.2f (<= 1.5), time %.2f (<= 1.3), after close / before print %.2f (<= 1.1)\n",
                runs, Median(ratioPeak), Median(ratioTime), Median(back));
    return 0;
}
