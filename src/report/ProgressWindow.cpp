#include "report/ProgressWindow.h"

#include "common/Dialogs.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
int showAfterMs = 700;
} // namespace

SeamGuard ProgressWindow::SetShowAfter(int milliseconds) {
    SeamGuard guard([before = showAfterMs] { showAfterMs = before; });
    showAfterMs = milliseconds;
    return guard;
}

ProgressWindow::ProgressWindow(const QString& caption, bool enabled) {
    if (!enabled || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    m_dialog = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Zrušit"), 0, 1, DialogParent());
    m_dialog->setObjectName(QStringLiteral("ProgressWindow"));
    m_dialog->setWindowTitle(caption);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(showAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

ProgressWindow::~ProgressWindow() = default;

bool ProgressWindow::Step(int done, int total, const QString& label) {
    if (!m_dialog)
        return true;
    // Repainting the window at every page costs a long print more than its pages: once it shows,
    // it is brought up to date a few times a second, and at the end; timers still run between.
    if (m_dialog->isVisible() && m_updated.isValid() && m_updated.elapsed() < 100 && done < total) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !m_dialog->wasCanceled();
    }
    m_updated.start();
    if (m_dialog->maximum() != std::max(1, total))
        m_dialog->setMaximum(std::max(1, total));
    m_dialog->setLabelText(label);
    // setValue lets pending events through once the window shows; before that, do it here so
    // a long run never freezes the screen.
    m_dialog->setValue(std::min(done, m_dialog->maximum()));
    if (!m_dialog->isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return !m_dialog->wasCanceled();
}

bool ProgressWindow::WasCancelled() const {
    return m_dialog && m_dialog->wasCanceled();
}
