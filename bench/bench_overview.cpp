// Generates a year folder of 10,000 order files of 16 items and times the overview and the
// open-order dialog on it, each beside a baseline measured in the same run.
// Run: QT_QPA_PLATFORM=offscreen ./bench_overview [files] [folder]

#include "YearOfOrders.h"
#include "app/Otevrit_f.h"
#include "common/Cp1250.h"
#include "common/DialogHook.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"
#include "order/Settings.h"
#include "overview/OverviewTable.h"
#include "overview/Sestavy_f.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

long PeakRssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// What any reader must at least do: read each file, decode it, cut lines and fields.
qsizetype BareLoop(const QString& folder, const QStringList& names) {
    qsizetype fields = 0;
    for (const QString& name : names) {
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = TextFile::SplitLines(Cp1250::Decode(file.readAll()));
        for (const QString& line : lines)
            fields += QStringView(line).split(QLatin1Char('|')).size();
    }
    return fields;
}

template <class F> double Best(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, Ms(t));
    }
    return best;
}

void Line(const char* what, double ms, const char* base, double baseMs, const char* limit) {
    std::printf("%-34s %9.1f ms   %-26s %9.1f ms   ratio %5.2f   (%s)\n", what, ms, base, baseMs, ms / baseMs, limit);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir tmp;
    const QString programFolder = (argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path()) + QLatin1Char('/');
    const QString folder = programFolder + QStringLiteral("2026");
    if (OrderFile::ListOrderFiles(folder).size() != files) {
        QDir(folder).removeRecursively();
        QElapsedTimer t;
        t.start();
        GenerateYearOfOrders(folder, files);
        std::printf("generated %d files in %s (%.0f ms)\n", files, qPrintable(folder), Ms(t));
    }
    const SeamGuard scripted = DialogHook::Activate();
    const long rssBefore = PeakRssKb();

    const QStringList names = OrderFile::ListOrderFiles(folder);
    BareLoop(folder, names); // warm the page cache
    const double bare = Best(3, [&] { BareLoop(folder, names); });

    OverviewTable table;
    const double open = Best(3, [&] {
        QStringList problems;
        table.Load(folder, OrderFile::ListOrderFiles(folder), problems);
        (void)table.total();
    });
    std::printf("rows: %d   total: %.2f\n", table.rowCount(), table.total().sum);
    Line("open (list + load + total)", open, "bare read-and-split loop", bare, "<= 2x, < 1 s");
    const long rssLoaded = PeakRssKb();

    Settings settings;
    settings.AktualniRok = 2026;
    settings.ProgramFolder = programFolder;
    const double window = Best(3, [&] { TSestavy w(settings); });
    Line("overview window opened", window, "bare read-and-split loop", bare, "for reference");

    // Sorts, each against std::sort of the same keys already parsed.
    std::vector<double> amounts;
    std::vector<qint64> dates;
    std::vector<std::string_view> texts;
    for (int r = 0; r < table.rowCount(); ++r) {
        amounts.push_back(std::strtod(table.cellBytes(r, 3).toByteArray().replace(',', '.').constData(), nullptr));
        dates.push_back(QDate::fromString(table.cell(r, 0), QStringLiteral("d.M.yyyy")).toJulianDay());
        const QByteArrayView cell = table.cellBytes(r, 5);
        texts.emplace_back(cell.data(), std::size_t(cell.size()));
    }
    auto sortOf = [&](int column) {
        double best = 1e300;
        for (int i = 0; i < 3; ++i) {
            OverviewTable copy = table;
            QElapsedTimer t;
            t.start();
            copy.Sort(column);
            best = std::min(best, Ms(t));
        }
        return best;
    };
    auto stdSort = [](auto keys) {
        double best = 1e300;
        for (int i = 0; i < 3; ++i) {
            auto copy = keys;
            QElapsedTimer t;
            t.start();
            std::sort(copy.begin(), copy.end());
            best = std::min(best, Ms(t));
        }
        return best;
    };
    Line("sort by amount", sortOf(3), "std::sort of the numbers", stdSort(amounts), "<= 3x");
    Line("sort by date", sortOf(0), "std::sort of the dates", stdSort(dates), "<= 3x");
    Line("sort by text (comment)", sortOf(5), "std::sort of the texts", stdSort(texts), "<= 3x");

    std::size_t matched = 0;
    const double filter = Best(3, [&] { matched = table.Matching(QStringLiteral("VRATKA"), 5).size(); });
    std::printf("%-34s %9.1f ms   (%zu of %d rows match; < 100 ms)\n", "filter by a text in 1 % of rows", filter,
                matched, table.rowCount());
    const double find = Best(3, [&] { (void)table.Find(QStringLiteral("nikde"), 5, 0, true, false, false); });
    std::printf("%-34s %9.1f ms   (< 100 ms)\n", "find-next over the whole table", find);
    std::printf("%-34s %9.1f MB   (peak RSS before loading %.1f MB; < 150 MB)\n", "peak RSS with the table loaded",
                rssLoaded / 1024.0, rssBefore / 1024.0);

    const double dialog = Best(3, [&] { TOtevrit d(settings); });
    Line("open-order dialog listing", dialog, "bare read-and-split loop", bare, "<= 2x");
    return 0;
}
