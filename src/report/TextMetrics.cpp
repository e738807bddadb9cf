#include "report/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

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

QString Key(const ReportFont& f) {
    return f.family + QLatin1Char('|') + QString::number(f.pointSize, 'g', 10) + (f.bold ? u'B' : u'-') +
           (f.italic ? u'I' : u'-');
}

const QFontMetricsF& Metrics(const ReportFont& font) {
    // One thread draws reports, so a plain cache suffices.
    static QHash<QString, QFontMetricsF> cache;
    const QString key = Key(font);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, QFontMetricsF(TextMetrics::MakeFont(font), &MeasureDevice()));
    return it.value();
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
    return Metrics(font).horizontalAdvance(text) * MmPerDot;
}

double AscentMm(const ReportFont& font) {
    return Metrics(font).ascent() * MmPerDot;
}

double DescentMm(const ReportFont& font) {
    return Metrics(font).descent() * MmPerDot;
}

double LineHeightMm(const ReportFont& font) {
    return AscentMm(font) + DescentMm(font);
}

} // namespace TextMetrics
