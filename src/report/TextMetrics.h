#pragma once

#include "report/ReportLayout.h"

#include <QFont>

// Text measurement in millimetres, the same for composing, highlighting and every device: fonts
// are measured unhinted at a fixed high resolution, so a page looks alike on screen and paper.
namespace TextMetrics {
QFont MakeFont(const ReportFont& font);
double WidthMm(const ReportFont& font, const QString& text);
// The width as shaping the whole text gives it, without the shortcuts WidthMm takes.
double ShapedWidthMm(const ReportFont& font, const QString& text);
double AscentMm(const ReportFont& font);
double DescentMm(const ReportFont& font);
// Ascent plus descent: the height of one line without the line spacing.
double LineHeightMm(const ReportFont& font);
} // namespace TextMetrics
