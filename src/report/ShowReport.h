#pragma once

#include "report/Report.h"

// The preview of a report. Its composition shows a progress window ("Příprava sestavy") that
// appears when it takes long and can cancel.

// Prepares the report anew and shows the modal preview "Náhled"; returns when it closes. Does
// nothing while the report is being prepared (a callback that asks for it again).
void ShowReport(Report& report, bool clearPrevious = true);
// Shows the pages prepared last; its page setup composes the layout again.
void ShowPreparedReport(Report& report);
