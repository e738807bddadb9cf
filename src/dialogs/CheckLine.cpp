#include "dialogs/CheckLine.h"

#include "bank/PaymentChecks.h"
#include "common/PlainText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

CheckLine::CheckLine(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    m_icon = new QLabel(this);
    const int side = fontMetrics().height();
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    m_icon->setFixedSize(side, side);
    m_label = new QLabel(this);
    m_label->setObjectName(objectName + QStringLiteral("_Text"));
    // The line must not widen the dialog: it takes the width the fields give it.
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlainLabel(m_label); // bank names come from the user's bank list
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    layout->addWidget(m_label, 1);
    setFixedHeight(std::max(side, fontMetrics().height()));
    m_icon->setVisible(false);
}

void CheckLine::setHint(const PaymentHint& hint) {
    m_text = hint.Text;
    m_warning = hint.Warning;
    m_icon->setVisible(m_warning);
    QPalette pal = palette();
    if (m_warning)
        pal.setColor(QPalette::WindowText, QColor(0xA0, 0x10, 0x10));
    m_label->setPalette(pal);
    setToolTip(PlainToolTip(m_text));
    m_label->setAccessibleName(m_text);
    showText();
}

void CheckLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showText();
}

int CheckLine::textHeight() const {
    const QFontMetrics fm = m_label->fontMetrics();
    if (m_text.isEmpty() || m_label->width() <= 0)
        return fm.height();
    return fm
        .boundingRect(QRect(0, 0, m_label->width(), 100 * fm.lineSpacing()),
                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text)
        .height();
}

void CheckLine::showText() {
    m_label->setText(m_text);
    // The height follows the text at the present width; the dialog's layout passes it on.
    const int height = std::max(m_icon->height(), textHeight());
    if (height != this->height() || minimumHeight() != height) {
        m_label->setFixedHeight(height);
        setFixedHeight(height);
    }
}
