#pragma once

#include "report/ReportLayout.h"

#include <QStringList>

// The two order layouts of the main window, built from their box tables.

// Report1: the single order form "PŘÍKAZ K ÚHRADĚ", two copies on one A4 sheet, the second
// 140 mm below the first, a dotted cutting line between them.
ReportLayout SingleOrderLayout();
// Report2: the collective order "HROMADNÝ PŘÍKAZ K ÚHRADĚ" with 16 item rows from the row source
// UserDataSet1; the value callback is installed by the print command.
ReportLayout CollectiveOrderLayout();

// How far the second copy of the single form stands below the first.
inline constexpr double kSecondCopyOffsetMm = 140;
// The name a box of the first copy has in the second.
QString SecondCopyName(const QString& name);

// The names the collective form's callback answers, in the order of OrderItem's columns 0 to 5.
QStringList CollectiveRowNames();
