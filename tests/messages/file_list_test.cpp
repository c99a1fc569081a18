#include "messages/file_list.h"
#include "platform/files.h"
#include "tests/common/tempdir.h"
#include "tests/messages/message_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

using vb::Bytes;
using Names = std::vector<Bytes>;

namespace {

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *name : {"b.TXT", "A.txt", "c.txt", ".hidden.txt", "d.doc", "README"})
            vbtest::put(dir.file(name), "");
        ::mkdir(dir.file("sub.txt").c_str(), 0755);
        root = vb::fsToBytes(dir.path());
        root.pop_back(); // without the trailing separator
    }
    void TearDown() override { vb::setWorkingDirectory(""); }

    vbtest::TempDir dir;
    Bytes root;
};

} // namespace

TEST_F(FileListTest, ListsMatchingOrdinaryFilesInNameOrder) {
    vb::FileList list;
    list.setMask("*.TXT");
    list.setDirectory(root + "/");
    EXPECT_EQ(list.directory(), root);
    EXPECT_EQ(vb::workingDirectory(), root);
    EXPECT_EQ(list.names().toVector(), (Names{"A.txt", "b.TXT", "c.txt"}));

    list.setMask("*.*");
    EXPECT_EQ(list.names().toVector(), (Names{"A.txt", "b.TXT", "c.txt", "d.doc", "README"}));
    list.setMask(";*.DOC");
    EXPECT_EQ(list.names().toVector(), Names{"d.doc"});
    list.setMask("");
    EXPECT_EQ(list.count(), 0u);
}

TEST_F(FileListTest, ListsAgainOnlyOnChangeOrRequest) {
    vb::FileList list;
    list.setMask("*.txt");
    list.setDirectory(root);
    vbtest::put(dir.file("0.txt"), "");
    list.setDirectory(root + "//");
    list.setMask("*.txt");
    EXPECT_EQ(list.count(), 3u);
    list.reread();
    EXPECT_EQ(list.names().front(), "0.txt");
    EXPECT_EQ(list.count(), 4u);
}

TEST_F(FileListTest, EmptyDirectoryAndRoot) {
    ::mkdir(dir.file("empty").c_str(), 0755);
    vb::FileList list;
    list.setDirectory(root + "/empty");
    EXPECT_EQ(list.count(), 0u);
    list.setDirectory("/");
    EXPECT_EQ(list.directory(), "/");
    EXPECT_EQ(vb::workingDirectory(), "/");
    // A relative directory is taken against the directory listed last.
    list.setDirectory(root);
    list.setDirectory("empty");
    EXPECT_EQ(list.directory(), root + "/empty");
}

TEST_F(FileListTest, MissingDirectoryKeepsTheListAsItWas) {
    vb::FileList list;
    list.setMask("*.txt");
    list.setDirectory(root);
    const Names before = list.names().toVector();
    EXPECT_EQ(vbtest::failureText([&] { list.setDirectory(root + "/missing/deeper"); }), vb::cp(u8"I/O エラー (2)"));
    EXPECT_EQ(list.directory(), root);
    EXPECT_EQ(list.names().toVector(), before);
    EXPECT_EQ(vb::workingDirectory(), root);

    // The listed directory disappears: a new mask cannot be applied.
    ::rmdir(dir.file("sub.txt").c_str());
    for (const char *name : {"b.TXT", "A.txt", "c.txt", ".hidden.txt", "d.doc", "README"})
        vb::removeFile(vb::fsToBytes(dir.file(name)));
    ::rmdir(dir.path().c_str());
    EXPECT_THROW(list.setMask("*.doc"), vb::RuntimeError);
    EXPECT_EQ(list.mask(), "*.txt");
    EXPECT_EQ(list.names().toVector(), before);
}

// Inside one ReadOnce the directory is read once: another mask, the
// subfolders and the closing reread all come from that read, with the same
// names in the same order as reads of their own; a file made meanwhile shows
// once it ends.
TEST_F(FileListTest, OneReadServesEveryListingUntilItEnds) {
    vb::FileList alone;
    alone.setDirectory(root);
    alone.setMask("*.TXT");
    const Names txt = alone.names().toVector();
    alone.setMask("*.*");
    const Names all = alone.names().toVector();

    vb::FileList list;
    {
        vb::FileList::ReadOnce once(list);
        list.setDirectory(root);
        EXPECT_EQ(list.names().toVector(), all);
        vbtest::put(dir.file("0.txt"), "");
        ::mkdir(dir.file("later").c_str(), 0755);
        list.setMask("*.TXT");
        EXPECT_EQ(list.names().toVector(), txt);
        EXPECT_EQ(list.subfolders(root + "/"), Names{"sub.txt"});
        list.reread();
        EXPECT_EQ(list.names().toVector(), txt);
    }
    list.reread();
    EXPECT_EQ(list.names().front(), "0.txt");
    Names folders = list.subfolders(root);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (Names{"later", "sub.txt"}));
}

// A file renamed over a listed one shows as another inode number, however
// wide the numbers are: one past 32 bits in the middle of a listing keeps
// every number whole, before it and after.
TEST(InodeList, EveryNumberReadsBackWhole) {
    const std::vector<std::vector<uint64_t>> cases = {
        {},
        {1, 2, 0xFFFFFFFFull},
        {7, 0x100000000ull, 7, 0x1FFFFFFFFull, 0},
        {0xFFFFFFFF00000001ull, 3},
    };
    for (const auto &numbers : cases) {
        vb::InodeList list;
        for (uint64_t n : numbers)
            list.push_back(n);
        list.shrink_to_fit();
        ASSERT_EQ(list.size(), numbers.size());
        for (size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(list[i], numbers[i]) << "number " << i << " of " << numbers.size();
    }
}
