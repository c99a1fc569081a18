#include "messages/links.h"
#include "messages/numbers.h"
#include "tests/messages/message_files.h"

#include <gtest/gtest.h>

#include <climits>

using vb::Bytes;

TEST(WholeNumber, AcceptsBlanksSignAndDigitsOnly) {
    struct Case {
        const char *text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"12", true, 12},
        {"  12", true, 12},
        {"+7", true, 7},
        {"-7", true, -7},
        {"  -00012", true, -12},
        {"000000000042", true, 42},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {"12 ", false, 0},
        {"1 2", false, 0},
        {"- 7", false, 0},
        {"+-7", false, 0},
        {"1.0", false, 0},
        {"0x10", false, 0},
        {"$10", false, 0},
        {"\t12", false, 0},
        {"12\n", false, 0},
        {"\x82\x50\x82\x51", false, 0}, // full-width 12
    };
    for (const Case &c : cases) {
        int value = 12345;
        EXPECT_EQ(vb::tryWholeNumber(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 12345) << '"' << c.text << '"';
    }
}

TEST(WholeNumber, FailureCarriesTheText) {
    EXPECT_EQ(vb::wholeNumber("  -12"), -12);
    EXPECT_EQ(vbtest::failureText([] { vb::wholeNumber("12 "); }), vb::cp(u8"'12 ' は数値ではありません"));
    EXPECT_EQ(vbtest::failureText([] { vb::wholeNumber(""); }), vb::cp(u8"'' は数値ではありません"));
}

TEST(WholeNumber, FiveAndTwoDigitForms) {
    EXPECT_EQ(vb::fiveDigit(0), "00000");
    EXPECT_EQ(vb::fiveDigit(12), "00012");
    EXPECT_EQ(vb::fiveDigit(99999), "99999");
    EXPECT_EQ(vb::fiveDigit(123456), "123456");
    EXPECT_EQ(vb::fiveDigit(-12), "-00012");
    EXPECT_EQ(vb::fiveDigit(INT_MIN), "-2147483648");
    EXPECT_EQ(vb::twoDigit(1), "01");
    EXPECT_EQ(vb::twoDigit(10), "10");
    EXPECT_EQ(vb::twoDigit(100), "100");
}

TEST(Links, NextLinkCountTakesOnlyWholePiecesUpToTen) {
    EXPECT_EQ(vb::nextLinkCount(""), 0);
    EXPECT_EQ(vb::nextLinkCount("0001"), 0);
    EXPECT_EQ(vb::nextLinkCount("000150002"), 1);  // 9 digits
    EXPECT_EQ(vb::nextLinkCount("0001500021"), 2); // 10 digits
    EXPECT_EQ(vb::nextLinkCount(Bytes(20, '1')), 4);
    EXPECT_EQ(vb::nextLinkCount(Bytes(50, '1')), 10);
    EXPECT_EQ(vb::nextLinkCount(Bytes(55, '1')), 10);
}

TEST(Links, PiecesConvertOneByOne) {
    Bytes links;
    for (int n = 1; n <= 11; ++n)
        links += vb::fiveDigit(n * 3);
    ASSERT_EQ(vb::nextLinkCount(links), 10);
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(vb::nextLink(links, k), k * 3);

    // A bad second piece fails on its own; the pieces around it still convert.
    const Bytes bad = "00012"
                      "00x13"
                      "  014";
    EXPECT_EQ(vb::nextLink(bad, 1), 12);
    EXPECT_EQ(vbtest::failureText([&] { vb::nextLink(bad, 2); }), vb::cp(u8"'00x13' は数値ではありません"));
    EXPECT_EQ(vb::nextLink(bad, 3), 14);
}

TEST(Links, BackLinkIsConvertedWhole) {
    EXPECT_EQ(vb::backLinkNumber("00012"), 12);
    EXPECT_EQ(vb::backLinkNumber("0001200013"), 1200013);
    EXPECT_EQ(vbtest::failureText([] { vb::backLinkNumber("00012 "); }), vb::cp(u8"'00012 ' は数値ではありません"));
}
