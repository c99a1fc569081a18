#pragma once
// The general error report: every event handler runs through it. A runtime
// failure ends the handler where it happened, is shown in an error box under
// the application title, and the program goes on with the next event.

#include <functional>

namespace vb {

void guarded(const std::function<void()> &handler);

} // namespace vb
