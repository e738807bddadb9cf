#include "common/Clock.h"
#include "common/Error.h"
#include "order/IniFile.h"
#include "order/Presets.h"
#include "order/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "HostileFiles.h"
#include "TestFiles.h"

// Settings and presets files that are pipes, links to devices or far too large: read quickly as
// unreadable, never blocking, never replaced by a save.
class TestHostileFiles : public QObject {
    Q_OBJECT
    SeamGuard m_today;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_today = Clock::SetToday(QDate(2024, 3, 15));
    }
    void cleanup() { m_today.restore(); }

    // Kinds of file that are no settings file, each given as the settings file.
    void settingsFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link to a pipe") << "link";
        QTest::newRow("link to /dev/zero") << "zero";
    }

    // The defaults, at once; the settings save refuses to replace the file.
    void settingsFile() {
        QFETCH(QString, kind);
        const QString ini = folder() + "Velorin.ini";
        const QString fifo = kind == "pipe" ? ini : m_dir->filePath("roura");
        QVERIFY(MakeFifo(fifo));
        if (kind == "link")
            QVERIFY(QFile::link(fifo, ini));
        if (kind == "zero" && !QFile::link("/dev/zero", ini))
            QSKIP("no /dev/zero here");
        Watchdog watchdog({fifo});
        MemoryCap memory;

        Settings s = LoadSettings(folder());
        QCOMPARE(s.AktualniRok, 2024);
        QCOMPARE(s.Mena, QStringLiteral("Kč"));
        QCOMPARE(s.CisloKlienta, QStringLiteral("0000000000"));
        QVERIFY(!ReadAboCommentsOption(s));
        s.Mena = "EUR";
        try {
            SaveSettings(s);
            QFAIL("the settings replaced what is no settings file");
        } catch (const VelorinError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + ini);
        }
        QVERIFY_THROWS_EXCEPTION(VelorinError, WriteAboCommentsOption(s, true));
        QVERIFY(!watchdog.expired());
        QVERIFY(IsFifo(fifo));
        QCOMPARE(QFileInfo(ini).isSymLink(), kind != "pipe");
    }

    // Presets that cannot be read are said, naming the file, rather than shown as none: a save
    // of an empty list would replace them.
    void presetsFile() {
        const QString path = PresetsFilePath(folder());
        QVERIFY(MakeFifo(path));
        Watchdog watchdog({path});
        auto refused = [&](const QString& what) {
            try {
                ReadPresetLines(path);
                QFAIL(qPrintable("read the presets from " + what));
            } catch (const VelorinError& e) {
                QVERIFY2(e.message().startsWith(QStringLiteral("Soubor %1 nelze načíst: ").arg(path)),
                         qPrintable(e.message()));
                QVERIFY2(e.message().contains(what), qPrintable(e.message()));
            }
        };
        refused("pojmenovaná roura");
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        refused("složka");
        QVERIFY(QDir().rmdir(path));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(16 * 1024 * 1024 + 1));
        }
        refused("je větší než 16 MB");
        QVERIFY(!watchdog.expired());
    }

private:
    QString folder() const { return m_dir->path() + QLatin1Char('/'); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
