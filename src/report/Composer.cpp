#include "report/Composer.h"

#include "common/Clock.h"
#include "common/CzechFormat.h"
#include "report/TextMetrics.h"

#include <algorithm>

namespace {

constexpr double Eps = 1e-6;

QString BuiltIn(const QString& name, int page, const QDateTime& at, bool& known) {
    known = true;
    if (name == QLatin1String("Page"))
        return QString::number(page);
    if (name == QLatin1String("Date"))
        return CzechFormat::FormatDate(at.date());
    if (name == QLatin1String("Time"))
        return at.time().toString(QStringLiteral("H:mm:ss"));
    known = false;
    return {};
}

// A box after stretching, before it is placed on a page.
struct LaidBox {
    const TextBox* box = nullptr;
    double left = 0, top = 0, width = 0, height = 0;
    QStringList lines;
    VectorPicture picture;
};

struct LaidBand {
    double height = 0;
    std::vector<LaidBox> boxes;
};

// Where two drawn sides meet, each runs on by half the other's width, so that the outer corner is
// filled and neither sticks out.
void AddFrame(PreparedPage& page, const Frame& f, const QRectF& r) {
    auto half = [](const FrameSide& side) { return side.drawn ? side.widthMm / 2 : 0.0; };
    auto add = [&](const FrameSide& side, QPointF a, QPointF b) {
        if (side.drawn)
            page.lines.push_back({a, b, side.widthMm, side.style});
    };
    add(f.top, r.topLeft() - QPointF(half(f.left), 0), r.topRight() + QPointF(half(f.right), 0));
    add(f.bottom, r.bottomLeft() - QPointF(half(f.left), 0), r.bottomRight() + QPointF(half(f.right), 0));
    add(f.left, r.topLeft() - QPointF(0, half(f.top)), r.bottomLeft() + QPointF(0, half(f.bottom)));
    add(f.right, r.topRight() - QPointF(0, half(f.top)), r.bottomRight() + QPointF(0, half(f.bottom)));
}

// The picture scaled to fit r with its proportions kept, centred in it.
PreparedPicture FitPicture(const QString& boxName, const VectorPicture& picture, const QRectF& r) {
    const double k = std::min(r.width() / picture.size.width(), r.height() / picture.size.height());
    const QSizeF size = picture.size * k;
    const QPointF origin(r.left() + (r.width() - size.width()) / 2, r.top() + (r.height() - size.height()) / 2);
    PreparedPicture out;
    out.boxName = boxName;
    out.areaMm = QRectF(origin, size);
    out.rectsMm.reserve(picture.rects.size());
    for (const QRectF& q : picture.rects)
        out.rectsMm.emplace_back(origin.x() + q.x() * k, origin.y() + q.y() * k, q.width() * k, q.height() * k);
    return out;
}

class Composer {
public:
    Composer(ReportLayout& layout, const ComposeOptions& options)
        : m_layout(layout), m_options(options), m_page(options.page.value_or(layout.page)) {
        m_at = options.preparedAt.isValid() ? options.preparedAt : QDateTime(Clock::Today(), QTime::currentTime());
        m_out.title = layout.name;
        m_out.preparedAt = m_at;
        m_rowCount = m_layout.FindBand(BandKind::MasterData) ? m_layout.rows.RangeEndCount() : 0;
    }

    // The whole report. Once it runs past PackPagesAfter pages it is only counted on: where each
    // page begins is kept, and each page is composed again from there when it is needed.
    std::optional<PreparedReport> run() {
        if (!startPage() || !placeBody(0))
            return std::nullopt;
        if (m_counting)
            keepAside();
        return std::move(m_out);
    }

    // Page index alone, which begins with master row startRow (the row count: with the summary).
    PreparedPage composePage(int index, int startRow) {
        m_onePage = true;
        m_pageNo = index;
        m_row = startRow;
        if (!startPage())
            return {};
        placeBody(startRow); // stops where the next page would begin
        return std::move(m_out.pages.back());
    }

private:
    int pageNo() const { return m_pageNo; }
    PreparedPage& page() { return m_out.pages.back(); }

