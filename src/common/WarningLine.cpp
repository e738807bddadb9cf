#include "common/WarningLine.h"

#include "common/PlainText.h"

WarningLine::WarningLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("La_Varovani"));
    setWordWrap(true);
    PlainLabel(this);
    setContentsMargins(8, 4, 8, 4);
    setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; color: #7a1010; }"));
    hide();
}

void WarningLine::Show(const QString& text) {
    setText(text);
    setVisible(!text.isEmpty());
}
