#include "abo/AboReader.h"
#include "abo/AboWriter.h"
#include "common/Clock.h"
#include "order/IniFile.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kComment36 = QStringLiteral("Úhrada faktury č. 2022-117 za leden!");

Settings ExampleSettings() {
    Settings s;
    s.NazevKlienta = QStringLiteral("Firma Alfa");
    s.CisloKlienta = QStringLiteral("123456");
    s.CisloUctu = QStringLiteral("35-123456789");
    s.SmerovyKod = QStringLiteral("0800");
    return s;
}

// The two example orders: rows 1 and 2, or row 1 alone.
PaymentOrder ExampleOrder(bool withRow2) {
    PaymentOrder order;
    order.OrderDate = QStringLiteral("10.1.2022");
    OrderItem& a = order.Items[0];
    a.Account = QStringLiteral("987654321");
    a.BankCode = QStringLiteral("0300");
    a.Amount = QStringLiteral("1500,00");
    a.VariableSymbol = QStringLiteral("2022001");
    a.ConstantSymbol = QStringLiteral("0308");
    a.Comment = QStringLiteral("Nájem leden");
    if (withRow2) {
        OrderItem& b = order.Items[1];
        b.Account = QStringLiteral("12-3456789012");
        b.BankCode = QStringLiteral("0100");
        b.Amount = QStringLiteral("250,50");
        b.SpecificSymbol = QStringLiteral("77");
    }
    order.Total = withRow2 ? 1750.50 : 1500.0;
    return order;
}

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

private slots:
    void initTestCase() { Clock::SetToday(QDate(2022, 1, 7)); }
    void cleanupTestCase() { Clock::SetToday(std::nullopt); }

    void profileTexts_data();
    void profileTexts();
    void examplesReadBack_data();
    void examplesReadBack();
    void standardProfileIsTheDefault();
    void smallAmountsSumExactly_data();
    void smallAmountsSumExactly();
    void messageCutAfterMarker_data();
    void messageCutAfterMarker();
    void ascii_data();
    void ascii();
    void fileNumberOfTheDay();
    void handEditsCaught_data();
    void handEditsCaught();
    void choicesInSettingsFile();
};

// The several-items example in each bank's form.
void TestAboProfiles::profileTexts_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("expected");
    const QString header = QStringLiteral("UHL1070122Firma Alfa          0000123456001001000000000000");
    const QString group = QStringLiteral("2 000035-0123456789 00000000175050 100122");
    const QStringList tail{"3 +", "5 +"};
    QTest::newRow("Standardní") << "Standardni"
                                << QStringList{header, "1 1501 001001 0800", group,
                                               "000000-0987654321 000000150000 0002022001 0003000308 0000000000 "
                                               "Nájem leden",
                                               "000012-3456789012 000000025050 0000000000 0001000000 0000000077 "} +
                                       tail;
    QTest::newRow("Fio banka") << "Fio"
                               << QStringList{header, "1 1501 001000 0800", group,
                                              "000000-0987654321 000000150000 0002022001 03000308 0000000000 "
                                              "AV:Nájem leden",
                                              "000012-3456789012 000000025050 0000000000 01000000 0000000077 "} +
                                      tail;
    QTest::newRow("ČSOB") << "CSOB"
                          << QStringList{header, "1 1501 001001 0800", group,
                                         "000000-0987654321 000000150000 0002022001 0003000308 0000000000 "
                                         "Nájem leden",
                                         "000012-3456789012 000000025050 0000000000 0001000000 0000000077 "} +
                                 tail;
    QTest::newRow("Komerční banka") << "KB"
                                    << QStringList{header, "1 1501 001001 0800", group,
                                                   "000000-0987654321 000000150000 0002022001 03000308 0000000000 "
                                                   "AV:Najem leden",
                                                   "000012-3456789012 000000025050 0000000000 01000000 0000000077 "} +
                                           tail;
}

