#include "FakeHost.h"
#include "common/DialogHook.h"
#include "dialogs/QrPlatba_f.h"
#include "qr/QrPlatba.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
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
    if (!zbar.waitForFinished(30000))
        return QStringLiteral("zbarimg did not run");
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestQrPlatbaDialog : public QObject {
    Q_OBJECT
private slots:
    void init() {
        DialogHook::Activate();
        m_dir = std::make_unique<QTemporaryDir>();
        m_host = std::make_unique<FakeHost>();
        PaymentOrder& o = m_host->orderData;
        o.OrderDate = QStringLiteral("31.1.2025");
        o.FilePath = m_dir->filePath(QStringLiteral("2025001.ppu"));
        auto set = [&o](int row, const char* account, const char* bank, const char* amount, const char* comment,
                        const char* vs) {
            OrderItem& i = o.Items[size_t(row)];
            i.Account = QString::fromUtf8(account);
            i.BankCode = QString::fromUtf8(bank);
            i.Amount = QString::fromUtf8(amount);
            i.Comment = QString::fromUtf8(comment);
            i.VariableSymbol = QString::fromUtf8(vs);
        };
        set(0, "19-2000145399", "0800", "1250,00", "Nájem leden", "20250001");
        o.Items[0].ConstantSymbol = QStringLiteral("0308");
        set(1, "100036-2000145399", "0800", "99,50", "Záloha 50 % + DPH * 2", "");
        set(2, "1265098001", "5500", "100,00", "", "");
        set(3, "1265098001", "5500", "", "Bez částky", "");
    }
    void cleanup() {
        m_host.reset();
        m_dir.reset();
        DialogHook::Deactivate();
    }

    void showsCodeAndItsData() {
        TQrPlatba dialog(*m_host);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("QR Platba – položka 1"));
        QCOMPARE(dialog.Problem(), QString());
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("Qr_Kod")));
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
        // Selectable and copied as any text.
        edit->selectAll();
        edit->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), edit->text());
        // Large enough to scan from the screen: at least six pixels a module.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("Qr_Kod"))->height() >= 6 * 45);
    }

    // Saved pictures of three items read back by a QR reader give exactly their texts.
    void savedPngDecodes() {
        for (int row = 0; row < 3; ++row) {
            m_host->row = row;
            TQrPlatba dialog(*m_host);
            QVERIFY2(dialog.Problem().isEmpty(), qPrintable(dialog.Problem()));
            QCOMPARE(dialog.PaymentText(),
                     QrPlatba::SpaydText(m_host->orderData.Items[size_t(row)], m_host->orderData.OrderDate));
            const QString path = m_dir->filePath(QStringLiteral("kod%1.png").arg(row));
            DialogHook::PushFileName(path);
            dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->click();
            const QList<DialogHook::Record> records = DialogHook::Records();
            QCOMPARE(records.last().kind, QStringLiteral("save"));
            QCOMPARE(records.last().text, m_dir->filePath(QStringLiteral("2025001-polozka%1.png").arg(row + 1)));
            QCOMPARE(Decode(path), dialog.PaymentText());
        }
    }

    void savedSvgAndNamesWithoutSuffix() {
        TQrPlatba dialog(*m_host);
        auto* save = dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"));
        DialogHook::PushFileName(m_dir->filePath(QStringLiteral("kod.SVG")));
        save->click();
        const QByteArray svg = FileBytes(m_dir->filePath(QStringLiteral("kod.SVG")));
        QVERIFY(svg.startsWith("<?xml"));
        QVERIFY(svg.contains(">QR Platba</text>"));
        DialogHook::PushFileName(m_dir->filePath(QStringLiteral("kod")));
        save->click();
        QCOMPARE(Decode(m_dir->filePath(QStringLiteral("kod.png"))), dialog.PaymentText());
        // Cancelling writes nothing; a folder that does not exist fails with its name and keeps the dialog.
        const int files = int(QDir(m_dir->path()).entryList(QDir::Files).size());
        DialogHook::PushFileName(QString());
        save->click();
        QCOMPARE(int(QDir(m_dir->path()).entryList(QDir::Files).size()), files);
        const QString bad = m_dir->filePath(QStringLiteral("chybi/kod.png"));
        DialogHook::PushFileName(bad);
        DialogHook::ClearRecords();
        save->click();
        QCOMPARE(DialogHook::Records().last().kind, QStringLiteral("error"));
        QVERIFY(DialogHook::Records().last().text.contains(QDir::toNativeSeparators(bad)));
    }

    void copiedImageDecodes() {
        m_host->row = 1;
        TQrPlatba dialog(*m_host);
        QGuiApplication::clipboard()->clear();
        dialog.findChild<QPushButton*>(QStringLiteral("Tl_KopirovatObrazek"))->click();
        const QImage image = QGuiApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        const QString path = m_dir->filePath(QStringLiteral("schranka.png"));
        QVERIFY(image.save(path));
        QCOMPARE(Decode(path), dialog.PaymentText());
        QVERIFY(dialog.PaymentText().contains(QStringLiteral("*MSG:ZALOHA 50 %25 %2B DPH %2A 2*")));
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
        QCOMPARE(dialog.Problem(), reason);
        QCOMPARE(dialog.PaymentText(), QString());
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("Qr_Kod")));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("La_Duvod"))->text(),
                 QStringLiteral("Pro položku %1 nelze vytvořit QR Platbu.\n\n").arg(row + 1) + reason);
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Tl_Ulozit"))->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Tl_KopirovatObrazek"))->isEnabled());
        // Escape closes it.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void screenshot() {
        const QString folder = qEnvironmentVariable("VELORIN_SHOTS");
        if (folder.isEmpty())
            QSKIP("VELORIN_SHOTS not set");
        TQrPlatba dialog(*m_host);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(folder + QStringLiteral("/qr-platba.png")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
};

QTEST_MAIN(TestQrPlatbaDialog)
#include "tst_qrplatba_dialog.moc"
