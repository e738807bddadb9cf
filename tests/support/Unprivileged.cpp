#include "Unprivileged.h"

#include <QCoreApplication>
#include <QProcess>

NobodyRun RunAsNobody(const char* testFunction) {
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
