#include "ReportTestSupport.h"

#include "common/Clock.h"
#include "report/Composer.h"
#include "report/Report.h"
#include "report/TextMetrics.h"

#include <QApplication>
#include <QTest>

using namespace ReportTest;

namespace {

constexpr double Tol = 1e-6;

// Rows answered by the callback: [a] is "row <RecNo>", [b] the value given.
// The callbacks hold on to the report, so it is filled in place.
void FillList(Report& r, int rows, const QString& b = QStringLiteral("x")) {
    r.Rows().SetRangeEndCount(rows);
    RowSource* source = &r.Rows();
    r.SetOnGetValue([source, b](const QString& name, QString& value) {
        if (name == QLatin1String("a"))
            value = QStringLiteral("row %1").arg(source->RecNo());
        else if (name == QLatin1String("b"))
            value = b;
    });
    r.SetVariable(QStringLiteral("Celkem"), TextLiteral(QStringLiteral("Celkem: 10")));
}

bool HasLine(const PreparedPage& page, QPointF a, QPointF b, double width = ReportUnits::ThinLineMm,
             LineStyle style = LineStyle::Solid) {
    for (const PreparedLine& l : page.lines)
        if (QLineF(l.from, a).length() < 1e-6 && QLineF(l.to, b).length() < 1e-6 && qAbs(l.widthMm - width) < 1e-9 &&
            l.style == style)
            return true;
    return false;
}

} // namespace

class TestComposer : public QObject {
    Q_OBJECT
private slots:
    void bandsInOrderOnOnePage();
    void severalPagesHeaderFooterAndNumbers();
    void footerOnBottomMarginWhenDataEndHigh();
    void noRowsPutsSummaryUnderHeader();
    void emptyVariableKeepsFrame();
    void sixteenEmptyRowsDrawTheirFrames();
    void literalText_data();
    void literalText();
    void callbackValuePrintsUnchanged();
    void namesResolve();
    void variablesAddedReplacedAndKept();
    void wrappedTextCutAtBoxHeight_data();
    void wrappedTextCutAtBoxHeight();
    void captionOfTwoLinesInEightMillimetres();
    void longWordBreaksInsideTheBox();
    void stretchingCommentMakesBandTaller();
    void alignment_data();
    void alignment();
    void frameSidesAndFillBandWidth();
    void bandTallerThanPageStillEnds();
    void progressCancels();
    void pageSetupOverridesLayoutPage();
    void longReportComposedWhenDrawn();
    void plainTextsMeasureAsShaped();
};

void TestComposer::bandsInOrderOnOnePage() {
    Report r(ListLayout());
    FillList(r, 3);
    QVERIFY(r.PrepareReport());
    const auto& pages = r.Prepared().pages;
    QCOMPARE(pages.size(), size_t(1));
    const PreparedPage& p = pages[0];
    QCOMPARE(p.widthMm, 210.0);
    QCOMPARE(p.heightMm, 297.0);
    // Title at the top margin, header below it, rows one below another, summary after the last.
    QCOMPARE(FirstText(p, "Title")->clipMm, QRectF(10, 10, 190, 7));
    const double k = ReportUnits::ThickLineMm;
    QVERIFY(HasLine(p, {10 - k / 2, 18}, {200 + k / 2, 18}, k));
    const auto rows = TextsOf(p, "A");
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(rows[i]->text, QStringLiteral("row %1").arg(i));
        QCOMPARE(rows[i]->clipMm, QRectF(11, 28 + 7 * i + 1, 40, 5));
    }
    QCOMPARE(FirstText(p, "Sum")->clipMm, QRectF(10, 49, 190, 8));
    QCOMPARE(FirstText(p, "Sum")->text, QStringLiteral("Celkem: 10"));
    // The footer's bottom edge on the bottom margin.
    QCOMPARE(FirstText(p, "Foot")->clipMm, QRectF(168, 281, 32, 5));
    QCOMPARE(FirstText(p, "Foot")->text, QStringLiteral("Strana: 1"));
}

