#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QTest>
#include <unistd.h>

// Root lists and writes any folder whatever its mode. A test of what an ordinary user meets (a
// folder that cannot be listed, say) runs its own test function once more as user nobody when it is
// started as root, and takes that run's result; as any other user it goes on in place.
struct NobodyRun {
    bool started = false;
    bool passed = false;
    QString output;
};

inline NobodyRun RunAsNobody(const char* testFunction) {
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                 QCoreApplication::applicationFilePath(), QString::fromLatin1(testFunction)});
    NobodyRun run;
    if (!child.waitForStarted() || !child.waitForFinished(100'000)) {
        run.output = QStringLiteral("setpriv cannot run this test as user nobody: ") + child.errorString();
        return run;
    }
    run.output = QString::fromLocal8Bit(child.readAll());
    // setpriv's own failures: it could not switch users or start the program as nobody.
    const int code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.started = code != 126 && code != 127 && !run.output.startsWith(QLatin1String("setpriv:"));
    if (!run.started)
        run.output = QStringLiteral("this test cannot run as user nobody here: ") + run.output.trimmed();
    run.passed = code == 0;
    return run;
}

// As root: runs the calling test function as nobody, reports its result and returns.
#define VELORIN_AS_NOBODY_WHEN_ROOT()                                                                                  \
    do {                                                                                                               \
        if (::geteuid() == 0) {                                                                                        \
            const NobodyRun nobodyRun = RunAsNobody(QTest::currentTestFunction());                                     \
            if (!nobodyRun.started)                                                                                    \
                QSKIP(qPrintable(nobodyRun.output));                                                                   \
            QVERIFY2(nobodyRun.passed, qPrintable(nobodyRun.output));                                                  \
            return;                                                                                                    \
        }                                                                                                              \
    } while (false)
