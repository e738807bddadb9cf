#include "invoice/InvoiceFile.h"

#include "common/TextFile.h"
#include "invoice/Isdoc.h"
#include "invoice/IsdocZip.h"
#include "invoice/QrDecode.h"
#include "invoice/Spayd.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

#include <poppler-qt6.h>

namespace InvoiceFile {

namespace {

InvoiceFindings Refused(const QString& problem) {
    InvoiceFindings found;
    found.Problem = problem;
    return found;
}

QString NothingFound(const QString& name, const QString& detail = {}) {
    return QStringLiteral("V souboru %1 nebyla nalezena platební data (ISDOC ani QR Platba).").arg(name) +
           (detail.isEmpty() ? QString() : u' ' + detail);
}

// What the QR codes of one picture or page give: the payments of the QR Platba codes; the problem
// of the first code that is one but cannot be taken, or that there is no QR Platba at all.
void TakeCodes(const QStringList& texts, InvoiceFindings& found, QString& codeProblem, bool& otherCode) {
    for (const QString& text : texts) {
        if (!Spayd::IsSpayd(text)) {
            otherCode = true;
            continue;
        }
        InvoiceFindings code = Spayd::Parse(text);
        if (code.Payments.empty() && codeProblem.isEmpty())
            codeProblem = code.Problem;
        for (InvoicePayment& p : code.Payments) {
            // The same code twice (printed on two pages) is one payment.
            const bool seen = std::any_of(found.Payments.begin(), found.Payments.end(), [&p](const InvoicePayment& q) {
                return q.Item == p.Item && q.DueDate == p.DueDate;
            });
            if (!seen)
                found.Payments.push_back(std::move(p));
        }
    }
}

void FinishCodes(InvoiceFindings& found, const QString& name, const QString& codeProblem, bool otherCode,
                 const QString& detail = {}) {
    if (!found.Payments.empty())
        return;
    if (!codeProblem.isEmpty())
        found.Problem = QStringLiteral("%1: %2").arg(name, codeProblem);
    else if (otherCode)
        found.Problem = NothingFound(name, QStringLiteral("QR kód v něm není QR Platba.") + detail);
    else
        found.Problem = NothingFound(name, detail.trimmed());
}

// Poppler writes its complaints about broken files to stderr; they are said to the user instead.
void QuietPoppler() {
    static const bool once = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    (void)once;
}

bool LooksLikeXml(const QByteArray& bytes) {
    QByteArray start = bytes.left(256);
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.mid(3);
    return start.trimmed().startsWith('<');
}

} // namespace

QString FileFilter() {
    return QStringLiteral("Faktury (*.isdoc *.isdocx *.pdf *.png *.jpg *.jpeg);;Všechny soubory (*)");
}

bool HasInvoiceExtension(const QString& path) {
    static const QStringList kExtensions = {QStringLiteral("isdoc"), QStringLiteral("isdocx"), QStringLiteral("pdf"),
                                            QStringLiteral("png"),   QStringLiteral("jpg"),    QStringLiteral("jpeg")};
    return kExtensions.contains(QFileInfo(path).suffix().toLower());
}

InvoiceFindings ReadPicture(const QImage& image, const QString& name) {
    InvoiceFindings found;
    QString codeProblem;
    bool otherCode = false;
    TakeCodes(QrDecode::Texts(image), found, codeProblem, otherCode);
    FinishCodes(found, name, codeProblem, otherCode);
    return found;
}

InvoiceFindings ReadPdf(const QByteArray& bytes, const QString& name) {
    QuietPoppler();
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::loadFromData(bytes);
    if (!doc)
        return Refused(QStringLiteral("Soubor %1 nelze otevřít jako PDF (je poškozený nebo to PDF není).").arg(name));
    if (doc->isLocked())
        return Refused(QStringLiteral("Soubor %1 je PDF chráněné heslem; nelze ho přečíst.").arg(name));
    // An ISDOC inside the PDF says exactly what the picture of the code says, and more.
    for (Poppler::EmbeddedFile* file : doc->embeddedFiles()) {
        const QString attached = file->name();
        // Unpacking is what could run out of memory: an attachment the PDF itself declares larger
        // than any invoice is left alone. (A file may understate it; Poppler unpacks only whole.)
        if (file->size() > kMaxFileBytes)
            continue;
        QByteArray xml;
        if (attached.endsWith(QLatin1String(".isdoc"), Qt::CaseInsensitive)) {
            xml = file->data();
        } else if (attached.endsWith(QLatin1String(".isdocx"), Qt::CaseInsensitive)) {
            QString ignored;
            xml = IsdocZip::ExtractIsdoc(file->data(), Isdoc::kMaxXmlBytes, &ignored).value_or(QByteArray());
        } else {
            continue;
        }
        InvoiceFindings isdoc = Isdoc::Read(xml, InvoiceText::kSourceIsdocInPdf);
        if (!isdoc.Payments.empty())
            return isdoc;
        // A valid invoice with nothing to pay is the answer; a broken attachment leaves the pages to look at.
        if (isdoc.IsInvoice)
            return Refused(QStringLiteral("%1 (ISDOC v PDF): %2").arg(name, isdoc.Problem));
    }
    doc->setRenderHint(Poppler::Document::Antialiasing, true);
    InvoiceFindings found;
    QString codeProblem;
    bool otherCode = false;
    const int pages = std::min(doc->numPages(), kMaxPdfPages);
    for (int i = 0; i < pages; ++i) {
        const std::unique_ptr<Poppler::Page> page = doc->page(i);
        if (!page)
            continue;
        // A page far larger than A4 gets fewer dots an inch, so that no page takes more memory than a poster would.
        constexpr double kMaxPixels = 40e6;
        const QSizeF inches = page->pageSizeF() / 72.0;
        const double area = std::max(inches.width() * inches.height(), 1.0);
        const double dpi = std::min(kRenderDpi, std::sqrt(kMaxPixels / area));
        TakeCodes(QrDecode::Texts(page->renderToImage(dpi, dpi)), found, codeProblem, otherCode);
    }
    const QString detail =
        doc->numPages() > kMaxPdfPages
            ? QStringLiteral(" Prohledáno bylo prvních %1 stran z %2.").arg(kMaxPdfPages).arg(doc->numPages())
            : QString();
    FinishCodes(found, name, codeProblem, otherCode, detail);
    return found;
}

InvoiceFindings ReadBytes(const QByteArray& bytes, const QString& name) {
    if (bytes.startsWith("%PDF") || bytes.left(1024).contains("%PDF-"))
        return ReadPdf(bytes, name);
    if (IsdocZip::LooksLikeZip(bytes)) {
        QString problem;
        const std::optional<QByteArray> xml = IsdocZip::ExtractIsdoc(bytes, Isdoc::kMaxXmlBytes, &problem);
        if (!xml)
            return Refused(QStringLiteral("%1: %2").arg(name, problem));
        InvoiceFindings found = Isdoc::Read(*xml);
        if (found.Payments.empty())
            found.Problem = QStringLiteral("%1: %2").arg(name, found.Problem);
        return found;
    }
    if (LooksLikeXml(bytes)) {
        InvoiceFindings found = Isdoc::Read(bytes);
        if (found.Payments.empty())
            found.Problem = QStringLiteral("%1: %2").arg(name, found.Problem);
        return found;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    if (reader.canRead()) {
        // A photo larger than this holds the code in enough pixels at half the size.
        constexpr int kMaxSide = 4000;
        QSize size = reader.size();
        if (size.isValid() && std::max(size.width(), size.height()) > kMaxSide)
            reader.setScaledSize(size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
        const QImage image = reader.read();
        if (image.isNull())
            return Refused(QStringLiteral("Obrázek %1 nelze přečíst: %2.").arg(name, reader.errorString()));
        return ReadPicture(image, name);
    }
    return Refused(QStringLiteral("Soubor %1 není faktura ISDOC, PDF ani obrázek PNG nebo JPEG.").arg(name));
}

InvoiceFindings Read(const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    QByteArray bytes;
    try {
        bytes = TextFile::ReadBytes(path, kMaxFileBytes);
    } catch (const TextFile::ReadError& e) {
        return Refused(e.message());
    }
    return ReadBytes(bytes, name);
}

} // namespace InvoiceFile
