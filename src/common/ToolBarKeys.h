#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>

class QToolBar;
class QWidget;

// Lets the keyboard reach a tool bar, whose buttons take no focus of their own: key (anywhere in
// the bar's window) moves the focus to its first item, Left and Right go along its buttons and
// fields (out of a text field at either end of its text), Home and End to the first and last,
// Enter or Space presses the button, Esc gives the focus back to where it was. The buttons stay
// out of the Tab order, so Tab still goes through the window's own fields.
class ToolBarKeys : public QObject {
public:
    ToolBarKeys(QToolBar* bar, const QKeySequence& key);

    // The key that moves the focus to the bar, for tooltips and help texts.
    static QKeySequence DefaultKey() { return QKeySequence(Qt::Key_F10); }

    // Moves the focus to the bar's first item (index 0) or another.
    void FocusItem(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> items() const;
    void watchItems();

    QToolBar* m_bar;
    QPointer<QWidget> m_back;
};
