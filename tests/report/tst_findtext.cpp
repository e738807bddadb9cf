#include "report/FindText.h"
#include "report/TextMetrics.h"

#include <QTest>

namespace {

PreparedText Run(const QString& box, const QString& text, double y) {
    PreparedText t;
    t.boxName = box;
    t.text = text;
    t.origin = QPointF(20, y);
    t.ascentMm = 3;
    t.descentMm = 1;
    return t;
}

// Page 3 (from 1) has no text at all.
PreparedReport Pages() {
    PreparedReport r;
    r.pages.resize(4);
    r.pages[0].texts = {Run("A", QStringLiteral("Žluťoučký kůň"), 20), Run("B", "row 1 and row 1", 30)};
    r.pages[1].texts = {Run("C", "ROW 2", 20), Run("D", "nic", 30)};
    r.pages[3].texts = {Run("E", "row 3", 20)};
    return r;
}

} // namespace

class TestFindText : public QObject {
    Q_OBJECT
private slots:
    void next_data();
    void next();
    void boundsOfTheFoundCharacters();
};

void TestFindText::next_data() {
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("afterPage"); // with afterText and afterPos the match searched after; -1: none
    QTest::addColumn<int>("afterText");
    QTest::addColumn<int>("afterPos");
    QTest::addColumn<QString>("box"); // where it is found; empty: not found
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pos");
    QTest::newRow("first") << "row" << -1 << -1 << -1 << "B" << 0 << 0;
    QTest::newRow("again in the same run") << "row" << 0 << 1 << 0 << "B" << 0 << 10;
    QTest::newRow("next page, other case") << "row" << 0 << 1 << 10 << "C" << 1 << 0;
    QTest::newRow("over a page without text") << "row" << 1 << 0 << 0 << "E" << 3 << 0;
    QTest::newRow("round to the first") << "row" << 3 << 0 << 0 << "B" << 0 << 0;
    QTest::newRow("a lone one again") << "row 2" << 1 << 0 << 0 << "C" << 1 << 0;
    QTest::newRow("within a run") << "1 and ROW" << -1 << -1 << -1 << "B" << 0 << 4;
    QTest::newRow("capitals with diacritics") << QStringLiteral("ŽLUŤOUČKÝ") << -1 << -1 << -1 << "A" << 0 << 0;
    QTest::newRow("capitals inside") << QStringLiteral("KŮŇ") << -1 << -1 << -1 << "A" << 0 << 10;
    QTest::newRow("diacritics count") << "zlutoucky" << -1 << -1 << -1 << "" << -1 << -1;
    QTest::newRow("not across runs") << QStringLiteral("kůň row") << -1 << -1 << -1 << "" << -1 << -1;
    QTest::newRow("nowhere") << "neexistuje" << 0 << 1 << 0 << "" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1 << -1 << "" << -1 << -1;
}

void TestFindText::next() {
    QFETCH(QString, needle);
    QFETCH(int, afterPage);
    QFETCH(int, afterText);
    QFETCH(int, afterPos);
    QFETCH(QString, box);
    QFETCH(int, page);
    QFETCH(int, pos);
    const PreparedReport report = Pages();
    TextMatch after;
    after.page = afterPage;
    after.text = afterText;
    after.pos = afterPos;
    const TextMatch m = FindText(report, needle, after);
    QCOMPARE(m.found(), !box.isEmpty());
    QCOMPARE(m.page, page);
    QCOMPARE(m.pos, pos);
    if (m.found())
        QCOMPARE(report.pages[size_t(m.page)].texts[size_t(m.text)].boxName, box);
}

void TestFindText::boundsOfTheFoundCharacters() {
    const PreparedReport report = Pages();
    const PreparedText& run = report.pages[0].texts[1];
    TextMatch first = FindText(report, "ROW");
    const TextMatch second = FindText(report, "ROW", first);
    QCOMPARE(first.boundsMm.left(), run.origin.x());
    QCOMPARE(second.boundsMm.left(), run.origin.x() + TextMetrics::WidthMm(run.font, "row 1 and "));
    QCOMPARE(second.boundsMm.width(), TextMetrics::WidthMm(run.font, "row"));
    QCOMPARE(second.boundsMm.top(), run.boundsMm().top());
    QCOMPARE(second.boundsMm.height(), run.boundsMm().height());
}

QTEST_MAIN(TestFindText)
#include "tst_findtext.moc"
