#include "ReportTestSupport.h"
#include "TestFiles.h"

#include "common/Error.h"
#include "report/Composer.h"
#include "report/Renderer.h"
#include "report/Report.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportTest;

namespace {

// A 10 × 10 picture with one dark unit at column RecNo of its top row, and a full-width bar below.
VectorPicture RowPicture(int recNo) {
    VectorPicture p;
    p.size = QSizeF(10, 10);
    p.rects = {QRectF(recNo, 0, 1, 1), QRectF(0, 5, 10, 2)};
    return p;
}

// Three rows of 30 mm, each with a 40 × 20 mm picture box framed, and a box whose picture nobody gives.
ReportLayout PictureLayout() {
    ReportLayout l;
    Band& band = l.AddBand(BandKind::MasterData, 30);
    TextBox box = Box(QStringLiteral("Kod"), 20, 5, 40, 20, QStringLiteral("[a]"), QStringLiteral("LRTB"));
    box.picture = QStringLiteral("kod");
    band.boxes.push_back(box);
    TextBox none = Box(QStringLiteral("Nic"), 100, 5, 20, 20);
    none.picture = QStringLiteral("nic");
    band.boxes.push_back(none);
    l.rows.SetRangeEndCount(3);
    return l;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void picturesFitTheirBoxFollowTheRowsAndDraw() {
        Report r(PictureLayout());
        r.SetOnGetPicture([&r](const QString& name, VectorPicture& picture) {
            if (name == QLatin1String("kod"))
                picture = RowPicture(r.Rows().RecNo());
        });
        QVERIFY(r.PrepareReport());
        const PreparedPage& page = r.Prepared().pages.at(0);
        QCOMPARE(page.pictures.size(), size_t(3));
        for (int row = 0; row < 3; ++row) {
            const PreparedPicture& pic = page.pictures[size_t(row)];
            QCOMPARE(pic.boxName, QStringLiteral("Kod"));
            // Square in a 40 × 20 box: 20 mm high, centred across, 2 mm to the unit.
            const double top = 10 + row * 30 + 5;
            QCOMPARE(pic.areaMm, QRectF(40, top, 20, 20));
            QCOMPARE(pic.rectsMm, (std::vector<QRectF>{QRectF(40 + 2 * row, top, 2, 2), QRectF(40, top + 10, 20, 4)}));
        }
        // Without a handler nothing is drawn, and the frames are as they always were.
        Report plain(PictureLayout());
        QVERIFY(plain.PrepareReport());
        QVERIFY(plain.Prepared().pages.at(0).pictures.empty());
        QCOMPARE(plain.Prepared().pages.at(0).lines, page.lines);

        // Drawn at 10 pixels to the millimetre: row 1's unit at column 1 is dark, its neighbours light,
        // the bar dark right across and no further.
        const QImage img = RenderPageImage(page, 254);
        const int y = (10 + 30 + 5) * 10;
        QVERIFY(Dark(img, 430, y + 10) && !Dark(img, 410, y + 10) && !Dark(img, 450, y + 10));
        for (int x = 401; x < 600; x += 7)
            QVERIFY2(Dark(img, x, y + 120), qPrintable(QString::number(x)));
        QVERIFY(!Dark(img, 395, y + 120) && !Dark(img, 605, y + 120));
    }

    void savedWithPicturesReloads() {
        QTemporaryDir dir;
        Report r(PictureLayout());
        r.SetOnGetPicture([&r](const QString& name, VectorPicture& picture) {
            if (name == QLatin1String("kod"))
                picture = RowPicture(r.Rows().RecNo());
        });
        QVERIFY(r.PrepareReport());
        const QString path = dir.filePath(QStringLiteral("kody.vps"));
        PreparedReportFile::Save(r.Prepared(), path);
        QVERIFY(PreparedReportFile::Load(path) == r.Prepared());
        const QByteArray bytes = ReadAll(path);
        QCOMPARE(int(bytes[9]), 2);

        // A report without pictures keeps the older form, which earlier versions read.
        Report plain(PictureLayout());
        QVERIFY(plain.PrepareReport());
        const QString plainPath = dir.filePath(QStringLiteral("bez.vps"));
        PreparedReportFile::Save(plain.Prepared(), plainPath);
        QCOMPARE(int(ReadAll(plainPath)[9]), 1);
        QVERIFY(PreparedReportFile::Load(plainPath) == plain.Prepared());

        // A picture file read as the older form has bytes left over: refused as damaged, not misread.
        QByteArray older = bytes;
        older[9] = 1;
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(older);
        f.close();
        try {
            PreparedReportFile::Load(path);
            QFAIL("loaded");
        } catch (const VelorinError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("je poškozen")), qPrintable(e.message()));
        }
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
