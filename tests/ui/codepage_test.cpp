#include "ui/core/codepage.h"

#include <algorithm>
#include <gtest/gtest.h>

using vb::Bytes;

namespace {
// True when every byte decodes to a character: no placeholder was needed.
bool decodesCleanly(const vb::Bytes &bytes) {
    const QString text = vb::toUnicode(bytes);
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= vb::kEscapeBase + 0x80 && c.unicode() <= vb::kEscapeBase + 0xFF;
    });
}
} // namespace

TEST(CodePage, DecodesJapaneseAndAscii) {
    // "ＭＳ ゴシック" as the code page spells it.
    const Bytes gothic = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
    EXPECT_EQ(vb::toUnicode(gothic), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(vb::cp("ＭＳ ゴシック"), gothic);
    EXPECT_EQ(vb::toUnicode("abc\\~"), QStringLiteral("abc\\~"));
    EXPECT_EQ(vb::toUnicode("\xb1\xb2"), QString::fromUtf8("ｱｲ")); // half-width katakana
}

TEST(CodePage, UndecodableBytesSurviveTheRoundTrip) {
    const Bytes cases[] = {
        Bytes("\x81", 1),             // lead byte at the end
        Bytes("\x81\x20x", 3),        // lead byte with a trail that is not one
        Bytes("\x85\x40\xeb\x40", 4), // lead bytes the code page leaves unused
        Bytes("a\0b\xff\xfe\xfd\xa0\x80", 8),
        Bytes("\x82\xa0\x82", 3),
    };
    for (const Bytes &b : cases) {
        QString u = vb::toUnicode(b);
        EXPECT_EQ(vb::fromUnicode(u), b);
    }
    EXPECT_FALSE(decodesCleanly(Bytes("\x81", 1)));
    EXPECT_TRUE(decodesCleanly(vb::cp("日本語 text")));
}

TEST(CodePage, EveryTwoByteSequenceRoundTrips) {
    // Includes the duplicate mappings (NEC and IBM extensions), which decode
    // to the same character as another sequence and must still come back.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            Bytes b{char(lead), char(trail)};
            ASSERT_EQ(vb::fromUnicode(vb::toUnicode(b)), b) << std::hex << lead << " " << trail;
        }
    }
}

TEST(CodePage, DuplicateMappingsShowTheSameCharacter) {
    // 0x8790 and 0x81E0 are both "≒"; the first is the one an encoder writes.
    EXPECT_EQ(vb::toUnicode("\x81\xe0").at(0), QChar(0x2252));
    EXPECT_EQ(vb::toUnicode("\x87\x90").at(0), QChar(0x2252));
    EXPECT_EQ(vb::fromUnicode(QString(QChar(0x2252))), Bytes("\x81\xe0"));
}

TEST(CodePage, UnspellableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(vb::fromUnicode(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                "b")),
              Bytes("a?b"));
}

TEST(CodePage, FileNamesCrossTheBoundaryLosslessly) {
    // A name the code page can spell comes over as its code-page bytes.
    EXPECT_EQ(vb::fsToBytes("日本.txt"), vb::cp("日本.txt"));
    EXPECT_EQ(vb::bytesToFs(vb::cp("日本.txt")), std::string("日本.txt"));
    // Names it cannot spell, and names that are not UTF-8, still come back.
    const std::string odd[] = {"smile\xF0\x9F\x98\x80.txt", "raw\xff\xfe.txt", "\xc3\xa9t\xc3\xa9", "caf\xe9"};
    for (const std::string &fs : odd) {
        Bytes b = vb::fsToBytes(fs);
        EXPECT_EQ(vb::bytesToFs(b), fs);
    }
    // Code-page names with bytes that do not decode come back as well.
    const Bytes stray("ab\x81.txt", 7);
    EXPECT_EQ(vb::fsToBytes(vb::bytesToFs(stray)), stray);
}

TEST(CodePage, EveryFileNameComesBackFromItsCodePageSpelling) {
    // Placeholder characters U+F780..U+F7FF stand for bytes; written as bytes
    // they could join their neighbours into other characters.
    const std::string hostile[] = {
        "\xEF\x9E\x81@",                         // 0x81 then "@" is a full-width space
        "\xEF\x9E\x81@.txt",                     //
        "\xEF\x9E\xA1",                          // 0xA1 alone is a half-width full stop
        "\xEF\x9E\x85\xEF\x9E\x9E",              // 0x85 0x9E reads as an escape
        "\xEF\x9E\x86\xEF\x9E\xBF",              // 0x86 0xBF too
        "\xEF\x9E\x81\xEF\x9E\xA0",              // 0x81 0xA0 is a character
        "\xEF\x9E\x82\xE3\x81\x82",              // a lead byte before a double-byte character
        "\xE3\x81\x82\xEF\x9E\x82",              // ... and after one
        "\xFF\xEF\x9E\x81@",                     // after a byte that is not UTF-8
        "\xEF\x9E\x80\xEF\x9F\xBF\xEF\x9E\xFD",  // the ends of the range
        "\xE2\x89\x92\xEF\xB8\x80\xEF\x9E\x81@", // after a character with a variation selector
        "\xEF\xB8\x80",                          // a variation selector alone
    };
    for (const std::string &fs : hostile)
        EXPECT_EQ(vb::bytesToFs(vb::fsToBytes(fs)), fs) << fs;

    // Every placeholder between every pair of neighbours.
    const std::string neighbours[] = {
        "",         "@",   "A", "\xEF\x9E\x81", "\xEF\x9E\xA0", "\xEF\x9E\x85", "\xEF\xBD\xB1", "\xE6\x97\xA5",
        "\xC3\xA9", "\xFF"};
    for (char16_t b = 0x80; b <= 0xFF; ++b) {
        const std::string placeholder = QString(QChar(char16_t(vb::kEscapeBase + b))).toStdString();
        for (const std::string &before : neighbours) {
            for (const std::string &after : neighbours) {
                const std::string fs = before + placeholder + after;
                ASSERT_EQ(vb::bytesToFs(vb::fsToBytes(fs)), fs) << fs;
            }
        }
    }
}
