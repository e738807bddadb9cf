#include "FieldKinds.h"
#include "Typing.h"
#include "common/Beep.h"
#include "common/DialogHook.h"
#include "common/PlainText.h"
#include "dialogs/FieldGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <memory>
#include <optional>

namespace {

// Counts the key presses that got past the filter to the field.
class KeyProbe : public QObject {
public:
    int passed = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        passed += event->type() == QEvent::KeyPress;
        return false;
    }
};

const QString kNoTip = NoToolTip();

} // namespace

class TestFieldGuard : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;

    std::unique_ptr<QWidget> m_window;
    KeyProbe m_probe;

    // The field with start in it as the program puts it there, shown, the cursor at its end, the
    // focus in another field.
    QLineEdit* open(const QString& name, const QString& start) {
        m_window = std::make_unique<QWidget>();
        QLineEdit* edit = GuardedLike(FieldNamed(name), m_window.get(), &m_probe);
        auto* other = new QLineEdit(m_window.get());
        auto* layout = new QVBoxLayout(m_window.get());
        layout->addWidget(edit);
        layout->addWidget(other);
        FieldGuard::Of(edit)->setText(start);
        m_window->show();
        other->setFocus();
        edit->end(false);
        QToolTip::showText(edit->mapToGlobal(QPoint()), kNoTip, edit);
        m_probe.passed = 0;
        ResetBeepCount();
        DialogHook::ClearRecords();
        return edit;
    }

