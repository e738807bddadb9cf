#pragma once

#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// Shared pieces of the report engine's tests.
namespace ReportTest {

TextBox Box(const QString& name, double left, double top, double width, double height, const QString& text = {},
            const QString& frame = {});

// A list layout: title 8 mm, header 10 mm, master data 7 mm with the callback names [a] and [b],
// summary 8 mm, footer 6 mm with "Strana: [Page]".
ReportLayout ListLayout();

// The texts of a page whose box is boxName, top to bottom.
QList<const PreparedText*> TextsOf(const PreparedPage& page, const QString& boxName);
const PreparedText* FirstText(const PreparedPage& page, const QString& boxName);

struct PdfWord {
    int page = 0; // from 0
    QString text;
    QRectF mm; // from the sheet's top-left corner
};
// The words of a PDF as pdftotext -bbox gives them; fails the test when it cannot run.
QList<PdfWord> PdfWords(const QString& path);
// The fonts pdffonts lists, one line each: "name type encoding emb sub uni ...".
QStringList PdfFontLines(const QString& path);

// True when the pixel is clearly dark.
bool Dark(const QImage& img, int x, int y);

} // namespace ReportTest
