#pragma once

#include <QString>
#include <QStringList>
#include <optional>

inline constexpr auto kPresetsFileName = "predvolby.pvb";
inline constexpr int kPresetFieldCount = 7;

// One payment preset: a named template of an item for a recurring payee, never with an amount.
// On disk it is one line of the presets file: the seven fields in this order, each followed by "|".
struct PaymentPreset {
    QString Name;
    QString Account;
    QString BankCode;
    QString VariableSymbol;
    QString ConstantSymbol;
    QString SpecificSymbol;
    QString Comment;

    // Field by position 0..6 in the order above.
    const QString& field(int index) const;
    QString& field(int index);

    bool operator==(const PaymentPreset&) const = default;
};

// programFolder ends with "/"; the file lies directly in it.
QString PresetsFilePath(const QString& programFolder);

// Removes blanks and control characters (everything up to U+0020) at both ends.
QString TrimPresetField(const QString& text);

// The line as the manager stores it: every field trimmed, each followed by "|".
QString PresetLine(const PaymentPreset& preset);

// The name shown in the lists: the text before the first "|"; a line without "|" has an empty name.
QString PresetLineName(const QString& line);

// Cuts a line at successive "|" the way the manager fills its editor: a field with no "|" after it
// is empty, text after the seventh "|" is dropped. A "|" inside a stored name shifts every later field.
PaymentPreset PresetFromLine(const QString& line);

// The preset an item can take from a line: split at every "|"; fewer than seven fields means a
// damaged line and gives nothing. Fields are taken as they stand (the manager wrote them trimmed).
std::optional<PaymentPreset> PresetForItem(const QString& line);

// The lines of the presets file in file order; a missing or empty file gives no lines.
// Throws VelorinError naming the file when it exists but cannot be read (also when it is no
// regular file or too large).
QStringList ReadPresetLines(const QString& path);

// Rewrites the whole file atomically (Windows-1250, CR LF after every line). Throws VelorinError
// naming the file; the old file stays when the write fails.
void WritePresetLines(const QString& path, const QStringList& lines);

// Ascending by whole lines, so the name decides first and equal names go by the account field:
// Czech collation, letter case ignored, stable, duplicates kept.
void SortPresetLines(QStringList& lines);

// Reads the file, sorts it and writes it back. Returns false and touches nothing when there is no
// file. Throws VelorinError when the file cannot be read or written; the file then stays as it was.
bool SortPresetsFile(const QString& path);
