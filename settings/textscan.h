#pragma once
// Byte-level helpers for scanning settings-file text in the Japanese code
// page: a double-byte character is a lead byte followed by a valid trail
// byte, and its trail byte is never taken for "]", "\\" or a letter.

#include "platform/codepage.h"
#include "platform/mbcs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vb {
namespace textscan {

using mbcs::charLength;
using mbcs::cutLength;
using mbcs::isLeadByte;
using mbcs::isTrailByte;

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s);

// Section and key names compare with ASCII letters folded to lower case;
// the bytes of double-byte characters are kept as they are.
Bytes foldName(std::string_view s);
uint64_t foldedHash(std::string_view s);
bool sameName(std::string_view a, std::string_view b);

} // namespace textscan
} // namespace vb
