#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// A property the target checks failed: libFuzzer keeps the input as a crash.
#define FUZZ_REQUIRE(cond)                                                                                             \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

// A folder of this process in memory (/dev/shm when there is one), for the targets that read and
// write real files: the flush to disk of every save costs nothing there.
inline QString ScratchFolder() {
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/velorin-fuzz-") + QString::number(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

inline QString ScratchFile(const char* name, const QByteArray& bytes) {
    const QString path = ScratchFolder() + QLatin1Char('/') + QLatin1String(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
    return path;
}

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
