#pragma once

#include <QString>

// A year folder of generated order files of 16 items each, all with an amount, for the benchmarks;
// the same files for the same count.
void GenerateYearOfOrders(const QString& folder, int files);
