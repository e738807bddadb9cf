#include "overview/Sestavy_f.h"

#include "common/CommandRunner.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/PlainText.h"
#include "common/ServeEvents.h"
#include "common/ToolBarKeys.h"
#include "common/WaitCursor.h"
#include "order/OrderFile.h"
#include "order/PaymentOrder.h"
#include "order/Settings.h"
#include "overview/FindDialog.h"
#include "overview/OverviewLayout.h"
#include "overview/OverviewModel.h"
#include "report/ShowReport.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

static void initResources() {
    Q_INIT_RESOURCE(overview);
}

namespace {

constexpr int kClientWidth = 853;
constexpr int kClientHeight = 643;
// More names would not fit a message box; the count says how many more there are.
constexpr int kProblemsShown = 20;

} // namespace

// ---- window ----

TSestavy::TSestavy(const Settings& settings, QWidget* parent, PdfExportConfig* pdfExport)
    : QDialog(parent), m_settings(settings) {
    initResources();
    setObjectName(QStringLiteral("TSestavy"));
    setWindowTitle(QStringLiteral("Sestavy"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setSizeGripEnabled(false);

    buildToolBar();

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    Grid1 = new QTableView(panel);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_model = new OverviewModel(m_table, Grid1);
    Grid1->setModel(m_model);
    Grid1->setItemDelegate(new OverviewDelegate(Grid1));
    Grid1->horizontalHeader()->hide();
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setMinimumSectionSize(1);
    Grid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (int c = 0; c < OverviewTable::kColumns; ++c)
        Grid1->setColumnWidth(c, kColumnWidths[c]);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setShowGrid(true);
    Grid1->setWordWrap(false);
    Grid1->setTabKeyNavigation(false);
    Grid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    panelLayout->addWidget(Grid1);
    Grid1->installEventFilter(this);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    const int widths[] = {120, 250, 0};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = PlainLabel(new QLabel(status)); // the total shows the currency of the settings
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i])
            m_panels[i]->setFixedWidth(widths[i]);
        status->addPermanentWidget(m_panels[i], widths[i] ? 0 : 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(panel, 1);
    layout->addWidget(status);

    resize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(m_model, &QAbstractItemModel::modelReset, this, &TSestavy::refreshPosition);
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentChanged, this, &TSestavy::refreshPosition);

    FindDialog1 = new TFindDialog(this);
    ConnectCommand(FindDialog1, &TFindDialog::findNext, this, &TSestavy::FindDialog1Find);

    Report1.SetLayout(OverviewListLayout());
    Report1.SetPdfExport(pdfExport);
    Report1.SetOnGetValue([this](const QString& name, QString& value) { Report1GetValue(name, value); });

    FormCreate();
}

TSestavy::~TSestavy() = default;

