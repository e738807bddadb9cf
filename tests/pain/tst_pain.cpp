#include "TestFiles.h"
#include "TestOrders.h"
#include "Xmllint.h"
#include "bank/BankRegister.h"
#include "bank/Iban.h"
#include "pain/PainDocument.h"
#include "pain/PainReader.h"

#include <QTest>

namespace {

PaymentOrder SixteenItems() {
    PaymentOrder order = AboExampleOrder(false);
    for (int row = 1; row < kItemCount; ++row)
        order.Items[std::size_t(row)] =
            Item(QStringLiteral("19-2000145399"), QStringLiteral("0800"), QStringLiteral("%1,25").arg(row * 100),
                 QString::number(row), {}, {}, QStringLiteral("Platba %1").arg(row));
    return order;
}

PainDocument Build(const PaymentOrder& order, PainProfile profile, int dayNumber = 1) {
    PainOptions options;
    options.profile = profile;
    options.created = QDateTime(QDate(2022, 1, 7), QTime(9, 30, 5));
    options.dayNumber = dayNumber;
    return BuildPainDocument(order, AboExampleSettings(), BankRegister::BuiltIn(), options);
}

QString Xml(const PainDocument& doc) {
    return QString::fromUtf8(doc.xml);
}

} // namespace

class TestPain : public QObject {
    Q_OBJECT
private slots:
    void schemaIsThePublishedOne() {
        QCOMPARE(PainSchemaBytes(), ReadAll(QStringLiteral(VELORIN_TREE_PAIN_XSD)));
        if (QStringLiteral(VELORIN_PUBLISHED_PAIN_XSD).isEmpty())
            QSKIP("the published schema does not lie beside the checkout");
        QCOMPARE(PainSchemaBytes(), ReadAll(QStringLiteral(VELORIN_PUBLISHED_PAIN_XSD)));
    }

    void documentsValidate_data() {
        QTest::addColumn<PaymentOrder>("order");
        QTest::addColumn<PainProfile>("profile");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("sum");
        for (const PainProfile p : {PainProfile::Cba, PainProfile::Sepa}) {
            const QByteArray name = PainProfileName(p).toUtf8();
            QTest::newRow(name + " two items") << AboExampleOrder(true) << p << "2"
                                               << "1750.50";
            QTest::newRow(name + " one item") << AboExampleOrder(false) << p << "1"
                                              << "1500.00";
            // 1500 + (100 + ... + 1500) + 15 x 0.25
            QTest::newRow(name + " sixteen items") << SixteenItems() << p << "16"
                                                   << "13503.75";
        }
    }

    // What the bank checks first: the schema (ours and xmllint's), the counts and the sum.
    void documentsValidate() {
        QFETCH(PaymentOrder, order);
        QFETCH(PainProfile, profile);
        QFETCH(QString, count);
        QFETCH(QString, sum);
        const PainDocument doc = Build(order, profile);
        QCOMPARE(PainSchemaProblem(doc.xml, doc.rows), QString());
        QCOMPARE(XmllintPainProblem(doc.xml), QString());
        QCOMPARE(CheckPainDocument(doc, order, AboExampleSettings(), profile), QString());
        const QString xml = Xml(doc);
        QCOMPARE(xml.count(QStringLiteral("<NbOfTxs>") + count + QStringLiteral("</NbOfTxs>")), 2);
        QCOMPARE(xml.count(QStringLiteral("<CtrlSum>") + sum + QStringLiteral("</CtrlSum>")), 2);
        QCOMPARE(xml.count(QStringLiteral("<CdtTrfTxInf>")), count.toInt());
        QVERIFY(xml.contains(QStringLiteral("<ReqdExctnDt>2022-01-10</ReqdExctnDt>")));
        const PainReadFile read = ReadPainDocument(doc.xml).file;
        QCOMPARE(read.debtorIban, CzechIban(QStringLiteral("35-123456789"), QStringLiteral("0800")));
        QCOMPARE(read.transfers.size(), count.toInt());
    }

    // The symbols where each profile puts them, the currency and SEPA's charge bearer.
    void symbolsInTheirPlaces() {
        const PaymentOrder order = AboExampleOrder(true);
        const QString cba = Xml(Build(order, PainProfile::Cba));
        for (const char* part : {"<EndToEndId>VS2022001</EndToEndId>", "<EndToEndId>NOTPROVIDED</EndToEndId>",
                                 "<Ref>VS:2022001</Ref>", "<Ref>KS:0308</Ref>", "<Ref>SS:77</Ref>",
                                 "<Ustrd>Nájem leden</Ustrd>", "<InstdAmt Ccy=\"CZK\">1500.00</InstdAmt>"})
            QVERIFY2(cba.contains(QString::fromUtf8(part)), part);
        QCOMPARE(cba.count(QStringLiteral("<Nm>Firma Alfa</Nm>")), 2); // the initiating party and the payer
        QVERIFY(!cba.contains(QStringLiteral("ChrgBr")));
        const QString sepa = Xml(Build(order, PainProfile::Sepa));
        for (const char* part : {"<EndToEndId>/VS2022001/KS0308</EndToEndId>", "<EndToEndId>/SS77</EndToEndId>",
                                 "<Ustrd>Najem leden</Ustrd>", "<InstdAmt Ccy=\"EUR\">250.50</InstdAmt>",
                                 "<ChrgBr>SLEV</ChrgBr>", "<Cd>SEPA</Cd>"})
            QVERIFY2(sepa.contains(QString::fromUtf8(part)), part);
        QVERIFY(!sepa.contains(QStringLiteral("<Ref>")));
    }

