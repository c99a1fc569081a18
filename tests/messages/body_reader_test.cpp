#include "messages/body_reader.h"
#include "tests/common/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

using vb::Bytes;
using vb::Lines;

TEST(BodyReader, SplitLines) {
    struct Case {
        Bytes content;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\rb\n\n", {"a", "", "b", ""}},
        {"a\n\r", {"a", ""}}, // LF then CR: two breaks
        {Bytes("x\0y\x1az\x81\r\n", 8), {Bytes("x\0y\x1az\x81", 6)}},
    };
    vbtest::TempDir dir;
    const std::string path = dir.file("message.txt");
    for (const Case &c : cases) {
        EXPECT_EQ(vb::splitLines(c.content), c.lines) << c.content;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.content;
        // Read a piece at a time, every break may fall on a piece's edge.
        for (const size_t piece : {size_t(1), size_t(2), size_t(3), size_t(65536)}) {
            vb::LineStream stream(piece);
            int err = -1;
            ASSERT_TRUE(stream.open(path, &err, 1 << 20));
            Lines streamed;
            std::vector<std::string_view> batch;
            while (stream.next(batch, &err)) {
                EXPECT_FALSE(batch.empty());
                streamed.insert(streamed.end(), batch.begin(), batch.end());
            }
            EXPECT_EQ(err, 0);
            EXPECT_EQ(streamed, c.lines) << c.content << " in pieces of " << piece;
        }
    }
}

TEST(BodyReader, StreamRefusesAFileOverItsLimit) {
    vbtest::TempDir dir;
    const std::string path = dir.file("message.txt");
    std::ofstream(path, std::ios::binary) << "12345\r\n6789";
    vb::LineStream stream;
    int err = 0;
    EXPECT_FALSE(stream.open(path, &err, 10));
    EXPECT_EQ(err, EFBIG);
    vb::LineStream exact;
    std::vector<std::string_view> batch;
    ASSERT_TRUE(exact.open(path, &err, 11));
    ASSERT_TRUE(exact.next(batch, &err));
    EXPECT_EQ(batch, std::vector<std::string_view>{"12345"});
    ASSERT_TRUE(exact.next(batch, &err));
    EXPECT_EQ(batch, std::vector<std::string_view>{"6789"});
    EXPECT_FALSE(exact.next(batch, &err));
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(vb::LineStream().open(dir.file("missing.txt"), &err, 10));
    EXPECT_EQ(err, ENOENT);
}

TEST(BodyReader, BodyLinesCopiesRunsOfLinesWithTheCallersLineEnd) {
    vbtest::TempDir dir;
    const std::string path = dir.file("message.txt");
    // After two header lines: A B C D "" E, every kind of break, no break last.
    std::ofstream(path, std::ios::binary) << "h1\r\nh2\nA\r\nB\nC\rD\r\n\r\nE";
    const struct {
        size_t skip;
        std::vector<std::pair<size_t, size_t>> runs; // taken in turn
        const char *lineEnd;
        Bytes out;
        size_t taken; // the runs taken, from the first; the others fail
    } cases[] = {
        {0, {{0, 8}}, "\r\n", "h1\r\nh2\r\nA\r\nB\r\nC\r\nD\r\n\r\nE\r\n", 1},
        {2, {{0, 6}}, "\r\n", "A\r\nB\r\nC\r\nD\r\n\r\nE\r\n", 1},
        {2, {{0, 6}}, "\n", "A\nB\nC\nD\n\nE\n", 1},
        {2, {{1, 2}, {3, 5}, {5, 6}}, "\r\n", "B\r\nD\r\n\r\nE\r\n", 3},
        // Past the last line, or back before a line taken: nothing, and
        // nothing after it either.
        {2, {{4, 7}}, "\r\n", "", 0},
        {2, {{2, 3}, {1, 2}}, "\r\n", "C\r\n", 1},
        {2, {{4, 7}, {0, 1}}, "\r\n", "", 0},
    };
    for (const auto &c : cases) {
        // Every break may fall on a piece's edge.
        for (const size_t piece : {size_t(1), size_t(2), size_t(3), size_t(65536)}) {
            SCOPED_TRACE(c.out + " in pieces of " + std::to_string(piece));
            vb::BodyLines body(c.skip, piece);
            ASSERT_TRUE(body.open(path));
            Bytes out;
            for (size_t i = 0; i < c.runs.size(); ++i)
                EXPECT_EQ(body.append(c.runs[i].first, c.runs[i].second, c.lineEnd, out), i < c.taken);
            EXPECT_EQ(out, c.out);
        }
    }
}
