#pragma once

#include <QWidget>

class QLabel;
struct PaymentHint;

// The one line under account fields that tells what the payment checks say: the bank's name, the
// IBAN or what is wrong. A warning shows with an icon; a text too long for the line is shortened
// with "…" and shown whole in the tooltip. It never stops the user.
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

    QLabel* m_icon = nullptr;
    QLabel* m_label = nullptr;
    QString m_text;
    bool m_warning = false;
};
