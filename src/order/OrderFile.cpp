#include "order/OrderFile.h"

#include "common/CzechFormat.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "order/StaleTempFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <limits>

namespace {

const char* const kColumnNames[] = {"Ve prospěch účtu číslo", "Směrový kód",       "Částka",  "Variabilní symbol",
                                    "Konstantní symbol",      "Specifický symbol", "Komentář"};

void Check(const QString& text, const QString& where) {
    QString problem = FieldProblem(text);
    if (problem.isEmpty())
        return;
    problem[0] = problem.at(0).toLower();
    throw VelorinError(QStringLiteral("%1: %2").arg(where, problem));
}

// Digits only and small enough for 64 bits; the numbers the program gives its files.
std::optional<quint64> FileNumber(const QString& fileName) {
    const QString base = fileName.chopped(4);
    if (base.isEmpty())
        return std::nullopt;
    for (const QChar c : base) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const quint64 value = base.toULongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

namespace OrderFile {

QStringList BuildLines(const PaymentOrder& order) {
    const PayerBank& bank = order.Bank;
    Check(bank.NazevBanky, QStringLiteral("Hlavička příkazu, pole Název banky"));
    Check(bank.Adresa, QStringLiteral("Hlavička příkazu, pole Pobočka - ulice"));
    Check(bank.CisloUctu, QStringLiteral("Hlavička příkazu, pole Číslo účtu"));
    Check(bank.SmerovyKod, QStringLiteral("Hlavička příkazu, pole Směrový kód"));
    Check(order.OrderDate, QStringLiteral("Datum příkazu"));

    QStringList lines{bank.NazevBanky, bank.Adresa, bank.CisloUctu, bank.SmerovyKod, order.OrderDate};
    for (int r = 0; r < kItemCount; ++r) {
        const OrderItem& item = order.Items[std::size_t(r)];
        for (int c = 0; c <= kGridColumns; ++c)
            Check(item.field(c),
                  QStringLiteral("Řádek %1, pole %2").arg(r + 1).arg(QString::fromUtf8(kColumnNames[c])));
        lines.append(RowText(item));
    }
    return lines;
}

void Save(const PaymentOrder& order, const QString& path) {
    QStringList lines;
    try {
        lines = BuildLines(order);
    } catch (const VelorinError& e) {
        throw VelorinError(
            QStringLiteral("Příkaz nelze uložit do souboru %1. %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    TextFile::WriteLines(path, lines);
}

PaymentOrder Load(const QString& path, qsizetype* extraLines) {
    const QStringList lines = TextFile::ReadLines(path);
    if (lines.size() < kLineCount) {
        throw VelorinError(QStringLiteral("Soubor příkazu %1 nelze načíst: má jen %2 (potřeba je %3).")
                               .arg(QDir::toNativeSeparators(path),
                                    CzechFormat::CountOf(lines.size(), QStringLiteral("řádek"), QStringLiteral("řádky"),
                                                         QStringLiteral("řádků")))
                               .arg(kLineCount));
    }
    PaymentOrder order;
    order.Bank = PayerBank{lines.at(0), lines.at(1), lines.at(2), lines.at(3)};
    order.OrderDate = lines.at(4);
    for (int r = 0; r < kItemCount; ++r)
        ReadRowText(lines.at(5 + r), order.Items[std::size_t(r)]);
    order.FilePath = path;
    order.Total = order.ComputeTotal().total;
    if (extraLines) {
        qsizetype end = lines.size();
        while (end > kLineCount && lines.at(end - 1).trimmed().isEmpty())
            --end;
        *extraLines = end - kLineCount;
    }
    return order;
}

QStringList ListOrderFiles(const QString& folder, const std::function<void()>& idle) {
    RemoveStaleTempFiles(folder, QDateTime::currentDateTimeUtc());
    QStringList names;
    QDirIterator it(folder, {QStringLiteral("*.ppu")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
        if (idle)
            idle();
    }
    // File-system order differs between systems; the names order them as the folder listing did.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString NextOrderFileName(const QString& folder, int year, const std::function<void()>& idle) {
    const QStringList names = ListOrderFiles(folder, idle);
    if (names.isEmpty())
        return QString::number(year) + QStringLiteral("001.ppu");

    // The highest number, not the last name: names of unequal length do not sort by value.
    std::optional<quint64> highest;
    for (const QString& name : names) {
        const auto number = FileNumber(name);
        if (number && (!highest || *number > *highest))
            highest = number;
    }
    if (!highest) {
        throw VelorinError(QStringLiteral("Nelze určit název nového příkazu: název souboru %1 není číslo.")
                               .arg(QDir::toNativeSeparators(QDir(folder).filePath(names.last()))));
    }

    // Anything already in the folder (also hidden files and folders) blocks a name.
    QSet<QString> taken;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        taken.insert(entry.toLower());

    quint64 number = *highest;
    for (;;) {
        if (number == std::numeric_limits<quint64>::max()) {
            throw VelorinError(QStringLiteral("Nelze určit název nového příkazu ve složce %1: čísla souborů došla.")
                                   .arg(QDir::toNativeSeparators(folder)));
        }
        ++number;
        const QString name = QString::number(number) + QStringLiteral(".ppu");
        if (!taken.contains(name.toLower()))
            return name;
    }
}

} // namespace OrderFile
