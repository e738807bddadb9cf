#include "AgedFiles.h"

#include "TestFiles.h"

#include <QFile>
#include <QTest>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

void SetAge(const QString& path, int ageSeconds) {
    const timespec when{::time(nullptr) - ageSeconds, 0};
    const timespec times[2] = {when, when};
    QVERIFY2(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0,
             qPrintable(path));
}

void WriteAged(const QString& path, int ageSeconds, const QByteArray& bytes) {
    WriteRaw(path, bytes);
    if (QTest::currentTestFailed())
        return;
    SetAge(path, ageSeconds);
}
