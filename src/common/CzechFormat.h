#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// Czech regional formats, whatever the system locale says.
namespace CzechFormat {
QLocale Locale();
// Currency format: "1 250,00 Kč".
QString Money(double value);
// Two decimals, decimal comma, no grouping: "1250,00" ("%3.2f" and "%1.2f").
QString Fixed2(double value);
// Decimal comma, optional sign, no grouping separators; blanks round the text are allowed.
// std::nullopt when the text is no number.
std::optional<double> ParseNumber(const QString& text);
// The one rounding of an amount text to whole halers, for every file and code that carries an
// amount: half away from zero as the text reads ("0,145" gives 15, "12,5" 1250). std::nullopt when
// the text is no number, is negative or has more than 15 digits of halers.
std::optional<qint64> ParseHalers(const QString& amount);
// "1 řádek", "3 řádky", "5 řádků": the count with the word form Czech grammar wants after it.
QString CountOf(qint64 count, const QString& one, const QString& twoToFour, const QString& many);
// "d.m.yyyy": 7.1.2022.
QString FormatDate(const QDate& date);
// Day.month.year, leading zeros allowed, the year of four digits or of two (22 is 2022, 30 is 1930);
// std::nullopt when the text is no date.
std::optional<QDate> ParseDate(const QString& text);
} // namespace CzechFormat