void TestAboProfiles::profileTexts() {
    QFETCH(QString, profile);
    QFETCH(QStringList, expected);
    QCOMPARE(BuildAboText(ExampleOrder(true), ExampleSettings(), Options(profile)), expected);
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
    const Settings s = ExampleSettings();
    const PaymentOrder order = ExampleOrder(withRow2);
    const AboOptions options = Options(profile);
    const QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(lines[2], groupRecord);

    const AboReadResult read = ReadAboText(lines, *options.profile);
    QVERIFY2(read.ok(), qPrintable(read.problem));
    QCOMPARE(AboOrderDifference(read.file, order, s, options), QString());
    const AboReadFile& f = read.file;
    QCOMPARE(f.created, QDate(2022, 1, 7));
    QCOMPARE(f.due, QDate(2022, 1, 10));
    QCOMPARE(f.bankCode, QStringLiteral("0800"));
    QCOMPARE(f.oneItem, !withRow2);
    QCOMPARE(f.totalHalers, withRow2 ? 175050 : 150000);
    QCOMPARE(f.items.size(), withRow2 ? 2 : 1);
    const AboReadItem& first = f.items[0];
    QCOMPARE(first.payerAccount, withRow2 ? QString() : QStringLiteral("000035-0123456789"));
    QCOMPARE(first.account, QStringLiteral("000000-0987654321"));
    QCOMPARE(first.halers, 150000);
    QCOMPARE(first.variableSymbol, QStringLiteral("0002022001"));
    QCOMPARE(first.bankCode, QStringLiteral("0300"));
    QCOMPARE(first.constantSymbol, QStringLiteral("0308"));
    QCOMPARE(first.specificSymbol, QStringLiteral("0000000000"));
    QCOMPARE(first.message, options.ascii ? QStringLiteral("Najem leden") : QStringLiteral("Nájem leden"));
    if (withRow2) {
        QCOMPARE(f.items[1].account, QStringLiteral("000012-3456789012"));
        QCOMPARE(f.items[1].halers, 25050);
        QCOMPARE(f.items[1].specificSymbol, QStringLiteral("0000000077"));
        QCOMPARE(f.items[1].message, QString());
    }
    // A text of one bank is not taken as another's where their records differ.
    for (const AboBankProfile& other : AboBankProfiles()) {
        const bool sameRecords = other.bankSymbolWidth == options.profile->bankSymbolWidth &&
                                 QByteArray(other.branch) == options.profile->branch &&
                                 QByteArray(other.marker) == options.profile->marker &&
                                 (withRow2 || other.groupSpaces == options.profile->groupSpaces);
        QCOMPARE(ReadAboText(lines, other).ok(), sameRecords);
    }
}

void TestAboProfiles::standardProfileIsTheDefault() {
    const Settings s = ExampleSettings();
    for (bool withRow2 : {true, false}) {
        for (bool attach : {true, false}) {
            const PaymentOrder order = ExampleOrder(withRow2);
            // Another file number changes nothing in the default profile: it always writes 001.
            QCOMPARE(BuildAboText(order, s, Options("Standardni", attach, false, 7)), BuildAboText(order, s, attach));
        }
    }
    QCOMPARE(&AboProfileById(QString()), &StandardAboProfile());
    QCOMPARE(&AboProfileById(QStringLiteral("neznámá")), &StandardAboProfile());
    QCOMPARE(&AboProfileById(QStringLiteral("fio")), &AboBankProfiles()[1]);
}

void TestAboProfiles::smallAmountsSumExactly_data() {
    QTest::addColumn<QString>("profile");
    for (const AboBankProfile& p : AboBankProfiles())
        QTest::newRow(p.id) << QString::fromLatin1(p.id);
}

// Amounts whose halers are no exact binary fractions.
void TestAboProfiles::smallAmountsSumExactly() {
    QFETCH(QString, profile);
    const Settings s = ExampleSettings();
    PaymentOrder order;
    order.OrderDate = QStringLiteral("31.12.2022");
    const QStringList amounts{"0,29", "1,15", "4,35", "19,99"};
    for (int i = 0; i < amounts.size(); ++i) {
        order.Items[std::size_t(i)].Account = QString::number(1000 + i);
        order.Items[std::size_t(i)].BankCode = QStringLiteral("0100");
        order.Items[std::size_t(i)].Amount = amounts[i];
    }
    order.Total = 0.29 + 1.15 + 4.35 + 19.99;
    const AboOptions options = Options(profile);
    const QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(lines[2], QStringLiteral("2 000035-0123456789 00000000002578 311222"));
    const AboReadResult read = ReadAboText(lines, *options.profile);
    QVERIFY2(read.ok(), qPrintable(read.problem));
    QList<qint64> halers;
    for (const AboReadItem& item : read.file.items)
        halers << item.halers;
    QCOMPARE(halers, (QList<qint64>{29, 115, 435, 1999}));
    QCOMPARE(read.file.totalHalers, 29 + 115 + 435 + 1999);
    QCOMPARE(CheckAboText(lines, order, s, options), QString());
}