private slots:
    void init() { m_dialogs = DialogHook::Activate(); }
    void cleanup() {
        m_window.reset();
        m_dialogs.restore();
    }

    // Typed or pasted text: what stays in the field, the beeps, and what is told where.
    void text_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("paste"); // else typed key by key
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("told"); // "box", "tip" or empty
        QTest::addColumn<QString>("reason");
        const QString bar = QStringLiteral("Text obsahuje znak „|“, který v souboru příkazu odděluje pole.");
        const QString lineBreak = QStringLiteral("Text obsahuje konec řádku.");
        const auto codePage = [](const char* character) {
            return QStringLiteral("Text obsahuje znak %1, který nelze uložit v kódování Windows-1250.")
                .arg(QString::fromUtf8(character));
        };
        const auto row = [](const char* name, const char* field, const char* start, bool paste, const char* input,
                            const char* result, int beeps, const char* told, const QString& reason) {
            QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(start) << paste
                                << QString::fromUtf8(input) << QString::fromUtf8(result) << beeps
                                << QString::fromUtf8(told) << reason;
        };
        row("item: bar typed", "item comment", "", false, "a|b", "ab", 1, "", {});
        row("item: no Windows-1250", "item comment", "x", true, "Ελλάδα", "x", 1, "box", codePage("„Ε“ (U+0395)"));
        row("item: past the limit", "item number", "", true, "03080", "", 1, "", {});
        row("item: program text past the limit", "item number", "123456", true, "7", "123456", 1, "", {});
        row("preset: bar typed", "preset text", "", false, "Ná|jem", "Nájem", 1, "tip", bar);
        row("preset: two bars typed", "preset text", "", false, "a||b", "ab", 2, "tip", bar);
        row("preset: bar pasted", "preset number", "12", true, "|3", "12", 1, "tip", bar);
        row("preset: lone line feed", "preset text", "Start", true, "a\nb", "Start", 1, "tip", lineBreak);
        row("preset: no Windows-1250", "preset text", "Start", true, "Søren", "Start", 1, "tip",
            codePage("„ø“ (U+00F8)"));
        row("preset: Czech text and €", "preset text", "Start", true, " Příliš žluťoučký kůň €",
            "Start Příliš žluťoučký kůň €", 0, "", {});
        row("preset: letters pasted into a number", "preset number", "12", true, "ab", "12ab", 0, "", {});
        row("preset: typed letters, bar and blank dropped", "preset number", "", false, "1a| x-č.", "1-.", 0, "", {});
        row("preset: line break", "preset text", "Start", true, "a\r\nb", "Start", 1, "tip", lineBreak);
        row("preset: emoji", "preset text", "Start", true, "ok 😀", "Start", 1, "tip", codePage("„😀“ (U+1F600)"));
        row("preset: past the limit", "preset number", "08", true, "0012", "08", 0, "", {});
        row("settings: bar typed", "settings bank", "Banka", false, "|", "Banka", 0, "box", bar);
        row("settings: bar pasted", "settings bank", "AB", true, "C|D", "AB", 0, "box", bar);
        row("settings: no Windows-1250 typed", "settings bank", "Ulice", false, "ø", "Ulice", 0, "box",
            codePage("„ø“ (U+00F8)"));
        row("settings: bar typed where the file takes it", "settings text", "AB", false, "|", "AB|", 0, "", {});
        row("settings: line break", "settings bank", "Banka", true, "a\nb", "Banka", 0, "box", lineBreak);
        row("settings: typed into a program text with a bar", "settings bank", "A|B", false, "x", "A|B", 0, "box", bar);
        row("settings: bar where the file takes it", "settings text", "Kč", true, "c|d", "Kčc|d", 0, "", {});
        row("settings: line break where a bar may be", "settings text", "Kč", true, "|\r", "Kč", 0, "box", lineBreak);
        row("settings: no Windows-1250 where a bar may be", "settings text", "Kč", true, "|ø", "Kč", 0, "box",
            codePage("„ø“ (U+00F8)"));
        row("settings: cut to the line edit's length", "settings bank code", "08", true, "00123", "0800", 0, "", {});
        row("client number", "client number", "12", true, "3.4", "123.4", 0, "", {});
        row("client number: letter", "client number", "12", true, "4a", "12", 1, "", {});
        row("client number: no Windows-1250", "client number", "12", true, "ø", "12", 1, "", {});
        row("client number: blank", "client number", "12", true, "4 5", "12", 1, "", {});
        row("client number: typed past the length", "client number", "", false, "12ab.3456789012", "12.3456789", 2, "",
            {});
    }
    void text() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(int, beeps);
        QFETCH(QString, told);
        QFETCH(QString, reason);
        QLineEdit* edit = open(field, start);
        QSignalSpy changes(edit, &QLineEdit::textChanged);
        if (paste) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            Type(edit, input);
        }
        QCOMPARE(edit->text(), result);
        QCOMPARE(changes.isEmpty(), result == start); // a refusal is no change
        QCOMPARE(BeepCount(), beeps);
        const QList<DialogHook::Record> records = DialogHook::Records();
        QCOMPARE(records.size(), told == "box" ? 1 : 0);
        if (told == "box")
            QCOMPARE(records.at(0).text, reason);
        QCOMPARE(QToolTip::text(), told == "tip" ? PlainToolTip(reason) : kNoTip);
        // The box hands the focus to the field whose text it refused.
        QCOMPARE(m_window->focusWidget() == edit, told == "box");
    }

    // Single keys, with "34" on the clipboard: what the field holds, the beeps, and whether the
    // key got through to the field (Enter to the dialog's default button, say).
    void keys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("passed");
        const auto row = [](const char* name, const char* field, const char* start, int key, int modifiers,
                            const char* text, const char* result, int beeps, bool passed) {
            QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(start) << key << modifiers
                                << QString::fromUtf8(text) << QString::fromUtf8(result) << beeps << passed;
        };
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        row("number: digit", "item number", "12", Qt::Key_5, 0, "5", "125", 0, true);
        row("number: letter", "item number", "12", Qt::Key_A, 0, "a", "12", 0, false);
        row("number: comma", "item number", "12", Qt::Key_Comma, 0, ",", "12", 0, false);
        row("number: Backspace", "item number", "12", Qt::Key_Backspace, 0, "\b", "1", 0, true);
        row("number: Ctrl+Backspace", "item number", "12", Qt::Key_Backspace, ctrl, "\b", "12", 0, false);
        row("number: Alt+Backspace, undo", "item number", "12", Qt::Key_Backspace, Qt::AltModifier, "\b", "12", 0,
            false);
        row("number: Left", "item number", "12", Qt::Key_Left, 0, "", "12", 0, true);
        row("number: Ctrl+V", "item number", "12", Qt::Key_V, ctrl, "\x16", "12", 0, false);
        row("number: Ctrl+V without a character", "item number", "12", Qt::Key_V, ctrl, "", "12", 0, false);
        row("number: Ctrl+A", "item number", "12", Qt::Key_A, ctrl, "\x01", "12", 0, false);
        row("number: Shift+Insert", "item number", "12", Qt::Key_Insert, shift, "", "12", 0, false);
        row("number: Enter is the dialog's", "item number", "12", Qt::Key_Return, 0, "\r", "12", 0, true);
        row("number: Esc is the dialog's", "item number", "12", Qt::Key_Escape, 0, "\x1b", "12", 0, true);
        row("number: past the limit", "item number", "0308", Qt::Key_1, 0, "1", "0308", 0, false);
        row("number: Ctrl+C", "preset number", "12", Qt::Key_C, ctrl, "\x03", "12", 0, false);
        row("number: Ctrl+X", "preset number", "12", Qt::Key_X, ctrl, "\x18", "12", 0, false);
        row("number: Ctrl+Z", "preset number", "12", Qt::Key_Z, ctrl, "\x1a", "12", 0, false);
        row("number: Shift+Delete", "preset number", "12", Qt::Key_Delete, shift, "\x7f", "12", 0, false);
        row("number: Ctrl+Insert", "preset number", "12", Qt::Key_Insert, ctrl, "", "12", 0, false);
        row("number: Delete as X11 sends it", "preset number", "12", Qt::Key_Delete, 0, "\x7f", "12", 0, true);
        row("number: shortening a program text past the limit", "item number", "123456", Qt::Key_Backspace, 0, "\b",
            "12345", 0, true);
        row("amount: full stop into the empty field", "item amount", "", Qt::Key_Period, 0, ".", "0,", 0, false);
        row("amount: full stop is the comma", "item amount", "12", Qt::Key_Period, 0, ".", "12,", 0, false);
        row("amount: second comma", "item amount", "1,2", Qt::Key_Comma, 0, ",", "1,2", 0, false);
        row("amount: past the limit", "item amount", "1234567890123", Qt::Key_4, 0, "4", "1234567890123", 0, false);
        row("amount: comma past the limit", "item amount", "1234567890123", Qt::Key_Comma, 0, ",", "1234567890123", 0,
            false);
        row("client number: digit", "client number", "12", Qt::Key_5, 0, "5", "125", 0, true);
        row("client number: full stop", "client number", "12", Qt::Key_Period, 0, ".", "12.", 0, true);
        row("client number: Backspace", "client number", "12", Qt::Key_Backspace, 0, "\b", "1", 0, true);
        row("client number: Left", "client number", "12", Qt::Key_Left, 0, "", "12", 0, true);
        row("client number: letter", "client number", "12", Qt::Key_A, 0, "a", "12", 1, false);
        row("client number: comma", "client number", "12", Qt::Key_Comma, 0, ",", "12", 1, false);
        row("client number: blank", "client number", "12", Qt::Key_Space, 0, " ", "12", 1, false);
        row("client number: Ctrl+C", "client number", "12", Qt::Key_C, ctrl, "\x03", "12", 1, false);
        row("client number: Ctrl+V", "client number", "12", Qt::Key_V, ctrl, "\x16", "12", 1, false);
        row("client number: Ctrl+X", "client number", "12", Qt::Key_X, ctrl, "\x18", "12", 1, false);
        row("client number: Ctrl+Z", "client number", "12", Qt::Key_Z, ctrl, "\x1a", "12", 1, false);
        row("client number: minus", "client number", "12", Qt::Key_Minus, 0, "-", "12", 1, false);
        row("client number: Ctrl+V without a character", "client number", "12", Qt::Key_V, ctrl, "", "12", 1, false);
        row("client number: Enter types a character", "client number", "12", Qt::Key_Return, 0, "\r", "12", 1, false);
        row("client number: Shift+Insert types nothing", "client number", "12", Qt::Key_Insert, shift, "", "1234", 0,
            true);
        row("client number: past the length", "client number", "1234567890", Qt::Key_1, 0, "1", "1234567890", 0, true);
    }
    void keys() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QFETCH(int, beeps);
        QFETCH(bool, passed);
        QLineEdit* edit = open(field, start);
        QApplication::clipboard()->setText(QStringLiteral("34"));
        SendKey(edit, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(edit->text(), result);
        QCOMPARE(BeepCount(), beeps);
        QCOMPARE(m_probe.passed > 0, passed);
        QVERIFY(DialogHook::Records().isEmpty());
    }
};

QTEST_MAIN(TestFieldGuard)
#include "tst_fieldguard.moc"
