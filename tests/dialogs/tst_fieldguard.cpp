#include "common/Beep.h"
#include "common/DialogHook.h"
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

using Notice = FieldGuard::Notice;

// The fields of the three editing dialogs, by the way they guard and filter.
struct Field {
    FieldGuard::Rules rules;
    FieldGuard::Voice voice;
    std::optional<KeyFilter::Rule> keys;
    int maxLength = 0; // the line edit's own
};

Field FieldNamed(const QString& name) {
    const FieldGuard::Voice item{.separator = Notice::Beep, .codePage = Notice::BeepAndBox, .beepOther = true};
    const FieldGuard::Voice preset{.separator = Notice::BeepAndTip, .codePage = Notice::BeepAndTip, .beepOther = false};
    const FieldGuard::Voice settings{.separator = Notice::Box, .codePage = Notice::Box, .beepOther = true};
    const KeyFilter::Rule numbers{.characters = QStringLiteral("0123456789-.")};
    const QString clientNumber = QStringLiteral("0123456789.");
    if (name == "item comment")
        return {{}, item, std::nullopt};
    if (name == "item number")
        return {{.limit = 4}, item, numbers};
    if (name == "item amount")
        return {
            {.limit = 13}, item, KeyFilter::Rule{.characters = QStringLiteral("0123456789-"), .decimalComma = true}};
    if (name == "preset text")
        return {{}, preset, std::nullopt};
    if (name == "preset number")
        return {{.limit = 4}, preset, numbers};
    if (name == "settings bank")
        return {{}, settings, std::nullopt};
    if (name == "settings bank code")
        return {{}, settings, std::nullopt, 4};
    if (name == "settings text")
        return {{.bar = false}, settings, std::nullopt};
    if (name == "client number")
        return {{.bar = false, .characters = clientNumber},
                settings,
                KeyFilter::Rule{.characters = clientNumber, .charactersOnly = true, .beep = true},
                10};
    qFatal("no field %s", qPrintable(name));
}

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

// Counts the key presses that got past the filter to the field.
class KeyProbe : public QObject {
public:
    int passed = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        passed += event->type() == QEvent::KeyPress;
        return false;
    }
};

const QString kNoTip = QStringLiteral("(žádná)");

} // namespace

