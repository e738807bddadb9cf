#include "abo/AboProfile.h"

#include "order/IniFile.h"

#include <array>

namespace {

// clang-format off
constexpr std::array<AboBankProfile, 4> kProfiles{{
    // id            name               marker bank+KS branch  "2" spaces ascii  number per day
    {"Standardni",  "Standardní",      "",    10,     "001",  2,         false, false},
    {"Fio",         "Fio banka",       "AV:", 8,      "000",  2,         false, true},
    {"CSOB",        "ČSOB",            "",    10,     "001",  1,         false, true},
    {"KB",          "Komerční banka",  "AV:", 8,      "001",  2,         true,  true},
}};
// clang-format on

} // namespace

std::span<const AboBankProfile> AboBankProfiles() {
    return kProfiles;
}

const AboBankProfile& StandardAboProfile() {
    return kProfiles.front();
}

const AboBankProfile& AboProfileById(const QString& id) {
    for (const AboBankProfile& profile : kProfiles) {
        if (id.compare(QLatin1String(profile.id), Qt::CaseInsensitive) == 0)
            return profile;
    }
    return StandardAboProfile();
}

const AboBankProfile& ReadAboProfile(const Settings& settings) {
    return AboProfileById(ReadSettingsKey(settings, SettingsKeys::AboProfile)
                              .value_or(QString::fromUtf8(SettingsKeys::AboProfile.fallback)));
}

void WriteAboProfile(const Settings& settings, const AboBankProfile& profile) {
    WriteSettingsKey(settings, SettingsKeys::AboProfile, QLatin1String(profile.id));
}

std::optional<bool> ReadAboAscii(const Settings& settings) {
    const auto value = ReadSettingsKey(settings, SettingsKeys::AboAscii);
    const auto number = value ? IniFile::ParseInt(*value) : std::nullopt;
    if (!number)
        return std::nullopt;
    return *number != 0;
}

void WriteAboAscii(const Settings& settings, bool on) {
    WriteSettingsKey(settings, SettingsKeys::AboAscii, on ? QStringLiteral("1") : QStringLiteral("0"));
}

int AboFilesExportedOn(const Settings& settings, const QDate& day) {
    return ReadDayCount(settings, SettingsKeys::AboDayCount, day);
}

void RecordAboFileExported(const Settings& settings, const QDate& day, int fileNumber) {
    WriteDayCount(settings, SettingsKeys::AboDayCount, day, fileNumber);
}
