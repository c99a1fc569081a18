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