void TestComposer::severalPagesHeaderFooterAndNumbers() {
    Report r(ListLayout());
    FillList(r, 100);
    QVERIFY(r.PrepareReport());
    const auto& pages = r.Prepared().pages;
    // Page 1: 281 - 28 = 253 mm for rows of 7 mm: 36 rows; the others 281 - 20 = 261 mm: 37 rows.
    QCOMPARE(pages.size(), size_t(3));
    int next = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const PreparedPage& p = pages[i];
        QCOMPARE(TextsOf(p, "Title").size(), i == 0 ? 1 : 0);
        QCOMPARE(TextsOf(p, "Head").size(), 1);
        QCOMPARE(FirstText(p, "Head")->clipMm.top(), i == 0 ? 18.0 : 10.0);
        QCOMPARE(FirstText(p, "Foot")->text, QStringLiteral("Strana: %1").arg(i + 1));
        QCOMPARE(FirstText(p, "Foot")->clipMm.bottom(), 286.0);
        const auto rows = TextsOf(p, "A");
        QCOMPARE(rows.size(), i == 0 ? 36 : i == 1 ? 37 : 27);
        QCOMPARE(rows.front()->clipMm.top(), (i == 0 ? 28.0 : 20.0) + 1);
        for (const PreparedText* t : rows) {
            QCOMPARE(t->text, QStringLiteral("row %1").arg(next++));
            QVERIFY(t->clipMm.top() - 1 + 7 <= 281 + Tol); // no row reaches into the footer
        }
    }
    QCOMPARE(next, 100);
    QCOMPARE(TextsOf(pages[2], "Sum").size(), 1);
    QCOMPARE(TextsOf(pages[0], "Sum").size(), 0);
}

void TestComposer::footerOnBottomMarginWhenDataEndHigh() {
    Report r(ListLayout());
    FillList(r, 2);
    QVERIFY(r.PrepareReport());
    const PreparedPage& p = r.Prepared().pages[0];
    QCOMPARE(TextsOf(p, "A").back()->clipMm.top(), 36.0);
    QCOMPARE(FirstText(p, "Foot")->clipMm, QRectF(168, 281, 32, 5));
}

void TestComposer::noRowsPutsSummaryUnderHeader() {
    Report r(ListLayout());
    FillList(r, 0);
    QVERIFY(r.PrepareReport());
    const PreparedPage& p = r.Prepared().pages[0];
    QCOMPARE(TextsOf(p, "A").size(), 0);
    QCOMPARE(FirstText(p, "Sum")->clipMm.top(), 28.0);
}

void TestComposer::emptyVariableKeepsFrame() {
    ReportLayout l;
    l.Declare({QStringLiteral("Pr_Castka")});
    l.AddBand(BandKind::ReportTitle, 50).boxes.push_back(Box("Castka", 20, 5, 30, 6, "[Pr_Castka]", "L2RTB"));
    Report r(l);
    r.SetVariable(QStringLiteral("Pr_Castka"), TextLiteral(QString()));
    QVERIFY(r.PrepareReport());
    const PreparedPage& p = r.Prepared().pages[0];
    QVERIFY(p.texts.empty());
    QCOMPARE(p.lines.size(), size_t(4));
    // Sides that meet run on by half the other's width: the corners are whole.
    const double thin = ReportUnits::ThinLineMm / 2, thick = ReportUnits::ThickLineMm / 2;
    QVERIFY(HasLine(p, {30 - thick, 15}, {60 + thin, 15}));
    QVERIFY(HasLine(p, {30 - thick, 21}, {60 + thin, 21}));
    QVERIFY(HasLine(p, {30, 15 - thin}, {30, 21 + thin}, ReportUnits::ThickLineMm));
    QVERIFY(HasLine(p, {60, 15 - thin}, {60, 21 + thin}));
}

