#include "TestOrders.h"
#include "abo/AboReader.h"
#include "abo/AboWriter.h"
#include "common/Clock.h"
#include "common/TextFunctions.h"

#include <QTest>

namespace {

const QString kComment36 = QStringLiteral("Úhrada faktury č. 2022-117 za leden!");

AboOptions Options(const QString& profileId, bool attach = true, std::optional<bool> ascii = std::nullopt,
                   int fileNumber = 1) {
    AboOptions options;
    options.profile = &AboProfileById(profileId);
    options.attachComments = attach;
    options.ascii = ascii.value_or(options.profile->ascii);
    options.fileNumber = fileNumber;
    return options;
}

} // namespace

class TestAboProfiles : public QObject {
    Q_OBJECT
    SeamGuard m_today;

private slots:
    void initTestCase() { m_today = Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { m_today.restore(); }

    void profileTexts_data();
    void profileTexts();
    void examplesReadBack_data();
    void examplesReadBack();
    void standardProfileIsTheDefault();
    void smallAmountsSumExactly();
    void messageCutAfterMarker_data();
    void messageCutAfterMarker();
    void ascii_data();
    void ascii();
    void asciiFileIsAscii();
    void readBackNamesTheField();
    void handEditsCaught_data();
    void handEditsCaught();
};

// The several-items example in each bank's form: what differs from the default is in the file
// record and the item records.
void TestAboProfiles::profileTexts_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("fileRecord");
    QTest::addColumn<QString>("bankSymbols"); // of both items
    QTest::addColumn<QString>("message");
    QTest::newRow("Standardní") << "Standardni"
                                << "1 1501 001001 0800"
                                << "0003000308|0001000000"
                                << "Nájem leden";
    QTest::newRow("Fio banka") << "Fio"
                               << "1 1501 001000 0800"
                               << "03000308|01000000"
                               << "AV:Nájem leden";
    QTest::newRow("ČSOB") << "CSOB"
                          << "1 1501 001001 0800"
                          << "0003000308|0001000000"
                          << "Nájem leden";
    QTest::newRow("Komerční banka") << "KB"
                                    << "1 1501 001001 0800"
                                    << "03000308|01000000"
                                    << "AV:Najem leden";
}

void TestAboProfiles::profileTexts() {
    QFETCH(QString, profile);
    QFETCH(QString, fileRecord);
    QFETCH(QString, bankSymbols);
    QFETCH(QString, message);
    const QStringList symbols = bankSymbols.split(QLatin1Char('|'));
    const QStringList expected{"UHL1070122Firma Alfa          0000123456001001000000000000",
                               fileRecord,
                               "2 000035-0123456789 00000000175050 100122",
                               "000000-0987654321 000000150000 0002022001 " + symbols[0] + " 0000000000 " + message,
                               "000012-3456789012 000000025050 0000000000 " + symbols[1] + " 0000000077 ",
                               "3 +",
                               "5 +"};
    QCOMPARE(BuildAboText(AboExampleOrder(true), AboExampleSettings(), Options(profile)), expected);
}

void TestAboProfiles::examplesReadBack_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("withRow2");
    QTest::addColumn<QString>("groupRecord");
    for (const AboBankProfile& p : AboBankProfiles()) {
        const QString id = QLatin1String(p.id);
        QTest::addRow("%s, several items", p.id) << id << true << "2 000035-0123456789 00000000175050 100122";
        QTest::addRow("%s, one item", p.id)
            << id << false << (id == "CSOB" ? "2 00000000150000 100122" : "2  00000000150000 100122");
    }
}

void TestAboProfiles::examplesReadBack() {
    QFETCH(QString, profile);
    QFETCH(bool, withRow2);
    QFETCH(QString, groupRecord);
    const Settings s = AboExampleSettings();
    const PaymentOrder order = AboExampleOrder(withRow2);
    const AboOptions options = Options(profile);
    const QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(lines[2], groupRecord);

    const AboReadResult read = ReadAboText(lines, *options.profile);
    QVERIFY2(read.ok(), qPrintable(read.problem));
    QCOMPARE(AboOrderDifference(read.file, order, s, options), QString());
    QCOMPARE(read.file.totalHalers, withRow2 ? 175050 : 150000);
    QCOMPARE(read.file.items[0].message, options.ascii ? QStringLiteral("Najem leden") : QStringLiteral("Nájem leden"));
}

void TestAboProfiles::standardProfileIsTheDefault() {
    const Settings s = AboExampleSettings();
    for (bool withRow2 : {true, false}) {
        // Another file number changes nothing in the default profile: it always writes 001.
        QCOMPARE(BuildAboText(AboExampleOrder(withRow2), s, Options("Standardni", true, false, 7)),
                 BuildAboText(AboExampleOrder(withRow2), s, true));
    }
    QCOMPARE(&AboProfileById(QStringLiteral("neznámá")), &StandardAboProfile());
}

