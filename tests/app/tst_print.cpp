#include "AppFixture.h"

#include "TestModal.h"
#include "order/IniFile.h"
#include "report/Nahled_f.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kNoValidItem = QStringLiteral("Příkaz neobsahuje ani jednu platnou položku k úhradě.");

void openRow(AppFixture& f, int row) {
    f.openOrder(row);
    QVERIFY(f.window->isOrderOpen());
}

// Prints with Ctrl+P or the toolbar button and takes the page the preview shows, then closes it.
void printWith(AppFixture& f, PreparedPage& page, bool toolbar = false) {
    bool shown = false;
    ModalAction take([&](QWidget* w) {
        auto* preview = qobject_cast<TNahled*>(w);
        QVERIFY(preview);
        QCOMPARE(preview->Pages().pages.size(), size_t(1));
        page = preview->Pages().pages.front();
        shown = true;
        preview->close();
    });
    f.activate();
    if (toolbar)
        QTest::mouseClick(f.window->findChild<QToolButton*>(QStringLiteral("TB_Tisk")), Qt::LeftButton);
    else
        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(shown);
}

// The lines a box printed, top to bottom, joined by "|".
QString printed(const PreparedPage& page, const char* box) {
    QStringList lines;
    for (const PreparedText& t : page.texts)
        if (t.boxName == QLatin1String(box))
            lines << t.text;
    return lines.join(QLatin1Char('|'));
}

QStringList printedTexts(const PreparedPage& page) {
    QStringList texts;
    for (const PreparedText& t : page.texts)
        texts << t.text;
    return texts;
}

void setCurrency(AppFixture& f, const QString& currency) {
    IniFile::Write(f.folder() + QStringLiteral("Velorin.ini"), QStringLiteral("Udaje"), QStringLiteral("Mena"),
                   currency);
}

// The file's bytes and time, to prove that a command left it alone.
QString fileState(const QString& path) {
    return QFileInfo(path).lastModified().toString(Qt::ISODateWithMs) + QLatin1Char(' ') +
           QString::fromLatin1(ReadAll(path).toHex());
}

void makeOld(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2021, 6, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
}

} // namespace

