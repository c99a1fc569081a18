#pragma once
// Stepping through code-page bytes: a lead byte followed by a trail byte is
// one double-byte character, whose trail byte is never taken for a letter,
// a bracket or a separator of its own.

#include <cstddef>
#include <string_view>

namespace vb {
namespace mbcs {

inline bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Length in bytes (1 or 2) of the character that starts at s[i].
inline size_t charLength(std::string_view s, size_t i) {
    return i + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[i])) &&
                   isTrailByte(static_cast<unsigned char>(s[i + 1]))
               ? 2
               : 1;
}

// The longest prefix of s of at most maxBytes that does not end inside a
// double-byte character.
inline size_t cutLength(std::string_view s, size_t maxBytes) {
    if (s.size() <= maxBytes)
        return s.size();
    size_t i = 0;
    while (i < maxBytes) {
        const size_t n = charLength(s, i);
        if (i + n > maxBytes)
            break;
        i += n;
    }
    return i;
}

// ASCII letters to lower case; every other byte unchanged.
inline unsigned char foldLetter(unsigned char b) { return b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b; }

} // namespace mbcs
} // namespace vb
