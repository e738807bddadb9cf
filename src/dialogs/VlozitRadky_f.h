#pragma once

#include "sheet/ItemTable.h"

#include <QDialog>

class OrderHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "Vložit řádky z tabulky": the rows of a spreadsheet's or CSV file's text as payment items, each
// column under the item field it fills (recognised, and changeable by the user), each row with what
// the payment checks say of it. OK fills the selected row of the order and the rows after it.
class TVlozitRadky : public QDialog {
    Q_OBJECT
public:
    // source: where the text comes from, for the line above the table ("ze schránky", a file name).
    TVlozitRadky(OrderHost& host, TableText table, const QString& source, QWidget* parent = nullptr);

    // The items the rows give with the columns as chosen now; rows with a problem are left out.
    std::vector<OrderItem> pastedItems() const;
    // The lines that cannot be pasted, as the dialog names them.
    QStringList problemLines() const;
    void setColumn(int column, ItemColumn item);

    void Tl_OkClick();

private:
    void fillTable();
    void columnChosen(int column);

    OrderHost& m_host;
    TableText m_table;
    TableColumns m_columns;
    std::vector<TableItem> m_items;
    int m_first = 0;

    QLabel* La_Zdroj = nullptr;
    QCheckBox* ChB_Zahlavi = nullptr;
    QTableWidget* Tabulka = nullptr;
    QList<QComboBox*> m_choosers;
    QLabel* La_Problemy = nullptr;
    QLabel* La_Souhrn = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno = nullptr;
};

// The two commands: the clipboard's text, and a CSV file the user picks. Both open the dialog over
// the host's open order; a text of no rows is said in a box.
void PasteRowsCommand(OrderHost& host, const QString& clipboardText);
void LoadRowsFromFileCommand(OrderHost& host, const QString& startFolder);
