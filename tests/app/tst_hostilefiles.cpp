#include "AppFixture.h"

#include "HostileFiles.h"
#include "TestFiles.h"
#include "TestModal.h"
#include "app/Otevrit_f.h"
#include "bank/BankRegister.h"
#include "common/Error.h"
#include "order/Presets.h"
#include "overview/Sestavy_f.h"
#include "report/PreparedReport.h"

#include <QTreeWidget>

namespace {

// A year of a good order and two links named like orders, to a pipe and to /dev/zero, the main
// window started over it; reads that block on the pipe are woken, endless ones run out of memory.
struct HostileYear {
    AppFixture f;
    QString fifo = f.dir.filePath(QStringLiteral("roura"));
    bool made = write();
    THlavni& window = f.start();
    Watchdog watchdog{{fifo}};
    MemoryCap memory;

    bool write() {
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("111|0100|7,00||||Nájem|")}));
        return MakeFifo(fifo) && QFile::link(fifo, f.orderPath(QStringLiteral("2022002.ppu"))) &&
               QFile::link(QStringLiteral("/dev/zero"), f.orderPath(QStringLiteral("2022003.ppu")));
    }
};

const QString kPipe = QStringLiteral("soubor nelze načíst: není to obyčejný soubor, ale pojmenovaná roura");
const QString kDevice = QStringLiteral("soubor nelze načíst: není to obyčejný soubor, ale zařízení");

} // namespace

// Files that are no regular files, where the program reads whole files: listed or said as
// unreadable at once, the program goes on, nothing blocks and nothing is replaced.
class TestHostileFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void openOrderDialogListsThemUnreadable() {
        HostileYear year;
        QVERIFY(year.made);
        AppFixture& f = year.f;
        THlavni& w = year.window;
        {
            TOtevrit dialog(w.settings(), &w);
            auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            QCOMPARE(list->topLevelItemCount(), 3);
            QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("7,00"));
            QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("nečitelný"));
            QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("nečitelný"));
            QCOMPARE(dialog.problems(), (QStringList{"2022002.ppu: " + kPipe, "2022003.ppu: " + kDevice}));
        }
        // Picked all the same: an error box naming the file, and no order open.
        f.openOrder(2);
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(f.orderPath(QStringLiteral("2022003.ppu"))), qPrintable(errors[0]));
        QVERIFY(!w.isOrderOpen());
        QVERIFY(!year.watchdog.expired());
    }

    void overviewListsThemUnreadable() {
        HostileYear year;
        QVERIFY(year.made);
        TSestavy s(year.window.settings(), &year.window);
        QCOMPARE(AppFixture::shown(), QStringList{QStringLiteral("Některé příkazy nelze přečíst:\n2022002.ppu: ") +
                                                  kPipe + QStringLiteral("\n2022003.ppu: ") + kDevice});
        QCOMPARE(s.table().rowCount(), 1);
        QCOMPARE(s.table().cell(0, 3), QStringLiteral("7,00"));
        QVERIFY(!year.watchdog.expired());
    }

    // The main window comes up with the defaults after one error box that names the file; the
    // pipe stays, also through the settings dialog's save.
    void settingsFileThatIsAPipe() {
        AppFixture f;
        const QString ini = f.folder() + QStringLiteral("Velorin.ini");
        QVERIFY(MakeFifo(ini));
        Watchdog watchdog({ini});
        THlavni& w = f.start();
        QVERIFY(w.isVisible());
        QTRY_COMPARE(DialogHook::Records().size(), 1);
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors, QStringList{QStringLiteral(
                                         "Soubor %1 nelze načíst: není to obyčejný soubor, ale pojmenovaná roura.\r\n"
                                         "Program pokračuje s výchozím nastavením; soubor zůstává beze změny.")
                                         .arg(ini)});
        QCOMPARE(w.settings().AktualniRok, 2022);
        QCOMPARE(w.settings().Mena, QStringLiteral("Kč"));
        QVERIFY(QFileInfo(f.yearFolder()).isDir());
        QVERIFY_THROWS_EXCEPTION(VelorinError, SaveSettings(w.settings()));
        QVERIFY(IsFifo(ini));
        QVERIFY(!watchdog.expired());
    }

    // A bank list beside the program that is a pipe: the order opens, checked against the
    // built-in list. Loading a pipe as a new list is refused with a message naming it.
    void bankListThatIsAPipe() {
        AppFixture f;
        const QString kept = UserBankListPath(f.folder());
        QVERIFY(MakeFifo(kept));
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("B"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("19-2000145399|0800|100,00|||||")}));
        const QString picked = f.dir.filePath(QStringLiteral("vybrany.csv"));
        QVERIFY(MakeFifo(picked));
        Watchdog watchdog({kept, picked});
        THlavni& w = f.start();
        f.openOrder();
        QVERIFY(w.isOrderOpen());
        QCOMPARE(BanksFor(w.settings().ProgramFolder).size(), BankRegister::BuiltIn().size());

        DialogHook::PushFileName(picked);
        f.trigger("HMenu_NacistCiselnikBank");
        QCOMPARE(AppFixture::shown(QStringLiteral("error")),
                 QStringList{QStringLiteral("Soubor %1 nelze přečíst: není to obyčejný soubor, ale pojmenovaná roura.")
                                 .arg(picked)});
        QVERIFY(IsFifo(kept));
        QVERIFY(!watchdog.expired());
    }

    // The presets manager does not open over presets it cannot read, so that no save replaces them.
    void presetsFileThatIsAPipe() {
        AppFixture f;
        const QString presets = PresetsFilePath(f.folder());
        QVERIFY(MakeFifo(presets));
        Watchdog watchdog({presets});
        f.start();
        NoModalWindow noManager;
        f.trigger("HMenu_Predvolby");
        QVERIFY(!noManager.appeared());
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("Soubor %1 nelze načíst: ").arg(presets)), qPrintable(errors[0]));
        QVERIFY(IsFifo(presets));
        QVERIFY(!watchdog.expired());
    }

    void preparedReportThatIsAPipe() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sestava.vps"));
        QVERIFY(MakeFifo(path));
        Watchdog watchdog({path});
        try {
            PreparedReportFile::Load(path);
            QFAIL("loaded a report from a pipe");
        } catch (const VelorinError& e) {
            QCOMPARE(
                e.message(),
                QStringLiteral("Soubor %1 nelze otevřít: není to obyčejný soubor, ale pojmenovaná roura").arg(path));
        }
        QVERIFY(!watchdog.expired());
    }
};

QTEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
