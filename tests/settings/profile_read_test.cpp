#include "settings/profile.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

using vb::Bytes;
using vb::ProfileBatch;

namespace {

struct ReadFixture : ::testing::Test {
    vbtest::TempDir dir;
    std::string path = dir.file("t.ini");
    Bytes read(const Bytes &content, const Bytes &section, const Bytes &key) {
        vbtest::putFile(path, content);
        return ProfileBatch(path).readString(section, key, "<def>");
    }
};

} // namespace

TEST_F(ReadFixture, LinesHeadersKeysAndComments) {
    const Bytes text = "k0=before any header\r\n"
                       "  [ Main ] trailing text\r\n"
                       "\tKey One \t=  value with  inner  spaces \t\r\n"
                       ";Hidden=comment\n"
                       "  ; Indented=comment\r"
                       "Semi=a;b\r\n"
                       "NoEquals\r\n"
                       "Empty=\r\n"
                       "[Open\r\n"
                       "x=in the unclosed header\r\n"
                       "[Last]\r\n"
                       "end=no line end";
    vbtest::putFile(path, text);
    ProfileBatch ini(path);
    EXPECT_EQ(ini.readString("", "k0", "d"), "d");
    EXPECT_EQ(ini.readString("Main", "Key One", "d"), "value with  inner  spaces");
    EXPECT_EQ(ini.readString("Main", "Hidden", "d"), "d");
    EXPECT_EQ(ini.readString("Main", "; Indented", "d"), "d");
    EXPECT_EQ(ini.readString("Main", "Semi", "d"), "a;b");
    EXPECT_EQ(ini.readString("Main", "NoEquals", "d"), "d");
    EXPECT_EQ(ini.readString("Main", "Empty", "d"), "");
    EXPECT_EQ(ini.readString("Open", "x", "d"), "in the unclosed header");
    EXPECT_EQ(ini.readString("Last", "end", "d"), "no line end");
    EXPECT_EQ(ini.readString("Missing", "end", "d"), "d");
}

TEST_F(ReadFixture, CaseAndFirstOccurrence) {
    const Bytes text = "[Sec]\r\nkey=first\r\nKEY=second\r\n[SEC]\r\nother=in the duplicate\r\n";
    vbtest::putFile(path, text);
    ProfileBatch ini(path);
    EXPECT_EQ(ini.readString("sEc", "Key", "d"), "first");
    EXPECT_EQ(ini.readString("sec", "other", "d"), "d");
}

TEST_F(ReadFixture, QuotesAreStrippedOnce) {
    EXPECT_EQ(read("[s]\nk=\"a b\"\n", "s", "k"), "a b");
    EXPECT_EQ(read("[s]\nk=  'x'  \n", "s", "k"), "x");
    EXPECT_EQ(read("[s]\nk=\"\"quoted\"\"\n", "s", "k"), "\"quoted\"");
    EXPECT_EQ(read("[s]\nk=\"mixed'\n", "s", "k"), "\"mixed'");
    EXPECT_EQ(read("[s]\nk=\"\n", "s", "k"), "\"");
    EXPECT_EQ(read("[s]\nk=\" kept \"\n", "s", "k"), " kept ");
}

TEST_F(ReadFixture, DoubleByteTrailBytesAreNotSyntax) {
    const Bytes zo = "\x83]";  // trail byte "]"
    const Bytes so = "\x83\\"; // trail byte "\"
    const Bytes a = "\x83"
                    "A",
                ya = "\x83"
                     "a"; // trail bytes "A" and "a"
    EXPECT_EQ(read("[" + zo + "x]\r\nk=1\r\n", zo + "x", "k"), "1");
    EXPECT_EQ(read("[s]\r\n\x83[=1\r\n", "s", "\x83["), "1"); // trail byte "[" at a line start
    EXPECT_EQ(read("[s]\r\nk=" + so + "\r\n", "s", "k"), so);
    // Trail bytes are not letters: a key spelled with one is not the other.
    EXPECT_EQ(read("[s]\r\n" + a + "=1\r\n", "s", ya), "<def>");
    EXPECT_EQ(read("[s]\r\n" + a + "B=1\r\n", "s", a + "b"), "1");
}

TEST_F(ReadFixture, LongValuesAreCutAt2047WithoutSplittingACharacter) {
    const Bytes ascii(10000, 'v');
    EXPECT_EQ(read("[s]\r\nk=" + ascii + "\r\n", "s", "k"), ascii.substr(0, 2047));
    // 2046 single bytes then a double-byte character that would straddle the limit.
    const Bytes kanji = vb::cp(u8"表");
    const Bytes straddling = Bytes(2046, 'v') + kanji + "tail";
    EXPECT_EQ(read("[s]\r\nk=" + straddling + "\r\n", "s", "k"), Bytes(2046, 'v'));
    const Bytes fitting = Bytes(2045, 'v') + kanji + "tail";
    EXPECT_EQ(read("[s]\r\nk=" + fitting + "\r\n", "s", "k"), Bytes(2045, 'v') + kanji);
}

TEST(ProfileInteger, Forms) {
    struct Case {
        const char *text;
        bool ok;
        int value;
    } cases[] = {
        {"12", true, 12},
        {"  12", true, 12},
        {"+7", true, 7},
        {"-500", true, -500},
        {"0x1", true, 1},
        {"0X1f", true, 31},
        {"$FF", true, 255},
        {"-0x10", true, -16},
        {"0xFFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"", false, 0},
        {"12 ", false, 0},
        {"yes", false, 0},
        {"1.5", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"--1", false, 0},
        {"- 1", false, 0},
        {"2147483648", false, 0},
        {"0x100000000", false, 0},
        {"12abc", false, 0},
    };
    for (const Case &c : cases) {
        int v = 0;
        EXPECT_EQ(vb::parseProfileInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}
