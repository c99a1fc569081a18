#pragma once
// Character steps through code-page bytes: a lead byte and the byte after it
// form one double-byte character, whose second byte is never taken for a
// letter of its own.

#include <cstddef>

namespace vb {
namespace mbcs {

inline bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the character at s[i] (s has n bytes, i < n): 2 for a lead byte
// with a byte after it, else 1.
inline size_t charLength(const char *s, size_t i, size_t n) {
    return isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n ? 2 : 1;
}

// ASCII letters to lower case; every other byte unchanged.
inline unsigned char foldLetter(unsigned char b) { return b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b; }

} // namespace mbcs
} // namespace vb