    // From the title (on the first page) or master row first to the summary; false when
    // cancelled, or composing one page, where the next one would begin.
    bool placeBody(int first) {
        if (m_pageNo == 1)
            if (const Band* title = m_layout.FindBand(BandKind::ReportTitle))
                place(layBand(*title));
        if (const Band* master = m_layout.FindBand(BandKind::MasterData)) {
            RowSource& rows = m_layout.rows;
            for (int r = first; r < m_rowCount; ++r) {
                rows.SetRecNo(r);
                m_row = r;
                if (!placeFlowing(*master))
                    return false;
                m_rowsDone = r + 1;
            }
        }
        m_row = m_rowCount;
        const Band* summary = m_layout.FindBand(BandKind::ReportSummary);
        return !summary || placeFlowing(*summary);
    }

    // A long report's pages hold where they come from, and the counting pass its page starts.
    void keepAside() {
        class Later : public PageSource {
        public:
            Later(ReportLayout& layout, ComposeOptions options, std::vector<int> starts, int rowCount)
                : m_layout(layout), m_options(std::move(options)), m_starts(std::move(starts)), m_rowCount(rowCount) {}
            void Compose(int index, PreparedPage& out) const override {
                // Rows that have changed since would show other pages, or none: the page stays empty.
                if (index < 0 || size_t(index) >= m_starts.size() || m_layout.rows.RangeEndCount() != m_rowCount)
                    return;
                PreparedPage page = Composer(m_layout, m_options).composePage(index, m_starts[size_t(index)]);
                out.lines = std::move(page.lines);
                out.texts = std::move(page.texts);
                out.pictures = std::move(page.pictures);
            }

        private:
            ReportLayout& m_layout;
            ComposeOptions m_options;
            std::vector<int> m_starts;
            int m_rowCount;
        };
        ComposeOptions options;
        options.page = m_page;
        options.preparedAt = m_at;
        const int pages = int(m_starts.size());
        auto source = std::make_shared<const Later>(m_layout, std::move(options), std::move(m_starts),
                                                    m_layout.rows.RangeEndCount());
        Discard(m_out);
        m_out.title = m_layout.name;
        m_out.preparedAt = m_at;
        m_out.pages.resize(size_t(pages));
        for (int i = 0; i < pages; ++i) {
            PreparedPage& p = m_out.pages[size_t(i)];
            p.widthMm = m_page.widthMm;
            p.heightMm = m_page.heightMm;
            p.source = source;
            p.sourceIndex = i;
        }
    }

    bool startPage() {
        ++m_pageNo;
        m_starts.push_back(m_row);
        // Past this many pages the report is only counted: its pages are composed when drawn.
        if (!m_counting && size_t(m_pageNo) > PackPagesAfter && !m_onePage) {
            m_counting = true;
            Discard(m_out);
        }
        if (!m_counting) {
            PreparedPage p;
            p.widthMm = m_page.widthMm;
            p.heightMm = m_page.heightMm;
            m_out.pages.push_back(std::move(p));
        }
        if (m_options.progress && !m_options.progress(pageNo(), m_rowsDone, m_rowCount))
            return false;
        m_y = m_page.topMm;
        m_limit = m_page.printableBottom();
        if (const Band* footer = m_layout.FindBand(BandKind::PageFooter)) {
            const LaidBand laid = layBand(*footer);
            m_limit = m_page.printableBottom() - laid.height;
            emitBand(laid, m_limit);
        }
        // The title stands above the header, so the header waits for it on the first page.
        if (pageNo() == 1 && m_layout.FindBand(BandKind::ReportTitle)) {
            m_headerPending = true;
        } else {
            placeHeader();
        }
        m_bodyTop = m_y;
        return true;
    }

    void placeHeader() {
        if (const Band* header = m_layout.FindBand(BandKind::PageHeader))
            place(layBand(*header));
    }

    void place(const LaidBand& laid) {
        emitBand(laid, m_y);
        m_y += laid.height;
        if (m_headerPending) {
            m_headerPending = false;
            placeHeader();
            m_bodyTop = m_y;
        }
    }

