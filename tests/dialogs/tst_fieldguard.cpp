#include "FakeHost.h"

#include "common/Beep.h"
#include "common/DialogHook.h"
#include "dialogs/EditacePredvolbyPlatby_f.h"
#include "dialogs/Konfigurace_f.h"
#include "dialogs/Polozky_f.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

namespace {

const QStringList kItemFields{"Ed_Ucet",        "Ed_Kod",        "Ed_Platba",  "Ed_VarSymbol",
                              "Ed_KonstSymbol", "Ed_SpecSymbol", "Ed_Komentar"};
const QStringList kPresetFields{"Ed_NazevPlatby", "Ed_Ucet",       "Ed_Kod",     "Ed_VarSymbol",
                                "Ed_KonstSymbol", "Ed_SpecSymbol", "Ed_Komentar"};

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, c.toLatin1());
        else
            SendKey(w, Qt::Key_unknown, Qt::NoModifier, QString(c));
    }
}

const QString kNoTip = QStringLiteral("(žádná)");

} // namespace

// What the text fields of the three editing dialogs let in, and how they say no.
class TestFieldGuard : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<QDialog> m_dialog;

    // The dialog with start in field, put there as the program fills it; the field at its end.
    QLineEdit* open(const QString& dialog, const QString& field, const QString& start) {
        if (dialog == "item") {
            m_host->orderData.Items[0].field(int(kItemFields.indexOf(field))) = start;
            m_dialog = std::make_unique<TPolozky>(*m_host);
        } else if (dialog == "preset") {
            PaymentPreset preset;
            preset.field(int(kPresetFields.indexOf(field))) = start;
            auto editor = std::make_unique<TEditacePredvolbyPlatby>();
            editor->setPreset(preset);
            m_dialog = std::move(editor);
        } else {
            Settings& s = m_host->settingsData;
            QString* const values[] = {&s.NazevBanky,   &s.Adresa,       &s.CisloUctu, &s.SmerovyKod,
                                       &s.NazevKlienta, &s.CisloKlienta, &s.Mena};
            const QStringList names{"Ed_Banka1", "Ed_Banka2", "Ed_Banka3", "Ed_Banka4",
                                    "Ed_Banka5", "Ed_Banka6", "Ed_Mena"};
            *values[names.indexOf(field)] = start;
            m_dialog = std::make_unique<TKonfigurace>(*m_host);
        }
        m_dialog->show();
        auto* edit = m_dialog->findChild<QLineEdit*>(field);
        if (!edit)
            qFatal("no field %s", qPrintable(field));
        edit->setFocus();
        edit->end(false);
        QToolTip::showText(edit->mapToGlobal(QPoint()), kNoTip, edit);
        ResetBeepCount();
        DialogHook::ClearRecords();
        return edit;
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_host = std::make_unique<FakeHost>();
        m_host->settingsData.ProgramFolder = m_dir->path() + QLatin1Char('/');
        m_host->orderData.FilePath = m_dir->filePath(QStringLiteral("2022001.ppu"));
        DialogHook::Activate();
    }
    void cleanup() {
        m_dialog.reset();
        m_host.reset();
        m_dir.reset();
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        DialogHook::Deactivate();
    }

    // Typed or pasted text, whole: what stays in the field, how many beeps, what is told where.
    void text_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("paste"); // else typed key by key
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("told"); // "box", "tip" or empty
        QTest::addColumn<QString>("reason");

        QTest::newRow("item: bar typed") << "item"
                                         << "Ed_Komentar"
                                         << "" << false << "a|b"
                                         << "ab" << 1 << ""
                                         << "";
        QTest::newRow("item: line break pasted") << "item"
                                                 << "Ed_Komentar"
                                                 << "x" << true << "a\nb"
                                                 << "x" << 1 << ""
                                                 << "";
        QTest::newRow("item: no Windows-1250 pasted") << "item"
                                                      << "Ed_Komentar"
                                                      << "x" << true << "Ελλάδα"
                                                      << "x" << 1 << "box"
                                                      << "„Ε“ (U+0395)";
        QTest::newRow("item: Czech text pasted") << "item"
                                                 << "Ed_Komentar"
                                                 << "x" << true << " – € ok"
                                                 << "x – € ok" << 0 << ""
                                                 << "";
        QTest::newRow("item: menu paste unfiltered") << "item"
                                                     << "Ed_Ucet"
                                                     << "12" << true << "3 4a"
                                                     << "123 4a" << 0 << ""
                                                     << "";
        QTest::newRow("item: bar pasted into a number") << "item"
                                                        << "Ed_Ucet"
                                                        << "1" << true << "2|3"
                                                        << "1" << 1 << ""
                                                        << "";
        QTest::newRow("item: paste past the limit") << "item"
                                                    << "Ed_KonstSymbol"
                                                    << "" << true << "030800"
                                                    << "" << 1 << ""
                                                    << "";

        QTest::newRow("preset: bar typed") << "preset"
                                           << "Ed_NazevPlatby"
                                           << "" << false << "Ná|jem"
                                           << "Nájem" << 1 << "tip"
                                           << "„|“";
        QTest::newRow("preset: line break pasted") << "preset"
                                                   << "Ed_Komentar"
                                                   << "Start" << true << "a\r\nb"
                                                   << "Start" << 1 << "tip"
                                                   << "řádk";
        QTest::newRow("preset: no Windows-1250 pasted") << "preset"
                                                        << "Ed_Komentar"
                                                        << "Start" << true << "Søren"
                                                        << "Start" << 1 << "tip"
                                                        << "„ø“ (U+00F8)";
        QTest::newRow("preset: menu paste unfiltered") << "preset"
                                                       << "Ed_Ucet"
                                                       << "12" << true << "ab"
                                                       << "12ab" << 0 << ""
                                                       << "";
        QTest::newRow("preset: bar pasted into a number") << "preset"
                                                          << "Ed_Ucet"
                                                          << "1" << true << "2|3"
                                                          << "1" << 1 << "tip"
                                                          << "„|“";
        QTest::newRow("preset: paste past the limit") << "preset"
                                                      << "Ed_Kod"
                                                      << "08" << true << "0012"
                                                      << "08" << 0 << ""
                                                      << "";

        QTest::newRow("settings: bar typed into the bank") << "settings"
                                                           << "Ed_Banka1"
                                                           << "Banka" << false << "|"
                                                           << "Banka" << 0 << "box"
                                                           << "„|“";
        QTest::newRow("settings: no Windows-1250 typed") << "settings"
                                                         << "Ed_Banka2"
                                                         << "Ulice" << false << "ø"
                                                         << "Ulice" << 0 << "box"
                                                         << "„ø“ (U+00F8)";
        QTest::newRow("settings: bar in the client name") << "settings"
                                                          << "Ed_Banka5"
                                                          << "AB" << true << "c|d"
                                                          << "ABC|D" << 0 << ""
                                                          << "";
        QTest::newRow("settings: bar in the currency") << "settings"
                                                       << "Ed_Mena"
                                                       << "Kč" << false << "|"
                                                       << "Kč|" << 0 << ""
                                                       << "";
        QTest::newRow("settings: client number pasted") << "settings"
                                                        << "Ed_Banka6"
                                                        << "12" << true << "3.4"
                                                        << "123.4" << 0 << ""
                                                        << "";
        QTest::newRow("settings: letter in the client number") << "settings"
                                                               << "Ed_Banka6"
                                                               << "12" << true << "4a"
                                                               << "12" << 1 << ""
                                                               << "";
        QTest::newRow("settings: no Windows-1250 in the client number") << "settings"
                                                                        << "Ed_Banka6"
                                                                        << "12" << true << "ø"
                                                                        << "12" << 1 << ""
                                                                        << "";
        QTest::newRow("settings: paste cut to the length") << "settings"
                                                           << "Ed_Banka4"
                                                           << "08" << true << "00123"
                                                           << "0800" << 0 << ""
                                                           << "";
    }
    void text() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(int, beeps);
        QFETCH(QString, told);
        QFETCH(QString, reason);
        QLineEdit* edit = open(dialog, field, start);
        if (paste) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            Type(edit, input);
        }
        QCoreApplication::processEvents();
        QCOMPARE(edit->text(), result);
        QCOMPARE(BeepCount(), beeps);
        const QList<DialogHook::Record> records = DialogHook::Records();
        QCOMPARE(records.size(), told == "box" ? 1 : 0);
        if (told == "box")
            QVERIFY2(records.at(0).text.contains(reason), qPrintable(records.at(0).text));
        if (told == "tip")
            QVERIFY2(QToolTip::text().contains(reason), qPrintable(QToolTip::text()));
        else
            QCOMPARE(QToolTip::text(), kNoTip);
    }

    // Single keys into the filtered fields, with "34" on the clipboard.
    void keys_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("beeps");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;

        for (const char* dialog : {"item", "preset"}) {
            const QString d = QLatin1String(dialog);
            QTest::addRow("%s: digit", dialog) << d << "Ed_Ucet"
                                               << "12" << int(Qt::Key_5) << none << "5"
                                               << "125" << 0;
            QTest::addRow("%s: minus", dialog) << d << "Ed_Ucet"
                                               << "12" << int(Qt::Key_Minus) << none << "-"
                                               << "12-" << 0;
            QTest::addRow("%s: full stop", dialog) << d << "Ed_VarSymbol"
                                                   << "12" << int(Qt::Key_Period) << none << "."
                                                   << "12." << 0;
            QTest::addRow("%s: letter", dialog) << d << "Ed_Ucet"
                                                << "12" << int(Qt::Key_A) << none << "a"
                                                << "12" << 0;
            QTest::addRow("%s: comma", dialog) << d << "Ed_SpecSymbol"
                                               << "12" << int(Qt::Key_Comma) << none << ","
                                               << "12" << 0;
            QTest::addRow("%s: bar", dialog) << d << "Ed_Kod"
                                             << "12" << int(Qt::Key_Bar) << shift << "|"
                                             << "12" << 0;
            QTest::addRow("%s: Backspace", dialog) << d << "Ed_Ucet"
                                                   << "12" << int(Qt::Key_Backspace) << none << "\b"
                                                   << "1" << 0;
            QTest::addRow("%s: Ctrl+V", dialog) << d << "Ed_Ucet"
                                                << "12" << int(Qt::Key_V) << ctrl << "\x16"
                                                << "12" << 0;
            QTest::addRow("%s: Ctrl+V without a character", dialog) << d << "Ed_Ucet"
                                                                    << "12" << int(Qt::Key_V) << ctrl << ""
                                                                    << "12" << 0;
            QTest::addRow("%s: Shift+Insert", dialog) << d << "Ed_Ucet"
                                                      << "12" << int(Qt::Key_Insert) << shift << ""
                                                      << "12" << 0;
            QTest::addRow("%s: past the limit", dialog) << d << "Ed_KonstSymbol"
                                                        << "0308" << int(Qt::Key_1) << none << "1"
                                                        << "0308" << 0;
        }
        QTest::newRow("preset: Enter") << "preset"
                                       << "Ed_Ucet"
                                       << "12" << int(Qt::Key_Return) << none << "\r"
                                       << "12" << 0;

        QTest::newRow("item: comma into the empty amount") << "item"
                                                           << "Ed_Platba"
                                                           << "" << int(Qt::Key_Comma) << none << ","
                                                           << "0," << 0;
        QTest::newRow("item: full stop into the empty amount") << "item"
                                                               << "Ed_Platba"
                                                               << "" << int(Qt::Key_Period) << none << "."
                                                               << "0," << 0;
        QTest::newRow("item: full stop is the comma") << "item"
                                                      << "Ed_Platba"
                                                      << "12" << int(Qt::Key_Period) << none << "."
                                                      << "12," << 0;
        QTest::newRow("item: second comma") << "item"
                                            << "Ed_Platba"
                                            << "1,2" << int(Qt::Key_Comma) << none << ","
                                            << "1,2" << 0;
        QTest::newRow("item: minus in the amount") << "item"
                                                   << "Ed_Platba"
                                                   << "12" << int(Qt::Key_Minus) << none << "-"
                                                   << "12-" << 0;
        QTest::newRow("item: letter in the amount") << "item"
                                                    << "Ed_Platba"
                                                    << "12" << int(Qt::Key_A) << none << "a"
                                                    << "12" << 0;
        QTest::newRow("item: amount limit") << "item"
                                            << "Ed_Platba"
                                            << "1234567890123" << int(Qt::Key_4) << none << "4"
                                            << "1234567890123" << 0;
        QTest::newRow("item: comma at the amount limit") << "item"
                                                         << "Ed_Platba"
                                                         << "1234567890123" << int(Qt::Key_Comma) << none << ","
                                                         << "1234567890123" << 0;

        QTest::newRow("settings: digit") << "settings"
                                         << "Ed_Banka6"
                                         << "12" << int(Qt::Key_5) << none << "5"
                                         << "125" << 0;
        QTest::newRow("settings: full stop") << "settings"
                                             << "Ed_Banka6"
                                             << "12" << int(Qt::Key_Period) << none << "."
                                             << "12." << 0;
        QTest::newRow("settings: minus") << "settings"
                                         << "Ed_Banka6"
                                         << "12" << int(Qt::Key_Minus) << none << "-"
                                         << "12" << 1;
        QTest::newRow("settings: Backspace") << "settings"
                                             << "Ed_Banka6"
                                             << "12" << int(Qt::Key_Backspace) << none << "\b"
                                             << "1" << 0;
        QTest::newRow("settings: Ctrl+V without a character") << "settings"
                                                              << "Ed_Banka6"
                                                              << "12" << int(Qt::Key_V) << ctrl << ""
                                                              << "12" << 1;
        QTest::newRow("settings: Enter") << "settings"
                                         << "Ed_Banka6"
                                         << "12" << int(Qt::Key_Return) << none << "\r"
                                         << "12" << 1;
        QTest::newRow("settings: Shift+Insert") << "settings"
                                                << "Ed_Banka6"
                                                << "12" << int(Qt::Key_Insert) << shift << ""
                                                << "1234" << 0;
        QTest::newRow("settings: past the length") << "settings"
                                                   << "Ed_Banka6"
                                                   << "1234567890" << int(Qt::Key_1) << none << "1"
                                                   << "1234567890" << 0;
    }
    void keys() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QFETCH(int, beeps);
        QLineEdit* edit = open(dialog, field, start);
        QApplication::clipboard()->setText(QStringLiteral("34"));
        SendKey(edit, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(edit->text(), result);
        QCOMPARE(BeepCount(), beeps);
        QVERIFY(DialogHook::Records().isEmpty());
    }
};

QTEST_MAIN(TestFieldGuard)
#include "tst_fieldguard.moc"
