#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

// Sets the last change of a file, folder or link (the link itself) ageSeconds into the past.
inline void SetAge(const QString& path, int ageSeconds) {
    timespec times[2] = {{::time(nullptr) - ageSeconds, 0}, {::time(nullptr) - ageSeconds, 0}};
    QVERIFY2(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0,
             qPrintable(path));
}

inline void WriteAged(const QString& path, int ageSeconds, const QByteArray& bytes = "x") {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
    f.close();
    SetAge(path, ageSeconds);
}

// Everything in folder, hidden entries too, by name.
inline QStringList AllEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
