#pragma once

#include "order/Presets.h"

#include <QDialog>
#include <QValidator>
#include <array>

class QLineEdit;
class QPushButton;

// Refuses any text that cannot be stored in a "|"-separated line of a Windows-1250 file: a "|",
// a line break or a character the code page lacks. It guards typing and pasting alike (context
// menu, Ctrl+V, drag and drop), since a line edit runs every insertion through its validator.
// refused() tells why, so that the dialog can beep and show the reason.
//
// It also holds the field's maximum length, which binds the user only: a longer text put in by the
// program (a shifted preset line) stays whole and can be shortened, but not lengthened by typing.
// QLineEdit::setMaxLength would cut such a text and lose its end on the next save.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    explicit StorableTextValidator(int maxLength, QLineEdit* edit);
    State validate(QString& input, int& pos) const override;
    // Why text cannot be stored, in Czech; empty when it can.
    static QString Problem(const QString& text);
    // Call before the program sets a text, so that its length counts as allowed.
    void allowText(const QString& text);

signals:
    void refused(const QString& reason) const;

private:
    int m_maxLength = 0; // 0: no limit
    qsizetype m_currentLength = 0;
};

// The account, bank code and symbol fields take only digits, "-", "." and Backspace when typed;
// control characters (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z) are refused like any other key.
// Navigation, Tab, Enter and Esc pass.
class NumericKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
    static bool IsAllowedText(const QString& text);
};

// The small modal dialog that types or changes one preset. The caller sets the caption, fills the
// fields with setPreset(), runs exec() and, after Accepted, reads preset() (untrimmed: the caller
// trims). Tl_Ok starts disabled each time the dialog is shown and is enabled by the first change.
class TEditacePredvolbyPlatby : public QDialog {
    Q_OBJECT
public:
    explicit TEditacePredvolbyPlatby(QWidget* parent = nullptr);

    void setPreset(const PaymentPreset& preset);
    PaymentPreset preset() const;

    QLineEdit* Ed_NazevPlatby = nullptr;
    QLineEdit* Ed_Ucet = nullptr;
    QLineEdit* Ed_Kod = nullptr;
    QLineEdit* Ed_VarSymbol = nullptr;
    QLineEdit* Ed_KonstSymbol = nullptr;
    QLineEdit* Ed_SpecSymbol = nullptr;
    QLineEdit* Ed_Komentar = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void Ed_NazevPlatbyChange(int index);
    void TextRefused(QLineEdit* field, const QString& reason);
    std::array<QLineEdit*, kPresetFieldCount> fields() const;

    // The texts at the last showing or change, so that a refused insertion, which Qt reports as
    // a change back to the same text, does not count as one.
    std::array<QString, kPresetFieldCount> m_lastTexts;
    std::array<StorableTextValidator*, kPresetFieldCount> m_validators{};
};
