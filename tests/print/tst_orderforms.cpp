#include "ReportTestSupport.h"
#include "TestOrders.h"

#include "print/OrderForms.h"
#include "print/OrderReports.h"
#include "report/Renderer.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <span>

using namespace ReportTest;

namespace {

constexpr double kMargin = 10;          // the printable area begins 10 mm from the sheet's edges
constexpr double kGapX = 2 * 25.4 / 96; // inner gap at the left and right of a box
constexpr double kGapY = 1 * 25.4 / 96; // inner gap at the top and bottom of a box
constexpr double kLineSpacing = 2 * 25.4 / 96;
constexpr double kTolerance = 0.5;

// A text as the form shows it: its box in millimetres from the top-left corner of the printable
// area, the alignment "C/T", and for a wrapped caption the line it stands on.
struct Expected {
    const char* text;
    double left, top, width, height;
    const char* align;
    int line = 0;
};

PayerBank SampleBank() {
    return {QStringLiteral("Česká spořitelna"), QStringLiteral("Praha 4, Budějovická 1518/13a"),
            QStringLiteral("19-2000145399"), QStringLiteral("0800")};
}

PaymentOrder SingleOrder() {
    PaymentOrder o;
    o.Bank = SampleBank();
    o.OrderDate = QStringLiteral("3.1.2022");
    o.Items[3] = Item("123456789", "0100", "1234,50", "2201", "0308", "77", "Nájem za leden");
    o.Total = 1234.5;
    return o;
}

// Valid items in rows 2 and 9, an amount without an account in row 5.
PaymentOrder CollectiveOrder() {
    PaymentOrder o;
    o.Bank = SampleBank();
    o.OrderDate = QStringLiteral("3.1.2022");
    o.Items[1] = Item("19-123457", "0800", "1234,50", "2201", "0308", "11", "Faktura 17");
    o.Items[4] = Item("", "", "300,00", "", "", "", "Jen částka");
    o.Items[8] = Item("2727", "2700", "15990,50", "20230117", "0008", "", "Záloha");
    o.Items[15].Comment = QStringLiteral("Poslední");
    o.Total = 17525.0;
    return o;
}

// The first copy of the single form with SingleOrder's values.
const Expected kSingleTexts[] = {
    {"PŘÍKAZ K ÚHRADĚ", 124, 2, 61, 6, "R/T"},
    {"Banka:", 5, 9, 16, 5, "L/T"},
    {"Česká spořitelna", 25, 9, 135, 5, "L/T"},
    {"Pobočka:", 5, 14, 19, 5, "L/T"},
    {"Praha 4, Budějovická 1518/13a", 25, 14, 135, 5, "L/T"},
    {"Datum splatnosti", 152, 24, 31, 5, "C/T"},
    {"Bankovní spojení", 6, 26, 37, 5, "L/T"},
    {"3.1.2022", 152, 30, 31, 5, "C/T"},
    {"Číslo účtu plátce", 6, 32, 37, 5, "L/T"},
    {"Kód banky", 53, 32, 20, 5, "C/T"},
    {"Symboly plateb", 114, 38, 37, 5, "L/T"},
    {"19-2000145399", 6, 39, 44, 5, "C/T"},
    {"0800", 52, 39, 21, 5, "C/T"},
    {"Číslo účtu příjemce", 6, 45, 44, 5, "L/T"},
    {"Kód banky", 53, 45, 20, 5, "C/T"},
    {"Částka v", 77, 45, 20, 5, "R/T"},
    {"Kč", 98, 45, 13, 5, "L/T"},
    {"Variabilní", 114, 45, 25, 5, "C/T"},
    {"Konst.", 142, 45, 13, 5, "C/T"},
    {"Specifický", 158, 45, 25, 5, "C/T"},
    {"123456789", 6, 53, 44, 5, "C/T"},
    {"0100", 52, 53, 21, 5, "C/T"},
    {"=1234,50", 77, 53, 34, 5, "C/T"},
    {"2201", 114, 53, 25, 5, "C/T"},
    {"0308", 142, 53, 13, 5, "C/T"},
    {"77", 158, 53, 25, 5, "C/T"},
    {"Doplňující údaje banky", 6, 61, 87, 5, "L/T"},
    {"Údaj pro vnitřní potřebu příkazce", 96, 61, 87, 5, "L/T"},
    {"Nájem za leden", 96, 66, 87, 9, "L/C"},
    {"3.1.2022", 18, 90, 28, 5, "C/T"},
    {"Místo a datum vystavení", 5, 97, 55, 7, "C/B"},
    {"Podpis(y), razítko příkazce", 130, 97, 55, 7, "C/B"},
};

// The collective form with CollectiveOrder's values: header from 0, rows from 55, footer from 148.
const Expected kCollectiveTexts[] = {
    {"HROMADNÝ PŘÍKAZ K ÚHRADĚ", 45, 0, 98, 6, "L/T"},
    {"Banka:", 4, 8, 16, 5, "L/T"},
    {"Česká spořitelna", 45, 8, 135, 5, "L/T"},
    {"Pobočka:", 4, 13, 16, 5, "L/T"},
    {"Praha 4, Budějovická 1518/13a", 45, 13, 135, 5, "L/T"},
    {"Zaúčtujte", 76, 23, 23, 9, "C/T", 0},
    {"celkem Kč", 76, 23, 23, 9, "C/T", 1},
    {"Na vrub účtu", 8, 24, 33, 5, "C/T"},
    {"Směrový", 51, 24, 15, 9, "C/T", 0},
    {"kód", 51, 24, 15, 9, "C/T", 1},
    {"Dne", 112, 24, 21, 5, "C/T"},
    {"2", 0, 33, 4, 7, "C/C"},
    {"19-2000145399", 5, 34, 39, 5, "C/T"},
    {"0800", 51, 34, 15, 5, "C/T"},
    {"17525,00 Kč", 74, 34, 33, 5, "C/T"},
    {"3.1.2022", 112, 34, 21, 5, "C/T"},
    {"Ve prospěch", 12, 45, 24, 9, "C/T", 0},
    {"účtu číslo", 12, 45, 24, 9, "C/T", 1},
    {"Směrový", 51, 45, 15, 9, "C/T", 0},
    {"kód", 51, 45, 15, 9, "C/T", 1},
    {"Částky", 79, 45, 18, 9, "C/T", 0},
    {"plateb v Kč", 79, 45, 18, 9, "C/T", 1},
    {"Symboly plateb", 132, 45, 24, 5, "L/T"},
    {"Variabilní", 114, 50, 21, 5, "C/T"},
    {"Konst.", 139, 50, 12, 5, "C/T"},
    {"Specifický", 159, 50, 19, 5, "C/T"},
    // Table row 2 (55 + 5), row 5 (55 + 20), row 9 (55 + 40).
    {"19-123457", 6, 60, 38, 5, "R/T"},
    {"0800", 51, 60, 15, 5, "C/T"},
    {"1234,50", 73, 60, 30, 5, "R/T"},
    {"2201", 111, 60, 24, 5, "R/T"},
    {"0308", 139, 60, 12, 5, "R/T"},
    {"11", 155, 60, 27, 5, "R/T"},
    {"300,00", 73, 75, 30, 5, "R/T"},
    {"2727", 6, 95, 38, 5, "R/T"},
    {"2700", 51, 95, 15, 5, "C/T"},
    {"15990,50", 73, 95, 30, 5, "R/T"},
    {"20230117", 111, 95, 24, 5, "R/T"},
    {"0008", 139, 95, 12, 5, "R/T"},
    // Footer, 148 mm down.
    {"Datum :", 4, 158, 14, 5, "L/T"},
    {"3.1.2022", 19, 158, 28, 5, "C/T"},
    {"Razítko a podpis příkazce", 129, 158, 55, 7, "C/B"},
    {"Údaje pro vnitřní potřebu příkazce", 4, 185, 180, 5, "L/T"},
    {"Faktura 17", 4, 198, 180, 5, "L/T"},
    {"Jen částka", 4, 213, 180, 5, "L/T"},
    {"Záloha", 4, 233, 180, 5, "L/T"},
    {"Poslední", 4, 268, 180, 5, "L/T"},
};

// The words of text standing one after the other on one line of the PDF, as one rectangle; the
// occurrence nearest to near is taken.
std::optional<QRectF> FindLine(const QList<PdfWord>& words, const QString& text, QPointF near) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::optional<QRectF> best;
    double bestDistance = 1e9;
    for (qsizetype i = 0; i + parts.size() <= words.size(); ++i) {
        QRectF r = words[i].mm;
        bool match = true;
        for (qsizetype k = 0; k < parts.size() && match; ++k) {
            const PdfWord& w = words[i + k];
            match = w.text == parts[k] && w.page == words[i].page && qAbs(w.mm.top() - r.top()) < 0.3;
            r |= w.mm;
        }
        if (!match)
            continue;
        const double d = QLineF(r.topLeft(), near).length();
        if (d < bestDistance) {
            bestDistance = d;
            best = r;
        }
    }
    return best;
}

