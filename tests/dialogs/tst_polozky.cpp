#include "FakeHost.h"

#include "TestModal.h"
#include "common/Beep.h"
#include "common/CzechFormat.h"
#include "common/DialogHook.h"
#include "common/TextFile.h"
#include "dialogs/Polozky_f.h"
#include "dialogs/VyberPolozky_f.h"
#include "order/OrderFile.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const char* const kFiltered[] = {"Ed_Ucet", "Ed_Kod", "Ed_Platba", "Ed_VarSymbol", "Ed_KonstSymbol", "Ed_SpecSymbol"};

QString TotalText(const QString& money) {
    return QStringLiteral("Celkem k platbě :    ") + money;
}

// What the order's total says of its row 6, whose amount is no number.
const QString kRow6Note = QStringLiteral("    (bez řádku 6: částka není číslo)");

} // namespace

class TestPolozky : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<TPolozky> m_dialog;

    // Opens the editor on row, shown and active, so that focus moves as for the user.
    TPolozky& open(int row) {
        m_host->row = row;
        m_dialog = std::make_unique<TPolozky>(*m_host, &m_host->window);
        m_dialog->show();
        m_dialog->activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_dialog.get());
        return *m_dialog;
    }
    QLineEdit* edit(const char* name) const { return m_dialog->findChild<QLineEdit*>(QLatin1String(name)); }
    QPushButton* button(const char* name) const { return m_dialog->findChild<QPushButton*>(QLatin1String(name)); }
    // Types text key by key at the end of the field; characters beyond ASCII come as text only.
    QLineEdit* typeInto(const char* name, const QString& keys) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->end(false); // append, also to the first field, which opens selected
        for (const QChar c : keys) {
            if (c.unicode() < 128) {
                QTest::keyClick(e, char(c.unicode()));
            } else {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(e, &press);
                QApplication::sendEvent(e, &release);
            }
        }
        return e;
    }
    PaymentOrder onDisk() const { return OrderFile::Load(m_host->orderData.FilePath); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_host = std::make_unique<FakeHost>();
        m_host->settingsData.ProgramFolder = m_dir->path() + QLatin1Char('/');
        m_host->settingsData.Mena = QStringLiteral("Kč");
        m_host->orderData.OrderDate = QStringLiteral("7.1.2022");
        m_host->orderData.FilePath = m_dir->filePath(QStringLiteral("2022001.ppu"));
        m_host->orderData.Items[0] = {"123-4567890123", "0100", "100,00", "111", "0308", "", "nájem"};
        m_host->orderData.Items[3].Amount = QStringLiteral("50,00");
        m_host->orderData.Items[5].Amount = QStringLiteral("12,5x"); // no number: left out
        m_host->orderData.Total = 150.0;
        m_host->SaveOrder();
        m_host->saveCount = 0;
        m_host->ShowOrderTotal();
        m_dialogs = DialogHook::Activate();
        QApplication::clipboard()->setText(QStringLiteral("clipboard"));
    }
    void cleanup() {
        m_dialog.reset();
        m_host.reset();
        m_dir.reset();
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        m_dialogs.restore();
    }

    void opensWithRowAndOkDisabled() {
        TPolozky& d = open(0);
        QCOMPARE(d.windowTitle(), QStringLiteral("Editace položky"));
        QCOMPARE(edit("Ed_Ucet")->text(), QStringLiteral("123-4567890123"));
        QCOMPARE(edit("Ed_Kod")->text(), QStringLiteral("0100"));
        QCOMPARE(edit("Ed_Platba")->text(), QStringLiteral("100,00"));
        QCOMPARE(edit("Ed_VarSymbol")->text(), QStringLiteral("111"));
        QCOMPARE(edit("Ed_KonstSymbol")->text(), QStringLiteral("0308"));
        QCOMPARE(edit("Ed_Komentar")->text(), QStringLiteral("nájem"));
        QCOMPARE(d.findChild<QLabel*>(QStringLiteral("La_Platba"))->text(), QStringLiteral("Platba v Kč"));
        QVERIFY(!button("Tl_Ok")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), edit("Ed_Ucet"));
    }

    // A text the program puts in (here a row pasted through the grid) is not cut to the typing
    // limit; typing more into it is refused.
    void longerTextThanLimitKept() {
        m_host->orderData.Items[2].Account = QStringLiteral("12345678901234567890");
        open(2);
        QLineEdit* e = typeInto("Ed_Ucet", QStringLiteral("9"));
        QCOMPARE(e->text(), QStringLiteral("12345678901234567890"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("1234567890123456789"));
    }

    void normalisedOnLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole number") << "1500"
                                      << "1500,00";
        QTest::newRow("one decimal") << "12,5"
                                     << "12,50";
        QTest::newRow("rounded up") << "0,129"
                                    << "0,13";
        QTest::newRow("leading zeros") << "007"
                                       << "7,00";
        QTest::newRow("negative") << "-3"
                                  << "-3,00";
        QTest::newRow("comma last") << "0,"
                                    << "0,00";
        QTest::newRow("half to even down") << "0,125"
                                           << "0,12";
        QTest::newRow("half to even up") << "0,375"
                                         << "0,38";
        QTest::newRow("dot typed") << "12.5"
                                   << "12,50";
        QTest::newRow("comma first") << ",5"
                                     << "0,50";
        QTest::newRow("longest typed") << "9999999999,99"
                                       << "9999999999,99";
        QTest::newRow("negative half cent") << "-0,005"
                                            << "0,00";
    }
    void normalisedOnLeaving() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        open(2);
        QLineEdit* e = typeInto("Ed_Platba", typed);
        QTest::keyClick(e, Qt::Key_Tab);
        QCOMPARE(e->text(), shown);
        QVERIFY(button("Tl_Ok")->isEnabled());
        // The edited row once, with its new amount, plus rows 1 and 4; row 6 holds no number.
        const double expected = 150.0 + *CzechFormat::ParseNumber(shown);
        QCOMPARE(m_host->totalLabel.text(), TotalText(CzechFormat::Money(expected)));
        QCOMPARE(m_host->orderData.Items[2].Amount, QString()); // nothing written before OK
    }

    void amountKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma into empty") << ","
                                          << "0,";
        QTest::newRow("dot into empty") << "."
                                        << "0,";
        QTest::newRow("second comma refused") << "1,2,3"
                                              << "1,23";
        QTest::newRow("dot after comma refused") << "1,2.3"
                                                 << "1,23";
        QTest::newRow("letters and bar dropped") << "1a|b2 "
                                                 << "12";
        QTest::newRow("minus anywhere") << "1-2-"
                                        << "1-2-";
        QTest::newRow("limit of 13") << "12345678901234"
                                     << "1234567890123";
    }
    void amountKeys() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        open(2);
        QCOMPARE(typeInto("Ed_Platba", typed)->text(), shown);
    }

    void symbolKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("account") << "Ed_Ucet"
                                 << "12a-4,5.6|x"
                                 << "12-45.6";
        QTest::newRow("account limit 17") << "Ed_Ucet"
                                          << "123456789012345678"
                                          << "12345678901234567";
        QTest::newRow("bank code unlimited") << "Ed_Kod"
                                             << "0100 200300400"
                                             << "0100200300400";
        QTest::newRow("variable limit 10") << "Ed_VarSymbol"
                                           << "12345678901"
                                           << "1234567890";
        QTest::newRow("constant limit 4") << "Ed_KonstSymbol"
                                          << "03089"
                                          << "0308";
        QTest::newRow("specific limit 10") << "Ed_SpecSymbol"
                                           << "1,2345678901"
                                           << "1234567890";
        QTest::newRow("comment takes all") << "Ed_Komentar"
                                           << "Záloha č. 5, -10 %"
                                           << "Záloha č. 5, -10 %";
    }
    void symbolKeys() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        open(2);
        QCOMPARE(typeInto(field.toLatin1().constData(), typed)->text(), shown);
    }

    void clipboardKeysRefused_data() {
        QTest::addColumn<QString>("field");
        for (const char* name : kFiltered)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void clipboardKeysRefused() {
        QFETCH(QString, field);
        open(2);
        QLineEdit* e = typeInto(field.toLatin1().constData(), QStringLiteral("12"));
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(QStringLiteral("99"));

        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(e->text(), QStringLiteral("12"));
        // The platform's own form of Ctrl+V: a control character.
        QKeyEvent rawPaste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QApplication::sendEvent(e, &rawPaste);
        QCOMPARE(e->text(), QStringLiteral("12"));

        e->selectAll();
        QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(e->text(), QStringLiteral("12"));
        QCOMPARE(clipboard->text(), QStringLiteral("99"));

        QTest::keyClick(e, Qt::Key_End);
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e->text(), QStringLiteral("12"));

        // Keys without a character still edit.
        QTest::keyClick(e, Qt::Key_Home);
        QTest::keyClick(e, Qt::Key_Delete);
        QCOMPARE(e->text(), QStringLiteral("2"));
    }

    // Storable text pasted through the context menu is not filtered; "|" would shift the file's
    // fields and is refused everywhere with a beep.
    void contextMenuPaste() {
        open(2);
        QLineEdit* e = edit("Ed_Ucet");
        QApplication::clipboard()->setText(QStringLiteral("12 34"));
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("12 34"));
        const int beeps = BeepCount();
        QApplication::clipboard()->setText(QStringLiteral("5|6"));
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("12 34"));
        QCOMPARE(BeepCount(), beeps + 1);
        // Pasting past the typing limit is refused whole rather than cut.
        QLineEdit* k = edit("Ed_KonstSymbol");
        QApplication::clipboard()->setText(QStringLiteral("030800"));
        k->paste();
        QCOMPARE(k->text(), QString());
        QCOMPARE(BeepCount(), beeps + 2);
    }

    void commentRefusesWhatFileCannotHold_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("message");
        QTest::newRow("bar") << "a|b" << false;
        QTest::newRow("line feed") << "řádek\n" << false;
        QTest::newRow("carriage return") << "a\rb" << false;
        QTest::newRow("outside Windows-1250") << "Ελλάδα" << true;
    }
    void commentRefusesWhatFileCannotHold() {
        QFETCH(QString, pasted);
        QFETCH(bool, message);
        open(0);
        QLineEdit* e = typeInto("Ed_Komentar", QStringLiteral(" |1"));
        QCOMPARE(e->text(), QStringLiteral("nájem 1"));
        const int beeps = BeepCount();
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("nájem 1"));
        QCOMPARE(BeepCount(), beeps + 2);
        QCoreApplication::processEvents();
        QCOMPARE(DialogHook::Records().size(), message ? 2 : 0);
        if (message)
            QVERIFY(DialogHook::Records().at(0).text.contains(QStringLiteral("Windows-1250")));
        QApplication::clipboard()->setText(QStringLiteral(" – € ok"));
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("nájem 1 – € ok"));
    }

    void keysMoveFocus() {
        TPolozky& d = open(0);
        const char* const chain[] = {"Ed_Ucet",        "Ed_Kod",        "Tl_Prenest",  "Ed_Platba", "Ed_VarSymbol",
                                     "Ed_KonstSymbol", "Ed_SpecSymbol", "Ed_Komentar", "Tl_Ok",     "Tl_Storno"};
        typeInto("Ed_Komentar", QStringLiteral("!")); // enables OK, which joins the chain
        edit("Ed_Ucet")->setFocus();
        for (std::size_t i = 1; i < std::size(chain); ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Down : Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(chain[i]));
        }
        for (std::size_t i = std::size(chain) - 1; i > 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(chain[i - 1]));
        }
        // Enter on the preset button moves on and opens nothing; Esc closes nothing.
        button("Tl_Prenest")->setFocus();
        QTest::keyClick(button("Tl_Prenest"), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), edit("Ed_Platba"));
        QTest::keyClick(edit("Ed_Platba"), Qt::Key_Escape);
        QVERIFY(d.isVisible());
    }

    void enterOnOkMovesToStorno() {
        TPolozky& d = open(0);
        typeInto("Ed_Ucet", QStringLiteral("9"));
        QPushButton* ok = button("Tl_Ok");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), button("Tl_Storno"));
        QVERIFY(d.isVisible());
        QCOMPARE(m_host->saveCount, 0);
        QCOMPARE(m_host->orderData.Items[0].Account, QStringLiteral("123-4567890123"));
    }

    void okWritesRowAndSaves() {
        TPolozky& d = open(0);
        typeInto("Ed_Ucet", QStringLiteral("9"));
        QLineEdit* amount = edit("Ed_Platba");
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, QStringLiteral("200,5"));
        typeInto("Ed_Komentar", QStringLiteral(" a energie"));
        QTest::mouseClick(button("Tl_Ok"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        const OrderItem expected{"123-45678901239", "0100", "200,50", "111", "0308", "", "nájem a energie"};
        QCOMPARE(m_host->orderData.Items[0], expected);
        QCOMPARE(m_host->saveCount, 1);
        QCOMPARE(onDisk().Items[0], expected);
        QCOMPARE(m_host->orderData.Total, 250.5);
        QCOMPARE(m_host->totalLabel.text(), TotalText(QStringLiteral("250,50 Kč")) + kRow6Note);
    }

    // An account without amount, or nothing at all, is taken as it stands.
    void okWithoutAmount() {
        TPolozky& d = open(0);
        edit("Ed_Platba")->clear();
        typeInto("Ed_Kod", QStringLiteral("1"));
        QTest::keyClick(edit("Ed_Kod"), Qt::Key_Backspace);
        button("Tl_Ok")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(onDisk().Items[0].Amount, QString());
        QCOMPARE(onDisk().Items[0].Account, QStringLiteral("123-4567890123"));
        QCOMPARE(m_host->orderData.Total, 50.0);
    }

    void okRefusesNoNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("lone minus") << "-"
                                    << "";
        QTest::newRow("minus between digits") << "1-2"
                                              << "";
        QTest::newRow("pasted text") << ""
                                     << "sto korun";
    }
    void okRefusesNoNumber() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        TPolozky& d = open(2);
        QLineEdit* amount = typeInto("Ed_Platba", typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            amount->paste();
        }
        const QString text = amount->text();
        const QString label = m_host->totalLabel.text();
        QTest::mouseClick(button("Tl_Ok"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(amount->text(), text); // left as typed
        QCOMPARE(m_host->totalLabel.text(), label);
        QCOMPARE(DialogHook::Records().size(), 1);
        QCOMPARE(DialogHook::Records().at(0).kind, QStringLiteral("info"));
        QVERIFY(DialogHook::Records().at(0).text.contains(QStringLiteral("není platné číslo")));
        QCOMPARE(QApplication::focusWidget(), amount);
        QCOMPARE(m_host->saveCount, 0);
        QCOMPARE(m_host->orderData.Items[2], OrderItem());
    }

    // A click on OK that did not pass through the field's leaving still stores two decimals.
    void okNormalisesAmount() {
        open(2);
        typeInto("Ed_Platba", QStringLiteral("12,5"));
        button("Tl_Ok")->click();
        QCOMPARE(onDisk().Items[2].Amount, QStringLiteral("12,50"));
    }

    void saveFailureKeepsDialogOpen() {
        TPolozky& d = open(0);
        m_host->orderData.FilePath = m_dir->filePath(QStringLiteral("chybi/2022001.ppu"));
        typeInto("Ed_Ucet", QStringLiteral("9"));
        QTest::mouseClick(button("Tl_Ok"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(DialogHook::Records().size(), 1);
        QCOMPARE(DialogHook::Records().at(0).kind, QStringLiteral("error"));
        QVERIFY(DialogHook::Records().at(0).text.contains(QStringLiteral("2022001.ppu")));
        QCOMPARE(m_host->orderData.Items[0].Account, QStringLiteral("123-4567890123"));
        QCOMPARE(m_host->orderData.Total, 150.0);
        QCOMPARE(edit("Ed_Ucet")->text(), QStringLiteral("123-45678901239"));
        // Once the file can be written again, the same OK goes through.
        m_host->orderData.FilePath = m_dir->filePath(QStringLiteral("2022001.ppu"));
        QTest::mouseClick(button("Tl_Ok"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(onDisk().Items[0].Account, QStringLiteral("123-45678901239"));
    }

    void cancelRestoresTotal_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Storno") << false;
        QTest::newRow("close box") << true;
    }
    void cancelRestoresTotal() {
        QFETCH(bool, closeBox);
        QCOMPARE(m_host->totalLabel.text(), TotalText(QStringLiteral("150,00 Kč")) + kRow6Note);
        TPolozky& d = open(0);
        QLineEdit* amount = edit("Ed_Platba");
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, QStringLiteral("250"));
        QTest::keyClick(amount, Qt::Key_Tab);
        QCOMPARE(m_host->totalLabel.text(), TotalText(QStringLiteral("300,00 Kč")));
        if (closeBox) {
            amount->setFocus();
            d.close();
        } else {
            QTest::mouseClick(button("Tl_Storno"), Qt::LeftButton);
        }
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(m_host->totalLabel.text(), TotalText(QStringLiteral("150,00 Kč")) + kRow6Note);
        QCOMPARE(m_host->orderData.Items[0].Amount, QStringLiteral("100,00"));
        QCOMPARE(m_host->saveCount, 0);
    }

    void leavingEmptyAmountChangesNothing() {
        open(2);
        m_host->totalLabel.setText(QStringLiteral("beze změny"));
        QLineEdit* amount = edit("Ed_Platba");
        amount->setFocus();
        QTest::keyClick(amount, Qt::Key_Tab);
        QCOMPARE(amount->text(), QString());
        QCOMPARE(m_host->totalLabel.text(), QStringLiteral("beze změny"));
        QVERIFY(!button("Tl_Ok")->isEnabled());
    }

    // Leaving rewrites the amount even when it comes out the same, and that counts as a change.
    void leavingUnchangedAmountEnablesOk() {
        open(0);
        QLineEdit* amount = edit("Ed_Platba");
        amount->setFocus();
        QTest::keyClick(amount, Qt::Key_Tab);
        QCOMPARE(amount->text(), QStringLiteral("100,00"));
        QVERIFY(button("Tl_Ok")->isEnabled());
    }

    // Set VELORIN_SCREENSHOTS to a folder to look at the dialog.
    void screenshot() {
        const QString folder = qEnvironmentVariable("VELORIN_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("VELORIN_SCREENSHOTS not set");
        m_host->orderData.Items[0].Comment = QStringLiteral("Nájem za prosinec, byt č. 12 – Žluťoučký kůň");
        TPolozky& d = open(0);
        edit("Ed_Platba")->setFocus();
        QVERIFY(d.grab().save(folder + QStringLiteral("/polozky.png")));
    }

    void takePreset_data() {
        QTest::addColumn<QStringList>("file");   // empty: no presets file
        QTest::addColumn<int>("pick");           // -1: confirm as opened; -2: cancel
        QTest::addColumn<QStringList>("fields"); // account, code, VS, KS, SS, comment; empty: unchanged
        QTest::addColumn<QString>("message");

        const QStringList presets{QStringLiteral("Nájem|2000145399|0800|2023|0308|77|Nájem byt 3+1|"),
                                  QStringLiteral("Elektřina|19-7654321|0300|||| |"), QStringLiteral("Prázdná|||||||"),
                                  QStringLiteral("A|B|99|0100|1|2|3|4|"), QStringLiteral("Poškozená|1|2|")};
        QTest::newRow("first entry as opened")
            << presets << -1 << QStringList{"2000145399", "0800", "2023", "0308", "77", "Nájem byt 3+1"} << "";
        QTest::newRow("empty values overwrite") << presets << 2 << QStringList{"", "", "", "", "", ""} << "";
        QTest::newRow("bar in the name shifts") << presets << 3 << QStringList{"B", "99", "0100", "1", "2", "3"} << "";
        QTest::newRow("damaged line") << presets << 4 << QStringList()
                                      << "Položku nelze přenést, možná je poškozený soubor \"predvolby.pvb\".";
        QTest::newRow("cancelled") << presets << -2 << QStringList() << "";
        QTest::newRow("no presets file") << QStringList() << -1 << QStringList() << "Není vybraná žádná položka.";
    }
    void takePreset() {
        QFETCH(QStringList, file);
        QFETCH(int, pick);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        if (!file.isEmpty())
            TextFile::WriteLines(PresetsFilePath(m_host->settingsData.ProgramFolder), file);
        const char* const names[] = {"Ed_Ucet",        "Ed_Kod",        "Ed_VarSymbol",
                                     "Ed_KonstSymbol", "Ed_SpecSymbol", "Ed_Komentar"};
        open(0);
        QStringList before;
        for (const char* name : names)
            before << edit(name)->text();

        ModalAction picker([pick](QWidget* w) {
            auto* p = qobject_cast<TVyberPolozky*>(w);
            QVERIFY(p);
            if (pick == -2) {
                p->Tl_Storno2->click();
                return;
            }
            if (pick >= 0)
                p->ListBox1->setCurrentRow(pick);
            QTest::keyClick(p->Ed_Hledat, Qt::Key_Return);
        });
        QTest::mouseClick(button("Tl_Prenest"), Qt::LeftButton);
        QVERIFY(picker.happened());

        const QStringList expected = fields.isEmpty() ? before : fields;
        for (std::size_t i = 0; i < std::size(names); ++i)
            QCOMPARE(edit(names[i])->text(), expected.at(qsizetype(i)));
        QCOMPARE(edit("Ed_Platba")->text(), fields.isEmpty() ? QStringLiteral("100,00") : QString());
        QCOMPARE(button("Tl_Ok")->isEnabled(), !fields.isEmpty());
        if (!fields.isEmpty()) {
            // The amount is typed next. The offscreen platform does not hand activation back itself.
            m_dialog->activateWindow();
            QTRY_COMPARE(QApplication::focusWidget(), edit("Ed_Platba"));
        }
        QCOMPARE(DialogHook::Records().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(DialogHook::Records().at(0).text, message);
        QCOMPARE(m_host->orderData.Items[0].Amount, QStringLiteral("100,00")); // only OK writes
        QCOMPARE(m_host->saveCount, 0);
    }
};

QTEST_MAIN(TestPolozky)
#include "tst_polozky.moc"
