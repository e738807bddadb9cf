#pragma once

#include "report/PreparedReport.h"

#include <functional>

class QPrinter;

// Sets the printer up for the report: the default printer's settings, the paper of the report's
// first page under the printer's own name for it, the whole sheet addressable (layout margins are
// part of the pages).
void SetUpPrinter(QPrinter& printer, const PreparedReport& report);

// Whose paper the sheets are: each page's own, or the one the user picked in the print dialog.
enum class SheetPaper { PagesOwn, Chosen };

// What the print dialog left on printer. A paper the user saw there (paperShown) is the user's
// choice. Otherwise the dialog has put the printer's default paper on it whatever the printer was
// set to, so that paper (or the report's own) is no choice; any other paper or orientation is.
SheetPaper PaperAfterDialog(const QPrinter& printer, const PreparedReport& report, bool paperShown = false);

// Prints pages first to last (1-based, as the print dialog gives them; 0 for either means the
// whole report) at their real size from the sheet's top-left corner, never scaled: one layout page
// per sheet of its own size, or of the chosen paper. The job asks the printer for that one paper.
// Returns false when cancelled through progress; throws VelorinError when the printer cannot start.
bool PrintReport(const PreparedReport& report, QPrinter& printer, int first = 0, int last = 0,
                 const std::function<bool(int done, int total)>& progress = {},
                 SheetPaper paper = SheetPaper::PagesOwn);
