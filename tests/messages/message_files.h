#pragma once
// Small helpers shared by the message-file tests.

#include "tests/common/failures.h"
#include "tests/common/testfiles.h"
#include "platform/codepage.h"

#include <fstream>
#include <string>

namespace vbtest {

inline void put(const std::string &fsPath, const std::string &content) { putFile(fsPath, content); }
inline std::string get(const std::string &fsPath) { return getFile(fsPath); }

} // namespace vbtest
