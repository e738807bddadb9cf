#pragma once

#include "invoice/InvoicePayment.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class CheckLine;
class OrderHost;
class QLabel;
class QPushButton;
class QTreeWidget;

// What one file of the command gave.
struct InvoiceFileFindings {
    QString Path;
    InvoiceFindings Found;
};

// The confirmation of "Načíst platbu z faktury…": every payment found, one row each with its
// account and the account's check line, bank, amount, symbols, due date, comment and source; the
// user unticks what not to take. OK puts the ticked ones into the order from the selected row on.
class TPlatbyZFaktur : public QDialog {
    Q_OBJECT
public:
    TPlatbyZFaktur(OrderHost& host, std::vector<InvoiceFileFindings> files, QWidget* parent = nullptr);

    // The items of the ticked rows, in the order shown.
    std::vector<OrderItem> CheckedItems() const;
    // What the dialog says under the list: files without payments, due dates, currencies.
    QString NotesText() const;

    void Tl_OkClick();

private:
    void showCurrent();
    void updateNotes();

    OrderHost& m_host;
    std::vector<InvoiceFileFindings> m_files;
    // Row of the list -> file and payment.
    std::vector<std::pair<size_t, size_t>> m_rows;
    QTreeWidget* LV_Platby = nullptr;
    CheckLine* La_Kontrola = nullptr;
    QLabel* La_Upozorneni = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno = nullptr;
};

// The command: reads each file, then either says why nothing was found or shows the dialog.
void LoadPaymentsFromInvoices(OrderHost& host, const QStringList& paths);
