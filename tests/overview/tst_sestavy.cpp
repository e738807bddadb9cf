#include "AppFixture.h"

#include "HostileText.h"
#include "TestModal.h"
#include "overview/FindDialog.h"
#include "overview/Sestavy_f.h"
#include "report/Nahled_f.h"
#include "report/ProgressWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace {

QStringList Column(const TSestavy& w, int column) {
    QStringList cells;
    for (int r = 0; r < w.table().rowCount(); ++r)
        cells << w.table().cell(r, column);
    return cells;
}

bool Enabled(TSestavy& w, const char* button) {
    auto* act = w.findChild<QAction*>(QLatin1String(button));
    return act && act->isEnabled();
}

// Five rows in three files; two orders share a date.
void WriteYear(AppFixture& f) {
    f.writeOrder(
        "2022001.ppu",
        OrderLines("B", "3.1.2022", {"111|0100|1500,00||||Nájem Leden|", "|||||||", "222|0300|250,50||||Elektřina|"}));
    f.writeOrder("2022002.ppu", OrderLines("B", "10.1.2022", {"333|0800|99,00||||Nájem únor|"}));
    f.writeOrder("2022003.ppu",
                 OrderLines("B", "3.1.2022", {"444|0100|1,00||||Čistírna|", "555|03001|2,50||||Zálohy|"}));
}

