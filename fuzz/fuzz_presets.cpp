// The presets file: every line reads into a preset whose stored line reads back the same, the
// file writes and reads back line for line, and sorting keeps every line.
#include "FuzzSupport.h"
#include "common/Cp1250.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "order/Presets.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ScratchFile("input.pvb", Bytes(data, size));
    QStringList lines;
    try {
        lines = ReadPresetLines(path);
    } catch (const VelorinError&) {
        return 0;
    }
    for (const QString& line : lines) {
        FUZZ_REQUIRE(line.size() <= qsizetype(size));
        const PaymentPreset preset = PresetFromLine(line);
        PaymentPreset trimmed = preset;
        for (int i = 0; i < kPresetFieldCount; ++i) {
            FUZZ_REQUIRE(!preset.field(i).contains(QLatin1Char('|')));
            trimmed.field(i) = TrimPresetField(preset.field(i));
        }
        const QString stored = PresetLine(preset);
        FUZZ_REQUIRE(PresetFromLine(stored) == trimmed);
        FUZZ_REQUIRE(PresetForItem(stored) == std::optional<PaymentPreset>(trimmed));
        FUZZ_REQUIRE(PresetLineName(stored) == trimmed.Name);
    }

    QStringList sorted = lines;
    SortPresetLines(sorted);
    QStringList a = sorted, b = lines;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_REQUIRE(a == b);

    const QString copy = ScratchFolder() + QStringLiteral("/copy.pvb");
    WritePresetLines(copy, sorted);
    FUZZ_REQUIRE(ReadPresetLines(copy) == sorted);
    return 0;
}
