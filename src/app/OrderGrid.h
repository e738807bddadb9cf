#pragma once

#include "order/PaymentOrder.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class BankRegister;
class DuplicateIndex;
class QMimeData;

// The 16 x 6 cells of the open order, straight from the PaymentOrder the main window holds.
class OrderGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit OrderGridModel(const PaymentOrder& order, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The order changed behind the model's back.
    void refresh();

    // The register the rows are checked against; without it no row is checked. A row failing a
    // check gets the reasons as the tooltip of its account cell.
    void setBanks(std::function<const BankRegister&()> banks) { m_banks = std::move(banks); }
    // The year's other orders, where the same payment as a row's is looked for too.
    void setYear(const DuplicateIndex* year) { m_year = year; }
    QStringList rowWarnings(int row) const;

private:
    const PaymentOrder& m_order;
    std::function<const BankRegister&()> m_banks;
    const DuplicateIndex* m_year = nullptr;
};

// Draws a cell: text 2 px in from the left and top, the amount column right-aligned 4 px before the
// right edge and clipped to the cell, a 1-px line between columns, and a small warning mark at the
// right end of an account cell whose row fails a payment check.
class OrderGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The grid: whole-row selection, no headers, no scroll bars, cells not editable.
class OrderGridView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 19;
    static constexpr int kColumnWidths[kGridColumns] = {136, 71, 105, 114, 72, 114};

    explicit OrderGridView(QWidget* parent = nullptr);
    int currentRowOrFirst() const;
    void selectRow0();
    // A drop at pos (in the viewport): the invoice files among mime's become filesDropped once
    // the drop has ended. False when there is none.
    bool dropInvoices(const QMimeData* mime, const QPoint& pos);

Q_SIGNALS:
    void rowChanged(int row);
    void doubleClickedRow();
    // Invoice files dropped onto row.
    void filesDropped(int row, const QStringList& paths);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
};
