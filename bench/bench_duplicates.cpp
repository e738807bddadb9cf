// Times the year index of the same-payment warning on 10,000 generated orders beside the open-order
// dialog's listing of the same folder, in several rounds of the same run, and the check made at
// each key the user types in the item editor.
// Run: QT_QPA_PLATFORM=offscreen ./bench_duplicates [files] [rounds] [program folder, kept for the next run]

#include "app/Otevrit_f.h"
#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/DialogHook.h"
#include "common/TextFile.h"
#include "order/DuplicateIndex.h"
#include "order/OrderFile.h"
#include "order/Settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// Orders of 16 items as the overview's benchmark makes them: a year of monthly payments.
void Generate(const QString& folder, int files) {
    QDir().mkpath(folder);
    QRandomGenerator rng(2026);
    const char* codes[] = {"0100", "0300", "0600", "0800", "2010", "2700", "3030", "5500", "6210", "0710"};
    for (int f = 0; f < files; ++f) {
        QStringList lines{QStringLiteral("Komerční banka"), QStringLiteral("Na Příkopě 33"),
                          QStringLiteral("19-2000145399"), QStringLiteral("0100"),
                          QStringLiteral("%1.%2.2026").arg(f % 28 + 1).arg(f / 834 + 1)};
        for (int i = 0; i < 16; ++i) {
            const quint32 r = rng.generate();
            const QString account = QStringLiteral("%1-%2").arg(r % 100).arg(1000000000u + r % 899999999u);
            const QString amount = QStringLiteral("%1,%2").arg(r % 250000).arg(r % 100, 2, 10, QLatin1Char('0'));
            lines << QStringLiteral("%1|%2|%3|%4|%5||Úhrada faktury|")
                         .arg(account, QLatin1String(codes[(r >> 8) % 10]), amount)
                         .arg(r % 9999999)
                         .arg(r % 2 ? QStringLiteral("0308") : QString());
        }
        TextFile::WriteLines(folder + QStringLiteral("/2026%1.ppu").arg(f + 1, 5, 10, QLatin1Char('0')), lines);
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir tmp;
    const QString programFolder = (argc > 3 ? QString::fromLocal8Bit(argv[3]) : tmp.path()) + QLatin1Char('/');
    const QString folder = programFolder + QStringLiteral("2026");
    if (OrderFile::ListOrderFiles(folder).size() != files) {
        QDir(folder).removeRecursively();
        QElapsedTimer made;
        made.start();
        Generate(folder, files);
        std::printf("generated %d files in %.0f ms\n", files, Ms(made));
    }
    const SeamGuard scripted = DialogHook::Activate();

    Settings settings;
    settings.AktualniRok = 2026;
    settings.ProgramFolder = programFolder;
    { TOtevrit warm(settings); } // the page cache, for both alike

    std::vector<double> dialogMs, indexMs, ratios;
    DuplicateIndex index;
    for (int round = 0; round < rounds; ++round) {
        // Which goes first alternates, so that neither always finds the other's cache.
        for (int k = 0; k < 2; ++k) {
            QElapsedTimer t;
            t.start();
            if ((round + k) % 2 == 0) {
                TOtevrit dialog(settings);
                dialogMs.push_back(Ms(t));
            } else {
                index.Build(folder);
                indexMs.push_back(Ms(t));
            }
        }
        ratios.push_back(indexMs.back() / dialogMs.back());
        std::printf("round %d: open-order dialog filled %8.1f ms   year index built %8.1f ms   ratio %.2f\n", round + 1,
                    dialogMs.back(), indexMs.back(), ratios.back());
    }
    std::printf("median: dialog %.1f ms, index %.1f ms, ratio %.2f (worst %.2f; limit 1.20)\n", Median(dialogMs),
                Median(indexMs), Median(ratios), *std::max_element(ratios.begin(), ratios.end()));

    // The editor's check line at each key: the typed item against the order and the year.
    PaymentOrder order = OrderFile::Load(folder + QStringLiteral("/202600001.ppu"));
    order.FilePath = folder + QStringLiteral("/2026%1.ppu").arg(files + 1, 5, 10, QLatin1Char('0'));
    const PaymentOrder other =
        OrderFile::Load(folder + QStringLiteral("/2026%1.ppu").arg(files / 2, 5, 10, QLatin1Char('0')));
    OrderItem typed = other.Items[3];
    const BankRegister& banks = BankRegister::BuiltIn();
    const int checks = 20000;
    int warned = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < checks; ++i) {
        // Every other key makes the symbol that of the stored item again.
        typed.VariableSymbol = i % 2 ? other.Items[3].VariableSymbol : QString::number(i);
        if (DescribePayment(typed, banks, {&order, 5, &index}).Text.contains(QStringLiteral("Stejná platba")))
            ++warned;
    }
    const double perCheck = Ms(t) * 1000.0 / checks;
    std::printf("check per keystroke: %.1f us (%d of %d found the same payment; limit 1000 us)\n", perCheck, warned,
                checks);
    return 0;
}
