#include "AppFixture.h"
#include "common/HomePage.h"

#include "app/OrderGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void menuTable() {
        AppFixture f;
        THlavni& w = f.start();
        // Menu titles, item captions, separators and shortcuts in their order.
        QStringList seen;
        for (QAction* menuAction : w.menuBar()->actions()) {
            seen << QStringLiteral("[") + menuAction->text() + QStringLiteral("]");
            for (QAction* a : menuAction->menu()->actions())
                seen << (a->isSeparator() ? QStringLiteral("-")
                                          : a->objectName() + QLatin1Char('=') + a->text() + QLatin1Char('@') +
                                                a->shortcut().toString());
        }
        const QStringList expected = {
            QStringLiteral("[Příkaz]"),
            QStringLiteral("HMenu_Novy=Nový ...@Ctrl+N"),
            QStringLiteral("HMenu_Otevrit=Otevřít ...@Ctrl+O"),
            QStringLiteral("HMenu_NovyPodlePrikazu=Nový podle příkazu…@Ctrl+Shift+N"),
            QStringLiteral("HMenu_Zavrit=&Zavřít@Ctrl+W"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_Tisk=Náhled a tisk příkazu@Ctrl+P"),
            QStringLiteral("HMenu_TiskQrKodu=Tisk QR kódů@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_Konec=Konec@"),
            QStringLiteral("[Položky]"),
            QStringLiteral("HMenu_EditovatPolozku=Editovat položku@Ins"),
            QStringLiteral("HMenu_SmazatPolozku=Smazat položku@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_VyjmoutPolozku=Vyjmout položku@Ctrl+X"),
            QStringLiteral("HMenu_KopirovatPolozku=Kopírovat položku@Ctrl+C"),
            QStringLiteral("HMenu_VlozitPolozku=Vložit položku@Ctrl+V"),
            QStringLiteral("HMenu_VlozitRadkyZTabulky=Vložit řádky z tabulky@Ctrl+Shift+V"),
            QStringLiteral("HMenu_NacistPolozkyZeSouboru=Načíst položky ze souboru…@"),
            QStringLiteral("HMenu_NacistPlatbu=Načíst platbu z faktury…@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_ZmenitDatum=Změnit datum@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_QrPlatba=QR Platba@"),
            QStringLiteral("[Nástroje]"),
            QStringLiteral("HMenu_Konfig=Konfigurace@"),
            QStringLiteral("HMenu_Predvolby=Nastavení předvoleb plateb@"),
            QStringLiteral("HMenu_NacistCiselnikBank=Načíst číselník bank…@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_Sestavy=Sestavy@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_TxtVypis=Textový výpis příkazu@"),
            QStringLiteral("HMenu_TxtVypisStrukturovany=Strukturovaný výpis@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_ExportABO=Export příkazu do formátu ABO@"),
            QStringLiteral("HMenu_ExportXML=Export příkazu do formátu XML (pain.001)@"),
            QStringLiteral("[Nápověda]"),
            QStringLiteral("HMenu_ObsahNapovedy=Nápověda (on-line)@F1"),
            QStringLiteral("HMenu_Domu=Velorin - domovská stránka@"),
            QStringLiteral("-"),
            QStringLiteral("HMenu_Oprogramu=O programu@"),
        };
        QCOMPARE(seen, expected);
    }

    void toolbarGroupsAndHints() {
        AppFixture f;
        THlavni& w = f.start();
        auto* bar = w.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        QVERIFY(bar);
        QCOMPARE(bar->height(), 27);
        QStringList seen;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator()) {
                seen << QStringLiteral("|");
                continue;
            }
            QWidget* button = bar->widgetForAction(a);
            QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(button, &help);
            const bool swallowed = QToolTip::text() != a->toolTip();
            seen << button->objectName() + QLatin1Char('=') + (swallowed ? QString() : a->toolTip());
            QToolTip::hideText();
            QVERIFY2(!a->icon().isNull(), qPrintable(button->objectName()));
        }
        const QStringList expected = {
            QStringLiteral("TB_Konec=Ukončení programu"),
            QStringLiteral("|"),
            QStringLiteral("TB_Novy=Nový příkaz (crtl+N)"),
            QStringLiteral("TB_Otevrit=Otevřít příkaz (Ctrl+O)"),
            QStringLiteral("TB_NovyPodlePrikazu=Nový příkaz podle jiného (Ctrl+Shift+N)"),
            QStringLiteral("TB_Zavrit=Zavřít příkaz (Ctrl+W)"),
            QStringLiteral("|"),
            QStringLiteral("TB_Tisk=Náhled a tisk příkazu (Ctrl+P)"),
            QStringLiteral("|"),
            QStringLiteral("TB_EditovatPolozku=Editovat položku (Ins)"),
            QStringLiteral("TB_SmazatPolozku=Odstranit položku"),
            QStringLiteral("TB_QrPlatba=QR Platba položky"),
            QStringLiteral("|"),
            QStringLiteral("TB_VyjmoutPolozku=Vyjmout položku (Ctrl+X)"),
            QStringLiteral("TB_KopirovatPolozku=Kopírovat položku (Ctrl+C)"),
            QStringLiteral("TB_VlozitPolozku=Vložit položku (Ctrl+V)"),
            QStringLiteral("|"),
            QStringLiteral("TB_ZmenitDatum=Změnit datum"),
            QStringLiteral("|"),
            QStringLiteral("TB_Konfig=Konfigurace prostředí"),
            QStringLiteral("TB_Predvolby=Nastavení předvoleb plateb"),
            QStringLiteral("TB_Sestavy=Sestavy"),
            QStringLiteral("TB_ExportABO="),
            QStringLiteral("|"),
            QStringLiteral("TB_ObsahNapovedy=Vyvolání nápovědy (F1)"),
        };
        QCOMPARE(seen, expected);
    }

    // The menu shows each shortcut as the toolbar hint names it: "Ins", though Qt's Czech
    // translation calls the key "Insert". The key itself stays Insert.
    void menuShowsShortcutsAsHintsDo() {
        AppFixture f;
        THlavni& w = f.start();
        struct MenuPeek : QMenu {
            using QMenu::initStyleOption;
        };
        QStringList shown;
        for (QAction* menuAction : w.menuBar()->actions())
            for (QAction* a : menuAction->menu()->actions()) {
                if (a->shortcut().isEmpty())
                    continue;
                QStyleOptionMenuItem option;
                // Through a pointer to QMenu's own member: a cast of the menu to MenuPeek would be undefined.
                constexpr auto peek = &MenuPeek::initStyleOption;
                (menuAction->menu()->*peek)(&option, a);
                shown << option.text;
            }
        QCOMPARE(shown, QStringList({"Nový ...\tCtrl+N", "Otevřít ...\tCtrl+O", "Nový podle příkazu…\tCtrl+Shift+N",
                                     "&Zavřít\tCtrl+W", "Náhled a tisk příkazu\tCtrl+P", "Editovat položku\tIns",
                                     "Vyjmout položku\tCtrl+X", "Kopírovat položku\tCtrl+C", "Vložit položku\tCtrl+V",
                                     "Vložit řádky z tabulky\tCtrl+Shift+V", "Nápověda (on-line)\tF1"}));
        QCOMPARE(w.action(QStringLiteral("EditovatPolozku"))->shortcut(), QKeySequence(Qt::Key_Insert));
    }

    // Qt's own dialogs format numbers, sizes and dates with the default locale: Czech from the start.
    void czechLocaleFromStart() {
        const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        QCOMPARE(QLocale(), czech);
        QCOMPARE(QLocale().formattedDataSize(265), czech.formattedDataSize(265));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 9), QLocale::ShortFormat), QStringLiteral("09.12.26"));
        QCOMPARE(QLocale().toString(1250.5), QStringLiteral("1\u00a0250,5"));
    }

    // Which commands are enabled, as the user sees them in the menu and on the toolbar.
    void enabledCommandsInBothStates() {
        AppFixture f;
        THlavni& w = f.start();
        const QStringList always = {QStringLiteral("Konec"),           QStringLiteral("Konfig"),
                                    QStringLiteral("Predvolby"),       QStringLiteral("Sestavy"),
                                    QStringLiteral("ObsahNapovedy"),   QStringLiteral("Domu"),
                                    QStringLiteral("Oprogramu"),       QStringLiteral("NacistCiselnikBank"),
                                    QStringLiteral("NovyPodlePrikazu")};
        const QStringList closedOnly = {QStringLiteral("Novy"), QStringLiteral("Otevrit")};
        const QStringList openOnly = {QStringLiteral("Zavrit"),
                                      QStringLiteral("Tisk"),
                                      QStringLiteral("EditovatPolozku"),
                                      QStringLiteral("SmazatPolozku"),
                                      QStringLiteral("VyjmoutPolozku"),
                                      QStringLiteral("KopirovatPolozku"),
                                      QStringLiteral("VlozitPolozku"),
                                      QStringLiteral("ZmenitDatum"),
                                      QStringLiteral("TxtVypis"),
                                      QStringLiteral("TxtVypisStrukturovany"),
                                      QStringLiteral("ExportABO"),
                                      QStringLiteral("QrPlatba"),
                                      QStringLiteral("TiskQrKodu"),
                                      QStringLiteral("ExportXML"),
                                      QStringLiteral("VlozitRadkyZTabulky"),
                                      QStringLiteral("NacistPolozkyZeSouboru"),
                                      QStringLiteral("NacistPlatbu")};
        auto check = [&](bool open) {
            QCOMPARE(w.isOrderOpen(), open);
            QCOMPARE(w.findChild<QWidget*>(QStringLiteral("Panel1"))->isVisible(), open);
            QStringList mismatched;
            auto enabled = [&](const QString& name) {
                const bool menu = w.action(name)->isEnabled();
                if (auto* tb = w.findChild<QToolButton*>(QStringLiteral("TB_") + name); tb && tb->isEnabled() != menu)
                    mismatched << name;
                return menu;
            };
            for (const QString& n : always)
                QVERIFY2(enabled(n), qPrintable(n));
            for (const QString& n : closedOnly)
                QVERIFY2(enabled(n) == !open, qPrintable(n));
            for (const QString& n : openOnly)
                QVERIFY2(enabled(n) == open, qPrintable(n));
            QCOMPARE(mismatched, QStringList());
        };
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě"));
        check(false);
        f.trigger("HMenu_Novy");
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě - 2022001.ppu"));
        check(true);
        f.trigger("HMenu_Zavrit");
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě"));
        check(false);
    }

    void geometry() {
        AppFixture f;
        THlavni& w = f.start();
        QCOMPARE(w.centralWidget()->size(), QSize(632, 431));
        QVERIFY(w.maximumSize() == w.minimumSize()); // not resizable
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        QCOMPARE(grid->geometry(), QRect(6, 40, 619, 321));
        QCOMPARE(grid->model()->rowCount(), 16);
        QCOMPARE(grid->model()->columnCount(), 6);
        const int widths[] = {136, 71, 105, 114, 72, 114};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid->columnWidth(c), widths[c] + 1); // the cell and its column line
        QCOMPARE(grid->rowHeight(5), 19);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("La_Celkem"))->text(),
                 QStringLiteral("Celkem k platbě :    0,00 Kč"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Datum"))->pos(), QPoint(56, 408));
    }

    void commentLabelFollowsSelection() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("7.1.2022"),
                                {QStringLiteral("1|0100|5,00||||první|"), QStringLiteral("2|0100|6,00||||druhý|")}));
        THlavni& w = f.start();
        ModalOpen(w, 0);
        auto* label = w.findChild<QLabel*>(QStringLiteral("La_Komentar"));
        QCOMPARE(label->text(), QStringLiteral("Komentář 1 záznamu :    první"));
        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(label->text(), QStringLiteral("Komentář 2 záznamu :    druhý"));
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(label->text(), QStringLiteral("Komentář 3 záznamu :    "));
        QCOMPARE(w.selectedRow(), 2);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("La_Celkem"))->text(),
                 QStringLiteral("Celkem k platbě :    11,00 Kč"));
    }

    // A long amount is right-aligned in its cell and clipped there, never drawn over its neighbour.
    void longAmountIsClippedToItsCell() {
        AppFixture f;
        f.writeOrder(
            QStringLiteral("2022001.ppu"),
            OrderLines(QStringLiteral("Banka"), QStringLiteral("7.1.2022"),
                       {QString(), QStringLiteral("|||||||"), QStringLiteral("||88888888888888888888888888,00|||||")}));
        THlavni& w = f.start();
        ModalOpen(w, 0);
        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        const QImage img = grid->grab().toImage();
        const QColor base = grid->palette().base().color();
        const int rowTop = 2 * 19;
        auto inkIn = [&](int x0, int x1) {
            int ink = 0;
            for (int x = x0; x <= x1; ++x)
                for (int y = rowTop + 1; y < rowTop + 18; ++y)
                    if (img.pixelColor(x, y) != base)
                        ++ink;
            return ink;
        };
        const int amountLeft = 137 + 72; // columns 0 and 1 with their lines
        const int amountRight = amountLeft + 105 - 1;
        QCOMPARE(inkIn(137, amountLeft - 2), 0);               // the bank-code cell stays empty
        QVERIFY(inkIn(amountRight - 10, amountRight - 4) > 0); // the text reaches 4 px before the edge
        QCOMPARE(inkIn(amountRight - 3, amountRight), 0);
    }

    // The lowered bevel lies inside a 4-pixel border: shadow at the top left, light at the bottom
    // right, the panel's own colour outside it.
    void panelBevelInsideItsBorder() {
        AppFixture f;
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        auto* panel = w.findChild<QWidget*>(QStringLiteral("Panel1"));
        const QImage img = panel->grab().toImage();
        const QPalette pal = panel->palette();
        const QColor face = pal.color(QPalette::Window);
        const int y = 380; // beside the labels, away from the grid
        for (int x = 0; x < 4; ++x) {
            QCOMPARE(img.pixelColor(x, y), face);
            QCOMPARE(img.pixelColor(631 - x, y), face);
            QCOMPARE(img.pixelColor(300, x), face);
            QCOMPARE(img.pixelColor(300, 430 - x), face);
        }
        QVERIFY(img.pixelColor(4, y) != face);
        QVERIFY(img.pixelColor(300, 4) != face);
        QVERIFY(img.pixelColor(627, y) != face);
        QVERIFY(img.pixelColor(300, 426) != face);
        QVERIFY(img.pixelColor(4, y).lightness() < img.pixelColor(627, y).lightness());
    }

    // The grid always shows one whole row selected: neither a click below the rows nor Ctrl+click
    // on the selected row takes the selection away.
    void selectionIsAlwaysOneRow() {
        AppFixture f;
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 3 * 19 + 5));
        QCOMPARE(w.selectedRow(), 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 3 * 19 + 5));
        QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 16 * 19 + 8));
        QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid->selectionModel()->selectedRows().value(0).row(), 3);
        QCOMPARE(w.selectedRow(), 3);
    }

    void copyWithNoOrderOpenDoesNothing() {
        AppFixture f;
        THlavni& w = f.start();
        QGuiApplication::clipboard()->setText(QStringLiteral("beze změny"));
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("beze změny"));
    }

    // F1 and the home-page command open the manual's index page as a file address: the build's copy
    // beside the program, else the installed tree's share/velorin/napoveda; a missing one is named.
    void helpCommandsOpenTheManual() {
        AppFixture f;
        THlavni& w = f.start();
        const QString built = QStringLiteral(VELORIN_PROGRAM_DIR "/napoveda/index.html");
        QTemporaryDir tree;
        const QString installed = tree.filePath(QStringLiteral("share/velorin/napoveda/index.html"));
        QVERIFY(QDir().mkpath(QFileInfo(installed).path()) && QDir().mkpath(tree.filePath(QStringLiteral("bin"))));
        QFile page(installed);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        for (const auto& [folder, index] : {std::pair{QStringLiteral(VELORIN_PROGRAM_DIR), built},
                                            std::pair{tree.filePath(QStringLiteral("bin")), installed}}) {
            const SeamGuard exe = HomePage::SetExecutableFolder(folder);
            QTest::keyClick(&w, Qt::Key_F1);
            f.trigger("HMenu_Domu");
            const QStringList opened = AppFixture::shown(QStringLiteral("shell"));
            QCOMPARE(opened.size(), 2);
            for (const QString& address : opened) {
                const QUrl url(address);
                QVERIFY2(url.isLocalFile(), qPrintable(address));
                QCOMPARE(url.toLocalFile(), index);
                QVERIFY2(QFileInfo(index).isFile(), qPrintable(index));
            }
        }
        {
            const QTemporaryDir bare;
            const SeamGuard exe = HomePage::SetExecutableFolder(bare.path());
            QTest::keyClick(&w, Qt::Key_F1);
            QCOMPARE(AppFixture::shown(),
                     QStringList{QStringLiteral("Příručka programu nebyla nalezena: chybí soubor %1.")
                                     .arg(bare.filePath(QStringLiteral("napoveda/index.html")))});
        }
        f.trigger("HMenu_Oprogramu");
        const QStringList about = AppFixture::shown(QStringLiteral("about"));
        QCOMPARE(about.size(), 1);
        QVERIFY2(about[0].contains(QStringLiteral("1.4")) && about[0].contains(QStringLiteral("2022-01-07")),
                 qPrintable(about[0]));
    }

private:
    // Opens the order in the given row of the open-order dialog.
    static void ModalOpen(THlavni& w, int row);
};

#include "TestModal.h"
#include "app/Otevrit_f.h"

#include <QTreeWidget>

void TestMainWindow::ModalOpen(THlavni& w, int row) {
    ModalAction pick([row](QWidget* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        list->setCurrentItem(list->topLevelItem(row));
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("Tl_Ok")), Qt::LeftButton);
    });
    w.action(QStringLiteral("HMenu_Otevrit"))->trigger();
    QVERIFY(pick.happened());
    QVERIFY(w.isOrderOpen());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
