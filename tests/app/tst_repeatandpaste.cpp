#include "AppFixture.h"

#include "common/Cp1250.h"
#include "dialogs/CheckLine.h"
#include "dialogs/VlozitRadky_f.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

namespace {

const QString kRent = QStringLiteral("2171532|0100|1250,00|77|||nájem|");

QStringList MarchRows() {
    QStringList rows(9, QStringLiteral("|||||||"));
    rows[1] = kRent;
    rows[4] = QStringLiteral("19-2000145399|0800|200,00|2|0308||elektřina|");
    rows[8] = QStringLiteral("123|0300|5,00||||c|");
    return rows;
}

QString RowLine(AppFixture& f, int row) {
    return RowText(f.window->order().Items[std::size_t(row)]);
}

// Opens the paste dialog on the clipboard text and hands it to act.
void PasteRows(AppFixture& f, const QString& text, const std::function<void(TVlozitRadky*)>& act) {
    QGuiApplication::clipboard()->setText(text);
    ModalAction dialog([&](QWidget* w) {
        auto* paste = qobject_cast<TVlozitRadky*>(w);
        QVERIFY(paste);
        act(paste);
        if (paste->isVisible())
            paste->reject();
    });
    f.trigger("HMenu_VlozitRadkyZTabulky");
    QVERIFY(dialog.happened());
}

void ClickOk(QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok")), Qt::LeftButton);
}

} // namespace

