#include "common/PlainText.h"

#include <QLabel>

QLabel* PlainLabel(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString PlainToolTip(const QString& text) {
    if (text.isEmpty())
        return text;
    // pre-wrap keeps runs of blanks and line breaks; a long line may still wrap like any tooltip.
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}
