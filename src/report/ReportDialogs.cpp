#include "report/ReportDialogs.h"

#include "common/DialogHook.h"
#include "common/Dialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace {

ReportDialogs::PrintHook& PrintHookSlot() {
    static ReportDialogs::PrintHook hook;
    return hook;
}

ReportDialogs::PageSetupHook& PageSetupHookSlot() {
    static ReportDialogs::PageSetupHook hook;
    return hook;
}

QStringList& OpenNames() {
    static QStringList names;
    return names;
}

} // namespace

namespace ReportDialogs {

void SetPrintHook(PrintHook hook) {
    PrintHookSlot() = std::move(hook);
}

bool ExecPrintDialog(QPrinter& printer, int pageCount, QWidget* parent) {
    if (PrintHookSlot())
        return PrintHookSlot()(printer, pageCount);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Tisk"));
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void SetPageSetupHook(PageSetupHook hook) {
    PageSetupHookSlot() = std::move(hook);
}

bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent) {
    if (PageSetupHookSlot())
        return PageSetupHookSlot()(printer);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Vzhled stránky"));
    return dialog.exec() == QDialog::Accepted;
}

void PushOpenFileName(const QString& path) {
    OpenNames().append(path);
}

void ClearOpenFileNames() {
    OpenNames().clear();
}

QString GetOpenFileName(const QString& caption, const QString& folder, const QString& filter, QWidget* parent) {
    if (!OpenNames().isEmpty())
        return OpenNames().takeFirst();
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    UseCzechFileList(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString GetExportFileName(const QString& caption, const QString& proposedPath, const QString& filter,
                          const QString& defaultSuffix, QWidget* parent) {
    if (DialogHook::IsActive())
        return GetSaveFileName(caption, proposedPath, filter, defaultSuffix);
    QFileDialog dialog(parent, caption, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    UseCzechFileList(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace ReportDialogs