void TestComposer::sixteenEmptyRowsDrawTheirFrames() {
    ReportLayout l;
    l.AddBand(BandKind::PageHeader, 55);
    Band& data = l.AddBand(BandKind::MasterData, 5);
    data.boxes.push_back(Box("Memo19", 4, 0, 1, 5, {}, "L"));
    data.boxes.push_back(Box("Memo50", 6, 0, 38, 5, "[cislouctu]"));
    data.boxes.push_back(Box("Memo58", 183, 0, 1, 5, {}, "R"));
    l.AddBand(BandKind::ReportSummary, 6).boxes.push_back(Box("Memo17", 4, 0, 180, 2, {}, "T"));
    l.AddBand(BandKind::PageFooter, 129);
    l.rows.SetRangeEndCount(16);
    int calls = 0;
    l.OnGetValue = [&](const QString& name, QString& value) {
        if (name == QLatin1String("cislouctu")) {
            ++calls;
            value = QString();
        }
    };
    Report r(l);
    QVERIFY(r.PrepareReport());
    QCOMPARE(calls, 16);
    QCOMPARE(r.Prepared().pages.size(), size_t(1));
    const PreparedPage& p = r.Prepared().pages[0];
    QVERIFY(p.texts.empty());
    for (int i = 0; i < 16; ++i) {
        const double top = 10 + 55 + 5 * i;
        QVERIFY2(HasLine(p, {14, top}, {14, top + 5}), qPrintable(QString::number(i)));
        QVERIFY2(HasLine(p, {194, top}, {194, top + 5}), qPrintable(QString::number(i)));
    }
    QVERIFY(HasLine(p, {14, 145}, {194, 145})); // the closing line at 135 mm into the printable area
    QCOMPARE(p.lines.size(), size_t(33));
}

void TestComposer::literalText_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("printed");
    QTest::newRow("literal") << "'Komerční banka'"
                             << "Komerční banka";
    QTest::newRow("empty literal") << "''"
                                   << "";
    QTest::newRow("apostrophe inside") << "'Restaurace U Pepy's'"
                                       << "Restaurace U Pepy's";
    QTest::newRow("only apostrophes inside") << "''''"
                                             << "''";
    QTest::newRow("apostrophe at both ends inside") << "''a''"
                                                    << "'a'";
    QTest::newRow("no literal") << "1234,50"
                                << "1234,50";
    QTest::newRow("single apostrophe") << "'"
                                       << "'";
    QTest::newRow("opening only") << "'abc"
                                  << "'abc";
    QTest::newRow("empty") << ""
                           << "";
}

void TestComposer::literalText() {
    QFETCH(QString, value);
    QFETCH(QString, printed);
    QCOMPARE(LiteralText(value), printed);
    ReportLayout l;
    l.AddBand(BandKind::ReportTitle, 10).boxes.push_back(Box("V", 0, 0, 190, 5, "<[V]>"));
    l.SetVariable(QStringLiteral("V"), value);
    const auto pages = ComposeReport(l);
    QVERIFY(pages);
    QCOMPARE(FirstText(pages->pages[0], "V")->text, "<" + printed + ">");
}

void TestComposer::callbackValuePrintsUnchanged() {
    Report r(ListLayout());
    FillList(r, 1, QStringLiteral("1234,50"));
    QVERIFY(r.PrepareReport());
    QCOMPARE(FirstText(r.Prepared().pages[0], "B")->text, QStringLiteral("1234,50"));
    Report quoted(ListLayout());
    FillList(quoted, 1, QStringLiteral("'1234,50'"));
    QVERIFY(quoted.PrepareReport());
    QCOMPARE(FirstText(quoted.Prepared().pages[0], "B")->text, QStringLiteral("'1234,50'"));
}

void TestComposer::namesResolve() {
    ReportLayout l;
    l.SetVariable(QStringLiteral("Mena"), TextLiteral(QStringLiteral("Kč")));
    QStringList asked;
    l.OnGetValue = [&](const QString& name, QString& value) {
        asked << name;
        if (name == QLatin1String("castka"))
            value = QStringLiteral("=1 250,00");
    };
    const QDateTime at(QDate(2024, 3, 7), QTime(9, 5, 30));
    QCOMPARE(ResolveText(l, "[Date] [Time] Strana: [Page]", 12, at), QStringLiteral("7.3.2024 9:05:30 Strana: 12"));
    QCOMPARE(ResolveText(l, "Částka v [Mena]: [castka]", 1, at), QStringLiteral("Částka v Kč: =1 250,00"));
    QCOMPARE(ResolveText(l, "[Castka][neznamy]", 1, at), QString());
    QCOMPARE(asked, (QStringList{"castka", "Castka", "neznamy"}));
    QCOMPARE(ResolveText(l, "a [b", 1, at), QStringLiteral("a [b"));
    QCOMPARE(ResolveText(l, "[]x", 1, at), QStringLiteral("x"));
    // A value is not read again for names.
    l.SetVariable(QStringLiteral("V"), TextLiteral(QStringLiteral("[Mena]")));
    QCOMPARE(ResolveText(l, "[V]", 1, at), QStringLiteral("[Mena]"));

    // The date and time the report was prepared, from the program's clock.
    SeamGuard today = Clock::SetToday(QDate(2023, 12, 31));
    l.bands.clear();
    l.AddBand(BandKind::PageFooter, 6).boxes.push_back(Box("Date", 0, 0, 55, 5, "[Date]"));
    const auto pages = ComposeReport(l);
    today.restore();
    QCOMPARE(FirstText(pages->pages[0], "Date")->text, QStringLiteral("31.12.2023"));
}

