#include "AppFixture.h"

#include "TestModal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString kItem3 = QStringLiteral("333|0300|30,00|3|0308|33|třetí|");

// Opens 2022001.ppu through the open-order dialog.
void openFirst(AppFixture& f) {
    f.openOrder();
    QVERIFY(f.window->isOrderOpen());
}

} // namespace

class TestItemCommands : public QObject {
    Q_OBJECT

    QString path;

    void startWith(AppFixture& f, const QStringList& rows) {
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), rows));
        path = f.orderPath(QStringLiteral("2022001.ppu"));
        f.start();
        openFirst(f);
    }
    QString line(int row) const { return TextFile::ReadLines(path).value(4 + row); }

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void cutRow3AndPasteIntoRow7() {
        AppFixture f;
        startWith(f, {QStringLiteral("1|0100|10,00|||||"), QStringLiteral("|||||||"), kItem3});
        THlavni& w = *f.window;
        w.selectRow(2);
        f.activate();
        QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), kItem3);
        QCOMPARE(line(3), QStringLiteral("|||||||")); // saved at once
        QCOMPARE(w.order().Total, 10.0);
        w.selectRow(6);
        QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(line(7), kItem3);
        QCOMPARE(line(3), QStringLiteral("|||||||"));
        QCOMPARE(w.order().Total, 40.0);
        QCOMPARE(AppFixture::shown(), QStringList()); // an empty row asks nothing
    }

    // The program's own cut is taken back by its paste whatever the amount says: a hand-edited
    // amount is left out of the total, not a reason to lose the item.
    void cutThenPasteKeepsAHandEditedItem_data() {
        QTest::addColumn<QString>("row");
        QTest::newRow("amount with a point") << QStringLiteral("1|0100|1250.50|||||");
        QTest::newRow("amount of letters") << QStringLiteral("2|0300|abc|7|0308||nájem|");
    }
    void cutThenPasteKeepsAHandEditedItem() {
        QFETCH(QString, row);
        AppFixture f;
        const QString other = QStringLiteral("9|0100|5,00|||||");
        startWith(f, {other, row});
        AppFixture::shown(); // the open-order dialog's own word on an amount it cannot sum
        const QByteArray before = ReadAll(path);
        THlavni& w = *f.window;
        w.selectRow(1);
        f.activate();
        QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), row);
        QCOMPARE(line(1), other);
        QCOMPARE(line(2), QStringLiteral("|||||||"));
        QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(AppFixture::shown(), QStringList());
        QCOMPARE(line(1), other);
        QCOMPARE(line(2), row);
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(w.order().Total, 5.0);
        auto* label = f.window->findChild<QLabel*>(QStringLiteral("La_Celkem"));
        QVERIFY2(label->text().contains(QStringLiteral("řádku 2")), qPrintable(label->text()));
    }

    // Other programs see the item as plain text, and an item they offer as UTF-8 text is taken.
    void clipboardIsPlainText() {
        AppFixture f;
        startWith(f, {kItem3});
        f.trigger("HMenu_KopirovatPolozku");
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        auto* foreign = new QMimeData;
        foreign->setData(QStringLiteral("text/plain;charset=utf-8"), kItem3.toUtf8());
        QGuiApplication::clipboard()->setMimeData(foreign);
        f.window->selectRow(5);
        f.trigger("HMenu_VlozitPolozku");
        QCOMPARE(AppFixture::shown(), QStringList());
        QCOMPARE(line(6), kItem3);
    }

    void copyOfAnEmptyRowLeavesTheClipboard() {
        AppFixture f;
        startWith(f, {QStringLiteral("1|0100|10,00|||||")});
        QGuiApplication::clipboard()->setText(QStringLiteral("dřívější"));
        f.window->selectRow(4);
        f.trigger("HMenu_KopirovatPolozku");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("dřívější"));
        f.window->selectRow(0);
        f.trigger("HMenu_KopirovatPolozku");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1|0100|10,00|||||"));
    }

    // Texts the order file cannot hold are refused like any other invalid text; an amount is taken
    // as it stands.
    void pasteRefusals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("line with its line break") << kItem3 + QStringLiteral("\r\n") << false;
        QTest::newRow("the same line without it") << kItem3 << true;
        QTest::newRow("six separators") << QStringLiteral("1|2|3|4|5|6|") << false;
        QTest::newRow("eight separators") << QStringLiteral("1|2|3|4|5|6|7|8|") << false;
        QTest::newRow("text after the last") << QStringLiteral("1|2|3,00|4|5|6|7|x") << false;
        QTest::newRow("empty clipboard") << QString() << false;
        QTest::newRow("line break inside a field") << QStringLiteral("1|2|3,00|4|5|6|a\nb|") << false;
        QTest::newRow("amount no number") << QStringLiteral("1|2|sto|4|5|6|7|") << true;
        QTest::newRow("amount with a point") << QStringLiteral("1|2|3.50|4|5|6|7|") << true;
        QTest::newRow("character the file cannot hold") << QStringLiteral("1|2|3,00|4|5|6|☃|") << false;
        QTest::newRow("euro sign, which the file holds") << QStringLiteral("1|2|3€|4|5|6|7|") << true;
        QTest::newRow("snowman in the amount") << QStringLiteral("1|2|3☃|4|5|6|7|") << false;
        QTest::newRow("lone CR in the account") << QStringLiteral("1\r|2|3,00|4|5|6|7|") << false;
        QTest::newRow("line break in the amount") << QStringLiteral("1|2|3,\n00|4|5|6|7|") << false;
        QTest::newRow("empty amount") << QStringLiteral("1|2||4|5|6|7|") << true;
    }
    void pasteRefusals() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        AppFixture f;
        startWith(f, {});
        const QByteArray before = ReadAll(path);
        QGuiApplication::clipboard()->setText(text);
        f.trigger("HMenu_VlozitPolozku");
        if (accepted) {
            QCOMPARE(AppFixture::shown(), QStringList());
            QCOMPARE(line(1), text);
        } else {
            QCOMPARE(DialogHook::Records().size(), 1);
            QCOMPARE(DialogHook::Records()[0].caption, QStringLiteral("Obsah schránky nelze vložit"));
            QCOMPARE(ReadAll(path), before);
        }
    }

    void sevenSeparatorsEmptyARowAfterTheQuestion() {
        AppFixture f;
        startWith(f, {kItem3});
        QGuiApplication::clipboard()->setText(QStringLiteral("|||||||"));
        const QByteArray before = ReadAll(path);
        DialogHook::PushAnswer(Answer::No);
        f.trigger("HMenu_VlozitPolozku");
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(AppFixture::shown(QStringLiteral("question")).size(), 1);
        DialogHook::PushAnswer(Answer::Yes);
        f.trigger("HMenu_VlozitPolozku");
        QCOMPARE(line(1), QStringLiteral("|||||||"));
        QCOMPARE(f.window->order().Total, 0.0);
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }

    void deleteAsksAndKeepsTheOtherRowsInPlace() {
        AppFixture f;
        startWith(f, {QStringLiteral("1|0100|1,00|||||"), QStringLiteral("2|0100|2,00|||||"),
                      QStringLiteral("3|0100|3,00|||||")});
        const QByteArray before = ReadAll(path);
        DialogHook::PushAnswer(Answer::No);
        f.trigger("HMenu_SmazatPolozku");
        QCOMPARE(ReadAll(path), before);
        const QList<DialogHook::Record> asked = DialogHook::Records();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, QStringLiteral("warning"));
        QCOMPARE(asked[0].caption, QStringLiteral("Smazání položky"));
        DialogHook::PushAnswer(Answer::Yes);
        f.trigger("HMenu_SmazatPolozku");
        QCOMPARE(line(1), QStringLiteral("|||||||"));
        QCOMPARE(line(2), QStringLiteral("2|0100|2,00|||||"));
        QCOMPARE(line(3), QStringLiteral("3|0100|3,00|||||"));
        QCOMPARE(f.window->order().Total, 5.0);
        // An empty row is deleted without a question.
        DialogHook::ClearRecords();
        f.trigger("HMenu_SmazatPolozku");
        QVERIFY(DialogHook::Records().isEmpty());
    }

    // A failed save puts the row back: memory and file never disagree.
    void aFailedSaveKeepsTheRow() {
        AppFixture f;
        startWith(f, {kItem3});
        QFile::remove(path);
        QDir().rmdir(f.yearFolder());
        QFile blocker(f.yearFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.trigger("HMenu_VyjmoutPolozku");
        QCOMPARE(AppFixture::shown(QStringLiteral("error")).size(), 1);
        QCOMPARE(RowText(f.window->order().Items[0]), kItem3);
        QCOMPARE(f.window->order().Total, 30.0);
    }

    void anAmountThatIsNoNumberIsLeftOutOfTheTotalAndSaid() {
        AppFixture f;
        startWith(f, {QStringLiteral("1|0100|10,00|||||"), QStringLiteral("2|0100|deset|||||")});
        QCOMPARE(f.window->order().Total, 10.0);
        auto* label = f.window->findChild<QLabel*>(QStringLiteral("La_Celkem"));
        QVERIFY2(label->text().startsWith(QStringLiteral("Celkem k platbě :    10,00 Kč")), qPrintable(label->text()));
        QVERIFY2(label->text().contains(QStringLiteral("řádku 2")), qPrintable(label->text()));
    }

    // Cancelling the item editor after a provisional total shows the order's total again as it
    // was, the note on the row it leaves out included.
    void cancelledEditorKeepsTheTotalsNote_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Storno") << false;
        QTest::newRow("close box") << true;
    }
    void cancelledEditorKeepsTheTotalsNote() {
        QFETCH(bool, closeBox);
        AppFixture f;
        startWith(f, {QStringLiteral("1|0100|10,00|||||"), QStringLiteral("2|0100|deset|||||")});
        AppFixture::shown();
        auto* label = f.window->findChild<QLabel*>(QStringLiteral("La_Celkem"));
        const QString before = label->text();
        QCOMPARE(before, QStringLiteral("Celkem k platbě :    10,00 Kč    (bez řádku 2: částka není číslo)"));
        QString provisional;
        ModalAction cancel([&](QWidget* dialog) {
            QApplication::setActiveWindow(dialog); // focus moves only in the active window
            auto* amount = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Platba"));
            amount->setFocus();
            amount->selectAll();
            QTest::keyClicks(amount, QStringLiteral("25"));
            QTest::keyClick(amount, Qt::Key_Tab);
            provisional = label->text();
            if (closeBox)
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Storno")), Qt::LeftButton);
        });
        f.trigger("HMenu_EditovatPolozku");
        QVERIFY(cancel.happened());
        QCOMPARE(provisional, QStringLiteral("Celkem k platbě :    25,00 Kč"));
        QCOMPARE(label->text(), before);
        QCOMPARE(line(1), QStringLiteral("1|0100|10,00|||||"));
    }
};

QTEST_MAIN(TestItemCommands)
#include "tst_itemcommands.moc"
