#pragma once

#include <QWidget>

class QLabel;
struct PaymentHint;

// The line under account fields that tells what the payment checks say: the bank's name, the IBAN
// or what is wrong. A warning shows with an icon; a text too long for one line wraps onto more, so
// that it can be read whole without a mouse, and the dialog grows with it. It never stops the user.
class CheckLine : public QWidget {
    Q_OBJECT
public:
    explicit CheckLine(const QString& objectName, QWidget* parent = nullptr);

    void setHint(const PaymentHint& hint);
    QString text() const { return m_text; }
    bool isWarning() const { return m_warning; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showText();
    int textHeight() const; // of the text wrapped at the label's width

    QLabel* m_icon = nullptr;
    QLabel* m_label = nullptr;
    QString m_text;
    bool m_warning = false;
};
