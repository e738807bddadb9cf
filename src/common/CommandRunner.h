#pragma once

#include <QAction>
#include <QObject>
#include <functional>

// The application's top-level error handler: a command that throws ends there, its message is
// shown in the error box and the window goes on.
void RunCommand(const std::function<void()>& command);

// Connects an action's triggered signal to a command run through RunCommand.
template <class Receiver, class Method> void ConnectCommand(QAction* action, Receiver* receiver, Method method) {
    QObject::connect(action, &QAction::triggered, receiver,
                     [receiver, method] { RunCommand([&] { (receiver->*method)(); }); });
}