class TestFieldGuard : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    KeyProbe m_probe;

    // The field with start in it as the program puts it there, shown, the cursor at its end, the
    // focus in another field.
    QLineEdit* open(const QString& name, const QString& start) {
        const Field field = FieldNamed(name);
        m_window = std::make_unique<QWidget>();
        auto* edit = new QLineEdit(m_window.get());
        auto* other = new QLineEdit(m_window.get());
        auto* layout = new QVBoxLayout(m_window.get());
        layout->addWidget(edit);
        layout->addWidget(other);
        if (field.maxLength > 0)
            edit->setMaxLength(field.maxLength);
        new FieldGuard(edit, field.rules, field.voice);
        edit->installEventFilter(&m_probe);
        if (field.keys)
            (new KeyFilter(*field.keys, m_window.get()))->watch(edit);
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
    void init() { DialogHook::Activate(); }
    void cleanup() {
        m_window.reset();
        DialogHook::Deactivate();
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

        QTest::newRow("item: bar typed") << "item comment"
                                         << "" << false << "a|b"
                                         << "ab" << 1 << "" << QString();
        QTest::newRow("item: line break pasted") << "item comment"
                                                 << "x" << true << "a\nb"
                                                 << "x" << 1 << "" << QString();
        QTest::newRow("item: no Windows-1250 pasted") << "item comment"
                                                      << "x" << true << "Ελλάδα"
                                                      << "x" << 1 << "box" << codePage("„Ε“ (U+0395)");
        QTest::newRow("item: Czech text pasted") << "item comment"
                                                 << "x" << true << " – € ok"
                                                 << "x – € ok" << 0 << "" << QString();
        QTest::newRow("item: pasted into a number unfiltered") << "item number"
                                                               << "1" << true << "2a"
                                                               << "12a" << 0 << "" << QString();
        QTest::newRow("item: bar pasted into a number") << "item number"
                                                        << "1" << true << "2|3"
                                                        << "1" << 1 << "" << QString();
        QTest::newRow("item: paste past the limit") << "item number"
                                                    << "" << true << "03080"
                                                    << "" << 1 << "" << QString();
        QTest::newRow("item: program text past the limit") << "item number"
                                                           << "123456" << true << "7"
                                                           << "123456" << 1 << "" << QString();

        QTest::newRow("preset: bar typed") << "preset text"
                                           << "" << false << "Ná|jem"
                                           << "Nájem" << 1 << "tip" << bar;
        QTest::newRow("preset: line break pasted") << "preset text"
                                                   << "Start" << true << "a\r\nb"
                                                   << "Start" << 1 << "tip" << lineBreak;
        QTest::newRow("preset: no Windows-1250 pasted") << "preset text"
                                                        << "Start" << true << "Søren"
                                                        << "Start" << 1 << "tip" << codePage("„ø“ (U+00F8)");
        QTest::newRow("preset: emoji pasted") << "preset text"
                                              << "Start" << true << "ok 😀"
                                              << "Start" << 1 << "tip" << codePage("„😀“ (U+1F600)");
        QTest::newRow("preset: pasted into a number unfiltered") << "preset number"
                                                                 << "12" << true << "ab"
                                                                 << "12ab" << 0 << "" << QString();
        QTest::newRow("preset: paste past the limit") << "preset number"
                                                      << "08" << true << "0012"
                                                      << "08" << 0 << "" << QString();

        QTest::newRow("settings: bar typed into the bank") << "settings bank"
                                                           << "Banka" << false << "|"
                                                           << "Banka" << 0 << "box" << bar;
        QTest::newRow("settings: no Windows-1250 typed") << "settings bank"
                                                         << "Ulice" << false << "ø"
                                                         << "Ulice" << 0 << "box" << codePage("„ø“ (U+00F8)");
        QTest::newRow("settings: line break pasted into the bank") << "settings bank"
                                                                   << "Banka" << true << "a\nb"
                                                                   << "Banka" << 0 << "box" << lineBreak;
        QTest::newRow("settings: typed into a program text with a bar") << "settings bank"
                                                                        << "A|B" << false << "x"
                                                                        << "A|B" << 0 << "box" << bar;
        QTest::newRow("settings: bar where the file takes it") << "settings text"
                                                               << "Kč" << true << "c|d"
                                                               << "Kčc|d" << 0 << "" << QString();
        QTest::newRow("settings: line break where a bar may be") << "settings text"
                                                                 << "Kč" << true << "|\r"
                                                                 << "Kč" << 0 << "box" << lineBreak;
        QTest::newRow("settings: no Windows-1250 where a bar may be") << "settings text"
                                                                      << "Kč" << true << "|ø"
                                                                      << "Kč" << 0 << "box" << codePage("„ø“ (U+00F8)");
        QTest::newRow("settings: cut to the line edit's length") << "settings bank code"
                                                                 << "08" << true << "00123"
                                                                 << "0800" << 0 << "" << QString();
        QTest::newRow("client number pasted") << "client number"
                                              << "12" << true << "3.4"
                                              << "123.4" << 0 << "" << QString();
        QTest::newRow("letter in the client number") << "client number"
                                                     << "12" << true << "4a"
                                                     << "12" << 1 << "" << QString();
        QTest::newRow("no Windows-1250 in the client number") << "client number"
                                                              << "12" << true << "ø"
                                                              << "12" << 1 << "" << QString();
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
        QCOMPARE(QToolTip::text(), told == "tip" ? reason : kNoTip);
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
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const int alt = Qt::AltModifier;

        QTest::newRow("number: digit") << "item number"
                                       << "12" << int(Qt::Key_5) << none << "5"
                                       << "125" << 0 << true;
        QTest::newRow("number: minus") << "item number"
                                       << "12" << int(Qt::Key_Minus) << none << "-"
                                       << "12-" << 0 << true;
        QTest::newRow("number: full stop") << "item number"
                                           << "12" << int(Qt::Key_Period) << none << "."
                                           << "12." << 0 << true;
        QTest::newRow("number: letter") << "item number"
                                        << "12" << int(Qt::Key_A) << none << "a"
                                        << "12" << 0 << false;
        QTest::newRow("number: Czech letter") << "preset number"
                                              << "12" << int(Qt::Key_unknown) << none << "č"
                                              << "12" << 0 << false;
        QTest::newRow("number: comma") << "item number"
                                       << "12" << int(Qt::Key_Comma) << none << ","
                                       << "12" << 0 << false;
        QTest::newRow("number: bar") << "item number"
                                     << "12" << int(Qt::Key_Bar) << shift << "|"
                                     << "12" << 0 << false;
        QTest::newRow("number: blank") << "item number"
                                       << "12" << int(Qt::Key_Space) << none << " "
                                       << "12" << 0 << false;
        QTest::newRow("number: Backspace") << "item number"
                                           << "12" << int(Qt::Key_Backspace) << none << "\b"
                                           << "1" << 0 << true;
        QTest::newRow("number: Ctrl+Backspace") << "item number"
                                                << "12" << int(Qt::Key_Backspace) << ctrl << "\b"
                                                << "12" << 0 << false;
        QTest::newRow("number: Alt+Backspace, undo") << "item number"
                                                     << "12" << int(Qt::Key_Backspace) << alt << "\b"
                                                     << "12" << 0 << false;
        QTest::newRow("number: Left") << "item number"
                                      << "12" << int(Qt::Key_Left) << none << ""
                                      << "12" << 0 << true;
        QTest::newRow("number: Ctrl+V") << "item number"
                                        << "12" << int(Qt::Key_V) << ctrl << "\x16"
                                        << "12" << 0 << false;
        QTest::newRow("number: Ctrl+V without a character") << "item number"
                                                            << "12" << int(Qt::Key_V) << ctrl << ""
                                                            << "12" << 0 << false;
        QTest::newRow("number: Ctrl+A") << "preset number"
                                        << "12" << int(Qt::Key_A) << ctrl << "\x01"
                                        << "12" << 0 << false;
        QTest::newRow("number: Shift+Insert") << "item number"
                                              << "12" << int(Qt::Key_Insert) << shift << ""
                                              << "12" << 0 << false;
        QTest::newRow("number: Enter is the dialog's") << "preset number"
                                                       << "12" << int(Qt::Key_Return) << none << "\r"
                                                       << "12" << 0 << true;
        QTest::newRow("number: Esc is the dialog's") << "preset number"
                                                     << "12" << int(Qt::Key_Escape) << none << "\x1b"
                                                     << "12" << 0 << true;
        QTest::newRow("number: past the limit") << "item number"
                                                << "0308" << int(Qt::Key_1) << none << "1"
                                                << "0308" << 0 << false;
        QTest::newRow("number: program text past the limit") << "preset number"
                                                             << "19-2000" << int(Qt::Key_1) << none << "1"
                                                             << "19-2000" << 0 << false;

        QTest::newRow("amount: comma into the empty field") << "item amount"
                                                            << "" << int(Qt::Key_Comma) << none << ","
                                                            << "0," << 0 << false;
        QTest::newRow("amount: full stop into the empty field") << "item amount"
                                                                << "" << int(Qt::Key_Period) << none << "."
                                                                << "0," << 0 << false;
        QTest::newRow("amount: full stop is the comma") << "item amount"
                                                        << "12" << int(Qt::Key_Period) << none << "."
                                                        << "12," << 0 << false;
        QTest::newRow("amount: second comma") << "item amount"
                                              << "1,2" << int(Qt::Key_Comma) << none << ","
                                              << "1,2" << 0 << false;
        QTest::newRow("amount: minus") << "item amount"
                                       << "12" << int(Qt::Key_Minus) << none << "-"
                                       << "12-" << 0 << true;
        QTest::newRow("amount: letter") << "item amount"
                                        << "12" << int(Qt::Key_A) << none << "a"
                                        << "12" << 0 << false;
        QTest::newRow("amount: past the limit") << "item amount"
                                                << "1234567890123" << int(Qt::Key_4) << none << "4"
                                                << "1234567890123" << 0 << false;
        QTest::newRow("amount: comma past the limit") << "item amount"
                                                      << "1234567890123" << int(Qt::Key_Comma) << none << ","
                                                      << "1234567890123" << 0 << false;

        QTest::newRow("client number: digit") << "client number"
                                              << "12" << int(Qt::Key_5) << none << "5"
                                              << "125" << 0 << true;
        QTest::newRow("client number: full stop") << "client number"
                                                  << "12" << int(Qt::Key_Period) << none << "."
                                                  << "12." << 0 << true;
        QTest::newRow("client number: minus") << "client number"
                                              << "12" << int(Qt::Key_Minus) << none << "-"
                                              << "12" << 1 << false;
        QTest::newRow("client number: Backspace") << "client number"
                                                  << "12" << int(Qt::Key_Backspace) << none << "\b"
                                                  << "1" << 0 << true;
        QTest::newRow("client number: Ctrl+V") << "client number"
                                               << "12" << int(Qt::Key_V) << ctrl << "\x16"
                                               << "12" << 1 << false;
        QTest::newRow("client number: Ctrl+V without a character") << "client number"
                                                                   << "12" << int(Qt::Key_V) << ctrl << ""
                                                                   << "12" << 1 << false;
        QTest::newRow("client number: Enter types a character") << "client number"
                                                                << "12" << int(Qt::Key_Return) << none << "\r"
                                                                << "12" << 1 << false;
        QTest::newRow("client number: Esc") << "client number"
                                            << "12" << int(Qt::Key_Escape) << none << "\x1b"
                                            << "12" << 0 << true;
        QTest::newRow("client number: Shift+Insert types nothing") << "client number"
                                                                   << "12" << int(Qt::Key_Insert) << shift << ""
                                                                   << "1234" << 0 << true;
        QTest::newRow("client number: past the length") << "client number"
                                                        << "1234567890" << int(Qt::Key_1) << none << "1"
                                                        << "1234567890" << 0 << true;
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