// Checks every expected text at its box's place, within 0.5 mm, horizontally by its alignment
// and vertically by the top, centre or bottom of its line.
void CheckTexts(const QList<PdfWord>& words, std::span<const Expected> expected, double dy = 0) {
    for (const Expected& e : expected) {
        const QString text = QString::fromUtf8(e.text);
        const QRectF box(kMargin + e.left, kMargin + e.top + dy, e.width, e.height);
        const std::optional<QRectF> found = FindLine(words, text, box.topLeft());
        QVERIFY2(found, qPrintable(QStringLiteral("%1 not in the PDF").arg(text)));
        const QRectF& r = *found;
        double x = r.left(), wantX = box.left() + kGapX;
        if (e.align[0] == 'C') {
            x = r.center().x();
            wantX = box.center().x();
        } else if (e.align[0] == 'R') {
            x = r.right();
            wantX = box.right() - kGapX;
        }
        double y = r.top(), wantY = box.top() + kGapY + e.line * (r.height() + kLineSpacing);
        if (e.align[2] == 'C') {
            y = r.center().y();
            wantY = box.center().y();
        } else if (e.align[2] == 'B') {
            y = r.bottom();
            wantY = box.bottom() - kGapY;
        }
        const QString where = QStringLiteral("%1: at %2, %3 mm, wanted %4, %5")
                                  .arg(text)
                                  .arg(x, 0, 'f', 2)
                                  .arg(y, 0, 'f', 2)
                                  .arg(wantX, 0, 'f', 2)
                                  .arg(wantY, 0, 'f', 2);
        QVERIFY2(qAbs(x - wantX) <= kTolerance && qAbs(y - wantY) <= kTolerance, qPrintable(where));
    }
}

