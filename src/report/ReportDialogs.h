#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// The Qt dialogs the preview opens, behind seams so that tests drive the preview's commands
// without a blocking dialog. An empty hook means the real dialog.
namespace ReportDialogs {

// Shows the print dialog for printer (first and last page 1..pageCount); true to print.
using PrintHook = std::function<bool(QPrinter& printer, int pageCount)>;
void SetPrintHook(PrintHook hook);
bool ExecPrintDialog(QPrinter& printer, int pageCount, QWidget* parent);

// Lets the user change paper, orientation and margins on printer's page layout; true on OK.
using PageSetupHook = std::function<bool(QPrinter& printer)>;
void SetPageSetupHook(PageSetupHook hook);
bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent);

// The open-file dialog; an empty text when cancelled. While names are queued, the next one is
// taken instead of showing the dialog.
void PushOpenFileName(const QString& path);
void ClearOpenFileNames();
QString GetOpenFileName(const QString& caption, const QString& folder, const QString& filter, QWidget* parent);

// The save dialog of the PDF export. It does not ask before replacing a file: the export replaces
// an existing file anyway. While DialogHook is active it is answered as GetSaveFileName.
QString GetExportFileName(const QString& caption, const QString& proposedPath, const QString& filter,
                          const QString& defaultSuffix, QWidget* parent);

} // namespace ReportDialogs
