#pragma once

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

NobodyRun RunAsNobody(const char* testFunction);

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
