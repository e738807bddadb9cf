#include "AppFixture.h"

#include "TestModal.h"
#include "order/IniFile.h"
#include "report/Nahled_f.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

// The dialogs of the main window, reached the way the user reaches them.
class TestTools : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // The settings dialog stores all eight keys, keeps what it does not know, and takes the year
    // only while no order is open.
    void settingsThroughTheMenu() {
        AppFixture f;
        const QString ini = f.folder() + QStringLiteral("Velorin.ini");
        IniFile::Write(ini, QStringLiteral("Jine"), QStringLiteral("Klic"), QStringLiteral("hodnota"));
        THlavni& w = f.start();
        ModalAction edit([](QWidget* dialog) {
            auto* bank = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Banka1"));
            QVERIFY(bank);
            QTest::keyClicks(bank, QStringLiteral("Moje banka"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        });
        f.trigger("HMenu_Konfig");
        QVERIFY(edit.happened());
        QCOMPARE(w.settings().NazevBanky, QStringLiteral("Moje banka"));
        for (const char* key :
             {"AktualniRok", "NazevBanky", "Adresa", "CisloUctu", "SmerovyKod", "NazevKlienta", "CisloKlienta", "Mena"})
            QVERIFY2(IniFile::Read(ini, QStringLiteral("Udaje"), QLatin1String(key)).has_value(), key);
        QCOMPARE(IniFile::Read(ini, QStringLiteral("Jine"), QStringLiteral("Klic")).value_or(QString()),
                 QStringLiteral("hodnota"));

        // The next new order carries the stored bank.
        f.trigger("HMenu_Novy");
        QCOMPARE(TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")))[0], QStringLiteral("Moje banka"));
        ModalAction locked([](QWidget* dialog) {
            QVERIFY(!dialog->findChild<QWidget*>(QStringLiteral("AktualRok"))->isEnabled());
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Storno")), Qt::LeftButton);
        });
        f.trigger("HMenu_Konfig");
        QVERIFY(locked.happened());
    }

    // Ins and a double click open the item editor; its OK writes the row and the file.
    void itemEditorThroughInsAndDoubleClick() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), {}));
        THlavni& w = f.start();
        f.openOrder();
        w.selectRow(1);
        ModalAction type([](QWidget* dialog) {
            auto* account = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Ucet"));
            QVERIFY2(account, "Ed_Ucet");
            QTest::keyClicks(account, QStringLiteral("123456"));
            auto* amount = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Platba"));
            QTest::keyClicks(amount, QStringLiteral("12,5"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok")), Qt::LeftButton);
        });
        f.activate();
        QTest::keyClick(&w, Qt::Key_Insert);
        QVERIFY(type.happened());
        const QStringList lines = TextFile::ReadLines(f.orderPath(QStringLiteral("2022001.ppu")));
        QCOMPARE(lines[6], QStringLiteral("123456||12,50|||||"));
        QCOMPARE(w.order().Total, 12.5);

        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        ModalAction cancel([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Ucet"))->text(), QStringLiteral("123456"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Storno")), Qt::LeftButton);
        });
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(cancel.happened());
    }

    // The presets manager opens and closes again and again, with or without an order open.
    void presetsManagerThroughTheMenu() {
        AppFixture f;
        THlavni& w = f.start();
        for (int round = 0; round < 3; ++round) {
            if (round == 1)
                f.trigger("HMenu_Novy");
            ModalAction close([](QWidget* dialog) {
                QCOMPARE(dialog->objectName(), QStringLiteral("PredvolbyPlateb"));
                dialog->close();
            });
            f.trigger("HMenu_Predvolby");
            QVERIFY(close.happened());
        }
        QVERIFY(w.isOrderOpen());
        QCOMPARE(AppFixture::shown(QStringLiteral("error")), QStringList());
    }

    void aboExportRefusesAnOrderWithoutAValidItem() {
        AppFixture f;
        IniFile::Write(f.folder() + QStringLiteral("Velorin.ini"), QStringLiteral("Udaje"), QStringLiteral("CisloUctu"),
                       QStringLiteral("19-2000145399"));
        IniFile::Write(f.folder() + QStringLiteral("Velorin.ini"), QStringLiteral("Udaje"),
                       QStringLiteral("SmerovyKod"), QStringLiteral("0800"));
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        QVERIFY(w.isOrderOpen());
        f.trigger("HMenu_ExportABO");
        const QStringList shown = AppFixture::shown(QStringLiteral("info"));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("platná položka")), qPrintable(shown[0]));
    }

    // QR Platba of the selected row, and the printed codes of the order in the preview.
    void qrPlatbaThroughMenuAndToolbar() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("31.1.2025"),
                                {QStringLiteral("19-2000145399|0800|1250,00|20250001|0308||Nájem leden|"),
                                 QStringLiteral("1265098001|5500||||||")}));
        // The code of the selected row through the toolbar; the preview holds the one item that has a code.
        THlavni& w = f.start();
        f.openOrder();
        QVERIFY(w.isOrderOpen());
        QString text;
        ModalAction first([&text](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("QrPlatba"));
            text = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Text"))->text();
            dialog->close();
        });
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("TB_QrPlatba")), Qt::LeftButton);
        QVERIFY(first.happened());
        QCOMPARE(text, QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*CC:CZK*DT:20250131*MSG:NAJEM "
                                      "LEDEN*X-VS:20250001*X-KS:0308*CRC32:31874959"));

        int pages = 0;
        ModalAction preview([&pages](QWidget* dialog) {
            auto* nahled = qobject_cast<TNahled*>(dialog);
            QVERIFY(nahled);
            QCOMPARE(nahled->windowTitle(), QStringLiteral("Náhled"));
            pages = int(nahled->Pages().pages.size());
            QCOMPARE(nahled->Pages().pages.at(0).pictures.size(), size_t(1));
            dialog->close();
        });
        f.trigger("HMenu_TiskQrKodu");
        QVERIFY(preview.happened());
        QCOMPARE(pages, 1);
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    void qrPrintOfAnOrderWithoutCodesSaysWhy() {
        AppFixture f;
        f.start();
        f.trigger("HMenu_Novy");
        f.trigger("HMenu_TiskQrKodu");
        QCOMPARE(AppFixture::shown(QStringLiteral("info")),
                 QStringList{QStringLiteral("Příkaz neobsahuje ani jednu platnou položku k úhradě.")});
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
