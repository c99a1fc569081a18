#include "settings/profile.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/codepage.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using vb::Bytes;
using vb::ProfileBatch;

namespace {

// Runs a batch that writes one value and returns the failure text ("" when
// none was raised).
std::string failedWrite(const std::string &path) {
    try {
        ProfileBatch ini(path);
        ini.writeString("S", "k", "new");
        ini.release();
    } catch (const vb::RuntimeError &e) {
        return e.text();
    }
    return "";
}

Bytes cannotWrite(const std::string &path) { return path + vb::cp(u8" に書き込めません"); }

} // namespace

TEST(ProfileFailure, ReadOnlyFileIsRefusedAndKept) {
    vbtest::TempDir dir;
    const std::string path = dir.file("t.ini");
    vbtest::putFile(path, "[S]\r\nk=old\r\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(failedWrite(path), cannotWrite(path));
    EXPECT_EQ(vbtest::getFile(path), "[S]\r\nk=old\r\n");
    // A batch that changes nothing does not need to write.
    ProfileBatch ini(path);
    ini.writeString("S", "k", "old");
    EXPECT_NO_THROW(ini.release());
}

TEST(ProfileFailure, PathThatCannotHoldAFile) {
    vbtest::TempDir dir;
    // The settings path is a folder: it reads as empty and is never written.
    const std::string folder = dir.file("Velbrook.ini");
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    EXPECT_EQ(ProfileBatch(folder).readString("S", "k", "d"), "d");
    EXPECT_EQ(failedWrite(folder), cannotWrite(folder));
    // The folder of the settings path is an ordinary file.
    const std::string plain = dir.file("plain");
    vbtest::putFile(plain, "data");
    const std::string inside = plain + "/Velbrook.ini";
    EXPECT_EQ(failedWrite(inside), cannotWrite(inside));
    EXPECT_EQ(vbtest::getFile(plain), "data");
}

TEST(ProfileFailure, ReadOnlyFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    vbtest::TempDir dir;
    const std::string path = dir.file("t.ini");
    vbtest::putFile(path, "[S]\r\nk=old\r\n");
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_EQ(failedWrite(path), cannotWrite(path));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(vbtest::getFile(path), "[S]\r\nk=old\r\n");
}

TEST(ProfileFailure, DroppedBatchWritesNothing) {
    vbtest::TempDir dir;
    const std::string path = dir.file("t.ini");
    vbtest::putFile(path, "[S]\r\nk=old\r\n");
    {
        ProfileBatch ini(path);
        ini.writeString("S", "k", "new");
    }
    EXPECT_EQ(vbtest::getFile(path), "[S]\r\nk=old\r\n");
}

TEST(ProfileFailure, EnormousFileIsRefusedUnread) {
    vbtest::TempDir dir;
    const std::string path = dir.file("t.ini");
    vbtest::putFile(path, "[S]\r\nk=old\r\n");
    ASSERT_EQ(::truncate(path.c_str(), vb::kProfileFileLimit + 1), 0); // sparse, no disk used
    try {
        ProfileBatch ini(path);
        FAIL() << "an enormous file was loaded";
    } catch (const vb::RuntimeError &e) {
        EXPECT_NE(e.text().find(path), Bytes::npos);
    }
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, vb::kProfileFileLimit + 1);
    // A file right at the limit still loads.
    ASSERT_EQ(::truncate(path.c_str(), vb::kProfileFileLimit), 0);
    EXPECT_EQ(ProfileBatch(path).readString("S", "k", "d"), "old");
}

TEST(ProfileFailure, ASettingsFileThatCannotBeReachedReadsAsDefaultsAndIsNeverReplaced) {
    const struct {
        const char *what;
        std::string link, target, path; // relative to the folder
    } cases[] = {
        {"link onto itself", "Velbrook.ini", "Velbrook.ini", "Velbrook.ini"},
        {"folder linked onto itself", "conf", "conf", "conf/Velbrook.ini"},
    };
    for (const auto &c : cases) {
        vbtest::TempDir dir;
        ASSERT_EQ(::symlink(c.target.c_str(), dir.file(c.link).c_str()), 0);
        const std::string path = dir.file(c.path);
        EXPECT_EQ(ProfileBatch(path).readString("S", "k", "d"), "d") << c.what;
        EXPECT_EQ(failedWrite(path), cannotWrite(path)) << c.what;
        char target[64] = {};
        EXPECT_EQ(::readlink(dir.file(c.link).c_str(), target, sizeof target - 1), ssize_t(c.target.size())) << c.what;
        EXPECT_EQ(target, c.target) << c.what;
    }
}

TEST(ProfileFailure, ADanglingSettingsLinkHasItsFileCreated) {
    vbtest::TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("conf").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("conf/real.ini", dir.file("Velbrook.ini").c_str()), 0);
    EXPECT_EQ(failedWrite(dir.file("Velbrook.ini")), "");
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("Velbrook.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(vbtest::getFile(dir.file("conf/real.ini")), "[S]\r\nk=new\r\n");
}
