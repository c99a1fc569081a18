#define PCRE2_CODE_UNIT_WIDTH 8
#include "messages/matcher.h"
#include "platform/mbcs.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <pcre2.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The engine's limits, set rather than left to its defaults, so that one look
// at a line ends within a few milliseconds however the pattern backtracks:
// a stop asked for between two looks is never kept waiting. The compiled
// (JIT) engine does far more work per unit of its match limit than the
// interpreter, which serves only when the pattern cannot be compiled.
constexpr uint32_t kJitMatchLimit = 1000000;
constexpr uint32_t kInterpretedMatchLimit = 100000;
constexpr uint32_t kDepthLimit = 10000;
constexpr uint32_t kHeapLimitKiB = 20000;

struct Matcher::Regex {
    pcre2_code *code = nullptr;
    pcre2_match_context *context = nullptr;
    ~Regex() {
        pcre2_match_context_free(context);
        pcre2_code_free(code);
    }

    // Match data for one thread's looks, made at its first look and kept
    // while the thread lives, so that a search of many lines asks for no
    // memory line by line. A look reads only the whole match's offsets: for
    // a pattern with groups the engine fills that pair and returns 0.
    struct Data {
        pcre2_match_data *md;
        explicit Data(const Regex &) {
            struct Held {
                pcre2_match_data *md = pcre2_match_data_create(1, nullptr);
                ~Held() { pcre2_match_data_free(md); }
            };
            thread_local Held held;
            md = held.md;
        }
    };

    // The first non-empty match at or after from, on character boundaries.
    Outcome find(std::string_view s, size_t from, Hit &hit, const Data &data) const {
        if (!data.md)
            return Outcome::TooComplex;
        size_t pos = from;
        while (pos <= s.size()) {
            const int rc =
                pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), pos, 0, data.md, context);
            if (rc == PCRE2_ERROR_NOMATCH)
                return Outcome::NoHit;
            if (rc < 0)
                return Outcome::TooComplex; // a limit reached, or no memory for the look
            const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(data.md);
            const size_t b = ov[0], e = ov[1];
            if (e > b && onBoundary(s, b) && onBoundary(s, e)) {
                hit = {b, e};
                return Outcome::Hit;
            }
            if (b >= s.size())
                break;
            pos = nextBoundary(s, b);
        }
        return Outcome::NoHit;
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
        // Plain matching when the JIT is not there or cannot take the pattern.
        const bool jit = pcre2_jit_compile(re->code, PCRE2_JIT_COMPLETE) == 0;
        re->context = pcre2_match_context_create(nullptr);
        if (!re->context) {
            if (error)
                *error = "Not enough memory for the pattern";
            return false;
        }
        pcre2_set_match_limit(re->context, jit ? kJitMatchLimit : kInterpretedMatchLimit);
        pcre2_set_depth_limit(re->context, kDepthLimit);
        pcre2_set_heap_limit(re->context, kHeapLimitKiB);
        regex_ = std::move(re);
        ready_ = true;
        return true;
    }
    for (size_t i = 0; i < pattern.size();) {
        size_t n = 0;
        codes_.push_back(foldedCode(pattern, i, &n));
        i += n;
    }
    // The bytes that can begin the first character, and those that can
    // follow them: the second character's first bytes, or the second half
    // of the first.
    auto add = [](unsigned char *list, size_t &count, bool *set, unsigned char b) {
        if (!set[b]) {
            set[b] = true;
            list[count++] = b;
        }
    };
    auto addStarts = [&](unsigned code, unsigned char *list, size_t &count, bool *set) {
        if (code >= 0x10000) {
            add(list, count, set, static_cast<unsigned char>(code >> 8));
            return;
        }
        add(list, count, set, static_cast<unsigned char>(code));
        if (isAsciiLetter(code))
            add(list, count, set, static_cast<unsigned char>(code - 'a' + 'A'));
        if (isAsciiLetter(code) || (code >= '0' && code <= '9'))
            add(list, count, set, kWideLead);
    };
    const unsigned first = codes_.front();
    firstCount_ = secondCount_ = 0;
    std::fill(std::begin(secondByte_), std::end(secondByte_), codes_.size() == 1);
    addStarts(first, firstList_, firstCount_, startByte_);
    if (codes_.size() > 1) {
        if (first >= 0x10000)
            add(secondList_, secondCount_, secondByte_, static_cast<unsigned char>(first & 0xFF));
        else {
            addStarts(codes_[1], secondList_, secondCount_, secondByte_);
            if (isAsciiLetter(first)) { // the full-width forms' second halves
                add(secondList_, secondCount_, secondByte_, static_cast<unsigned char>(kWideUpperA + (first - 'a')));
                add(secondList_, secondCount_, secondByte_, static_cast<unsigned char>(kWideLowerA + (first - 'a')));
            } else if (first >= '0' && first <= '9')
                add(secondList_, secondCount_, secondByte_, static_cast<unsigned char>(kWideDigit0 + (first - '0')));
        }
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

size_t Matcher::nextCandidate(std::string_view text, size_t i, size_t to) const {
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const size_t size = text.size();
#if defined(__SSE2__)
    // Sixteen places at a time: the byte at each must be one a hit begins
    // with and the byte after it one that can follow.
    const auto anyOf = [](__m128i v, const unsigned char *list, size_t count) {
        __m128i m = _mm_setzero_si128();
        for (size_t k = 0; k < count; ++k)
            m = _mm_or_si128(m, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(list[k]))));
        return m;
    };
    while (i < to && i + 17 <= size) {
        __m128i m = anyOf(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i)), firstList_, firstCount_);
        if (secondCount_)
            m = _mm_and_si128(
                m, anyOf(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 1)), secondList_, secondCount_));
        if (const unsigned bits = unsigned(_mm_movemask_epi8(m)))
            return std::min(to, i + size_t(__builtin_ctz(bits)));
        i += 16;
    }
