#include "common/Error.h"
#include "common/TextFile.h"
#include "order/IniFile.h"
#include "order/OrderFile.h"
#include "order/Presets.h"
#include "order/Settings.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AgedFiles.h"
#include "TestFiles.h"

namespace {

PaymentOrder Order(int rows, const QString& comment) {
    PaymentOrder order;
    order.Bank = PayerBank{"Komerční banka", "Na Příkopě 33", "19-2000145399", "0100"};
    order.OrderDate = "9.12.2026";
    for (int r = 0; r < rows; ++r) {
        OrderItem& item = order.Items[std::size_t(r)];
        item.Account = QString::number(123456789 + r);
        item.BankCode = "0800";
        item.Amount = QString::number(100 + r) + ",50";
        item.Comment = comment;
    }
    return order;
}

Settings SampleSettings(const QString& folder, const QString& bank) {
    Settings s;
    s.ProgramFolder = folder + '/';
    s.AktualniRok = 2026;
    s.NazevBanky = bank;
    s.Adresa = "Národní 1, Praha";
    s.CisloUctu = "19-2000145399";
    s.SmerovyKod = "0800";
    s.NazevKlienta = "Velorin s.r.o.";
    return s;
}

// The write fails: the error names the file, the old bytes stand and no temporary file is left.
void ExpectFailedWrite(const QString& path, const std::function<void()>& write) {
    const QByteArray before = ReadAll(path);
    const QStringList entries = AllEntries(QFileInfo(path).path());
    try {
        write();
        QFAIL(qPrintable("the write of " + path + " did not fail"));
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
    }
    QCOMPARE(ReadAll(path), before);
    QCOMPARE(AllEntries(QFileInfo(path).path()), entries);
}

// Writes of the order, the settings and the presets file, each first whole and then larger.
struct Files {
    QString folder;
    QString order() const { return folder + "/2026001.ppu"; }
    QString presets() const { return PresetsFilePath(folder + '/'); }
    void writeSmall() const {
        OrderFile::Save(Order(1, "malý"), order());
        SaveSettings(SampleSettings(folder, "Banka"));
        WritePresetLines(presets(), {PresetLine(PaymentPreset{"Nájem", "123", "0100", "1", "", "", ""})});
    }
    void expectLargerWritesFail() const {
        const QString big(500, QChar(u'ř'));
        ExpectFailedWrite(order(), [&] { OrderFile::Save(Order(16, big), order()); });
        ExpectFailedWrite(SettingsFilePath(SampleSettings(folder, big)),
                          [&] { SaveSettings(SampleSettings(folder, big)); });
        ExpectFailedWrite(presets(), [&] { WritePresetLines(presets(), QStringList(40, big)); });
    }
};

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    void failingWriteThroughSeam_data();
    void failingWriteThroughSeam();
    void fullFileSystem();
    void killedSaveLeavesOldOrNew();
    void newOrderSkipsNamesTakenMeanwhile();
    void newOrderGivesUpAfterManyTakenNames();
    void settingsWithHugeLineLoad();
};

void TestSafeWrite::failingWriteThroughSeam_data() {
    QTest::addColumn<int>("failAfter"); // bytes written before the failure
    QTest::addColumn<int>("error");     // 0: write(2) returns 0
    QTest::newRow("full at once") << 0 << ENOSPC;
    QTest::newRow("full half way") << 300 << ENOSPC;
    QTest::newRow("quota") << 10 << EDQUOT;
    QTest::newRow("i/o error") << 0 << EIO;
    QTest::newRow("nothing more fits") << 20 << 0;
}

void TestSafeWrite::failingWriteThroughSeam() {
    QFETCH(int, failAfter);
    QFETCH(int, error);
    QTemporaryDir dir;
    const Files files{dir.path()};
    files.writeSmall();
    const SeamGuard seam = TextFile::SetWriteSeam([&](int fd, const char* data, unsigned long size) -> long {
        long written = 0;
        const unsigned long room = unsigned(failAfter);
        if (room > 0)
            written = long(::write(fd, data, std::min(size, room)));
        if (written > 0 && unsigned(written) < size)
            return written;
        failAfter = 0; // every later call fails
        if (error == 0)
            return 0;
        errno = error;
        return -1;
    });
    files.expectLargerWritesFail();
    // A file written for the first time leaves nothing at all.
    const QString fresh = dir.filePath("2026002.ppu");
    ExpectFailedWrite(fresh, [&] { OrderFile::Save(Order(2, "nový"), fresh); });
    QVERIFY(!QFile::exists(fresh));
}

