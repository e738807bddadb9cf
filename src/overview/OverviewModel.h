#pragma once

#include "overview/OverviewTable.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <functional>

// The overview's rows for the grid; cells are decoded only when shown.
class OverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit OverviewModel(OverviewTable& table, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Wraps a change of the rows.
    void change(const std::function<void()>& work);

private:
    OverviewTable& m_table;
};

// Paints the cells as the old grid did: date and amount right-aligned, text 2 pixels in.
class OverviewDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