void TSestavy::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    // Each command has a key, shown in its tooltip. Up, Down, Home and End stay the grid's; Ctrl+P
    // previews and prints as in the main window.
    const struct {
        const char* name;
        const char* icon;
        const char* hint;
        void (TSestavy::*handler)();
        bool separatorAfter;
        QKeySequence key;
    } buttons[] = {
        {"ToolButton12", "zavrit", "Uzavření formuláře", &TSestavy::ToolButton12Click, true, Qt::Key_Escape},
        {"Tb_PrvniZaznam", "prvni", "První záznam", &TSestavy::Tb_PrvniZaznamClick, false, Qt::CTRL | Qt::Key_Home},
        {"TB_PredchoziZaznam", "predchozi", "Předchozí záznam", &TSestavy::TB_PredchoziZaznamClick, false,
         Qt::CTRL | Qt::Key_Up},
        {"TB_NasledujiciZaznam", "nasledujici", "Následující záznam", &TSestavy::TB_NasledujiciZaznamClick, false,
         Qt::CTRL | Qt::Key_Down},
        {"TB_PosledniZaznam", "posledni", "Poslední záznam", &TSestavy::TB_PosledniZaznamClick, true,
         Qt::CTRL | Qt::Key_End},
        {"TB_Hledat", "hledat", "Hledat v aktuálním poli", &TSestavy::TB_HledatClick, true, Qt::CTRL | Qt::Key_F},
        {"TB_Setridit", "setridit", "Setřídit vzestupně", &TSestavy::TB_SetriditClick, true, Qt::CTRL | Qt::Key_T},
        {"TB_Filtr", "filtr", "Filtr podle aktuálního pole", &TSestavy::TB_FiltrClick, false, Qt::CTRL | Qt::Key_L},
        {"TB_FiltrRozsir", "filtr-rozsireny", "Rozšířený filtr", &TSestavy::TB_FiltrRozsirClick, false,
         Qt::CTRL | Qt::SHIFT | Qt::Key_L},
        {"TB_ZrusitFiltr", "zrusit-filtr", "Zrušit filtr", &TSestavy::TB_ZrusitFiltrClick, true, Qt::Key_F5},
        {"TB_Tisk", "tisk", "Náhled a tisk sestavy", &TSestavy::TB_TiskClick, false, Qt::CTRL | Qt::Key_P},
    };
    for (const auto& b : buttons) {
        const QString hint = QString::fromUtf8(b.hint);
        auto* act =
            new QAction(QIcon(QStringLiteral(":/overview/icons/%1.svg").arg(QLatin1String(b.icon))), hint, this);
        act->setObjectName(QLatin1String(b.name));
        act->setShortcut(b.key);
        act->setShortcutContext(Qt::WindowShortcut);
        act->setToolTip(hint + QStringLiteral(" (") + b.key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        ToolBar1->addAction(act);
        addAction(act);
        QWidget* button = ToolBar1->widgetForAction(act);
        button->setObjectName(QLatin1String(b.name));
        button->setAccessibleName(hint);
        ConnectCommand(act, this, b.handler);
        m_buttons.insert(QLatin1String(b.name), act);
        if (b.separatorAfter)
            ToolBar1->addSeparator();
    }
    // Find next without the dialog, with what it was last set to.
    auto* next = new QAction(QStringLiteral("Hledat další"), this);
    next->setObjectName(QStringLiteral("Act_HledatDalsi"));
    next->setShortcut(QKeySequence(Qt::Key_F3));
    next->setShortcutContext(Qt::WindowShortcut);
    ConnectCommand(next, this, &TSestavy::HledatDalsi);
    addAction(next);
    new ToolBarKeys(ToolBar1, ToolBarKeys::DefaultKey());
}

void TSestavy::FormCreate() {
    m_folder = YearFolder(m_settings);
    {
        WaitCursor wait;
        seznamsouboru();
    }
    nacistdata();
    m_allRowCount = m_table.rowCount();
    showFilterState();
    cenacelkem();
    setCurrentCell(0, 0);
}

void TSestavy::seznamsouboru() {
    m_fileNames = OrderFile::ListOrderFiles(m_folder, ServeEventsEvery(50));
    if (m_fileNames.isEmpty())
        InfoBox(QStringLiteral("Nebyl nalezený žádný soubor *.ppu"));
}

void TSestavy::nacistdata() {
    // Read aside and swapped in: the grid paints during the read and must see whole rows.
    OverviewTable fresh;
    QStringList problems;
    if (m_fileNames.isEmpty()) {
        fresh.Load(m_folder, {}, problems);
        m_model->change([&] { m_table = std::move(fresh); });
        InfoBox(QStringLiteral("Nebyl nalezený žádný soubor *.ppu. Tabulku nelze naplnit."));
        return;
    }
    {
        WaitCursor wait;
        fresh.Load(m_folder, m_fileNames, problems, ServeEventsEvery(50));
    }
    m_model->change([&] { m_table = std::move(fresh); });
    if (!problems.isEmpty()) {
        const qsizetype more = problems.size() - kProblemsShown;
        if (more > 0) {
            problems = problems.mid(0, kProblemsShown);
            problems << QStringLiteral("… a %1").arg(CzechFormat::CountOf(more, QStringLiteral("další soubor"),
                                                                          QStringLiteral("další soubory"),
                                                                          QStringLiteral("dalších souborů")));
        }
        InfoBox(QStringLiteral("Některé příkazy nelze přečíst:\n") + problems.join(QLatin1Char('\n')));
    }
}