void TestComposer::variablesAddedReplacedAndKept() {
    Report r(ListLayout());
    FillList(r, 2);
    r.Layout().Declare({QStringLiteral("Celkem"), QStringLiteral("Mena")});
    QCOMPARE(r.Layout().variables.size(), size_t(2));
    r.SetVariable(QStringLiteral("Novy"), TextLiteral("n"));
    QCOMPARE(r.Layout().variables.size(), size_t(3));
    r.SetVariable(QStringLiteral("Novy"), TextLiteral("m"));
    QCOMPARE(r.Layout().variables.size(), size_t(3));
    QCOMPARE(r.Variable(QStringLiteral("Novy")), QStringLiteral("'m'"));
    QVERIFY(r.PrepareReport());
    const PreparedReport first = r.Prepared();
    // The next print keeps the values and discards the old pages.
    r.Rows().SetRangeEndCount(1);
    QVERIFY(r.PrepareReport());
    QCOMPARE(r.Prepared().pages.size(), size_t(1));
    QCOMPARE(TextsOf(r.Prepared().pages[0], "A").size(), 1);
    QCOMPARE(FirstText(r.Prepared().pages[0], "Sum")->text, QStringLiteral("Celkem: 10"));
    QVERIFY(!(first == r.Prepared()));
}

void TestComposer::wrappedTextCutAtBoxHeight_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("clipped");
    QTest::addColumn<int>("lines");
    // 10 pt Arial: a line is about 4.0 mm, the spacing 0.53 mm, the gaps 0.26 mm at top and bottom.
    QTest::newRow("5 mm: one line") << 5.0 << true << 1;
    QTest::newRow("8.5 mm: the second line's descenders cut") << 8.5 << true << 2;
    QTest::newRow("9 mm: two lines") << 9.0 << true << 2;
    QTest::newRow("13.5 mm: three lines") << 13.5 << true << 3;
    QTest::newRow("not clipped: all lines") << 5.0 << false << 5;
}

void TestComposer::wrappedTextCutAtBoxHeight() {
    QFETCH(double, height);
    QFETCH(bool, clipped);
    QFETCH(int, lines);
    const QString name = QStringLiteral("Československá obchodní banka, a. s., pobočka Praha 1, Na Příkopě 14, "
                                        "Nové Město, Praha, Česká republika");
    ReportLayout l;
    TextBox b = Box("Bank", 25, 9, 45, height, "[Pl_NazevBanky]");
    b.clipped = clipped;
    l.AddBand(BandKind::ReportTitle, 271).boxes.push_back(b);
    l.SetVariable(QStringLiteral("Pl_NazevBanky"), TextLiteral(name));
    const auto pages = ComposeReport(l);
    const auto texts = TextsOf(pages->pages[0], "Bank");
    QCOMPARE(texts.size(), lines);
    const QStringList all = WrapText(name, b.font, 45 - 2 * ReportUnits::GapXMm, true);
    QCOMPARE(all.size(), 5);
    QCOMPARE(all.join(' '), name);
    for (int i = 0; i < lines; ++i) {
        QCOMPARE(texts[i]->text, all[i]);
        QVERIFY(texts[i]->widthMm <= 45 - 2 * ReportUnits::GapXMm + Tol);
        QCOMPARE(texts[i]->origin.x(), 35 + ReportUnits::GapXMm);
        if (clipped) // every line shown has its baseline inside the box
            QVERIFY(texts[i]->origin.y() <= 19 + height + Tol);
    }
    QCOMPARE(texts[0]->clipMm, clipped ? QRectF(35, 19, 45, height) : QRectF());
    if (lines > 1)
        QCOMPARE(texts[1]->origin.y() - texts[0]->origin.y(),
                 TextMetrics::LineHeightMm(b.font) + ReportUnits::LineSpacingMm);
}

