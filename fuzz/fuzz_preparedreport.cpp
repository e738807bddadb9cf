// The prepared-report loader: a file it takes saves and loads back equal, and it holds no more
// texts than its unpacked pages have room for.
#include "FuzzSupport.h"
#include "common/Error.h"
#include "report/PreparedReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ScratchFile("input.vps", Bytes(data, size));
    PreparedReport report;
    try {
        report = PreparedReportFile::Load(path);
    } catch (const VelorinError&) {
        return 0;
    }
    // Every line and text takes some bytes of the unpacked pages, which are at most 1100 times the file.
    size_t items = 0, chars = 0;
    PreparedPage scratch;
    for (const PreparedPage& page : report.pages) {
        const PreparedPage& p = Unpacked(page, scratch);
        items += p.lines.size() + p.texts.size();
        for (const PreparedText& t : p.texts)
            chars += size_t(t.text.size() + t.boxName.size() + t.font.family.size());
    }
    FUZZ_REQUIRE(items <= 1100 * size + 1024);
    FUZZ_REQUIRE(chars <= 1100 * size + 1024);

    const QString copy = ScratchFolder() + QStringLiteral("/copy.vps");
    PreparedReportFile::Save(report, copy);
    const PreparedReport back = PreparedReportFile::Load(copy);
    FUZZ_REQUIRE(back == report);
    return 0;
}
