#include "dialogs/VlozitRadky_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "common/TextFile.h"
#include "dialogs/OrderHost.h"
#include "dialogs/RowFill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Rows(qsizetype count) {
    return CzechFormat::CountOf(count, QStringLiteral("řádek"), QStringLiteral("řádky"), QStringLiteral("řádků"));
}

QTableWidgetItem* PlainCell(const QString& text) {
    auto* cell = new QTableWidgetItem(text); // item widgets show plain text
    cell->setFlags(Qt::ItemIsEnabled);
    cell->setToolTip(PlainToolTip(text));
    return cell;
}

} // namespace

TVlozitRadky::TVlozitRadky(OrderHost& host, TableText table, const QString& source, QWidget* parent)
    : QDialog(parent), m_host(host), m_table(std::move(table)) {
    setObjectName(QStringLiteral("VlozitRadky"));
    setWindowTitle(QStringLiteral("Vložit řádky z tabulky"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(820, 440);
    m_first = std::clamp(m_host.selectedRow(), 0, kItemCount - 1);
    m_columns = RecogniseColumns(m_table);

    La_Zdroj = PlainLabel(new QLabel(this));
    La_Zdroj->setObjectName(QStringLiteral("La_Zdroj"));
    La_Zdroj->setText(QStringLiteral("%1 %2, sloupce podle %3. Sloupec změníte nad tabulkou.")
                          .arg(source, Rows(qsizetype(m_table.rows.size()) - (m_columns.header ? 1 : 0)),
                               m_columns.header ? QStringLiteral("záhlaví") : QStringLiteral("pořadí v položce")));
    ChB_Zahlavi = new QCheckBox(QStringLiteral("První řádek je záhlaví"), this);
    ChB_Zahlavi->setObjectName(QStringLiteral("ChB_Zahlavi"));
    ChB_Zahlavi->setChecked(m_columns.header);

    Tabulka = new QTableWidget(this);
    Tabulka->setObjectName(QStringLiteral("Tabulka"));
    Tabulka->setAccessibleName(windowTitle());
    Tabulka->setSelectionMode(QAbstractItemView::NoSelection);
    Tabulka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabulka->setWordWrap(false);
    Tabulka->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Tabulka->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    const int columns = m_table.columnCount();
    Tabulka->setColumnCount(columns + 1);
    for (int c = 0; c < columns; ++c) {
        auto* chooser = new QComboBox(Tabulka);
        chooser->setObjectName(QStringLiteral("Sloupec%1").arg(c + 1));
        for (int k = 0; k < kItemColumnCount; ++k)
            chooser->addItem(ItemColumnName(ItemColumn(k)), k);
        chooser->setAccessibleName(QStringLiteral("Sloupec %1").arg(c + 1));
        chooser->setCurrentIndex(int(m_columns.columns.value(c, ItemColumn::None)));
        connect(chooser, &QComboBox::currentIndexChanged, this, [this, c] { columnChosen(c); });
        m_choosers << chooser;
    }
    Tabulka->horizontalHeader()->setStretchLastSection(true);

    La_Problemy = PlainLabel(new QLabel(this)); // quotes the text as it came
    La_Problemy->setObjectName(QStringLiteral("La_Problemy"));
    La_Problemy->setWordWrap(true);
    QPalette warn = La_Problemy->palette();
    warn.setColor(QPalette::WindowText, QColor(0xA0, 0x10, 0x10));
    La_Problemy->setPalette(warn);
    La_Souhrn = PlainLabel(new QLabel(this));
    La_Souhrn->setObjectName(QStringLiteral("La_Souhrn"));

    Tl_Ok = new QPushButton(QStringLiteral("Ok"), this);
    Tl_Ok->setObjectName(QStringLiteral("Tl_Ok"));
    Tl_Storno = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    for (QPushButton* b : {Tl_Ok, Tl_Storno}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(La_Souhrn, 1);
    buttons->addWidget(Tl_Ok);
    buttons->addWidget(Tl_Storno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(La_Zdroj);
    layout->addWidget(ChB_Zahlavi);
    layout->addWidget(Tabulka, 1);
    layout->addWidget(La_Problemy);
    layout->addLayout(buttons);

    connect(ChB_Zahlavi, &QCheckBox::toggled, this, [this](bool on) {
        m_columns.header = on;
        fillTable();
    });
    connect(Tl_Ok, &QPushButton::clicked, this, [this] {
        try {
            Tl_OkClick();
        } catch (const VelorinError& e) {
            ErrorBox(e.message()); // the rows are as they were; the dialog stays for another try
        }
    });
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);
    fillTable();
}

void TVlozitRadky::setColumn(int column, ItemColumn item) {
    if (column >= 0 && column < m_choosers.size())
        m_choosers[column]->setCurrentIndex(int(item));
}

void TVlozitRadky::columnChosen(int column) {
    const auto chosen = ItemColumn(m_choosers[column]->currentData().toInt());
    m_columns.columns[column] = chosen;
    // A field comes from one column: the one that had it before gives it up.
    if (chosen != ItemColumn::None) {
        for (int c = 0; c < m_columns.columns.size(); ++c) {
            if (c != column && m_columns.columns[c] == chosen) {
                m_columns.columns[c] = ItemColumn::None;
                const QSignalBlocker quiet(m_choosers[c]);
                m_choosers[c]->setCurrentIndex(int(ItemColumn::None));
            }
        }
    }
    fillTable();
}

void TVlozitRadky::fillTable() {
    m_items = ItemsOfTable(m_table, m_columns);
    const int columns = m_table.columnCount();
    const std::size_t firstData = m_columns.header ? 1 : 0;
    const int dataRows = int(m_table.rows.size() - std::min(firstData, m_table.rows.size()));

    QStringList headings;
    for (int c = 0; c < columns; ++c)
        headings << (m_columns.header ? m_table.rows.front().cells.value(c) : QStringLiteral("Sloupec %1").arg(c + 1));
    headings << QStringLiteral("Kontrola");
    // Only the data rows go: clearing the contents would delete the choosers of the first row.
    Tabulka->setRowCount(1);
    Tabulka->setRowCount(dataRows + 1);
    Tabulka->setHorizontalHeaderLabels(headings);
    for (int c = 0; c < columns; ++c)
        Tabulka->setCellWidget(0, c, m_choosers[c]);
    Tabulka->setVerticalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Pole")));

    // The order as it will be, so that a row pasted twice or already in the order is seen.
    PaymentOrder after = m_host.order();
    int target = m_first;
    std::vector<int> targets;
    for (const TableItem& item : m_items) {
        if (item.problem.isEmpty() && target < kItemCount) {
            after.Items[std::size_t(target)] = item.item;
            targets.push_back(target++);
        } else {
            targets.push_back(item.problem.isEmpty() ? kItemCount : -1);
        }
    }
    const BankRegister& banks = BanksFor(m_host.settings().ProgramFolder);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QStringList problems;
    int fitting = 0;
    int good = 0;
    for (int r = 0; r < dataRows; ++r) {
        const TableRow& row = m_table.rows[firstData + std::size_t(r)];
        const TableItem& item = m_items[std::size_t(r)];
        for (int c = 0; c < columns; ++c)
            Tabulka->setItem(r + 1, c, PlainCell(row.cells.value(c)));
        QString check;
        bool warning = true;
        const int to = targets[std::size_t(r)];
        if (!item.problem.isEmpty()) {
            check = QStringLiteral("Nevloží se: ") + item.problem;
            problems << QStringLiteral("Řádek %1 textu se nevloží: %2.").arg(item.line).arg(item.problem);
        } else {
            ++good;
            const QStringList warnings =
                ItemWarnings(item.item, banks, {&after, to < kItemCount ? to : -1, m_host.duplicates()});
            warning = !warnings.isEmpty();
            check = warning ? warnings.join(QStringLiteral(" · ")) : QStringLiteral("v pořádku");
            if (to >= kItemCount)
                check = QStringLiteral("Nevejde se do příkazu") + (warning ? QStringLiteral(" · ") + check : QString());
            else
                ++fitting;
        }
        QTableWidgetItem* cell = PlainCell(check);
        if (warning) {
            cell->setIcon(warningIcon);
            cell->setForeground(QColor(0xA0, 0x10, 0x10));
        }
        Tabulka->setItem(r + 1, columns, cell);
        Tabulka->setVerticalHeaderItem(r + 1, new QTableWidgetItem(to >= 0 && to < kItemCount
                                                                       ? QStringLiteral("→ %1").arg(to + 1)
                                                                       : QStringLiteral("–")));
    }
    Tabulka->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c)
        Tabulka->setColumnWidth(c, std::max(Tabulka->columnWidth(c), m_choosers[c]->sizeHint().width()));
    Tabulka->resizeRowToContents(0);

    La_Problemy->setText(problems.join(QLatin1Char('\n')));
    La_Problemy->setVisible(!problems.isEmpty());
    if (fitting == 0)
        La_Souhrn->setText(QStringLiteral("Není co vložit."));
    else
        La_Souhrn->setText(
            QStringLiteral("Vloží se do řádků %1 až %2 příkazu%3.")
                .arg(m_first + 1)
                .arg(m_first + fitting)
                .arg(good > fitting ? QStringLiteral(", %1 se nevejde").arg(Rows(good - fitting)) : QString()));
    Tl_Ok->setEnabled(good > 0);
}

std::vector<OrderItem> TVlozitRadky::pastedItems() const {
    std::vector<OrderItem> out;
    for (const TableItem& item : m_items)
        if (item.problem.isEmpty())
            out.push_back(item.item);
    return out;
}

QStringList TVlozitRadky::problemLines() const {
    return La_Problemy->text().isEmpty() ? QStringList() : La_Problemy->text().split(QLatin1Char('\n'));
}

void TVlozitRadky::Tl_OkClick() {
    if (FillRowsAsking(m_host, m_first, pastedItems()) > 0)
        accept();
}

void PasteRowsCommand(OrderHost& host, const QString& clipboardText) {
    TableText table = SplitTable(clipboardText);
    if (table.rows.empty()) {
        InfoBoxCaption(QStringLiteral("Obsah schránky nelze vložit"),
                       QStringLiteral("Schránka neobsahuje žádné řádky tabulky."));
        return;
    }
    TVlozitRadky dialog(host, std::move(table), QStringLiteral("Ze schránky:"), host.hostWindow());
    dialog.exec();
}

void LoadRowsFromFileCommand(OrderHost& host, const QString& startFolder) {
    const QString path = GetOpenFileName(QStringLiteral("Načíst položky ze souboru"), startFolder,
                                         QStringLiteral("Tabulka CSV (*.csv *.txt);;Všechny soubory (*)"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    try {
        bytes = TextFile::ReadBytes(path);
    } catch (const TextFile::ReadError& e) {
        throw VelorinError(
            QStringLiteral("Soubor %1 nelze přečíst: %2").arg(QDir::toNativeSeparators(path), e.reason()));
    }
    bool utf8 = false;
    TableText table = SplitTableFile(bytes, &utf8);
    if (table.rows.empty()) {
        InfoBox(QStringLiteral("Soubor %1 neobsahuje žádné řádky tabulky.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QString source =
        QStringLiteral("Ze souboru %1 (%2):")
            .arg(QFileInfo(path).fileName(), utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1250"));
    TVlozitRadky dialog(host, std::move(table), source, host.hostWindow());
    dialog.exec();
}