// Amounts whose halers are no exact binary fractions.
void TestAboProfiles::smallAmountsSumExactly() {
    const Settings s = AboExampleSettings();
    PaymentOrder order;
    order.OrderDate = QStringLiteral("31.12.2022");
    order.Items[0] = Item("1", "0100", "0,29");
    order.Items[1] = Item("2", "0100", "1,15");
    order.Items[2] = Item("3", "0100", "4,35");
    order.Items[3] = Item("4", "0100", "19,99");
    order.Total = 0.29 + 1.15 + 4.35 + 19.99;
    for (const AboBankProfile& profile : AboBankProfiles()) {
        const QStringList lines = BuildAboText(order, s, Options(QLatin1String(profile.id)));
        QCOMPARE(lines[2], QStringLiteral("2 000035-0123456789 00000000002578 311222"));
        const AboReadResult read = ReadAboText(lines, profile);
        QVERIFY2(read.ok(), qPrintable(read.problem));
        QList<qint64> halers;
        for (const AboReadItem& item : read.file.items)
            halers << item.halers;
        QCOMPARE(halers, (QList<qint64>{29, 115, 435, 1999}));
        QCOMPARE(read.file.totalHalers, 2578);
    }
}

void TestAboProfiles::messageCutAfterMarker_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("ascii");
    QTest::addColumn<QString>("expectedTail");
    QCOMPARE(kComment36.size(), 36);
    const QString cut = kComment36.left(35);
    QTest::newRow("Standardní") << "Standardni" << false << cut;
    QTest::newRow("Fio banka") << "Fio" << false << "AV:" + cut;
    QTest::newRow("Komerční banka") << "KB" << true << "AV:Uhrada faktury c. 2022-117 za leden";
}

void TestAboProfiles::messageCutAfterMarker() {
    QFETCH(QString, profile);
    QFETCH(bool, ascii);
    QFETCH(QString, expectedTail);
    Settings s = AboExampleSettings();
    s.NazevKlienta = QStringLiteral("Žluťoučký kůň s.r.o. a spol");
    PaymentOrder order = AboExampleOrder(true);
    order.Items[0].Comment = kComment36;
    const AboOptions options = Options(profile, true, ascii);
    const QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(lines[0].mid(10, 20),
             ascii ? QStringLiteral("Zlutoucky kun s.r.o.") : QStringLiteral("Žluťoučký kůň s.r.o."));
    QVERIFY(lines[3].endsWith(QLatin1Char(' ') + expectedTail));
    const AboReadResult read = ReadAboText(lines, *options.profile);
    QVERIFY2(read.ok(), qPrintable(read.problem));
    QCOMPARE(read.file.items[0].message.size(), 35);
    QCOMPARE(CheckAboText(lines, order, s, options), QString());
}

void TestAboProfiles::ascii_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pangram") << "Příliš žluťoučký kůň"
                             << "Prilis zlutoucky kun";
    QTest::newRow("spelt out") << "Łódź „citát“ – Straße"
                               << "Lodz \"citat\" - Strasse";
    QTest::newRow("signs spelt out") << "Platba € 100 § 5 ° – „x“ ‰"
                                     << "Platba EUR 100 par. 5 st. - \"x\" promile";
    QTest::newRow("no ASCII form stays") << "5 ☺"
                                         << "5 ☺";
}

void TestAboProfiles::ascii() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(AsciiText(text), expected);
}

// With "Bez diakritiky" the file holds printable ASCII alone, and the dialog can name what was replaced.
void TestAboProfiles::asciiFileIsAscii() {
    Settings s = AboExampleSettings();
    s.NazevKlienta = QStringLiteral("Žluťoučká § firma");
    PaymentOrder order = AboExampleOrder(true);
    order.Items[0].Comment = QStringLiteral("Platba € 100 § 5 ° – „x“ ‰ ☺\t");
    for (const char* profile : {"KB", "Standardni"}) {
        const AboOptions options = Options(profile, true, true);
        const QStringList lines = BuildAboText(order, s, options);
        for (const QString& line : lines)
            for (const QChar c : line)
                QVERIFY2(c.unicode() >= 0x20 && c.unicode() <= 0x7E, qPrintable(profile + (": " + line)));
        QCOMPARE(lines[0].mid(10, 20), QStringLiteral("Zlutoucka par. firma"));
        QCOMPARE(CheckAboText(lines, order, s, options), QString());
        QCOMPARE(AboAsciiReplacements(order, s, options),
                 (QStringList{"„§“ za „par.“", "„€“ za „EUR“", "„°“ za „st.“", "„–“ za „-“", "„„“ za „\"“",
                              "„““ za „\"“", "„‰“ za „promile“", "„☺“ za „?“", "„U+0009“ za „?“"}));
    }
    QCOMPARE(AboAsciiReplacements(order, s, Options("KB", true, false)), QStringList());
}

