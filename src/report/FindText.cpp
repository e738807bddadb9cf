#include "report/FindText.h"

#include "report/TextMetrics.h"

#include <algorithm>

TextMatch FindText(const PreparedReport& report, const QString& needle, const TextMatch& after) {
    if (needle.isEmpty())
        return {};
    const int pages = int(report.pages.size());
    PreparedPage scratch;
    // From just after the last match to the end, then once round from the start.
    for (int pass = 0; pass < 2; ++pass) {
        const bool resume = pass == 0 && after.found();
        for (int p = resume ? after.page : 0; p < pages; ++p) {
            const std::vector<PreparedText>& texts = Unpacked(report.pages[size_t(p)], scratch).texts;
            const bool onPage = resume && p == after.page;
            for (int t = onPage ? std::max(0, after.text) : 0; t < int(texts.size()); ++t) {
                const PreparedText& run = texts[size_t(t)];
                const int from = onPage && t == after.text ? std::max(0, after.pos + 1) : 0;
                const qsizetype at = run.text.indexOf(needle, from, Qt::CaseInsensitive);
                if (at < 0)
                    continue;
                const double x = run.origin.x() + TextMetrics::WidthMm(run.font, run.text.left(at));
                const double w = TextMetrics::WidthMm(run.font, run.text.mid(at, needle.size()));
                return {p, t, int(at), QRectF(x, run.origin.y() - run.ascentMm, w, run.ascentMm + run.descentMm)};
            }
        }
        if (!after.found())
            break;
    }
    return {};
}