QString TSestavy::totalText() const {
    const OverviewTable::Total total = m_table.total();
    QString text =
        QStringLiteral("Celkem k platbě :   ") + CzechFormat::Fixed2(total.sum) + QLatin1Char(' ') + m_settings.Mena;
    // A hand-edited amount that is no number must not make the total silently wrong.
    if (total.leftOut > 0)
        text += QStringLiteral("    ") + UnreadableCountNote(total.leftOut);
    return text;
}

void TSestavy::cenacelkem() {
    m_panels[2]->setText(totalText());
}

void TSestavy::showFilterState() {
    const int rows = m_table.rowCount();
    m_panels[1]->setText(rows == m_allRowCount
                             ? QStringLiteral("Filtr není aktivován")
                             : QStringLiteral("Filtr je aktivován (%1 z %2)").arg(rows).arg(m_allRowCount));
}

void TSestavy::stavytlacitek() {
    const int row = currentRow();
    const int last = m_table.rowCount() - 1;
    m_buttons.value(QStringLiteral("Tb_PrvniZaznam"))->setEnabled(row > 0);
    m_buttons.value(QStringLiteral("TB_PredchoziZaznam"))->setEnabled(row > 0);
    m_buttons.value(QStringLiteral("TB_NasledujiciZaznam"))->setEnabled(row < last);
    m_buttons.value(QStringLiteral("TB_PosledniZaznam"))->setEnabled(row < last);
}

void TSestavy::refreshPosition() {
    m_panels[0]->setText(QStringLiteral("Záznam %1 z %2").arg(currentRow() + 1).arg(m_table.rowCount()));
    stavytlacitek();
}

int TSestavy::currentRow() const {
    const QModelIndex index = Grid1->currentIndex();
    return index.isValid() ? index.row() : 0;
}

int TSestavy::currentColumn() const {
    const QModelIndex index = Grid1->currentIndex();
    return index.isValid() ? index.column() : 0;
}

void TSestavy::setCurrentCell(int row, int column) {
    row = std::clamp(row, 0, m_table.rowCount() - 1);
    column = std::clamp(column, 0, OverviewTable::kColumns - 1);
    const QModelIndex index = m_model->index(row, column);
    Grid1->setCurrentIndex(index);
    Grid1->scrollTo(index);
    refreshPosition();
}

