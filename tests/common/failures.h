#pragma once
// The runtime failure a piece of code raises, as its text.

#include "platform/errors.h"

namespace vbtest {

// The text of the runtime failure that f raises, or "<none>".
template <class F>
vb::Bytes failureText(F f) {
    try {
        f();
    } catch (const vb::RuntimeError &e) {
        return e.text();
    }
    return "<none>";
}

} // namespace vbtest
