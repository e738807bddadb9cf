#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on the next modal widget once it is shown: call before the code that opens it.
// Fails the test when no modal widget appeared within the time.
class ModalAction {
public:
    explicit ModalAction(std::function<void(QWidget*)> action, int timeoutMs = 5000)
        : m_state(std::make_shared<State>()) {
        m_state->action = std::move(action);
        m_state->deadline = timeoutMs;
        poll(m_state);
    }
    ~ModalAction() { m_state->cancelled = true; }
    bool happened() const { return m_state->done; }

private:
    struct State {
        std::function<void(QWidget*)> action;
        int deadline = 0;
        int waited = 0;
        bool done = false;
        bool cancelled = false;
    };
    static void poll(std::shared_ptr<State> s) {
        QTimer::singleShot(10, [s] {
            if (s->cancelled || s->done)
                return;
            if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
                s->done = true;
                s->action(w);
                return;
            }
            s->waited += 10;
            if (s->waited < s->deadline)
                poll(s);
        });
    }
    std::shared_ptr<State> m_state;
};
