#pragma once
// Small helpers shared by the message-file tests.

#include "tests/common/testfiles.h"
#include "ui/core/codepage.h"
#include "ui/core/errors.h"

#include <fstream>
#include <string>

namespace vbtest {

inline void put(const std::string &fsPath, const std::string &content) { putFile(fsPath, content); }
inline std::string get(const std::string &fsPath) { return getFile(fsPath); }

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
