#include "common/ServeEvents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

std::function<void()> ServeEventsEvery(int milliseconds) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer, milliseconds] {
        if (timer->elapsed() < milliseconds)
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        timer->restart();
    };
}