#endif
    for (; i < to; ++i)
        if (startByte_[p[i]] && (i + 1 >= size ? codes_.size() == 1 : secondByte_[p[i + 1]]))
            return i;
    return to;
}

bool Matcher::findLiteral(std::string_view text, size_t from, size_t to, Hit &hit, size_t &next) const {
    // The places a hit could begin are found first; whether one is a
    // character's first byte is then told by walking from the nearest byte
    // before it that is a character of its own (below 0x40: never the
    // second half of a double-byte character), or from the last place
    // known to begin a character. from begins one.
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    size_t known = from; // a character begins here
    auto boundaryAtOrAfter = [&](size_t c) {
        size_t q = c;
        while (q > known && p[q - 1] >= 0x40)
            --q;
        while (q < c)
            q += mbcs::charLength(text, q);
        known = q;
        return q;
    };
    for (size_t i = from; i < to;) {
        const size_t c = nextCandidate(text, i, to);
        if (c >= to)
            break;
        size_t end = 0;
        if (boundaryAtOrAfter(c) == c && matchLiteralAt(text, c, end)) {
            hit = {c, end};
            return true;
        }
        i = c + 1;
    }
    next = to > from ? boundaryAtOrAfter(to) : from;
    return false;
}

namespace {
// The folded position of from: the first byte that came from it or later.
size_t foldedStart(const FoldedText &folded, size_t from) {
    size_t start = 0;
    while (start < folded.text.size() && folded.origin[start] < from)
        ++start;
    return start;
}
// How much plain text is scanned between two looks at the stop flag.
constexpr size_t kLiteralSlice = size_t(64) * 1024;
} // namespace

Outcome Matcher::search(std::string_view text, size_t from, Hit &hit) const {
    if (!ready_ || from >= text.size())
        return Outcome::NoHit;
    if (!regex_) {
        size_t next = 0;
        return findLiteral(text, from, text.size(), hit, next) ? Outcome::Hit : Outcome::NoHit;
    }
    const Regex::Data data(*regex_);
    if (!hasWideForms(text))
        return regex_->find(text, from, hit, data);
    const FoldedText folded = foldWideForms(text);
    Hit h;
    const Outcome o = regex_->find(folded.text, foldedStart(folded, from), h, data);
    if (o == Outcome::Hit)
        hit = {folded.origin[h.begin], folded.origin[h.end]};
    return o;
}

std::vector<Hit> Matcher::findAll(std::string_view text, bool *gaveUp, size_t from,
                                  const std::atomic<bool> *stop) const {
    std::vector<Hit> hits;
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    if (!ready_)
        return hits;
    if (!regex_) {
        size_t pos = from;
        while (pos < text.size() && !stopped()) {
            Hit h;
            size_t next = 0;
            if (findLiteral(text, pos, std::min(text.size(), pos + kLiteralSlice), h, next)) {
                hits.push_back(h);
                pos = h.end;
            } else
                pos = next;
        }
        return hits;
    }
    // A text with full-width letters or digits is folded once for all its hits.
    const bool wide = hasWideForms(text);
    FoldedText folded;
    std::string_view s = text;
    size_t pos = from;
    if (wide) {
        folded = foldWideForms(text);
        s = folded.text;
        pos = foldedStart(folded, from);
    }
    const Regex::Data data(*regex_);
    while (pos < s.size() && !stopped()) {
        Hit h;
        const Outcome o = regex_->find(s, pos, h, data);
        if (o == Outcome::TooComplex && gaveUp)
            *gaveUp = true;
        if (o != Outcome::Hit)
            break;
        hits.push_back(wide ? Hit{folded.origin[h.begin], folded.origin[h.end]} : h);
        pos = h.end;
    }
    return hits;
}

} // namespace vb
