#include "TestModal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

struct ModalAction::State {
    std::function<void(QWidget*)> action;
    bool once = true; // else acts on every modal widget until cancelled
    int deadline = 0;
    int waited = 0;
    bool done = false;
    bool cancelled = false;
    QString seen; // the title of the first widget acted on
};

namespace {

void Poll(const std::shared_ptr<ModalAction::State>& s) {
    QTimer::singleShot(10, [s] {
        if (s->cancelled || (s->once && s->done))
            return;
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            if (!s->done)
                s->seen = w->windowTitle();
            s->done = true;
            s->action(w);
            if (s->once)
                return;
        }
        s->waited += 10;
        if (!s->once || s->waited < s->deadline)
            Poll(s);
    });
}

void Fail(const char* message, const std::source_location& where) {
    // One failure is enough: a test that stopped early says why itself.
    if (!QTest::currentTestFailed())
        QTest::qFail(message, where.file_name(), int(where.line()));
}

} // namespace

ModalAction::ModalAction(std::function<void(QWidget*)> action, int timeoutMs, std::source_location where)
    : m_state(std::make_shared<State>()), m_where(where) {
    m_state->action = std::move(action);
    m_state->deadline = timeoutMs;
    Poll(m_state);
}

ModalAction::~ModalAction() {
    m_state->cancelled = true;
    if (!m_state->done)
        Fail("no modal window appeared", m_where);
}

bool ModalAction::happened() const {
    return m_state->done;
}

NoModalWindow::NoModalWindow(std::source_location where)
    : m_state(std::make_shared<ModalAction::State>()), m_where(where) {
    m_state->once = false;
    m_state->action = [](QWidget* w) { w->close(); };
    Poll(m_state);
}

NoModalWindow::~NoModalWindow() {
    m_state->cancelled = true;
    if (m_state->done)
        Fail(qPrintable(QStringLiteral("a modal window appeared: „%1“").arg(m_state->seen)), m_where);
}

bool NoModalWindow::appeared() const {
    return m_state->done;
}
