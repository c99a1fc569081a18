#define PCRE2_CODE_UNIT_WIDTH 8
#include "messages/matcher.h"
#include "ui/core/mbcs.h"

#include <cstdio>
#include <pcre2.h>

namespace vb {
namespace {

// The full-width letters and digits: lead byte 0x82 with these trail bytes.
constexpr unsigned char kWideLead = 0x82;
constexpr unsigned char kWideDigit0 = 0x4F, kWideUpperA = 0x60, kWideLowerA = 0x81;

// The ASCII form of a full-width letter or digit, or 0 when the two bytes are
// something else.
char narrowForm(unsigned char lead, unsigned char trail) {
    if (lead != kWideLead)
        return 0;
    if (trail >= kWideDigit0 && trail < kWideDigit0 + 10)
        return char('0' + (trail - kWideDigit0));
    if (trail >= kWideUpperA && trail < kWideUpperA + 26)
        return char('A' + (trail - kWideUpperA));
    if (trail >= kWideLowerA && trail < kWideLowerA + 26)
        return char('a' + (trail - kWideLowerA));
    return 0;
}

bool isAsciiLetter(unsigned c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether byte p of text starts a character. A byte below 0x40 is never the
// second half of a double-byte character, so the walk starts after the last
// such byte before p.
bool onBoundary(std::string_view text, size_t p) {
    if (p == 0 || p >= text.size())
        return true;
    size_t q = p;
    while (q > 0 && static_cast<unsigned char>(text[q - 1]) >= 0x40)
        --q;
    while (q < p)
        q += mbcs::charLength(text, q);
    return q == p;
}

size_t nextBoundary(std::string_view text, size_t p) {
    size_t q = p;
    while (q > 0 && static_cast<unsigned char>(text[q - 1]) >= 0x40)
        --q;
    while (q <= p && q < text.size())
        q += mbcs::charLength(text, q);
    return q;
}

// "." of a pattern: a double-byte character, else any byte but a line break.
constexpr char kAnyCharacter[] = "(?:[\\x81-\\x9f\\xe0-\\xfc][\\x40-\\x7e\\x80-\\xfc]|[^\\r\\n])";

Bytes hexByte(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02x", b);
    return buf;
}

// The pattern as the byte-wise engine reads it: double-byte characters kept
// whole, full-width letters and digits in their ASCII forms, "." as one
// character. False with *error for a double-byte character inside [ ], which
// a byte class cannot hold.
bool translatePattern(const Bytes &pattern, Bytes &out, Bytes *error) {
    bool inClass = false;
    size_t classStart = 0;
    for (size_t i = 0; i < pattern.size();) {
        const size_t n = mbcs::charLength(pattern, i);
        const auto b = static_cast<unsigned char>(pattern[i]);
        if (n == 2) {
            const char narrow = narrowForm(b, static_cast<unsigned char>(pattern[i + 1]));
            if (narrow)
                out += narrow;
            else if (inClass) {
                if (error)
                    *error = "A double-byte character cannot stand inside [ ]";
                return false;
            } else
                out += "(?:" + hexByte(b) + hexByte(static_cast<unsigned char>(pattern[i + 1])) + ")";
            i += 2;
            continue;
        }
        if (b == '\\' && i + 1 < pattern.size()) {
            const size_t m = mbcs::charLength(pattern, i + 1);
            if (m == 2 && !inClass) {
                const auto lead = static_cast<unsigned char>(pattern[i + 1]);
                out += "(?:" + hexByte(lead) + hexByte(static_cast<unsigned char>(pattern[i + 2])) + ")";
            } else if (m == 2) {
                if (error)
                    *error = "A double-byte character cannot stand inside [ ]";
                return false;
            } else
                out.append(pattern, i, 2);
            i += 1 + m;
            continue;
        }
        if (inClass) {
            // "]" right after "[" or "[^" is a member, not the end.
            if (b == ']' && i > classStart)
                inClass = false;
            out += char(b);
        } else if (b == '[') {
            inClass = true;
            out += '[';
            classStart = i + 1;
            if (classStart < pattern.size() && pattern[classStart] == '^') {
                out += '^';
                ++classStart;
                ++i;
            }
        } else if (b == '.')
            out += kAnyCharacter;
        else
            out += char(b);
        ++i;
    }
    return true;
}

// A text with its full-width letters and digits made ASCII, and where each of
// its bytes came from.
struct FoldedText {
    Bytes text;
    std::vector<size_t> origin; // origin[k]: the source byte of text[k]; one more entry for the end
};

bool hasWideForms(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t n = mbcs::charLength(s, i);
        if (n == 2 && narrowForm(static_cast<unsigned char>(s[i]), static_cast<unsigned char>(s[i + 1])))
            return true;
        i += n;
    }
    return false;
}

FoldedText foldWideForms(std::string_view s) {
    FoldedText f;
    f.text.reserve(s.size());
    f.origin.reserve(s.size() + 1);
    for (size_t i = 0; i < s.size();) {
        const size_t n = mbcs::charLength(s, i);
        const char narrow =
            n == 2 ? narrowForm(static_cast<unsigned char>(s[i]), static_cast<unsigned char>(s[i + 1])) : 0;
        if (narrow) {
            f.text += narrow;
            f.origin.push_back(i);
        } else
            for (size_t k = 0; k < n; ++k) {
                f.text += s[i + k];
                f.origin.push_back(i + k);
            }
        i += n;
    }
    f.origin.push_back(s.size());
    return f;
}

} // namespace

struct Matcher::Regex {
    pcre2_code *code = nullptr;
    ~Regex() { pcre2_code_free(code); }

