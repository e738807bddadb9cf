#pragma once

#include <QString>
#include <optional>

// Windows-style ini files in Windows-1250: sections and keys matched case-insensitively, blanks
// round names and values dropped on reading, matching quotes stripped. A write replaces or adds
// one key and keeps every other line byte for byte; the first write creates the file.
namespace IniFile {
// std::nullopt when the file, the section or the key is missing.
std::optional<QString> Read(const QString& path, const QString& section, const QString& key);
// Throws VelorinError "Unable to write to <path>" when the file cannot be written.
void Write(const QString& path, const QString& section, const QString& key, const QString& value);
// A whole number as the private-profile functions read it: decimal, or hex after "0x" or "$".
std::optional<int> ParseInt(const QString& text);
} // namespace IniFile
