#include "order/Settings.h"

#include "common/Clock.h"
#include "common/CzechFormat.h"
#include "order/IniFile.h"

#include <QDir>
#include <array>

namespace {

struct TextField {
    const SettingsKey& key;
    QString Settings::*field;
};

// The text keys of "Udaje" in their file order (AktualniRok, a number, comes first).
const std::array<TextField, 7> kTextFields{{
    {SettingsKeys::NazevBanky, &Settings::NazevBanky},
    {SettingsKeys::Adresa, &Settings::Adresa},
    {SettingsKeys::CisloUctu, &Settings::CisloUctu},
    {SettingsKeys::SmerovyKod, &Settings::SmerovyKod},
    {SettingsKeys::NazevKlienta, &Settings::NazevKlienta},
    {SettingsKeys::CisloKlienta, &Settings::CisloKlienta},
    {SettingsKeys::Mena, &Settings::Mena},
}};

QString Section(const SettingsKey& key) {
    return QString::fromUtf8(key.section);
}

QString Name(const SettingsKey& key) {
    return QString::fromUtf8(key.key);
}

} // namespace

PayerBank Settings::payerBank() const {
    return PayerBank{NazevBanky, Adresa, CisloUctu, SmerovyKod};
}

void Settings::setPayerBank(const PayerBank& bank) {
    NazevBanky = bank.NazevBanky;
    Adresa = bank.Adresa;
    CisloUctu = bank.CisloUctu;
    SmerovyKod = bank.SmerovyKod;
}

QString SettingsFilePath(const Settings& settings) {
    return settings.ProgramFolder + QLatin1String(kSettingsFileName);
}

QString YearFolder(const Settings& settings) {
    return settings.ProgramFolder + QString::number(settings.AktualniRok);
}

Settings LoadSettings(const QString& programFolder, QString* problem) {
    Settings s;
    s.ProgramFolder = programFolder;
    if (!s.ProgramFolder.isEmpty() && !s.ProgramFolder.endsWith(QLatin1Char('/')))
        s.ProgramFolder += QLatin1Char('/');
    const QString path = SettingsFilePath(s);

    // Read once: a file read per key is slow when the file is large.
    QString unreadable;
    const IniFile::Contents ini = IniFile::Contents::Load(path, &unreadable);
    if (problem && !unreadable.isEmpty())
        *problem =
            unreadable + QStringLiteral(".\r\nProgram pokračuje s výchozím nastavením; soubor zůstává beze změny.");
    const auto year = ini.Value(Section(SettingsKeys::AktualniRok), Name(SettingsKeys::AktualniRok));
    const auto yearNumber = year ? IniFile::ParseInt(*year) : std::nullopt;
    s.AktualniRok = yearNumber ? *yearNumber : Clock::Today().year();
    for (const TextField& f : kTextFields)
        s.*f.field = ini.Value(Section(f.key), Name(f.key)).value_or(QString::fromUtf8(f.key.fallback));

    EnsureYearFolder(s);
    return s;
}

void SaveSettings(const Settings& settings) {
    WriteSettingsKey(settings, SettingsKeys::AktualniRok, QString::number(settings.AktualniRok));
    for (const TextField& f : kTextFields)
        WriteSettingsKey(settings, f.key, settings.*f.field);
}

void EnsureYearFolder(const Settings& settings) {
    QDir().mkpath(YearFolder(settings));
}

std::optional<QString> ReadSettingsKey(const Settings& settings, const SettingsKey& key) {
    return IniFile::Read(SettingsFilePath(settings), Section(key), Name(key));
}

void WriteSettingsKey(const Settings& settings, const SettingsKey& key, const QString& value) {
    IniFile::Write(SettingsFilePath(settings), Section(key), Name(key), value);
}

int ReadDayCount(const Settings& settings, const SettingsKey& key, const QDate& day) {
    const QStringList parts =
        ReadSettingsKey(settings, key).value_or(QString()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2 || CzechFormat::ParseDate(parts[0]) != day)
        return 0;
    const std::optional<int> count = IniFile::ParseInt(parts[1]);
    return count ? qBound(0, *count, 999) : 0;
}

void WriteDayCount(const Settings& settings, const SettingsKey& key, const QDate& day, int number) {
    const int count = qMax(ReadDayCount(settings, key, day), number);
    WriteSettingsKey(settings, key, CzechFormat::FormatDate(day) + QLatin1Char(' ') + QString::number(count));
}

bool ReadAboCommentsOption(const Settings& settings) {
    const auto value = ReadSettingsKey(settings, SettingsKeys::AboComments);
    const auto number = value ? IniFile::ParseInt(*value) : std::nullopt;
    return number && *number != 0;
}

void WriteAboCommentsOption(const Settings& settings, bool on) {
    WriteSettingsKey(settings, SettingsKeys::AboComments, on ? QStringLiteral("1") : QStringLiteral("0"));
}
