#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modeless find dialog of the overview: text, direction, match case and whole cell. Each
// "Najít další" emits findNext; the owner searches and closes it when nothing is found.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString findText() const;
    bool down() const;
    bool matchCase() const;
    bool wholeWord() const;

    // For tests and the owner: the same settings a user would make.
    void setOptions(const QString& text, bool down, bool matchCase, bool wholeWord);

Q_SIGNALS:
    void findNext();

private:
    QLineEdit* Ed_Text = nullptr;
    QRadioButton* Rb_Nahoru = nullptr;
    QRadioButton* Rb_Dolu = nullptr;
    QCheckBox* ChB_CelaSlova = nullptr;
    QCheckBox* ChB_Velikost = nullptr;
    QPushButton* Tl_Najit = nullptr;
    QPushButton* Tl_Storno = nullptr;
};
