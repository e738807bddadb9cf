#include "common/CommandRunner.h"

#include "common/Dialogs.h"
#include "common/Error.h"

#include <exception>

namespace {

void Report(const QString& message) {
    try {
        ErrorBox(message);
    } catch (...) {
        // Nothing may unwind into the event loop, not even from the box itself.
    }
}

} // namespace

void RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const VelorinError& e) {
        Report(e.message());
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
    } catch (...) {
        Report(QStringLiteral("Příkaz skončil neočekávanou chybou"));
    }
}
