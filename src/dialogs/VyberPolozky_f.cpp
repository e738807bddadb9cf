#include "dialogs/VyberPolozky_f.h"

#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNotFound = QStringLiteral("Další shoda výrazu nenalezena.");

QString Lowered(const QString& text) {
    static const QLocale czech = CzechFormat::Locale();
    return czech.toLower(text);
}

} // namespace

TVyberPolozky::TVyberPolozky(const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_path(PresetsFilePath(programFolder)) {
    setObjectName(QStringLiteral("VyberPolozky"));
    setWindowTitle(QStringLiteral("Výběr položky z předvolby"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMinimumWidth(460);
    resize(520, 380);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);

    Ed_Hledat = new QLineEdit(this);
    Ed_Hledat->setObjectName(QStringLiteral("Ed_Hledat"));
    Ed_Hledat->setAccessibleName(QStringLiteral("Hledaný výraz"));
    Ed_Hledat->setClearButtonEnabled(true);
    Ed_Hledat->setPlaceholderText(QStringLiteral("Hledaný výraz"));

    Akce_Hledat = new QAction(QStringLiteral("Hledat"), this);
    Akce_Hledat->setObjectName(QStringLiteral("Akce_Hledat"));
    Akce_Hledat->setShortcut(QKeySequence(Qt::Key_F3));
    Akce_Hledat->setShortcutContext(Qt::WindowShortcut);
    addAction(Akce_Hledat);

    Tl_Hledat = new QPushButton(QStringLiteral("Hledat"), this);
    Tl_Hledat->setObjectName(QStringLiteral("Tl_Hledat"));
    Tl_Hledat->setAccessibleName(QStringLiteral("Hledat"));
    Tl_Hledat->setToolTip(QStringLiteral("Hledat další shodu (F3)"));
    Tl_Vlozit = new QPushButton(QStringLiteral("Vložit"), this);
    Tl_Vlozit->setObjectName(QStringLiteral("Tl_Vlozit"));
    Tl_Vlozit->setAccessibleName(QStringLiteral("Vložit"));
    Tl_Vlozit->setDefault(true);
    Tl_Storno2 = new QPushButton(QStringLiteral("Storno"), this);
    Tl_Storno2->setObjectName(QStringLiteral("Tl_Storno2"));
    Tl_Storno2->setAccessibleName(QStringLiteral("Storno"));

    auto* strip = new QHBoxLayout;
    strip->addWidget(Ed_Hledat, 1);
    strip->addWidget(Tl_Hledat);
    strip->addSpacing(12);
    strip->addWidget(Tl_Vlozit);
    strip->addWidget(Tl_Storno2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(strip);

    QWidget::setTabOrder(ListBox1, Ed_Hledat);
    QWidget::setTabOrder(Ed_Hledat, Tl_Hledat);
    QWidget::setTabOrder(Tl_Hledat, Tl_Vlozit);
    QWidget::setTabOrder(Tl_Vlozit, Tl_Storno2);

    connect(Akce_Hledat, &QAction::triggered, this, &TVyberPolozky::Akce_HledatExecute);
    connect(Tl_Hledat, &QPushButton::clicked, Akce_Hledat, &QAction::trigger);
    connect(Tl_Vlozit, &QPushButton::clicked, this, &QDialog::accept);
    connect(Tl_Storno2, &QPushButton::clicked, this, &QDialog::reject);

    for (const QString& line : ReadPresetLines(m_path))
        ListBox1->addItem(PresetLineName(line));
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    Ed_Hledat->installEventFilter(this);
    Ed_Hledat->setFocus();
}

bool TVyberPolozky::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ed_Hledat && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(ListBox1, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<PaymentPreset> TVyberPolozky::PickPreset(const QString& programFolder, QWidget* parent) {
    try {
        TVyberPolozky picker(programFolder, parent);
        if (picker.exec() != QDialog::Accepted)
            return std::nullopt;
        std::optional<PaymentPreset> preset = picker.selectedPreset();
        if (!preset)
            picker.ExplainNoPreset();
        return preset;
    } catch (const VelorinError& e) {
        ErrorBox(e.message());
        return std::nullopt;
    }
}

int TVyberPolozky::selectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

std::optional<PaymentPreset> TVyberPolozky::selectedPreset() const {
    const int index = selectedIndex();
    if (index < 0)
        return std::nullopt;
    const QStringList lines = ReadPresetLines(m_path);
    if (index >= lines.size())
        return std::nullopt;
    return PresetForItem(lines.at(index));
}

void TVyberPolozky::ExplainNoPreset() const {
    if (selectedIndex() < 0)
        PlainMessage(QStringLiteral("Není vybraná žádná položka."));
    else
        InfoBox(QStringLiteral("Položku nelze přenést, možná je poškozený soubor \"predvolby.pvb\"."));
}

void TVyberPolozky::Akce_HledatExecute() {
    const QString text = TrimPresetField(Ed_Hledat->text());
    if (text.isEmpty()) {
        PlainMessage(QStringLiteral("Zadejte výraz..."));
        Ed_Hledat->setFocus();
        return;
    }
    const int count = ListBox1->count();
    const int current = selectedIndex();
    if (count == 0 || current == count - 1) {
        PlainMessage(kNotFound);
        return;
    }
    ListBox1->setCurrentRow(current + 1);
    if (!SearchFromSelection(text))
        PlainMessage(kNotFound);
}

bool TVyberPolozky::SearchFromSelection(const QString& text) {
    const QString wanted = Lowered(text);
    WaitCursor wait;
    int row = selectedIndex();
    if (row < 0)
        return false;
    for (;;) {
        if (Lowered(ListBox1->item(row)->text()).contains(wanted))
            return true;
        if (row == ListBox1->count() - 1)
            return false;
        ++row;
        ListBox1->setCurrentRow(row);
        ListBox1->scrollToItem(ListBox1->item(row));
    }
}