// The PDF of the layout the order needs, as the preview would export it.
QString WritePdf(OrderReports& print, const PaymentOrder& order, const QString& path, const QString& currency = "Kč") {
    Report* report = print.FillLayout(order, currency);
    if (!report || !report->PrepareReport())
        return {};
    report->ExportToPdf(path);
    return path;
}

// Times New Roman is Liberation Serif here, embedded; no other font is substituted.
void CheckFonts(const QStringList& pdffontsLines) {
    static const QRegularExpression embedded(QStringLiteral("^LiberationSerif(-Bold)?\\s.*Identity-H\\s+yes\\s"));
    QVERIFY(!pdffontsLines.isEmpty());
    for (const QString& line : pdffontsLines)
        QVERIFY2(embedded.match(line).hasMatch(), qPrintable(line));
}

double Px(double mm, double dpi) {
    return mm * dpi / 25.4;
}

// How many pixels of a line are dark across it (a thin line about 2 px at 200 dpi, a thick one 4),
// at the point in millimetres from the sheet's top-left corner.
int Thickness(const QImage& img, double xMm, double yMm, bool vertical) {
    const double dpi = 200;
    const int x = qRound(Px(xMm, dpi)), y = qRound(Px(yMm, dpi));
    int n = 0;
    for (int d = -8; d <= 8; ++d)
        n += Dark(img, vertical ? x + d : x, vertical ? y : y + d);
    return n;
}

