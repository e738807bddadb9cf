#pragma once

#include "report/ReportLayout.h"

#include <QByteArray>
#include <QDateTime>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

// Composed pages as plain data, all in millimetres from the sheet's top-left corner. The renderer
// draws them; the preview, the printer and the PDF writer draw nothing of their own.

// One line of text of a box.
struct PreparedText {
    QString boxName;
    QString text;
    ReportFont font;
    // Left end of the baseline.
    QPointF origin;
    // Measured advance of the text and the box's line height, for highlighting and tests.
    double widthMm = 0;
    double ascentMm = 0, descentMm = 0;
    // The box the text is cut at; an empty rect when the box does not clip.
    QRectF clipMm;
    bool operator==(const PreparedText&) const = default;
    QRectF boundsMm() const { return QRectF(origin.x(), origin.y() - ascentMm, widthMm, ascentMm + descentMm); }
};

struct PreparedLine {
    QPointF from, to;
    double widthMm = ReportUnits::ThinLineMm;
    LineStyle style = LineStyle::Solid;
    bool operator==(const PreparedLine&) const = default;
};

// The rectangles of a box's picture, filled black.
struct PreparedPicture {
    QString boxName;
    // Where the picture was fitted; the rectangles lie inside.
    QRectF areaMm;
    std::vector<QRectF> rectsMm;
    bool operator==(const PreparedPicture&) const = default;
};

struct PreparedPage;

// Composes the pages of a long report again, one at a time, when they are drawn, found or saved.
class PageSource {
public:
    virtual ~PageSource() = default;
    // Page index (from 0) into out, which comes empty with the page's size.
    virtual void Compose(int index, PreparedPage& out) const = 0;
};

struct PreparedPage {
    double widthMm = 210, heightMm = 297;
    std::vector<PreparedLine> lines;
    std::vector<PreparedText> texts;
    std::vector<PreparedPicture> pictures;
    // The lines, texts and pictures of a page of a long report, compressed (see Pack); the three
    // lists are then empty. Read such a page through Unpacked.
    QByteArray packed;
    // A page of a long composed report holds nothing but where it comes from: source composes it.
    std::shared_ptr<const PageSource> source;
    int sourceIndex = -1;
    bool isPacked() const { return !packed.isEmpty(); }
    // The lines, texts and pictures are not in the lists but packed or composed when needed.
    bool keptAside() const { return isPacked() || source; }
    // Pages are equal when they show the same, packed or not.
    bool operator==(const PreparedPage& other) const;
};

// A report of more pages than this keeps no page whole. A page of a long list holds some 240 text
// runs, 54 kB as objects with their own strings. Composed, it keeps only where each page begins
// and composes a page again when it is drawn, found or saved; read from a file, it keeps each
// page packed (4.4 kB) and unpacks one page at a time.
constexpr size_t PackPagesAfter = 50;

// Packs the content of page in place; a page kept aside stays as it is.
void Pack(PreparedPage& page);
// The page with its content at hand: page itself, or a page kept aside unpacked or composed into
// scratch.
const PreparedPage& Unpacked(const PreparedPage& page, PreparedPage& scratch);

struct PreparedReport {
    QString title;
    QDateTime preparedAt;
    std::vector<PreparedPage> pages;
    bool operator==(const PreparedReport&) const = default;
};

// Frees the pages of report and, after a long one, gives the memory back to the system: its
// million small blocks would otherwise stay with the process after the report is gone.
void Discard(PreparedReport& report);

// What a prepared report may hold: no paper is larger, and the preview must still have pixels for
// it. A saved report beyond these is damaged.
namespace PreparedLimits {
// Either side of a page.
constexpr double MinPageMm = 1, MaxPageMm = 2000;
constexpr qsizetype MaxPages = 100'000;
constexpr double MinFontPt = 0.5, MaxFontPt = 500;
// How far past the sheet's edges a position may lie: a text its box cuts, a frame in the margin.
constexpr double MaxOffSheetMm = MaxPageMm;
// The widest line, the tallest ascent or descent of a text.
constexpr double MaxStrokeMm = MaxPageMm;
} // namespace PreparedLimits

namespace PreparedReportFile {
// The extension and the file dialog filter of saved prepared reports.
QString Suffix();
QString Filter();
// Writes the report atomically; throws VelorinError naming the file.
void Save(const PreparedReport& report, const QString& path);
// Throws VelorinError with a Czech message when the file cannot be read or is not a prepared
// report of this program (or of a newer version of it).
PreparedReport Load(const QString& path);
// The pages as the file named path holds them once unpacked, in the file's format version: Load
// unpacks and calls it, the fuzz target feeds it directly. Throws VelorinError saying that the file
// is damaged when the body does not hold pages within PreparedLimits.
PreparedReport DecodeBody(const QByteArray& body, quint16 version, const QString& path);
} // namespace PreparedReportFile
