#include "tests/common/tempdir.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using vb::Bytes;

namespace {
void put(const std::string &path, const std::string &content) { std::ofstream(path, std::ios::binary) << content; }
} // namespace

TEST(Files, WriteReplacesWholeAndKeepsNoTemporaries) {
    vbtest::TempDir t;
    const Bytes path = vb::fsToBytes(t.file("a.txt"));
    put(t.file("a.txt"), "old content that is longer");
    ASSERT_TRUE(vb::writeFileAtomic(path, "new\r\n"));
    Bytes back;
    ASSERT_TRUE(vb::readWholeFile(path, back));
    EXPECT_EQ(back, "new\r\n");
    std::vector<Bytes> names;
    ASSERT_TRUE(vb::listFiles(vb::fsToBytes(t.path()), names));
    EXPECT_EQ(names, std::vector<Bytes>{"a.txt"});
}

TEST(Files, FailedWriteLeavesTheTargetAsItWas) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    vbtest::TempDir t;
    put(t.file("a.txt"), "keep");
    ::chmod(t.path().c_str(), 0555);
    int err = 0;
    EXPECT_FALSE(vb::writeFileAtomic(vb::fsToBytes(t.file("a.txt")), "lost", &err));
    ::chmod(t.path().c_str(), 0755);
    Bytes back;
    vb::readWholeFile(vb::fsToBytes(t.file("a.txt")), back);
    EXPECT_EQ(back, "keep");
}

TEST(Files, WritingThroughASymbolicLinkReplacesTheFileItNames) {
    vbtest::TempDir t;
    put(t.file("real.ini"), "old");
    ::symlink(t.file("real.ini").c_str(), t.file("link.ini").c_str());
    ASSERT_TRUE(vb::writeFileAtomic(vb::fsToBytes(t.file("link.ini")), "new"));
    struct stat st;
    ASSERT_EQ(::lstat(t.file("link.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    Bytes back;
    vb::readWholeFile(vb::fsToBytes(t.file("real.ini")), back);
    EXPECT_EQ(back, "new");
}

TEST(Files, WriteIntoAMissingDirectoryFails) {
    vbtest::TempDir t;
    int err = 0;
    EXPECT_FALSE(vb::writeFileAtomic(vb::fsToBytes(t.file("no/such/a.txt")), "x", &err));
    EXPECT_EQ(vb::ioCodeFromErrno(err), vb::kIoFileNotFound);
}

TEST(Files, ListsOrdinaryVisibleFilesOnly) {
    vbtest::TempDir t;
    put(t.file("b.TXT"), "");
    put(t.file(".hidden"), "");
    put(t.file("\xe6\x97\xa5.txt"), ""); // 日.txt
    ::mkdir(t.file("sub").c_str(), 0755);
    ::symlink(t.file("b.TXT").c_str(), t.file("link.txt").c_str());
    ::symlink(t.file("sub").c_str(), t.file("dirlink").c_str());
    std::vector<Bytes> names;
    ASSERT_TRUE(vb::listFiles(vb::fsToBytes(t.path()), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<Bytes>{"b.TXT", "link.txt", vb::cp("日.txt")}));
    int err = 0;
    EXPECT_FALSE(vb::listFiles(vb::fsToBytes(t.file("missing")), names, &err));
    EXPECT_EQ(err, ENOENT);
}

TEST(Files, BareNamesResolveAgainstTheWorkingDirectory) {
    vbtest::TempDir t;
    put(t.file("m.txt"), "hello");
    vb::setWorkingDirectory(vb::fsToBytes(t.path()));
    Bytes back;
    EXPECT_TRUE(vb::readWholeFile("m.txt", back));
    EXPECT_EQ(back, "hello");
    EXPECT_EQ(vb::resolvePath("/abs"), "/abs");
    vb::setWorkingDirectory("");
}

TEST(Files, SameFileGoesByTheFileNotBySpelling) {
    vbtest::TempDir t;
    put(t.file("abc.txt"), "one");
    put(t.file("other.txt"), "one");
    ::mkdir(t.file("sub").c_str(), 0755);
    ASSERT_EQ(::symlink("abc.txt", t.file("link.txt").c_str()), 0);
    ASSERT_EQ(::link(t.file("abc.txt").c_str(), t.file("hard.txt").c_str()), 0);
    vb::setWorkingDirectory(vb::fsToBytes(t.path()));
    const Bytes full = vb::fsToBytes(t.file("abc.txt"));
    const struct {
        Bytes a, b;
        bool same;
    } cases[] = {
        {"abc.txt", "abc.txt", true},        {"abc.txt", "./abc.txt", true},         {"abc.txt", full, true},
        {"abc.txt", "sub/../abc.txt", true}, {"abc.txt", "link.txt", true},          {"abc.txt", "hard.txt", true},
        {"abc.txt", "other.txt", false},     {"abc.txt", "ABC.TXT", false},          {"abc.txt", "missing.txt", false},
        {"missing.txt", "abc.txt", false},   {"missing.txt", "./missing.txt", true}, {"missing.txt", "gone.txt", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::sameFile(c.a, c.b), c.same) << c.a << " / " << c.b;
    vb::setWorkingDirectory("");
}

TEST(Files, PathHelpers) {
    EXPECT_EQ(vb::withSeparator("/a"), "/a/");
    EXPECT_EQ(vb::withSeparator("/"), "/");
    EXPECT_EQ(vb::baseName("/x/y/KVX00001.TXT"), "KVX00001.TXT");
    EXPECT_EQ(vb::baseName("plain"), "plain");
}

TEST(Errors, CarryTheRuntimeTexts) {
    try {
        vb::failNotNumber("12 ");
    } catch (const vb::RuntimeError &e) {
        EXPECT_EQ(vb::toUnicode(e.text()), QString::fromUtf8("'12 ' は数値ではありません"));
    }
    try {
        vb::failIo(2);
    } catch (const vb::RuntimeError &e) {
        EXPECT_EQ(vb::toUnicode(e.text()), QString::fromUtf8("I/O エラー (2)"));
    }
}
