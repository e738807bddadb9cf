#include "print/QrSheet.h"
#include "qr/QrPlatba.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

void SetItem(PaymentOrder& order, int row, const QString& account, const QString& bankCode, const QString& amount,
             const QString& comment = {}, const QString& vs = {}) {
    OrderItem& item = order.Items[size_t(row)];
    item.Account = account;
    item.BankCode = bankCode;
    item.Amount = amount;
    item.Comment = comment;
    item.VariableSymbol = vs;
}

// Six items with codes (rows 1, 3, 5, 7, 8, 9), one valid item without an amount (row 4) and an
// amount row without an account (row 6), which is no item to pay.
PaymentOrder SampleOrder() {
    PaymentOrder order;
    order.FilePath = QStringLiteral("/tmp/2025/2025001.ppu");
    order.OrderDate = QStringLiteral("31.1.2025");
    SetItem(order, 0, "19-2000145399", "0800", "1250,00", "Nájem leden", "20250001");
    order.Items[0].ConstantSymbol = QStringLiteral("0308");
    SetItem(order, 2, "100036-2000145399", "0800", "99,50", "Záloha 50 % + DPH * 2");
    SetItem(order, 3, "1265098001", "5500", "");
    SetItem(order, 4, "1265098001", "5500", "100,00");
    SetItem(order, 5, "", "", "12,00");
    SetItem(order, 6, "2000145399", "0800", "7,10", "Příliš žluťoučký kůň úpěl ďábelské ódy", "77");
    SetItem(order, 7, "1265098001", "5500", "9999999,99", QString(70, QLatin1Char('x')), "1234567890");
    SetItem(order, 8, "19-2000145399", "0800", "0,01");
    return order;
}

QStringList DecodePdfPage(const QString& pdf, int page, const QString& dir) {
    const QString prefix = QStringLiteral("%1/strana%2").arg(dir).arg(page);
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-singlefile"),
                  QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                  prefix});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return {QStringLiteral("pdftoppm failed")};
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), prefix + ".png"});
    if (!zbar.waitForFinished(60000))
        return {QStringLiteral("zbarimg failed")};
    QStringList texts = QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    texts.sort();
    return texts;
}

QStringList TextsOfBox(const PreparedPage& page, const QString& box) {
    QStringList out;
    for (const PreparedText& t : page.texts)
        if (t.boxName == box)
            out << t.text;
    return out;
}

} // namespace

class TestQrSheet : public QObject {
    Q_OBJECT
private slots:
    void pagesCarryReadableCodes() {
        const PaymentOrder order = SampleOrder();
        Settings settings;
        QrSheet sheet;
        QCOMPARE(sheet.Fill(order, settings), 6);
        QCOMPARE(sheet.SkippedRows().size(), size_t(1));
        QCOMPARE(sheet.SkippedRows()[0].row, 3);
        QVERIFY(sheet.report().PrepareReport());
        const PreparedReport& report = sheet.report().Prepared();
        QCOMPARE(report.pages.size(), size_t(2));
        QCOMPARE(report.pages[0].pictures.size(), size_t(5));
        QCOMPARE(report.pages[1].pictures.size(), size_t(1));
        QCOMPARE(TextsOfBox(report.pages[0], "Qr_Radek"),
                 QStringList({"Položka 1", "Položka 3", "Položka 5", "Položka 7", "Položka 8"}));
        const QStringList first = {TextsOfBox(report.pages[0], "Qr_Ucet")[0], TextsOfBox(report.pages[0], "Qr_Iban")[0],
                                   TextsOfBox(report.pages[0], "Qr_Castka")[0],
                                   TextsOfBox(report.pages[0], "Qr_Symboly")[0],
                                   TextsOfBox(report.pages[0], "Qr_Zprava")[0]};
        QCOMPARE(first, QStringList({"Účet příjemce: 19-2000145399/0800", "IBAN: CZ65 0800 0000 1920 0014 5399",
                                     "Částka: 1250,00 Kč", "VS: 20250001   KS: 0308", "Nájem leden"}));
        QCOMPARE(TextsOfBox(report.pages[1], "Qr_Vynechane"),
                 QStringList{"Položka 4 je bez QR kódu: Položka nemá částku."});

        QStringList expected[2];
        for (size_t i = 0; i < sheet.Entries().size(); ++i)
            expected[i < 5 ? 0 : 1] << QrPlatba::SpaydText(sheet.Entries()[i].item, order.OrderDate);
        QVERIFY(expected[0].contains(QStringLiteral(
            "SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*CC:CZK*DT:20250131*MSG:NAJEM LEDEN*X-VS:20250001*"
            "X-KS:0308*CRC32:31874959")));
        expected[0].sort();

        // Proven readable: the PDF's pages rendered and read back by a QR reader.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("kody.pdf"));
        QVERIFY(sheet.report().ExportToPdf(pdf));
        QCOMPARE(DecodePdfPage(pdf, 1, dir.path()), expected[0]);
        QCOMPARE(DecodePdfPage(pdf, 2, dir.path()), expected[1]);
    }

    void nothingToPrintSaysWhy() {
        PaymentOrder order = SampleOrder();
        Settings settings;
        settings.Mena = QStringLiteral("EUR");
        QrSheet sheet;
        QCOMPARE(sheet.Fill(order, settings), 0);
        QCOMPARE(sheet.NothingToPrintText(),
                 QStringLiteral("QR Platba platí jen v korunách (Kč, CZK); měna v konfiguraci je „EUR“."));

        settings.Mena = QStringLiteral("Kč");
        for (OrderItem& item : order.Items)
            item.Amount.clear();
        QCOMPARE(sheet.Fill(order, settings), 0);
        QVERIFY(sheet.NothingToPrintText().startsWith(
            QStringLiteral("Pro žádnou položku příkazu nelze vytvořit QR Platbu:\npoložka 1: Položka nemá částku.")));

        // A filled sheet does not keep the earlier rows.
        QCOMPARE(sheet.Fill(PaymentOrder{}, settings), 0);
        QCOMPARE(sheet.NothingToPrintText(), QStringLiteral("Příkaz neobsahuje ani jednu platnou položku k úhradě."));
        QVERIFY(sheet.SkippedRows().empty());
    }
};

QTEST_MAIN(TestQrSheet)
#include "tst_qrsheet.moc"
