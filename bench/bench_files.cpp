// Loading a settings file with one 10 MB line, and saving an order. Baselines measured in the same
// run: the settings read once per key (as the loader did before), and the save without the flushes
// to disk (a bare QFile write of the same bytes).
// Run: ./bench_files [folder] (the folder decides which disk the saves go to)

#include "order/IniFile.h"
#include "order/OrderFile.h"
#include "order/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    const QString ini = dir.filePath(QLatin1String(kSettingsFileName));
    {
        QFile f(ini);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write("[Udaje]\r\nAktualniRok=2026\r\nPoznamka=" + QByteArray(10'000'000, 'x') + "\r\nMena=Kc\r\n");
    }
    QElapsedTimer t;
    t.start();
    const Settings s = LoadSettings(dir.path());
    const qint64 once = t.elapsed();
    t.restart();
    for (const char* key :
         {"AktualniRok", "NazevBanky", "Adresa", "CisloUctu", "SmerovyKod", "NazevKlienta", "CisloKlienta", "Mena"})
        IniFile::Read(ini, QStringLiteral("Udaje"), QLatin1String(key));
    const qint64 perKey = t.elapsed();
    std::printf("settings, 10 MB line: read once %lld ms, once per key (baseline) %lld ms, ratio %.1f\n",
                static_cast<long long>(once), static_cast<long long>(perKey),
                double(perKey) / double(qMax<qint64>(once, 1)));

    PaymentOrder order;
    order.Bank = s.payerBank();
    order.OrderDate = QStringLiteral("9.12.2026");
    for (OrderItem& item : order.Items) {
        item.Account = QStringLiteral("123456789");
        item.Amount = QStringLiteral("100,00");
    }
    const QString path = dir.filePath(QStringLiteral("2026001.ppu"));
    constexpr int saves = 100;
    t.restart();
    for (int i = 0; i < saves; ++i)
        OrderFile::Save(order, path);
    const double saveMs = double(t.nsecsElapsed()) / 1e6 / saves;
    QByteArray bytes = OrderFile::BuildLines(order).join(QStringLiteral("\r\n")).toLatin1();
    t.restart();
    for (int i = 0; i < saves; ++i) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    const double bareMs = double(t.nsecsElapsed()) / 1e6 / saves;
    std::printf("order save: %.3f ms each, bare unflushed write (baseline) %.3f ms, ratio %.1f\n", saveMs, bareMs,
                saveMs / qMax(bareMs, 0.001));
    return 0;
}
