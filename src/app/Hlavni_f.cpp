#include "app/Hlavni_f.h"

#include "app/OrderGrid.h"
#include "app/Otevrit_f.h"
#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Clock.h"
#include "common/CommandRunner.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/HomePage.h"
#include "common/PlainText.h"
#include "common/ServeEvents.h"
#include "dialogs/ExportABO_f.h"
#include "dialogs/ExportXML_f.h"
#include "dialogs/Konfigurace_f.h"
#include "dialogs/PlatbyZFaktur_f.h"
#include "dialogs/Polozky_f.h"
#include "dialogs/PredvolbyPlateb_f.h"
#include "dialogs/QrPlatba_f.h"
#include "dialogs/VlozitRadky_f.h"
#include "invoice/InvoiceFile.h"
#include "order/DataFolder.h"
#include "order/OrderFile.h"
#include "overview/Sestavy_f.h"
#include "print/OrderPrint.h"
#include "print/QrSheet.h"
#include "print/TextListings.h"
#include "report/ShowReport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <qdrawutil.h>

static void initResources() {
    Q_INIT_RESOURCE(app);
}

namespace {

const QString kCaption = QStringLiteral("Příkaz k úhradě");
constexpr int kClientWidth = 632;
constexpr int kToolbarHeight = 27;
constexpr int kPanelHeight = 431;

struct CommandRow {
    const char* menu;
    bool separatorBefore;
    const char* name; // HMenu_ name; the toolbar button is TB_ with the same suffix
    const char* caption;
    const char* shortcut;
    int picture; // -1: none
    bool onToolbar;
    const char* hint;
    void (THlavni::*handler)();
};

// Menus, captions, shortcuts, pictures and toolbar hints of every command.
const CommandRow kCommands[] = {
    {"Příkaz", false, "Novy", "Nový ...", "Ctrl+N", 0, true, "Nový příkaz (crtl+N)", &THlavni::HMenu_NovyClick},
    {"Příkaz", false, "Otevrit", "Otevřít ...", "Ctrl+O", 1, true, "Otevřít příkaz (Ctrl+O)",
     &THlavni::HMenu_OtevritClick},
    {"Příkaz", false, "NovyPodlePrikazu", "Nový podle příkazu…", "Ctrl+Shift+N", 18, true,
     "Nový příkaz podle jiného (Ctrl+Shift+N)", &THlavni::HMenu_NovyPodlePrikazuClick},
    {"Příkaz", false, "Zavrit", "&Zavřít", "Ctrl+W", 2, true, "Zavřít příkaz (Ctrl+W)", &THlavni::HMenu_ZavritClick},
    {"Příkaz", true, "Tisk", "Náhled a tisk příkazu", "Ctrl+P", 4, true, "Náhled a tisk příkazu (Ctrl+P)",
     &THlavni::HMenu_TiskClick},
    {"Příkaz", false, "TiskQrKodu", "Tisk QR kódů", "", 17, false, "", &THlavni::HMenu_TiskQrKoduClick},
    {"Příkaz", true, "Konec", "Konec", "", 6, true, "Ukončení programu", &THlavni::HMenu_KonecClick},
    {"Položky", false, "EditovatPolozku", "Editovat položku", "Ins", 7, true, "Editovat položku (Ins)",
     &THlavni::HMenu_EditovatPolozkuClick},
    {"Položky", false, "SmazatPolozku", "Smazat položku", "", 11, true, "Odstranit položku",
     &THlavni::HMenu_SmazatPolozkuClick},
    {"Položky", true, "VyjmoutPolozku", "Vyjmout položku", "Ctrl+X", 8, true, "Vyjmout položku (Ctrl+X)",
     &THlavni::HMenu_VyjmoutPolozkuClick},
    {"Položky", false, "KopirovatPolozku", "Kopírovat položku", "Ctrl+C", 9, true, "Kopírovat položku (Ctrl+C)",
     &THlavni::HMenu_KopirovatPolozkuClick},
    {"Položky", false, "VlozitPolozku", "Vložit položku", "Ctrl+V", 10, true, "Vložit položku (Ctrl+V)",
     &THlavni::HMenu_VlozitPolozkuClick},
    {"Položky", false, "VlozitRadkyZTabulky", "Vložit řádky z tabulky", "Ctrl+Shift+V", -1, false, "",
     &THlavni::HMenu_VlozitRadkyZTabulkyClick},
    {"Položky", false, "NacistPolozkyZeSouboru", "Načíst položky ze souboru…", "", -1, false, "",
     &THlavni::HMenu_NacistPolozkyZeSouboruClick},
    {"Položky", false, "NacistPlatbu", "Načíst platbu z faktury…", "", -1, false, "",
     &THlavni::HMenu_NacistPlatbuClick},
    {"Položky", true, "ZmenitDatum", "Změnit datum", "", 15, true, "Změnit datum", &THlavni::HMenu_ZmenitDatumClick},
    {"Položky", true, "QrPlatba", "QR Platba", "", 17, true, "QR Platba položky", &THlavni::HMenu_QrPlatbaClick},
    {"Nástroje", false, "Konfig", "Konfigurace", "", 12, true, "Konfigurace prostředí", &THlavni::HMenu_KonfigClick},
    {"Nástroje", false, "Predvolby", "Nastavení předvoleb plateb", "", 13, true, "Nastavení předvoleb plateb",
     &THlavni::HMenu_PredvolbyClick},
    {"Nástroje", false, "NacistCiselnikBank", "Načíst číselník bank…", "", -1, false, "",
     &THlavni::HMenu_NacistCiselnikBankClick},
    {"Nástroje", true, "Sestavy", "Sestavy", "", 14, true, "Sestavy", &THlavni::HMenu_SestavyClick},
    {"Nástroje", true, "TxtVypis", "Textový výpis příkazu", "", -1, false, "", &THlavni::HMenu_TxtVypisClick},
    {"Nástroje", false, "TxtVypisStrukturovany", "Strukturovaný výpis", "", -1, false, "",
     &THlavni::HMenu_TxtVypisStrukturovanyClick},
    {"Nástroje", true, "ExportABO", "Export příkazu do formátu ABO", "", 16, true, "", &THlavni::HMenu_ExportABOClick},
    {"Nástroje", false, "ExportXML", "Export příkazu do formátu XML (pain.001)", "", -1, false, "",
     &THlavni::HMenu_ExportXMLClick},
    {"Nápověda", false, "ObsahNapovedy", "Nápověda (on-line)", "F1", 5, true, "Vyvolání nápovědy (F1)",
     &THlavni::HMenu_ObsahNapovedyClick},
    {"Nápověda", false, "Domu", "Velorin - domovská stránka", "", -1, false, "", &THlavni::HMenu_DomuClick},
    {"Nápověda", true, "Oprogramu", "O programu", "", -1, false, "", &THlavni::HMenu_OprogramuClick},
};

// Toolbar groups, left to right.
const std::vector<std::vector<const char*>> kToolbarGroups = {
    {"Konec"},
    {"Novy", "Otevrit", "NovyPodlePrikazu", "Zavrit"},
    {"Tisk"},
    {"EditovatPolozku", "SmazatPolozku", "QrPlatba"},
    {"VyjmoutPolozku", "KopirovatPolozku", "VlozitPolozku"},
    {"ZmenitDatum"},
    {"Konfig", "Predvolby", "Sestavy", "ExportABO"},
    {"ObsahNapovedy"},
};

// Commands that need an open order; all others are enabled at all times, but new and open.
const char* const kOrderCommands[] = {"Zavrit",
                                      "Tisk",
                                      "EditovatPolozku",
                                      "SmazatPolozku",
                                      "VyjmoutPolozku",
                                      "KopirovatPolozku",
                                      "VlozitPolozku",
                                      "ZmenitDatum",
                                      "TxtVypis",
                                      "TxtVypisStrukturovany",
                                      "ExportABO",
                                      "QrPlatba",
                                      "TiskQrKodu",
                                      "ExportXML",
                                      "VlozitRadkyZTabulky",
                                      "NacistPolozkyZeSouboru",
                                      "NacistPlatbu"};

const char* const kPictureFiles[] = {"00-novy",     "01-otevrit", "02-zavrit",      "03-disketa",   "04-tisk",
                                     "05-napoveda", "06-konec",   "07-editovat",    "08-vyjmout",   "09-kopirovat",
                                     "10-vlozit",   "11-smazat",  "12-konfigurace", "13-predvolby", "14-sestavy",
                                     "15-datum",    "16-abo",     "17-qrplatba",    "18-novypodle"};

QIcon picture(int index) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kPictureFiles[index])));
}

