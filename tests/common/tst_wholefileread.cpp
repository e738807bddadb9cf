#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "HostileFiles.h"
#include "TestFiles.h"

// The one whole-file read: what is no regular file is refused unread, a file above the cap too,
// and the message names the file.
class TestWholeFileRead : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void refusesFilesAboveTheCap();
    void followsLinksAndKnowsAMissingFile();
    void bufferIsReused();

private:
    QTemporaryDir m_dir;
};

void TestWholeFileRead::refusesWhatIsNoRegularFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("what");
    QTest::newRow("pipe") << "roura.ppu"
                          << "pojmenovaná roura";
    QTest::newRow("link to a pipe") << "odkaz-na-rouru.ppu"
                                    << "pojmenovaná roura";
    QTest::newRow("link to /dev/zero") << "nuly.ppu"
                                       << "zařízení";
    QTest::newRow("folder") << "slozka.ppu"
                            << "složka";
}

void TestWholeFileRead::refusesWhatIsNoRegularFile() {
    QFETCH(QString, name);
    QFETCH(QString, what);
    const QString fifo = m_dir.filePath("roura.ppu");
    if (!QFile::exists(fifo))
        QVERIFY(MakeFifo(fifo));
    const QString path = m_dir.filePath(name);
    if (name == "odkaz-na-rouru.ppu")
        QVERIFY(QFile::link(fifo, path));
    if (name == "nuly.ppu") {
        if (!QFile::exists("/dev/zero"))
            QSKIP("no /dev/zero here");
        QVERIFY(QFile::link("/dev/zero", path));
    }
    if (name == "slozka.ppu")
        QVERIFY(QDir().mkpath(path));

    Watchdog watchdog({fifo});
    MemoryCap memory;
    try {
        TextFile::ReadLines(path);
        QFAIL("read what is no regular file");
    } catch (const TextFile::ReadError& e) {
        QCOMPARE(e.kind(), TextFile::ReadError::Kind::NotRegular);
        QCOMPARE(e.message(), QStringLiteral("Soubor %1 nelze načíst: není to obyčejný soubor, ale %2")
                                  .arg(QDir::toNativeSeparators(path), what));
    }
    QVERIFY(!watchdog.expired());
    QVERIFY(IsFifo(fifo));
}

void TestWholeFileRead::refusesFilesAboveTheCap() {
    const QString path = m_dir.filePath("velky.ppu");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(kMaxTextFileBytes + 1)); // sparse: no disk is used
    }
    MemoryCap memory;
    try {
        TextFile::ReadLines(path);
        QFAIL("read a file above the cap");
    } catch (const TextFile::ReadError& e) {
        QCOMPARE(e.kind(), TextFile::ReadError::Kind::TooLarge);
        QCOMPARE(e.message(),
                 QStringLiteral("Soubor %1 nelze načíst: je větší než 16 MB").arg(QDir::toNativeSeparators(path)));
    }
    // Exactly the cap is still read.
    QVERIFY(QFile::resize(path, kMaxTextFileBytes));
    QCOMPARE(TextFile::ReadBytes(path).size(), kMaxTextFileBytes);

    // A file that says it is empty and is not, as a growing one would: read to its end, never more
    // than one byte above the cap.
    const QString status = "/proc/self/status";
    QVERIFY(QFileInfo(status).size() == 0);
    QVERIFY(TextFile::ReadBytes(status).startsWith("Name:"));
    QByteArray bytes;
    QVERIFY_THROWS_EXCEPTION(TextFile::ReadError, TextFile::ReadBytesInto(status, bytes, 40));
    QVERIFY(bytes.size() <= 41);
}

void TestWholeFileRead::followsLinksAndKnowsAMissingFile() {
    const QString file = m_dir.filePath("prikaz.txt");
    WriteRaw(file, "a\r\nb\r\n");
    const QString link = m_dir.filePath("odkaz.txt");
    QVERIFY(QFile::link(file, link));
    QCOMPARE(TextFile::ReadLines(link), (QStringList{"a", "b"}));

    // A missing file and a link to one are told apart from files that are there but unreadable.
    const QString dangling = m_dir.filePath("nikam.txt");
    QVERIFY(QFile::link(m_dir.filePath("neni.txt"), dangling));
    for (const QString& path : {m_dir.filePath("neni.txt"), dangling}) {
        try {
            TextFile::ReadBytes(path);
            QFAIL("read a missing file");
        } catch (const TextFile::ReadError& e) {
            QCOMPARE(e.kind(), TextFile::ReadError::Kind::Missing);
            QVERIFY2(e.message().startsWith(QStringLiteral("Soubor %1 nelze načíst: ").arg(path)),
                     qPrintable(e.message()));
        }
    }
}

void TestWholeFileRead::bufferIsReused() {
    const QString big = m_dir.filePath("big.txt");
    const QString small = m_dir.filePath("small.txt");
    WriteRaw(big, QByteArray(100000, 'x'));
    WriteRaw(small, "abc");
    QByteArray bytes;
    TextFile::ReadBytesInto(big, bytes);
    QCOMPARE(bytes, QByteArray(100000, 'x'));
    const char* memory = bytes.constData();
    TextFile::ReadBytesInto(small, bytes);
    QCOMPARE(bytes, QByteArray("abc"));
    QCOMPARE(bytes.constData(), memory);
}

QTEST_GUILESS_MAIN(TestWholeFileRead)
#include "tst_wholefileread.moc"
