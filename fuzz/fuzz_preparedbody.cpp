// The pages of a prepared report as a saved file holds them once unpacked: the first byte is the
// file's format version, the rest the body. What the decoder takes stays within what paper holds,
// and saved and loaded back it gives the same pages.
#include "FuzzSupport.h"
#include "common/Error.h"
#include "report/PreparedReport.h"

namespace {

using namespace PreparedLimits;

bool Within(double v, double least, double most) {
    return v >= least && v <= most;
}

bool OnSheet(const PreparedPage& page, QPointF at) {
    return Within(at.x(), -MaxOffSheetMm, page.widthMm + MaxOffSheetMm) &&
           Within(at.y(), -MaxOffSheetMm, page.heightMm + MaxOffSheetMm);
}

bool OnSheet(const PreparedPage& page, const QRectF& r) {
    return OnSheet(page, r.topLeft()) && OnSheet(page, r.bottomRight());
}

bool WithinLimits(const PreparedReport& report) {
    if (qsizetype(report.pages.size()) > MaxPages)
        return false;
    PreparedPage scratch;
    for (const PreparedPage& page : report.pages) {
        const PreparedPage& p = Unpacked(page, scratch);
        if (!Within(p.widthMm, MinPageMm, MaxPageMm) || !Within(p.heightMm, MinPageMm, MaxPageMm))
            return false;
        for (const PreparedLine& l : p.lines)
            if (!OnSheet(p, l.from) || !OnSheet(p, l.to) || !Within(l.widthMm, 0, MaxStrokeMm))
                return false;
        for (const PreparedText& t : p.texts)
            if (!Within(t.font.pointSize, MinFontPt, MaxFontPt) || !OnSheet(p, t.origin) ||
                !OnSheet(p, t.origin + QPointF(t.widthMm, 0)) || !Within(t.ascentMm, 0, MaxStrokeMm) ||
                !Within(t.descentMm, 0, MaxStrokeMm) || !OnSheet(p, t.clipMm) || !OnSheet(p, t.boundsMm()))
                return false;
        for (const PreparedPicture& pic : p.pictures) {
            if (!OnSheet(p, pic.areaMm))
                return false;
            for (const QRectF& r : pic.rectsMm)
                if (!OnSheet(p, r))
                    return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString name = QStringLiteral("body.vps");
    PreparedReport report;
    try {
        report = PreparedReportFile::DecodeBody(Bytes(data + 1, size - 1), data[0], name);
    } catch (const VelorinError& e) {
        FUZZ_REQUIRE(e.message() == QStringLiteral("Soubor body.vps s uloženou sestavou je poškozen"));
        return 0;
    }
    FUZZ_REQUIRE(WithinLimits(report));

    const QString path = ScratchFolder() + QStringLiteral("/body.vps");
    PreparedReportFile::Save(report, path);
    FUZZ_REQUIRE(PreparedReportFile::Load(path) == report);
    return 0;
}
