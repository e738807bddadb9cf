#include "dialogs/PredvolbyPlateb_f.h"

#include "common/CommandRunner.h"
#include "common/Dialogs.h"
#include "dialogs/EditacePredvolbyPlatby_f.h"
#include "dialogs/OrderHost.h"
#include "order/Presets.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kNoSelection = QStringLiteral("Není vybrána žádná položka");

} // namespace

TPredvolbyPlateb::TPredvolbyPlateb(OrderHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_path(PresetsFilePath(host.settings().ProgramFolder)) {
    setObjectName(QStringLiteral("PredvolbyPlateb"));
    setWindowTitle(QStringLiteral("Předvolby plateb"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setMinimumSize(340, 280);

    const auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(caption);
        button->setAutoDefault(false);
        return button;
    };
    Tl_PridatPolozku = makeButton("Tl_PridatPolozku", QStringLiteral("Přidat položku"));
    Tl_EditovatPolozku = makeButton("Tl_EditovatPolozku", QStringLiteral("Editovat"));
    Tl_OdstranitPolozku = makeButton("Tl_OdstranitPolozku", QStringLiteral("Odstranit"));
    Tl_Setridit = makeButton("Tl_Setridit", QStringLiteral("Setřídit"));
    Tl_Storno = makeButton("Tl_Storno", QStringLiteral("Storno"));
    // One width for the whole column, the widest caption with some air.
    int buttonWidth = 0;
    for (QPushButton* b : {Tl_PridatPolozku, Tl_EditovatPolozku, Tl_OdstranitPolozku, Tl_Setridit, Tl_Storno})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width() + 16);
    for (QPushButton* b : {Tl_PridatPolozku, Tl_EditovatPolozku, Tl_OdstranitPolozku, Tl_Setridit, Tl_Storno})
        b->setFixedWidth(buttonWidth);

    auto* column = new QVBoxLayout;
    column->addWidget(Tl_PridatPolozku);
    column->addWidget(Tl_EditovatPolozku);
    column->addWidget(Tl_OdstranitPolozku);
    column->addSpacing(12);
    column->addWidget(Tl_Setridit);
    column->addStretch(1);
    column->addWidget(Tl_Storno);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(column);

    QWidget::setTabOrder(ListBox1, Tl_PridatPolozku);
    QWidget::setTabOrder(Tl_PridatPolozku, Tl_EditovatPolozku);
    QWidget::setTabOrder(Tl_EditovatPolozku, Tl_OdstranitPolozku);
    QWidget::setTabOrder(Tl_OdstranitPolozku, Tl_Setridit);
    QWidget::setTabOrder(Tl_Setridit, Tl_Storno);

    // A failed write must end in the error box, never unwind through the event loop.
    ConnectCommand(Tl_PridatPolozku, &QPushButton::clicked, this, &TPredvolbyPlateb::Tl_PridatPolozkuClick);
    ConnectCommand(Tl_EditovatPolozku, &QPushButton::clicked, this, &TPredvolbyPlateb::Tl_EditovatPolozkuClick);
    ConnectCommand(Tl_OdstranitPolozku, &QPushButton::clicked, this, &TPredvolbyPlateb::Tl_OdstranitPolozkuClick);
    ConnectCommand(Tl_Setridit, &QPushButton::clicked, this, &TPredvolbyPlateb::Tl_SetriditClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { UpdatePresetButtons(); });

    FormCreate();
}

void TPredvolbyPlateb::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPredvolbyPlateb::FormCreate() {
    m_presetLines = ReadPresetLines(m_path);
    FillList();
    UpdatePresetButtons();
}

void TPredvolbyPlateb::FillList() {
    ListBox1->setUpdatesEnabled(false);
    ListBox1->clear();
    for (const QString& line : std::as_const(m_presetLines))
        ListBox1->addItem(PresetLineName(line));
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
    ListBox1->setUpdatesEnabled(true);
}

void TPredvolbyPlateb::UpdatePresetButtons() {
    const bool any = ListBox1->count() > 0;
    Tl_EditovatPolozku->setEnabled(any);
    Tl_OdstranitPolozku->setEnabled(any);
}

int TPredvolbyPlateb::selectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

bool TPredvolbyPlateb::RunEditor(TEditacePredvolbyPlatby& editor) {
    return editor.exec() == QDialog::Accepted;
}

void TPredvolbyPlateb::Tl_PridatPolozkuClick() {
    m_editedIndex = -1;
    TEditacePredvolbyPlatby editor(this);
    editor.setWindowTitle(QStringLiteral("Nová položka předvolby"));
    editor.setPreset(PaymentPreset{});
    if (RunEditor(editor))
        StorePresetLine(PresetLine(editor.preset()));
}

void TPredvolbyPlateb::Tl_EditovatPolozkuClick() {
    const int index = selectedIndex();
    if (index < 0) {
        InfoBox(kNoSelection);
        return;
    }
    m_editedIndex = index;
    // The entry under edit ends with the command, however it ends.
    struct ClearEdited {
        int& index;
        ~ClearEdited() { index = -1; }
    } clearEdited{m_editedIndex};

    const PaymentPreset preset = PresetFromLine(m_presetLines.at(index));
    TEditacePredvolbyPlatby editor(this);
    editor.setWindowTitle(QStringLiteral("Editace položky - ") + preset.Name);
    editor.setPreset(preset);
    if (RunEditor(editor))
        StorePresetLine(PresetLine(editor.preset()));
}

void TPredvolbyPlateb::StorePresetLine(const QString& line) {
    const QStringList before = m_presetLines;
    if (m_editedIndex >= 0 && m_editedIndex < m_presetLines.size())
        m_presetLines[m_editedIndex] = line;
    else
        m_presetLines.append(line);
    try {
        SavePresets();
    } catch (...) {
        // What the list shows is what the file holds: a change that could not be saved is undone.
        m_presetLines = before;
        throw;
    }
    if (m_editedIndex >= 0 && m_editedIndex < ListBox1->count())
        ListBox1->item(m_editedIndex)->setText(PresetLineName(line));
    else
        ListBox1->addItem(PresetLineName(line));
    ListBox1->clearSelection();
    UpdatePresetButtons();
}

void TPredvolbyPlateb::Tl_OdstranitPolozkuClick() {
    const int index = selectedIndex();
    if (index < 0) {
        InfoBox(kNoSelection);
        return;
    }
    if (QuestionBox(QStringLiteral("Smazání položky"), QStringLiteral("Opravdu chcete vybranou položku odstranit?"),
                    QuestionKind::Question) != Answer::Yes)
        return;
    const QStringList before = m_presetLines;
    m_presetLines.removeAt(index);
    try {
        SavePresets();
    } catch (...) {
        m_presetLines = before;
        throw;
    }
    delete ListBox1->takeItem(index);
    ListBox1->clearSelection();
    UpdatePresetButtons();
}

void TPredvolbyPlateb::Tl_SetriditClick() {
    // Nothing stored yet means nothing to sort and nothing worth a word.
    if (!QFileInfo::exists(m_path))
        return;
    if (QuestionBox(QStringLiteral("Varování"),
                    QStringLiteral("Opravdu chcete setřídit položky v seznamu?\r\n(po setřídění dojde k uložení "
                                   "položek v novém pořadí)"),
                    QuestionKind::Question) != Answer::Yes)
        return;
    if (!SortPresetsFile(m_path))
        return;
    m_presetLines = ReadPresetLines(m_path);
    FillList();
    UpdatePresetButtons();
}

void TPredvolbyPlateb::SavePresets() {
    WritePresetLines(m_path, m_presetLines);
}
