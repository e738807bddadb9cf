#include "ReportTestSupport.h"

#include "TestModal.h"
#include "common/DialogHook.h"
#include "report/Nahled_f.h"
#include "report/PdfExport.h"
#include "report/Report.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

using namespace ReportTest;

// Prints through a CUPS scheduler of the test's own: its configuration, socket, spool and output
// in a folder of the test, a PDF queue (cups-pdf) as the printer, stopped by its process id at the
// end. cups-pdf reads its settings from one fixed file, so the scheduler runs in a mount namespace
// of its own in which that file is the test's.
namespace {

QString g_folder; // known before QApplication: libcups takes the server from the environment once

QString Output(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool finished = p.waitForFinished(30000);
    if (exitCode)
        *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

bool WriteFile(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

// The page's size in points as pdfinfo gives it.
QSizeF PageSizePt(const QString& pdf) {
    static const QRegularExpression re(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const QRegularExpressionMatch m = re.match(Output(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

constexpr int Dpi = 300;

QImage FirstPage(const QString& pdf) {
    const QString base = pdf + QStringLiteral("-page");
    Output(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
            QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

// The box of the dark pixels inside mm (millimetres from the sheet's top-left corner).
QRectF InkMm(const QImage& img, const QRectF& mm) {
    const double px = Dpi / 25.4;
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = std::max(0, int(mm.top() * px)); y < std::min(img.height(), int(mm.bottom() * px) + 1); ++y)
        for (int x = std::max(0, int(mm.left() * px)); x < std::min(img.width(), int(mm.right() * px) + 1); ++x)
            if (qGray(img.pixel(x, y)) < 140) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(QPointF(left / px, top / px), QPointF((right + 1) / px, (bottom + 1) / px));
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void formPrintsOnItsOwnPaperAtFullSize_data();
    void formPrintsOnItsOwnPaperAtFullSize();

private:
    bool addQueue(const QString& name, const QString& defaultPaper);
    QString waitForPrint(const QString& queue);

    QProcess m_cupsd;
    qint64 m_pid = 0;
};

void TestCupsPrint::initTestCase() {
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"});
    const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    if (cupsd.isEmpty() || !QFile::exists(ppd) || !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        QSKIP("cupsd or cups-pdf is not installed (packages cups, printer-driver-cups-pdf)");
    if (geteuid() != 0)
        QSKIP("the scheduler's own mount namespace and the cups-pdf backend need root");
    const QDir dir(g_folder);
    for (const char* sub : {"spool", "cache", "state", "log", "out", "pdfspool"})
        QVERIFY(dir.mkpath(QLatin1String(sub)));
    // The filters run as the scheduler's user lp, which must reach the spool.
    QFile::setPermissions(g_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                        QFileDevice::ExeGroup);
    QVERIFY(WriteFile(dir.filePath("cupsd.conf"), QStringLiteral("Listen %1/cups.sock\nLogLevel warn\nBrowsing No\n"
                                                                 "WebInterface No\nDefaultAuthType None\n")
                                                      .arg(g_folder)));
    QVERIFY(WriteFile(dir.filePath("cups-files.conf"),
                      QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                     "TempDir %1/spool\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                     "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                     "SystemGroup root\n")
                          .arg(g_folder)));
    QVERIFY(WriteFile(dir.filePath("cups-pdf.conf"),
                      QStringLiteral("Out %1/out\nAnonDirName %1/out\nSpool %1/pdfspool\nLog %1/log\n").arg(g_folder)));
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(QStringLiteral("unshare"),
                  {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                   QStringLiteral("sh"), QStringLiteral("-c"),
                   QStringLiteral("mount --bind \"$1\" /etc/cups/cups-pdf.conf && exec \"$2\" -f -c \"$3\" -s \"$4\""),
                   QStringLiteral("sh"), dir.filePath("cups-pdf.conf"), cupsd, dir.filePath("cupsd.conf"),
                   dir.filePath("cups-files.conf")});
    if (!m_cupsd.waitForStarted(5000))
        QSKIP("unshare cannot start the scheduler");
    m_pid = m_cupsd.processId();
    QElapsedTimer t;
    t.start();
    int rc = -1;
    while (t.elapsed() < 15000 && m_cupsd.state() == QProcess::Running) {
        Output(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &rc);
        if (rc == 0)
            break;
        QTest::qWait(100);
    }
    if (rc != 0)
        QSKIP("the test's own CUPS scheduler did not start (no mount namespace here?)");
}

void TestCupsPrint::cleanupTestCase() {
    if (m_pid > 0 && m_cupsd.state() == QProcess::Running) {
        ::kill(pid_t(m_pid), SIGTERM);
        if (!m_cupsd.waitForFinished(10000))
            ::kill(pid_t(m_pid), SIGKILL);
        m_cupsd.waitForFinished(5000);
    }
}

bool TestCupsPrint::addQueue(const QString& name, const QString& defaultPaper) {
    const QStringList add = {QStringLiteral("-p"),
                             name,
                             QStringLiteral("-E"),
                             QStringLiteral("-v"),
                             QStringLiteral("cups-pdf:/"),
                             QStringLiteral("-P"),
                             QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"),
                             QStringLiteral("-o"),
                             QStringLiteral("PageSize-default=") + defaultPaper};
    // A scheduler just started may still refuse a moment.
    QString out;
    for (int attempt = 0; attempt < 20; ++attempt) {
        int added = -1, made = -1;
        out = Output(QStringLiteral("lpadmin"), add, &added);
        out += Output(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}, &made);
        if (added == 0 && made == 0)
            return true;
        QTest::qWait(250);
    }
    qWarning("lpadmin: %s", qPrintable(out));
    return false;
}

// The PDF the queue wrote for the one job sent to it, once the job is done.
QString TestCupsPrint::waitForPrint(const QString& queue) {
    QElapsedTimer t;
    t.start();
    const QDir out(QDir(g_folder).filePath("out"));
    while (t.elapsed() < 90000) {
        const QStringList files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
        if (!files.isEmpty() && Output(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).trimmed().isEmpty())
            return out.filePath(files.front());
        QTest::qWait(200);
    }
    return {};
}

void TestCupsPrint::formPrintsOnItsOwnPaperAtFullSize_data() {
    QTest::addColumn<QString>("queueDefault");
    QTest::addColumn<QString>("picked"); // paper chosen in the print dialog; empty: left as it opens
    QTest::addColumn<QSizeF>("sheetPt");
    QTest::newRow("queue on A4") << "A4" << QString() << QSizeF(595, 842);
    QTest::newRow("queue on Letter") << "Letter" << QString() << QSizeF(595, 842);
    QTest::newRow("Letter picked in the dialog") << "A4"
                                                 << "Letter" << QSizeF(612, 792);
    // The properties open on the form's paper, so the queue's default is a choice there too.
    QTest::newRow("queue's Letter picked in the dialog") << "Letter"
                                                         << "Letter" << QSizeF(612, 792);
}

void TestCupsPrint::formPrintsOnItsOwnPaperAtFullSize() {
    QFETCH(QString, queueDefault);
    QFETCH(QString, picked);
    QFETCH(QSizeF, sheetPt);
    const QString queue = QStringLiteral("Velorin%1%2").arg(queueDefault, picked);
    QVERIFY(addQueue(queue, queueDefault));
    for (const QString& f : QDir(QDir(g_folder).filePath("out")).entryList(QDir::Files))
        QFile::remove(QDir(g_folder).filePath("out/" + f));
    qputenv("LPDEST", queue.toLatin1());

    Report r(ListLayout());
    r.Rows().SetRangeEndCount(30);
    RowSource* rows = &r.Rows();
    r.SetOnGetValue([rows](const QString& name, QString& value) {
        if (name == QLatin1String("a"))
            value = QStringLiteral("Řádek %1 ").arg(rows->RecNo()).repeated(3);
    });
    QVERIFY(r.PrepareReport());
    const QString exported = QDir(g_folder).filePath("exported.pdf");
    QVERIFY(ExportPdf(r.Prepared(), exported));

    PdfExportConfig pdf;
    TNahled preview(r.Prepared(), pdf, {});
    QCOMPARE(preview.Printer().printerName(), queue);
    bool pickedThere = false;
    QString shownFirst;
    ModalAction print([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        if (!picked.isEmpty()) {
            // The paper on the page tab of the printer's properties, as a user picks it there.
            ModalAction properties([&](QWidget* p) {
                if (auto* paper = p->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))) {
                    shownFirst = paper->currentText();
                    const int index = paper->findText(QStringLiteral("US ") + picked);
                    paper->setCurrentIndex(index);
                    pickedThere = index >= 0;
                }
                qobject_cast<QDialog*>(p)->accept();
            });
            if (auto* button = dialog->findChild<QPushButton*>(QStringLiteral("properties")))
                button->click();
        }
        dialog->accept();
    });
    preview.findChild<QAction*>(QStringLiteral("TB_Tisk"))->trigger();
    QVERIFY(print.happened());
    QCOMPARE(pickedThere, !picked.isEmpty());
    if (!picked.isEmpty())
        QCOMPARE(shownFirst, QStringLiteral("A4")); // the properties show the paper the print uses
    const QString printed = waitForPrint(queue);
    QVERIFY2(!printed.isEmpty(), "the queue wrote no PDF");

    const QSizeF size = PageSizePt(printed);
    QVERIFY2(std::abs(size.width() - sheetPt.width()) < 1.5 && std::abs(size.height() - sheetPt.height()) < 1.5,
             qPrintable(QStringLiteral("sheet %1 x %2 pt").arg(size.width()).arg(size.height())));
    // Word by word, the ink of the printed sheet lies where the exported page has it.
    const QImage want = FirstPage(exported);
    const QImage got = FirstPage(printed);
    QVERIFY(!want.isNull() && !got.isNull());
    int compared = 0;
    for (const PdfWord& w : PdfWords(exported)) {
        if (w.page != 0 || w.mm.bottom() > size.height() * 25.4 / 72 - 1)
            continue;
        const QRectF area = w.mm.adjusted(-0.5, -0.5, 0.5, 0.5);
        const QRectF a = InkMm(want, area), b = InkMm(got, area);
        QVERIFY2(!b.isEmpty(), qPrintable(QStringLiteral("nothing printed where \"%1\" is").arg(w.text)));
        const double off = std::max({std::abs(a.left() - b.left()), std::abs(a.right() - b.right()),
                                     std::abs(a.top() - b.top()), std::abs(a.bottom() - b.bottom())});
        QVERIFY2(off <= 0.2, qPrintable(QStringLiteral("\"%1\" printed %2 mm away").arg(w.text).arg(off)));
        ++compared;
    }
    QVERIFY(compared > 50);
}

int main(int argc, char** argv) {
    QTemporaryDir folder;
    g_folder = folder.path();
    qputenv("CUPS_SERVER", QDir(g_folder).filePath("cups.sock").toLocal8Bit());
    QApplication app(argc, argv);
    TestCupsPrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cupsprint.moc"
