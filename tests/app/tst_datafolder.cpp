#include "AppFixture.h"

#include "ReadOnlyFolder.h"
#include "TestModal.h"
#include "order/DataFolder.h"

#include <QPushButton>
#include <QTreeWidget>

// The program in a folder it cannot write to: its files go to the user's data folder, and the next
// start finds them there.
class TestDataFolderStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    void readOnlyProgramFolderKeepsOrdersInTheDataFolder() {
        AppFixture f;
        const QString exe = f.dir.filePath(QStringLiteral("opt/velorin"));
        const QString data = f.dir.filePath(QStringLiteral("home/.local/share/Velorin"));
        QVERIFY(QDir().mkpath(exe));
        ReadOnlyFolder readOnly(exe);
        // A really read-only folder where the machine allows one, the seam elsewhere.
        const FolderProbe probe = readOnly.ok() ? FolderProbe(CanCreateFilesIn) : [](const QString&) { return false; };
        auto startIn = [&](const QString& folder) -> THlavni& {
            f.window = std::make_unique<THlavni>(folder);
            f.window->show();
            f.activate();
            return *f.window;
        };

        const QString chosen = ChooseProgramFolder(exe, data, probe);
        QCOMPARE(chosen, data + QLatin1Char('/'));
        THlavni& first = startIn(chosen);
        QVERIFY(QFileInfo(data + QStringLiteral("/2022")).isDir());
        f.trigger("HMenu_Novy");
        OrderItem item;
        item.Account = QStringLiteral("19-2000145399");
        item.BankCode = QStringLiteral("0800");
        first.SaveItem(0, item);
        f.trigger("HMenu_Oprogramu");
        QCOMPARE(AppFixture::shown(QStringLiteral("about")),
                 QStringList{QStringLiteral("1.4     2022-01-07\n") + data + QLatin1Char('/')});
        f.trigger("HMenu_Zavrit");
        f.window.reset();
        QCOMPARE(QDir(data + QStringLiteral("/2022")).entryList(QDir::Files), QStringList{"2022001.ppu"});
        QCOMPARE(QDir(exe).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

        THlavni& second = startIn(ChooseProgramFolder(exe, data, probe));
        ModalAction pick([](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
            QCOMPARE(list->topLevelItemCount(), 1);
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok")), Qt::LeftButton);
        });
        f.trigger("HMenu_Otevrit");
        QVERIFY(pick.happened());
        QVERIFY(second.isOrderOpen());
        QCOMPARE(second.order().Items[0].Account, QStringLiteral("19-2000145399"));
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    // Orders left beside a program whose folder it cannot write to: the start says where the files go
    // now, once per such folder. A folder it can write to, or one without orders, gives no word.
    void startSaysOnceWhereTheFilesGo() {
        AppFixture f;
        const QString exe = f.dir.filePath(QStringLiteral("opt/velorin"));
        const QString other = f.dir.filePath(QStringLiteral("mnt/velorin"));
        const QString data = f.dir.filePath(QStringLiteral("home/.local/share/Velorin")) + QLatin1Char('/');
        for (const QString& folder : {exe, other}) {
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/2019"))); // empty: the notice names 2021
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/2021")));
            QFile order(folder + QStringLiteral("/2021/2021001.ppu"));
            QVERIFY(order.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(f.dir.filePath(QStringLiteral("empty"))));
        ReadOnlyFolder readOnly(exe);
        const FolderProbe probe = readOnly.ok() ? FolderProbe(CanCreateFilesIn) : [](const QString&) { return false; };
        const FolderProbe never = [](const QString&) { return false; };

        QCOMPARE(FilesElsewhereNotice(exe, exe + QLatin1Char('/'), never), QString());
        QCOMPARE(FilesElsewhereNotice(f.dir.filePath(QStringLiteral("empty")), data, never), QString());
        QCOMPARE(FilesElsewhereNotice(other, data, [](const QString&) { return true; }), QString());

        auto startOver = [&](const QString& executableFolder, const FolderProbe& canCreate) {
            f.window = std::make_unique<THlavni>(data);
            f.window->TellWhereFilesGo(executableFolder, canCreate);
            QCoreApplication::processEvents();
            return AppFixture::shown(QStringLiteral("info"));
        };
        const QString told = QStringLiteral("Složka programu %1/ není zapisovatelná; příkazy se ukládají do %2.\r\n"
                                            "Dřívější příkazy zůstávají ve složce programu; chcete-li s nimi dál "
                                            "pracovat, zkopírujte složky let (například 2021) do %2.");
        QCOMPARE(startOver(exe, probe), QStringList{told.arg(exe, data)});
        QCOMPARE(startOver(exe, probe), QStringList());
        QCOMPARE(startOver(other, never), QStringList{told.arg(other, data)});
        QCOMPARE(startOver(other, never), QStringList());
    }
};

QTEST_MAIN(TestDataFolderStart)
#include "tst_datafolder.moc"
