#pragma once

#include <QHash>
#include <QString>
#include <optional>

// Windows-style ini files in Windows-1250: sections and keys matched case-insensitively, blanks
// round names and values dropped on reading, matching quotes stripped. A write replaces or adds
// one key and keeps every other line byte for byte; the first write creates the file.
namespace IniFile {
// A whole file read once, for reading many keys: each Read of its own reads the file again.
class Contents {
public:
    // An unreadable or missing file gives no keys. problem, when given, is set to the message naming
    // the file when it is there but cannot be read (TextFile::ReadBytes); a missing file is none.
    static Contents Load(const QString& path, QString* problem = nullptr);
    // Parses bytes as they stand in a file.
    static Contents Parse(const QByteArray& bytes);
    // std::nullopt when the section or the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;

private:
    // Folded section name -> folded key -> value; the first section and key of a name only.
    QHash<QString, QHash<QString, QString>> m_sections;
};

// std::nullopt when the file, the section or the key is missing.
std::optional<QString> Read(const QString& path, const QString& section, const QString& key);
// Throws VelorinError "Unable to write to <path>" when the file cannot be written.
void Write(const QString& path, const QString& section, const QString& key, const QString& value);
// A whole number as the private-profile functions read it: decimal, or hex after "0x" or "$".
std::optional<int> ParseInt(const QString& text);
} // namespace IniFile
