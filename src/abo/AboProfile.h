#pragma once

#include "order/Settings.h"

#include <QDate>
#include <QString>
#include <optional>
#include <span>

// How one bank wants its ABO files. The banks read the same records differently; a profile is one
// row of data that the writer and the reader apply, so a new bank needs no new code.
struct AboBankProfile {
    const char* id;      // the value stored in the settings file, ASCII
    const char* name;    // the caption in the export dialog, UTF-8
    const char* marker;  // put in front of a message for the payee; may be empty
    int bankSymbolWidth; // bank code + constant symbol: 10 ("00" in front) or 8
    const char* branch;  // the "ppp" digits of the accounting-file record
    int groupSpaces;     // spaces after "2" in the one-item group record
    bool ascii;          // what "Bez diakritiky" starts with when the profile is picked
    bool numberPerDay;   // files of one day numbered 001, 002, ... instead of always 001

    QString Name() const { return QString::fromUtf8(name); }
    QString Marker() const { return QString::fromLatin1(marker); }
    bool operator==(const AboBankProfile& other) const { return this == &other; }
};

// Every profile, the default first.
std::span<const AboBankProfile> AboBankProfiles();
const AboBankProfile& StandardAboProfile();
// The profile stored under id (case-insensitive); the default for an unknown or empty id.
const AboBankProfile& AboProfileById(const QString& id);

// What one export writes besides the order: the bank's profile and the dialog's options.
struct AboOptions {
    const AboBankProfile* profile = &StandardAboProfile();
    bool attachComments = false;
    bool ascii = false;
    int fileNumber = 1; // 1 to 999
};

// The export dialog's choices, section "GenerovaniABO" beside the comments option.
const AboBankProfile& ReadAboProfile(const Settings& settings);
void WriteAboProfile(const Settings& settings, const AboBankProfile& profile);
// std::nullopt when the key is missing: the profile's own default applies then.
std::optional<bool> ReadAboAscii(const Settings& settings);
void WriteAboAscii(const Settings& settings, bool on);
// How many numbered files were exported on day; 0 when the stored count is of another day.
int AboFilesExportedOn(const Settings& settings, const QDate& day);
// Records that the file numbered fileNumber was exported on day.
void RecordAboFileExported(const Settings& settings, const QDate& day, int fileNumber);
