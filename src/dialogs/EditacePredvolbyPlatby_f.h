#pragma once

#include "order/Presets.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

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
    std::array<QLineEdit*, kPresetFieldCount> fields() const;

    // The texts at the last showing or change, so that a refused insertion, which Qt reports as
    // a change back to the same text, does not count as one.
    std::array<QString, kPresetFieldCount> m_lastTexts;
};
