#include "report/PreparedReport.h"

#include "common/Error.h"
#include "common/TextFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <algorithm>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void Discard(PreparedReport& report) {
    const bool long_ = report.pages.size() > PackPagesAfter;
    report = PreparedReport();
#if defined(__GLIBC__)
    if (long_)
        malloc_trim(0);
#endif
}

namespace {

const char Magic[8] = {'V', 'E', 'L', 'O', 'R', 'P', 'R', 'P'};
// Version 2 added pictures; a report without them is still written as version 1.
constexpr quint16 FormatVersion = 2;
// Guards against a damaged count asking for memory a real report never needs.
constexpr quint32 MaxItems = 10'000'000;

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Damaged(const QString& path) {
    return QStringLiteral("Soubor %1 s uloženou sestavou je poškozen").arg(Shown(path));
}

void WriteFont(QDataStream& s, const ReportFont& f) {
    s << f.family << f.pointSize << f.bold << f.italic;
}

void ReadFont(QDataStream& s, ReportFont& f) {
    s >> f.family >> f.pointSize >> f.bold >> f.italic;
}

// The pages, before compression: runs of one report repeat their fonts and names a lot.
bool HasPictures(const PreparedReport& r) {
    return std::any_of(r.pages.begin(), r.pages.end(), [](const PreparedPage& p) { return !p.pictures.empty(); });
}

// What a page shows, as the file holds it after the page's size.
void WriteContent(QDataStream& s, const PreparedPage& p, quint16 version) {
    s << quint32(p.lines.size());
    for (const PreparedLine& l : p.lines)
        s << l.from << l.to << l.widthMm << quint8(l.style == LineStyle::Dotted ? 1 : 0);
    s << quint32(p.texts.size());
    for (const PreparedText& t : p.texts) {
        s << t.boxName << t.text;
        WriteFont(s, t.font);
        s << t.origin << t.widthMm << t.ascentMm << t.descentMm << t.clipMm;
    }
    if (version < 2)
        return;
    s << quint32(p.pictures.size());
    for (const PreparedPicture& pic : p.pictures) {
        s << pic.boxName << pic.areaMm << quint32(pic.rectsMm.size());
        for (const QRectF& rect : pic.rectsMm)
            s << rect;
    }
}

// A packed page: plain bytes in this process's own order, never stored. Each run names one of
// the page's styles (box name, font and line measures), which its runs share.
class PackWriter {
public:
    template <typename T> void put(const T& v) { m_bytes.append(reinterpret_cast<const char*>(&v), sizeof v); }
    void put(const QString& v) {
        put(quint32(v.size()));
        m_bytes.append(reinterpret_cast<const char*>(v.constData()), v.size() * qsizetype(sizeof(QChar)));
    }
    void put(const QPointF& v) {
        put(v.x());
        put(v.y());
    }
    void put(const QRectF& v) {
        put(v.x());
        put(v.y());
        put(v.width());
        put(v.height());
    }
    QByteArray& bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

class PackReader {
public:
    explicit PackReader(const QByteArray& bytes) : m_bytes(bytes) {}
    template <typename T> void get(T& v) {
        std::memcpy(&v, m_bytes.constData() + m_pos, sizeof v);
        m_pos += qsizetype(sizeof v);
    }
    void get(QString& v) {
        quint32 n = 0;
        get(n);
        v = QString(reinterpret_cast<const QChar*>(m_bytes.constData() + m_pos), qsizetype(n));
        m_pos += qsizetype(n) * qsizetype(sizeof(QChar));
    }
    void get(QPointF& v) {
        double x = 0, y = 0;
        get(x);
        get(y);
        v = QPointF(x, y);
    }
    void get(QRectF& v) {
        double x = 0, y = 0, w = 0, h = 0;
        get(x);
        get(y);
        get(w);
        get(h);
        v = QRectF(x, y, w, h);
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
};

struct PackStyle {
    QString boxName;
    ReportFont font;
    double ascentMm = 0, descentMm = 0;
};

// Bit for bit, so that a page packs back to what it was (a -0 stays -0).
bool Same(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameStyle(const PackStyle& s, const PreparedText& t) {
    return s.boxName == t.boxName && s.font.family == t.font.family && Same(s.font.pointSize, t.font.pointSize) &&
           s.font.bold == t.font.bold && s.font.italic == t.font.italic && Same(s.ascentMm, t.ascentMm) &&
           Same(s.descentMm, t.descentMm);
}

QByteArray PackContent(const PreparedPage& p) {
    std::vector<PackStyle> styles;
    std::vector<quint32> styleOf;
    styleOf.reserve(p.texts.size());
    size_t last = 0;
    for (const PreparedText& t : p.texts) {
        if (last >= styles.size() || !SameStyle(styles[last], t)) {
            last = 0;
            while (last < styles.size() && !SameStyle(styles[last], t))
                ++last;
            if (last == styles.size())
                styles.push_back({t.boxName, t.font, t.ascentMm, t.descentMm});
        }
        styleOf.push_back(quint32(last));
    }
    PackWriter w;
    w.bytes().reserve(qsizetype(p.texts.size()) * 96 + qsizetype(p.lines.size()) * 48 + 64);
    w.put(quint32(p.lines.size()));
    for (const PreparedLine& l : p.lines) {
        w.put(l.from);
        w.put(l.to);
        w.put(l.widthMm);
        w.put(quint8(l.style == LineStyle::Dotted ? 1 : 0));
    }
    w.put(quint32(styles.size()));
    for (const PackStyle& st : styles) {
        w.put(st.boxName);
        w.put(st.font.family);
        w.put(st.font.pointSize);
        w.put(quint8(st.font.bold));
        w.put(quint8(st.font.italic));
        w.put(st.ascentMm);
        w.put(st.descentMm);
    }
    w.put(quint32(p.texts.size()));
    for (size_t i = 0; i < p.texts.size(); ++i) {
        const PreparedText& t = p.texts[i];
        w.put(styleOf[i]);
        w.put(t.text);
        w.put(t.origin);
        w.put(t.widthMm);
        w.put(t.clipMm);
    }
    w.put(quint32(p.pictures.size()));
    for (const PreparedPicture& pic : p.pictures) {
        w.put(pic.boxName);
        w.put(pic.areaMm);
        w.put(quint32(pic.rectsMm.size()));
        for (const QRectF& rect : pic.rectsMm)
            w.put(rect);
    }
    return std::move(w.bytes());
}

void UnpackContent(const QByteArray& bytes, PreparedPage& p) {
    PackReader r(bytes);
    quint32 n = 0;
    r.get(n);
    p.lines.resize(n);
    for (PreparedLine& l : p.lines) {
        quint8 style = 0;
        r.get(l.from);
        r.get(l.to);
        r.get(l.widthMm);
        r.get(style);
        l.style = style ? LineStyle::Dotted : LineStyle::Solid;
    }
    r.get(n);
    std::vector<PackStyle> styles(n);
    for (PackStyle& st : styles) {
        quint8 bold = 0, italic = 0;
        r.get(st.boxName);
        r.get(st.font.family);
        r.get(st.font.pointSize);
        r.get(bold);
        r.get(italic);
        st.font.bold = bold != 0;
        st.font.italic = italic != 0;
        r.get(st.ascentMm);
        r.get(st.descentMm);
    }
    r.get(n);
    p.texts.resize(n);
    for (PreparedText& t : p.texts) {
        quint32 style = 0;
        r.get(style);
        const PackStyle& st = styles[style];
        t.boxName = st.boxName;
        t.font = st.font;
        t.ascentMm = st.ascentMm;
        t.descentMm = st.descentMm;
        r.get(t.text);
        r.get(t.origin);
        r.get(t.widthMm);
        r.get(t.clipMm);
    }
    r.get(n);
    p.pictures.resize(n);
    for (PreparedPicture& pic : p.pictures) {
        r.get(pic.boxName);
        r.get(pic.areaMm);
        r.get(n);
        pic.rectsMm.resize(n);
        for (QRectF& rect : pic.rectsMm)
            r.get(rect);
    }
}

QByteArray EncodeBody(const PreparedReport& r, quint16 version) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QDataStream s(&buffer);
    s.setVersion(QDataStream::Qt_6_0);
    s << r.title << r.preparedAt << quint32(r.pages.size());
    PreparedPage scratch;
    for (const PreparedPage& p : r.pages) {
        s << p.widthMm << p.heightMm;
        WriteContent(s, Unpacked(p, scratch), version);
    }
    return bytes;
}

QByteArray Encode(const PreparedReport& r) {
    QByteArray bytes(Magic, sizeof Magic);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    QDataStream s(&buffer);
    s.setVersion(QDataStream::Qt_6_0);
    const quint16 version = HasPictures(r) ? 2 : 1;
    s << version << qCompress(EncodeBody(r, version), 6);
    return bytes;
}

QByteArray StampBytes(const QDateTime& at) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << at;
    return bytes;
}

} // namespace

void Pack(PreparedPage& page) {
    if (page.keptAside())
        return;
    // The fastest level: the runs of a page repeat their rows' positions and much of their text,
    // so even that leaves a fraction, and drawing unpacks every page again.
    page.packed = qCompress(PackContent(page), 1);
    // qCompress leaves room for data that would not compress.
    page.packed.squeeze();
    // Assigned empty lists, not cleared: clear() would keep their room.
    page.lines = std::vector<PreparedLine>();
    page.texts = std::vector<PreparedText>();
    page.pictures = std::vector<PreparedPicture>();
}

const PreparedPage& Unpacked(const PreparedPage& page, PreparedPage& scratch) {
    if (page.source) {
        scratch = PreparedPage();
        scratch.widthMm = page.widthMm;
        scratch.heightMm = page.heightMm;
        page.source->Compose(page.sourceIndex, scratch);
        return scratch;
    }
    if (!page.isPacked())
        return page;
    scratch.widthMm = page.widthMm;
    scratch.heightMm = page.heightMm;
    scratch.packed.clear();
    UnpackContent(qUncompress(page.packed), scratch);
    return scratch;
}

bool PreparedPage::operator==(const PreparedPage& other) const {
    if (widthMm != other.widthMm || heightMm != other.heightMm)
        return false;
    if (isPacked() && other.isPacked())
        return packed == other.packed;
    if (source && source == other.source && sourceIndex == other.sourceIndex)
        return true;
    PreparedPage mine, theirs;
    const PreparedPage& a = Unpacked(*this, mine);
    const PreparedPage& b = Unpacked(other, theirs);
    return a.lines == b.lines && a.texts == b.texts && a.pictures == b.pictures;
}

PreparedReport PreparedReportFile::DecodeBody(const QByteArray& body, quint16 version, const QString& path) {
    using namespace PreparedLimits;
    const QString damaged = Damaged(path);
    if (version > FormatVersion)
        throw VelorinError(damaged);
    QDataStream s(body);
    s.setVersion(QDataStream::Qt_6_0);
    auto check = [&] {
        if (s.status() != QDataStream::Ok)
            throw VelorinError(damaged);
    };
    auto count = [&](quint32 most) {
        quint32 n = 0;
        s >> n;
        check();
        if (n > most)
            throw VelorinError(damaged);
        return n;
    };
    // A damaged number may read as anything: NaN, infinity, a page a kilometre high. None of that
    // is taken, so that drawing and the preview's pixels stay in range (NaN fails every comparison).
    auto within = [&](double v, double least, double most) {
        if (!(v >= least && v <= most))
            throw VelorinError(damaged);
    };
    auto onSheet = [&](const PreparedPage& p, double x, double y) {
        within(x, -MaxOffSheetMm, p.widthMm + MaxOffSheetMm);
        within(y, -MaxOffSheetMm, p.heightMm + MaxOffSheetMm);
    };
    auto rectOnSheet = [&](const PreparedPage& p, const QRectF& r) {
        onSheet(p, r.left(), r.top());
        onSheet(p, r.right(), r.bottom());
    };
    PreparedReport r;
    s >> r.title;
    check();
    const qint64 stampAt = s.device()->pos();
    s >> r.preparedAt;
    check();
    // A damaged stamp may still read as some date and time, which a save would then write
    // differently: the stamp must be valid and write back to the very bytes it was read from.
    if (!r.preparedAt.isValid() || StampBytes(r.preparedAt) != body.mid(stampAt, s.device()->pos() - stampAt))
        throw VelorinError(damaged);
    const quint32 pageCount = count(quint32(MaxPages));
    for (quint32 i = 0; i < pageCount; ++i) {
        PreparedPage p;
        s >> p.widthMm >> p.heightMm;
        check();
        within(p.widthMm, MinPageMm, MaxPageMm);
        within(p.heightMm, MinPageMm, MaxPageMm);
        for (quint32 k = 0, n = count(MaxItems); k < n; ++k) {
            PreparedLine l;
            quint8 style = 0;
            s >> l.from >> l.to >> l.widthMm >> style;
            check();
            onSheet(p, l.from.x(), l.from.y());
            onSheet(p, l.to.x(), l.to.y());
            within(l.widthMm, 0, MaxStrokeMm);
            l.style = style ? LineStyle::Dotted : LineStyle::Solid;
            p.lines.push_back(l);
        }
        for (quint32 k = 0, n = count(MaxItems); k < n; ++k) {
            PreparedText t;
            s >> t.boxName >> t.text;
            ReadFont(s, t.font);
            s >> t.origin >> t.widthMm >> t.ascentMm >> t.descentMm >> t.clipMm;
            check();
            within(t.font.pointSize, MinFontPt, MaxFontPt);
            within(t.widthMm, 0, p.widthMm + 2 * MaxOffSheetMm);
            within(t.ascentMm, 0, MaxStrokeMm);
            within(t.descentMm, 0, MaxStrokeMm);
            rectOnSheet(p, t.boundsMm());
            rectOnSheet(p, t.clipMm);
            p.texts.push_back(std::move(t));
        }
        for (quint32 k = 0, n = version < 2 ? 0 : count(MaxItems); k < n; ++k) {
            PreparedPicture pic;
            s >> pic.boxName >> pic.areaMm;
            check();
            rectOnSheet(p, pic.areaMm);
            const quint32 rects = count(MaxItems);
            for (quint32 q = 0; q < rects; ++q) {
                QRectF rect;
                s >> rect;
                check();
                rectOnSheet(p, rect);
                pic.rectsMm.push_back(rect);
            }
            p.pictures.push_back(std::move(pic));
        }
        if (pageCount > PackPagesAfter)
            Pack(p);
        r.pages.push_back(std::move(p));
    }
    if (!s.atEnd())
        throw VelorinError(damaged);
    return r;
}

namespace PreparedReportFile {

QString Suffix() {
    return QStringLiteral("vps");
}

QString Filter() {
    return QStringLiteral("Připravená sestava (*.vps)");
}

void Save(const PreparedReport& report, const QString& path) {
    const QByteArray bytes = Encode(report);
    try {
        TextFile::WriteBytes(path, bytes);
    } catch (const TextFile::WriteError& e) {
        throw VelorinError(QStringLiteral("Sestavu nelze uložit do souboru %1: %2").arg(Shown(path), e.reason()));
    }
}

PreparedReport Load(const QString& path) {
    QBuffer file;
    try {
        file.setData(TextFile::ReadBytes(path, kMaxPreparedReportBytes));
    } catch (const TextFile::ReadError& e) {
        throw VelorinError(QStringLiteral("Soubor %1 nelze otevřít: %2").arg(Shown(path), e.reason()));
    }
    file.open(QIODevice::ReadOnly);
    const QString notOurs = QStringLiteral("Soubor %1 není uložená sestava programu Velorin").arg(Shown(path));
    char magic[sizeof Magic] = {};
    if (file.read(magic, sizeof magic) != qint64(sizeof magic) || !std::equal(magic, magic + sizeof magic, Magic))
        throw VelorinError(notOurs);
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_0);
    quint16 version = 0;
    s >> version;
    if (s.status() != QDataStream::Ok)
        throw VelorinError(notOurs);
    if (version > FormatVersion)
        throw VelorinError(
            QStringLiteral("Soubor %1 uložila novější verze programu Velorin a tato verze jej neumí přečíst")
                .arg(Shown(path)));
    const QString damaged = Damaged(path);
    QByteArray packed;
    s >> packed;
    if (s.status() != QDataStream::Ok || !s.atEnd() || packed.size() < 4)
        throw VelorinError(damaged);
    // The size the data claim to unpack to; a damaged claim must not ask for gigabytes.
    const quint32 claimed = quint32(uchar(packed[0])) << 24 | quint32(uchar(packed[1])) << 16 |
                            quint32(uchar(packed[2])) << 8 | quint32(uchar(packed[3]));
    if (claimed > 1100.0 * packed.size() + 1024)
        throw VelorinError(damaged);
    const QByteArray body = qUncompress(packed);
    if (body.isEmpty())
        throw VelorinError(damaged);
    return DecodeBody(body, version, path);
}

} // namespace PreparedReportFile
