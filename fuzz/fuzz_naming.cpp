// File names: the name order is a total order (no two answers contradict
// each other) and mask matching agrees with a plain reference matcher.
//
// Input: mask NUL name NUL name NUL name (missing parts are empty).

#include "fuzz/fuzz_check.h"
#include "messages/naming.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;

bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The characters of a name: a lead byte and a trail byte make one.
std::vector<Bytes> characters(const Bytes &s) {
    std::vector<Bytes> out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = i + 1 < s.size() && isLead(static_cast<unsigned char>(s[i])) &&
                                 isTrail(static_cast<unsigned char>(s[i + 1]))
                             ? 2
                             : 1;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameCharacter(const Bytes &a, const Bytes &b) {
    return a.size() == 1 && b.size() == 1 ? lower(a[0]) == lower(b[0]) : a == b;
}

// Pattern characters against name characters, by the table of what matches
// what so far.
bool matchOne(const Bytes &pattern, const Bytes &name) {
    const std::vector<Bytes> p = characters(pattern), s = characters(name);
    // can[i][j]: the first i pattern characters match the first j name characters.
    std::vector<std::vector<bool>> can(p.size() + 1, std::vector<bool>(s.size() + 1, false));
    can[0][0] = true;
    for (size_t i = 1; i <= p.size(); ++i)
        for (size_t j = 0; j <= s.size(); ++j) {
            if (p[i - 1] == "*")
                can[i][j] = can[i - 1][j] || (j > 0 && can[i][j - 1]);
            else if (j > 0)
                can[i][j] = can[i - 1][j - 1] && (p[i - 1] == "?" || sameCharacter(p[i - 1], s[j - 1]));
        }
    return can[p.size()][s.size()];
}

bool matchMask(const Bytes &mask, const Bytes &name) {
    size_t start = 0;
    for (;;) {
        const size_t semi = mask.find(';', start);
        const Bytes pattern = mask.substr(start, semi == Bytes::npos ? Bytes::npos : semi - start);
        if (pattern == "*.*" || pattern == "*" || (!pattern.empty() && matchOne(pattern, name)))
            return true;
        if (semi == Bytes::npos)
            return false;
        start = semi + 1;
    }
}

int sign(int v) { return (v > 0) - (v < 0); }

bool isAscii(const Bytes &s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::vector<Bytes> parts;
    size_t start = 0;
    while (parts.size() < 3) {
        const size_t nul = input.find('\0', start);
        parts.push_back(input.substr(start, nul == std::string::npos ? std::string::npos : nul - start));
        if (nul == std::string::npos)
            break;
        start = nul + 1;
    }
    if (parts.size() == 3)
        parts.push_back(input.substr(start));
    while (parts.size() < 4)
        parts.emplace_back();
    const Bytes &mask = parts[0];
    const Bytes names[3] = {parts[1], parts[2], parts[3]};

    const vb::FileMask filter(mask);
    for (const Bytes &name : names)
        FUZZ_CHECK(filter.matches(name) == matchMask(mask, name));

    for (const Bytes &a : names) {
        FUZZ_CHECK(vb::compareFileNames(a, a) == 0);
        for (const Bytes &b : names) {
            const int ab = sign(vb::compareFileNames(a, b));
            FUZZ_CHECK(ab == -sign(vb::compareFileNames(b, a)));
            FUZZ_CHECK((ab == 0) == (a == b));
            // Plain ASCII names: letters without regard to case, then the bytes.
            if (isAscii(a) && isAscii(b)) {
                Bytes fa = a, fb = b;
                for (char &c : fa)
                    c = lower(c);
                for (char &c : fb)
                    c = lower(c);
                FUZZ_CHECK(ab == sign(fa != fb ? fa.compare(fb) : a.compare(b)));
            }
            for (const Bytes &c : names)
                if (ab <= 0 && vb::compareFileNames(b, c) <= 0)
                    FUZZ_CHECK(vb::compareFileNames(a, c) <= 0);
        }
    }
    return 0;
}
