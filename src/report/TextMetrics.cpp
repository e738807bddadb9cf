#include "report/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <array>
#include <cmath>
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

// Digits and the signs of amounts, accounts, dates and times: what most texts of a long list
// are made of, and what shaping places one after another with no more than pair kerning.
constexpr char16_t Plain[] = u"0123456789,.-/: ";
constexpr int PlainCount = int(std::size(Plain)) - 1;

int PlainIndex(char16_t c) {
    for (int i = 0; i < PlainCount; ++i)
        if (Plain[i] == c)
            return i;
    return -1;
}

struct Entry {
    ReportFont font;
    QFontMetricsF metrics;
    // Widths measured before: a long list repeats its dates, codes and notes, and measuring
    // shapes the text as drawing does.
    QHash<QString, double> widths;
    // Of the plain signs, in the metrics' units (NaN: not measured yet): each one's advance and
    // what a pair adds to the two (its kerning). Texts of them alone are summed from these.
    std::array<double, PlainCount> advance;
    std::array<double, PlainCount * PlainCount> kerning;

    Entry(const ReportFont& f, const QFontMetricsF& m) : font(f), metrics(m) {
        advance.fill(std::nan(""));
        kerning.fill(std::nan(""));
    }
    double advanceOf(int i) {
        if (std::isnan(advance[size_t(i)]))
            advance[size_t(i)] = metrics.horizontalAdvance(QString(QChar(Plain[i])));
        return advance[size_t(i)];
    }
    double kerningOf(int a, int b) {
        double& k = kerning[size_t(a * PlainCount + b)];
        if (std::isnan(k)) {
            const QChar pair[2] = {QChar(Plain[a]), QChar(Plain[b])};
            k = metrics.horizontalAdvance(QString(pair, 2)) - advanceOf(a) - advanceOf(b);
        }
        return k;
    }
    // The width of a text of plain signs only, or NaN.
    double plainWidth(const QString& text) {
        double w = 0;
        int before = -1;
        for (QChar c : text) {
            const int i = PlainIndex(c.unicode());
            if (i < 0)
                return std::nan("");
            w += advanceOf(i);
            if (before >= 0)
                w += kerningOf(before, i);
            before = i;
        }
        return w;
    }
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
    cache.emplace_back(font, QFontMetricsF(TextMetrics::MakeFont(font), &MeasureDevice()));
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
    // Amounts and accounts rarely come twice; shaping each would cost a long list a second.
    if (const double plain = e.plainWidth(text); !std::isnan(plain))
        return plain * MmPerDot;
    if (const auto it = e.widths.constFind(text); it != e.widths.constEnd())
        return it.value();
    // Texts that never come again (amounts, accounts) must not pile up: the widths start anew.
    if (e.widths.size() >= 8192)
        e.widths.clear();
    const double w = e.metrics.horizontalAdvance(text) * MmPerDot;
    e.widths.insert(text, w);
    return w;
}

double ShapedWidthMm(const ReportFont& font, const QString& text) {
    return Metrics(font).metrics.horizontalAdvance(text) * MmPerDot;
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
