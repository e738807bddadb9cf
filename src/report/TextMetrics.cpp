#include "report/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <vector>

namespace {

constexpr double MeasureDpi = 1200.0;
constexpr double MmPerDot = 25.4 / MeasureDpi;

const QImage& MeasureDevice() {
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dpm = qRound(MeasureDpi / 0.0254);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return device;
}

struct Entry {
    ReportFont font;
    QFontMetricsF metrics;
    // Widths measured before: a long list repeats its dates, codes and notes, and measuring
    // shapes the text as drawing does.
    QHash<QString, double> widths;
};

Entry& Metrics(const ReportFont& font) {
    // One thread draws reports, so a plain cache suffices. A report uses a few fonts, mostly the
    // one of the run before: a short list searched from the last hit beats formatting a key for
    // each of the million measurements of a long report.
    static std::vector<Entry> cache;
    static size_t last = 0;
    if (last < cache.size() && cache[last].font == font)
        return cache[last];
    for (size_t i = 0; i < cache.size(); ++i)
        if (cache[i].font == font) {
            last = i;
            return cache[i];
        }
    // Fonts of a damaged file may be many (or never equal, a NaN size): the list stays short.
    if (cache.size() >= 64)
        cache.clear();
    cache.push_back({font, QFontMetricsF(TextMetrics::MakeFont(font), &MeasureDevice()), {}});
    last = cache.size() - 1;
    return cache[last];
}

} // namespace

namespace TextMetrics {

QFont MakeFont(const ReportFont& font) {
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double WidthMm(const ReportFont& font, const QString& text) {
    Entry& e = Metrics(font);
    if (const auto it = e.widths.constFind(text); it != e.widths.constEnd())
        return it.value();
    // Texts that never come again (amounts, accounts) must not pile up: the widths start anew.
    if (e.widths.size() >= 8192)
        e.widths.clear();
    const double w = e.metrics.horizontalAdvance(text) * MmPerDot;
    e.widths.insert(text, w);
    return w;
}

double AscentMm(const ReportFont& font) {
    return Metrics(font).metrics.ascent() * MmPerDot;
}

double DescentMm(const ReportFont& font) {
    return Metrics(font).metrics.descent() * MmPerDot;
}

double LineHeightMm(const ReportFont& font) {
    return AscentMm(font) + DescentMm(font);
}

} // namespace TextMetrics