    // A band of the body: begins a new page when it would reach into the footer, unless the page
    // holds no body band yet (a band taller than the page would never fit anywhere).
    bool placeFlowing(const Band& band) {
        LaidBand laid = layBand(band);
        if (m_y + laid.height > m_limit + Eps && m_y > m_bodyTop + Eps) {
            if (m_onePage || !startPage())
                return false;
            laid = layBand(band); // [Page] has moved on
        }
        place(laid);
        return true;
    }

    // While counting, only what sets the band's height: the lines of boxes that stretch it.
    LaidBand layBand(const Band& band) {
        const double bandWidth = m_page.printableWidth();
        LaidBand laid;
        laid.height = band.height;
        laid.boxes.reserve(band.boxes.size());
        for (const TextBox& box : band.boxes) {
            LaidBox b;
            b.box = &box;
            b.left = box.fillBandWidth ? 0.0 : box.left;
            b.width = box.fillBandWidth ? bandWidth : box.width;
            b.top = box.top;
            b.height = box.height;
            const bool stretches = band.stretches && box.stretch == StretchMode::ToTallest;
            if (m_counting && !stretches) {
                laid.boxes.push_back(std::move(b));
                continue;
            }
            const QString text = box.text.isEmpty() ? QString() : resolve(box.text);
            if (!text.isEmpty())
                b.lines = WrapText(text, box.font, b.width - 2 * ReportUnits::GapXMm, box.wordWrap);
            if (box.stretch == StretchMode::ToTallest)
                b.height = std::max(b.height, neededHeight(box.font, int(b.lines.size())));
            if (!m_counting && !box.picture.isEmpty() && m_layout.OnGetPicture)
                m_layout.OnGetPicture(box.picture, b.picture);
            laid.boxes.push_back(std::move(b));
        }
        if (band.stretches)
            for (const LaidBox& b : laid.boxes)
                laid.height = std::max(laid.height, b.top + b.height);
        for (LaidBox& b : laid.boxes)
            if (b.box->stretch == StretchMode::ToTallest)
                b.height = std::max(b.height, laid.height - b.top);
        return laid;
    }

    static double neededHeight(const ReportFont& font, int lines) {
        if (lines == 0)
            return 0;
        return lines * TextMetrics::LineHeightMm(font) + (lines - 1) * ReportUnits::LineSpacingMm +
               2 * ReportUnits::GapYMm;
    }

    void emitBand(const LaidBand& laid, double bandTop) {
        if (m_counting)
            return;
        PreparedPage& p = page();
        const double bandLeft = m_page.leftMm;
        for (const LaidBox& b : laid.boxes) {
            const QRectF r(bandLeft + b.left, bandTop + b.top, b.width, b.height);
            AddFrame(p, b.box->frame, r);
            if (!b.picture.isEmpty())
                p.pictures.push_back(FitPicture(b.box->name, b.picture, r));
            if (b.lines.isEmpty())
                continue;
            const ReportFont& font = b.box->font;
            const double ascent = TextMetrics::AscentMm(font);
            const double descent = TextMetrics::DescentMm(font);
            const double lineH = ascent + descent;
            const double pitch = lineH + ReportUnits::LineSpacingMm;
            int n = int(b.lines.size());
            bool overflows = false;
            if (b.box->clipped) {
                // A line shows when its baseline lies in the box: a second line whose descenders
                // stick out still shows, one that would show only its tops is left out.
                const double firstBaseline = r.top() + ReportUnits::GapYMm + ascent;
                const int fit =
                    firstBaseline > r.bottom() + Eps ? 1 : 1 + int((r.bottom() - firstBaseline + Eps) / pitch);
                n = std::min(n, fit);
                overflows = n > 1 && n * lineH + (n - 1) * ReportUnits::LineSpacingMm >
                                         r.height() - 2 * ReportUnits::GapYMm + Eps;
            }
            const double textH = n * lineH + (n - 1) * ReportUnits::LineSpacingMm;
            double y = r.top() + ReportUnits::GapYMm;
            // Lines that do not all fit start at the top, so that the first is never cut.
            if (b.box->vAlign == VAlign::Center && !overflows)
                y = r.top() + (r.height() - textH) / 2;
            else if (b.box->vAlign == VAlign::Bottom && !overflows)
                y = r.bottom() - ReportUnits::GapYMm - textH;
            for (int i = 0; i < n; ++i, y += pitch) {
                const QString& line = b.lines[i];
                if (line.isEmpty())
                    continue;
                PreparedText t;
                t.boxName = b.box->name;
                t.text = line;
                t.font = font;
                t.widthMm = TextMetrics::WidthMm(font, line);
                t.ascentMm = ascent;
                t.descentMm = descent;
                double x = r.left() + ReportUnits::GapXMm;
                if (b.box->hAlign == HAlign::Center)
                    x = r.left() + (r.width() - t.widthMm) / 2;
                else if (b.box->hAlign == HAlign::Right)
                    x = r.right() - ReportUnits::GapXMm - t.widthMm;
                t.origin = QPointF(x, y + ascent);
                if (b.box->clipped)
                    t.clipMm = r;
                p.texts.push_back(std::move(t));
            }
        }
    }

