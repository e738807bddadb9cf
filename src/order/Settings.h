#pragma once

#include "order/PaymentOrder.h"

#include <QString>

inline constexpr auto kSettingsFileName = "Velorin.ini";

// The settings of the run; one field per key of section "Udaje".
struct Settings {
    int AktualniRok = 0;
    QString NazevBanky;
    QString Adresa;
    QString CisloUctu;
    QString SmerovyKod;
    QString NazevKlienta;
    QString CisloKlienta = QStringLiteral("0000000000");
    QString Mena = QStringLiteral("Kč");
    QString ProgramFolder; // ends with "/"

    PayerBank payerBank() const;
    void setPayerBank(const PayerBank& bank);
};

QString SettingsFilePath(const Settings& settings);
// ProgramFolder followed by the year's digits, no trailing separator.
QString YearFolder(const Settings& settings);

// Reads the settings file in programFolder (ending in "/") with the defaults for missing keys,
// then runs EnsureYearFolder. Writes nothing. A file that is there but cannot be read gives the
// defaults as well; problem, when given, then holds the message for the user, naming the file.
Settings LoadSettings(const QString& programFolder, QString* problem = nullptr);
// Writes all eight "Udaje" keys in their order; throws VelorinError on the first failed write.
void SaveSettings(const Settings& settings);
// Creates the year folder with its parents when missing; a failure is not reported.
void EnsureYearFolder(const Settings& settings);

// The ABO dialog's option, section "GenerovaniABO", key "PripojovatKomentare".
bool ReadAboCommentsOption(const Settings& settings);
void WriteAboCommentsOption(const Settings& settings, bool on);
