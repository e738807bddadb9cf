#pragma once

#include <QDialog>

class QPlainTextEdit;

// A modal viewer for a text listing: fixed-pitch, no wrapping; edits are thrown away on close.
class TextWindow : public QDialog {
    Q_OBJECT
public:
    TextWindow(const QString& caption, const QString& text, QWidget* parent = nullptr);
    QPlainTextEdit* editor() const { return m_edit; }

private:
    QPlainTextEdit* m_edit = nullptr;
};
