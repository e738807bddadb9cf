#include "report/ReportDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

ReportDialogs::PrintHook& PrintHookSlot() {
    static ReportDialogs::PrintHook hook;
    return hook;
}

ReportDialogs::PageSetupHook& PageSetupHookSlot() {
    static ReportDialogs::PageSetupHook hook;
    return hook;
}

} // namespace

namespace ReportDialogs {

SeamGuard SetPrintHook(PrintHook hook) {
    SeamGuard guard([before = PrintHookSlot()] { PrintHookSlot() = before; });
    PrintHookSlot() = std::move(hook);
    return guard;
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

SeamGuard SetPageSetupHook(PageSetupHook hook) {
    SeamGuard guard([before = PageSetupHookSlot()] { PageSetupHookSlot() = before; });
    PageSetupHookSlot() = std::move(hook);
    return guard;
}

bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent) {
    if (PageSetupHookSlot())
        return PageSetupHookSlot()(printer);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Vzhled stránky"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ReportDialogs