void TestSafeWrite::fullFileSystem() {
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP(qPrintable("a 64 KiB tmpfs cannot be mounted here (" + qt_error_string(errno) +
                         "); the seam test covers the failed write"));
    auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
    const Files files{dir.path()};
    files.writeSmall();
    // Fill the disk to the last byte.
    {
        const QByteArray filler = QFile::encodeName(dir.filePath("FILLER"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        const QByteArray block(4096, 'x');
        long n = 0;
        while ((n = long(::write(fd, block.constData(), std::size_t(block.size())))) > 0) {
        }
        QCOMPARE(errno, ENOSPC);
        ::close(fd);
    }
    files.expectLargerWritesFail();
}

void TestSafeWrite::killedSaveLeavesOldOrNew() {
    QTemporaryDir dir;
    const QString path = dir.filePath("2026001.ppu");
    const PaymentOrder oldOrder = Order(1, "starý");
    const PaymentOrder newOrder = Order(16, QString(200, QChar(u'ž')));
    OrderFile::Save(newOrder, path);
    const QByteArray newBytes = ReadAll(path);
    OrderFile::Save(oldOrder, path);
    const QByteArray oldBytes = ReadAll(path);

    int seenOld = 0, seenNew = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                try {
                    OrderFile::Save(i % 2 ? oldOrder : newOrder, path);
                } catch (...) {
                    ::_exit(2);
                }
            }
        }
        ::usleep(QRandomGenerator::global()->bounded(3000u));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY2(WIFSIGNALED(status), "the saving child stopped by itself");
        const QByteArray now = ReadAll(path);
        QVERIFY2(now == oldBytes || now == newBytes,
                 qPrintable(QString("round %1: %2 bytes").arg(round).arg(now.size())));
        ++(now == oldBytes ? seenOld : seenNew);
    }
    qInfo("old file found %d times, new file %d times", seenOld, seenNew);

    // The temporary files of the killed saves are never orders, and the next save clears them once
    // they are old.
    QCOMPARE(OrderFile::ListOrderFiles(dir.path()), QStringList{"2026001.ppu"});
    for (const QString& name : AllEntries(dir.path()))
        SetAge(dir.filePath(name), 120);
    OrderFile::Save(oldOrder, path);
    QCOMPARE(AllEntries(dir.path()), QStringList{"2026001.ppu"});
}

void TestSafeWrite::newOrderSkipsNamesTakenMeanwhile() {
    // Three more orders appear while the first name's file is written; each stays as it came.
    QTemporaryDir dir;
    WriteRaw(dir.filePath("2026001.ppu"), "first");
    int made = 0;
    const SeamGuard seam2 = TextFile::SetWriteSeam([&](int fd, const char* data, unsigned long size) -> long {
        if (made < 3) {
            ++made;
            QFile other(dir.filePath(QString("20260%1.ppu").arg(made + 1, 2, 10, QChar('0'))));
            if (!other.open(QIODevice::NewOnly) || other.write("other") != 5)
                return -1;
        }
        return long(::write(fd, data, size));
    });
    const PaymentOrder order = Order(0, "");
    QCOMPARE(OrderFile::CreateNew(order, dir.path(), 2026), dir.filePath("2026005.ppu"));
    QCOMPARE(AllEntries(dir.path()),
             (QStringList{"2026001.ppu", "2026002.ppu", "2026003.ppu", "2026004.ppu", "2026005.ppu"}));
    for (const char* name : {"2026002.ppu", "2026003.ppu", "2026004.ppu"})
        QCOMPARE(ReadAll(dir.filePath(name)), QByteArray("other"));
    QCOMPARE(OrderFile::Load(dir.filePath("2026005.ppu")).Bank.NazevBanky, order.Bank.NazevBanky);
}

void TestSafeWrite::newOrderGivesUpAfterManyTakenNames() {
    QTemporaryDir dir;
    int made = 0;
    const SeamGuard seam3 = TextFile::SetWriteSeam([&](int fd, const char* data, unsigned long size) -> long {
        QFile other(dir.filePath(QString::number(2026001 + made++) + ".ppu"));
        if (!other.open(QIODevice::NewOnly))
            return -1;
        return long(::write(fd, data, size));
    });
    try {
        OrderFile::CreateNew(Order(0, ""), dir.path(), 2026);
        QFAIL("a new order was made although every name was taken");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(dir.path())), qPrintable(e.message()));
        QVERIFY2(e.message().contains("2026001.ppu až 2026100.ppu"), qPrintable(e.message()));
    }
    QCOMPARE(made, 100);
    QCOMPARE(AllEntries(dir.path()).size(), 100);
    QCOMPARE(ReadAll(dir.filePath("2026100.ppu")), QByteArray());
}

void TestSafeWrite::settingsWithHugeLineLoad() {
    // A 10 MB line beside the keys: every key still reads right (once, not once per key).
    QTemporaryDir dir;
    QByteArray bytes = "[Udaje]\r\nAktualniRok=2031\r\nPoznamka=" + QByteArray(10'000'000, 'x') +
                       "\r\nnazevbanky = \" Fio banka \"\r\n[Jine]\r\nMena=EUR\r\n[UDAJE]\r\nMena=USD\r\n";
    WriteRaw(dir.filePath(kSettingsFileName), bytes);
    const Settings s = LoadSettings(dir.path());
    QCOMPARE(s.AktualniRok, 2031);
    QCOMPARE(s.NazevBanky, QString(" Fio banka "));
    QCOMPARE(s.Mena, QString("Kč")); // only the first section of a name counts
    QCOMPARE(s.CisloKlienta, QString("0000000000"));
    QCOMPARE(IniFile::Read(dir.filePath(kSettingsFileName), "jine", "MENA"), std::optional<QString>("EUR"));
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