    // Escaping, diacritics, SEPA's characters and the schema's lengths, each named in the notes.
    void textRules() {
        PaymentOrder order = AboExampleOrder(true);
        order.Items[0].Comment = QStringLiteral("Příliš & <b> \"x\" 'y' € 5 %");
        order.Items[1].Comment = QString(141, QLatin1Char('k'));
        order.Items[1].VariableSymbol = QString(33, QLatin1Char('9')); // "VS:" makes 36
        const PainDocument cba = Build(order, PainProfile::Cba);
        QCOMPARE(CheckPainDocument(cba, order, AboExampleSettings(), PainProfile::Cba), QString());
        QVERIFY(Xml(cba).contains(
            QStringLiteral("<Ustrd>Příliš &amp; &lt;b&gt; &quot;x&quot; &apos;y&apos; € 5 %</Ustrd>")));
        QVERIFY(Xml(cba).contains(QStringLiteral("<Ustrd>") + QString(140, QLatin1Char('k')) + QStringLiteral("</")));
        QVERIFY(Xml(cba).contains(QStringLiteral("<Ref>VS:") + QString(32, QLatin1Char('9')) + QStringLiteral("</")));
        QCOMPARE(cba.notes, QStringList({"Řádek 2: zpráva pro příjemce – zkráceno na 140 znaků",
                                         "Řádek 2: symbol – zkráceno na 35 znaků"}));

        const PainDocument sepa = Build(order, PainProfile::Sepa);
        QCOMPARE(CheckPainDocument(sepa, order, AboExampleSettings(), PainProfile::Sepa), QString());
        QCOMPARE(XmllintPainProblem(sepa.xml), QString());
        QVERIFY(
            Xml(sepa).contains(QStringLiteral("<Ustrd>Prilis + (b) &apos;x&apos; &apos;y&apos; EUR 5 proc.</Ustrd>")));
        QVERIFY(sepa.notes.contains(
            QStringLiteral("Řádek 1: zpráva pro příjemce – znaky „&“, „<“, „>“, „\"“, „€“, „%“ zapsány jinak")));

        // A character outside the basic plane is one character of the 140 and is never split.
        const PainText emoji =
            PainFieldText(QString(139, QLatin1Char('a')) + QStringLiteral("😀😀"), kMax140, PainProfile::Cba);
        QVERIFY(emoji.cut);
        QCOMPARE(emoji.text, QString(139, QLatin1Char('a')) + QStringLiteral("😀"));
    }

    void messageIdsOfOneDayDiffer() {
        const PaymentOrder order = AboExampleOrder(true);
        QCOMPARE(PainMessageId(order, 1), QStringLiteral("2022001-1"));
        QVERIFY(Xml(Build(order, PainProfile::Cba, 2)).contains(QStringLiteral("<MsgId>2022001-2</MsgId>")));
        PaymentOrder longName = order;
        longName.FilePath = QStringLiteral("/tmp/") + QString(40, QLatin1Char('x')) + QStringLiteral(".ppu");
        QCOMPARE(PainMessageId(longName, 12).size(), 35);
        QVERIFY(PainMessageId(longName, 12).endsWith(QLatin1String("x-12")));
    }

    // A document spoilt after it was built: the schema or the read-back says which item.
    void spoiltDocumentsRefused() {
        const PaymentOrder order = AboExampleOrder(true);
        {
            const QByteArray iban = CzechIban(QStringLiteral("12-3456789012"), QStringLiteral("0100")).toLatin1();
            const SeamGuard seam = SetPainDocumentSeam(
                [&](QByteArray& xml) { xml.replace("<IBAN>" + iban + "</IBAN>", "<IBAN>12-3456789012</IBAN>"); });
            const PainDocument doc = Build(order, PainProfile::Cba);
            const QString problem = CheckPainDocument(doc, order, AboExampleSettings(), PainProfile::Cba);
            QVERIFY2(problem.startsWith(QStringLiteral("Soubor XML neodpovídá schématu pain.001.001.03: řádek ")),
                     qPrintable(problem));
            QVERIFY2(problem.contains(QStringLiteral("položka 2 (řádek 2 příkazu): Element 'IBAN'")),
                     qPrintable(problem));
        }
        const SeamGuard seam = SetPainDocumentSeam(
            [](QByteArray& xml) { xml.replace("<Ustrd>Nájem leden</Ustrd>", "<Ustrd>Nájem únor</Ustrd>"); });
        const PainDocument doc = Build(order, PainProfile::Cba);
        QCOMPARE(CheckPainDocument(doc, order, AboExampleSettings(), PainProfile::Cba),
                 QStringLiteral("Soubor XML neodpovídá příkazu: položka 1 (řádek 1 příkazu): zpráva pro příjemce "
                                "„Nájem únor“ místo „Nájem leden“"));
    }

    void exportProblems() {
        PaymentOrder order = AboExampleOrder(true);
        Settings settings = AboExampleSettings();
        QCOMPARE(PainExportProblem(order, settings), QString());
        order.Items[1].BankCode = QStringLiteral("80");
        QCOMPARE(PainExportProblem(order, settings),
                 QStringLiteral("Export XML nelze generovat. Účet příjemce „12-3456789012/80“ v řádku 2 nelze "
                                "zapsat jako IBAN."));
        order.Items[0].Amount.clear();
        order.Items[1].Account.clear();
        QCOMPARE(PainExportProblem(order, settings),
                 QStringLiteral("Export XML nelze generovat. Není vyplněna ani jedna platná položka s částkou k "
                                "platbě."));
        settings.CisloUctu.clear();
        QCOMPARE(PainExportProblem(order, settings),
                 QStringLiteral("Export XML nelze generovat. Není zadáno číslo účtu plátce."));
    }
};

QTEST_MAIN(TestPain)
#include "tst_pain.moc"