// The overview's column heading: bold Times in a box 17 mm wide and 8 mm high shows both words.
void TestComposer::captionOfTwoLinesInEightMillimetres() {
    ReportLayout l;
    TextBox b = Box("Memo18", 81, 1, 17, 8, "Označení příkazu");
    b.font = {QStringLiteral("Times New Roman"), 10, true, false};
    l.AddBand(BandKind::PageHeader, 10).boxes.push_back(b);
    const auto pages = ComposeReport(l);
    const auto texts = TextsOf(pages->pages[0], "Memo18");
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0]->text, QStringLiteral("Označení"));
    QCOMPARE(texts[1]->text, QStringLiteral("příkazu"));
    QCOMPARE(texts[1]->clipMm, QRectF(91, 11, 17, 8));
    // Centred, the two lines would not fit either way: they start at the top, the first one whole.
    l.bands[0].boxes[0].vAlign = VAlign::Center;
    const auto centred = ComposeReport(l);
    QCOMPARE(FirstText(centred->pages[0], "Memo18")->origin, texts[0]->origin);
}

void TestComposer::longWordBreaksInsideTheBox() {
    const ReportFont font;
    const QStringList lines = WrapText(QStringLiteral("a 1234567890123456789012345678901234567890 b"), font, 20, true);
    QVERIFY(lines.size() >= 3);
    for (const QString& line : lines)
        QVERIFY2(TextMetrics::WidthMm(font, line) <= 20 + Tol, qPrintable(line));
    QCOMPARE(lines.join(QString()).remove(' '), QStringLiteral("a1234567890123456789012345678901234567890b"));
    QCOMPARE(WrapText(QStringLiteral("jedna\r\ndvě\rtři"), font, 100, false), (QStringList{"jedna", "dvě", "tři"}));
    QCOMPARE(WrapText(QStringLiteral("dlouhý text bez zalomení"), font, 5, false).size(), 1);
}

void TestComposer::stretchingCommentMakesBandTaller() {
    ReportLayout l;
    Band& data = l.AddBand(BandKind::MasterData, 7);
    data.stretches = true;
    data.boxes.push_back(Box("Memo1", 1, 1, 16, 5, "[datum]"));
    TextBox comment = Box("Memo7", 100, 1, 89, 5, "[poznamka]", "B");
    comment.stretch = StretchMode::ToTallest;
    data.boxes.push_back(comment);
    l.rows.SetRangeEndCount(3);
    const QString longComment = QStringLiteral("Platba za služby podle smlouvy číslo 2024/17 včetně dodatků, "
                                               "vyúčtování za třetí čtvrtletí a úroky z prodlení");
    l.OnGetValue = [&](const QString& name, QString& value) {
        if (name == QLatin1String("datum"))
            value = QStringLiteral("1.2.2024");
        if (name == QLatin1String("poznamka"))
            value = l.rows.RecNo() == 1 ? longComment : QStringLiteral("krátká");
    };
    const auto pages = ComposeReport(l);
    const PreparedPage& p = pages->pages[0];
    const auto comments = TextsOf(p, "Memo7");
    const int n = int(WrapText(longComment, ReportFont(), 89 - 2 * ReportUnits::GapXMm, true).size());
    QVERIFY(n >= 2);
    QCOMPARE(comments.size(), 1 + n + 1);
    const double lineH = TextMetrics::LineHeightMm(ReportFont());
    const double grown = 1 + n * lineH + (n - 1) * ReportUnits::LineSpacingMm + 2 * ReportUnits::GapYMm;
    const auto dates = TextsOf(p, "Memo1");
    QCOMPARE(dates.size(), 3); // the other cells keep their single line
    QCOMPARE(dates[0]->clipMm.top(), 11.0);
    QCOMPARE(dates[1]->clipMm.top(), 18.0);
    QVERIFY(qAbs(dates[2]->clipMm.top() - (18.0 + grown)) < Tol);
    QCOMPARE(dates[1]->clipMm.height(), 5.0);
    // The stretched box reaches the band's bottom; its frame follows it.
    QVERIFY(qAbs(comments[1]->clipMm.bottom() - (17 + grown)) < Tol);
    QVERIFY(HasLine(p, {110, 17 + grown}, {199, 17 + grown}));
    QCOMPARE(comments[0]->clipMm.height(), 6.0); // an unstretched row: the band's own 7 mm less the top
}

