#pragma once

#include "report/PreparedReport.h"

#include <functional>

class QPrinter;

// Sets the printer up for the report: the default printer's settings, the paper of the report's
// first page, the whole sheet addressable (layout margins are part of the pages).
void SetUpPrinter(QPrinter& printer, const PreparedReport& report);

// Prints pages first to last (1-based, as the print dialog gives them; 0 for either means the
// whole report), one layout page per sheet of its own size. Returns false when cancelled through
// progress; throws VelorinError when the printer cannot start.
bool PrintReport(const PreparedReport& report, QPrinter& printer, int first = 0, int last = 0,
                 const std::function<bool(int done, int total)>& progress = {});
