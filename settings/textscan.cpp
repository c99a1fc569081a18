#include "settings/textscan.h"

namespace vb {
namespace textscan {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Calls f(byte) for every byte of s, single-byte letters folded to lower
// case and double-byte characters passed as they are.
template <typename F>
inline void forEachFolded(std::string_view s, F f) {
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            f(lower(char(c)));
        } else if (i + 1 < n && isLeadByte(c) && isTrailByte(static_cast<unsigned char>(s[i + 1]))) {
            f(char(c));
            f(s[++i]);
        } else {
            f(char(c));
        }
    }
}

} // namespace

std::string_view trimBlanks(std::string_view s) {
    size_t from = 0, to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.substr(from, to - from);
}

Bytes foldName(std::string_view s) {
    Bytes out;
    out.reserve(s.size());
    forEachFolded(s, [&](char c) { out.push_back(c); });
    return out;
}

uint64_t foldedHash(std::string_view s) {
    uint64_t h = 0xcbf29ce484222325ull; // FNV-1a
    forEachFolded(s, [&](char c) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    });
    return h;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        const size_t n = charLength(a, i);
        if (n != charLength(b, i))
            return false;
        if (n == 2 ? (a[i] != b[i] || a[i + 1] != b[i + 1]) : lower(a[i]) != lower(b[i]))
            return false;
        i += n;
    }
    return true;
}

} // namespace textscan
} // namespace vb
