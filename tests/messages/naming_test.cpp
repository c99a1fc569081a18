#include "messages/naming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <vector>

using vb::Bytes;

namespace {
vb::CategoryRecord category(const char *mode, const char *prefix, const char *ext, const char *txt, const char *ini) {
    vb::CategoryRecord c;
    c[vb::kSlotSearchMode] = mode;
    c[vb::kSlotFileName1] = prefix;
    c[vb::kSlotFileName2] = ext;
    c[vb::kSlotSearchTXT] = txt;
    c[vb::kSlotSearchINI] = ini;
    return c;
}
bool maskMatches(const Bytes &mask, const Bytes &name) { return vb::FileMask(mask).matches(name); }
} // namespace

TEST(Naming, LogModeNameAndMask) {
    EXPECT_EQ(vb::logModeFileName("KVX", 12, "TXT"), "KVX00012.TXT");
    EXPECT_EQ(vb::logModeFileName("KVX", 123456, "TXT"), "KVX123456.TXT");
    EXPECT_EQ(vb::logModeMask("KVX", "TXT"), "KVX?????.TXT");
    EXPECT_EQ(vb::categoryMask(category("Log Mode", "AB", "LOG", "TXT", "")), "AB?????.LOG");
}

TEST(Naming, TextModeMaskFromTheChosenTypes) {
    EXPECT_EQ(vb::textModeMask("TXT", "DOC", "MAN", "GGG", "INI"), "*.TXT;*.DOC;*.MAN;*.GGG;*.INI");
    EXPECT_EQ(vb::textModeMask("TXT", "False", "False", "False", "False"), "*.TXT");
    EXPECT_EQ(vb::textModeMask("False", "DOC", "Flase", "GGG", ""), ";*.DOC;*.GGG");
    EXPECT_EQ(vb::textModeMask("txt", "Doc", "", "", ""), "*.*"); // words compare exactly
    EXPECT_EQ(vb::textModeMask("", "", "", "", ""), "*.*");
    // Anything but "Log Mode" exactly is Text Mode.
    EXPECT_EQ(vb::categoryMask(category("log mode", "KVX", "TXT", "False", "INI")), ";*.INI");
}

