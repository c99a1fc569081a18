#pragma once
// Finding a text in code-page bytes, as a user searches: a hit always starts
// and ends on a character boundary, so a byte that is the second half of a
// double-byte character is never taken for a character of its own. ASCII
// letters match in either case, and the full-width forms of the letters and
// digits (Ａ..Ｚ, ａ..ｚ, ０..９) match their ASCII forms.
//
// A pattern is a plain text or a regular expression (Perl syntax). In a
// regular expression "." stands for one character, single- or double-byte,
// and a double-byte character is one unit ("表+" repeats the character).

#include "platform/codepage.h"

#include <atomic>
#include <memory>
#include <string_view>
#include <vector>

namespace vb {

// A hit: the bytes [begin, end) of the text searched.
struct Hit {
    size_t begin = 0, end = 0;
    bool operator==(const Hit &o) const { return begin == o.begin && end == o.end; }
};

// What a look for a hit came to. TooComplex: the regular-expression engine
// gave up (its match, depth or memory limit was reached) before it could
// tell, so the rest of the text from where the look began is unsearched.
enum class Outcome { Hit, NoHit, TooComplex };

class Matcher {
public:
    Matcher() = default;
    // Prepares the pattern; false with *error set (a short English text) when
    // a regular expression does not compile or the text is empty. A matcher
    // that failed to compile finds nothing.
    bool compile(const Bytes &pattern, bool regex, Bytes *error = nullptr);
    bool ready() const { return ready_; }
    bool isRegex() const { return regex_ != nullptr; }

    // The first hit at or after byte from (a character boundary of text).
    // One look is bounded: the engine's limits are set so that it gives up
    // in a few milliseconds rather than run on.
    Outcome search(std::string_view text, size_t from, Hit &hit) const;
    bool find(std::string_view text, size_t from, Hit &hit) const { return search(text, from, hit) == Outcome::Hit; }
    bool contains(std::string_view text) const {
        Hit h;
        return find(text, 0, h);
    }
    // Every hit of text from byte from on, in order and not overlapping.
    // *gaveUp is set when the engine gave up part-way: the hits before that
    // point are kept. A raised stop flag (looked at between hits and every
    // few kilobytes of a plain text) ends the look early, *gaveUp unset.
    std::vector<Hit> findAll(std::string_view text, bool *gaveUp = nullptr, size_t from = 0,
                             const std::atomic<bool> *stop = nullptr) const;

    // The matcher is shared by threads: matching never changes it.
    struct Regex;

private:
    bool findLiteral(std::string_view text, size_t from, size_t to, Hit &hit, size_t &next) const;
    bool matchLiteralAt(std::string_view text, size_t at, size_t &end) const;
    // The first place at or after i, and before to, where a hit's first two
    // bytes could stand, boundaries aside; to when there is none.
    size_t nextCandidate(std::string_view text, size_t i, size_t to) const;

    bool ready_ = false;
    std::vector<unsigned> codes_; // the plain text, one folded code per character
    bool startByte_[256] = {};    // bytes with which a hit can begin
    bool secondByte_[256] = {};   // bytes that can follow the first (all of them for a one-character text)
    // The same two sets as short lists, for the scan of sixteen bytes at once.
    unsigned char firstList_[3] = {}, secondList_[6] = {};
    size_t firstCount_ = 0, secondCount_ = 0; // secondCount_ 0: any byte follows
    std::shared_ptr<const Regex> regex_;
};

// The folded code of the character at text[i] (its length in *length): an
// ASCII letter in lower case, a full-width letter or digit as its lower-case
// ASCII form, any other single byte as itself and any other double-byte
// character as 0x10000 + its two bytes.
unsigned foldedCode(std::string_view text, size_t i, size_t *length);

} // namespace vb
