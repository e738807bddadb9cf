#include "app/Otevrit_f.h"

#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "common/ServeEvents.h"
#include "common/WaitCursor.h"
#include "order/OrderFile.h"
#include "order/OrderReader.h"
#include "order/OrderSummary.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

TOtevrit::TOtevrit(const Settings& settings, QWidget* parent) : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("TOtevrit"));
    setWindowTitle(QStringLiteral("Otevřít ..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    resize(512, 490);
    setMinimumSize(385, 376);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setHeaderLabels(
        {QStringLiteral("Označení"), QStringLiteral("Datum"), QStringLiteral("Počet"), QStringLiteral("Celkem Kč")});
    QHeaderView* header = ListView1->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    const int widths[] = {100, 80, 50, 100};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight};
    for (int c = 0; c < 4; ++c) {
        ListView1->setColumnWidth(c, widths[c]);
        ListView1->headerItem()->setTextAlignment(c, alignments[c] | Qt::AlignVCenter);
    }

    Tl_Ok = new QPushButton(QStringLiteral("Ok"), this);
    Tl_Ok->setObjectName(QStringLiteral("Tl_Ok"));
    Tl_Ok->setFixedSize(75, 25);
    Tl_Storno = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    Tl_Storno->setFixedSize(75, 25);
    Tl_Ok->setAutoDefault(false);
    Tl_Storno->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(13);
    buttons->addStretch();
    buttons->addWidget(Tl_Ok);
    buttons->addWidget(Tl_Storno);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 6, 5);
    layout->setSpacing(7);
    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(0, 0, 2, 0); // the list ends 8 pixels from the right, the buttons 6
    listRow->addWidget(ListView1);
    layout->addLayout(listRow);
    layout->addLayout(buttons);

    connect(Tl_Ok, &QPushButton::clicked, this, &TOtevrit::Tl_OkClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &TOtevrit::Tl_StornoClick);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this,
            [this] { Tl_Ok->setEnabled(!ListView1->selectedItems().isEmpty()); });
    // Double clicks and Enter are taken here rather than through the list's activation, which some
    // desktop styles give to a single click.
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);

    FormCreate();
}

void TOtevrit::FormCreate() {
    WaitCursor wait;
    // Not yet modal: the user's keys and clicks wait, so that no command starts meanwhile.
    const auto idle = ServeEventsEvery(50);
    const QString folder = YearFolder(m_settings);
    const QStringList files = OrderFile::ListOrderFiles(folder, idle);
    QList<QTreeWidgetItem*> items;
    items.reserve(files.size());
    OrderFileReader reader;
    for (const QString& name : files) {
        items << orderRow(reader, folder + QLatin1Char('/') + name);
        idle();
    }
    // Added at once: one by one, the list would tell its view about every row.
    ListView1->addTopLevelItems(items);
    Tl_Ok->setEnabled(false);
}

QTreeWidgetItem* TOtevrit::orderRow(OrderFileReader& reader, const QString& filePath) {
    const QString name = QFileInfo(filePath).fileName();
    auto* item = new QTreeWidgetItem;
    item->setText(0, name.chopped(4));
    item->setData(0, Qt::UserRole, filePath); // the name as listed, also with ".PPU"
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight};
    for (int c = 0; c < 4; ++c)
        item->setTextAlignment(c, alignments[c] | Qt::AlignVCenter);
    try {
        if (!reader.Read(filePath))
            throw VelorinError(reader.problem());
        const OrderSummary summary = SummariseOrderFile(reader);
        item->setText(1, summary.date);
        item->setText(2, QString::number(summary.count));
        item->setText(3, CzechFormat::Fixed2(summary.sum));
    } catch (const VelorinError& e) {
        // The file stays in the list, marked, so that the user sees it is there.
        item->setText(1, QStringLiteral("nečitelný"));
        item->setToolTip(0, PlainToolTip(e.message())); // quotes the text of the file
        item->setForeground(1, Qt::darkRed);
        m_problems << name + QStringLiteral(": ") + e.message();
    }
    return item;
}

void TOtevrit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_problems.isEmpty() && !m_problemsShown) {
        m_problemsShown = true;
        QTimer::singleShot(0, this, [this] {
            InfoBox(QStringLiteral("Některé příkazy nelze přečíst:\n") + m_problems.join(QLatin1Char('\n')));
        });
    }
}

bool TOtevrit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            QTreeWidgetItem* item = ListView1->itemAt(mouse->position().toPoint());
            // A click where there is no row leaves none selected, as in a list of files.
            if (!item)
                ListView1->clearSelection();
            if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
                if (item)
                    ListView1->setCurrentItem(item);
                Tl_OkClick();
                return true;
            }
        }
    } else if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Tl_OkClick();
            return true;
        }
        // The list gets a current row with the focus but none selected: the first arrow key selects
        // that row instead of skipping it.
        if ((key == Qt::Key_Down || key == Qt::Key_Up) && ListView1->selectedItems().isEmpty() &&
            ListView1->currentItem()) {
            ListView1->currentItem()->setSelected(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TOtevrit::Tl_OkClick() {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty()) {
        InfoBox(QStringLiteral("Není vybrána žádná položka"));
        return;
    }
    const QString path = selected.first()->data(0, Qt::UserRole).toString();
    if (!QFileInfo::exists(path))
        return; // removed since the list was filled; the user may cancel or pick another
    m_path = path;
    accept();
}

void TOtevrit::Tl_StornoClick() {
    m_path.clear();
    reject();
}
