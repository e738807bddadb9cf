#include "order/Presets.h"

#include "common/CzechFormat.h"
#include "common/TextFile.h"
#include "common/TextFunctions.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace {

QString PresetsLineField(const QString& field) {
    return TrimPresetField(field) + QLatin1Char('|');
}

} // namespace

const QString& PaymentPreset::field(int index) const {
    static constexpr std::array<QString PaymentPreset::*, 7> kFields{
        &PaymentPreset::Name,           &PaymentPreset::Account,        &PaymentPreset::BankCode,
        &PaymentPreset::VariableSymbol, &PaymentPreset::ConstantSymbol, &PaymentPreset::SpecificSymbol,
        &PaymentPreset::Comment};
    return this->*kFields[size_t(index >= 0 && index < 6 ? index : 6)]; // any other index: the comment
}

QString& PaymentPreset::field(int index) {
    return const_cast<QString&>(static_cast<const PaymentPreset&>(*this).field(index));
}

QString PresetsFilePath(const QString& programFolder) {
    return programFolder + QLatin1String(kPresetsFileName);
}

QString TrimPresetField(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QString PresetLine(const PaymentPreset& preset) {
    QString line;
    for (int i = 0; i < kPresetFieldCount; ++i)
        line += PresetsLineField(preset.field(i));
    return line;
}

QString PresetLineName(const QString& line) {
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : line.left(bar);
}

PaymentPreset PresetFromLine(const QString& line) {
    PaymentPreset preset;
    QString rest = line;
    for (int i = 0; i < kPresetFieldCount; ++i) {
        const qsizetype bar = rest.indexOf(QLatin1Char('|'));
        if (bar < 0)
            break;
        preset.field(i) = rest.left(bar);
        rest.remove(0, bar + 1);
    }
    return preset;
}

std::optional<PaymentPreset> PresetForItem(const QString& line) {
    QStringList fields;
    SplitFields(line, fields);
    if (fields.size() < kPresetFieldCount)
        return std::nullopt;
    PaymentPreset preset;
    for (int i = 0; i < kPresetFieldCount; ++i)
        preset.field(i) = fields.at(i);
    return preset;
}

QStringList ReadPresetLines(const QString& path) {
    try {
        return TextFile::ReadLines(path);
    } catch (const TextFile::ReadError& e) {
        // Anything else there (a folder, a pipe) is said, so that no save replaces it unasked.
        if (e.kind() == TextFile::ReadError::Kind::Missing)
            return {};
        throw;
    }
}

void WritePresetLines(const QString& path, const QStringList& lines) {
    TextFile::WriteLines(path, lines);
}

void SortPresetLines(QStringList& lines) {
    QCollator collator(CzechFormat::Locale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    std::stable_sort(lines.begin(), lines.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

bool SortPresetsFile(const QString& path) {
    // Reading through the existence test would make an unreadable file look like no file.
    if (!QFileInfo::exists(path))
        return false;
    QStringList lines = TextFile::ReadLines(path);
    SortPresetLines(lines);
    WritePresetLines(path, lines);
    return true;
}