void TestComposer::alignment_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    for (int h = 0; h < 3; ++h)
        for (int v = 0; v < 3; ++v)
            QTest::addRow("h%d v%d", h, v) << h << v;
}

void TestComposer::alignment() {
    QFETCH(int, h);
    QFETCH(int, v);
    ReportLayout l;
    TextBox b = Box("X", 20, 10, 60, 20, "Kód banky");
    b.hAlign = HAlign(h);
    b.vAlign = VAlign(v);
    l.AddBand(BandKind::ReportTitle, 50).boxes.push_back(b);
    const auto pages = ComposeReport(l);
    const PreparedText* t = FirstText(pages->pages[0], "X");
    const QRectF box(30, 20, 60, 20);
    const QRectF text = t->boundsMm();
    const double gx = ReportUnits::GapXMm, gy = ReportUnits::GapYMm;
    const double x[] = {box.left() + gx, box.center().x() - text.width() / 2, box.right() - gx - text.width()};
    const double y[] = {box.top() + gy, box.center().y() - text.height() / 2, box.bottom() - gy - text.height()};
    QVERIFY(qAbs(text.left() - x[h]) < Tol);
    QVERIFY(qAbs(text.top() - y[v]) < Tol);
    QVERIFY(qAbs(t->widthMm - TextMetrics::WidthMm(b.font, "Kód banky")) < Tol);
}

void TestComposer::frameSidesAndFillBandWidth() {
    ReportLayout l;
    Band& band = l.AddBand(BandKind::ReportTitle, 30);
    TextBox fill = Box("Memo8", 30, 0, 10, 10, {}, "L2R2T2B2");
    fill.fillBandWidth = true;
    band.boxes.push_back(fill);
    band.boxes.push_back(Box("Memo9", 18, 0, 0, 10, {}, "L"));
    band.boxes.push_back(Box("Memo82", 3, 20, 183, 5, {}, "T."));
    const auto pages = ComposeReport(l);
    const PreparedPage& p = pages->pages[0];
    const double k = ReportUnits::ThickLineMm;
    QVERIFY(HasLine(p, {10 - k / 2, 10}, {200 + k / 2, 10}, k));
    QVERIFY(HasLine(p, {10 - k / 2, 20}, {200 + k / 2, 20}, k));
    QVERIFY(HasLine(p, {10, 10 - k / 2}, {10, 20 + k / 2}, k));
    QVERIFY(HasLine(p, {200, 10 - k / 2}, {200, 20 + k / 2}, k));
    QVERIFY(HasLine(p, {28, 10}, {28, 20}));
    QVERIFY(HasLine(p, {13, 30}, {196, 30}, ReportUnits::ThinLineMm, LineStyle::Dotted));
    QCOMPARE(p.lines.size(), size_t(6));
}

void TestComposer::bandTallerThanPageStillEnds() {
    ReportLayout l;
    l.AddBand(BandKind::MasterData, 300).boxes.push_back(Box("Big", 0, 0, 10, 5, "x"));
    l.rows.SetRangeEndCount(3);
    const auto pages = ComposeReport(l);
    QVERIFY(pages);
    QCOMPARE(pages->pages.size(), size_t(3));
}

void TestComposer::progressCancels() {
    Report r(ListLayout());
    FillList(r, 500);
    ReportLayout& l = r.Layout();
    ComposeOptions options;
    int calls = 0;
    QList<int> rows;
    options.progress = [&](int pages, int rowsDone, int rowsTotal) {
        ++calls;
        rows << rowsDone << rowsTotal;
        return pages < 4;
    };
    QVERIFY(!ComposeReport(l, options));
    QCOMPARE(calls, 4);
    QCOMPARE(rows, (QList<int>{0, 500, 36, 500, 73, 500, 110, 500}));
}