TEST(Naming, WildcardsAndLetterCase) {
    EXPECT_TRUE(maskMatches("KVX?????.TXT", "KVX00012.TXT"));
    EXPECT_TRUE(maskMatches("KVX?????.TXT", "kvx00012.txt"));
    EXPECT_TRUE(maskMatches("KVX?????.TXT", "KVXabcde.TXT"));
    EXPECT_FALSE(maskMatches("KVX?????.TXT", "KVX0012.TXT"));
    EXPECT_FALSE(maskMatches("KVX?????.TXT", "KVX000123.TXT"));
    EXPECT_FALSE(maskMatches("KVX?????.TXT", "KVX00012.TXT.bak"));
    EXPECT_TRUE(maskMatches("*.TXT", "notes.txt"));
    EXPECT_TRUE(maskMatches("*.TXT", "a.b.txt"));
    EXPECT_FALSE(maskMatches("*.TXT", "txt"));
    EXPECT_TRUE(maskMatches("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(maskMatches("*a*b", "xxaxxbxx"));
    EXPECT_TRUE(maskMatches("**.?", "name.c"));
}

TEST(Naming, PatternListsAndEmptyPatterns) {
    EXPECT_TRUE(maskMatches("*.TXT;*.DOC", "a.doc"));
    EXPECT_FALSE(maskMatches("*.TXT;*.DOC", "a.man"));
    EXPECT_FALSE(maskMatches("", "a.txt"));
    EXPECT_FALSE(maskMatches(";", "a.txt"));
    EXPECT_FALSE(maskMatches(";*.DOC", "a.txt"));
    EXPECT_TRUE(maskMatches(";*.DOC", "a.DOC"));
    EXPECT_TRUE(vb::FileMask("").matchesNothing());
    EXPECT_TRUE(vb::FileMask(";;").matchesNothing());
    // "*.*" takes every name, those without a dot included.
    EXPECT_TRUE(maskMatches("*.*", "README"));
    EXPECT_TRUE(maskMatches("*.*", "a.b"));
    EXPECT_TRUE(maskMatches(";*.*", "README"));
}

TEST(Naming, DoubleByteCharactersAreOneCharacter) {
    const Bytes nihongo = "\x93\xfa\x96\x7b\x8c\xea"; // 日本語
    EXPECT_TRUE(maskMatches("???.txt", nihongo + ".txt"));
    EXPECT_FALSE(maskMatches("??????.txt", nihongo + ".txt"));
    EXPECT_TRUE(maskMatches("\x93\xfa*", nihongo));
    // The second byte of a double-byte character is no letter: 0x83 0x61 is
    // not 0x83 0x41, and no "a" or "A" can be found inside it.
    EXPECT_FALSE(maskMatches("\x83\x41.txt", "\x83\x61.txt"));
    EXPECT_FALSE(maskMatches("*a.txt", "\x83\x61.txt"));
    EXPECT_FALSE(maskMatches("*A*", "\x83\x41"));
    EXPECT_TRUE(maskMatches("*A*", "\x83\x41"
                                   "a"));
    // A lead byte at the very end stands alone.
    EXPECT_TRUE(maskMatches("a?", "a\x83"));
}

TEST(Naming, FileNameOrder) {
    std::vector<Bytes> names = {"b.txt", "A.txt", "a.TXT", "_x", "Z", "a", "\x83\x61", "\x83\x42", "10", "9"};
    std::sort(names.begin(), names.end(),
              [](const Bytes &a, const Bytes &b) { return vb::compareFileNames(a, b) < 0; });
    const std::vector<Bytes> expected = {"10", "9", "_x", "a", "A.txt", "a.TXT", "b.txt", "Z", "\x83\x42", "\x83\x61"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(vb::compareFileNames("abc", "ABC") > 0, true); // same letters: by bytes
    EXPECT_EQ(vb::compareFileNames("abc", "abc"), 0);
}

// Sorting by folded keys gives exactly the order of compareFileNames, over
// names built from the bytes where the two could part: letters of both cases
// and the bytes around them, lead bytes with trail bytes that are letters or
// not, lone lead bytes at the end, and single-byte katakana.
TEST(Naming, SortingByFoldedKeysKeepsTheNameOrder) {
    const unsigned char alphabet[] = {'a',  'A',  'z',  'Z',  '_',  '.',  '0',  '@',  '[',  '`',  '{', 0x7F,
                                      0x81, 0x83, 0x9F, 0xE0, 0xFC, 0x40, 0x5A, 0x80, 0xA0, 0xDF, 0xFD};
    std::mt19937 random(14);
    // "\x83" "a": a lead byte before a letter that is not a trail byte here.
    std::vector<Bytes> names = {"b.txt",
                                "A.txt",
                                "a.TXT",
                                "\x83\x61",
                                "\x83\x41",
                                "\x83",
                                "\x83"
                                "a",
                                "a\x83",
                                "A\x83",
                                "\x83\x5a",
                                "\x83z"};
    // Most names share a start of seven to nine bytes, so that the order is
    // often settled only past a name's eighth byte.
    const Bytes starts[] = {"", "Kvx00012", "kVX0001", "KVX000123", "\x83\x41\x83\x61xy\x83"};
    for (int i = 0; i < 4000; ++i) {
        Bytes name = starts[size_t(i) % std::size(starts)];
        const size_t length = 1 + random() % 6;
        for (size_t k = 0; k < length; ++k)
            name.push_back(char(alphabet[random() % sizeof alphabet]));
        names.push_back(name);
    }
    std::vector<Bytes> expected = names;
    std::sort(expected.begin(), expected.end(),
              [](const Bytes &a, const Bytes &b) { return vb::compareFileNames(a, b) < 0; });
    vb::sortFileNames(names);
    EXPECT_EQ(names, expected);
}
