#include "report/PdfExport.h"

#include "common/Error.h"
#include "common/TextFile.h"
#include "report/PageLayout.h"
#include "report/Renderer.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>

bool ExportPdf(const PreparedReport& report, const QString& path, const ExportProgress& progress) {
    const QString shown = QDir::toNativeSeparators(path);
    // The PDF is made in memory and written whole, like every other file, so that a full disk
    // cannot leave a cut one.
    QByteArray pdf;
    QBuffer file(&pdf);
    file.open(QIODevice::WriteOnly);
    const int total = int(report.pages.size());
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Velorin"));
        writer.setTitle(report.title);
        writer.setResolution(1200);
        if (!report.pages.empty())
            writer.setPageLayout(ToPageLayout(SheetOf(report.pages.front())));
        QPainter painter;
        if (!painter.begin(&writer))
            throw VelorinError(QStringLiteral("Soubor PDF %1 nelze zapsat").arg(shown));
        const double pxPerMm = writer.resolution() / 25.4;
        for (int i = 0; i < total; ++i) {
            const PreparedPage& page = report.pages[size_t(i)];
            if (i > 0) {
                writer.setPageLayout(ToPageLayout(SheetOf(page)));
                writer.newPage();
            }
            PaintPage(page, painter, pxPerMm);
            if (progress && !progress(i + 1, total)) {
                painter.end();
                return false; // nothing has been written
            }
        }
        painter.end();
    }
    file.close();
    try {
        TextFile::WriteBytes(path, pdf);
    } catch (const TextFile::WriteError& e) {
        throw VelorinError(QStringLiteral("Soubor PDF %1 nelze zapsat: %2").arg(shown, e.reason()));
    }
    return true;
}
