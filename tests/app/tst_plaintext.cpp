#include "AppFixture.h"
#include "HostileText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QTreeWidget>

// Texts of order files and of the clipboard reach the main window's labels and the open-order
// dialog's tooltips as the characters they are, whatever markup they look like.
class TestPlainText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void mainWindowShowsCommentAndDateAsText() {
        AppFixture f;
        FifoTrap trap(f.dir.path());
        QVERIFY(trap.made());
        const QString red = QStringLiteral("<font size=6 color=red>ZAPLACENO</font>");
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), trap.picture(),
                                {QStringLiteral("19-2000145399|0800|100,00||||%1|").arg(trap.picture()),
                                 QStringLiteral("19-2000145399|0800|200,00||||%1|").arg(red)}));
        THlavni& w = f.start();
        f.openOrder();
        auto* comment = w.findChild<QLabel*>(QStringLiteral("La_Komentar"));
        auto* date = w.findChild<QLabel*>(QStringLiteral("Datum"));
        QVERIFY(comment && date);
        (void)w.grab();
        (void)comment->sizeHint();
        (void)date->sizeHint();
        QCOMPARE(trap.opens(), 0);
        QCOMPARE(ShownText(comment->text(), comment->textFormat()),
                 QStringLiteral("Komentář 1 záznamu :    ") + trap.picture());
        QCOMPARE(ShownText(date->text(), date->textFormat()), trap.picture());

        w.selectRow(1);
        QCOMPARE(ShownText(comment->text(), comment->textFormat()), QStringLiteral("Komentář 2 záznamu :    ") + red);
        QCOMPARE(RedPixels(comment->grab().toImage()), 0);

        // A pasted item shows its comment the same way.
        QGuiApplication::clipboard()->setText(QStringLiteral("||||||%1|").arg(trap.picture()));
        w.selectRow(2);
        f.trigger("HMenu_VlozitPolozku");
        QCOMPARE(w.order().Items[2].Comment, trap.picture());
        (void)w.grab();
        QCOMPARE(trap.opens(), 0);
        QCOMPARE(ShownText(comment->text(), comment->textFormat()),
                 QStringLiteral("Komentář 3 záznamu :    ") + trap.picture());
    }

    // An unreadable file's row tells why in its tooltip, quoting the file's text.
    void openDialogTooltipQuotesTheFileAsText() {
        AppFixture f;
        FifoTrap trap(f.dir.path());
        QVERIFY(trap.made());
        const QString red = QStringLiteral("<font size=6 color=red>ZAPLACENO</font>");
        for (const QString& amount : {trap.picture(), red})
            f.writeOrder(amount == red ? QStringLiteral("2022002.ppu") : QStringLiteral("2022001.ppu"),
                         OrderLines(QStringLiteral("Banka"), QStringLiteral("7.1.2022"),
                                    {QStringLiteral("19-2000145399|0800|%1|||||").arg(amount)}));
        f.start();
        QStringList tips;
        int opens = -1;
        ModalAction look([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            QWidget* viewport = list->viewport();
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                const QRect rect = list->visualItemRect(list->topLevelItem(row));
                const QPoint at(rect.left() + 20, rect.center().y()); // the name, which has the tooltip
                QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
                QApplication::sendEvent(viewport, &help);
                tips << (QToolTip::isVisible() ? ShownText(QToolTip::text()) : QString());
                QToolTip::hideText();
            }
            opens = trap.opens();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Storno")), Qt::LeftButton);
        });
        f.trigger("HMenu_Otevrit");
        QVERIFY(look.happened());
        QCOMPARE(opens, 0);
        QCOMPARE(tips.size(), 2);
        QVERIFY2(tips[0].contains(QStringLiteral("„") + trap.picture() + QStringLiteral("“")), qPrintable(tips[0]));
        QVERIFY2(tips[1].contains(QStringLiteral("„") + red + QStringLiteral("“")), qPrintable(tips[1]));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
