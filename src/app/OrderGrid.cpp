#include "app/OrderGrid.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/PlainText.h"
#include "invoice/InvoiceFile.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

OrderGridModel::OrderGridModel(const PaymentOrder& order, QObject* parent)
    : QAbstractTableModel(parent), m_order(order) {}

int OrderGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kItemCount;
}

int OrderGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QVariant OrderGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_order.Items[static_cast<size_t>(index.row())].field(index.column());
    if (role == Qt::ToolTipRole && index.column() == 0) {
        const QStringList warnings = rowWarnings(index.row());
        if (!warnings.isEmpty())
            return PlainToolTip(warnings.join(QLatin1Char('\n'))); // the warnings quote the row's symbols
    }
    return {};
}

QStringList OrderGridModel::rowWarnings(int row) const {
    if (!m_banks || row < 0 || row >= kItemCount)
        return {};
    return ItemWarnings(m_order.Items[static_cast<size_t>(row)], m_banks(), {&m_order, row, m_year});
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
    if (index.column() == 0 && !index.data(Qt::ToolTipRole).toString().isEmpty()) {
        // A small triangle with "!", drawn over the end of a long account number.
        const int side = std::min(11, cell.height() - 4);
        const QRect mark(cell.right() - side - 2, cell.top() + (cell.height() - side) / 2, side, side);
        painter->fillRect(mark.adjusted(-2, 0, 2, 0), selected ? pal.highlight() : pal.base());
        painter->setRenderHint(QPainter::Antialiasing, true);
        const QPointF triangle[] = {QPointF(mark.center().x() + 0.5, mark.top()),
                                    QPointF(mark.right() + 1, mark.bottom() + 1),
                                    QPointF(mark.left(), mark.bottom() + 1)};
        painter->setPen(QColor(0x80, 0x50, 0x00));
        painter->setBrush(QColor(0xF5, 0xB4, 0x00));
        painter->drawPolygon(triangle, 3);
        painter->setPen(Qt::black);
        painter->drawLine(QPointF(mark.center().x() + 0.5, mark.top() + 3.5),
                          QPointF(mark.center().x() + 0.5, mark.bottom() - 2.5));
        painter->drawPoint(QPointF(mark.center().x() + 0.5, mark.bottom() - 0.5));
        painter->setRenderHint(QPainter::Antialiasing, false);
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
    // Invoices dropped onto a row give its payments.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
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

namespace {

// The local files of a drop that are invoices the order can take payments from.
QStringList DroppedInvoices(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && InvoiceFile::HasInvoiceExtension(url.toLocalFile()))
            paths << url.toLocalFile();
    return paths;
}

} // namespace

void OrderGridView::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void OrderGridView::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedInvoices(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void OrderGridView::dropEvent(QDropEvent* event) {
    if (dropInvoices(event->mimeData(), event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

bool OrderGridView::dropInvoices(const QMimeData* mime, const QPoint& pos) {
    const QStringList paths = DroppedInvoices(mime);
    if (paths.isEmpty())
        return false;
    const QModelIndex at = indexAt(pos);
    const int row = at.isValid() ? at.row() : currentRowOrFirst();
    // After the drop has ended: the command shows modal windows, which must not run inside it.
    QMetaObject::invokeMethod(
        this, [this, row, paths] { Q_EMIT filesDropped(row, paths); }, Qt::QueuedConnection);
    return true;
}

QItemSelectionModel::SelectionFlags OrderGridView::selectionCommand(const QModelIndex& index, const QEvent*) const {
    // One whole row stays selected: no Ctrl+click deselects it, no click beside the rows clears it.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}
