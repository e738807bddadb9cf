#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class OrderHost;
class CheckLine;
class FieldGuard;
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
    bool Ed_UcetKeyPress(QLineEdit* edit, QKeyEvent* event);
    bool Ed_PlatbaKeyPress(QKeyEvent* event);
    void Ed_PlatbaExit();
    void Ed_UcetChange();
    void Tl_OkClick();
    void Tl_StornoClick();
    void Tl_PrenestClick();

    QLineEdit* makeField(const char* name, int limit, bool filtered);
    // Program-set text: neither the typing limit nor the refusal beep applies.
    void setFieldText(QLineEdit* edit, const QString& text);
    void fieldRefused(QLineEdit* edit);
    double otherRowsTotal() const;
    // The line under the fields: bank name, IBAN or what the checks find wrong.
    void updateCheckLine();

    OrderHost& m_host;
    int m_row = 0;
    bool m_closing = false;

    QLineEdit* m_edUcet = nullptr;
    QLineEdit* m_edKod = nullptr;
    QPushButton* m_tlPrenest = nullptr;
    QLabel* m_laPlatba = nullptr;
    QLineEdit* m_edPlatba = nullptr;
    QLineEdit* m_edVarSymbol = nullptr;
    QLineEdit* m_edKonstSymbol = nullptr;
    QLineEdit* m_edSpecSymbol = nullptr;
    QLineEdit* m_edKomentar = nullptr;
    CheckLine* m_laKontrola = nullptr;
    QPushButton* m_tlOk = nullptr;
    QPushButton* m_tlStorno = nullptr;
};