void TestAboProfiles::messageCutAfterMarker_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("ascii");
    QTest::addColumn<QString>("expectedTail");
    QCOMPARE(kComment36.size(), 36);
    const QString cut = kComment36.left(35);
    QTest::newRow("Standardní") << "Standardni" << false << cut;
    QTest::newRow("Standardní, ASCII") << "Standardni" << true << "Uhrada faktury c. 2022-117 za leden";
    QTest::newRow("Fio banka") << "Fio" << false << "AV:" + cut;
    QTest::newRow("ČSOB") << "CSOB" << false << cut;
    QTest::newRow("Komerční banka, diacritics kept") << "KB" << false << "AV:" + cut;
    QTest::newRow("Komerční banka") << "KB" << true << "AV:Uhrada faktury c. 2022-117 za leden";
}

void TestAboProfiles::messageCutAfterMarker() {
    QFETCH(QString, profile);
    QFETCH(bool, ascii);
    QFETCH(QString, expectedTail);
    const Settings s = ExampleSettings();
    PaymentOrder order = ExampleOrder(true);
    order.Items[0].Comment = kComment36;
    const AboOptions options = Options(profile, true, ascii);
    const QStringList lines = BuildAboText(order, s, options);
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
    QTest::newRow("capitals") << "ÚPĚL ĎÁBELSKÉ ÓDY Ň Ř Ť"
                              << "UPEL DABELSKE ODY N R T";
    QTest::newRow("spelt out") << "Łódź „citát“ – Straße"
                               << "Lodz \"citat\" - Strasse";
    QTest::newRow("no ASCII form stays") << "5 €"
                                         << "5 €";
    QTest::newRow("plain") << "FIRMA 1.A"
                           << "FIRMA 1.A";
}

void TestAboProfiles::ascii() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(AsciiText(text), expected);
}

void TestAboProfiles::fileNumberOfTheDay() {
    Settings s = ExampleSettings();
    s.NazevKlienta = QStringLiteral("Žluťoučký kůň s.r.o. a spol");
    const QStringList lines = BuildAboText(ExampleOrder(false), s, Options("KB", true, true, 2));
    QCOMPARE(lines[0], QStringLiteral("UHL1070122Zlutoucky kun s.r.o.0000123456002002000000000000"));
    QCOMPARE(lines[1], QStringLiteral("1 1501 002001 0800"));
    const AboReadResult read = ReadAboText(lines, AboProfileById("KB"));
    QVERIFY2(read.ok(), qPrintable(read.problem));
    QCOMPARE(read.file.fileNumber, 2);
    QCOMPARE(BuildAboText(ExampleOrder(false), s, Options("Fio", true, false, 12))[1],
             QStringLiteral("1 1501 012000 0800"));
    // A number outside the header's interval is caught.
    QStringList outside = lines;
    outside[0].replace(40, 6, QStringLiteral("001001"));
    QCOMPARE(ReadAboText(outside, AboProfileById("KB")).problem,
             QStringLiteral("řádek 2: číslo souboru 002 leží mimo rozsah 001 až 001 ze záhlaví"));
}

