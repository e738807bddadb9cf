#pragma once

#include "common/Error.h"
#include "common/FileLimits.h"
#include "common/SeamGuard.h"

#include <QString>
#include <QStringList>
#include <functional>

// Whole text files in Windows-1250 with CR LF line ends.
namespace TextFile {

// A whole-file write that failed. message() names the file; reason() is the system's own words,
// for callers that name the file in a message of their own.
class WriteError : public VelorinError {
public:
    WriteError(const QString& message, const QString& reason) : VelorinError(message), m_reason(reason) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// A whole-file read that failed. message() names the file; reason() is the reason alone, for
// callers that word a message of their own.
class ReadError : public VelorinError {
public:
    enum class Kind {
        Missing,    // nothing there, or a link to nothing
        NotRegular, // a folder, a pipe, a device, a socket
        TooLarge,   // above the cap, or grown above it while read
        Failed,     // the system refused to open or read it
    };
    ReadError(Kind kind, const QString& message, const QString& reason)
        : VelorinError(message), m_kind(kind), m_reason(reason) {}
    Kind kind() const { return m_kind; }
    const QString& reason() const { return m_reason; }

private:
    Kind m_kind;
    QString m_reason;
};

// The one way a whole file is read. Links are followed; what is then not a regular file is refused
// without being read (a pipe would block, a device never end), and so is a file above cap bytes.
// Never more than cap + 1 bytes are read, whatever the file does meanwhile. Throws ReadError
// "Soubor ... nelze načíst: ..." naming the file.
QByteArray ReadBytes(const QString& path, qint64 cap = kMaxTextFileBytes);
// The same into a buffer of the caller's, which keeps its memory from one file to the next.
void ReadBytesInto(const QString& path, QByteArray& bytes, qint64 cap = kMaxTextFileBytes);

// The one rule of where lines end, for bytes (QByteArrayView) and for text (QStringView): at CR LF,
// lone CR and lone LF; a final line end does not start another line. Calls
// each(start, length, endLength) per line, endLength being 2, 1 or 0 for a last line without an end.
template <typename View, typename Each> void ForEachLine(View text, Each&& each) {
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        const bool crlf = c == u'\r' && i + 1 < n && text[i + 1] == u'\n';
        each(start, i - start, qsizetype(crlf ? 2 : 1));
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < n)
        each(start, n - start, qsizetype(0));
}

// The lines of a text, by ForEachLine.
QStringList SplitLines(const QString& text);
// Reads (ReadBytes) and decodes the whole file; throws ReadError naming the file.
QStringList ReadLines(const QString& path);
// Writes every line followed by CR LF, atomically (a failed write keeps the old file).
// Throws VelorinError naming the file; nothing is written when a line cannot be encoded.
void WriteLines(const QString& path, const QStringList& lines);
// The same for a file that must be new; see CreateBytes.
bool CreateLines(const QString& path, const QStringList& lines);
// The one way a whole file is written: into a temporary file beside it ("name.~b12Cd"), every
// write and the flush to disk checked, then renamed over the old file and the folder flushed, so
// that a full disk, an I/O error, a crash or a power cut leave the old file or the new one, whole.
// On failure the temporary file is removed and WriteError names the file. After a write that
// succeeded, temporary files of the same file left by a killed write more than a minute ago go too.
// Our own POSIX calls rather than QSaveFile: QSaveFile reports a failed write only in commit(),
// flushes neither the file nor the folder to disk, and cannot refuse to replace a file (CreateBytes).
void WriteBytes(const QString& path, const QByteArray& bytes);
// WriteBytes for a file that must not exist yet: the whole temporary file takes the name only while
// nothing (no file, folder or link) has it, so that no file is ever replaced. Returns false, leaving
// nothing behind, when the name is taken; throws WriteError when the write fails.
bool CreateBytes(const QString& path, const QByteArray& bytes);

// Tests make writes fail on purpose: the seam is called instead of write(2) and has its contract
// (bytes written, or -1 with errno set) until the guard goes. An empty function is write(2).
using WriteSeam = std::function<long(int fd, const char* data, unsigned long size)>;
SeamGuard SetWriteSeam(WriteSeam seam);

} // namespace TextFile
