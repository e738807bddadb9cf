#include "order/Settings.h"

#include "common/Clock.h"
#include "order/IniFile.h"

#include <QDir>

namespace {

const QString kSection = QStringLiteral("Udaje");
const QString kAboSection = QStringLiteral("GenerovaniABO");
const QString kAboCommentsKey = QStringLiteral("PripojovatKomentare");

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
    const auto year = ini.Value(kSection, QStringLiteral("AktualniRok"));
    const auto yearNumber = year ? IniFile::ParseInt(*year) : std::nullopt;
    s.AktualniRok = yearNumber ? *yearNumber : Clock::Today().year();

    auto text = [&](const char* key, const QString& fallback) {
        return ini.Value(kSection, QLatin1String(key)).value_or(fallback);
    };
    s.NazevBanky = text("NazevBanky", QString());
    s.Adresa = text("Adresa", QString());
    s.CisloUctu = text("CisloUctu", QString());
    s.SmerovyKod = text("SmerovyKod", QString());
    s.NazevKlienta = text("NazevKlienta", QString());
    s.CisloKlienta = text("CisloKlienta", QStringLiteral("0000000000"));
    s.Mena = text("Mena", QStringLiteral("Kč"));

    EnsureYearFolder(s);
    return s;
}

void SaveSettings(const Settings& settings) {
    const QString path = SettingsFilePath(settings);
    IniFile::Write(path, kSection, QStringLiteral("AktualniRok"), QString::number(settings.AktualniRok));
    IniFile::Write(path, kSection, QStringLiteral("NazevBanky"), settings.NazevBanky);
    IniFile::Write(path, kSection, QStringLiteral("Adresa"), settings.Adresa);
    IniFile::Write(path, kSection, QStringLiteral("CisloUctu"), settings.CisloUctu);
    IniFile::Write(path, kSection, QStringLiteral("SmerovyKod"), settings.SmerovyKod);
    IniFile::Write(path, kSection, QStringLiteral("NazevKlienta"), settings.NazevKlienta);
    IniFile::Write(path, kSection, QStringLiteral("CisloKlienta"), settings.CisloKlienta);
    IniFile::Write(path, kSection, QStringLiteral("Mena"), settings.Mena);
}

void EnsureYearFolder(const Settings& settings) {
    QDir().mkpath(YearFolder(settings));
}

bool ReadAboCommentsOption(const Settings& settings) {
    const auto value = IniFile::Read(SettingsFilePath(settings), kAboSection, kAboCommentsKey);
    const auto number = value ? IniFile::ParseInt(*value) : std::nullopt;
    return number && *number != 0;
}

void WriteAboCommentsOption(const Settings& settings, bool on) {
    IniFile::Write(SettingsFilePath(settings), kAboSection, kAboCommentsKey,
                   on ? QStringLiteral("1") : QStringLiteral("0"));
}
