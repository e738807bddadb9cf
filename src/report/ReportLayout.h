#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The print layout model. All geometry is in millimetres; a box is placed relative to the
// top-left corner of its band, a band spans the printable width of the page.

namespace ReportUnits {
// The stored layouts count in 1/96 inch.
constexpr double MmPerUnit = 25.4 / 96.0;
constexpr double UnitsToMm(double units) {
    return units * MmPerUnit;
}
constexpr double PointsToMm(double points) {
    return points * 25.4 / 72.0;
}
constexpr double ThinLineMm = MmPerUnit;        // 0.75 pt
constexpr double ThickLineMm = 2.0 * MmPerUnit; // 1.5 pt
constexpr double GapXMm = 2.0 * MmPerUnit;      // inner gap at the left and right edges of a box
constexpr double GapYMm = 1.0 * MmPerUnit;      // inner gap at the top and bottom edges of a box
constexpr double LineSpacingMm = 2.0 * MmPerUnit;
} // namespace ReportUnits

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };
enum class LineStyle { Solid, Dotted };
enum class StretchMode { None, ToTallest };
enum class BandKind { ReportTitle, PageHeader, MasterData, ReportSummary, PageFooter };

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool operator==(const ReportFont&) const = default;
};

struct FrameSide {
    bool drawn = false;
    double widthMm = ReportUnits::ThinLineMm;
    LineStyle style = LineStyle::Solid;
    bool operator==(const FrameSide&) const = default;
};

struct Frame {
    FrameSide left, right, top, bottom;
    bool operator==(const Frame&) const = default;

    // Frame::Sides("LRTB") with thick sides written "L2": a short form for layouts built in code.
    // A trailing "." marks every side dotted ("T.").
    static Frame Sides(const QString& spec);
};

// A picture of black filled rectangles in units of its own (a QR code counts in modules). It is drawn
// as vectors, so it prints sharp at any size.
struct VectorPicture {
    QSizeF size;
    std::vector<QRectF> rects;
    bool isEmpty() const { return rects.empty() || size.isEmpty(); }
    bool operator==(const VectorPicture&) const = default;
};

struct TextBox {
    QString name;
    double left = 0, top = 0, width = 0, height = 0;
    // Names in square brackets are replaced by their values when printed.
    QString text;
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    // Text is cut at the box edges; a wrapped line whose baseline falls below the box is left out.
    bool clipped = true;
    Frame frame;
    StretchMode stretch = StretchMode::None;
    bool fillBandWidth = false;
    // The name OnGetPicture is asked for a picture, drawn under the text, scaled to fit the box
    // with its proportions kept and centred in it. Empty: no picture.
    QString picture;

    // A box of width x height millimetres at left, top of its band; everything else as above.
    static TextBox At(const QString& name, double left, double top, double width, double height,
                      const QString& text = {});
};

struct Band {
    BandKind kind = BandKind::MasterData;
    double height = 0;
    // Grows downwards to fit its stretching boxes.
    bool stretches = false;
    std::vector<TextBox> boxes;
};

struct PageSetup {
    double widthMm = 210, heightMm = 297; // A4 portrait
    double leftMm = 10, topMm = 10, rightMm = 10, bottomMm = 10;
    bool operator==(const PageSetup&) const = default;
    double printableWidth() const { return widthMm - leftMm - rightMm; }
    double printableBottom() const { return heightMm - bottomMm; }
};

// The rows of the master data band. It has no fields of its own: the value callback reads RecNo
// and answers for that row.
class RowSource {
public:
    explicit RowSource(const QString& name = QStringLiteral("UserDataSet1")) : m_name(name) {}
    const QString& name() const { return m_name; }
    // The number of rows of the next preparation; 0 prints no master data row.
    void SetRangeEndCount(int count) { m_count = count < 0 ? 0 : count; }
    int RangeEndCount() const { return m_count; }
    // The row being printed, from 0; the engine moves it.
    int RecNo() const { return m_recNo; }
    void SetRecNo(int recNo) { m_recNo = recNo; }

private:
    QString m_name;
    int m_count = 0;
    int m_recNo = 0;
};

struct ReportVariable {
    QString name;
    // An expression text; the program gives a text literal: 'text'.
    QString value;
};

// Asked for every bracketed name that is neither a variable nor built in. Sets value only for
// its own names.
using GetValueHandler = std::function<void(const QString& name, QString& value)>;
// Asked for the picture of a box, with the row source's RecNo of the band being printed. Leaving
// picture empty draws nothing.
using GetPictureHandler = std::function<void(const QString& name, VectorPicture& picture)>;

struct PreviewOptions {
    bool pageNavigator = false; // first, previous, page number, next, last
};

struct ReportLayout {
    QString name;
    PageSetup page;
    std::vector<ReportVariable> variables;
    std::vector<Band> bands;
    // Bound to the master data band; its count may be fixed here or set before each print.
    RowSource rows;
    GetValueHandler OnGetValue;
    GetPictureHandler OnGetPicture;
    PreviewOptions preview;

    // Replaces the value of the named variable, adding it when missing.
    void SetVariable(const QString& name, const QString& value);
    // The expression text of a variable; an empty text when there is none.
    QString Variable(const QString& name) const;
    bool HasVariable(const QString& name) const;
    // Declares variables with an empty value.
    void Declare(const QStringList& names);

    // The first band of the kind, or nullptr.
    const Band* FindBand(BandKind kind) const;
    Band& AddBand(BandKind kind, double height);
};

// The text a variable prints: for a literal 'text' the text between the outer apostrophes
// (whatever it holds, apostrophes included); any other value prints as it stands.
QString LiteralText(const QString& expression);
// Wraps a text as the literal the program hands to a layout.
QString TextLiteral(const QString& text);
