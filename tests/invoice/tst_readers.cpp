#include "InvoiceSamples.h"
#include "invoice/InvoiceFile.h"
#include "invoice/Isdoc.h"
#include "invoice/Spayd.h"

#include <QBuffer>
#include <QTest>

using namespace InvoiceSamples;

Q_DECLARE_METATYPE(InvoiceSamples::Invoice)

namespace {

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// "account/bank amount VS due": one payment in a line, to compare whole.
QString Summary(const InvoiceFindings& found) {
    QStringList lines;
    for (const InvoicePayment& p : found.Payments)
        lines << QStringLiteral("%1/%2 %3 VS%4 KS%5 %6 %7 [%8]")
                     .arg(p.Item.Account, p.Item.BankCode, p.Item.Amount, p.Item.VariableSymbol, p.Item.ConstantSymbol,
                          p.DueDate.toString(Qt::ISODate), p.Source, p.Item.Comment);
    return lines.isEmpty() ? found.Problem : lines.join(u'\n');
}

const QString kSpayd = SpaydOf(QStringLiteral("19-2000145399"), QStringLiteral("0800"), QStringLiteral("1210,00"),
                               QStringLiteral("2026042"), QStringLiteral("Faktura FV-2026-042*elektřina"));
const QString kFromSpayd =
    QStringLiteral("19-2000145399/0800 1210,00 VS2026042 KS 2026-12-20 QR Platba [FAKTURA FV-2026-042*ELEKTRINA]");

} // namespace

class TestReaders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void isdoc_data() {
        QTest::addColumn<Invoice>("invoice");
        QTest::addColumn<QString>("expected"); // Summary(), or a part of the problem

        const QString one = QStringLiteral(
            "19-2000145399/0800 1210,00 VS2026042 KS0308 2026-12-15 ISDOC [Faktura FV-2026-042, Dodavatel s.r.o.]");
        QTest::newRow("one bank payment with account and bank code") << Invoice{} << one;
        Invoice v5;
        v5.version5 = true;
        QTest::newRow("the 5.x namespace") << v5 << one;

        Invoice ibanOnly;
        ibanOnly.payments[0].id.clear();
        ibanOnly.payments[0].bankCode.clear();
        ibanOnly.payments[0].iban = QStringLiteral("CZ6508000000192000145399");
        ibanOnly.payments[0].paid = QStringLiteral("0"); // the payable amount of the one bank payment
        QTest::newRow("only an IBAN, paid amount zero") << ibanOnly << one;

        Invoice two;
        two.payments[0].paid = QStringLiteral("600.5");
        two.payments << Payment{QStringLiteral("609.50"),     QStringLiteral("42"),
                                QStringLiteral("2027-01-15"), QStringLiteral("2000145399"),
                                QStringLiteral("0100"),       {},
                                QStringLiteral("2026042"),    {},
                                QStringLiteral("77")};
        QTest::newRow("two bank payments, two due dates")
            << two
            << QStringLiteral("19-2000145399/0800 600,50 VS2026042 KS0308 2026-12-15 ISDOC [Faktura FV-2026-042, "
                              "Dodavatel s.r.o.]\n2000145399/0100 609,50 VS2026042 KS 2027-01-15 ISDOC [Faktura "
                              "FV-2026-042, Dodavatel s.r.o.]");

        Invoice zero;
        zero.payable = QStringLiteral("0.00");
        zero.payments[0].paid = QStringLiteral("0.00");
        QTest::newRow("zero payable amount") << zero << QStringLiteral("nemá nic k zaplacení");

        Invoice cash;
        cash.payments[0].code = QStringLiteral("10");
        QTest::newRow("cash only") << cash << QStringLiteral("neplatí převodem na účet");

