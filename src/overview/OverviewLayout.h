#pragma once

#include "report/ReportLayout.h"

// "Přehled příkazů": one line per overview row, the total at the end. The window supplies the
// variables Celkem and OznaceniMeny and answers datum, cislouctu, kod, castka_kc, prikaz and
// poznamka for the row RecNo of UserDataSet1.
ReportLayout OverviewListLayout();
