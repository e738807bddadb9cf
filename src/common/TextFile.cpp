#include "common/TextFile.h"

#include "common/Cp1250.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

TextFile::WriteSeam& Seam() {
    static TextFile::WriteSeam seam;
    return seam;
}

long WriteChunk(int fd, const char* data, unsigned long size) {
    if (const TextFile::WriteSeam& seam = Seam())
        return seam(fd, data, size);
    return long(::write(fd, data, size));
}

// A tilde and five letters or digits: six characters no user gives a copy of an order ("zaloha",
// "backup"), so the clearing of stale temporary files can never take a user's file.
QByteArray RandomSuffix() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(6, '~');
    for (qsizetype i = 1; i < suffix.size(); ++i)
        suffix[i] = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return suffix;
}

QString SizeText(qint64 bytes) {
    constexpr qint64 kB = 1024;
    if (bytes >= kB * kB && bytes % (kB * kB) == 0)
        return QStringLiteral("%1 MB").arg(bytes / (kB * kB));
    if (bytes >= kB && bytes % kB == 0)
        return QStringLiteral("%1 kB").arg(bytes / kB);
    return QStringLiteral("%1 B").arg(bytes);
}

QString NotRegularReason(mode_t mode) {
    const QString what = S_ISDIR(mode)                    ? QStringLiteral("složka")
                         : S_ISFIFO(mode)                 ? QStringLiteral("pojmenovaná roura")
                         : S_ISCHR(mode) || S_ISBLK(mode) ? QStringLiteral("zařízení")
                         : S_ISSOCK(mode)                 ? QStringLiteral("soket")
                                                          : QString();
    return what.isEmpty() ? QStringLiteral("není to obyčejný soubor")
                          : QStringLiteral("není to obyčejný soubor, ale %1").arg(what);
}

struct ClosedAtEnd {
    int fd;
    ~ClosedAtEnd() { ::close(fd); }
};

} // namespace

namespace TextFile {

QByteArray ReadBytes(const QString& path, qint64 cap) {
    QByteArray bytes;
    ReadBytesInto(path, bytes, cap);
    return bytes;
}

void ReadBytesInto(const QString& path, QByteArray& bytes, qint64 cap) {
    using Kind = ReadError::Kind;
    auto fail = [&path](Kind kind, const QString& reason) {
        throw ReadError(kind, QStringLiteral("Soubor %1 nelze načíst: %2").arg(Shown(path), reason), reason);
    };
    auto failSystem = [&fail] {
        const int error = errno;
        fail(error == ENOENT ? Kind::Missing : Kind::Failed, qt_error_string(error));
    };
    auto check = [&](const struct stat& st) {
        if (!S_ISREG(st.st_mode))
            fail(Kind::NotRegular, NotRegularReason(st.st_mode));
        if (st.st_size > cap)
            fail(Kind::TooLarge, QStringLiteral("je větší než %1").arg(SizeText(cap)));
    };

    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening: opening a device alone can do something (a tape rewinds).
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        failSystem();
    check(st);
    // Not blocking, should a pipe have taken the file's place since.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        failSystem();
    const ClosedAtEnd closer{fd};
    if (::fstat(fd, &st) != 0)
        failSystem();
    check(st);

    // The size found plus one byte, so that the end shows in the first pass; a file that grows
    // meanwhile is read on, but only up to one byte above the cap.
    qint64 size = 0;
    bytes.resize(qsizetype(st.st_size) + 1);
    for (;;) {
        if (size == bytes.size())
            bytes.resize(qsizetype(std::min<qint64>(std::max<qint64>(size * 2, 4096), cap + 1)));
        const ssize_t got = ::read(fd, bytes.data() + size, std::size_t(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failSystem();
        if (got == 0)
            break;
        size += got;
        if (size > cap)
            fail(Kind::TooLarge, QStringLiteral("je větší než %1").arg(SizeText(cap)));
    }
    bytes.truncate(qsizetype(size));
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadLines(const QString& path) {
    return SplitLines(Cp1250::Decode(ReadBytes(path)));
}

void WriteLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        try {
            bytes += Cp1250::Encode(line);
        } catch (const VelorinError& e) {
            throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), e.message()));
        }
        bytes += "\r\n";
    }
    WriteBytes(path, bytes);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    // A link is followed to the file at the end of its chain, which is replaced; the links stay. A link
    // to a file not there yet gets that file.
    const QFileInfo info(path);
    QString target = path;
    if (info.isSymLink())
        target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    auto fail = [&path](const QString& reason) {
        throw WriteError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), reason), reason);
    };
    auto systemReason = [] { return qt_error_string(errno); };

    const QByteArray finalName = QFile::encodeName(target);
    // A file the user may not write, or made read-only, is not replaced by the rename.
    struct stat existing {};
    if (::stat(finalName.constData(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        (::access(finalName.constData(), W_OK) != 0 || (existing.st_mode & 0222) == 0))
        fail(qt_error_string(EACCES));
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = finalName + '.' + RandomSuffix();
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        fail(systemReason());

    // Everything up to the rename happens to the temporary file only; any failure removes it.
    QString reason;
    struct stat old {};
    if (::stat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777); // the new file keeps the old one's permissions
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0 && reason.isEmpty()) {
        const unsigned long chunk = static_cast<unsigned long>(std::min<qint64>(left, 1 << 20));
        const long n = WriteChunk(fd, data, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            reason = systemReason();
        else if (n == 0)
            reason = qt_error_string(ENOSPC); // write(2) gives 0 only when nothing more fits
        data += n > 0 ? n : 0;
        left -= n > 0 ? n : 0;
    }
    // Some file systems report a full disk or an I/O error only when the data go to the disk.
    if (reason.isEmpty() && ::fsync(fd) != 0)
        reason = systemReason();
    if (::close(fd) != 0 && reason.isEmpty())
        reason = systemReason();
    if (reason.isEmpty() && ::rename(tempName.constData(), finalName.constData()) != 0)
        reason = systemReason();
    if (!reason.isEmpty()) {
        ::unlink(tempName.constData());
        fail(reason);
    }
    // The rename itself lasts only once the folder is on disk.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd); // the file is in place; a folder that cannot be flushed changes nothing
        ::close(dirFd);
    }
}

void SetWriteSeam(WriteSeam seam) {
    Seam() = std::move(seam);
}

} // namespace TextFile