        Invoice abroad = ibanOnly;
        abroad.payments[0].iban = QStringLiteral("DE89370400440532013000");
        QTest::newRow("an account that is not Czech") << abroad << QStringLiteral("DE89370400440532013000 není český");
    }

    // Every invoice is valid ISDOC; the reader takes exactly what it says about paying.
    void isdoc() {
        QFETCH(Invoice, invoice);
        QFETCH(QString, expected);
        QCOMPARE(SchemaErrors(invoice), QString());
        const InvoiceFindings found = Isdoc::Read(IsdocXml(invoice));
        QVERIFY2(Summary(found).contains(expected), qPrintable(Summary(found)));
        QCOMPARE(found.Payments.empty(), !found.Problem.isEmpty());
    }

    void isdocNamesForeignCurrency() {
        Invoice euro;
        euro.foreignCurrency = QStringLiteral("EUR");
        QCOMPARE(SchemaErrors(euro), QString());
        const InvoiceFindings found = Isdoc::Read(IsdocXml(euro));
        QCOMPARE(found.Payments.size(), size_t(1));
        // The amount is in the local currency; the invoice's own currency is named.
        QCOMPARE(found.Payments[0].Currency, QStringLiteral("CZK"));
        QCOMPARE(found.Payments[0].Notes,
                 QStringList{QStringLiteral("Faktura je vystavena v cizí měně EUR; částka je v měně CZK.")});
        QVERIFY(!InvoiceText::IsForeignCurrency(QStringLiteral("CZK"), QStringLiteral("Kč")));
        QVERIFY(InvoiceText::IsForeignCurrency(QStringLiteral("EUR"), QStringLiteral("Kč")));
    }

    // Each file kind goes its own way and gives the same payment.
    void fileKinds() {
        const QByteArray xml = IsdocXml(Invoice{});
        const QString fromIsdoc = Summary(Isdoc::Read(xml));
        QCOMPARE(Summary(InvoiceFile::ReadBytes(Zip(QStringLiteral("FV-2026-042.isdoc"), xml), QStringLiteral("f"))),
                 fromIsdoc);
        // The attachment wins over the code on the page.
        const QByteArray attached = AttachToPdf(Pdf(2, kSpayd), QStringLiteral("FV-2026-042.isdoc"), xml);
        QCOMPARE(Summary(InvoiceFile::ReadBytes(attached, QStringLiteral("f"))),
                 QString(fromIsdoc).replace(QStringLiteral(" ISDOC "), QStringLiteral(" ISDOC v PDF ")));
        QCOMPARE(Summary(InvoiceFile::ReadBytes(Pdf(2, kSpayd), QStringLiteral("f"))), kFromSpayd);
        QCOMPARE(Summary(InvoiceFile::ReadBytes(Png(QrPicture(kSpayd)), QStringLiteral("f"))), kFromSpayd);
    }

    void badInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("XML not well-formed")
            << QByteArray("<Invoice xmlns=\"http://isdoc.cz/namespace/2013\"><ID>1</Invoice>")
            << QStringLiteral("bad.isdoc: Soubor není platné XML (řádek 1");
        QTest::newRow("XML that is not ISDOC")
            << QByteArray("<?xml version=\"1.0\"?><html/>") << QStringLiteral("bad.isdoc: Soubor není faktura ISDOC");
        QTest::newRow("entities of a DTD")
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY b \"bbbbbbbb\">]><a>&b;&b;</a>")
            << QStringLiteral("DTD");
        QTest::newRow("ZIP without an .isdoc")
            << Zip(QStringLiteral("readme.txt"), "text") << QStringLiteral("neobsahuje fakturu ISDOC");
        QTest::newRow("ZIP bomb") << Zip(QStringLiteral("faktura.isdoc"), QByteArray(Isdoc::kMaxXmlBytes + 1, ' '))
                                  << QStringLiteral("je po rozbalení větší než 16 MB");
        QTest::newRow("PDF that cannot be opened")
            << QByteArray("%PDF-1.7\n1 0 obj broken") << QStringLiteral("bad.isdoc nelze otevřít jako PDF");
        QTest::newRow("PDF of hundreds of pages")
            << Pdf(300)
            << QStringLiteral("nebyla nalezena platební data (ISDOC ani QR Platba). Prohledáno bylo prvních "
                              "5 stran z 300.");
        QTest::newRow("PDF page of five metres square")
            << Pdf(1, {}, QSizeF(5000, 5000)) << QStringLiteral("V souboru bad.isdoc nebyla nalezena");
        QTest::newRow("picture without a code")
            << Png(QImage(200, 200, QImage::Format_RGB32)) << QStringLiteral("V souboru bad.isdoc nebyla nalezena");
        QTest::newRow("code that is not QR Platba")
            << Png(QrPicture(QStringLiteral("https://www.example.cz/"))) << QStringLiteral("není QR Platba");
        QString badCrc = kSpayd;
        badCrc.replace(QStringLiteral("AM:1210.00"), QStringLiteral("AM:9210.00"));
        QTest::newRow("bad CRC") << Png(QrPicture(badCrc)) << QStringLiteral("(CRC32) nesouhlasí");
        QTest::newRow("account that is not Czech in a code")
            << Png(QrPicture(QStringLiteral("SPD*1.0*ACC:DE89370400440532013000*AM:10")))
            << QStringLiteral("DE89370400440532013000 v QR Platbě není český");
        QTest::newRow("something else") << QByteArray("\x00\x01garbage", 9)
                                        << QStringLiteral("není faktura ISDOC, PDF ani obrázek");
    }

    void badInput() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const InvoiceFindings found = InvoiceFile::ReadBytes(bytes, QStringLiteral("bad.isdoc"));
        QVERIFY(found.Payments.empty());
        QVERIFY2(found.Problem.contains(problem), qPrintable(found.Problem));
    }

    void spayd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the program's own code") << kSpayd << kFromSpayd;
        QTest::newRow("IBAN with BIC, no CRC, symbols, foreign currency named")
            << QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399+GIBACZPX*AM:5*CC:EUR*X-KS:308*X-SS:9*DT:20270101")
            << QStringLiteral("19-2000145399/0800 5,00 VS KS308 2027-01-01 QR Platba []");
        QTest::newRow("amount of three decimals")
            << QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1.005") << QStringLiteral("není kladné číslo");
        QTest::newRow("no account") << QStringLiteral("SPD*1.0*AM:100") << QStringLiteral("neobsahuje účet");
        QTest::newRow("unknown version") << QStringLiteral("SPD*2.0*ACC:CZ6508000000192000145399")
                                         << QStringLiteral("verzi „2.0“");
    }

    void spayd() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const InvoiceFindings found = Spayd::Parse(text);
        QVERIFY2(Summary(found).contains(expected), qPrintable(Summary(found)));
        if (text.contains(QLatin1String("CC:EUR")))
            QCOMPARE(found.Payments[0].Currency, QStringLiteral("EUR"));
    }
};

QTEST_MAIN(TestReaders)
#include "tst_readers.moc"