class TestRepeatAndPaste : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // Last month's order again: its rows and comments, the month after, the next name; the source
    // keeps its bytes, and a cancelled date makes nothing.
    void newOrderFromAnother() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("14.3.2022"), MarchRows()));
        const QString march = f.orderPath(QStringLiteral("2022001.ppu"));
        const QByteArray before = ReadAll(march);
        THlavni& w = f.start();
        QVERIFY(w.action(QStringLiteral("NovyPodlePrikazu"))->isEnabled());
        f.openOrder(0);
        QVERIFY(w.action(QStringLiteral("NovyPodlePrikazu"))->isEnabled());
        AppFixture::shown();

        DialogHook::PushDate(std::nullopt);
        f.trigger("HMenu_NovyPodlePrikazu");
        QCOMPARE(AppFixture::shown(QStringLiteral("date")), QStringList{QStringLiteral("14.4.2022")});
        QCOMPARE(f.orderFiles(), QStringList{QStringLiteral("2022001.ppu")});
        QCOMPARE(w.order().FilePath, march);

        // The proposed day confirmed as it stands.
        DialogHook::PushDate(QDate(2022, 4, 14));
        f.trigger("HMenu_NovyPodlePrikazu");
        QCOMPARE(f.orderFiles(), (QStringList{QStringLiteral("2022001.ppu"), QStringLiteral("2022002.ppu")}));
        QCOMPARE(w.order().FilePath, f.orderPath(QStringLiteral("2022002.ppu")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě - 2022002.ppu"));
        QCOMPARE(ReadAll(march), before);
        const QStringList copy = TextFile::ReadLines(f.orderPath(QStringLiteral("2022002.ppu")));
        QCOMPARE(copy, OrderLines(QStringLiteral("Banka"), QStringLiteral("14.4.2022"), MarchRows()));
        // Its rows are last month's: each says so.
        const QString mark = f.window->findChild<QTableView*>(QStringLiteral("Grid1"))
                                 ->model()
                                 ->index(1, 0)
                                 .data(Qt::ToolTipRole)
                                 .toString();
        QVERIFY2(mark.contains(QStringLiteral("Stejná platba je už v příkazu 2022001 (14.3.2022), řádek 2")),
                 qPrintable(mark));

        // With none open, the order is picked in the open-order dialog; the 31st gives the month's last day.
        f.trigger("HMenu_Zavrit");
        AppFixture::shown();
        f.writeOrder(QStringLiteral("2022003.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("31.1.2022"), {kRent}));
        f.writeOrder(QStringLiteral("2022004.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("15.11.2021"), {kRent}));
        for (const auto& [row, proposed] :
             {std::pair{2, QStringLiteral("28.2.2022")}, std::pair{3, QStringLiteral("7.1.2022")}}) {
            ModalAction pick([row](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Nový podle příkazu…"));
                auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
                list->setCurrentItem(list->topLevelItem(row));
                ClickOk(dialog);
            });
            DialogHook::PushDate(std::nullopt);
            f.trigger("HMenu_NovyPodlePrikazu");
            QVERIFY(pick.happened());
            QCOMPARE(AppFixture::shown(QStringLiteral("date")), QStringList{proposed});
        }
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(f.orderFiles().size(), 4);
    }

    // The same payment in another order: the grid's mark, the editor's line as the user types, the
    // ABO dialog's and the preview's warning lines.
    void samePaymentShownEverywhere() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("14.3.2022"), {QString(), kRent}));
        f.writeOrder(QStringLiteral("2022002.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("14.4.2022"), {kRent}));
        const QString said = QStringLiteral("Stejná platba je už v příkazu 2022001 (14.3.2022), řádek 2");
        f.start();
        f.openOrder(1);
        QVERIFY(f.window->findChild<QTableView*>(QStringLiteral("Grid1"))
                    ->model()
                    ->index(0, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(said));

        QStringList lines;
        ModalAction edit([&](QWidget* dialog) {
            auto* check = dialog->findChild<CheckLine*>(QStringLiteral("La_Kontrola"));
            lines << check->text();
            auto* vs = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_VarSymbol"));
            QTest::keyClicks(vs, QStringLiteral("8"));
            lines << check->text();
            QTest::keyClick(vs, Qt::Key_Backspace);
            lines << check->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Storno")), Qt::LeftButton);
        });
        f.trigger("HMenu_EditovatPolozku");
        QVERIFY(edit.happened());
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].contains(said), qPrintable(lines[0]));
        QVERIFY2(!lines[1].contains(QStringLiteral("Stejná platba")), qPrintable(lines[1]));
        QVERIFY(lines[2].contains(said));

        for (const char* command : {"HMenu_ExportABO", "HMenu_Tisk"}) {
            QString warning;
            ModalAction look([&](QWidget* dialog) {
                warning = dialog->findChild<QLabel*>(QStringLiteral("La_Varovani"))->text();
                dialog->close();
            });
            f.trigger(command);
            QVERIFY(look.happened());
            QVERIFY2(warning.contains(QStringLiteral("Řádek 1: ") + said), qPrintable(warning));
        }

        // Saved with another symbol, the order no longer warns; 2022001, opened next, does not see its old self.
        ModalAction change([](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("Ed_VarSymbol")), QStringLiteral("8"));
            ClickOk(dialog);
        });
        f.trigger("HMenu_EditovatPolozku");
        QVERIFY(change.happened());
        QVERIFY(f.window->findChild<QTableView*>(QStringLiteral("Grid1"))
                    ->model()
                    ->index(0, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .isEmpty());
    }

    // Rows from a spreadsheet: with a header into the selected row; twenty into row 10, where seven
    // fit, asked once for those and once before overwriting.
    void spreadsheetRows() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("14.3.2022"),
                                {QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                                 QString(), QString(), QString(), QStringLiteral("1|0100|1,00|||||stará|")}));
        THlavni& w = f.start();
        f.openOrder(0);
        AppFixture::shown();

        w.selectRow(1);
        PasteRows(f,
                  QStringLiteral("Účet\tČástka\tVS\tZpráva\n2171532/0100\t1 250,50 Kč\t1\tA\n"
                                 "2171532/0100\t1250.50\t2\tB\n19-2000145399/0800\t3\t\tC\n"),
                  [](TVlozitRadky* d) {
                      QCOMPARE(d->problemLines(), QStringList());
                      // The column choosers stay in the table however often a column is chosen.
                      auto* table = d->findChild<QTableWidget*>(QStringLiteral("Tabulka"));
                      for (ItemColumn c : {ItemColumn::None, ItemColumn::Comment}) {
                          d->setColumn(3, c);
                          QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                          QVERIFY(table->cellWidget(0, 3));
                      }
                      ClickOk(d);
                  });
        QCOMPARE(AppFixture::shown(), QStringList());
        QCOMPARE(RowLine(f, 1), QStringLiteral("2171532|0100|1250,50|1|||A|"));
        QCOMPARE(RowLine(f, 3), QStringLiteral("19-2000145399|0800|3,00||||C|"));
        QCOMPARE(TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")))[7], RowLine(f, 2));

        QString twenty;
        for (int i = 1; i <= 20; ++i)
            twenty += QStringLiteral("2171532\t0100\t%1\t%1\n").arg(i);
        w.selectRow(9);
        const QStringList before = TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")));
        PasteRows(f, twenty, [&](TVlozitRadky* d) {
            DialogHook::PushAnswer(Answer::No); // not only seven
            ClickOk(d);
            QVERIFY(d->isVisible());
            DialogHook::PushAnswer(Answer::Yes);
            DialogHook::PushAnswer(Answer::No); // not over row 12
            ClickOk(d);
            QVERIFY(d->isVisible());
            DialogHook::PushAnswer(Answer::Yes);
            DialogHook::PushAnswer(Answer::Yes);
            ClickOk(d);
        });
        const QStringList asked = AppFixture::shown(QStringLiteral("question"));
        QCOMPARE(asked.size(), 5);
        QCOMPARE(asked[0], QStringLiteral("Od řádku 10 se do příkazu vejde jen 7 z 20 položek (řádky 10 až 16). "
                                          "Chcete vložit jen těchto 7 a ostatní vynechat?"));
        QCOMPARE(asked[2], QStringLiteral("Řádek 12 příkazu není prázdný. Chcete ho přepsat?"));
        QCOMPARE(RowLine(f, 9), QStringLiteral("2171532|0100|1,00|1||||"));
        QCOMPARE(RowLine(f, 15), QStringLiteral("2171532|0100|7,00|7||||"));
        QCOMPARE(RowLine(f, 8), QStringLiteral("|||||||"));
        const QStringList after = TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")));
        QCOMPARE(after.mid(0, 14), before.mid(0, 14));
        QCOMPARE(after[20], RowLine(f, 15));
    }

    // Ctrl+V takes one item line as before: with its line break it is refused, and the table paste
    // has a shortcut of its own.
    void ctrlVStaysAsItWas() {
        AppFixture f;
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        QCOMPARE(w.action(QStringLiteral("VlozitPolozku"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(w.action(QStringLiteral("VlozitRadkyZTabulky"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+V")));
        QGuiApplication::clipboard()->setText(QStringLiteral("1|0100|10,00|||||\r\n"));
        NoModalWindow none;
        f.activate();
        QTest::keyClick(f.window->findChild<QTableView*>(QStringLiteral("Grid1")), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(AppFixture::shown(),
                 QStringList{QStringLiteral("Text uložený ve schránce není v platném formátu (položka příkazu).")});
        QCOMPARE(RowLine(f, 0), QStringLiteral("|||||||"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1|0100|10,00|||||"));
        QTest::keyClick(f.window->findChild<QTableView*>(QStringLiteral("Grid1")), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(RowLine(f, 0), QStringLiteral("1|0100|10,00|||||"));
        QVERIFY(!none.appeared());
    }

    // A CSV file in either encoding; a line that is no item is named and left out.
    void csvFile_data() {
        QTest::addColumn<bool>("utf8");
        QTest::newRow("UTF-8") << true;
        QTest::newRow("Windows-1250") << false;
    }
    void csvFile() {
        QFETCH(bool, utf8);
        AppFixture f;
        f.start();
        f.trigger("HMenu_Novy");
        const QString text = QStringLiteral("Číslo účtu;Kód banky;Částka;Komentář\r\n2171532;0100;10;Úhrada\r\n"
                                            "123;0300;x;špatně\r\n19-2000145399;800;5,5;Žluťoučký\r\n");
        const QString path = f.dir.filePath(QStringLiteral("platby.csv"));
        WriteRaw(path, utf8 ? text.toUtf8() : Cp1250::Encode(text));
        DialogHook::PushFileName(path);
        QString source;
        QStringList problems;
        ModalAction load([&](QWidget* dialog) {
            auto* paste = qobject_cast<TVlozitRadky*>(dialog);
            QVERIFY(paste);
            source = paste->findChild<QLabel*>(QStringLiteral("La_Zdroj"))->text();
            problems = paste->problemLines();
            ClickOk(paste);
        });
        f.trigger("HMenu_NacistPolozkyZeSouboru");
        QVERIFY(load.happened());
        QVERIFY2(source.startsWith(QStringLiteral("Ze souboru platby.csv (%1):")
                                       .arg(utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1250"))),
                 qPrintable(source));
        QCOMPARE(problems, QStringList{QStringLiteral("Řádek 3 textu se nevloží: částka „x“ není číslo.")});
        QCOMPARE(RowLine(f, 0), QStringLiteral("2171532|0100|10,00||||Úhrada|"));
        QCOMPARE(RowLine(f, 1), QStringLiteral("19-2000145399|0800|5,50||||Žluťoučký|"));
        QCOMPARE(RowLine(f, 2), QStringLiteral("|||||||"));
    }
};

QTEST_MAIN(TestRepeatAndPaste)
#include "tst_repeatandpaste.moc"
