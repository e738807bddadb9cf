#include "FakeHost.h"
#include "HostileText.h"
#include "common/DialogHook.h"
#include "dialogs/QrPlatba_f.h"
#include "qr/QrPlatba.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QString Decode(const QString& path) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), path});
    return zbar.waitForFinished(30000) ? QString::fromUtf8(zbar.readAllStandardOutput()).trimmed() : QString();
}

} // namespace

class TestQrPlatbaDialog : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;
private slots:
    void init() {
        m_dialogs = DialogHook::Activate();
        m_dir = std::make_unique<QTemporaryDir>();
        m_host = std::make_unique<FakeHost>();
        PaymentOrder& o = m_host->orderData;
        o.OrderDate = QStringLiteral("31.1.2025");
        o.FilePath = m_dir->filePath(QStringLiteral("2025001.ppu"));
        const char* rows[] = {"19-2000145399|0800|1250,00|20250001|0308||Nájem leden|",
                              "100036-2000145399|0800|99,50||||Záloha 50 % + DPH * 2|", "1265098001|5500|100,00|||||",
                              "1265098001|5500|||||Bez částky|"};
        for (int r = 0; r < 4; ++r)
            ReadRowText(QString::fromUtf8(rows[r]), o.Items[size_t(r)]);
    }
    void cleanup() {
        m_host.reset();
        m_dialogs.restore();
    }

    void showsCodeAndItsData() {
        TQrPlatba dialog(*m_host);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("QR Platba – položka 1"));
        auto text = [&](const char* name) { return dialog.findChild<QLabel*>(QLatin1String(name))->text(); };
        QCOMPARE(text("La_Prijemce"), QStringLiteral("19-2000145399/0800"));
        QCOMPARE(text("La_Iban"), QStringLiteral("CZ65 0800 0000 1920 0014 5399"));
        QCOMPARE(text("La_Castka"), QStringLiteral("1250,00 Kč"));
        QCOMPARE(text("La_Symboly"), QStringLiteral("VS: 20250001   KS: 0308"));
        QCOMPARE(text("La_Zprava"), QStringLiteral("Nájem leden"));
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Ed_Text"));
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->text(), QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*CC:CZK*DT:20250131*"
                                              "MSG:NAJEM LEDEN*X-VS:20250001*X-KS:0308*CRC32:31874959"));
        // Large enough to scan from the screen: six pixels a module at least.
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("Qr_Kod"))->sizeHint().height() >= 6 * 45);
    }

    // A bank outside the clearing still gets its code, with the warning above it; a known one none.
    void bankOutsideClearingWarns() {
        const auto warning = [](TQrPlatba& d) { return d.findChild<QLabel*>(QStringLiteral("La_Varovani")); };
        TQrPlatba known(*m_host);
        QVERIFY(warning(known)->isHidden());
        m_host->orderData.Items[2].BankCode = QStringLiteral("5800");
        m_host->row = 2;
        TQrPlatba outside(*m_host);
        QVERIFY(!outside.PaymentText().isEmpty());
        QVERIFY(!warning(outside)->isHidden());
        QCOMPARE(warning(outside)->text(),
                 QStringLiteral("Kód banky 5800 není v clearingu CERTIS; platba na tento účet nemusí projít."));
    }

    // Saved and copied pictures of three items, read back by a QR reader, give exactly their texts.
    void savedAndCopiedPicturesDecode() {
        for (int row = 0; row < 3; ++row) {
            m_host->row = row;
            TQrPlatba dialog(*m_host);
            QCOMPARE(dialog.PaymentText(),
                     QrPlatba::SpaydText(m_host->orderData.Items[size_t(row)], m_host->orderData.OrderDate));
            // A name without suffix becomes a PNG; the dialog proposes the order's name and the row.
            DialogHook::PushFileName(m_dir->filePath(QStringLiteral("kod%1").arg(row)));
            dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
            QCOMPARE(DialogHook::Records().last().text,
                     m_dir->filePath(QStringLiteral("2025001-polozka%1.png").arg(row + 1)));
            QCOMPARE(Decode(m_dir->filePath(QStringLiteral("kod%1.png").arg(row))), dialog.PaymentText());
        }
        TQrPlatba dialog(*m_host);
        dialog.findChild<QPushButton*>(QStringLiteral("Tl_KopirovatObrazek"))->click();
        const QString copied = m_dir->filePath(QStringLiteral("schranka.png"));
        QVERIFY(QGuiApplication::clipboard()->image().save(copied));
        QCOMPARE(Decode(copied), dialog.PaymentText());
    }

    void svgCancelAndFailedSave() {
        TQrPlatba dialog(*m_host);
        auto* save = dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"));
        DialogHook::PushFileName(m_dir->filePath(QStringLiteral("kod.SVG")));
        save->click();
        QFile svg(m_dir->filePath(QStringLiteral("kod.SVG")));
        QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains(">QR Platba</text>"));
        const qsizetype files = QDir(m_dir->path()).entryList(QDir::Files).size();
        DialogHook::PushFileName(QString());
        save->click();
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), files);
        // A folder that does not exist: the error names the file, the dialog stays.
        const QString bad = m_dir->filePath(QStringLiteral("chybi/kod.png"));
        DialogHook::PushFileName(bad);
        save->click();
        QCOMPARE(DialogHook::Records().last().kind, QStringLiteral("error"));
        QVERIFY(DialogHook::Records().last().text.contains(QDir::toNativeSeparators(bad)));
    }

    void rowWithoutCodeSaysWhy_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no amount") << 3 << "Kč"
                                   << "Položka nemá částku.";
        QTest::newRow("empty row") << 9 << "Kč"
                                   << "Položka nemá číslo účtu příjemce.";
        QTest::newRow("currency") << 0 << "EUR"
                                  << "QR Platba platí jen v korunách (Kč, CZK); měna v konfiguraci je „EUR“.";
    }
    void rowWithoutCodeSaysWhy() {
        QFETCH(int, row);
        QFETCH(QString, currency);
        QFETCH(QString, reason);
        m_host->row = row;
        m_host->settingsData.Mena = currency;
        TQrPlatba dialog(*m_host);
        QCOMPARE(dialog.PaymentText(), QString());
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("Qr_Kod")));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("La_Duvod"))->text(),
                 QStringLiteral("Pro položku %1 nelze vytvořit QR Platbu.\n\n").arg(row + 1) + reason);
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Tl_KopirovatObrazek"))->isEnabled());
    }

    // The item's comment and the order's date as the file holds them, shown as the characters.
    void labelsShowTheOrderAsText() {
        FifoTrap trap(m_dir->path());
        QVERIFY(trap.made());
        const QString red = QStringLiteral("<font size=6 color=red>ZAPLACENO</font>");
        m_host->orderData.Items[0].Comment = trap.picture();
        m_host->orderData.OrderDate = red;
        TQrPlatba dialog(*m_host);
        dialog.show();
        QCOMPARE(RedPixels(dialog.grab().toImage()), 0);
        QCOMPARE(trap.opens(), 0);
        for (const auto& [name, text] : {std::pair{"La_Zprava", trap.picture()}, std::pair{"La_Splatnost", red}}) {
            auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(label, name);
            QCOMPARE(ShownText(label->text(), label->textFormat()), text);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
};

QTEST_MAIN(TestQrPlatbaDialog)
#include "tst_qrplatba_dialog.moc"