// A record the writer made from a row that cannot be one: the question names the row and its field.
void TestAboProfiles::readBackNamesTheField() {
    const Settings s = AboExampleSettings();
    const AboOptions options = Options("Standardni");
    PaymentOrder order = AboExampleOrder(true);
    order.Items[0].VariableSymbol = QStringLiteral("12.3");
    QCOMPARE(CheckAboText(BuildAboText(order, s, options), order, s, options),
             QStringLiteral("řádek 4 (položka 1): variabilní symbol 12.3 není číslo"));
    order = AboExampleOrder(true);
    order.Items[4] = order.Items[1];
    order.Items[1] = {};
    order.Items[4].SpecificSymbol = QStringLiteral("4-5");
    QCOMPARE(CheckAboText(BuildAboText(order, s, options), order, s, options),
             QStringLiteral("řádek 5 (položka 5): specifický symbol 4-5 není číslo"));
    order.Items[4].SpecificSymbol.clear();
    order.Items[4].Account = QStringLiteral("12 3456");
    QCOMPARE(CheckAboText(BuildAboText(order, s, options), order, s, options),
             QStringLiteral("řádek 5 (položka 5): číslo účtu „12 3456“ nemá tvar [předčíslí-]číslo"));
    order.Items[4].Account = QStringLiteral("12-3456789012");
    // Edited by hand, the record is named as it is.
    QStringList lines = BuildAboText(order, s, options);
    lines[4] = QStringLiteral("x") + lines[4];
    QCOMPARE(CheckAboText(lines, order, s, options), QStringLiteral("řádek 5: záznam položky nemá tvar ABO"));
}

// Edits by hand in the dialog's box: each is caught with the line that holds it.
void TestAboProfiles::handEditsCaught_data() {
    QTest::addColumn<QString>("profile");
    // 0-based line to replace, by as many lines as the replacement holds; -1 removes the last
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    const QString item1 = QStringLiteral("000000-0987654321 000000150000 0002022001 0003000308 0000000000 ");
    QTest::newRow("amount and total both changed")
        << "Standardni" << 2
        << "2 000035-0123456789 00000000165050 100122\n"
           "000000-0987654321 000000140000 0002022001 0003000308 0000000000 Nájem leden"
        << "řádek 4, položka 1: částka 1400,00 místo 1500,00";
    QTest::newRow("total no longer the sum") << "Standardni" << 2 << "2 000035-0123456789 00000000175051 100122"
                                             << "řádek 3: součet skupiny 1750,51 neodpovídá součtu položek 1750,50";
    QTest::newRow("message over 35") << "Standardni" << 3 << item1 + kComment36
                                     << "řádek 4: zpráva pro příjemce je delší než 35 znaků";
    QTest::newRow("a digit lost") << "Standardni" << 4
                                  << "000012-3456789012 00000025050 0000000000 0001000000 0000000077 "
                                  << "řádek 5: záznam položky nemá tvar ABO";
    QTest::newRow("payer's bank code") << "Standardni" << 1 << "1 1501 001001 0100"
                                       << "řádek 2: směrový kód banky plátce „0100“ místo „0800“";
    QTest::newRow("file end missing") << "Standardni" << -1 << ""
                                      << "řádek 7: chybí konec souboru „5 +“";
    QTest::newRow("item removed with its amount")
        << "Standardni" << 2 << "2 000035-0123456789 00000000150000 100122|" // '|' removes line 5
        << "řádek 5: položek je 1, v příkazu 2";
    QTest::newRow("Fio marker removed") << "Fio" << 3
                                        << "000000-0987654321 000000150000 0002022001 03000308 0000000000 Nájem leden"
                                        << "řádek 4: zpráva pro příjemce nezačíná „AV:“";
    QTest::newRow("file number outside the header's interval")
        << "KB" << 0 << "UHL1070122Firma Alfa          0000123456002002000000000000"
        << "řádek 2: číslo souboru 001 leží mimo rozsah 002 až 002 ze záhlaví";
    QTest::newRow("Fio branch") << "Fio" << 1 << "1 1501 001001 0800"
                                << "řádek 2: pobočka „001“ místo „000“";
}

void TestAboProfiles::handEditsCaught() {
    QFETCH(QString, profile);
    QFETCH(int, line);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    const Settings s = AboExampleSettings();
    const PaymentOrder order = AboExampleOrder(true);
    const AboOptions options = Options(profile);
    QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(CheckAboText(lines, order, s, options), QString());
    if (line == -1)
        lines.removeLast();
    else if (replacement.endsWith(QLatin1Char('|'))) {
        lines[line] = replacement.chopped(1);
        lines.removeAt(4);
    } else {
        const QStringList parts = replacement.split(QLatin1Char('\n'));
        for (int i = 0; i < parts.size(); ++i)
            lines[line + i] = parts[i];
    }
    QCOMPARE(CheckAboText(lines, order, s, options), expected);
}

QTEST_GUILESS_MAIN(TestAboProfiles)
#include "tst_aboprofiles.moc"
