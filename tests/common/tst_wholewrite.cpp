#include "common/Error.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#include "AgedFiles.h"
#include "TestFiles.h"

// A new file never replaces anything, and a write clears only what its own killed writes left.
class TestWholeWrite : public QObject {
    Q_OBJECT

private slots:
    void createTakesOnlyAFreeName_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("free") << "free";
        QTest::newRow("file") << "file";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to a file") << "link";
        QTest::newRow("link to nothing") << "dangling";
    }

    void createTakesOnlyAFreeName() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("2026001.ppu");
        const QString target = dir.filePath("cil.txt");
        if (kind == "file")
            WriteRaw(path, "old\r\n");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("2026001.ppu"));
        if (kind == "link")
            WriteRaw(target, "old\r\n");
        if (kind == "link" || kind == "dangling")
            QVERIFY(QFile::link(target, path));
        const QStringList before = AllEntries(dir.path());
        const QByteArray targetBefore = ReadAll(target);

        const bool created = TextFile::CreateLines(path, {QStringLiteral("nový")});
        QCOMPARE(created, kind == "free");
        if (created) {
            QCOMPARE(ReadAll(path), QByteArray("nov\xfd\r\n"));
            QCOMPARE(AllEntries(dir.path()), QStringList{"2026001.ppu"});
            return;
        }
        QCOMPARE(AllEntries(dir.path()), before);
        QCOMPARE(ReadAll(target), targetBefore);
        if (kind == "file")
            QCOMPARE(ReadAll(path), QByteArray("old\r\n"));
    }

    void failedCreateLeavesNothing() {
        QTemporaryDir dir;
        const SeamGuard seam = TextFile::SetWriteSeam([](int, const char*, unsigned long) -> long {
            errno = ENOSPC;
            return -1;
        });
        const QString path = dir.filePath("2026001.ppu");
        try {
            TextFile::CreateBytes(path, "bytes");
            QFAIL("a write that failed made a file");
        } catch (const TextFile::WriteError& e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        }
        QCOMPARE(AllEntries(dir.path()), QStringList());
    }

    // Only the written file's own temporary files go, and only those a write left over a minute ago.
    void aWriteClearsItsOwnStaleTempFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath("2026001.ppu");
        WriteAged(path, 3600);
        WriteAged(dir.filePath("2026001.ppu.~b12Cd"), 3600);   // a killed save's
        WriteAged(dir.filePath("2026001.ppu.~Z9z9Z"), 90);     // also old enough
        WriteAged(dir.filePath("2026001.ppu.~y34Zw"), 10);     // another copy's save may be writing it
        WriteAged(dir.filePath("2026002.ppu.~q11Qq"), 3600);   // another file's
        WriteAged(dir.filePath("2026001.PPU.~b12Cd"), 3600);   // another file's too
        WriteAged(dir.filePath("poznamky.ppu.~kopie"), 3600);  // a user's
        WriteAged(dir.filePath("2026001.ppu.zaloha"), 3600);   // a user's copy, no tilde
        WriteAged(dir.filePath("2026001.ppu.~b12C"), 3600);    // four letters
        WriteAged(dir.filePath("2026001.ppu.~b12Cd3"), 3600);  // six
        WriteAged(dir.filePath("2026001.ppu.~b1-Cd"), 3600);   // not a letter or digit
        WriteAged(dir.filePath("x2026001.ppu.~b12Cd"), 3600);  // a longer name
        QVERIFY(QDir(dir.path()).mkdir("2026001.ppu.~older")); // a folder
        SetAge(dir.filePath("2026001.ppu.~older"), 3600);
        QVERIFY(QFile::link(dir.filePath("poznamky.ppu.~kopie"), dir.filePath("2026001.ppu.~linkd")));
        SetAge(dir.filePath("2026001.ppu.~linkd"), 3600); // a link, and the file it points at, stay
        QStringList expected = AllEntries(dir.path());
        expected.removeOne("2026001.ppu.~b12Cd");
        expected.removeOne("2026001.ppu.~Z9z9Z");

        TextFile::WriteBytes(path, "new");
        QCOMPARE(AllEntries(dir.path()), expected);
        QCOMPARE(ReadAll(path), QByteArray("new"));
        QCOMPARE(ReadAll(dir.filePath("poznamky.ppu.~kopie")), QByteArray("x"));

        // A failed write clears nothing.
        WriteAged(dir.filePath("2026001.ppu.~c34De"), 3600);
        const SeamGuard seam2 = TextFile::SetWriteSeam([](int, const char*, unsigned long) -> long {
            errno = EIO;
            return -1;
        });
        QVERIFY_THROWS_EXCEPTION(TextFile::WriteError, TextFile::WriteBytes(path, "newer"));
        QVERIFY(QFile::exists(dir.filePath("2026001.ppu.~c34De")));
    }

    void aNewFileClearsItsOwnStaleTempFiles() {
        QTemporaryDir dir;
        WriteAged(dir.filePath("2026002.ppu.~abcde"), 3600);
        WriteAged(dir.filePath("2026002.ppu.~fghij"), 5);
        WriteAged(dir.filePath("2026001.ppu.~abcde"), 3600);
        QVERIFY(TextFile::CreateBytes(dir.filePath("2026002.ppu"), "new"));
        QCOMPARE(AllEntries(dir.path()), (QStringList{"2026001.ppu.~abcde", "2026002.ppu", "2026002.ppu.~fghij"}));
    }
};

QTEST_GUILESS_MAIN(TestWholeWrite)
#include "tst_wholewrite.moc"