// Swallows tooltips: the ABO button has no hint of its own.
class NoToolTip : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

// Plain text: the comment and the date come from the order file as they stand.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = PlainLabel(new QLabel(text, parent));
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

// The due date a repeated order proposes: a month after the source's (the month's last day where the
// day does not exist), or today when that is past or the source has no date.
QDate RepeatedOrderDate(const QString& sourceDate, const QDate& today) {
    const std::optional<QDate> source = CzechFormat::ParseDate(sourceDate);
    if (!source)
        return today;
    const QDate next = source->addMonths(1);
    return next < today ? today : next;
}

} // namespace

OrderPanel::OrderPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::NoFrame); // the bevel is drawn inside the border, see paintEvent
}

void OrderPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    // The lowered bevel inside a 4-pixel border.
    qDrawShadePanel(&p, rect().adjusted(4, 4, -4, -4), palette(), true, 1);
    p.setPen(palette().color(QPalette::Mid));
    // The column borders continue up through the headings; the short lines group the symbols.
    p.drawLine(320, 22, 320 + 305 - 1, 22);
    for (int x : {142, 214, 320})
        p.drawLine(x, 6, x, 6 + 33 - 1);
    for (int x : {435, 508})
        p.drawLine(x, 22, x, 22 + 16 - 1);
}