    QString resolve(const QString& text) const { return ResolveText(m_layout, text, pageNo(), m_at); }

    ReportLayout& m_layout;
    const ComposeOptions& m_options;
    PageSetup m_page;
    QDateTime m_at;
    PreparedReport m_out;
    double m_y = 0, m_limit = 0, m_bodyTop = 0;
    bool m_headerPending = false;
    int m_rowCount = 0, m_row = 0, m_rowsDone = 0, m_pageNo = 0;
    // Where each page begins: the master row it starts with.
    std::vector<int> m_starts;
    bool m_counting = false, m_onePage = false;
};

// Splits off the longest head of word that fits widthMm, at least one character.
qsizetype FittingChars(const QString& word, const ReportFont& font, double widthMm) {
    qsizetype n = 1;
    while (n < word.size() && TextMetrics::WidthMm(font, word.left(n + 1)) <= widthMm + Eps)
        ++n;
    return n;
}

} // namespace

QString ResolveText(const ReportLayout& layout, const QString& text, int page, const QDateTime& preparedAt) {
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char(']'), open + 1);
        if (close < 0) {
            out += QStringView(text).mid(pos);
            break;
        }
        out += QStringView(text).mid(pos, open - pos);
        const QString name = text.mid(open + 1, close - open - 1);
        bool known = false;
        if (layout.HasVariable(name)) {
            out += LiteralText(layout.Variable(name));
        } else if (const QString v = BuiltIn(name, page, preparedAt, known); known) {
            out += v;
        } else if (layout.OnGetValue) {
            QString value;
            layout.OnGetValue(name, value);
            out += value;
        }
        // A name nobody answers prints nothing, so a missing value never prints as code.
        pos = close + 1;
    }
    return out;
}

QStringList WrapText(const QString& text, const ReportFont& font, double widthMm, bool wordWrap) {
    // Most texts are one line that fits: the common case of a long list, without copies.
    const bool oneLine = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    if (oneLine && (!wordWrap || TextMetrics::WidthMm(font, text) <= widthMm + Eps))
        return {text};
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = t.split(QLatin1Char('\n'));
    if (!wordWrap)
        return paragraphs;
    QStringList lines;
    for (const QString& para : paragraphs) {
        if (TextMetrics::WidthMm(font, para) <= widthMm + Eps) {
            lines << para;
            continue;
        }
        QString current;
        for (QString word : para.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (TextMetrics::WidthMm(font, candidate) <= widthMm + Eps) {
                current = candidate;
                continue;
            }
            if (!current.isEmpty())
                lines << current;
            current.clear();
            while (TextMetrics::WidthMm(font, word) > widthMm + Eps && word.size() > 1) {
                const qsizetype n = FittingChars(word, font, widthMm);
                lines << word.left(n);
                word = word.mid(n);
            }
            current = word;
        }
        lines << current;
    }
    return lines;
}

std::optional<PreparedReport> ComposeReport(ReportLayout& layout, const ComposeOptions& options) {
    return Composer(layout, options).run();
}
