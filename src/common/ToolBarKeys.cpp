#include "common/ToolBarKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

ToolBarKeys::ToolBarKeys(QToolBar* bar, const QKeySequence& key) : QObject(bar), m_bar(bar) {
    auto* enter = new QAction(bar);
    enter->setObjectName(bar->objectName() + QStringLiteral("_Fokus"));
    enter->setShortcut(key);
    enter->setShortcutContext(Qt::WindowShortcut);
    connect(enter, &QAction::triggered, this, [this] { FocusItem(0); });
    // On the window, not the bar: an action of the bar would show as a button.
    bar->window()->addAction(enter);
    bar->setAccessibleDescription(
        QStringLiteral("Na nástrojovou lištu přejdete klávesou %1").arg(key.toString(QKeySequence::NativeText)));
}

QList<QWidget*> ToolBarKeys::items() const {
    QList<QWidget*> out;
    for (QAction* a : m_bar->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        QWidget* w = m_bar->widgetForAction(a);
        // Labels only name the field beside them.
        if (w && w->isVisibleTo(m_bar) && w->isEnabled() && !qobject_cast<QLabel*>(w))
            out << w;
    }
    return out;
}

void ToolBarKeys::watchItems() {
    for (QWidget* w : items()) {
        w->removeEventFilter(this);
        w->installEventFilter(this);
    }
}

void ToolBarKeys::FocusItem(int index) {
    const QList<QWidget*> all = items();
    if (all.isEmpty())
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && !m_bar->isAncestorOf(focus))
        m_back = focus;
    watchItems();
    QWidget* item = all[std::clamp(index, 0, int(all.size()) - 1)];
    item->setFocus(Qt::ShortcutFocusReason);
}

bool ToolBarKeys::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier))
        return false;
    const QList<QWidget*> all = items();
    const int at = int(all.indexOf(w));
    if (at < 0)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (!edit)
        edit = w->findChild<QLineEdit*>(); // a spin box's or an editable combo's text
    auto* button = qobject_cast<QAbstractButton*>(w);
    bool ours = false;
    int to = at;
    switch (key->key()) {
    case Qt::Key_Left:
        ours = !edit || (edit->cursorPosition() == 0 && !edit->hasSelectedText());
        to = at - 1;
        break;
    case Qt::Key_Right:
        ours = !edit || (edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText());
        to = at + 1;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        ours = !edit;
        to = key->key() == Qt::Key_Home ? 0 : int(all.size()) - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ours = button != nullptr;
        break;
    case Qt::Key_Escape:
        ours = true;
        break;
    default:
        break;
    }
    if (!ours)
        return false;
    // Claimed before the window's shortcuts see the key (Esc would close the window).
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    if (key->key() == Qt::Key_Escape) {
        if (m_back)
            m_back->setFocus(Qt::OtherFocusReason);
        else
            w->clearFocus();
    } else if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        button->click();
    } else if (to >= 0 && to < all.size()) {
        all[to]->setFocus(Qt::TabFocusReason);
    }
    return true;
}
