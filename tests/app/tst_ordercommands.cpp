#include "AppFixture.h"

#include "TestModal.h"
#include "common/CzechFormat.h"
#include "order/IniFile.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString fileTimeAndBytes(const QString& path) {
    return QFileInfo(path).lastModified().toString(Qt::ISODateWithMs) + QLatin1Char(' ') +
           QString::fromLatin1(ReadAll(path).toHex());
}

} // namespace

class TestOrderCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void newOrderWritesItsFileAndCloseRemovesAnEmptyOne() {
        AppFixture f;
        IniFile::Write(f.folder() + QStringLiteral("Velorin.ini"), QStringLiteral("Udaje"),
                       QStringLiteral("NazevBanky"), QStringLiteral("Česká banka"));
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        QVERIFY(w.isOrderOpen());
        QCOMPARE(f.orderFiles(), QStringList{QStringLiteral("2022001.ppu")});
        const QStringList lines = TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")));
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines[0], QStringLiteral("Česká banka"));
        QCOMPARE(lines[3], QString());
        QCOMPARE(lines[4], QStringLiteral("7.1.2022"));
        QCOMPARE(lines[20], QStringLiteral("|||||||"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Datum"))->text(), QStringLiteral("7.1.2022"));

        f.trigger("HMenu_Zavrit");
        QVERIFY(!w.isOrderOpen());
        QVERIFY(f.orderFiles().isEmpty());
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    // Amounts and comments without an account are no valid item: such an order is deleted on
    // close and on quit, while an order with an account stays byte for byte.
    void closeAndQuitKeepOnlyOrdersWithAValidItem_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("quit");
        QTest::addColumn<bool>("kept");
        QTest::newRow("amount and comment, close") << QStringLiteral("|0100|100,00||||nájem|") << false << false;
        QTest::newRow("amount and comment, quit") << QStringLiteral("|0100|100,00||||nájem|") << true << false;
        QTest::newRow("account, close") << QStringLiteral("123|0100|100,00||||nájem|") << false << true;
        QTest::newRow("account, quit") << QStringLiteral("123|0100|100,00||||nájem|") << true << true;
    }
    void closeAndQuitKeepOnlyOrdersWithAValidItem() {
        QFETCH(QString, row);
        QFETCH(bool, quit);
        QFETCH(bool, kept);
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), {row}));
        const QByteArray before = ReadAll(f.orderPath(QStringLiteral("2022001.ppu")));
        THlavni& w = f.start();
        f.openOrder(0);
        QVERIFY(w.isOrderOpen());
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("La_Celkem"))->text(),
                 QStringLiteral("Celkem k platbě :    100,00 Kč"));
        if (quit) {
            f.trigger("HMenu_Konec");
            QVERIFY(!w.isVisible());
        } else {
            f.trigger("HMenu_Zavrit");
        }
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(f.orderFiles().size(), kept ? 1 : 0);
        if (kept)
            QCOMPARE(ReadAll(f.orderPath(QStringLiteral("2022001.ppu"))), before);
    }

    // The bank data of the order opened last go into the next new order, not the settings file.
    void anOpenedOrdersBankGoesIntoTheNextNewOrder() {
        AppFixture f;
        IniFile::Write(f.folder() + QStringLiteral("Velorin.ini"), QStringLiteral("Udaje"),
                       QStringLiteral("NazevBanky"), QStringLiteral("Banka z nastavení"));
        const QByteArray ini = ReadAll(f.folder() + QStringLiteral("Velorin.ini"));
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Jiná banka"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("1|0300|5,00|||||")}));
        THlavni& w = f.start();
        f.openOrder(0);
        QCOMPARE(w.settings().NazevBanky, QStringLiteral("Jiná banka"));
        f.trigger("HMenu_Zavrit");
        f.trigger("HMenu_Novy");
        const QStringList lines = TextFile::ReadLines(f.orderPath(QStringLiteral("2022002.ppu")));
        QCOMPARE(lines.mid(0, 4), QStringList({QStringLiteral("Jiná banka"), QStringLiteral("Ulice 1"),
                                               QStringLiteral("123-456"), QStringLiteral("0100")}));
        QCOMPARE(ReadAll(f.folder() + QStringLiteral("Velorin.ini")), ini);
    }

    void openCancelledLeavesNoOrderOpen() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), {}));
        THlavni& w = f.start();
        f.openOrder(-1);
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě"));
    }

    // A file that cannot be loaded changes nothing: no order open, the bank data as before.
    void aShortFileIsRefusedWholly() {
        AppFixture f;
        QStringList lines =
            OrderLines(QStringLiteral("Cizí banka"), QStringLiteral("3.1.2022"), {QStringLiteral("1|0100|5,00|||||")});
        f.writeOrder(QStringLiteral("2022001.ppu"), lines.mid(0, 12));
        THlavni& w = f.start();
        f.openOrder(0);
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(w.settings().NazevBanky, QString());
        QCOMPARE(w.order().Items[0].Account, QString());
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("2022001.ppu")), qPrintable(errors[0]));
    }

    // Lines after the order's own are counted by the open-order dialog but not kept by a save; the
    // user hears so once, when the order opens. Blank lines that an editor leaves at the end are no loss.
    void extraLinesAreSaidOnceOnOpen_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("count"); // "Počet" in the open-order dialog
        QTest::addColumn<QString>("said");
        const QString item = QStringLiteral("9|0100|1,00|||||");
        QTest::newRow("none") << QStringList() << QStringLiteral("1") << QString();
        QTest::newRow("blank lines at the end")
            << QStringList{QString(), QStringLiteral("  "), QString()} << QStringLiteral("1") << QString();
        QTest::newRow("one") << QStringList{item} << QStringLiteral("2")
                             << QStringLiteral("1 řádek navíc; při uložení se nezachová.");
        QTest::newRow("a blank one between")
            << QStringList{item, QString(), QStringLiteral("poznámka"), QString()} << QStringLiteral("3")
            << QStringLiteral("3 řádky navíc; při uložení se nezachovají.");
        QTest::newRow("five") << QStringList(5, item) << QStringLiteral("6")
                              << QStringLiteral("5 řádků navíc; při uložení se nezachovají.");
    }
    void extraLinesAreSaidOnceOnOpen() {
        QFETCH(QStringList, extra);
        QFETCH(QString, count);
        QFETCH(QString, said);
        AppFixture f;
        const QString name = QStringLiteral("2022001.ppu");
        f.writeOrder(name, OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                      {QStringLiteral("1|0100|5,00|||||")}) +
                               extra);
        THlavni& w = f.start();
        QString counted;
        ModalAction pick([&counted](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            counted = list->topLevelItem(0)->text(2);
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok")), Qt::LeftButton);
        });
        f.trigger("HMenu_Otevrit");
        QVERIFY(pick.happened());
        QVERIFY(w.isOrderOpen());
        QCOMPARE(counted, count);
        const QList<DialogHook::Record> boxes = DialogHook::Records();
        DialogHook::ClearRecords();
        if (said.isEmpty()) {
            QCOMPARE(boxes.size(), 0);
        } else {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes[0].kind, QStringLiteral("info"));
            QCOMPARE(boxes[0].text,
                     QStringLiteral("Soubor %1 obsahuje %2").arg(QDir::toNativeSeparators(f.orderPath(name)), said));
        }
        // The next save writes the order's 21 lines and says nothing more.
        f.trigger("HMenu_VyjmoutPolozku");
        QCOMPARE(TextFile::ReadLines(f.orderPath(name)).size(), 21);
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    void changeOfDate_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QDate>("picked");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancelled") << true << QDate() << false;
        QTest::newRow("same date") << false << QDate(2022, 1, 3) << false;
        QTest::newRow("new date") << false << QDate(2022, 2, 14) << true;
    }
    void changeOfDate() {
        QFETCH(bool, cancel);
        QFETCH(QDate, picked);
        QFETCH(bool, written);
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("03.01.2022"),
                                                               {QStringLiteral("1|0100|5,00|||||")}));
        const QString path = f.orderPath(QStringLiteral("2022001.ppu"));
        THlavni& w = f.start();
        f.openOrder(0);
        const QString before = fileTimeAndBytes(path);
        QTest::qWait(20); // a rewrite would show in the file time
        DialogHook::PushDate(cancel ? std::nullopt : std::optional<QDate>(picked));
        f.trigger("HMenu_ZmenitDatum");
        QCOMPARE(AppFixture::shown(QStringLiteral("error")), QStringList());
        if (!written) {
            QCOMPARE(fileTimeAndBytes(path), before);
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Datum"))->text(), QStringLiteral("03.01.2022"));
        } else {
            QCOMPARE(TextFile::ReadLines(path)[4], QStringLiteral("14.2.2022"));
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Datum"))->text(), QStringLiteral("14.2.2022"));
        }
    }

    void aDateThatIsNoDateIsReportedAndKept() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("zítra"),
                                                               {QStringLiteral("1|0100|5,00|||||")}));
        const QString path = f.orderPath(QStringLiteral("2022001.ppu"));
        THlavni& w = f.start();
        f.openOrder(0);
        const QByteArray before = ReadAll(path);
        f.trigger("HMenu_ZmenitDatum");
        QCOMPARE(AppFixture::shown(QStringLiteral("error")).size(), 1);
        QCOMPARE(ReadAll(path), before);
        QVERIFY(w.isOrderOpen());
        QVERIFY(DialogHook::Records().isEmpty());
    }

    // A new order whose file cannot be written leaves no order open and no file.
    void aNewOrderThatCannotBeWrittenLeavesNothing() {
        AppFixture f;
        THlavni& w = f.start();
        QDir(f.yearFolder()).removeRecursively();
        QFile blocker(f.yearFolder()); // a file where the year folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.trigger("HMenu_Novy");
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(w.order().FilePath, QString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě"));
        QCOMPARE(AppFixture::shown(QStringLiteral("error")).size(), 1);
        QVERIFY(w.action(QStringLiteral("HMenu_Novy"))->isEnabled());
    }

    void namesFollowTheLastOrder() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022999.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("1|0100|5,00|||||")}));
        f.start();
        f.trigger("HMenu_Novy");
        QVERIFY(f.orderFiles().contains(QStringLiteral("2023000.ppu")));
    }
};

QTEST_MAIN(TestOrderCommands)
#include "tst_ordercommands.moc"