THlavni::THlavni(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_print(std::make_unique<OrderPrint>(&PDFExport1)) {
    initResources();
    setObjectName(QStringLiteral("THlavni"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/velorin.svg")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);
    buildMenuAndToolbar();
    buildPanel();
    FormCreate(programFolder);
    SetDialogParent(this);
}

THlavni::~THlavni() {
    if (DialogParent() == this)
        SetDialogParent(nullptr);
}

void THlavni::FormCreate(const QString& programFolder) {
    QString folder = programFolder.isEmpty() ? ProgramFolderOfRun() : programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QString unreadable;
    m_settings = LoadSettings(folder, &unreadable);
    // Said once the window is on screen, over it; the run goes on with the defaults.
    if (!unreadable.isEmpty())
        QTimer::singleShot(0, this, [unreadable] { ErrorBox(unreadable); });
    if (programFolder.isEmpty())
        TellWhereFilesGo(QCoreApplication::applicationDirPath());
    m_order.Bank = m_settings.payerBank();
    showOrder();

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void THlavni::buildMenuAndToolbar() {
    QHash<QString, QMenu*> menus;
    for (const CommandRow& row : kCommands) {
        const QString menuTitle = QString::fromUtf8(row.menu);
        QMenu*& menu = menus[menuTitle];
        if (!menu)
            menu = menuBar()->addMenu(menuTitle);
        if (row.separatorBefore)
            menu->addSeparator();
        const QString suffix = QLatin1String(row.name);
        auto* act = new QAction(QString::fromUtf8(row.caption), this);
        act->setObjectName(QStringLiteral("HMenu_") + suffix);
        if (row.picture >= 0)
            act->setIcon(picture(row.picture));
        if (*row.shortcut) {
            act->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
            act->setShortcutContext(Qt::WindowShortcut);
        }
        act->setToolTip(QString::fromUtf8(row.hint));
        act->setIconVisibleInMenu(true);
        menu->addAction(act);
        m_actions.insert(suffix, act);
        ConnectCommand(act, this, row.handler);
    }

    m_toolbar = addToolBar(QStringLiteral("Nástroje"));
    m_toolbar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setFixedHeight(kToolbarHeight);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->setStyleSheet(QStringLiteral("QToolBar { border-top: 1px solid palette(mid); border-bottom: 1px solid "
                                            "palette(mid); spacing: 0px; padding: 0px 2px; }"
                                            "QToolBar::separator { width: 8px; }"));
    bool first = true;
    for (const auto& group : kToolbarGroups) {
        if (!first)
            m_toolbar->addSeparator();
        first = false;
        for (const char* name : group) {
            QAction* act = m_actions.value(QLatin1String(name));
            m_toolbar->addAction(act);
            QWidget* button = m_toolbar->widgetForAction(act);
            button->setObjectName(QStringLiteral("TB_") + QLatin1String(name));
            button->setAccessibleName(act->text().remove(QLatin1Char('&')));
            if (act->toolTip().isEmpty() || QLatin1String(name) == QLatin1String("ExportABO"))
                button->installEventFilter(new NoToolTip(button));
        }
    }
}

void THlavni::buildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    central->setFixedSize(kClientWidth, kPanelHeight);
    setCentralWidget(central);

    Panel1 = new OrderPanel(central);
    Panel1->setGeometry(0, 0, kClientWidth, kPanelHeight);
    Panel1->hide(); // no order open at start; showOrder() shows it for one

    makeLabel(Panel1, "La_Popiska1", QStringLiteral("Ve prospěch účtu číslo"), 16, 16);
    makeLabel(Panel1, "La_Popiska2", QStringLiteral("Směrový kód"), 147, 16);
    makeLabel(Panel1, "La_Popiska3", QStringLiteral("Částky plateb"), 232, 16);
    makeLabel(Panel1, "La_Popiska4", QStringLiteral("Symboly plateb"), 424, 8);
    makeLabel(Panel1, "La_Popiska5", QStringLiteral("Variabilní"), 360, 24);
    makeLabel(Panel1, "La_Popiska6", QStringLiteral("Konstantní"), 448, 24);
    makeLabel(Panel1, "La_Popiska7", QStringLiteral("Specifický"), 536, 24);

    Grid1 = new OrderGridView(Panel1);
    m_gridModel = new OrderGridModel(m_order, Grid1);
    m_gridModel->setBanks([this]() -> const BankRegister& { return BanksFor(m_settings.ProgramFolder); });
    m_gridModel->setYear(&m_duplicates);
    Grid1->setModel(m_gridModel);
    Grid1->setGeometry(6, 40, 619, 321);
    for (int c = 0; c < kGridColumns; ++c)
        Grid1->setColumnWidth(c, OrderGridView::kColumnWidths[c] + 1);
    Grid1->selectRow0();
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updateCommentLabel(); });
    connect(Grid1, &OrderGridView::filesDropped, this, [this](int row, const QStringList& paths) {
        if (!isOrderOpen())
            return;
        selectRow(row);
        RunCommand([&] { LoadPaymentsFromInvoices(*this, paths); });
    });
    connect(Grid1, &OrderGridView::doubleClickedRow, this, [this] {
        if (QAction* edit = action(QStringLiteral("HMenu_EditovatPolozku")); edit->isEnabled())
            edit->trigger();
    });

    La_Komentar = makeLabel(Panel1, "La_Komentar", QStringLiteral("Komentář :"), 8, 368);
    La_Komentar->setFixedSize(kClientWidth - 16, La_Komentar->sizeHint().height());
    La_Celkem = makeLabel(Panel1, "La_Celkem", OrderTotalText({}), 8, 388);
    La_Celkem->setFixedSize(kClientWidth - 16, La_Celkem->sizeHint().height());
    La_Datum = makeLabel(Panel1, "La_Datum", QStringLiteral("Datum :"), 8, 408);
    Datum = makeLabel(Panel1, "Datum", QString(), 56, 408);
    Datum->setFixedSize(200, La_Datum->sizeHint().height());
    updateCommentLabel();
}

QAction* THlavni::action(const QString& name) const {
    QString key = name;
    if (key.startsWith(QLatin1String("HMenu_")))
        key = key.mid(6);
    return m_actions.value(key);
}

bool THlavni::isOrderOpen() const {
    return !m_order.FilePath.isEmpty();
}

int THlavni::selectedRow() const {
    return Grid1->currentRowOrFirst();
}

void THlavni::selectRow(int row) {
    Grid1->setCurrentIndex(m_gridModel->index(row, 0));
    Grid1->selectRow(row);
}

QString THlavni::caption() const {
    return isOrderOpen() ? kCaption + QStringLiteral(" - ") + QFileInfo(m_order.FilePath).fileName() : kCaption;
}

void THlavni::UpdateOrderState() {
    const bool open = isOrderOpen();
    setWindowTitle(caption());
    m_actions.value(QStringLiteral("Novy"))->setEnabled(!open);
    m_actions.value(QStringLiteral("Otevrit"))->setEnabled(!open);
    for (const char* name : kOrderCommands)
        m_actions.value(QLatin1String(name))->setEnabled(open);
}

void THlavni::ShowProvisionalTotal(double total) {
    La_Celkem->setText(OrderTotalText({total, {}}));
}

void THlavni::ShowOrderTotal() {
    La_Celkem->setText(OrderTotalText(m_order.ComputeTotal()));
}

void THlavni::RecalcTotal() {
    const TotalResult total = m_order.ComputeTotal();
    m_order.Total = total.total;
    La_Celkem->setText(OrderTotalText(total));
}

void THlavni::SaveOrder() {
    OrderFile::Save(m_order, m_order.FilePath);
    m_duplicates.Update(m_order);
}

void THlavni::indexYear() {
    m_duplicates.Build(YearFolder(m_settings), ServeEventsEvery(50));
}

void THlavni::SaveItem(int row, const OrderItem& item) {
    changeAndSave([&] { m_order.Items[static_cast<size_t>(row)] = item; });
}

void THlavni::SaveItems(const std::vector<std::pair<int, OrderItem>>& rows) {
    changeAndSave([&] {
        for (const auto& [row, item] : rows)
            m_order.Items[static_cast<size_t>(row)] = item;
    });
}

void THlavni::RefreshGrid() {
    m_gridModel->refresh();
    updateCommentLabel();
}

void THlavni::updateCommentLabel() {
    const int row = selectedRow();
    La_Komentar->setText(QStringLiteral("Komentář %1 záznamu :    %2")
                             .arg(row + 1)
                             .arg(m_order.Items[static_cast<size_t>(row)].Comment));
}

void THlavni::showOrder() {
    Panel1->setVisible(isOrderOpen());
    Datum->setText(m_order.OrderDate);
    RecalcTotal();
    RefreshGrid();
    UpdateOrderState();
}

void THlavni::changeAndSave(const std::function<void()>& change) {
    const PaymentOrder before = m_order;
    change();
    try {
        SaveOrder();
    } catch (...) {
        m_order = before;
        showOrder();
        throw;
    }
    showOrder();
}

void THlavni::TellWhereFilesGo(const QString& executableFolder, const FolderProbe& canCreateFiles) {
    // Told already: the folders are not looked at again on every start.
    const QString folder = QDir::cleanPath(executableFolder);
    if (ReadSettingsKey(m_settings, SettingsKeys::FilesElsewhereTold) == folder)
        return;
    const QString notice = FilesElsewhereNotice(executableFolder, m_settings.ProgramFolder, canCreateFiles);
    if (notice.isEmpty())
        return;
    try {
        WriteSettingsKey(m_settings, SettingsKeys::FilesElsewhereTold, folder);
    } catch (const VelorinError&) {
        // Not remembered: the next start says it again, which does no harm.
    }
    QTimer::singleShot(0, this, [notice] { InfoBox(notice); });
}

// ---- order commands ----

void THlavni::HMenu_NovyClick() {
    if (isOrderOpen())
        return;
    m_order.Bank = m_settings.payerBank();
    m_order.OrderDate = CzechFormat::FormatDate(Clock::Today());
    try {
        // Paint while listing, but keep the user's keys and clicks until the order is made: a second
        // command must not start inside this one.
        m_order.FilePath =
            OrderFile::CreateNew(m_order, YearFolder(m_settings), m_settings.AktualniRok, ServeEventsEvery(50));
    } catch (...) {
        // No order is left open whose file does not exist.
        m_order.Clear();
        showOrder();
        throw;
    }
    indexYear();
    showOrder();
    Grid1->setFocus();
}

void THlavni::HMenu_NovyPodlePrikazuClick() {
    PaymentOrder source;
    if (isOrderOpen()) {
        source = m_order;
    } else {
        QString path;
        {
            TOtevrit dialog(m_settings, this);
            dialog.setWindowTitle(QStringLiteral("Nový podle příkazu…"));
            dialog.exec();
            path = dialog.selectedPath();
        }
        if (path.isEmpty())
            return;
        source = OrderFile::Load(path);
    }
    QDate date = RepeatedOrderDate(source.OrderDate, Clock::Today());
    if (!PickProposedDate(date))
        return;

    // Named and saved as Ctrl+N makes an order: the payer's bank of the settings, a new file.
    PaymentOrder copy;
    copy.Bank = m_settings.payerBank();
    copy.OrderDate = CzechFormat::FormatDate(date);
    copy.Items = source.Items;
    copy.FilePath = OrderFile::CreateNew(copy, YearFolder(m_settings), m_settings.AktualniRok, ServeEventsEvery(50));
    // The source closes as Ctrl+W closes it; its file is not written.
    if (isOrderOpen())
        HMenu_ZavritClick();
    m_order = copy;
    selectRow(0);
    indexYear();
    showOrder();
    Grid1->setFocus();
}

void THlavni::HMenu_OtevritClick() {
    if (isOrderOpen())
        return;
    QString path;
    {
        TOtevrit dialog(m_settings, this);
        dialog.exec();
        path = dialog.selectedPath();
    }
    if (path.isEmpty())
        return;
    // Take the file over only when all of it read well.
    qsizetype extraLines = 0;
    m_order = OrderFile::Load(path, &extraLines);
    m_order.FilePath = path;
    m_settings.setPayerBank(m_order.Bank);
    indexYear();
    showOrder();
    Grid1->setFocus();
    // The format has room for 21 lines; what a hand edit put after them goes with the next save.
    if (extraLines > 0) {
        InfoBox(QStringLiteral("Soubor %1 obsahuje %2 navíc; při uložení se %3.")
                    .arg(QDir::toNativeSeparators(path),
                         CzechFormat::CountOf(extraLines, QStringLiteral("řádek"), QStringLiteral("řádky"),
                                              QStringLiteral("řádků")),
                         extraLines == 1 ? QStringLiteral("nezachová") : QStringLiteral("nezachovají")));
    }
}

void THlavni::HMenu_ZavritClick() {
    if (!isOrderOpen())
        return;
    if (CountValidItems() == 0)
        QFile::remove(m_order.FilePath); // a failure leaves the file; nothing is reported
    m_order.Clear();
    m_duplicates.Clear();
    selectRow(0);
    showOrder();
}

void THlavni::HMenu_KonecClick() {
    close();
}

void THlavni::closeEvent(QCloseEvent* event) {
    if (isOrderOpen())
        action(QStringLiteral("HMenu_Zavrit"))->trigger();
    event->accept();
}

void THlavni::HMenu_ZmenitDatumClick() {
    if (!isOrderOpen())
        return;
    const std::optional<QDate> current = CzechFormat::ParseDate(m_order.OrderDate);
    if (!current)
        throw VelorinError(QStringLiteral("Datum příkazu „%1“ není platné datum").arg(m_order.OrderDate));
    QDate date = *current;
    if (!PickDate(date))
        return;
    changeAndSave([&] { m_order.OrderDate = CzechFormat::FormatDate(date); });
}

// ---- item commands ----

void THlavni::HMenu_EditovatPolozkuClick() {
    if (!isOrderOpen())
        return;
    {
        TPolozky editor(*this, this);
        editor.exec();
    }
    RefreshGrid();
}

void THlavni::HMenu_SmazatPolozkuClick() {
    if (!isOrderOpen())
        return;
    const size_t row = static_cast<size_t>(selectedRow());
    if (!m_order.Items[row].isNonEmpty())
        return;
    if (QuestionBox(QStringLiteral("Smazání položky"), QStringLiteral("Opravdu chcete označenou položku odstranit?"),
                    QuestionKind::Warning) != Answer::Yes)
        return;
    changeAndSave([&] { m_order.Items[row].clear(); });
}

void THlavni::HMenu_KopirovatPolozkuClick() {
    if (!isOrderOpen())
        return;
    const QString text = RowText(m_order.Items[static_cast<size_t>(selectedRow())]);
    if (text.size() > 7)
        QGuiApplication::clipboard()->setText(text);
}

void THlavni::HMenu_VyjmoutPolozkuClick() {
    if (!isOrderOpen())
        return;
    const size_t row = static_cast<size_t>(selectedRow());
    const QString text = RowText(m_order.Items[row]);
    if (text.size() == 7)
        return;
    QGuiApplication::clipboard()->setText(text);
    changeAndSave([&] { m_order.Items[row].clear(); });
}

void THlavni::HMenu_VlozitPolozkuClick() {
    if (!isOrderOpen())
        return;
    const std::optional<OrderItem> item = ReadClipboardItem(QGuiApplication::clipboard()->text());
    if (!item) {
        InfoBoxCaption(QStringLiteral("Obsah schránky nelze vložit"),
                       QStringLiteral("Text uložený ve schránce není v platném formátu (položka příkazu)."));
        return;
    }
    const size_t row = static_cast<size_t>(selectedRow());
    if (m_order.Items[row].isNonEmpty() &&
        QuestionBox(QString(),
                    QStringLiteral("Pole řádku pro vložení položky nejsou prázdná. Chcete položku vložit a přepsat "
                                   "stávající hodnoty?"),
                    QuestionKind::Question) != Answer::Yes)
        return;
    changeAndSave([&] { m_order.Items[row] = *item; });
}

void THlavni::HMenu_VlozitRadkyZTabulkyClick() {
    if (isOrderOpen())
        PasteRowsCommand(*this, QGuiApplication::clipboard()->text());
}

void THlavni::HMenu_NacistPolozkyZeSouboruClick() {
    if (isOrderOpen())
        LoadRowsFromFileCommand(*this, QDir::homePath());
}

void THlavni::HMenu_NacistPlatbuClick() {
    if (!isOrderOpen())
        return;
    LoadPaymentsFromInvoices(*this, GetOpenFileNames(QStringLiteral("Načíst platbu z faktury"), QDir::homePath(),
                                                     InvoiceFile::FileFilter()));
}

void THlavni::HMenu_QrPlatbaClick() {
    if (!isOrderOpen())
        return;
    TQrPlatba dialog(*this, this);
    dialog.exec();
}

// ---- tools ----

void THlavni::HMenu_KonfigClick() {
    TKonfigurace dialog(*this, this);
    dialog.exec();
    // The open order takes the payer's bank as the settings now hold it; its file does with the next save.
    m_order.Bank = m_settings.payerBank();
}

void THlavni::HMenu_PredvolbyClick() {
    TPredvolbyPlateb dialog(*this, this);
    dialog.exec();
}

void THlavni::HMenu_NacistCiselnikBankClick() {
    const QString path = GetOpenFileName(QStringLiteral("Načíst číselník bank"), m_settings.ProgramFolder,
                                         QStringLiteral("Číselník bank (*.csv);;Všechny soubory (*)"));
    if (path.isEmpty())
        return;
    const BankList list = InstallBankListFile(m_settings.ProgramFolder, path);
    QString report = QStringLiteral("Číselník bank byl načten: %1.")
                         .arg(CzechFormat::CountOf(qint64(list.Banks.size()), QStringLiteral("kód banky"),
                                                   QStringLiteral("kódy bank"), QStringLiteral("kódů bank")));
    if (!list.BadLines.isEmpty()) {
        QStringList lines;
        for (int line : list.BadLines)
            lines << QString::number(line);
        report += QStringLiteral("\r\nŘádky, které nejsou kódem banky, byly vynechány: %1.")
                      .arg(lines.join(QStringLiteral(", ")));
    }
    RefreshGrid(); // the marks follow the new list
    InfoBox(report);
}

void THlavni::HMenu_ExportABOClick() {
    if (isOrderOpen())
        ExportAboCommand(*this);
}

void THlavni::HMenu_ExportXMLClick() {
    if (isOrderOpen())
        ExportXmlCommand(*this);
}

void THlavni::HMenu_TiskClick() {
    if (!isOrderOpen())
        return;
    // Only a warning above the pages: the preview opens and prints all the same.
    const QString warning =
        OrderWarningLine(m_order, BanksFor(m_settings.ProgramFolder), Clock::Today(), &m_duplicates);
    m_print->Report1.SetPreviewWarning(warning);
    m_print->Report2.SetPreviewWarning(warning);
    m_print->PrintOrder(m_order, m_settings.Mena);
}

void THlavni::HMenu_TiskQrKoduClick() {
    if (!isOrderOpen())
        return;
    QrSheet sheet;
    if (sheet.Fill(m_order, m_settings) == 0) {
        InfoBox(sheet.NothingToPrintText());
        return;
    }
    sheet.report().SetPdfExport(&PDFExport1);
    ShowReport(sheet.report());
}

void THlavni::HMenu_SestavyClick() {
    TSestavy dialog(m_settings, this, &PDFExport1);
    dialog.exec();
}

void THlavni::HMenu_TxtVypisClick() {
    if (isOrderOpen())
        ShowTextWindow(caption(), PlainListing(m_order.FilePath));
}

void THlavni::HMenu_TxtVypisStrukturovanyClick() {
    if (isOrderOpen())
        ShowTextWindow(caption(), StructuredListing(m_order, m_settings.Mena));
}

// ---- help ----

QString THlavni::HelpUrl() {
    return HomePage::ManualIndexFor(HomePage::ExecutableFolder());
}

// We have no web site: both commands open the manual that comes with the program.
static void OpenManual() {
    const QString index = THlavni::HelpUrl();
    if (index.isEmpty()) {
        InfoBox(QStringLiteral("Příručka programu nebyla nalezena: chybí soubor %1.")
                    .arg(QDir::toNativeSeparators(HomePage::ManualIndexBeside(HomePage::ExecutableFolder()))));
        return;
    }
    ShellOpen(index); // a path: ShellOpen makes it a file address, whatever characters the path holds
}

void THlavni::HMenu_ObsahNapovedyClick() {
    OpenManual();
}

void THlavni::HMenu_DomuClick() {
    OpenManual();
}

void THlavni::HMenu_OprogramuClick() {
    // The release's date as a fixed text, not the build's day: every build of a release shows the same box.
    ShowAboutBox(ProgramVersionText(), QStringLiteral("2022-01-07"), m_settings.ProgramFolder);
}
