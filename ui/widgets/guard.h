#pragma once
// The general error report: every event handler runs through it. A runtime
// failure ends the handler where it happened, is shown in an error box under
// the application title (its text, a full stop, and the system's reason in
// brackets when it has one), and the program goes on with the next event. Running
// out of memory, and any other standard exception, is reported the same way:
// the one as "メモリが不足しています", the other by its own text.

#include <QObject>
#include <functional>

namespace vb {

void guarded(const std::function<void()> &handler);

// Connects a signal to a handler that runs through the general error report;
// the connection lives as long as context.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, const QObject *context, Handler handler) {
    return QObject::connect(sender, signal, context, [handler] { guarded(handler); });
}

} // namespace vb