    // The first non-empty match at or after from, on character boundaries.
    bool find(std::string_view s, size_t from, Hit &hit) const {
        pcre2_match_data *md = pcre2_match_data_create_from_pattern(code, nullptr);
        if (!md)
            return false;
        bool found = false;
        size_t pos = from;
        while (pos <= s.size()) {
            const int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), pos, 0, md, nullptr);
            if (rc < 0)
                break; // no match, or a limit reached: nothing more to find
            const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(md);
            const size_t b = ov[0], e = ov[1];
            if (e > b && onBoundary(s, b) && onBoundary(s, e)) {
                hit = {b, e};
                found = true;
                break;
            }
            if (b >= s.size())
                break;
            pos = nextBoundary(s, b);
        }
        pcre2_match_data_free(md);
        return found;
    }
};

unsigned foldedCode(std::string_view text, size_t i, size_t *length) {
    const size_t n = mbcs::charLength(text, i);
    if (length)
        *length = n;
    const auto b = static_cast<unsigned char>(text[i]);
    if (n == 1)
        return mbcs::foldLetter(b);
    const auto t = static_cast<unsigned char>(text[i + 1]);
    if (const char narrow = narrowForm(b, t))
        return mbcs::foldLetter(static_cast<unsigned char>(narrow));
    return 0x10000u + (unsigned(b) << 8) + t;
}

bool Matcher::compile(const Bytes &pattern, bool regex, Bytes *error) {
    pattern_ = pattern;
    ready_ = false;
    codes_.clear();
    regex_.reset();
    std::fill(std::begin(startByte_), std::end(startByte_), false);
    if (pattern.empty()) {
        if (error)
            *error = "Enter a text to find";
        return false;
    }
    if (regex) {
        Bytes translated;
        if (!translatePattern(pattern, translated, error))
            return false;
        int code = 0;
        PCRE2_SIZE offset = 0;
        auto re = std::make_shared<Regex>();
        re->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                                 PCRE2_CASELESS | PCRE2_MULTILINE, &code, &offset, nullptr);
        if (!re->code) {
            if (error) {
                PCRE2_UCHAR message[256];
                pcre2_get_error_message(code, message, sizeof message);
                *error = reinterpret_cast<const char *>(message);
            }
            return false;
        }
        pcre2_jit_compile(re->code, PCRE2_JIT_COMPLETE); // plain matching when the JIT is not there
        regex_ = std::move(re);
        ready_ = true;
        return true;
    }
    for (size_t i = 0; i < pattern.size();) {
        size_t n = 0;
        codes_.push_back(foldedCode(pattern, i, &n));
        i += n;
    }
    // The bytes that can begin the first character.
    const unsigned first = codes_.front();
    if (first >= 0x10000)
        startByte_[(first >> 8) & 0xFF] = true;
    else {
        startByte_[first] = true;
        if (isAsciiLetter(first))
            startByte_[first - 'a' + 'A'] = true;
        if (isAsciiLetter(first) || (first >= '0' && first <= '9'))
            startByte_[kWideLead] = true;
    }
    ready_ = true;
    return true;
}

bool Matcher::matchLiteralAt(std::string_view text, size_t at, size_t &end) const {
    size_t i = at;
    for (const unsigned want : codes_) {
        if (i >= text.size())
            return false;
        size_t n = 0;
        if (foldedCode(text, i, &n) != want)
            return false;
        i += n;
    }
    end = i;
    return true;
}

bool Matcher::findLiteral(std::string_view text, size_t from, Hit &hit) const {
    const size_t size = text.size();
    for (size_t i = from; i < size;) {
        const auto b = static_cast<unsigned char>(text[i]);
        size_t end = 0;
        if (startByte_[b] && matchLiteralAt(text, i, end)) {
            hit = {i, end};
            return true;
        }
        i += mbcs::isLeadByte(b) && i + 1 < size && mbcs::isTrailByte(static_cast<unsigned char>(text[i + 1])) ? 2 : 1;
    }
    return false;
}

bool Matcher::find(std::string_view text, size_t from, Hit &hit) const {
    if (!ready_ || from >= text.size())
        return false;
    if (!regex_)
        return findLiteral(text, from, hit);
    if (!hasWideForms(text))
        return regex_->find(text, from, hit);
    const FoldedText folded = foldWideForms(text);
    // The folded position of from: the first byte that came from it or later.
    size_t start = 0;
    while (start < folded.text.size() && folded.origin[start] < from)
        ++start;
    Hit h;
    if (!regex_->find(folded.text, start, h))
        return false;
    hit = {folded.origin[h.begin], folded.origin[h.end]};
    return true;
}

std::vector<Hit> Matcher::findAll(std::string_view text) const {
    std::vector<Hit> hits;
    Hit h;
    for (size_t from = 0; find(text, from, h); from = h.end)
        hits.push_back(h);
    return hits;
}

} // namespace vb
