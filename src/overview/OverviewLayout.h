#pragma once

#include "overview/OverviewTable.h"
#include "report/ReportLayout.h"

#include <array>

// The field each overview column prints as, in the column order of OverviewTable.
inline constexpr std::array<const char*, OverviewTable::kColumns> kOverviewFields{"datum",     "cislouctu", "kod",
                                                                                  "castka_kc", "prikaz",    "poznamka"};

// "Přehled příkazů": one line per overview row, the total at the end. The window supplies the
// variables Celkem and OznaceniMeny and answers datum, cislouctu, kod, castka_kc, prikaz and
// poznamka for the row RecNo of UserDataSet1.
ReportLayout OverviewListLayout();