// The share of a horizontal line's length that is dark: 1 solid, about a half dotted.
double DarkShare(const QImage& img, double yMm, double x0Mm, double x1Mm) {
    const double dpi = 200;
    const int y = qRound(Px(yMm, dpi));
    int dark = 0, all = 0;
    for (int x = qRound(Px(x0Mm, dpi)); x <= qRound(Px(x1Mm, dpi)); ++x, ++all) {
        bool any = false;
        for (int d = -3; d <= 3 && !any; ++d)
            any = Dark(img, x, y + d);
        dark += any;
    }
    return all ? double(dark) / all : 0;
}

bool Thin(int pixels) {
    return pixels >= 1 && pixels <= 3;
}
bool Thick(int pixels) {
    return pixels >= 4 && pixels <= 6;
}

bool Solid(double share) {
    return share > 0.97;
}
bool Dotted(double share) {
    return share > 0.2 && share < 0.8;
}

} // namespace

class TestOrderForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every text of both copies of the single form at its box in the PDF, in the fonts the
    // form names, embedded.
    void singleFormTextsInThePdf() {
        QTemporaryDir dir;
        OrderReports print;
        const QString pdf = WritePdf(print, SingleOrder(), dir.filePath(QStringLiteral("single.pdf")));
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(print.Report1.Prepared().pages.size(), size_t(1));
        const QList<PdfWord> words = PdfWords(pdf);
        CheckTexts(words, kSingleTexts);
        CheckTexts(words, kSingleTexts, 140);
        // Nothing more than the two copies: every word is accounted for.
        qsizetype expectedWords = 0;
        for (const Expected& e : kSingleTexts)
            expectedWords += QString::fromUtf8(e.text).split(QLatin1Char(' ')).size();
        QCOMPARE(words.size(), 2 * expectedWords);

        const QStringList fonts = PdfFontLines(pdf);
        QCOMPARE(fonts.size(), 2); // regular and bold
        CheckFonts(fonts);
    }

    void collectiveFormTextsInThePdf() {
        QTemporaryDir dir;
        OrderReports print;
        const QString pdf = WritePdf(print, CollectiveOrder(), dir.filePath(QStringLiteral("collective.pdf")));
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(print.Report2.Prepared().pages.size(), size_t(1));
        const QList<PdfWord> words = PdfWords(pdf);
        CheckTexts(words, kCollectiveTexts);
        CheckFonts(PdfFontLines(pdf));
    }

    // A bank name too long for its 135 mm box shows the words of its first line only, on both
    // forms and in both copies.
    void longBankNameShowsItsFirstLine() {
        const QString name = QStringLiteral("Komerční banka, akciová společnost, pobočka pro podnikatele a drobné "
                                            "živnostníky v hlavním městě Praze, Václavské náměstí");
        QTemporaryDir dir;
        for (int form = 0; form < 2; ++form) {
            PaymentOrder order = form == 0 ? SingleOrder() : CollectiveOrder();
            order.Bank.NazevBanky = name;
            OrderReports print;
            const QString pdf = WritePdf(print, order, dir.filePath(QStringLiteral("bank%1.pdf").arg(form)));
            const QList<PdfWord> words = PdfWords(pdf);
            const double left = kMargin + (form == 0 ? 25 : 45);
            // The first line in each copy, at the box's place; no word of a further line anywhere.
            const QList<double> tops = form == 0 ? QList<double>{9, 149} : QList<double>{8};
            QList<double> lineTops;
            for (const PdfWord& w : words) {
                QVERIFY2(w.text != QStringLiteral("náměstí"), "a second line of the bank name printed");
                if (w.text == QStringLiteral("Komerční"))
                    lineTops << w.mm.top();
            }
            QCOMPARE(lineTops.size(), tops.size());
            for (const double top : tops) {
                const std::optional<QRectF> first =
                    FindLine(words, QStringLiteral("Komerční banka, akciová"), {left, kMargin + top});
                QVERIFY(first);
                QVERIFY(qAbs(first->top() - (kMargin + top + kGapY)) <= kTolerance);
                QVERIFY(qAbs(first->left() - left - kGapX) <= kTolerance);
            }
        }
    }

    // Thin, thick and dotted sides where the form has them.
    void framesOnThePage() {
        OrderReports print;
        QVERIFY(print.FillLayout(SingleOrder(), QStringLiteral("Kč"))->PrepareReport());
        const QImage single = RenderPageImage(print.Report1.Prepared().pages.front(), 200);
        for (double dy : {0.0, 140.0}) {
            // The payer rectangle: thick left, top and right, thin bottom.
            QVERIFY(Thick(Thickness(single, 15, 45 + dy, true)));
            QVERIFY(Thick(Thickness(single, 85, 45 + dy, true)));
            QVERIFY(Thick(Thickness(single, 40, 35 + dy, false)));
            QVERIFY(Thin(Thickness(single, 40, 54 + dy, false)));
            // The thin line at 50 mm across the whole form; the vertical line at 51 mm.
            QVERIFY(Thin(Thickness(single, 150, 60 + dy, false)));
            QVERIFY(Thin(Thickness(single, 61, 50 + dy, true)));
            QVERIFY(Solid(DarkShare(single, 60 + dy, 16, 194)));
            // The signature lines, dotted.
            QVERIFY(Dotted(DarkShare(single, 107 + dy, 16, 69)));
            QVERIFY(Dotted(DarkShare(single, 107 + dy, 141, 194)));
        }
        // The cutting line, dotted from 13 to 196 mm, and nothing beside it.
        QVERIFY(Dotted(DarkShare(single, 145, 14, 195)));
        QCOMPARE(DarkShare(single, 145, 2, 12), 0.0);

        QVERIFY(print.FillLayout(CollectiveOrder(), QStringLiteral("Kč"))->PrepareReport());
        const QImage collective = RenderPageImage(print.Report2.Prepared().pages.front(), 200);
        // The thick payer table and its thick row line at 33 mm.
        QVERIFY(Thick(Thickness(collective, 80, 33, false)));
        QVERIFY(Thick(Thickness(collective, 80, 43, false)));
        QVERIFY(Thick(Thickness(collective, 14, 38, true)));
        // Every one of the 16 rows shows its seven column lines, thin.
        for (int row = 0; row < 16; ++row)
            for (double x : {14, 55, 82, 118, 147, 163, 194})
                QVERIFY2(Thin(Thickness(collective, x, 67.5 + 5 * row, true)),
                         qPrintable(QStringLiteral("row %1 at %2 mm").arg(row + 1).arg(x)));
        // The closing line, solid; the page blank down to the footer; the footer's dotted lines.
        QVERIFY(Solid(DarkShare(collective, 145, 15, 193)));
        QCOMPARE(DarkShare(collective, 152, 15, 193), 0.0);
        QVERIFY(Dotted(DarkShare(collective, 168, 140, 193)));
        QVERIFY(Dotted(DarkShare(collective, 195, 15, 193)));
    }
};

QTEST_MAIN(TestOrderForms)
#include "tst_orderforms.moc"
