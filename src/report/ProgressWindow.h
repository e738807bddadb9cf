#pragma once

#include "common/SeamGuard.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;

// The progress window of long compositions, exports and prints: it appears only when the work
// takes a while, keeps the program responsive and offers "Zrušit". Without a widget application
// (benchmarks) it shows nothing.
class ProgressWindow {
public:
    explicit ProgressWindow(const QString& caption, bool enabled = true);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Shows done of total with label; false once the user has cancelled.
    bool Step(int done, int total, const QString& label);
    bool WasCancelled() const;

    // How long work runs before the window shows; tests set 0 to see it at once.
    static SeamGuard SetShowAfter(int milliseconds);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_updated;
};
