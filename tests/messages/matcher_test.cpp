#include "messages/matcher.h"

#include <gtest/gtest.h>

using vb::Bytes;
using vb::Hit;
using Hits = std::vector<Hit>;

namespace {

// Double-byte characters whose trail bytes look like ASCII: 表 ends in "\",
// ア in "A", the full-width space in "@".
const Bytes kHyo = "\x95\x5c", kKanaA = "\x83\x41", kWideSpace = "\x81\x40", kHiraA = "\x82\xa0";
const Bytes kWideA = "\x82\x60", kWideLowB = "\x82\x82", kWideC = "\x82\x62", kWide1 = "\x82\x50", kWide2 = "\x82\x51";

struct Case {
    const char *what;
    Bytes pattern;
    bool regex;
    Bytes text;
    Hits hits;
};

Hits findAll(const Case &c) {
    vb::Matcher m;
    Bytes error;
    EXPECT_TRUE(m.compile(c.pattern, c.regex, &error)) << c.what << ": " << error;
    return m.findAll(c.text);
}

} // namespace

TEST(Matcher, FindsOnCharacterBoundariesWithFoldedCaseAndWidth) {
    const Case cases[] = {
        {"ASCII case", "abc", false, "xxABCxx", {{2, 5}}},
        {"hits do not overlap", "aa", false, "aaaaa", {{0, 2}, {2, 4}}},
        {"trail byte alone never hits inside a character", "\\", false, kHyo + kHyo + "\\", {{4, 5}}},
        {"ASCII letter is not the trail of a kana", "A", false, kKanaA + "a", {{2, 3}}},
        {"@ is not the trail of a wide space", "@", false, kWideSpace, {}},
        {"no hit across two double-byte characters", "\xa0\x82", false, kHiraA + kHiraA, {}},
        {"double-byte text", kHyo, false, "a" + kHyo + "b" + kHyo, {{1, 3}, {4, 6}}},
        {"full-width letters match ASCII", "abc", false, "-" + kWideA + kWideLowB + kWideC, {{1, 7}}},
        {"ASCII matches full-width digits", kWide1 + kWide2, false, "x12", {{1, 3}}},
        {"full-width pattern, mixed text", kWideA + "B", false, "aB" + kWideA + kWideLowB, {{0, 2}, {2, 6}}},
        {"regex: . is one whole character", "a.c", true, "a" + kHyo + "c", {{0, 4}}},
        {"regex: a double-byte character repeats whole", kHyo + "+", true, kHyo + kHyo + "x", {{0, 4}}},
        {"regex: a byte escape never hits mid-character", "\\x5c", true, kHyo + "\\", {{2, 3}}},
        {"regex: ASCII case and full-width digits", "no[0-9]+", true, "NO" + kWide1 + kWide2 + "!", {{0, 6}}},
        {"regex: line anchors", "^b", true, "ab\nb", {{3, 4}}},
        {"regex: empty matches are no hits", "x*", true, "ab", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(findAll(c), c.hits) << c.what;
}

TEST(Matcher, RefusesWhatCannotBeSearched) {
    const struct {
        Bytes pattern;
        bool regex;
    } bad[] = {{"", false}, {"", true}, {"a(b", true}, {"[" + kHyo + "]", true}, {"x{2,1}", true}};
    for (const auto &b : bad) {
        vb::Matcher m;
        Bytes error;
        EXPECT_FALSE(m.compile(b.pattern, b.regex, &error)) << b.pattern;
        EXPECT_FALSE(error.empty()) << b.pattern;
        EXPECT_FALSE(m.contains("a(b")) << "a refused pattern finds nothing";
    }
}

TEST(Matcher, APatternThatGivesUpSaysSoAndKeepsTheHitsBeforeIt) {
    const Bytes hopeless(25, 'a');
    const struct {
        const char *pattern;
        Bytes text;
        Hits hits;
        bool gaveUp;
    } cases[] = {
        {"(a+)+x", hopeless + "!ax", {}, true},
        {"b|(a+)+x", "b" + hopeless + "!ax", {{0, 1}}, true},
        {"(a+)+x", "aax", {{0, 3}}, false},
    };
    for (const auto &c : cases) {
        vb::Matcher m;
        ASSERT_TRUE(m.compile(c.pattern, true));
        bool gaveUp = false;
        EXPECT_EQ(m.findAll(c.text, &gaveUp), c.hits) << c.pattern << " in " << c.text;
        EXPECT_EQ(gaveUp, c.gaveUp) << c.pattern << " in " << c.text;
        vb::Hit h;
        EXPECT_EQ(m.search(c.text, c.hits.empty() ? 0 : c.hits.back().end, h),
                  c.gaveUp ? vb::Outcome::TooComplex : vb::Outcome::NoHit);
    }
}
