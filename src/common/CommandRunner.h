#pragma once

#include <QAction>
#include <QObject>
#include <functional>
#include <type_traits>

// The application's top-level error handler: a command that throws ends there, its message is
// shown in the error box and the window goes on.
void RunCommand(const std::function<void()>& command);

namespace CommandRunnerDetail {

// Calls handler with the signal's arguments when it takes them, else without any.
template <class Receiver, class Handler, class... Args>
void Call(Receiver* receiver, const Handler& handler, const Args&... args) {
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        if constexpr (std::is_invocable_v<const Handler&, Receiver*, const Args&...>)
            std::invoke(handler, receiver, args...);
        else
            std::invoke(handler, receiver);
    } else if constexpr (std::is_invocable_v<const Handler&, const Args&...>) {
        std::invoke(handler, args...);
    } else {
        std::invoke(handler);
    }
}

} // namespace CommandRunnerDetail

// As QObject::connect, with the handler run through RunCommand, so that no exception unwinds
// through the event loop. handler is a member function of receiver or any callable; it takes
// the signal's arguments or none.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection ConnectCommand(Sender* sender, Signal signal, Receiver* receiver, Handler handler) {
    // The return type is given, so that Qt can count the arguments without the body.
    return QObject::connect(sender, signal, receiver, [receiver, handler](const auto&... args) -> void {
        RunCommand([&] { CommandRunnerDetail::Call(receiver, handler, args...); });
    });
}

// Connects an action's triggered signal to a command run through RunCommand.
template <class Receiver, class Method>
QMetaObject::Connection ConnectCommand(QAction* action, Receiver* receiver, Method method) {
    return ConnectCommand(action, &QAction::triggered, receiver, method);
}
