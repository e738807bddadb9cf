#include "invoice/IsdocZip.h"

#include <minizip/unzip.h>

#include <cstring>
#include <memory>

namespace IsdocZip {

namespace {

// minizip reads through these callbacks from the bytes in memory: no file is written or reopened.
struct MemoryStream {
    const QByteArray* bytes = nullptr;
    qint64 pos = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buf, uLong size) {
    auto* s = static_cast<MemoryStream*>(stream);
    const qint64 left = s->bytes->size() - s->pos;
    const qint64 n = std::min<qint64>(left, qint64(size));
    if (n <= 0)
        return 0;
    std::memcpy(buf, s->bytes->constData() + s->pos, size_t(n));
    s->pos += n;
    return uLong(n);
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) {
    return ZPOS64_T(static_cast<MemoryStream*>(stream)->pos);
}

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<MemoryStream*>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = s->pos;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = s->bytes->size();
    if (offset > ZPOS64_T(s->bytes->size()))
        return -1;
    const qint64 target = base + qint64(offset);
    if (target < 0 || target > s->bytes->size())
        return -1;
    s->pos = target;
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK ErrorMemory(voidpf, voidpf) {
    return 0;
}

struct UnzCloser {
    void operator()(void* file) const { unzClose(file); }
};

// A ZIP with more entries than this is no invoice; the cap keeps a crafted directory from taking long.
constexpr int kMaxEntries = 10000;

} // namespace

bool LooksLikeZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

std::optional<QByteArray> ExtractIsdoc(const QByteArray& zip, qint64 maxBytes, QString* problem) {
    MemoryStream stream{&zip, 0};
    zlib_filefunc64_def io{};
    io.zopen64_file = OpenMemory;
    io.zread_file = ReadMemory;
    io.zwrite_file = WriteMemory;
    io.ztell64_file = TellMemory;
    io.zseek64_file = SeekMemory;
    io.zclose_file = CloseMemory;
    io.zerror_file = ErrorMemory;
    io.opaque = &stream;
    const std::unique_ptr<void, UnzCloser> file(unzOpen2_64("", &io));
    if (!file) {
        *problem = QStringLiteral("Soubor není čitelný archiv ZIP.");
        return std::nullopt;
    }
    int entries = 0;
    for (int status = unzGoToFirstFile(file.get()); status == UNZ_OK && entries < kMaxEntries;
         status = unzGoToNextFile(file.get()), ++entries) {
        unz_file_info64 info{};
        char name[512] = {};
        if (unzGetCurrentFileInfo64(file.get(), &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        const QString entry = QString::fromUtf8(name);
        if (!entry.endsWith(QLatin1String(".isdoc"), Qt::CaseInsensitive))
            continue;
        const auto tooLarge = [&] {
            *problem = QStringLiteral("Soubor %1 v archivu ZIP je po rozbalení větší než %2 MB; archiv se "
                                      "nerozbaluje.")
                           .arg(entry)
                           .arg(maxBytes / (1024 * 1024));
            return std::nullopt;
        };
        if (info.uncompressed_size > quint64(maxBytes))
            return tooLarge();
        if (unzOpenCurrentFile(file.get()) != UNZ_OK) {
            *problem =
                QStringLiteral("Soubor %1 v archivu ZIP nelze rozbalit (je zašifrovaný nebo poškozený).").arg(entry);
            return std::nullopt;
        }
        // The size in the header may lie: count what comes out.
        QByteArray out;
        char buffer[64 * 1024];
        int n = 0;
        while ((n = unzReadCurrentFile(file.get(), buffer, sizeof buffer)) > 0) {
            if (out.size() + n > maxBytes) {
                unzCloseCurrentFile(file.get());
                return tooLarge();
            }
            out.append(buffer, n);
        }
        const int closed = unzCloseCurrentFile(file.get());
        if (n < 0 || closed == UNZ_CRCERROR) {
            *problem = QStringLiteral("Soubor %1 v archivu ZIP je poškozený.").arg(entry);
            return std::nullopt;
        }
        return out;
    }
    *problem = QStringLiteral("Archiv ZIP neobsahuje fakturu ISDOC (soubor .isdoc).");
    return std::nullopt;
}

} // namespace IsdocZip
