#pragma once

#include <QObject>
#include <QString>
#include <QValidator>

class QKeyEvent;
class QLineEdit;

// Guards a line edit against text that its file cannot hold, whichever way the text arrives (keys,
// the context menu, middle click, drag and drop): a line edit runs every insertion through its
// validator, and a refused one leaves the field as it was.
//
// The typing limit binds the user only: a longer text put in by the program (a shifted preset
// line, a hand-edited settings file) stays whole and may be shortened, but not lengthened.
class FieldGuard : public QValidator {
    Q_OBJECT
public:
    struct Rules {
        // "|" is refused too: the text goes into a "|"-separated line. Line breaks and characters
        // outside Windows-1250 are refused in every field.
        bool bar = true;
        int limit = 0;        // 0: none
        QString characters{}; // the only characters the text may hold; empty: any
    };

    // How the field makes a refusal known.
    enum class Notice { Silent, Beep, BeepAndTip, BeepAndBox, Box };
    struct Voice {
        Notice separator; // a "|" or a line break
        Notice codePage;  // a character outside Windows-1250
        bool beepOther;   // a character outside Rules::characters, a text past the limit
    };

    // Guards edit from now on; the edit owns the guard.
    FieldGuard(QLineEdit* edit, const Rules& rules, const Voice& voice);
    // The guard of edit, or nullptr.
    static FieldGuard* Of(const QLineEdit* edit);

    State validate(QString& input, int& pos) const override;

    // Text from the program: taken as it is, whatever typing could not enter.
    void setText(const QString& text);
    int limit() const { return m_rules.limit; }

private:
    enum class Refusal { None, Separator, CodePage, Other };
    Refusal judge(const QString& text, QString& reason) const;
    void refused();

    QLineEdit* m_edit;
    Rules m_rules;
    Voice m_voice;
    QString m_accepted; // the field's text since its last change
    mutable Refusal m_refusal = Refusal::None;
    mutable QString m_reason;
};

// Lets through only the keys that may type into a field; the field's guard still sees whatever
// arrives otherwise. One filter may watch several fields.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    struct Rule {
        QString characters{};      // what may be typed; Backspace and the editing keys always pass
        bool decimalComma = false; // "." types ","; "," into an empty field gives "0,"; one comma at most
        // Only what a key types is judged: keys that type nothing pass (Shift+Insert among them),
        // and Enter types a character. Otherwise the clipboard and undo keys are refused as well,
        // and Enter and Esc are left to the dialog.
        bool charactersOnly = false;
        bool beep = false; // a refused key beeps; otherwise it is dropped silently
    };

    explicit KeyFilter(const Rule& rule, QObject* parent = nullptr);
    void watch(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Verdict { Pass, Refuse, Type };
    Verdict judge(const QKeyEvent* key) const;
    // Whether the typed text is dropped (or typed here instead).
    bool drops(QLineEdit* edit, QString text) const;
    bool refuse() const;

    Rule m_rule;
};
