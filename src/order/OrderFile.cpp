#include "order/OrderFile.h"

#include "common/CzechFormat.h"
#include "common/Error.h"
#include "common/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
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

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void NoNumbersLeft(const QString& folder) {
    throw VelorinError(
        QStringLiteral("Nelze určit název nového příkazu ve složce %1: čísla souborů došla.").arg(Shown(folder)));
}

// A folder that may not be read lists as empty, and a new order would be named as if it were. A
// missing folder (or a file in its place) is left to the write, whose message names the file.
void RequireReadable(const QString& folder) {
    if (DIR* dir = ::opendir(QFile::encodeName(folder).constData())) {
        ::closedir(dir);
        return;
    }
    const int error = errno;
    if (error != ENOENT && error != ENOTDIR)
        throw VelorinError(QStringLiteral("Složku %1 nelze přečíst: %2").arg(Shown(folder), qt_error_string(error)));
}

QStringList LinesToSave(const PaymentOrder& order, const QString& path) {
    try {
        return OrderFile::BuildLines(order);
    } catch (const VelorinError& e) {
        throw VelorinError(QStringLiteral("Příkaz nelze uložit do souboru %1. %2").arg(Shown(path), e.message()));
    }
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
    TextFile::WriteLines(path, LinesToSave(order, path));
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
    RequireReadable(folder);
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
        if (number == std::numeric_limits<quint64>::max())
            NoNumbersLeft(folder);
        ++number;
        const QString name = QString::number(number) + QStringLiteral(".ppu");
        if (!taken.contains(name.toLower()))
            return name;
    }
}

QString CreateNew(const PaymentOrder& order, const QString& folder, int year, const std::function<void()>& idle) {
    const QString first = NextOrderFileName(folder, year, idle);
    const QStringList lines = LinesToSave(order, QDir(folder).filePath(first));
    quint64 number = FileNumber(first).value_or(0);
    QString name = first;
    // Each taken name was taken after the listing; a hundred of them in a row is no race any more.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = QDir(folder).filePath(name);
        if (TextFile::CreateLines(path, lines))
            return path;
        if (number == std::numeric_limits<quint64>::max())
            NoNumbersLeft(folder);
        name = QString::number(++number) + QStringLiteral(".ppu");
    }
    throw VelorinError(QStringLiteral("Nový příkaz nelze uložit do složky %1: soubory %2 až %3 už existují.")
                           .arg(Shown(folder), first, QString::number(number - 1) + QStringLiteral(".ppu")));
}

} // namespace OrderFile