// Edits by hand in the dialog's box: each is caught with the line that holds it.
void TestAboProfiles::handEditsCaught_data() {
    QTest::addColumn<QString>("profile");
    // 0-based line to replace, by as many lines as the replacement holds; -1 appends, -2 removes the last
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
    QTest::newRow("variable symbol") << "Standardni" << 3
                                     << "000000-0987654321 000000150000 0002022002 0003000308 0000000000 Nájem leden"
                                     << "řádek 4, položka 1: variabilní symbol 0002022002 místo 0002022001";
    QTest::newRow("message") << "Standardni" << 3 << item1 + "Nájem únor"
                             << "řádek 4, položka 1: zpráva pro příjemce „Nájem únor“ místo „Nájem leden“";
    QTest::newRow("message over 35") << "Standardni" << 3 << item1 + kComment36
                                     << "řádek 4: zpráva pro příjemce je delší než 35 znaků";
    QTest::newRow("a digit lost") << "Standardni" << 4
                                  << "000012-3456789012 00000025050 0000000000 0001000000 0000000077 "
                                  << "řádek 5: záznam položky nemá tvar ABO";
    QTest::newRow("due date") << "Standardni" << 2 << "2 000035-0123456789 00000000175050 110122"
                              << "řádek 3: datum splatnosti 11.1.2022 místo 10.1.2022";
    QTest::newRow("no date") << "Standardni" << 2 << "2 000035-0123456789 00000000175050 320122"
                             << "řádek 3: datum splatnosti „320122“ není platné datum";
    QTest::newRow("payer's bank code") << "Standardni" << 1 << "1 1501 001001 0100"
                                       << "řádek 2: směrový kód banky plátce „0100“ místo „0800“";
    QTest::newRow("file end missing") << "Standardni" << -2 << ""
                                      << "řádek 7: chybí konec souboru „5 +“";
    QTest::newRow("text after the end") << "Standardni" << -1 << ""
                                        << "řádek 8: za koncem souboru „5 +“ je další text";
    QTest::newRow("item removed with its amount")
        << "Standardni" << 2 << "2 000035-0123456789 00000000150000 100122|" // '|' removes line 5
        << "řádek 5: položek je 1, v příkazu 2";
    QTest::newRow("Fio marker removed") << "Fio" << 3
                                        << "000000-0987654321 000000150000 0002022001 03000308 0000000000 Nájem leden"
                                        << "řádek 4: zpráva pro příjemce nezačíná „AV:“";
    QTest::newRow("Fio branch") << "Fio" << 1 << "1 1501 001001 0800"
                                << "řádek 2: pobočka „001“ místo „000“";
    QTest::newRow("header") << "CSOB" << 0 << "UHL1070122Firma Alfa"
                            << "řádek 1: záhlaví „UHL1“ nemá tvar ABO";
}

void TestAboProfiles::handEditsCaught() {
    QFETCH(QString, profile);
    QFETCH(int, line);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    const Settings s = ExampleSettings();
    const PaymentOrder order = ExampleOrder(true);
    const AboOptions options = Options(profile);
    QStringList lines = BuildAboText(order, s, options);
    QCOMPARE(CheckAboText(lines, order, s, options), QString());
    if (line == -1)
        lines << replacement;
    else if (line == -2)
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

void TestAboProfiles::choicesInSettingsFile() {
    QTemporaryDir dir;
    Settings s;
    s.ProgramFolder = dir.path() + QLatin1Char('/');
    const QString path = SettingsFilePath(s);
    IniFile::Write(path, QStringLiteral("Cizi"), QStringLiteral("Klic"), QStringLiteral("hodnota"));
    QCOMPARE(&ReadAboProfile(s), &StandardAboProfile());
    QCOMPARE(ReadAboAscii(s), std::nullopt);
    WriteAboProfile(s, AboProfileById(QStringLiteral("CSOB")));
    WriteAboAscii(s, true);
    QCOMPARE(ReadAboProfile(s).Name(), QStringLiteral("ČSOB"));
    QCOMPARE(ReadAboAscii(s), std::optional<bool>(true));

    const QDate day(2022, 1, 7);
    QCOMPARE(AboFilesExportedOn(s, day), 0);
    RecordAboFileExported(s, day, 1);
    RecordAboFileExported(s, day, 2);
    RecordAboFileExported(s, day, 1); // the same text saved again does not lower the count
    QCOMPARE(AboFilesExportedOn(s, day), 2);
    QCOMPARE(AboFilesExportedOn(s, day.addDays(1)), 0);
    RecordAboFileExported(s, day.addDays(1), 1);
    QCOMPARE(AboFilesExportedOn(s, day.addDays(1)), 1);
    QCOMPARE(IniFile::Read(path, QStringLiteral("GenerovaniABO"), QStringLiteral("SouboryDne")),
             std::optional<QString>(QStringLiteral("8.1.2022 1")));
    QCOMPARE(IniFile::Read(path, QStringLiteral("Cizi"), QStringLiteral("Klic")),
             std::optional<QString>(QStringLiteral("hodnota")));
}

QTEST_GUILESS_MAIN(TestAboProfiles)
#include "tst_aboprofiles.moc"
