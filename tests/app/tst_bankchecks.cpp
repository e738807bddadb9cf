#include "AppFixture.h"

#include "HostileText.h"
#include "TestFiles.h"
#include "TestModal.h"
#include "app/OrderGrid.h"
#include "bank/BankRegister.h"
#include "common/Cp1250.h"
#include "report/Nahled_f.h"

#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

namespace {

// Pixels of the warning mark's amber in the right end of an account cell.
int AmberPixels(const QImage& img, int row) {
    int n = 0;
    for (int x = 136 - 16; x < 136; ++x)
        for (int y = row * 19; y < row * 19 + 19; ++y) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 200 && c.green() > 140 && c.green() < 210 && c.blue() < 60;
        }
    return n;
}

} // namespace

// The payment checks of the main window: the marks in the grid and the bank list command.
class TestBankChecks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void gridMarksRowsThatFailACheck() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("7.1.2022"),
                                                               {QStringLiteral("19-2000145399|0800|100,00||||good|"),
                                                                QStringLiteral("19-2000145398|0999|100,00||6||bad|"),
                                                                QStringLiteral("||||||comment only|")}));
        THlavni& w = f.start();
        f.openOrder();
        auto* grid = w.findChild<QTableView*>(QStringLiteral("Grid1"));
        QAbstractItemModel* model = grid->model();
        QCOMPARE(model->index(0, 0).data(Qt::ToolTipRole).toString(), QString());
        QCOMPARE(ShownText(model->index(1, 0).data(Qt::ToolTipRole).toString()),
                 QStringLiteral("Číslo účtu nemá platný kontrolní součet\nNeznámý kód banky\n"
                                "Konstantní symbol 6 si banky vyhrazují pro vlastní platby"));
        QCOMPARE(model->index(1, 1).data(Qt::ToolTipRole).toString(), QString()); // the account cell only
        QCOMPARE(model->index(2, 0).data(Qt::ToolTipRole).toString(), QString());
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("19-2000145398")); // shown as stored

        w.selectRow(3); // no selection colour over the rows looked at
        const QImage img = grid->grab().toImage();
        QCOMPARE(AmberPixels(img, 0), 0);
        QVERIFY(AmberPixels(img, 1) > 10);
        QCOMPARE(AmberPixels(img, 2), 0);
    }

    void loadBankList() {
        AppFixture f;
        THlavni& w = f.start();
        const QString kept = UserBankListPath(f.folder());
        const QByteArray list = Cp1250::Encode(QStringLiteral("Kód;Název;BIC;CERTIS\r\n"
                                                              "0100;Komerční banka, a.s.;KOMBCZPP;A\r\n"
                                                              "\r\n"
                                                              "7777;Nová banka, a.s.;NOVACZPP;A\r\n"
                                                              "77;špatně\r\n"));
        const QString picked = f.dir.filePath(QStringLiteral("kody_bank_CR (1).csv"));
        WriteRaw(picked, list);

        // Cancelled: nothing happens.
        DialogHook::PushFileName(QString());
        f.trigger("HMenu_NacistCiselnikBank");
        QCOMPARE(AppFixture::shown(QStringLiteral("open")), QStringList{f.folder()});
        QVERIFY(!QFile::exists(kept));

        DialogHook::PushFileName(picked);
        f.trigger("HMenu_NacistCiselnikBank");
        QCOMPARE(AppFixture::shown(QStringLiteral("info")),
                 QStringList{"Číselník bank byl načten: 2 kódy bank.\r\n"
                             "Řádky, které nejsou kódem banky, byly vynechány: 5."});
        QCOMPARE(ReadAll(kept), list);
        QVERIFY(BanksFor(w.settings().ProgramFolder).Find(QStringLiteral("7777")));

        // A file that is no bank list: a clear message, and the list kept before stays.
        const QString wrong = f.dir.filePath(QStringLiteral("2022001.abo"));
        WriteRaw(wrong, "UHL1070122FIRMA\r\n1 1501 001001 0800\r\n");
        DialogHook::PushFileName(wrong);
        f.trigger("HMenu_NacistCiselnikBank");
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].startsWith(QStringLiteral("Soubor „2022001.abo“ není číselník bank")));
        QCOMPARE(ReadAll(kept), list);
        QVERIFY(BanksFor(w.settings().ProgramFolder).Find(QStringLiteral("7777")));
    }

    // The print preview tells of the rows that fail a check and of a past due date, and still
    // shows the pages.
    void printPreviewWarns() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("6.1.2022"),
                                                               {QStringLiteral("19-2000145399|0800|100,00||||good|"),
                                                                QStringLiteral("19-2000145398|0800|100,00||||bad|")}));
        f.start();
        f.openOrder();
        QString warning;
        size_t pages = 0;
        ModalAction look([&](QWidget* w) {
            auto* preview = qobject_cast<TNahled*>(w);
            QVERIFY(preview);
            warning = preview->WarningText();
            pages = preview->Pages().pages.size();
            preview->reject();
        });
        f.trigger("HMenu_Tisk");
        QVERIFY(look.happened());
        QVERIFY(warning.contains(QStringLiteral("Řádek 2: Číslo účtu nemá platný kontrolní součet")));
        QVERIFY(warning.contains(QStringLiteral("Datum splatnosti je v minulosti")));
        QVERIFY(!warning.contains(QStringLiteral("Řádek 1")));
        QCOMPARE(pages, size_t(1));
    }
};

QTEST_MAIN(TestBankChecks)
#include "tst_bankchecks.moc"
