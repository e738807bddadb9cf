#include "dialogs/PlatbyZFaktur_f.h"

#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/CommandRunner.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "common/WaitCursor.h"
#include "dialogs/CheckLine.h"
#include "dialogs/OrderHost.h"
#include "dialogs/RowFill.h"
#include "invoice/InvoiceFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Account, Bank, Amount, Vs, Ks, Ss, Due, Comment, Source, File, ColumnCount };

} // namespace

TPlatbyZFaktur::TPlatbyZFaktur(OrderHost& host, std::vector<InvoiceFileFindings> files, QWidget* parent)
    : QDialog(parent), m_host(host), m_files(std::move(files)) {
    setObjectName(QStringLiteral("PlatbyZFaktur"));
    setWindowTitle(QStringLiteral("Platby z faktur"));
    const BankRegister& banks = BanksFor(host.settings().ProgramFolder);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Označené platby se vloží do řádku %1 příkazu a do prázdných řádků za "
                                            "ním. Platby, které vkládat nechcete, odškrtněte.")
                                 .arg(host.selectedRow() + 1),
                             this);
    intro->setObjectName(QStringLiteral("La_Popis"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    LV_Platby = new QTreeWidget(this);
    LV_Platby->setObjectName(QStringLiteral("LV_Platby"));
    LV_Platby->setAccessibleName(QStringLiteral("Nalezené platby"));
    LV_Platby->setRootIsDecorated(false);
    LV_Platby->setUniformRowHeights(true);
    LV_Platby->setColumnCount(ColumnCount);
    LV_Platby->setHeaderLabels({QStringLiteral("Účet příjemce"), QStringLiteral("Banka"), QStringLiteral("Částka"),
                                QStringLiteral("VS"), QStringLiteral("KS"), QStringLiteral("SS"),
                                QStringLiteral("Splatnost"), QStringLiteral("Komentář"), QStringLiteral("Zdroj"),
                                QStringLiteral("Soubor")});
    // Every cell is text from a file: shown as it is, never as rich text.
    for (size_t f = 0; f < m_files.size(); ++f) {
        const QString fileName = QFileInfo(m_files[f].Path).fileName();
        for (size_t p = 0; p < m_files[f].Found.Payments.size(); ++p) {
            const InvoicePayment& payment = m_files[f].Found.Payments[p];
            const OrderItem& item = payment.Item;
            auto* row = new QTreeWidgetItem(LV_Platby);
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(Account, Qt::Checked);
            row->setText(Account, item.Account + u'/' + item.BankCode);
            const BankInfo* bank = banks.Find(item.BankCode);
            row->setText(Bank, bank ? bank->Name : QStringLiteral("neznámý kód banky"));
            QString amount = item.Amount.isEmpty() ? QStringLiteral("neuvedena") : item.Amount;
            if (InvoiceText::IsForeignCurrency(payment.Currency, host.settings().Mena))
                amount += u' ' + payment.Currency;
            row->setText(Amount, amount);
            row->setTextAlignment(Amount, Qt::AlignRight | Qt::AlignVCenter);
            row->setText(Vs, item.VariableSymbol);
            row->setText(Ks, item.ConstantSymbol);
            row->setText(Ss, item.SpecificSymbol);
            row->setText(Due, CzechFormat::FormatDate(payment.DueDate));
            row->setText(Comment, item.Comment);
            row->setText(Source, payment.Source);
            row->setText(File, fileName);
            const PaymentHint hint = DescribePayment(item, banks);
            row->setToolTip(Account, PlainToolTip(hint.Text));
            if (hint.Warning)
                row->setIcon(Account, style()->standardIcon(QStyle::SP_MessageBoxWarning));
            m_rows.emplace_back(f, p);
        }
    }
    int width = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        LV_Platby->resizeColumnToContents(c);
        width += LV_Platby->columnWidth(c);
    }
    // Wide enough for every column, up to a screen of 1280 pixels; the list scrolls beyond.
    LV_Platby->setMinimumSize(std::clamp(width + 2 * LV_Platby->frameWidth() + 4, 640, 1200), 160);
    layout->addWidget(LV_Platby, 1);

    La_Kontrola = new CheckLine(QStringLiteral("La_Kontrola"), this);
    layout->addWidget(La_Kontrola);
    La_Upozorneni = PlainLabel(new QLabel(this));
    La_Upozorneni->setObjectName(QStringLiteral("La_Upozorneni"));
    La_Upozorneni->setWordWrap(true);
    La_Upozorneni->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(La_Upozorneni);

    auto* buttons = new QHBoxLayout;
    Tl_Ok = new QPushButton(QStringLiteral("Ok"), this);
    Tl_Ok->setObjectName(QStringLiteral("Tl_Ok"));
    Tl_Storno = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    for (QPushButton* b : {Tl_Ok, Tl_Storno})
        b->setAccessibleName(b->text());
    Tl_Ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(Tl_Ok);
    buttons->addWidget(Tl_Storno);
    layout->addLayout(buttons);

    ConnectCommand(Tl_Ok, &QPushButton::clicked, this, &TPlatbyZFaktur::Tl_OkClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(LV_Platby, &QTreeWidget::currentItemChanged, this, [this] { showCurrent(); });
    connect(LV_Platby, &QTreeWidget::itemChanged, this, [this] { updateNotes(); });
    if (LV_Platby->topLevelItemCount() > 0)
        LV_Platby->setCurrentItem(LV_Platby->topLevelItem(0));
    showCurrent();
    updateNotes();
}

std::vector<OrderItem> TPlatbyZFaktur::CheckedItems() const {
    std::vector<OrderItem> items;
    for (int i = 0; i < LV_Platby->topLevelItemCount(); ++i)
        if (LV_Platby->topLevelItem(i)->checkState(Account) == Qt::Checked) {
            const auto [f, p] = m_rows[size_t(i)];
            items.push_back(m_files[f].Found.Payments[p].Item);
        }
    return items;
}

QString TPlatbyZFaktur::NotesText() const {
    return La_Upozorneni->text();
}

void TPlatbyZFaktur::showCurrent() {
    const int i = LV_Platby->indexOfTopLevelItem(LV_Platby->currentItem());
    if (i < 0) {
        La_Kontrola->setHint({});
        return;
    }
    const auto [f, p] = m_rows[size_t(i)];
    La_Kontrola->setHint(DescribePayment(m_files[f].Found.Payments[p].Item, BanksFor(m_host.settings().ProgramFolder)));
}

void TPlatbyZFaktur::updateNotes() {
    QStringList notes;
    for (const InvoiceFileFindings& file : m_files)
        if (file.Found.Payments.empty())
            notes << file.Found.Problem;
    const QString orderDate = m_host.order().OrderDate;
    QStringList otherDates;
    for (int i = 0; i < LV_Platby->topLevelItemCount(); ++i) {
        if (LV_Platby->topLevelItem(i)->checkState(Account) != Qt::Checked)
            continue;
        const auto [f, p] = m_rows[size_t(i)];
        const InvoicePayment& payment = m_files[f].Found.Payments[p];
        const QString name = QFileInfo(m_files[f].Path).fileName();
        for (const QString& note : payment.Notes)
            notes << name + QStringLiteral(": ") + note;
        if (InvoiceText::IsForeignCurrency(payment.Currency, m_host.settings().Mena))
            notes << QStringLiteral("%1: platba je v měně %2, příkaz platí v měně %3.")
                         .arg(name, payment.Currency, m_host.settings().Mena);
        const QString due = CzechFormat::FormatDate(payment.DueDate);
        if (!due.isEmpty() && due != orderDate && !otherDates.contains(due))
            otherDates << due;
    }
    if (!otherDates.isEmpty())
        notes << QStringLiteral("Splatnost %1 se liší od data příkazu %2. Příkaz má jedno datum; změníte ho příkazem "
                                "„Změnit datum“.")
                     .arg(otherDates.join(QStringLiteral(", ")), orderDate);
    La_Upozorneni->setText(notes.join(u'\n'));
    La_Upozorneni->setVisible(!notes.isEmpty());
}

void TPlatbyZFaktur::Tl_OkClick() {
    const std::vector<OrderItem> items = CheckedItems();
    if (items.empty()) {
        InfoBox(QStringLiteral("Není označena žádná platba."));
        return;
    }
    if (FillRowsFrom(m_host, m_host.selectedRow(), items))
        accept();
}

void LoadPaymentsFromInvoices(OrderHost& host, const QStringList& paths) {
    if (!host.isOrderOpen() || paths.isEmpty())
        return;
    std::vector<InvoiceFileFindings> files;
    bool any = false;
    {
        WaitCursor wait;
        for (const QString& path : paths) {
            files.push_back({path, InvoiceFile::Read(path)});
            any = any || !files.back().Found.Payments.empty();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    if (!any) {
        QStringList problems;
        for (const InvoiceFileFindings& file : files)
            problems << file.Found.Problem;
        InfoBoxCaption(QStringLiteral("Načíst platbu z faktury"), problems.join(QStringLiteral("\n")));
        return;
    }
    TPlatbyZFaktur dialog(host, std::move(files), host.hostWindow());
    dialog.exec();
}
