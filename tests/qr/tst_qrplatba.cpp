#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "qr/QrCode.h"
#include "qr/QrPlatba.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

OrderItem Item(const QString& account, const QString& bankCode, const QString& amount, const QString& comment = {},
               const QString& vs = {}, const QString& ks = {}, const QString& ss = {}) {
    OrderItem item;
    item.Account = account;
    item.BankCode = bankCode;
    item.Amount = amount;
    item.Comment = comment;
    item.VariableSymbol = vs;
    item.ConstantSymbol = ks;
    item.SpecificSymbol = ss;
    return item;
}

// The texts of every code zbarimg finds in the image file.
QStringList Decode(const QString& path) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), path});
    if (!zbar.waitForFinished(30000))
        return {QStringLiteral("zbarimg did not run")};
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestQrPlatba : public QObject {
    Q_OBJECT
private slots:
    void checksumVectors() {
        using QrPlatba::Fields;
        QCOMPARE(QrPlatba::Crc32("SPD*1.0*ACC:CZ5855000000001265098001*AM:100.00*CC:CZK"), 0xAAD80227u);
        // The checksum is taken of the fields in the order of their keys, whatever order they are written in.
        const Fields fields = {{"ACC", "CZ6508000000192000145399"},
                               {"AM", "1250.00"},
                               {"CC", "CZK"},
                               {"DT", "20250131"},
                               {"MSG", "NAJEM LEDEN"},
                               {"X-VS", "20250001"},
                               {"X-KS", "0308"}};
        QCOMPARE(QrPlatba::CanonicalText(fields),
                 QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*CC:CZK*DT:20250131*MSG:NAJEM "
                                "LEDEN*X-KS:0308*X-VS:20250001"));
        QVERIFY(QrPlatba::ComposeText(fields).endsWith(QLatin1String("*X-VS:20250001*X-KS:0308*CRC32:31874959")));
    }

    void itemText_data() {
        QTest::addColumn<OrderItem>("item");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first vector: no date, comment or symbols")
            << Item("1265098001", "5500", "100,00") << QString()
            << "SPD*1.0*ACC:CZ5855000000001265098001*AM:100.00*CC:CZK*CRC32:AAD80227";
        QTest::newRow("second vector: date, message, symbols")
            << Item("19-2000145399", "0800", "1250,00", "Nájem leden", "20250001", "0308") << "31.1.2025"
            << "SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*CC:CZK*DT:20250131*MSG:NAJEM LEDEN*X-VS:20250001*"
               "X-KS:0308*CRC32:31874959";
        QTest::newRow("16-digit account, one decimal, date without leading zeros")
            << Item("100036-2000145399", "0800", "99,5") << "7.1.2022"
            << "SPD*1.0*ACC:CZ2708001000362000145399*AM:99.50*CC:CZK*DT:20220107*CRC32:F32C5B35";
        QTest::newRow("escaping, all three symbols")
            << Item("1265098001", "5500", "1,00", "Sleva 50% * 2 + DPH", "123", "0308", "456") << QString()
            << "SPD*1.0*ACC:CZ5855000000001265098001*AM:1.00*CC:CZK*MSG:SLEVA 50%25 %2A 2 %2B DPH*X-VS:123*X-SS:456*"
               "X-KS:0308*CRC32:A5F296D9";
        QTest::newRow("transliteration")
            << Item("1265098001", "5500", "1,00", "Příliš žluťoučký kůň úpěl ďábelské ódy") << "no date"
            << "SPD*1.0*ACC:CZ5855000000001265098001*AM:1.00*CC:CZK*MSG:PRILIS ZLUTOUCKY KUN UPEL DABELSKE ODY*"
               "CRC32:789F2E94";
        QTest::newRow("message cut at 60")
            << Item(" 1265098001 ", "5500", "1,00", "Úhrada faktury " + QString(60, QLatin1Char('x'))) << QString()
            << "SPD*1.0*ACC:CZ5855000000001265098001*AM:1.00*CC:CZK*MSG:UHRADA FAKTURY "
               "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX*CRC32:30D32441";
    }

    void itemText() {
        QFETCH(OrderItem, item);
        QFETCH(QString, date);
        QFETCH(QString, expected);
        QCOMPARE(QrPlatba::Problem(item, QStringLiteral("Kč")), QString());
        QCOMPARE(QrPlatba::SpaydText(item, date), expected);
    }

    // An amount with more than two decimals asks for the sum the ABO file carries.
    void amountRoundsAsAboFileDoes() {
        QCOMPARE(QrPlatba::SpaydAmount(QStringLiteral("0,145")), QStringLiteral("0.15"));
        QCOMPARE(QrPlatba::SpaydAmount(QStringLiteral("2,675")), QStringLiteral("2.68"));
        QCOMPARE(QrPlatba::SpaydAmount(QStringLiteral("12,344")), QStringLiteral("12.34"));
        QCOMPARE(QrPlatba::SpaydAmount(QStringLiteral("9999999,994")), QStringLiteral("9999999.99"));
        QCOMPARE(QrPlatba::SpaydAmount(QStringLiteral("9999999,995")), QString());
    }

    void valuesStayPlainAscii() {
        // Letters without a decomposition, typographic quotes and line breaks pasted from elsewhere.
        QCOMPARE(QrPlatba::SpaydValue(QStringLiteral("Łódź „ß“\r\n–")), QStringLiteral("LODZ \"SS\"  -"));
        QCOMPARE(QrPlatba::SpaydValue(QStringLiteral("€ ☺")), QStringLiteral("EUR ?"));
        const QString text = QrPlatba::SpaydText(
            Item("1265098001", "5500", "1,00", QString(59, QLatin1Char('a')) + QStringLiteral("*b")), {});
        // The written value holds at most sixty characters: an escape that does not fit is left out whole.
        QVERIFY(text.contains(QStringLiteral("*MSG:") + QString(59, QLatin1Char('A')) + QStringLiteral("*CRC32:")));
        QCOMPARE(text.count(QLatin1Char('*')), 6);
        const QString escapes = QrPlatba::SpaydMessage(QString(40, QLatin1Char('%')));
        QCOMPARE(escapes, QString(20, QLatin1Char('%')).replace(QStringLiteral("%"), QStringLiteral("%25")));
        QCOMPARE(QrPlatba::SpaydMessage(QStringLiteral("a") + QString(30, QLatin1Char('+'))).size(), 58);
    }

    // The code is made for an unknown bank or one outside the clearing, with a word of warning.
    void bankWarnings() {
        const BankRegister banks(
            {{"0800", "Česká spořitelna, a.s.", "GIBACZPX", true}, {"5800", "J&T BANKA, a.s.", "JTBPCZPP", false}});
        QCOMPARE(QrPlatba::BankWarning(Item("19-2000145399", "0800", "1,00"), banks), QString());
        QCOMPARE(QrPlatba::BankWarning(Item("19-2000145399", "0999", "1,00"), banks),
                 QStringLiteral("Kód banky 0999 není v seznamu bank; ověřte jej, než platbu odešlete."));
        QCOMPARE(QrPlatba::BankWarning(Item("19-2000145399", "5800", "1,00"), banks),
                 QStringLiteral("Kód banky 5800 není v clearingu CERTIS; platba na tento účet nemusí projít."));
        // A list without the clearing column says nothing of it.
        const BankRegister old({{"5800", "J&T BANKA, a.s.", "", false}});
        QCOMPARE(QrPlatba::BankWarning(Item("19-2000145399", "5800", "1,00"), old), QString());
        QCOMPARE(ItemWarnings(Item("19-2000145399", "5800", "1,00"), banks),
                 QStringList{QStringLiteral("Kód banky 5800 není v clearingu CERTIS")});
        const PaymentHint hint = DescribePayment(Item("19-2000145399", "5800", "1,00"), banks);
        QVERIFY(hint.Warning);
        QVERIFY(hint.Text.startsWith(QStringLiteral("J&T BANKA, a.s. · Kód banky 5800 není v clearingu CERTIS")));
    }

    void problems_data() {
        QTest::addColumn<OrderItem>("item");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("expected");
        const OrderItem good = Item("19-2000145399", "0800", "10,00");
        QTest::newRow("valid, Kč") << good << "Kč" << QString();
        QTest::newRow("valid, CZK") << good << " czk " << QString();
        QTest::newRow("currency") << good << "EUR"
                                  << "QR Platba platí jen v korunách (Kč, CZK); měna v konfiguraci je „EUR“.";
        QTest::newRow("no account") << Item("", "0800", "10,00") << "Kč"
                                    << "Položka nemá číslo účtu příjemce.";
        QTest::newRow("no amount") << Item("19-2000145399", "0800", "") << "Kč"
                                   << "Položka nemá částku.";
        QTest::newRow("amount no number") << Item("19-2000145399", "0800", "10.000,5") << "Kč"
                                          << "Částka „10.000,5“ není číslo.";
        QTest::newRow("amount zero") << Item("19-2000145399", "0800", "0,00") << "Kč"
                                     << "Částka musí být větší než nula.";
        // Less than half a haléř: the code would ask for 0.00.
        QTest::newRow("amount rounds to zero") << Item("19-2000145399", "0800", "0,004") << "Kč"
                                               << "Částka musí být větší než nula.";
        QTest::newRow("amount too large") << Item("19-2000145399", "0800", "10000000,00") << "Kč"
                                          << "Částka je pro QR Platbu příliš velká (nejvýše 9 999 999,99).";
        QTest::newRow("account checksum") << Item("19-2000145398", "0800", "10,00") << "Kč"
                                          << "Číslo účtu nemá platný kontrolní součet.";
        QTest::newRow("bank code") << Item("19-2000145399", "80", "10,00") << "Kč"
                                   << "Směrový kód „80“ není čtyřmístné číslo banky.";
        // The key filter lets "." and "-" through, and Ctrl+V an eleventh digit: no code carries them.
        QTest::newRow("variable symbol with a dot")
            << Item("19-2000145399", "0800", "10,00", {}, "12.3") << "Kč"
            << "Variabilní symbol „12.3“ smí mít nejvýše 10 číslic a nic jiného.";
        QTest::newRow("specific symbol with a dash")
            << Item("19-2000145399", "0800", "10,00", {}, {}, {}, "4-5") << "Kč"
            << "Specifický symbol „4-5“ smí mít nejvýše 10 číslic a nic jiného.";
        QTest::newRow("eleven digits") << Item("19-2000145399", "0800", "10,00", {}, "12345678901") << "Kč"
                                       << "Variabilní symbol „12345678901“ smí mít nejvýše 10 číslic a nic jiného.";
    }

    void problems() {
        QFETCH(OrderItem, item);
        QFETCH(QString, currency);
        QFETCH(QString, expected);
        QCOMPARE(QrPlatba::Problem(item, currency), expected);
        // A row that cannot have a code never gets a text, whatever the currency.
        if (!QrPlatba::Problem(item, QStringLiteral("Kč")).isEmpty())
            QCOMPARE(QrPlatba::SpaydText(item, QStringLiteral("1.1.2025")), QString());
    }

    void pictureDecodes() {
        QTemporaryDir dir;
        const QStringList texts = {
            QrPlatba::SpaydText(Item("1265098001", "5500", "100,00"), {}),
            QrPlatba::SpaydText(Item("19-2000145399", "0800", "1250,00", "Nájem leden", "20250001", "0308"),
                                QStringLiteral("31.1.2025")),
            QrPlatba::SpaydText(Item("100036-2000145399", "0800", "9999999,99", QString(60, QLatin1Char('%')),
                                     "1234567890", "9999", "1234567890"),
                                QStringLiteral("31.12.2099")),
        };
        for (int i = 0; i < texts.size(); ++i) {
            const std::optional<QrCode> code = QrCode::Encode(texts[i]);
            QVERIFY(code);
            QCOMPARE(code->extent(), code->size() + 8);
            const QImage image = QrPlatbaPicture::Image(*code, 4);
            QCOMPARE(image.size(), QrPlatbaPicture::ImageSize(*code, 4));
            // The quiet zone is white all round the code.
            for (int p = 0; p < code->extent() * 4; ++p)
                for (const QPoint pt : {QPoint(p, 0), QPoint(0, p), QPoint(p, image.height() - 1),
                                        QPoint(code->extent() * 4 - 1, p), QPoint(15, p), QPoint(p, 15)})
                    QCOMPARE(image.pixel(pt), qRgb(255, 255, 255));
            const QString path = dir.filePath(QStringLiteral("code%1.png").arg(i));
            QVERIFY(image.save(path));
            QCOMPARE(Decode(path), QStringList{texts[i]});
            // The SVG holds the same rectangles, one path command each.
            const QByteArray svg = QrPlatbaPicture::Svg(*code);
            QCOMPARE(svg.count("v1h-"), qsizetype(code->darkRects().size()));
            QVERIFY(svg.contains(QByteArray::number(code->darkRects()[0].x()) + ' ' +
                                 QByteArray::number(code->darkRects()[0].y()) + 'h'));
        }
    }
};

QTEST_MAIN(TestQrPlatba)
#include "tst_qrplatba.moc"