void TestComposer::pageSetupOverridesLayoutPage() {
    Report r(ListLayout());
    FillList(r, 3);
    ComposeOptions options;
    options.page = PageSetup{297, 210, 15, 10, 15, 20};
    const auto pages = ComposeReport(r.Layout(), options);
    const PreparedPage& p = pages->pages[0];
    QCOMPARE(p.widthMm, 297.0);
    QCOMPARE(FirstText(p, "Foot")->clipMm, QRectF(15 + 158, 210 - 20 - 6, 32, 5));
    QCOMPARE(FirstText(p, "Title")->clipMm.left(), 15.0);
}

// A long report keeps only where its pages begin; composed again, they are the pages a shorter
// run composes whole, every row comes once and in order, and rows changed since give no page.
void TestComposer::longReportComposedWhenDrawn() {
    ReportLayout layout = ListLayout();
    Band* data = nullptr;
    for (Band& b : layout.bands)
        if (b.kind == BandKind::MasterData)
            data = &b;
    QVERIFY(data);
    // Some rows are taller: the pages hold different numbers of them, and [Page] sets a height.
    data->stretches = true;
    TextBox note = Box("Note", 120, 1, 30, 5, "[b] [Page]");
    note.stretch = StretchMode::ToTallest;
    data->boxes.push_back(note);
    auto fill = [](Report& r, int rows) {
        r.Rows().SetRangeEndCount(rows);
        RowSource* source = &r.Rows();
        r.SetOnGetValue([source](const QString& name, QString& value) {
            if (name == QLatin1String("a"))
                value = QStringLiteral("row %1").arg(source->RecNo());
            else if (name == QLatin1String("b"))
                value = source->RecNo() % 7 == 0 ? QStringLiteral("dlouhá poznámka na dva řádky") : QString();
        });
        r.SetVariable(QStringLiteral("Celkem"), TextLiteral(QStringLiteral("Celkem: 10")));
        r.SetPreparedAt(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    };
    Report longRun(layout), shortRun(layout);
    fill(longRun, 4000);
    fill(shortRun, 1500);
    QVERIFY(longRun.PrepareReport() && shortRun.PrepareReport());
    const auto& lazy = longRun.Prepared().pages;
    const auto& whole = shortRun.Prepared().pages;
    QVERIFY(lazy.size() > PackPagesAfter && whole.size() <= PackPagesAfter && whole.size() > 30);
    QVERIFY(lazy.front().keptAside() && !whole.front().keptAside());
    for (size_t i = 0; i + 1 < whole.size(); ++i)
        QVERIFY2(lazy[i] == whole[i], qPrintable(QString::number(i)));
    int next = 0;
    PreparedPage scratch;
    for (const PreparedPage& page : lazy)
        for (const PreparedText* t : TextsOf(Unpacked(page, scratch), "A"))
            QCOMPARE(t->text, QStringLiteral("row %1").arg(next++));
    QCOMPARE(next, 4000);
    QCOMPARE(FirstText(Unpacked(lazy.back(), scratch), "Sum")->text, QStringLiteral("Celkem: 10"));
    longRun.Rows().SetRangeEndCount(10);
    QVERIFY(Unpacked(lazy[5], scratch).texts.empty());
}

// Texts of digits and signs are summed from their characters: exactly what shaping gives.
void TestComposer::plainTextsMeasureAsShaped() {
    const QString signs = QStringLiteral("0123456789,.-/: ");
    ReportFont bold{QStringLiteral("Times New Roman"), 10, true, false};
    ReportFont italic{QStringLiteral("Arial"), 8, false, true};
    for (const ReportFont& font : {ReportFont(), bold, italic}) {
        for (int n = 0; n < 2000; ++n) {
            QString text;
            for (int k = 1 + n % 19; k > 0; --k)
                text += signs[(n * 7 + k * k * 13) % signs.size()];
            QVERIFY2(TextMetrics::WidthMm(font, text) == TextMetrics::ShapedWidthMm(font, text), qPrintable(text));
        }
    }
}

QTEST_MAIN(TestComposer)
#include "tst_composer.moc"
