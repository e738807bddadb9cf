#pragma once

#include "qr/QrCode.h"

#include <QDialog>
#include <optional>

class OrderHost;
class QLabel;
class QLineEdit;
class QPushButton;

// The QR Platba code of one item, drawn as vectors at the widget's size.
class QrCodeView : public QWidget {
    Q_OBJECT
public:
    explicit QrCodeView(const QrCode& code, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QrCode m_code;
};

// The command "QR Platba": the code of the selected row, large enough to scan from the screen,
// with the payee, amount and symbols under it and the text itself; copied as a picture or saved
// as PNG or SVG. A row that cannot have a code says why instead.
class TQrPlatba : public QDialog {
    Q_OBJECT
public:
    explicit TQrPlatba(OrderHost& host, QWidget* parent = nullptr);

    // The code's text; empty when the row cannot have one.
    QString PaymentText() const { return m_text; }
    // Why the row cannot have a code; empty when it can.
    QString Problem() const { return m_problem; }
    // The order file's path without ".ppu" and the row: "…/2025001-polozka3".
    QString BaseFileName() const;

    void Tl_KopirovatObrazekClick();
    void Tl_UlozitClick();

private:
    void addPaymentPart(class QVBoxLayout* layout);

    OrderHost& m_host;
    int m_row = 0;
    QString m_text;
    QString m_problem;
    std::optional<QrCode> m_code;
    QLineEdit* Ed_Text = nullptr;
    QPushButton* Tl_KopirovatObrazek = nullptr;
    QPushButton* Tl_Ulozit = nullptr;
    QPushButton* Tl_Zavrit = nullptr;
};