// Printing and the text listings, reached the way the user reaches them.
class TestPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitApplication(); }

    // Amounts without account numbers are no valid items: the message, and no preview.
    void noValidItemShowsTheMessageOnly() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("|0100|100,00||||bez účtu|")}));
        THlavni& w = f.start();
        openRow(f, 0);
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("La_Celkem"))->text().contains(QStringLiteral("100,00")));
        NoModalWindow noPreview;
        f.trigger("HMenu_Tisk");
        QVERIFY(!noPreview.appeared());
        QCOMPARE(AppFixture::shown(), QStringList{kNoValidItem});
    }

    // The settings dialog changes the payer's bank of the open order: printed at once, written to
    // its file with the next change.
    void payerBankFromTheSettingsDialog() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                                               {QStringLiteral("111|0100|100,00|||||")}));
        f.start();
        openRow(f, 0);
        const QString path = f.orderPath(QStringLiteral("2022001.ppu"));
        const QByteArray before = ReadAll(path);
        ModalAction edit([](QWidget* dialog) {
            auto* bank = dialog->findChild<QLineEdit*>(QStringLiteral("Ed_Banka1"));
            bank->selectAll();
            QTest::keyClicks(bank, QStringLiteral("Jina banka"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        });
        f.trigger("HMenu_Konfig");
        QVERIFY(edit.happened());
        PreparedPage page;
        printWith(f, page);
        QCOMPARE(printed(page, "Pl_NazevBanky"), QStringLiteral("Jina banka"));
        QCOMPARE(ReadAll(path), before);
        f.trigger("HMenu_VyjmoutPolozku");
        QCOMPARE(TextFile::ReadLines(path).mid(0, 6),
                 (QStringList{"Jina banka", "Ulice 1", "123-456", "0100", "3.1.2022", "|||||||"}));
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    // Four orders printed one after another, with Ctrl+P and the toolbar button: each print shows
    // only its own order's values, the currency label of the settings (while the headings keep
    // "Kč"), both copies of the single form alike, and no order file is touched.
    void printingOrdersOneAfterAnother() {
        AppFixture f;
        setCurrency(f, QStringLiteral("EUR"));
        QStringList all;
        for (int r = 1; r <= 16; ++r)
            all << QStringLiteral("%1|0100|%1,00|%1|%1|%1|A%1|").arg(r);
        QStringList rows(16, QStringLiteral("|||||||"));
        rows[1] = QStringLiteral("900|0800|9,00||||B2|");
        rows[4] = QStringLiteral("||300,00||||jen částka|");
        rows[8] = QStringLiteral("901|0800|1,00|||||");
        const QList<QStringList> orders = {
            OrderLines(QStringLiteral("Banka A"), QStringLiteral("3.1.2022"), all),
            OrderLines(QStringLiteral("Banka B"), QStringLiteral("4.1.2022"), rows),
            OrderLines(QStringLiteral("Banka C"), QStringLiteral("5.1.2022"),
                       {QStringLiteral("|||||||"), QStringLiteral("|0300|5,00||||jen částka|"),
                        QStringLiteral("|||||||"), QStringLiteral("777|0300|1234,50|7|7|7|C4|")}),
            OrderLines(QStringLiteral("Banka D"), QStringLiteral("6.1.2022"), {QStringLiteral("888||||||")}),
        };
        QStringList before;
        for (int i = 0; i < orders.size(); ++i) {
            const QString name = QStringLiteral("202200%1.ppu").arg(i + 1);
            f.writeOrder(name, orders[i]);
            makeOld(f.orderPath(name));
            before << fileState(f.orderPath(name));
        }
        f.start();
        QList<PreparedPage> pages;
        for (int i = 0; i < orders.size(); ++i) {
            openRow(f, i);
            PreparedPage page;
            printWith(f, page, i == 2);
            pages << page;
            f.trigger("HMenu_Zavrit");
        }
        QCOMPARE(printed(pages[0], "Memo49"), QStringLiteral("A16"));
        QCOMPARE(printed(pages[0], "CastkaCelkem"), QStringLiteral("136,00 EUR"));
        QCOMPARE(printed(pages[0], "Memo18"), QStringLiteral("Částky|plateb v Kč"));

        for (const QString& text : printedTexts(pages[1]))
            QVERIFY2(!text.startsWith(QLatin1Char('A')) && text != QLatin1String("16"), qPrintable(text));
        QCOMPARE(printed(pages[1], "Memo50"), QStringLiteral("900|901"));
        QCOMPARE(printed(pages[1], "Memo52"), QStringLiteral("9,00|300,00|1,00"));
        QCOMPARE(printed(pages[1], "Komentar2") + printed(pages[1], "Memo38"), QStringLiteral("B2jen částka"));
        QCOMPARE(printed(pages[1], "Pl_NazevBanky"), QStringLiteral("Banka B"));
        QCOMPARE(printed(pages[1], "CastkaCelkem"), QStringLiteral("310,00 EUR"));

        // Row 4 is the one valid item; the amount row above it is no item.
        for (const QString& suffix : {QString(), QStringLiteral("_2")}) {
            auto box = [&](const char* name) { return printed(pages[2], qPrintable(QLatin1String(name) + suffix)); };
            QCOMPARE(box("Pr_CisloUctu") + box("Komentar"), QStringLiteral("777C4"));
            QCOMPARE(box("Pr_Castka"), QStringLiteral("=1234,50"));
            QCOMPARE(box("Memo25") + box("OznaceniMeny1"), QStringLiteral("Částka vEUR"));
            QCOMPARE(box("DatumVystaveni") + box("DatumSplatnosti"), QStringLiteral("5.1.20225.1.2022"));
        }
        QVERIFY(!printedTexts(pages[2]).contains(QStringLiteral("=5,00")));

        QCOMPARE(printed(pages[3], "Pr_CisloUctu_2"), QStringLiteral("888"));
        QCOMPARE(printed(pages[3], "Pr_Castka"), QStringLiteral("="));
        for (const char* box : {"Komentar", "Pr_VarSymbol", "Pr_SmerovyKod", "Pr_SpecSymbol_2"})
            QCOMPARE(printed(pages[3], box), QString());

        for (int i = 0; i < orders.size(); ++i)
            QCOMPARE(fileState(f.orderPath(QStringLiteral("202200%1.ppu").arg(i + 1))), before[i]);
        QCOMPARE(AppFixture::shown(), QStringList());
    }

    // Each order's export proposes its own designation, in the folder of the last export.
    void exportProposesTheOrdersDesignation() {
        AppFixture f;
        f.writeOrder("2022001.ppu", OrderLines("B", "3.1.2022", {"111|0100|5,00||||A|"}));
        f.writeOrder("2022002.ppu", OrderLines("B", "4.1.2022", {"222|0100|6,00||||B|", "333|0100|7,00||||C|"}));
        f.start();
        const QString folder = f.dir.filePath("vypisy");
        QVERIFY(QDir().mkpath(folder));
        QStringList proposed;
        for (int i = 0; i < 2; ++i) {
            openRow(f, i);
            ModalAction exportPdf([&](QWidget* w) {
                auto* preview = qobject_cast<TNahled*>(w);
                QVERIFY(preview);
                DialogHook::ClearRecords();
                DialogHook::PushFileName(QDir(folder).filePath("jine-jmeno.pdf"));
                preview->findChild<QAction*>("TB_ExportPDF")->trigger();
                const auto records = DialogHook::Records();
                if (!records.isEmpty())
                    proposed << records[0].text;
                preview->close();
            });
            f.activate();
            QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
            QVERIFY(exportPdf.happened());
            f.trigger("HMenu_Zavrit");
        }
        QCOMPARE(proposed.size(), 2);
        QCOMPARE(QFileInfo(proposed[0]).fileName(), QStringLiteral("2022001.pdf"));
        QCOMPARE(proposed[1], QDir(folder).filePath("2022002.pdf"));
        QVERIFY(QFile::exists(QDir(folder).filePath("jine-jmeno.pdf")));
    }

    // A hand-edited amount that is no number prints as it stands; the total is the one the main
    // window shows, with the row it leaves out named under the table.
    void amountThatIsNoNumberIsNamedBesideTheTotal() {
        AppFixture f;
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                {QStringLiteral("111|0100|100,00|||||"), QStringLiteral("222|0100|sto||||ručně|")}));
        THlavni& w = f.start();
        openRow(f, 0);
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("La_Celkem"))
                    ->text()
                    .endsWith(QStringLiteral("(bez řádku 2: částka není číslo)")));
        PreparedPage page;
        printWith(f, page);
        QCOMPARE(printed(page, "Memo52"), QStringLiteral("100,00|sto"));
        QCOMPARE(printed(page, "CastkaCelkem"), QStringLiteral("100,00 Kč"));
        QCOMPARE(printed(page, "PoznamkaCelkem"), QStringLiteral("Celkem 100,00 Kč (bez řádku 2: částka není číslo)"));
    }

    // The structured listing: header, then nine lines for every row with an amount under its
    // row number, CR LF after every line, captioned like the main window.
    void structuredListing() {
        AppFixture f;
        QStringList rows(16, QStringLiteral("|||||||"));
        rows[2] = QStringLiteral("123|0100|1000,00|1|2|3|Třetí|");
        rows[4] = QStringLiteral("555|0300||||||");
        rows[6] = QStringLiteral("||500,00||||bez účtu|");
        f.writeOrder(QStringLiteral("2022001.ppu"),
                     OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"), rows));
        f.writeOrder(QStringLiteral("2022002.ppu"), OrderLines(QStringLiteral("Banka"), QStringLiteral("4.1.2022"),
                                                               {QStringLiteral("555|0300||||||")}));
        THlavni& w = f.start();
        openRow(f, 0);
        f.trigger("HMenu_TxtVypisStrukturovany");
        const QList<DialogHook::Record> records = DialogHook::Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, QStringLiteral("text"));
        QCOMPARE(records[0].caption, w.windowTitle());
        QCOMPARE(records[0].text,
                 QStringLiteral("Označení příkazu: 2022001\r\nDatum splatnosti: 3.1.2022\r\n"
                                "Částka celkem: 1500,00 Kč\r\n\r\n"
                                "Položka 3\r\nČíslo účtu: 123\r\nSměrový kód: 0100\r\nČástka: 1000,00\r\n"
                                "Variabilní symbol: 1\r\nKonstantní symbol: 2\r\nSpecifický symbol: 3\r\n"
                                "Komentář: Třetí\r\n\r\n"
                                "Položka 7\r\nČíslo účtu: \r\nSměrový kód: \r\nČástka: 500,00\r\n"
                                "Variabilní symbol: \r\nKonstantní symbol: \r\nSpecifický symbol: \r\n"
                                "Komentář: bez účtu\r\n\r\n\r\n"));
        DialogHook::ClearRecords();
        f.trigger("HMenu_Zavrit");
        openRow(f, 1);
        f.trigger("HMenu_TxtVypisStrukturovany");
        QCOMPARE(AppFixture::shown(QStringLiteral("text")),
                 QStringList{QStringLiteral("Označení příkazu: 2022002\r\nDatum splatnosti: 4.1.2022\r\n"
                                            "Částka celkem: 0,00 Kč\r\n\r\n\r\n")});
    }

    // The plain listing shows the file as stored; edits in the viewer are not written back; a file
    // that cannot be read ends in the error box naming it, and no viewer opens.
    void plainListing() {
        AppFixture f;
        const QStringList lines = OrderLines(QStringLiteral("Banka"), QStringLiteral("3.1.2022"),
                                             {QStringLiteral("123|0100|10,00|1|2|3|Žluťoučký|")});
        f.writeOrder(QStringLiteral("2022001.ppu"), lines);
        const QString path = f.orderPath(QStringLiteral("2022001.ppu"));
        makeOld(path);
        const QString before = fileState(path);
        THlavni& w = f.start();
        openRow(f, 0);
        f.trigger("HMenu_TxtVypis");
        const QList<DialogHook::Record> records = DialogHook::Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].caption, w.windowTitle());
        QCOMPARE(records[0].text, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        DialogHook::ClearRecords();

        // The real viewer: editable, and what is typed there goes nowhere.
        SeamGuard realDialogs = DialogHook::Deactivate();
        bool edited = false;
        ModalAction edit([&](QWidget* viewer) {
            auto* memo = viewer->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
            QVERIFY(memo && !memo->isReadOnly());
            QCOMPARE(memo->toPlainText(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
            QTest::keyClicks(memo, QStringLiteral("zmena"));
            edited = memo->toPlainText().contains(QStringLiteral("zmena"));
            viewer->close();
        });
        f.trigger("HMenu_TxtVypis");
        realDialogs.restore();
        QVERIFY(edited);
        QCOMPARE(fileState(path), before);

        QVERIFY(QFile::remove(path));
        f.trigger("HMenu_TxtVypis");
        const QList<DialogHook::Record> failed = DialogHook::Records();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed[0].kind, QStringLiteral("error"));
        QVERIFY2(failed[0].text.contains(QStringLiteral("2022001.ppu")), qPrintable(failed[0].text));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
