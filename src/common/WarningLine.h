#pragma once

#include <QLabel>

// The yellow line above a text or the pages that lists what a bank may turn back. The command goes
// ahead all the same; the line only tells.
class WarningLine : public QLabel {
public:
    explicit WarningLine(QWidget* parent);
    // Shows the text, or hides the line when it is empty.
    void Show(const QString& text);
};
