#include "messages/body_reader.h"

#include <gtest/gtest.h>

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
    for (const Case &c : cases)
        EXPECT_EQ(vb::splitLines(c.content), c.lines) << c.content;
}
