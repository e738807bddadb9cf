#include "abo/AboProfile.h"

#include "common/CzechFormat.h"
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
    const QStringList parts = ReadSettingsKey(settings, SettingsKeys::AboDayCount)
                                  .value_or(QString())
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2 || CzechFormat::ParseDate(parts[0]) != day)
        return 0;
    const std::optional<int> count = IniFile::ParseInt(parts[1]);
    return count ? qBound(0, *count, 999) : 0;
}

void RecordAboFileExported(const Settings& settings, const QDate& day, int fileNumber) {
    const int count = qMax(AboFilesExportedOn(settings, day), fileNumber);
    WriteSettingsKey(settings, SettingsKeys::AboDayCount,
                     CzechFormat::FormatDate(day) + QLatin1Char(' ') + QString::number(count));
}
