#include "overview/OverviewModel.h"

#include <QPainter>

namespace {

bool RightAligned(int column) {
    return column == OverviewTable::Datum || column == OverviewTable::Castka;
}

} // namespace

OverviewModel::OverviewModel(OverviewTable& table, QObject* parent) : QAbstractTableModel(parent), m_table(table) {}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : OverviewTable::kColumns;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_table.cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int((RightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    return {};
}

Qt::ItemFlags OverviewModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void OverviewModel::change(const std::function<void()>& work) {
    beginResetModel();
    struct End {
        OverviewModel* model;
        ~End() { model->endResetModel(); }
    } end{this};
    work();
}

void OverviewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? pal.highlight() : pal.base());
    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    const QString text = index.data().toString();
    const int baseline = option.rect.top() + 2 + option.fontMetrics.ascent();
    if (RightAligned(index.column()))
        painter->drawText(option.rect.right() + 1 - 2 - option.fontMetrics.horizontalAdvance(text), baseline, text);
    else
        painter->drawText(option.rect.left() + 2, baseline, text);
    painter->restore();
}
