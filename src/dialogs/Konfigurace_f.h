#pragma once

#include <QDialog>

class CheckLine;
class OrderHost;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Konfigurace": edits the settings of the run and stores them in the settings file.
class TKonfigurace : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinYear = 1990;
    static constexpr int kMaxYear = 2100;

    explicit TKonfigurace(OrderHost& host, QWidget* parent = nullptr);

    // What the dialog shows when the user should fill in the currency label.
    static QString EmptyCurrencyMessage();

private:
    void FormCreate();
    void Ed_Banka1Change();
    // The payer's account and bank code, checked as typed; only a warning.
    void updateAccountCheck();
    void AktualRokClick();
    void Ed_Banka5Edited(const QString& text);
    void OKClick();

    OrderHost& m_host;
    QSpinBox* AktualRok = nullptr;
    QLineEdit* Ed_AktualRokText = nullptr;
    QLineEdit* Ed_Banka1 = nullptr;
    QLineEdit* Ed_Banka2 = nullptr;
    QLineEdit* Ed_Banka3 = nullptr;
    QLineEdit* Ed_Banka4 = nullptr;
    QLineEdit* Ed_Banka5 = nullptr;
    QLineEdit* Ed_Banka6 = nullptr;
    QLineEdit* Ed_Mena = nullptr;
    CheckLine* La_KontrolaUctu = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Storno = nullptr;
};
