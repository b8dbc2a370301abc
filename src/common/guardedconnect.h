#pragma once

#include <QObject>
#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>

#include "common/errorreport.h"

// Handlers that can raise the program's errors (a field that does not read as a number, a division by zero,
// a failed write) are connected through here. The error ends the handler and goes to the default error
// report where it was raised, so it never unwinds through Qt's signal delivery: a click performed from code,
// a timer's tick and a button's own mouse handling all carry on as if the handler had returned. Whatever the
// handler did before the error stays done, and the next signal runs it again as usual.

/// A handler whose escaping errors go to the default error report. It is callable exactly as the handler is,
/// so Qt hands it the leading arguments of a signal that the handler takes, and it also serves callbacks kept
/// as std::function (the mouse handlers).
template <class Handler> class Guarded
{
public:
    explicit Guarded(Handler handler) : m_handler(std::move(handler)) {}

    template <class... Args>
    requires std::invocable<Handler&, Args...>
    void operator()(Args&&... args)
    {
        runGuarded([&] { std::invoke(m_handler, std::forward<Args>(args)...); });
    }

private:
    Handler m_handler;
};

template <class Handler> Guarded<Handler> guarded(Handler handler)
{
    return Guarded<Handler>(std::move(handler));
}

/// Connects a signal to a guarded handler: any callable, or a member function of `context`. The connection
/// ends with `context`, as QObject::connect's does.
template <class Sender, class Signal, class Context, class Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Context* context, Handler handler)
{
    static_assert(std::is_base_of_v<QObject, Context>, "the context must be a QObject");
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        return QObject::connect(sender, signal, context, guarded(std::bind_front(handler, context)));
    } else {
        return QObject::connect(sender, signal, context, guarded(std::move(handler)));
    }
}
