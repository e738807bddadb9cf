#include "ReportTestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace ReportTest {

TextBox Box(const QString& name, double left, double top, double width, double height, const QString& text,
            const QString& frame) {
    TextBox b = TextBox::At(name, left, top, width, height, text);
    b.frame = Frame::Sides(frame);
    return b;
}

ReportLayout ListLayout() {
    ReportLayout l;
    l.name = QStringLiteral("Seznam");
    l.AddBand(BandKind::ReportTitle, 8).boxes.push_back(Box("Title", 0, 0, 190, 7, "Přehled příkazů"));
    l.AddBand(BandKind::PageHeader, 10).boxes.push_back(Box("Head", 0, 0, 190, 10, "Záhlaví", "L2R2T2B2"));
    Band& data = l.AddBand(BandKind::MasterData, 7);
    data.boxes.push_back(Box("A", 1, 1, 40, 5, "[a]"));
    data.boxes.push_back(Box("B", 50, 1, 40, 5, "[b]", "LRTB"));
    l.AddBand(BandKind::ReportSummary, 8).boxes.push_back(Box("Sum", 0, 0, 190, 8, "[Celkem]", "T"));
    l.AddBand(BandKind::PageFooter, 6).boxes.push_back(Box("Foot", 158, 0, 32, 5, "Strana: [Page]"));
    l.Declare({QStringLiteral("Celkem")});
    return l;
}

QList<const PreparedText*> TextsOf(const PreparedPage& page, const QString& boxName) {
    QList<const PreparedText*> out;
    for (const PreparedText& t : page.texts)
        if (t.boxName == boxName)
            out << &t;
    return out;
}

const PreparedText* FirstText(const PreparedPage& page, const QString& boxName) {
    const auto all = TextsOf(page, boxName);
    return all.isEmpty() ? nullptr : all.front();
}

QList<PdfWord> PdfWords(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        QTest::qFail("pdftotext -bbox failed", __FILE__, __LINE__);
        return {};
    }
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression pageRe(QStringLiteral("<page "));
    static const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    const QStringList pages = html.split(pageRe);
    const double k = 25.4 / 72.0;
    for (int i = 1; i < pages.size(); ++i) {
        auto it = wordRe.globalMatch(pages[i]);
        while (it.hasNext()) {
            const auto m = it.next();
            PdfWord w;
            w.page = i - 1;
            w.text = m.captured(5);
            w.text.replace(QLatin1String("&amp;"), QLatin1String("&"));
            w.text.replace(QLatin1String("&lt;"), QLatin1String("<"));
            w.text.replace(QLatin1String("&gt;"), QLatin1String(">"));
            w.text.replace(QLatin1String("&apos;"), QLatin1String("'"));
            w.text.replace(QLatin1String("&quot;"), QLatin1String("\""));
            w.mm = QRectF(QPointF(m.captured(1).toDouble() * k, m.captured(2).toDouble() * k),
                          QPointF(m.captured(3).toDouble() * k, m.captured(4).toDouble() * k));
            words << w;
        }
    }
    return words;
}

QStringList PdfFontLines(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        QTest::qFail("pdffonts failed", __FILE__, __LINE__);
        return {};
    }
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(2); // the heading and its rule
}

bool Dark(const QImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return false;
    return qGray(img.pixel(x, y)) < 128;
}

} // namespace ReportTest