QString PdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestSestavy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // The command opens the window modally; with no year folder and with an empty one both
    // messages come, in order, and the window shows its one empty row.
    void messagesWithoutFiles() {
        for (const bool folderExists : {false, true}) {
            AppFixture f;
            f.start();
            QVERIFY(QDir(f.yearFolder()).removeRecursively());
            if (folderExists)
                QVERIFY(QDir().mkpath(f.yearFolder()));
            QStringList panels;
            bool navigation = true;
            ModalAction look([&](QWidget* modal) {
                auto* s = qobject_cast<TSestavy*>(modal);
                QVERIFY(s);
                panels = {s->panelText(0), s->panelText(1), s->panelText(2)};
                navigation = Enabled(*s, "Tb_PrvniZaznam") || Enabled(*s, "TB_PredchoziZaznam") ||
                             Enabled(*s, "TB_NasledujiciZaznam") || Enabled(*s, "TB_PosledniZaznam");
                s->findChild<QAction*>("ToolButton12")->trigger();
            });
            f.trigger("HMenu_Sestavy");
            QVERIFY(look.happened());
            QCOMPARE(AppFixture::shown(), (QStringList{"Nebyl nalezený žádný soubor *.ppu",
                                                       "Nebyl nalezený žádný soubor *.ppu. Tabulku nelze naplnit."}));
            QCOMPARE(panels, (QStringList{"Záznam 1 z 1", "Filtr není aktivován", "Celkem k platbě :   0,00 Kč"}));
            QVERIFY(!navigation);
        }
    }

    void windowAsDesigned() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        QCOMPARE(s.windowTitle(), QStringLiteral("Sestavy"));
        QCOMPARE(s.size(), QSize(853, 643));
        QVERIFY(!(s.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(s.windowFlags() & Qt::WindowMaximizeButtonHint);
        auto* bar = s.findChild<QToolBar*>("ToolBar1");
        QStringList layout;
        for (QAction* a : bar->actions())
            layout << (a->isSeparator() ? QStringLiteral("|") : a->objectName() + QLatin1Char('=') + a->toolTip());
        // Each hint names its key as the program's translator spells it.
        auto tip = [](const char* name, const char* hint, QKeySequence key) {
            return QLatin1String(name) + QLatin1Char('=') + QString::fromUtf8(hint) + QStringLiteral(" (") +
                   key.toString(QKeySequence::NativeText) + QLatin1Char(')');
        };
        QCOMPARE(layout, (QStringList{tip("ToolButton12", "Uzavření formuláře", Qt::Key_Escape), "|",
                                      tip("Tb_PrvniZaznam", "První záznam", Qt::CTRL | Qt::Key_Home),
                                      tip("TB_PredchoziZaznam", "Předchozí záznam", Qt::CTRL | Qt::Key_Up),
                                      tip("TB_NasledujiciZaznam", "Následující záznam", Qt::CTRL | Qt::Key_Down),
                                      tip("TB_PosledniZaznam", "Poslední záznam", Qt::CTRL | Qt::Key_End), "|",
                                      tip("TB_Hledat", "Hledat v aktuálním poli", Qt::CTRL | Qt::Key_F), "|",
                                      tip("TB_Setridit", "Setřídit vzestupně", Qt::CTRL | Qt::Key_T), "|",
                                      tip("TB_Filtr", "Filtr podle aktuálního pole", Qt::CTRL | Qt::Key_L),
                                      tip("TB_FiltrRozsir", "Rozšířený filtr", Qt::CTRL | Qt::SHIFT | Qt::Key_L),
                                      tip("TB_ZrusitFiltr", "Zrušit filtr", Qt::Key_F5), "|",
                                      tip("TB_Tisk", "Náhled a tisk sestavy", Qt::CTRL | Qt::Key_P)}));
        // The hints themselves stay the buttons' names.
        QCOMPARE(bar->widgetForAction(bar->actions().at(0))->accessibleName(), QStringLiteral("Uzavření formuláře"));
        auto* grid = s.findChild<QTableView*>("Grid1");
        QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
        const int widths[] = {64, 128, 40, 82, 89, 417};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid->columnWidth(c), widths[c]);
        QCOMPARE(grid->rowHeight(0), 19);
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectItems);
        QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(s.findChild<QLabel*>("StatusPanel1")->width(), 120);
        QCOMPARE(s.findChild<QLabel*>("StatusPanel2")->width(), 250);
        QCOMPARE(grid->model()->data(grid->model()->index(0, 3), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                 int(Qt::AlignRight));
        QCOMPARE(OverviewTable::ColumnCaption(1), QStringLiteral("Číslo účtu"));
        QCOMPARE(OverviewTable::ColumnCaption(6), QString());
    }

    // Two orders with one date stay two groups; position and navigation follow the current row.
    void rowsAndNavigation() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        QVERIFY(AppFixture::shown().isEmpty());
        QCOMPARE(s.AllRowCount(), 5);
        QCOMPARE(Column(s, 4),
                 (QStringList{"2022001.ppu", "2022001.ppu", "2022002.ppu", "2022003.ppu", "2022003.ppu"}));
        QCOMPARE(s.panelText(0), QStringLiteral("Záznam 1 z 5"));
        QCOMPARE(s.panelText(2), QStringLiteral("Celkem k platbě :   1853,00 Kč"));
        QVERIFY(!Enabled(s, "Tb_PrvniZaznam") && !Enabled(s, "TB_PredchoziZaznam"));
        s.setCurrentCell(0, 5);
        s.TB_PosledniZaznamClick();
        QCOMPARE(s.currentRow(), 4);
        QCOMPARE(s.currentColumn(), 5);
        QCOMPARE(s.panelText(0), QStringLiteral("Záznam 5 z 5"));
        QVERIFY(!Enabled(s, "TB_NasledujiciZaznam") && !Enabled(s, "TB_PosledniZaznam"));
        s.TB_PredchoziZaznamClick();
        QVERIFY(Enabled(s, "TB_NasledujiciZaznam") && Enabled(s, "TB_PosledniZaznam"));
        QCOMPARE(s.panelText(0), QStringLiteral("Záznam 4 z 5"));
        // The keyboard moves the cell too.
        auto* grid = s.findChild<QTableView*>("Grid1");
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(s.panelText(0), QStringLiteral("Záznam 3 z 5"));
    }

    // Unreadable and short files are named once after loading; an amount that is no number stays,
    // out of the total, and panel 3 says so. Temporary files of a save are no orders.
    void badFilesAndAmounts() {
        AppFixture f;
        WriteYear(f);
        f.writeOrder("2022004.ppu", {"jen", "dva"});
        f.writeOrder("2022005.PPU", OrderLines("B", "4.1.2022", {"666|0100|sto|||||"}));
        f.writeOrder("2022006.ppu.Xy12Ab", OrderLines("B", "4.1.2022", {"777|0100|5,00|||||"}));
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        const QStringList shown = AppFixture::shown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith("Některé příkazy nelze přečíst:\n2022004.ppu: soubor má jen 2 řádky"),
                 qPrintable(shown[0]));
        QCOMPARE(s.FileNames(),
                 (QStringList{"2022001.ppu", "2022002.ppu", "2022003.ppu", "2022004.ppu", "2022005.PPU"}));
        QCOMPARE(s.table().rowCount(), 6);
        QCOMPARE(s.panelText(2), QStringLiteral("Celkem k platbě :   1853,00 Kč    (bez 1 řádku: částka není číslo)"));
        QCOMPARE(OrderFile::NextOrderFileName(f.yearFolder(), 2022), QStringLiteral("2022006.ppu"));
    }

    // The currency of the settings and the texts of the files stay characters in the window.
    void windowShowsFilesAndSettingsAsText() {
        AppFixture f;
        FifoTrap trap(f.dir.path());
        QVERIFY(trap.made());
        f.writeOrder("2022001.ppu", OrderLines("B", "3.1.2022", {"111|0100|15,00||||" + trap.picture() + "|"}));
        THlavni& w = f.start();
        w.settings().Mena = trap.picture();
        TSestavy s(w.settings(), &w);
        s.show();
        (void)s.grab();
        QCOMPARE(trap.opens(), 0);
        auto* total = s.findChild<QLabel*>(QStringLiteral("StatusPanel3"));
        QVERIFY(total);
        QCOMPARE(ShownText(total->text(), total->textFormat()),
                 QStringLiteral("Celkem k platbě :   15,00 ") + trap.picture());
    }

    // Filter by the current cell, answer Yes, sort, then cancel: file order, status and total back.
    void filterThenCancel() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        s.setCurrentCell(3, 4); // 2022003.ppu
        DialogHook::PushAnswer(Answer::Yes);
        s.TB_FiltrClick();
        const auto records = DialogHook::Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].caption, QStringLiteral("Výsledek filtru"));
        QCOMPARE(records[0].text, QStringLiteral("Byly nalezeny vyhovující záznamy  (2) . Chcete je zobrazit?"));
        DialogHook::ClearRecords();
        QCOMPARE(Column(s, 1), (QStringList{"444", "555"}));
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr je aktivován (2 z 5)"));
        QCOMPARE(s.panelText(2), QStringLiteral("Celkem k platbě :   3,50 Kč"));
        s.setCurrentCell(0, 2);
        s.TB_SetriditClick();
        QCOMPARE(Column(s, 1), (QStringList{"444", "555"}));
        s.TB_ZrusitFiltrClick();
        QCOMPARE(Column(s, 1), (QStringList{"111", "222", "333", "444", "555"}));
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr není aktivován"));
        QCOMPARE(s.panelText(2), QStringLiteral("Celkem k platbě :   1853,00 Kč"));
        QCOMPARE(s.panelText(0), QStringLiteral("Záznam 1 z 5"));
        QVERIFY(AppFixture::shown().isEmpty());
    }

    // All rows matching, a No answer, no match and an empty criterion change nothing.
    void filtersThatChangeNothing() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        const QString total = s.panelText(2);
        s.Filtr("2022", 4);
        QCOMPARE(DialogHook::Records().value(0).caption, QStringLiteral("Výsledek filtru"));
        QCOMPARE(AppFixture::shown(), QStringList{"Zadanému kritériu vyhovují všechny stávající záznamy."});
        DialogHook::PushAnswer(Answer::No);
        s.Filtr("NÁJEM", 5);
        QCOMPARE(AppFixture::shown("question").size(), 1);
        QCOMPARE(s.table().rowCount(), 5);
        s.Filtr("nikde", 5);
        QCOMPARE(AppFixture::shown(), QStringList{"Zadanému řetězci  nikde nevyhovuje ani jeden záznam."});
        s.Filtr("", 5);
        QCOMPARE(AppFixture::shown(), QStringList{"Není zadán žádný řetězec. Opakujte zadání."});
        QCOMPARE(s.table().rowCount(), 5);
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr není aktivován"));
        QCOMPARE(s.panelText(2), total);
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }

    // A second filter works on what the first left, in another column; the extended filter asks
    // with the column's name and the cell as its start.
    void stackedAndExtendedFilters() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        DialogHook::PushAnswer(Answer::Yes);
        s.Filtr("0100", 2);
        QCOMPARE(Column(s, 1), (QStringList{"111", "444"}));
        s.setCurrentCell(1, 1);
        AppFixture::shown();
        DialogHook::PushText(QStringLiteral("11"));
        DialogHook::PushAnswer(Answer::Yes);
        s.TB_FiltrRozsirClick();
        const DialogHook::Record input = DialogHook::Records().value(0);
        QCOMPARE(input.kind, QStringLiteral("input"));
        QCOMPARE(input.caption, QStringLiteral("Rozšířený filtr"));
        QCOMPARE(input.text, QStringLiteral("Aktuální pole: Číslo účtu"));
        QCOMPARE(input.value, QStringLiteral("444"));
        QCOMPARE(Column(s, 1), QStringList{"111"});
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr je aktivován (1 z 5)"));
        AppFixture::shown();
        DialogHook::PushText(QString());
        s.TB_FiltrRozsirClick();
        QCOMPARE(AppFixture::shown("info"), QStringList{"Zadali jste neplatnou hodnotu"});
        DialogHook::PushText(std::nullopt);
        s.TB_FiltrRozsirClick();
        QCOMPARE(AppFixture::shown(), QStringList{"Aktuální pole: Číslo účtu"}); // the input box alone
        QCOMPARE(Column(s, 1), QStringList{"111"});
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }

    // Find in the current column, down and up, with the options; a miss says so and closes the
    // dialog, and never wraps round.
    void findDialog() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        s.show();
        s.setCurrentCell(0, 5);
        s.TB_HledatClick();
        TFindDialog* find = s.findDialog();
        QVERIFY(find->isVisible() && !find->isModal());
        QVERIFY(find->down());
        auto* next = find->findChild<QPushButton*>("Tl_Najit");
        // Down, any case, part of a cell: the start row itself is not looked at.
        find->setOptions("nájem", true, false, false);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(s.currentRow(), 2);
        QCOMPARE(s.currentColumn(), 5);
        // Up, match case: "Nájem Leden" but not "Nájem únor" (the start row).
        find->setOptions("Nájem", false, true, false);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(s.currentRow(), 0);
        // Down, whole cell, any case.
        find->setOptions("ČISTÍRNA", true, false, true);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(s.currentRow(), 3);
        QVERIFY(AppFixture::shown().isEmpty());
        // Up, whole cell, match case: "elektřina" is not "Elektřina".
        find->setOptions("elektřina", false, true, true);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(s.currentRow(), 3);
        QCOMPARE(AppFixture::shown(), QStringList{"Další výskyt řetězce :  elektřina   nebyl nalezen."});
        QVERIFY(!find->isVisible());
        // From the last row down: not found at once.
        s.TB_PosledniZaznamClick();
        s.TB_HledatClick();
        find->setOptions("Zálohy", true, false, false);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(s.currentRow(), 4);
        QCOMPARE(AppFixture::shown(), QStringList{"Další výskyt řetězce :  Zálohy   nebyl nalezen."});
    }

    // Each column sorts by its key; the current cell keeps its place.
    void sortByEachKey() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        s.setCurrentCell(2, 3);
        s.TB_SetriditClick();
        QCOMPARE(Column(s, 3), (QStringList{"1,00", "2,50", "99,00", "250,50", "1500,00"}));
        QCOMPARE(s.currentRow(), 2);
        QCOMPARE(s.currentColumn(), 3);
        s.setCurrentCell(0, 0);
        s.TB_SetriditClick();
        // 3.1 before 10.1; within a date the amounts stay ascending.
        QCOMPARE(Column(s, 3), (QStringList{"1,00", "2,50", "250,50", "1500,00", "99,00"}));
        s.setCurrentCell(0, 5);
        s.TB_SetriditClick();
        QCOMPARE(Column(s, 5), (QStringList{"Elektřina", "Nájem Leden", "Nájem únor", "Zálohy", "Čistírna"}));
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr není aktivován"));
        QVERIFY(!QApplication::overrideCursor());
    }

    // The print follows the rows as shown: filtered, sorted, with their total and the currency.
    void printAfterFilterAndSort() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        w.settings().Mena = QStringLiteral("EUR");
        TSestavy s(w.settings(), &w);
        DialogHook::PushAnswer(Answer::Yes);
        s.Filtr("0100", 2); // 111 (1500,00) and 444 (1,00)
        s.setCurrentCell(0, 3);
        s.TB_SetriditClick();
        QCOMPARE(s.panelText(2), QStringLiteral("Celkem k platbě :   1501,00 EUR"));
        bool previewed = false;
        ModalAction close([&](QWidget* modal) {
            previewed = qobject_cast<TNahled*>(modal) != nullptr;
            modal->close();
        });
        s.TB_TiskClick();
        QVERIFY(previewed);
        const QString pdf = f.dir.filePath("prehled.pdf");
        QVERIFY(s.report().ExportToPdf(pdf));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("Přehled příkazů"), qPrintable(text));
        const qsizetype first = text.indexOf(QRegularExpression("3\\.1\\.2022 +444 +0100 +1,00 +2022003\\.ppu"));
        const qsizetype second = text.indexOf(QRegularExpression("3\\.1\\.2022 +111 +0100 +1500,00 +2022001\\.ppu"));
        QVERIFY2(first >= 0 && second > first, qPrintable(text));
        QVERIFY2(!text.contains("333") && !text.contains("555"), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Částka v\\s.*\\n.*EUR")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Celkem k platbě : +1501,00 EUR")), qPrintable(text));
        QVERIFY2(text.contains("Strana: 1"), qPrintable(text));
    }

    // A print of many rows shows the engine's progress, and cancelling it opens no preview.
    void longPrintCanBeCancelled() {
        AppFixture f;
        QStringList rows;
        for (int i = 0; i < 16; ++i)
            rows << QStringLiteral("%1|0100|%1,00||||Platba číslo %1|").arg(i + 1);
        // Enough rows that the composition outlasts a few turns of the event loop.
        for (int n = 1; n <= 1500; ++n)
            f.writeOrder(QStringLiteral("2022%1.ppu").arg(n, 4, 10, QLatin1Char('0')),
                         OrderLines("B", "3.1.2022", rows));
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        QCOMPARE(s.table().rowCount(), 24000);
        SeamGuard showAtOnce = ProgressWindow::SetShowAfter(0);
        bool progress = false;
        ModalAction cancel([&](QWidget* modal) {
            auto* dialog = qobject_cast<QProgressDialog*>(modal);
            progress = dialog != nullptr;
            if (dialog)
                dialog->cancel();
            else
                modal->close();
        });
        s.TB_TiskClick();
        showAtOnce.restore();
        QVERIFY(progress);
        QVERIFY(s.report().Prepared().pages.empty());
    }
    // Every command runs from its key; F10 reaches the toolbar, whose arrows skip disabled buttons.
    void keyboardReachesEveryCommand() {
        AppFixture f;
        WriteYear(f);
        THlavni& w = f.start();
        TSestavy s(w.settings(), &w);
        s.show();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        auto* grid = s.findChild<QTableView*>("Grid1");
        grid->setFocus();
        s.setCurrentCell(0, 5);
        // Each keeps the column.
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(QPoint(s.currentRow(), s.currentColumn()), QPoint(4, 5));
        QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(QPoint(s.currentRow(), s.currentColumn()), QPoint(3, 5));
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(QPoint(s.currentRow(), s.currentColumn()), QPoint(0, 5));
        QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(QPoint(s.currentRow(), s.currentColumn()), QPoint(1, 5));

        // Find opens the dialog; F3 finds the next match as it was set, in the window and in the dialog.
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(s.findDialog()->isVisible());
        s.findDialog()->setOptions("nájem", true, false, false);
        s.findDialog()->close();
        QApplication::setActiveWindow(&s); // the offscreen platform gives the focus back to no window
        QVERIFY(QTest::qWaitForWindowActive(&s));
        QTest::keyClick(grid, Qt::Key_F3);
        QCOMPARE(s.currentRow(), 2);
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(s.findDialog()));
        QTest::keyClick(s.findDialog(), Qt::Key_F3);
        QCOMPARE(AppFixture::shown(), QStringList{"Další výskyt řetězce :  nájem   nebyl nalezen."});
        QVERIFY(!s.findDialog()->isVisible());

        QApplication::setActiveWindow(&s);
        QVERIFY(QTest::qWaitForWindowActive(&s));
        s.setCurrentCell(0, 3);
        QTest::keyClick(grid, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(Column(s, 3), (QStringList{"1,00", "2,50", "99,00", "250,50", "1500,00"}));
        s.setCurrentCell(0, 4); // 2022003.ppu, sorted first
        DialogHook::PushAnswer(Answer::Yes);
        QTest::keyClick(grid, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr je aktivován (2 z 5)"));
        QTest::keyClick(grid, Qt::Key_F5);
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr není aktivován"));
        DialogHook::PushText(QStringLiteral("2022002"));
        DialogHook::PushAnswer(Answer::Yes);
        QTest::keyClick(grid, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.panelText(1), QStringLiteral("Filtr je aktivován (1 z 5)"));
        QTest::keyClick(grid, Qt::Key_F5);
        bool previewed = false;
        {
            ModalAction close([&](QWidget* modal) {
                previewed = qobject_cast<TNahled*>(modal) != nullptr;
                modal->close();
            });
            QTest::keyClick(grid, Qt::Key_P, Qt::ControlModifier);
        }
        QVERIFY(previewed);

        // F10, then the arrows along the enabled buttons; Enter presses; Esc goes back to the grid.
        QApplication::setActiveWindow(&s);
        QVERIFY(QTest::qWaitForWindowActive(&s));
        grid->setFocus();
        s.setCurrentCell(0, 0);
        auto focusedAction = [] {
            auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget());
            return button && button->defaultAction() ? button->defaultAction()->objectName() : QString();
        };
        QTest::keyClick(grid, Qt::Key_F10);
        QCOMPARE(focusedAction(), QStringLiteral("ToolButton12"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(focusedAction(), QStringLiteral("TB_NasledujiciZaznam")); // first and previous are off
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(s.currentRow(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QCOMPARE(focusedAction(), QStringLiteral("TB_Tisk"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), grid);
        QVERIFY(s.isVisible());
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!s.isVisible());
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }
};

QTEST_MAIN(TestSestavy)
#include "tst_sestavy.moc"