QString TSestavy::panelText(int panel) const {
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

// ---- navigation ----

void TSestavy::ToolButton12Click() {
    close();
}

void TSestavy::Tb_PrvniZaznamClick() {
    setCurrentCell(0, currentColumn());
}

void TSestavy::TB_PredchoziZaznamClick() {
    if (currentRow() > 0)
        setCurrentCell(currentRow() - 1, currentColumn());
}

void TSestavy::TB_NasledujiciZaznamClick() {
    if (currentRow() < m_table.rowCount() - 1)
        setCurrentCell(currentRow() + 1, currentColumn());
}

void TSestavy::TB_PosledniZaznamClick() {
    setCurrentCell(m_table.rowCount() - 1, currentColumn());
}

// ---- find ----

void TSestavy::TB_HledatClick() {
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

void TSestavy::HledatDalsi() {
    if (FindDialog1->findText().isEmpty()) {
        TB_HledatClick();
        return;
    }
    FindDialog1Find();
}

void TSestavy::FindDialog1Find() {
    const bool down = FindDialog1->down();
    SearchRow = currentRow() + (down ? 1 : -1);
    const std::optional<int> found = m_table.Find(FindDialog1->findText(), currentColumn(), SearchRow, down,
                                                  FindDialog1->matchCase(), FindDialog1->wholeWord());
    if (found) {
        setCurrentCell(*found, currentColumn());
        return;
    }
    InfoBox(QStringLiteral("Další výskyt řetězce :  ") + FindDialog1->findText() + QStringLiteral("   nebyl nalezen."));
    FindDialog1->close();
}

// ---- filter ----

void TSestavy::Filtr(const QString& criterion, int column) {
    if (criterion.isEmpty()) {
        InfoBox(QStringLiteral("Není zadán žádný řetězec. Opakujte zadání."));
        return;
    }
    const std::vector<int> rows = m_table.Matching(criterion, column);
    if (int(rows.size()) == m_table.rowCount()) {
        InfoBoxCaption(QStringLiteral("Výsledek filtru"),
                       QStringLiteral("Zadanému kritériu vyhovují všechny stávající záznamy."));
        return;
    }
    if (!rows.empty()) {
        const Answer answer =
            QuestionBox(QStringLiteral("Výsledek filtru"),
                        QStringLiteral("Byly nalezeny vyhovující záznamy  (%1) . Chcete je zobrazit?").arg(rows.size()),
                        QuestionKind::Question);
        if (answer != Answer::Yes)
            return;
        const int row = currentRow();
        const int col = currentColumn();
        m_model->change([&] { m_table.Keep(rows); });
        setCurrentCell(row, col);
    } else {
        InfoBox(QStringLiteral("Zadanému řetězci  ") + criterion + QStringLiteral(" nevyhovuje ani jeden záznam."));
    }
    showFilterState();
    cenacelkem();
}

void TSestavy::TB_FiltrClick() {
    Filtr(m_table.cell(currentRow(), currentColumn()), currentColumn());
}

void TSestavy::TB_FiltrRozsirClick() {
    const int column = currentColumn();
    const std::optional<QString> text = GetText(
        QStringLiteral("Rozšířený filtr"), QStringLiteral("Aktuální pole: ") + OverviewTable::ColumnCaption(column),
        m_table.cell(currentRow(), column), this);
    if (!text)
        return;
    if (text->isEmpty()) {
        InfoBox(QStringLiteral("Zadali jste neplatnou hodnotu"));
        return;
    }
    Filtr(*text, column);
}

void TSestavy::TB_ZrusitFiltrClick() {
    const int col = currentColumn();
    nacistdata();
    setCurrentCell(0, col);
    showFilterState();
    cenacelkem();
}

// ---- sort ----

void TSestavy::TB_SetriditClick() {
    VzestupneSetrideni(currentColumn());
}

void TSestavy::VzestupneSetrideni(int column) {
    const int row = currentRow();
    {
        WaitCursor wait;
        m_model->change([&] { m_table.Sort(column); });
    }
    // The current cell keeps its place, so it may now show another row.
    setCurrentCell(row, column);
}

// ---- print ----

void TSestavy::TB_TiskClick() {
    Report1.Rows().SetRangeEndCount(m_table.rowCount());
    Report1.SetVariable(QStringLiteral("Celkem"), TextLiteral(totalText()));
    Report1.SetVariable(QStringLiteral("OznaceniMeny"), TextLiteral(m_settings.Mena));
    ShowReport(Report1);
}

void TSestavy::Report1GetValue(const QString& name, QString& value) {
    for (int c = 0; c < OverviewTable::kColumns; ++c) {
        if (name == QLatin1String(kOverviewFields[size_t(c)])) {
            value = m_table.cell(Report1.Rows().RecNo(), c);
            return;
        }
    }
}

bool TSestavy::eventFilter(QObject* watched, QEvent* event) {
    // The grid has its own use for Ctrl+Home and Ctrl+End (the corner cells): the commands' keys
    // reach the commands, which keep the column.
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (watched == Grid1 && (override || event->type() == QEvent::KeyPress)) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        for (QAction* act : std::as_const(m_buttons))
            if (act->shortcut() == key && act->isEnabled()) {
                event->accept();
                if (!override)
                    act->trigger();
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TSestavy::closeEvent(QCloseEvent* event) {
    FindDialog1->close();
    m_fileNames.clear();
    QDialog::closeEvent(event);
}
