#pragma once
// Small helpers shared by the message-file tests.

#include "codepage.h"
#include "errors.h"

#include <fstream>
#include <string>

namespace vbtest {

inline void put(const std::string &fsPath, const std::string &content) {
    std::ofstream(fsPath, std::ios::binary) << content;
}

inline std::string get(const std::string &fsPath) {
    std::ifstream in(fsPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text of the runtime failure that f raises, or "<none>".
template <class F> vb::Bytes failureText(F f) {
    try {
        f();
    } catch (const vb::RuntimeError &e) {
        return e.text();
    }
    return "<none>";
}

} // namespace vbtest
