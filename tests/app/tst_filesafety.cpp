#include "AgedFiles.h"
#include "AppFixture.h"
#include "TestModal.h"
#include "Unprivileged.h"

#include <QScopeGuard>
#include <unistd.h>

namespace {

QStringList SmallOrder() {
    return OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), {QStringLiteral("1|0100|5,00|||||")});
}

} // namespace

// A new order never takes the place of a file, and looking at a year folder changes nothing in it.
class TestFileSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // Listing a folder of mode 0333 gives nothing at all; the new order would be named 2022001.ppu
    // and written over the order of that name.
    void aNewOrderInAFolderThatCannotBeListedIsRefused() {
        VELORIN_AS_NOBODY_WHEN_ROOT();
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), SmallOrder());
        const QString existing = f.orderPath(QStringLiteral("2022001.ppu"));
        const QByteArray before = ReadAll(existing);
        THlavni& w = f.start();
        const QFile::Permissions listable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QVERIFY(QFile::setPermissions(f.yearFolder(), QFile::WriteOwner | QFile::ExeOwner | QFile::WriteGroup |
                                                          QFile::ExeGroup | QFile::WriteOther | QFile::ExeOther));
        auto restore = qScopeGuard([&] { QFile::setPermissions(f.yearFolder(), listable); });
        if (!AllEntries(f.yearFolder()).isEmpty())
            QSKIP("this user lists a folder of mode 0333");

        f.trigger("HMenu_Novy");
        const QStringList errors = AppFixture::shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QDir::toNativeSeparators(f.yearFolder())), qPrintable(errors[0]));
        QVERIFY(!w.isOrderOpen());
        QCOMPARE(w.order().FilePath, QString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě"));
        QVERIFY(QFile::setPermissions(f.yearFolder(), listable));
        QCOMPARE(AllEntries(f.yearFolder()), QStringList{QStringLiteral("2022001.ppu")});
        QCOMPARE(ReadAll(existing), before);
    }

    // Another running copy makes the next order while this one writes: its file stays as it made it,
    // and this order takes the next free number.
    void aNewOrderSkipsANameTakenMeanwhile() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), SmallOrder());
        THlavni& w = f.start();
        const QString other = f.orderPath(QStringLiteral("2022002.ppu"));
        const QByteArray othersBytes = "Jiná banka\r\n";
        bool made = false;
        const SeamGuard seam = TextFile::SetWriteSeam([&](int fd, const char* data, unsigned long size) -> long {
            if (!made) {
                made = true;
                QFile file(other);
                if (!file.open(QIODevice::NewOnly) || file.write(othersBytes) != othersBytes.size())
                    return -1;
            }
            return long(::write(fd, data, size));
        });
        f.trigger("HMenu_Novy");
        QVERIFY(made);
        QCOMPARE(AppFixture::shown(), QStringList());
        QVERIFY(w.isOrderOpen());
        QCOMPARE(w.order().FilePath, f.orderPath(QStringLiteral("2022003.ppu")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Příkaz k úhradě - 2022003.ppu"));
        QCOMPARE(ReadAll(other), othersBytes);
        QCOMPARE(AllEntries(f.yearFolder()), (QStringList{QStringLiteral("2022001.ppu"), QStringLiteral("2022002.ppu"),
                                                          QStringLiteral("2022003.ppu")}));
        QCOMPARE(TextFile::ReadLines(w.order().FilePath).value(4), QStringLiteral("7.1.2022"));
    }

    // The open-order dialog, the overview and the naming of a new order only read the folder: a
    // user's file named like a temporary one, a killed save's old temporary file and a save's fresh
    // one all stay.
    void listingsDeleteNothing() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), SmallOrder());
        WriteAged(f.orderPath(QStringLiteral("poznamky.ppu.~kopie")), 3600);
        WriteAged(f.orderPath(QStringLiteral("2022001.ppu.~b12Cd")), 3600);
        WriteAged(f.orderPath(QStringLiteral("2022001.ppu.~y34Zw")), 5);
        QStringList entries = AllEntries(f.yearFolder());
        f.start();

        f.openOrder(-1);
        QCOMPARE(AllEntries(f.yearFolder()), entries);

        ModalAction close([](QWidget* overview) { overview->findChild<QAction*>("ToolButton12")->trigger(); });
        f.trigger("HMenu_Sestavy");
        QVERIFY(close.happened());
        QCOMPARE(AllEntries(f.yearFolder()), entries);

        f.trigger("HMenu_Novy");
        entries << QStringLiteral("2022002.ppu");
        entries.sort();
        QCOMPARE(AllEntries(f.yearFolder()), entries);
        QCOMPARE(AppFixture::shown(), QStringList());
    }
};

QTEST_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
