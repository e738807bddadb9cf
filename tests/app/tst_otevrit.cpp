#include "AppFixture.h"

#include "app/Otevrit_f.h"

#include <QProxyStyle>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// A desktop style on which a single click activates an item.
class SingleClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStringList rowsOf(TOtevrit& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        rows << QStringList({item->text(0), item->text(1), item->text(2), item->text(3)}).join(QLatin1Char(';'));
    }
    return rows;
}

} // namespace

class TestOtevrit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void columns() {
        AppFixture f;
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Otevřít ..."));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        QTreeWidgetItem* header = list->headerItem();
        QCOMPARE(header->text(0), QStringLiteral("Označení"));
        QCOMPARE(header->text(3), QStringLiteral("Celkem Kč"));
        QCOMPARE(list->columnWidth(0), 100);
        QCOMPARE(list->columnWidth(1), 80);
        QCOMPARE(list->columnWidth(2), 50);
        QCOMPARE(list->columnWidth(3), 100);
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ok"))->isEnabled());
        QVERIFY(rowsOf(dialog).isEmpty());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Tl_Storno")), Qt::LeftButton);
        QCOMPARE(dialog.selectedPath(), QString());
    }

    // The dialog counts every line after the date longer than seven characters, comments too, and
    // reads amounts with a point as with a comma; extra lines after the sixteen rows count as well.
    void countsAndSumsByItsOwnRules() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"),
                                {QStringLiteral("1|0100|1250.50|||||"), QStringLiteral("|||||||"),
                                 QStringLiteral("3|0100|9,50|||||")}));
        QStringList withExtra =
            OrderLines(QStringLiteral("B"), QStringLiteral("4.1.2022"), {QStringLiteral("||||||jen komentář|")});
        withExtra << QStringLiteral("9|0100|1,00|||||");
        f.writeOrder(QStringLiteral("2022002.ppu"), withExtra);
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        QCOMPARE(rowsOf(dialog), QStringList({QStringLiteral("2022001;3.1.2022;2;1260,00"),
                                              QStringLiteral("2022002;4.1.2022;2;1,00")}));
        QVERIFY(dialog.problems().isEmpty());
    }

    // An unreadable file is shown, marked, and reported once; the files after it are still listed.
    void unreadableFilesAreListedAndReportedOnce() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     {QStringLiteral("jen"), QStringLiteral("tři"), QStringLiteral("řádky")});
        f.writeOrder(QStringLiteral("2022002.ppu"),
                     OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"), {QStringLiteral("1|0100|sto|||||")}));
        f.writeOrder(QStringLiteral("2022003.ppu"),
                     OrderLines(QStringLiteral("B"), QStringLiteral("5.1.2022"), {QStringLiteral("1|0100|7,00|||||")}));
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        const QStringList rows = rowsOf(dialog);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].startsWith(QStringLiteral("2022001;nečitelný")));
        QVERIFY(rows[1].startsWith(QStringLiteral("2022002;nečitelný")));
        QCOMPARE(rows[2], QStringLiteral("2022003;5.1.2022;1;7,00"));
        dialog.show();
        QTRY_COMPARE(DialogHook::Records().size(), 1);
        const QString report = AppFixture::shown(QStringLiteral("info")).value(0);
        QVERIFY2(report.contains(QStringLiteral("2022001.ppu")) && report.contains(QStringLiteral("2022002.ppu")),
                 qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("má jen 3 řádky")), qPrintable(report));
        dialog.hide();
        dialog.show();
        QTest::qWait(20);
        QVERIFY(DialogHook::Records().isEmpty());
    }

    // With the keyboard alone: the first Down selects the first order, Enter opens it.
    void firstArrowKeySelectsTheFirstRow() {
        AppFixture f;
        for (const char* name : {"2022001.ppu", "2022002.ppu"})
            f.writeOrder(QLatin1String(name), OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"), {}));
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        list->setFocus();
        QVERIFY(list->selectedItems().isEmpty());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedItems().value(0), list->topLevelItem(0));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedItems().value(0), list->topLevelItem(1));
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(dialog.selectedPath(), f.orderPath(QStringLiteral("2022001.ppu")));
    }

    void geometryFollowsTheSize() {
        AppFixture f;
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.size(), QSize(512, 490));
        QCOMPARE(dialog.minimumSize(), QSize(385, 376));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ok"));
        auto* storno = dialog.findChild<QPushButton*>(QStringLiteral("Tl_Storno"));
        QCOMPARE(list->geometry(), QRect(8, 8, 496, 445));
        QCOMPARE(ok->geometry(), QRect(343, 460, 75, 25));
        QCOMPARE(storno->geometry(), QRect(431, 460, 75, 25));
        dialog.resize(612, 540);
        QTRY_COMPARE(list->geometry(), QRect(8, 8, 596, 495));
        QCOMPARE(storno->geometry(), QRect(531, 510, 75, 25));
    }

    // A file copied from elsewhere may carry ".PPU": it is listed, so it must open too.
    void anUpperCaseExtensionOpens() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.PPU"),
                     OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"), {QStringLiteral("1|0100|7,00|||||")}));
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        QCOMPARE(rowsOf(dialog), QStringList{QStringLiteral("2022001;3.1.2022;1;7,00")});
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        list->setCurrentItem(list->topLevelItem(0));
        dialog.Tl_OkClick();
        QCOMPARE(dialog.selectedPath(), f.orderPath(QStringLiteral("2022001.PPU")));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // A double click opens the row under the mouse; one where there is no row says so. Enter opens
    // the selected row. A single click only selects, also where the style would activate on it.
    void mouseAndKeys() {
        AppFixture f;
        for (const char* name : {"2022001.ppu", "2022002.ppu"})
            f.writeOrder(QLatin1String(name), OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"), {}));
        THlavni& w = f.start();
        auto rowCentre = [](QTreeWidget* list, int row) {
            return list->visualItemRect(list->topLevelItem(row)).center();
        };
        {
            TOtevrit dialog(w.settings(), &w);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 10));
            QCOMPARE(AppFixture::shown(QStringLiteral("info")),
                     QStringList{QStringLiteral("Není vybrána žádná položka")});
            QVERIFY(dialog.isVisible());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.selectedPath(), f.orderPath(QStringLiteral("2022002.ppu")));
        }
        {
            SingleClickStyle style;
            TOtevrit dialog(w.settings(), &w);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            list->setStyle(&style);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ok"))->isEnabled());
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.selectedPath(), f.orderPath(QStringLiteral("2022002.ppu")));
        }
        QVERIFY(DialogHook::Records().isEmpty());
    }

    void okWithoutSelectionAndAVanishedFile() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"), {}));
        THlavni& w = f.start();
        TOtevrit dialog(w.settings(), &w);
        dialog.Tl_OkClick();
        QCOMPARE(AppFixture::shown(QStringLiteral("info")), QStringList{QStringLiteral("Není vybrána žádná položka")});
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ok"))->isEnabled());
        QFile::remove(f.orderPath(QStringLiteral("2022001.ppu")));
        dialog.Tl_OkClick();
        QCOMPARE(dialog.selectedPath(), QString());
        QCOMPARE(dialog.result(), 0);
        QVERIFY(DialogHook::Records().isEmpty());
    }
};

QTEST_MAIN(TestOtevrit)
#include "tst_otevrit.moc"
