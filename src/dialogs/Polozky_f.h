#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class OrderHost;
class CheckLine;
class KeyFilter;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// "Editace položky": edits the main window's selected row. Every key typed into a numeric field
// is filtered, the amount is normalised when its field is left, and OK writes the row and saves.
class TPolozky : public QDialog {
    Q_OBJECT
public:
    explicit TPolozky(OrderHost& host, QWidget* parent = nullptr);
    ~TPolozky() override;

    // The amount as the editor stores it: rounded to the cent with exact halves to the even cent,
    // decimal comma, two decimals, no grouping. std::nullopt when the text is no number.
    static std::optional<QString> NormalisedAmount(const QString& text);

    void reject() override;
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    bool FormKeyDown(QKeyEvent* event);
    void Ed_PlatbaExit();
    void Ed_UcetChange();
    void Tl_OkClick();
    void Tl_StornoClick();
    void Tl_PrenestClick();

    // keys: the field's key filter, or nullptr.
    QLineEdit* makeField(const char* name, int limit, KeyFilter* keys);
    // Program-set text: neither the typing limit nor the refusal beep applies.
    void setFieldText(QLineEdit* edit, const QString& text);
    double otherRowsTotal() const;
    // The line under the fields: bank name, IBAN or what the checks find wrong.
    void updateCheckLine();

    OrderHost& m_host;
    int m_row = 0;
    bool m_closing = false;

    QLineEdit* Ed_Ucet = nullptr;
    QLineEdit* Ed_Kod = nullptr;
    QPushButton* Tl_Prenest = nullptr;
    QLabel* La_Platba = nullptr;
    QLineEdit* Ed_Platba = nullptr;
    QLineEdit* Ed_VarSymbol = nullptr;
    QLineEdit* Ed_KonstSymbol = nullptr;
    QLineEdit* Ed_SpecSymbol = nullptr;
    QLineEdit* Ed_Komentar = nullptr;
    CheckLine* La_Kontrola = nullptr;
    QPushButton* Tl_Ok = nullptr;
    QPushButton* Tl_Storno = nullptr;
};
