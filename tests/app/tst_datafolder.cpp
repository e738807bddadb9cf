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
};

QTEST_MAIN(TestDataFolderStart)
#include "tst_datafolder.moc"
