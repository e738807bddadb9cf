#include "common/CzechFormat.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// Rounded to hundredths, so that -0.001 shows as 0,00 and not as -0,00.
double RoundedCents(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

} // namespace

namespace CzechFormat {

QLocale Locale() {
    return QLocale(QLocale::Czech, QLocale::CzechRepublic);
}

QString Money(double value) {
    QString text = Locale().toCurrencyString(RoundedCents(value), QString(), 2);
    // The locale's no-break blanks would not match the ordinary blanks of every other text.
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text.replace(QChar(0x202F), QLatin1Char(' '));
    return text;
}

QString Fixed2(double value) {
    QString text = QString::number(RoundedCents(value), 'f', 2);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

std::optional<double> ParseNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([+-]?)([0-9]*)(?:,([0-9]*))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString whole = m.captured(2);
    const QString fraction = m.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const QString plain = m.captured(1) + (whole.isEmpty() ? QStringLiteral("0") : whole) + QLatin1Char('.') +
                          (fraction.isEmpty() ? QStringLiteral("0") : fraction);
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> ParseHalers(const QString& amount) {
    constexpr double kMaxHalers = 999'999'999'999'999.0;
    const std::optional<double> value = ParseNumber(amount);
    if (!value || *value < 0)
        return std::nullopt;
    // Through 15 significant digits first, so that 0,145 (14.4999... halers in binary) rounds to 15
    // as it reads.
    const double halers = QString::number(*value * 100.0, 'g', 15).toDouble();
    if (!(halers < kMaxHalers + 0.5))
        return std::nullopt;
    return qint64(std::llround(halers));
}

QString CountOf(qint64 count, const QString& one, const QString& twoToFour, const QString& many) {
    const QString& word = count == 1 ? one : (count >= 2 && count <= 4) ? twoToFour : many;
    return QString::number(count) + QLatin1Char(' ') + word;
}

QString FormatDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year(), 4, 10, QLatin1Char('0'));
}

std::optional<QDate> ParseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4}|[0-9]{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    // A short year is read as a Czech Windows system reads it: its default window puts 30 to 99
    // in the 1900s and 00 to 29 in the 2000s.
    if (m.capturedLength(3) <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace CzechFormat
