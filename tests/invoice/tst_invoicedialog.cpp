#include "../dialogs/FakeHost.h"
#include "AppFixture.h"
#include "InvoiceSamples.h"
#include "app/OrderGrid.h"
#include "dialogs/PlatbyZFaktur_f.h"
#include "dialogs/RowFill.h"
#include "invoice/InvoiceFile.h"

#include <QMimeData>
#include <QTableView>

using namespace InvoiceSamples;

namespace {

OrderItem Item(const QString& account, const QString& amount = QStringLiteral("1,00")) {
    OrderItem item;
    item.Account = account;
    item.BankCode = QStringLiteral("0800");
    item.Amount = amount;
    return item;
}

// A fake main window with an order on disk whose rows 0 and 2 are filled.
struct Host : FakeHost {
    QTemporaryDir dir;
    Host() {
        orderData.FilePath = dir.filePath(QStringLiteral("2026001.ppu"));
        orderData.OrderDate = QStringLiteral("10.12.2026");
        orderData.Items[0] = Item(QStringLiteral("111"));
        orderData.Items[2] = Item(QStringLiteral("333"));
    }
};

std::vector<InvoiceFileFindings> TwoFiles(const QString& folder) {
    Invoice two;
    Payment second;
    second.paid = QStringLiteral("5");
    second.due = QStringLiteral("2027-01-15");
    second.id = QStringLiteral("2000145399");
    second.bankCode = QStringLiteral("0100");
    two.payments << second;
    two.payments[0].paid = QStringLiteral("7");
    Invoice euro;
    euro.foreignCurrency = QStringLiteral("EUR");
    const QString a = folder + QStringLiteral("/a.isdoc");
    TextFile::WriteBytes(a, IsdocXml(two));
    TextFile::WriteBytes(folder + QStringLiteral("/b.isdoc"), IsdocXml(euro));
    TextFile::WriteBytes(folder + QStringLiteral("/c.txt"), "nic");
    std::vector<InvoiceFileFindings> files;
    for (const char* name : {"a.isdoc", "b.isdoc", "c.txt"})
        files.push_back({folder + u'/' + QLatin1String(name), InvoiceFile::Read(folder + u'/' + QLatin1String(name))});
    return files;
}

} // namespace

class TestInvoiceDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // The selected row and the empty rows after it, one question for a filled row, one save.
    void fillRows() {
        const SeamGuard hook = DialogHook::Activate();
        Host host;
        const std::vector<OrderItem> items = {Item(QStringLiteral("1")), Item(QStringLiteral("2")),
                                              Item(QStringLiteral("3"))};
        host.row = 1;
        QVERIFY(FillRowsFrom(host, 1, items));
        QCOMPARE(host.saveCount, 1);
        QCOMPARE(host.orderData.Items[1].Account, QStringLiteral("1"));
        QCOMPARE(host.orderData.Items[2].Account, QStringLiteral("333"));
        QCOMPARE(host.orderData.Items[3].Account, QStringLiteral("2"));
        QCOMPARE(host.orderData.Items[4].Account, QStringLiteral("3"));
        QCOMPARE(DialogHook::Records().size(), 0);

        DialogHook::PushAnswer(Answer::No);
        QVERIFY(!FillRowsFrom(host, 0, items));
        QCOMPARE(host.saveCount, 1);
        QCOMPARE(host.orderData.Items[0].Account, QStringLiteral("111"));
        DialogHook::PushAnswer(Answer::Yes);
        QVERIFY(FillRowsFrom(host, 0, {Item(QStringLiteral("9"))}));
        QCOMPARE(host.orderData.Items[0].Account, QStringLiteral("9"));
        QCOMPARE(DialogHook::Records().size(), 2);

        DialogHook::ClearRecords();
        QVERIFY(!FillRowsFrom(host, 14, items)); // rows 15 and 16 only
        QCOMPARE(host.saveCount, 2);
        QVERIFY(DialogHook::Records().constLast().text.contains(QStringLiteral("jsou 3 platby, ale od řádku 15 jsou "
                                                                               "volné jen 2 řádky")));
    }

    // The dialog lists each payment, names what the user must know, and takes only the ticked rows.
    void dialogListsAndTakesTicked() {
        const SeamGuard hook = DialogHook::Activate();
        Host host;
        host.row = 3;
        TPlatbyZFaktur dialog(host, TwoFiles(host.dir.path()));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("LV_Platby"));
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("19-2000145399/0800"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Česká spořitelna, a.s."));
        QCOMPARE(list->topLevelItem(2)->text(2), QStringLiteral("1210,00"));
        const QString notes = dialog.NotesText();
        QVERIFY2(notes.contains(QStringLiteral("c.txt není faktura ISDOC, PDF ani obrázek")), qPrintable(notes));
        QVERIFY(notes.contains(QStringLiteral("b.isdoc: Faktura je vystavena v cizí měně EUR")));
        QVERIFY(notes.contains(QStringLiteral("Splatnost 15.12.2026, 15.1.2027 se liší od data příkazu 10.12.2026")));

        list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        QVERIFY(!dialog.NotesText().contains(QStringLiteral("15.1.2027")));
        dialog.Tl_OkClick();
        QCOMPARE(host.saveCount, 1);
        QCOMPARE(host.orderData.Items[3].Amount, QStringLiteral("7,00"));
        QCOMPARE(host.orderData.Items[4].Amount, QStringLiteral("1210,00"));
        QVERIFY(!host.orderData.Items[5].isNonEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // The menu command and a drop onto the grid, in the real window, end in the order's file.
    void commandAndDrop() {
        AppFixture f;
        THlavni& w = f.start();
        f.trigger("HMenu_Novy");
        const QString isdoc = f.folder() + QStringLiteral("faktura.isdoc");
        const QString empty = f.folder() + QStringLiteral("prazdna.png");
        TextFile::WriteBytes(isdoc, IsdocXml(Invoice{}));
        QImage(100, 100, QImage::Format_RGB32).save(empty);

        DialogHook::PushFileName(empty);
        f.trigger("HMenu_NacistPlatbu");
        QCOMPARE(AppFixture::shown(QStringLiteral("info")),
                 QStringList{QStringLiteral("V souboru %1 nebyla nalezena platební data (ISDOC ani QR Platba).")
                                 .arg(QDir::toNativeSeparators(empty))});

        DialogHook::PushFileName(isdoc + u'\n' + empty);
        {
            ModalAction ok([](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok"))->click(); });
            f.trigger("HMenu_NacistPlatbu");
        }
        const QString line = QStringLiteral("19-2000145399|0800|1210,00|2026042|0308||Faktura FV-2026-042, Dodavatel "
                                            "s.r.o.|");
        QCOMPARE(TextFile::ReadLines(w.order().FilePath).value(5), line);

        auto* grid = w.findChild<OrderGridView*>(QStringLiteral("Grid1"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(isdoc)});
        {
            ModalAction ok([](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("Tl_Ok"))->click(); });
            QVERIFY(grid->dropInvoices(&mime, QPoint(20, 19 * 4 + 5)));
            QTRY_VERIFY(ok.happened());
        }
        QCOMPARE(TextFile::ReadLines(w.order().FilePath).value(5 + 4), line);
        QCOMPARE(w.selectedRow(), 4);
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }
};

QTEST_MAIN(TestInvoiceDialog)
#include "tst_invoicedialog.moc"
