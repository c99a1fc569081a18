// The title list's lines and their number index.

#include "ui/widgets/title_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The lines appended in order, or prepended last first and settled: the
// list reads the same either way.
vb::TitleLines linesOf(const std::vector<std::string> &texts, bool lastFirst = false) {
    vb::TitleLines lines;
    if (lastFirst) {
        for (auto t = texts.rbegin(); t != texts.rend(); ++t)
            lines.prepend(*t);
        lines.settle();
    } else {
        for (const std::string &t : texts)
            lines.append(t);
    }
    return lines;
}

} // namespace

// Lines are found by the number they start with: a link's caption by the
// last line carrying the number in five digits, a link's target by the first
// line whose first five bytes read as it, stopped by a line before it whose
// bytes do not read as a number.
TEST(TitleLines, LinesAreFoundByTheNumberTheyStartWith) {
    for (const bool lastFirst : {false, true}) {
        SCOPED_TRACE(lastFirst ? "prepended" : "appended");
        const vb::TitleLines lines = linesOf(
            {
                "00012 _ First twelve / A", // 0
                "00007 _ Seven / B",        // 1
                "   12 _ Blank twelve",     // 2: reads as 12, but is not 00012
                "00012 _ Last twelve / C",  // 3
                "-0001 _ Minus one",        // 4
                "12",                       // 5: shorter than five bytes
                "123456 _ Long",            // 6: first five bytes 12345
                "",                         // 7: does not read
                "00099 _ After",            // 8
                "abcde",                    // 9
                "   77 _ Blank only",       // 10: reads as 77, and no line carries 00077
                "   55 _ Blank first",      // 11: reads as 55 before 00055 does
                "00055 _ Then fifty-five",  // 12
            },
            lastFirst);
        ASSERT_EQ(lines.size(), 13u);
        EXPECT_EQ(lines[3], "00012 _ Last twelve / C");
        const struct {
            int number, last, first;
        } rows[] = {
            {12, 3, 0},       {7, 1, 1},   {-1, -1, 4},      {12345, 6, 6}, {99, 8, 8},
            {123456, -1, -1}, {0, -1, -1}, {100000, -1, -1}, {77, -1, 10},  {55, 12, 11},
        };
        for (const auto &r : rows) {
            EXPECT_EQ(lines.lastLineOf(r.number), r.last) << r.number;
            EXPECT_EQ(lines.firstLineReading(r.number), r.first) << r.number;
        }
        EXPECT_EQ(lines.firstUnreadable(), 7);
        EXPECT_EQ(lines[0], "00012 _ First twelve / A");
        EXPECT_EQ(lines[12], "00055 _ Then fifty-five");
    }
}

// A list takes its lines one way until it is cleared.
TEST(TitleLines, LinesComeInOrderOrLastFirstNeverBoth) {
    vb::TitleLines lines = linesOf({"00001 _ A"});
    EXPECT_THROW(lines.prepend("00000 _ Z"), std::logic_error);
    lines.clear();
    lines.prepend("00002 _ B");
    EXPECT_THROW(lines.append("00003 _ C"), std::logic_error);
    lines.prepend("00001 _ A");
    lines.settle();
    EXPECT_EQ(lines.lastLineOf(2), 1);
    lines.clear();
    lines.append("00003 _ C");
    EXPECT_EQ(lines.lastLineOf(3), 0);
}

// Every change goes through clear and append: the index follows the lines.
TEST(TitleLines, TheIndexFollowsTheLinesThroughARebuild) {
    vb::TitleLines lines = linesOf({"00001 _ A", "00002 _ B"});
    lines.clear();
    EXPECT_EQ(lines.size(), 0u);
    EXPECT_EQ(lines.lastLineOf(1), -1);
    EXPECT_EQ(lines.firstUnreadable(), -1);
    // Long lines and many of them, in blocks of their own.
    const std::string long_title(100000, 'x');
    for (int i = 0; i < 3000; ++i)
        lines.append((i == 1500 ? "00002 _ " + long_title : "00001 _ " + std::to_string(i)));
    EXPECT_EQ(lines.size(), 3000u);
    EXPECT_EQ(lines.lastLineOf(1), 2999);
    EXPECT_EQ(lines.firstLineReading(1), 0);
    EXPECT_EQ(lines.lastLineOf(2), 1500);
    EXPECT_EQ(lines[1500].size(), 8 + long_title.size());
    EXPECT_EQ(lines[1499], "00001 _ 1499");
    EXPECT_EQ(lines[1501], "00001 _ 1501");
}

// Lines of every length read back as they came, in either order: empty ones
// where a block is full, lines that fill a block exactly, lines longer than
// a block.
TEST(TitleLines, EveryLineReadsBackWhateverItsLengthAndPlace) {
    std::vector<std::string> source;
    for (size_t size : {size_t(65536), size_t(0), size_t(1), size_t(65535), size_t(0), size_t(0), size_t(70000),
                        size_t(0), size_t(5), size_t(65531), size_t(0), size_t(3)})
        source.push_back(std::string(size, char('a' + source.size() % 26)));
    for (int i = 0; i < 5000; ++i)
        source.push_back(std::string(size_t(i % 37), char('A' + i % 26)));
    for (const bool lastFirst : {false, true}) {
        SCOPED_TRACE(lastFirst ? "last first" : "in order");
        const vb::TitleLines lines = linesOf(source, lastFirst);
        ASSERT_EQ(lines.size(), source.size());
        for (size_t i = 0; i < source.size(); ++i)
            ASSERT_EQ(lines[i], source[i]) << "line " << i;
    }
}
