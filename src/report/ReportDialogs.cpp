#include "report/ReportDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The print dialog's printer properties open on the queue's default paper whatever the printer is
// set to; shown so, they would claim a paper the print does not use. When they first show, they
// show the printer's paper instead. Qt names the paper box of that page "pageSizeCombo"; without
// it the properties stay as Qt shows them.
class PaperOnProperties : public QObject {
public:
    PaperOnProperties(QDialog* dialog, const QPageSize& paper) : QObject(dialog), m_dialog(dialog), m_paper(paper) {
        qApp->installEventFilter(this);
    }
    // Whether the user saw the paper there, so that the paper the dialog leaves is a choice.
    bool shown() const { return !m_done.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || !w || !w->isWindow() || w == m_dialog)
            return false;
        QWidget* owner = w->parentWidget();
        while (owner && owner != m_dialog)
            owner = owner->parentWidget();
        if (!owner)
            return false;
        auto* combo = w->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        if (!combo || m_done.contains(combo))
            return false;
        m_done << combo;
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemData(i).value<QPageSize>().isEquivalentTo(m_paper)) {
                combo->setCurrentIndex(i);
                break;
            }
        return false;
    }

private:
    QDialog* m_dialog;
    QPageSize m_paper;
    QList<QPointer<QComboBox>> m_done;
};

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

bool ExecPrintDialog(QPrinter& printer, int pageCount, QWidget* parent, bool* paperShown) {
    if (paperShown)
        *paperShown = false;
    if (PrintHookSlot())
        return PrintHookSlot()(printer, pageCount);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Tisk"));
    auto* paper = new PaperOnProperties(&dialog, printer.pageLayout().pageSize());
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (paperShown)
        *paperShown = paper->shown();
    return accepted;
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
