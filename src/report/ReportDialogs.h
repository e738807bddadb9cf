#pragma once

#include "common/SeamGuard.h"

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// The print dialogs the preview opens, behind seams so that tests drive the preview's commands
// without a blocking dialog until the guard goes. An empty hook means the real dialog. Its file dialogs are the shared
// GetFileName.
namespace ReportDialogs {

// Shows the print dialog for printer (first and last page 1..pageCount); true to print.
// paperShown: whether the user saw the printer's paper in the dialog (its properties), so that
// the paper it leaves on printer is the user's choice.
using PrintHook = std::function<bool(QPrinter& printer, int pageCount)>;
SeamGuard SetPrintHook(PrintHook hook);
bool ExecPrintDialog(QPrinter& printer, int pageCount, QWidget* parent, bool* paperShown = nullptr);

// Lets the user change paper, orientation and margins on printer's page layout; true on OK.
using PageSetupHook = std::function<bool(QPrinter& printer)>;
SeamGuard SetPageSetupHook(PageSetupHook hook);
bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent);

} // namespace ReportDialogs
