#pragma once

#include "order/PaymentOrder.h"

#include <QDate>
#include <QString>

#include <optional>

inline constexpr auto kSettingsFileName = "Velorin.ini";

// One key of the settings file: its section, its name and what a missing key stands for.
struct SettingsKey {
    const char* section;
    const char* key;
    const char* fallback;
};

// Every key the program reads or writes in the settings file, the "Udaje" ones in their file order.
namespace SettingsKeys {
// clang-format off
//                                            section          key                    missing
inline constexpr SettingsKey AktualniRok    {"Udaje",         "AktualniRok",         ""}; // this year
inline constexpr SettingsKey NazevBanky     {"Udaje",         "NazevBanky",          ""};
inline constexpr SettingsKey Adresa         {"Udaje",         "Adresa",              ""};
inline constexpr SettingsKey CisloUctu      {"Udaje",         "CisloUctu",           ""};
inline constexpr SettingsKey SmerovyKod     {"Udaje",         "SmerovyKod",          ""};
inline constexpr SettingsKey NazevKlienta   {"Udaje",         "NazevKlienta",        ""};
inline constexpr SettingsKey CisloKlienta   {"Udaje",         "CisloKlienta",        "0000000000"};
inline constexpr SettingsKey Mena           {"Udaje",         "Mena",                "Kč"};
inline constexpr SettingsKey AboComments    {"GenerovaniABO", "PripojovatKomentare", "0"};
inline constexpr SettingsKey AboProfile     {"GenerovaniABO", "FormatBanky",         "Standardni"};
inline constexpr SettingsKey AboAscii       {"GenerovaniABO", "BezDiakritiky",       ""}; // the profile's own
// "9.12.2026 2": the day and how many numbered files it has had, in one key so one write keeps them together.
inline constexpr SettingsKey AboDayCount    {"GenerovaniABO", "SouboryDne",          ""};
// The folder the last ABO or XML file was saved in: the bank upload's folder, where the next save starts.
inline constexpr SettingsKey ExportFolder   {"GenerovaniABO", "SlozkaUlozeni",       ""};
inline constexpr SettingsKey PainProfile    {"GenerovaniXML", "Profil",              ""}; // by Mena
inline constexpr SettingsKey PainDayCount   {"GenerovaniXML", "SouboryDne",          ""}; // as AboDayCount
// The read-only program folder whose orders the start has told of: told once per folder, not each run.
inline constexpr SettingsKey FilesElsewhereTold {"Upozorneni", "SlozkaProgramu",      ""};
// clang-format on
} // namespace SettingsKeys

// The settings of the run; one field per key of section "Udaje".
struct Settings {
    int AktualniRok = 0;
    QString NazevBanky;
    QString Adresa;
    QString CisloUctu;
    QString SmerovyKod;
    QString NazevKlienta;
    QString CisloKlienta = QString::fromUtf8(SettingsKeys::CisloKlienta.fallback);
    QString Mena = QString::fromUtf8(SettingsKeys::Mena.fallback);
    QString ProgramFolder; // ends with "/"

    PayerBank payerBank() const;
    void setPayerBank(const PayerBank& bank);
};

QString SettingsFilePath(const Settings& settings);
// ProgramFolder followed by the year's digits, no trailing separator.
QString YearFolder(const Settings& settings);

// Reads the settings file in programFolder (ending in "/") with the defaults for missing keys,
// then runs EnsureYearFolder, which may create the year folder; no file is written. A file that is there but cannot be
// read gives the defaults as well; problem, when given, then holds the message for the user, naming the file.
Settings LoadSettings(const QString& programFolder, QString* problem = nullptr);
// Writes all eight "Udaje" keys in their order; throws VelorinError on the first failed write.
void SaveSettings(const Settings& settings);
// Creates the year folder with its parents when missing; a failure is not reported.
void EnsureYearFolder(const Settings& settings);

// One key read from or written to the settings file; a read of a missing key gives std::nullopt.
// A write throws VelorinError naming the file.
std::optional<QString> ReadSettingsKey(const Settings& settings, const SettingsKey& key);
void WriteSettingsKey(const Settings& settings, const SettingsKey& key, const QString& value);

// A key of the form "9.12.2026 2": how many numbered files day has had; 0 when it is of another day.
int ReadDayCount(const Settings& settings, const SettingsKey& key, const QDate& day);
// Records that the file numbered number was made on day; the count never goes down within a day.
void WriteDayCount(const Settings& settings, const SettingsKey& key, const QDate& day, int number);

// The ABO dialog's option whether comments go into the file.
bool ReadAboCommentsOption(const Settings& settings);
void WriteAboCommentsOption(const Settings& settings, bool on);
