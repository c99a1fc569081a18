#include "settings/profile.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"

#include <gtest/gtest.h>

#include <random>

using vb::Bytes;
using vb::ProfileBatch;

namespace {

struct WriteFixture : ::testing::Test {
    vbtest::TempDir dir;
    std::string path = dir.file("t.ini");
    // Runs one batch over a file holding `before` and returns the file after.
    template <typename F>
    Bytes after(const Bytes &before, F change) {
        vbtest::putFile(path, before);
        ProfileBatch ini(path);
        change(ini);
        ini.release();
        return vbtest::getFile(path);
    }
};

} // namespace

TEST_F(WriteFixture, FirstWriteCreatesTheFile) {
    {
        ProfileBatch ini(path);
        EXPECT_EQ(ini.readString("S", "k", "def"), "def");
        ini.eraseSection("S");
        ini.release(); // nothing changed: no file
    }
    EXPECT_FALSE(std::ifstream(path).good());
    ProfileBatch ini(path);
    ini.writeString("Sec", "Key", "a value ");
    ini.writeString("Sec", "Other", "\"q\"");
    ini.writeString("Sec", "Key", "replaced");
    ini.release();
    EXPECT_EQ(vbtest::getFile(path), "[Sec]\r\nKey=replaced\r\nOther=\"q\"\r\n");
}

TEST_F(WriteFixture, ReplacingKeepsSpellingPlaceAndLineEnd) {
    const Bytes before = "; top\n[Sec]\n  KEY = old \n;c=1\nnext=2\n";
    EXPECT_EQ(after(before, [](ProfileBatch &i) { i.writeString("sec", "key", "new"); }),
              "; top\n[Sec]\nKEY=new\n;c=1\nnext=2\n");
    // Writing the value that is already there leaves the bytes alone.
    EXPECT_EQ(after(before, [](ProfileBatch &i) { i.writeString("Sec", "key", "old"); }), before);
}

TEST_F(WriteFixture, NewKeyGoesAfterTheLastKeyLine) {
    const Bytes before = "[A]\r\na=1\r\n; note\r\n\r\nstray text\r\n[B]\r\n; only a comment\r\n";
    EXPECT_EQ(after(before,
                    [](ProfileBatch &i) {
                        i.writeString("A", "b", "2");
                        i.writeString("B", "c", "3");
                    }),
              "[A]\r\na=1\r\nb=2\r\n; note\r\n\r\nstray text\r\n[B]\r\nc=3\r\n; only a comment\r\n");
}

TEST_F(WriteFixture, NewSectionIsAppendedOnItsOwnLine) {
    EXPECT_EQ(after("[A]\r\na=1", [](ProfileBatch &i) { i.writeString("B", "b", "2"); }),
              "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(after("[A]\na=1\n", [](ProfileBatch &i) { i.writeString("B", "b", "2"); }), "[A]\na=1\n[B]\r\nb=2\r\n");
    // The unended last line gets its line end when a key is added behind it.
    EXPECT_EQ(after("[A]\r\na=1", [](ProfileBatch &i) { i.writeString("A", "b", "2"); }), "[A]\r\na=1\r\nb=2\r\n");
}

TEST_F(WriteFixture, DuplicatesWriteToTheFirstOccurrence) {
    const Bytes before = "[S]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n";
    EXPECT_EQ(after(before, [](ProfileBatch &i) { i.writeString("S", "K", "x"); }),
              "[S]\r\nk=x\r\nk=2\r\n[s]\r\nk=3\r\n");
    // Once the first is erased the second one counts.
    EXPECT_EQ(after(before,
                    [](ProfileBatch &i) {
                        i.eraseSection("s");
                        EXPECT_EQ(i.readString("S", "k", "d"), "3");
                        i.writeString("S", "k", "y");
                    }),
              "[s]\r\nk=y\r\n");
}

TEST_F(WriteFixture, EraseKeepsCommentsAndOtherSections) {
    const Bytes before = "[A]\r\na=1\r\n[Gone]\r\n; keep me\r\nx=1\r\n\r\nfree text\n  y = 2\r\n[C]\r\nc=3\r\n";
    EXPECT_EQ(after(before, [](ProfileBatch &i) { i.eraseSection("gone"); }),
              "[A]\r\na=1\r\n; keep me\r\n\r\nfree text\n[C]\r\nc=3\r\n");
    EXPECT_EQ(after(before, [](ProfileBatch &i) { i.eraseSection("Nowhere"); }), before);
    // Erased and written again: the section moves to the end of the file.
    EXPECT_EQ(after("[A]\r\na=1\r\n[B]\r\nb=1\r\n",
                    [](ProfileBatch &i) {
                        i.eraseSection("A");
                        EXPECT_EQ(i.readString("A", "a", "d"), "d");
                        i.writeString("A", "a", "2");
                    }),
              "[B]\r\nb=1\r\n[A]\r\na=2\r\n");
}

TEST_F(WriteFixture, LineBreaksInAValueCannotAddLines) {
    EXPECT_EQ(after("", [](ProfileBatch &i) { i.writeString("S", "t", "one\r\n[S2]\r\nk=v"); }), "[S]\r\nt=one\r\n");
}

TEST_F(WriteFixture, UntouchedBytesSurviveLongLinesAndBinaryContent) {
    const Bytes longLine = "long=" + Bytes(10000, 'x') + "\r\n";
    EXPECT_EQ(after("[S]\r\n" + longLine + "k=1\r\n", [](ProfileBatch &i) { i.writeString("S", "k", "2"); }),
              "[S]\r\n" + longLine + "k=2\r\n");

    std::mt19937 rng(7);
    Bytes binary(4096, '\0');
    for (char &c : binary)
        c = char(rng());
    binary += Bytes("\0\0\0", 3);
    const Bytes out = after(binary, [](ProfileBatch &i) { i.writeString("Velbrook v0.2", "ShowHint", "1"); });
    ASSERT_GE(out.size(), binary.size());
    EXPECT_EQ(out.substr(0, binary.size()), binary);
    EXPECT_EQ(out.substr(binary.size()), "\r\n[Velbrook v0.2]\r\nShowHint=1\r\n");
}
