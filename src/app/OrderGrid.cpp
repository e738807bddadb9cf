#include "app/OrderGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

OrderGridModel::OrderGridModel(PaymentOrder& order, QObject* parent) : QAbstractTableModel(parent), m_order(order) {}

int OrderGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kItemCount;
}

int OrderGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QVariant OrderGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_order.Items[static_cast<size_t>(index.row())].field(index.column());
}

Qt::ItemFlags OrderGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void OrderGridModel::refresh() {
    Q_EMIT dataChanged(index(0, 0), index(kItemCount - 1, kGridColumns - 1));
}

void OrderGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QRect cell = option.rect.adjusted(0, 0, -1, 0); // the last pixel is the column line
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;

    painter->save();
    painter->fillRect(cell, selected ? pal.highlight() : pal.base());
    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    painter->setFont(option.font);
    painter->setClipRect(cell);
    const QString text = index.data().toString();
    const int ascent = option.fontMetrics.ascent();
    if (index.column() == 2) {
        const int width = option.fontMetrics.horizontalAdvance(text);
        painter->drawText(cell.right() + 1 - width - 4, cell.top() + 2 + ascent, text);
    } else {
        painter->drawText(cell.left() + 2, cell.top() + 2 + ascent, text);
    }
    painter->setClipping(false);
    if (index.column() < kGridColumns - 1) {
        painter->setPen(pal.mid().color());
        painter->drawLine(option.rect.right(), option.rect.top(), option.rect.right(), option.rect.bottom());
    }
    painter->restore();
}

OrderGridView::OrderGridView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("Grid1"));
    setItemDelegate(new OrderGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setAccessibleName(QStringLiteral("Položky příkazu"));
}

int OrderGridView::currentRowOrFirst() const {
    const int row = currentIndex().row();
    return row >= 0 && row < kItemCount ? row : 0;
}

void OrderGridView::selectRow0() {
    if (!model())
        return;
    setCurrentIndex(model()->index(0, 0));
    selectRow(0);
}

void OrderGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        Q_EMIT doubleClickedRow();
}

void OrderGridView::keyPressEvent(QKeyEvent* event) {
    // Copy is the main window's item command, not a copy of one cell's text.
    if (event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags OrderGridView::selectionCommand(const QModelIndex& index, const QEvent*) const {
    // One whole row stays selected: no Ctrl+click deselects it, no click beside the rows clears it.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}
