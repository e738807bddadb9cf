#include "ReadOnlyFolder.h"
#include "TestFiles.h"
#include "order/DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const FolderProbe kNeverWritable = [](const QString&) { return false; };

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void probeCreatesAndRemovesAFile() {
        QTemporaryDir dir;
        QVERIFY(CanCreateFilesIn(dir.path()));
        QVERIFY(CanCreateFilesIn(dir.path() + QLatin1Char('/')));
        QCOMPARE(AllEntries(dir.path()), QStringList());
        QVERIFY(!CanCreateFilesIn(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!CanCreateFilesIn(QString()));
    }

    // What access(2) would call writable for root: an immutable folder (or a mode 0555 one for an
    // ordinary user) must count as read-only.
    void probeSeesAReallyReadOnlyFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(folder));
        ReadOnlyFolder readOnly(folder);
        if (!readOnly.ok())
            QSKIP("this machine cannot make a folder read-only; the choice is tested through the seam");
        QVERIFY(!CanCreateFilesIn(folder));
        QCOMPARE(ChooseProgramFolder(folder, dir.filePath(QStringLiteral("data"))),
                 dir.filePath(QStringLiteral("data/")));
    }

    void writableProgramFolderIsKept() {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("home/.local/share/Velorin"));
        QCOMPARE(ChooseProgramFolder(dir.path(), data), dir.path() + QLatin1Char('/'));
        QVERIFY(!QFileInfo::exists(data));               // nothing made where it is not used
        QCOMPARE(AllEntries(dir.path()), QStringList()); // and the probe file is gone
    }

    void readOnlyProgramFolderGivesTheDataFolderCreated() {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("home/.local/share/Velorin"));
        QCOMPARE(ChooseProgramFolder(dir.path(), data, kNeverWritable), data + QLatin1Char('/'));
        QVERIFY(QFileInfo(data).isDir());
        // An existing data folder is taken as it is.
        QCOMPARE(ChooseProgramFolder(dir.path(), data + QLatin1Char('/'), kNeverWritable), data + QLatin1Char('/'));
        // Without a known home the program folder is all there is.
        QCOMPARE(ChooseProgramFolder(dir.path(), QString(), kNeverWritable), dir.path() + QLatin1Char('/'));
    }

    // Root can write to /usr/bin; an installed program must still keep orders in the user's folder.
    void installedTreeGivesTheDataFolderEvenWhenWritable() {
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("usr/bin"));
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(!IsInstalledTree(bin));
        QCOMPARE(ChooseProgramFolder(bin, data), bin + QLatin1Char('/'));

        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("usr/share/applications"))));
        QFile entry(dir.filePath(QStringLiteral("usr/share/applications/velorin.desktop")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        QVERIFY(IsInstalledTree(bin));
        QVERIFY(IsInstalledTree(bin + QLatin1Char('/')));
        QCOMPARE(ChooseProgramFolder(bin, data), data + QLatin1Char('/'));
        QCOMPARE(AllEntries(bin), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
