#pragma once

#include <QObject>
#include <functional>

#include "common/errorreport.h"

// Connects a widget's signal to a handler that may throw (a field that does not read as a number): the error
// goes to the default error report here instead of unwinding through Qt's signal delivery.
template <class Sender, class Signal>
void connectGuarded(Sender* sender, Signal signal, QObject* context, std::function<void()> handler)
{
    QObject::connect(sender, signal, context, [handler = std::move(handler)] { runGuarded(handler); });
}
