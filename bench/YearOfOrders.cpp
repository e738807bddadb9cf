#include "YearOfOrders.h"

#include "common/TextFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>

void GenerateYearOfOrders(const QString& folder, int files) {
    QDir().mkpath(folder);
    QRandomGenerator rng(2026);
    const char* codes[] = {"0100", "0300", "0600", "0800", "2010", "2700", "3030", "5500", "6210", "0710"};
    const char* comments[] = {"Nájem kanceláře",
                              "Elektřina – záloha",
                              "Služby podle smlouvy č. 42",
                              "Úhrada faktury",
                              "Pojištění vozidel",
                              "Telefon a internet",
                              "Účetní služby",
                              "Školení řidičů",
                              "Drobný materiál",
                              ""};
    for (int f = 0; f < files; ++f) {
        QStringList lines{QStringLiteral("Komerční banka"), QStringLiteral("Na Příkopě 33"),
                          QStringLiteral("19-2000145399"), QStringLiteral("0100"),
                          QStringLiteral("%1.%2.2026").arg(f % 28 + 1).arg(f / 834 + 1)};
        for (int i = 0; i < 16; ++i) {
            const quint32 r = rng.generate();
            const QString account = QStringLiteral("%1-%2").arg(r % 100).arg(1000000000u + r % 899999999u);
            const QString amount = QStringLiteral("%1,%2").arg(r % 250000).arg(r % 100, 2, 10, QLatin1Char('0'));
            QString comment = QString::fromUtf8(comments[r % 10]);
            if ((f * 16 + i) % 100 == 7)
                comment = QStringLiteral("Vratka přeplatku %1").arg(f);
            lines << QStringLiteral("%1|%2|%3|%4|%5||%6|")
                         .arg(account, QLatin1String(codes[(r >> 8) % 10]), amount)
                         .arg(r % 9999999)
                         .arg(r % 2 ? QStringLiteral("0308") : QString(), comment);
        }
        TextFile::WriteLines(folder + QStringLiteral("/2026%1.ppu").arg(f + 1, 5, 10, QLatin1Char('0')), lines);
    }
}
