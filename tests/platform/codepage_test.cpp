#include "platform/codepage.h"

#include <QByteArray>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using vb::Bytes;

namespace {
// True when every byte decodes to a character: no placeholder was needed.
bool decodesCleanly(const vb::Bytes &bytes) {
    const QString text = vb::toUnicode(bytes);
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= vb::kEscapeBase + 0x80 && c.unicode() <= vb::kEscapeBase + 0xFF;
    });
}

// "e5 90 7f" as bytes.
std::string fromHex(const char *hex) {
    std::string out;
    for (const char *p = hex; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        out.push_back(char(std::stoi(std::string(p, 2), nullptr, 16)));
        p += 2;
    }
    return out;
}

// Encoded by hand: Qt's UTF-32 decoder would drop U+FEFF as a byte-order mark.
std::string utf8(char32_t v) {
    std::string out;
    if (v < 0x800) {
        out += char(0xC0 | (v >> 6));
    } else if (v < 0x10000) {
        out += char(0xE0 | (v >> 12));
        out += char(0x80 | ((v >> 6) & 0x3F));
    } else {
        out += char(0xF0 | (v >> 18));
        out += char(0x80 | ((v >> 12) & 0x3F));
        out += char(0x80 | ((v >> 6) & 0x3F));
    }
    out += char(0x80 | (v & 0x3F));
    return out;
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

// Long texts, as a saved message is: runs of ASCII of every length,
// two-byte characters (the duplicates among them), bytes that do not decode
// and characters the code page cannot spell, over several of the encoder's
// working pieces; whole, and as lines whose ends the encoder writes.
TEST(CodePage, LongTextsEncodeByteForByte) {
    std::mt19937 random(29);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    QString whole, asLines;
    Bytes wantWhole, wantLines;
    const auto add = [&](const QString &text, const Bytes &bytes, const QString &lineText, const Bytes &lineBytes) {
        whole += text;
        wantWhole += bytes;
        asLines += lineText;
        wantLines += lineBytes;
    };
    while (wantWhole.size() < 300000) {
        Bytes piece;
        switch (pick(0, 5)) {
        case 0:
        case 1:
            for (int k = pick(0, 40); k > 0; --k)
                piece += char(pick(0, 0x7F));
            break;
        case 2:
            piece = {char(pick(0x81, 0xFC)), char(pick(0x40, 0xFC))};
            break;
        case 3:
            piece = Bytes(1, char(pick(0x80, 0xFF)));
            break;
        case 4: { // typed by the user: a face the code page has no room for
            const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
            add(face, "?", face, "?");
            continue;
        }
        default:
            add(QStringLiteral("\n"), "\n", QString(QChar(0x2029)), "\r\n");
            continue;
        }
        const QString text = vb::toUnicode(piece);
        add(text, piece, text, piece);
    }
    Bytes whole8, lines8 = "before";
    vb::appendFromUnicode(whole8, whole);
    vb::appendFromUnicodeLines(lines8, asLines, "\r\n");
    EXPECT_TRUE(whole8 == wantWhole);
    EXPECT_TRUE(lines8 == "before" + wantLines);
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
        "a\xEF\xBB\xBF",                         // U+FEFF, which is no byte-order mark here
    };
    for (const std::string &fs : hostile)
        EXPECT_EQ(vb::bytesToFs(vb::fsToBytes(fs)), fs) << fs;
    // Stray UTF-8 among private-use characters, as a fuzzer found it.
    const std::string found = fromHex("e5 90 7f 9e 80 22 23 a3 a3 90 80 ee 80 ef 9e 80 ef a3 bf e5 90 80 fe 2e 81 ee "
                                      "ee a3 80 32 d5 ef a3 27 f0 80 ef bb bf 9e 80 ef 80 ef bd b8 e5 9e 7f f7 80 bf "
                                      "80 ee a3 80 ef b8 82 ef 32 a3");
    EXPECT_EQ(vb::bytesToFs(vb::fsToBytes(found)), found);

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

// Every sequence of up to three units that the spelling treats specially,
// between ASCII letters: pairs over the whole set, triples over the units at
// the edges of each class.
TEST(CodePage, EveryShortRunOfSpecialUnitsSpellsBack) {
    std::vector<std::string> units, edges;
    const auto add = [&](const std::string &unit, bool edge) {
        units.push_back(unit);
        if (edge)
            edges.push_back(unit);
    };
    const std::vector<int> edgeBytes = {0x80, 0x81, 0x84, 0x85, 0x86, 0x87, 0x9F, 0xA0, 0xA1, 0xBF, 0xC0,
                                        0xC2, 0xDF, 0xE0, 0xEF, 0xF0, 0xF4, 0xF5, 0xFC, 0xFD, 0xFF};
    for (int b = 0x80; b <= 0xFF; ++b) {
        const bool edge = std::find(edgeBytes.begin(), edgeBytes.end(), b) != edgeBytes.end();
        add(std::string(1, char(b)), edge);             // a byte that is not UTF-8
        add(utf8(char32_t(vb::kEscapeBase + b)), edge); // its placeholder
    }
    // The private use area: the first row of the code page's own characters
    // (every trail byte), then the edges of each part of the range.
    for (char32_t c = 0xE000; c <= 0xE0BC; ++c)
        add(utf8(c), c == 0xE000 || c == 0xE03E || c == 0xE03F || c == 0xE0BB || c == 0xE0BC);
    for (char32_t c : {0xE757, 0xE758, 0xF6FF, 0xF700, 0xF77F, 0xF800, 0xF8EF, 0xF8F0, 0xF8F3, 0xF8F4, 0xF8FF})
        add(utf8(c), true);
    // Selectors, byte-order marks and characters they can follow.
    for (char32_t c : {0xFE00, 0xFE01, 0xFE02, 0xFE03, 0xFEFF, 0xFFFE, 0x2252, 0x3042, 0xFF71, 0x1F600})
        add(utf8(c), true);

    int failures = 0;
    const auto check = [&](const std::string &run) {
        const std::string fs = "a" + run + "z";
        if (vb::bytesToFs(vb::fsToBytes(fs)) != fs && ++failures <= 5)
            ADD_FAILURE() << "does not spell back: " << QByteArray::fromStdString(fs).toHex(' ').toStdString();
    };
    for (const std::string &a : units) {
        check(a);
        for (const std::string &b : units)
            check(a + b);
    }
    for (const std::string &a : edges)
        for (const std::string &b : edges)
            for (const std::string &c : edges)
                check(a + b + c);
    EXPECT_EQ(failures, 0);
}
