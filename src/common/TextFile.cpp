#include "common/TextFile.h"

#include "common/Cp1250.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
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

// The temporary file of a whole-file write is the file's name, a dot, a tilde and five letters or
// digits ("2026001.ppu.~b12Cd"). Only those of the file just written are ever cleared, so that a
// user's "poznamky.ppu.~kopie" stays unless the program itself writes "poznamky.ppu".
constexpr char kTempMark[] = ".~";
constexpr qsizetype kTempMarkSize = sizeof kTempMark - 1;
constexpr int kSuffixLetters = 5;

bool IsSuffixLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// A fresh temporary name for the file; works on paths as well as names.
QByteArray TempNameFor(const QByteArray& name) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray temp = name + kTempMark;
    for (int i = 0; i < kSuffixLetters; ++i)
        temp += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return temp;
}

bool IsTempNameOf(const QByteArray& entry, const QByteArray& fileName) {
    const qsizetype stem = fileName.size() + kTempMarkSize;
    if (entry.size() != stem + kSuffixLetters || !entry.startsWith(fileName + kTempMark))
        return false;
    return std::all_of(entry.cbegin() + stem, entry.cend(), IsSuffixLetter);
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
    ForEachLine(QStringView(text),
                [&](qsizetype start, qsizetype length, qsizetype) { lines.append(text.mid(start, length)); });
    return lines;
}

QStringList ReadLines(const QString& path) {
    return SplitLines(Cp1250::Decode(ReadBytes(path)));
}

namespace {

QString SystemReason() {
    return qt_error_string(errno);
}

// Writes all of bytes to fd, flushes them to disk and closes fd; returns the reason of a failure.
QString WriteAll(int fd, const QByteArray& bytes) {
    QString reason;
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0 && reason.isEmpty()) {
        const unsigned long chunk = static_cast<unsigned long>(std::min<qint64>(left, 1 << 20));
        const long n = WriteChunk(fd, data, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            reason = SystemReason();
        else if (n == 0)
            reason = qt_error_string(ENOSPC); // write(2) gives 0 only when nothing more fits
        data += n > 0 ? n : 0;
        left -= n > 0 ? n : 0;
    }
    // Some file systems report a full disk or an I/O error only when the data go to the disk.
    if (reason.isEmpty() && ::fsync(fd) != 0)
        reason = SystemReason();
    if (::close(fd) != 0 && reason.isEmpty())
        reason = SystemReason();
    return reason;
}

enum class Placed { Yes, Taken, Failed };

// Gives the written temporary file the final name only while nothing has that name. Where the file
// system cannot rename without replacing, a hard link does the same; where it has no hard links
// either, the file is created exclusively and written in place (then not whole on a crash, but never
// over another file). The temporary file is gone afterwards in every case.
Placed PlaceNew(const QByteArray& tempName, const QByteArray& finalName, const QByteArray& bytes, QString& reason) {
    if (::renameat2(AT_FDCWD, tempName.constData(), AT_FDCWD, finalName.constData(), RENAME_NOREPLACE) == 0)
        return Placed::Yes;
    Placed placed = Placed::Failed;
    if (errno == EEXIST) {
        placed = Placed::Taken;
    } else if (errno != EINVAL && errno != ENOSYS) {
        reason = SystemReason();
    } else if (::link(tempName.constData(), finalName.constData()) == 0) {
        placed = Placed::Yes;
    } else if (errno == EEXIST) {
        placed = Placed::Taken;
    } else if (errno != EPERM && errno != EOPNOTSUPP) {
        reason = SystemReason();
    } else if (const int fd = ::open(finalName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); fd < 0) {
        if (errno == EEXIST)
            placed = Placed::Taken;
        else
            reason = SystemReason();
    } else {
        reason = WriteAll(fd, bytes);
        if (reason.isEmpty())
            placed = Placed::Yes;
        else
            ::unlink(finalName.constData()); // the file made just now, never another one
    }
    ::unlink(tempName.constData());
    return placed;
}

// A save killed before its rename leaves its temporary file behind. Once the same file has been
// written whole again, such files go if they are plain files (no links) last changed more than a
// minute ago: a younger one may belong to a save of another running copy that is still writing.
void ClearStaleTempFiles(const QString& target) {
    const QFileInfo info(target);
    const QByteArray fileName = QFile::encodeName(info.fileName());
    DIR* dir = ::opendir(QFile::encodeName(info.absolutePath()).constData());
    if (!dir)
        return;
    const time_t limit = ::time(nullptr) - 60;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (IsTempNameOf(QByteArray(entry->d_name), fileName) &&
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_mtime < limit)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

enum class Mode { Replace, CreateNew };

// The whole-file write of both modes; false when CreateNew finds the name taken.
bool WriteWhole(const QString& path, const QByteArray& bytes, Mode mode) {
    // A link is followed to the file at the end of its chain, which is replaced; the links stay. A link
    // to a file not there yet gets that file. A new file is never made through a link.
    const QFileInfo info(path);
    QString target = path;
    if (mode == Mode::Replace && info.isSymLink())
        target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    auto fail = [&path](const QString& reason) {
        throw TextFile::WriteError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), reason), reason);
    };

    const QByteArray finalName = QFile::encodeName(target);
    // A file the user may not write, or made read-only, is not replaced by the rename.
    struct stat existing {};
    const bool exists = ::stat(finalName.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (mode == Mode::Replace && exists &&
        (::access(finalName.constData(), W_OK) != 0 || (existing.st_mode & 0222) == 0))
        fail(qt_error_string(EACCES));
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = TempNameFor(finalName);
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        fail(SystemReason());

    // Everything up to the rename happens to the temporary file only; any failure removes it.
    if (mode == Mode::Replace && exists)
        ::fchmod(fd, existing.st_mode & 07777); // the new file keeps the old one's permissions
    QString reason = WriteAll(fd, bytes);
    Placed placed = Placed::Failed;
    if (!reason.isEmpty())
        ::unlink(tempName.constData());
    else if (mode == Mode::CreateNew)
        placed = PlaceNew(tempName, finalName, bytes, reason);
    else if (::rename(tempName.constData(), finalName.constData()) == 0)
        placed = Placed::Yes;
    else {
        reason = SystemReason();
        ::unlink(tempName.constData());
    }
    if (placed == Placed::Taken)
        return false;
    if (placed == Placed::Failed)
        fail(reason);
    // The rename itself lasts only once the folder is on disk.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd); // the file is in place; a folder that cannot be flushed changes nothing
        ::close(dirFd);
    }
    ClearStaleTempFiles(target);
    return true;
}

QByteArray EncodeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        try {
            bytes += Cp1250::Encode(line);
        } catch (const VelorinError& e) {
            throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), e.message()));
        }
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

void WriteLines(const QString& path, const QStringList& lines) {
    WriteBytes(path, EncodeLines(path, lines));
}

bool CreateLines(const QString& path, const QStringList& lines) {
    return CreateBytes(path, EncodeLines(path, lines));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    WriteWhole(path, bytes, Mode::Replace);
}

bool CreateBytes(const QString& path, const QByteArray& bytes) {
    return WriteWhole(path, bytes, Mode::CreateNew);
}
SeamGuard SetWriteSeam(WriteSeam seam) {
    SeamGuard guard([before = Seam()] { Seam() = before; });
    Seam() = std::move(seam);
    return guard;
}

} // namespace TextFile
