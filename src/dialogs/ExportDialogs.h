#pragma once

#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <QString>
#include <initializer_list>

class QDialog;
class QFrame;
class QPlainTextEdit;
class QWidget;

// What the ABO and the XML export dialogs share: where their save dialog starts, the save dialog
// itself, the text box and the window's place.

// Where the save dialog of an export proposes fileName: in lastFolder, the folder of the last ABO or
// XML file saved, while it is a folder; else in homeFolder when the program runs installed (its order
// files lie in a hidden data folder the user does not upload from); else beside the order file.
QString ExportStartPath(const QString& lastFolder, bool installedRun, const QString& homeFolder,
                        const QString& orderFolder, const QString& fileName);

// True when the program runs installed or keeps its files in the user's data folder.
bool IsInstalledRun(const Settings& settings);

// The save dialog of an export for this run, proposing the order's name with suffix (no dot): the
// chosen path with ".suffix" added when its name has no extension, or an empty text when cancelled.
QString AskExportPath(const Settings& settings, const PaymentOrder& order, const QString& caption,
                      const QString& filter, const QString& suffix);
// Remembers the folder of a file just saved, for the next export's save dialog.
void RememberExportFolder(const Settings& settings, const QString& savedPath);

// The export window as the ABO form has it: name and caption, Tahoma 8 pt, its size and a size grip.
void SetUpExportWindow(QDialog* window, const QString& objectName, const QString& caption);
// The panel of buttons at the top, 57 pixels high.
QFrame* NewExportPanel(QDialog* window);
// The panel, the warning line under it and the text box filling the rest.
void LayOutExportWindow(QDialog* window, QFrame* panel, QWidget* warningLine, QWidget* textBox);

// The export text box: Courier New 10 pt, no wrapping, Tab moves the focus on.
QPlainTextEdit* NewExportTextBox(QWidget* parent);
// Grows each widget to its size hint where the substitute fonts run wider than the form's places.
void FitToHints(std::initializer_list<QWidget*> widgets);
// Puts the window in the middle of its screen.
void CentreOnScreen(QWidget& window);
