#include "tests/common/alloc_meter.h"
#include "tests/common/failures.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using vb::Bytes;
using vbtest::failureText;

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

TEST(Files, WholeFilesAreReadAsTheirBytesArriveUpToALimit) {
    vbtest::TempDir t;
    put(t.file("small.txt"), "0123456789");
    put(t.file("huge.txt"), "");
    ASSERT_EQ(::truncate(t.file("huge.txt").c_str(), 16ll << 30), 0); // sparse: no disk used
    ::mkdir(t.file("folder").c_str(), 0755);
    ASSERT_EQ(::mkfifo(t.file("pipe").c_str(), 0644), 0); // opening it for reading would wait for a writer
    const size_t any = SIZE_MAX;
    const struct {
        std::string path;
        size_t limit;
        bool ok;
        int err;
    } cases[] = {
        {t.file("small.txt"), any, true, 0},
        {t.file("small.txt"), 10, true, 0},
        {t.file("small.txt"), 9, false, EFBIG},
        {t.file("huge.txt"), 1 << 20, false, EFBIG},
        {t.file("huge.txt"), vb::kWholeFileLimit, false, EFBIG},
        {"/proc/self/status", any, true, 0}, // says it is empty, yet has lines
        {"/proc/self/status", 16, false, EFBIG},
        {t.file("folder"), any, false, EISDIR},
        {t.file("pipe"), any, false, EINVAL},
        {t.file("missing"), any, false, ENOENT},
    };
    for (const auto &c : cases) {
        Bytes out = "stale";
        int err = 0;
        vbtest::AllocMeter meter(8 << 20); // a larger allocation is refused
        EXPECT_EQ(vb::readWholeFile(vb::fsToBytes(c.path), out, &err, c.limit), c.ok) << c.path << " " << c.limit;
        EXPECT_LE(meter.largest(), size_t(1) << 20) << c.path;
        EXPECT_EQ(err, c.err) << c.path << " " << c.limit;
        if (!c.ok) {
            EXPECT_EQ(out, "") << c.path;
        } else if (c.path.rfind("/proc/", 0) == 0) {
            EXPECT_EQ(out.rfind("Name:", 0), 0u) << out;
        } else {
            EXPECT_EQ(out, "0123456789");
        }
    }
    // A reader that names no limit of its own gets kWholeFileLimit.
    Bytes out;
    int err = 0;
    EXPECT_FALSE(vb::readWholeFile(vb::fsToBytes(t.file("huge.txt")), out, &err));
    EXPECT_EQ(err, EFBIG);
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

TEST(Files, WritingThroughLinksKeepsEveryLinkAndCreatesTheFileTheyName) {
    const struct {
        const char *what;
        std::vector<std::pair<std::string, std::string>> links; // name, target (relative to the folder or absolute)
        std::string written;                                    // the file that receives the content, "" for none
        int err;
    } cases[] = {
        {"dangling, relative", {{"Velbrook.ini", "sub/real.ini"}}, "sub/real.ini", 0},
        {"dangling, absolute", {{"Velbrook.ini", "@/abs.ini"}}, "abs.ini", 0},
        {"chain ending in nothing", {{"Velbrook.ini", "mid.ini"}, {"mid.ini", "sub/end.ini"}}, "sub/end.ini", 0},
        {"into a missing folder", {{"Velbrook.ini", "none/real.ini"}}, "", ENOENT},
        {"loop onto itself", {{"Velbrook.ini", "Velbrook.ini"}}, "", ELOOP},
        {"loop of two", {{"Velbrook.ini", "other.ini"}, {"other.ini", "Velbrook.ini"}}, "", ELOOP},
    };
    for (const auto &c : cases) {
        vbtest::TempDir t;
        ::mkdir(t.file("sub").c_str(), 0755);
        for (const auto &[name, target] : c.links)
            ASSERT_EQ(::symlink((target[0] == '@' ? t.file(target.substr(2)) : target).c_str(), t.file(name).c_str()),
                      0);
        int err = 0;
        EXPECT_EQ(vb::writeFileAtomic(vb::fsToBytes(t.file("Velbrook.ini")), "new", &err), c.written != "") << c.what;
        EXPECT_EQ(err, c.err) << c.what;
        if (!c.written.empty()) {
            EXPECT_EQ(vbtest::getFile(t.file(c.written)), "new") << c.what;
        }
        for (const auto &[name, target] : c.links) {
            struct stat st;
            EXPECT_TRUE(::lstat(t.file(name).c_str(), &st) == 0 && S_ISLNK(st.st_mode)) << c.what << ": " << name;
        }
    }
}

TEST(Files, WritesFilesWithNamesAtTheLengthLimit) {
    vbtest::TempDir t;
    const std::string name = std::string(NAME_MAX - 4, 'n') + ".txt";
    int err = 0;
    EXPECT_TRUE(vb::writeFileAtomic(vb::fsToBytes(t.file(name)), "first", &err)) << err;
    EXPECT_TRUE(vb::writeFileAtomic(vb::fsToBytes(t.file(name)), "second", &err)) << err;
    EXPECT_EQ(vbtest::getFile(t.file(name)), "second");
    // Nothing else is left in the folder, hidden files included.
    std::vector<std::string> entries;
    DIR *d = ::opendir(t.path().c_str());
    while (struct dirent *e = ::readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
            entries.push_back(e->d_name);
    ::closedir(d);
    EXPECT_EQ(entries, std::vector<std::string>{name});
}

TEST(Files, PrivateWritesAreForTheOwnerAlone) {
    struct Case {
        const char *name;
        mode_t before; // 0: no file yet
        vb::FileAccess access;
        mode_t after;
    };
    const Case cases[] = {
        {"new, shared", 0, vb::FileAccess::Shared, 0644},
        {"new, private", 0, vb::FileAccess::Private, 0600},
        {"replaced, shared, keeps its mode", 0640, vb::FileAccess::Shared, 0640},
        {"replaced, private, loses group and others", 0664, vb::FileAccess::Private, 0600},
        {"replaced, private, keeps the owner's bits", 0700, vb::FileAccess::Private, 0700},
    };
    const mode_t oldMask = ::umask(022);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        vbtest::TempDir dir;
        const std::string f = dir.file("f.ini");
        if (c.before) {
            put(f, "old");
            ::chmod(f.c_str(), c.before);
        }
        ASSERT_TRUE(vb::writeFileAtomic(f, "new", nullptr, c.access));
        struct stat st;
        ASSERT_EQ(::stat(f.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        EXPECT_EQ(vbtest::getFile(f), "new");
    }
    ::umask(oldMask);
}

namespace {

std::string attribute(const std::string &path, const char *name) {
    char value[4096];
    const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? "<none>" : std::string(value, size_t(n));
}

} // namespace

TEST(Files, AReplacedFileKeepsEverythingButItsBytes) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner and group takes root";
    auto setfacl = [](const std::string &f) {
        return std::system(("setfacl -m u:65534:rw,g:50:r '" + f + "' 2>/dev/null").c_str()) == 0;
    };
    auto note = [](const std::string &f) { return ::setxattr(f.c_str(), "user.note", "kept", 4, 0) == 0; };
    const struct {
        const char *what;
        std::function<bool(const std::string &)> prepare; // false: the file system cannot hold it
        bool inPlace;                                     // the same file rewritten
        std::function<void()> refuse;                     // a call this process is denied, or null
    } cases[] = {
        {"another owner and group, 0640",
         [](const std::string &f) { return ::chown(f.c_str(), 65534, 50) == 0 && ::chmod(f.c_str(), 0640) == 0; },
         false, nullptr},
        {"set-group-id and sticky bits", [](const std::string &f) { return ::chmod(f.c_str(), 03751) == 0; }, false,
         nullptr},
        {"an access list", setfacl, false, nullptr},
        {"an extended attribute", note, false, nullptr},
        {"a second name", [&](const std::string &f) { return ::link(f.c_str(), (f + ".2").c_str()) == 0; }, true,
         nullptr},
        {"an owner a new file cannot be given", [](const std::string &f) { return ::chown(f.c_str(), 65534, 50) == 0; },
         true, [] { vb::fileOps().fchown = [](int, uid_t, gid_t) { return errno = EPERM, -1; }; }},
        {"attributes a new file cannot be given", note, true,
         [] {
             vb::fileOps().fsetxattr = [](int, const char *, const void *, size_t, int) { return errno = EPERM, -1; };
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        vbtest::TempDir t;
        const std::string f = t.file("m.txt");
        put(f, "old bytes");
        if (!c.prepare(f)) {
            std::printf("[ SKIPPED  ] %s: the file system cannot hold it\n", c.what);
            continue;
        }
        struct stat before, after;
        ASSERT_EQ(::stat(f.c_str(), &before), 0);
        const std::string acl = attribute(f, "system.posix_acl_access"), noted = attribute(f, "user.note");
        const std::vector<std::string> names = vbtest::listing(t.path());
        if (c.refuse)
            c.refuse();
        int err = 0;
        EXPECT_TRUE(vb::writeFileAtomic(vb::fsToBytes(f), "new", &err)) << err;
        vb::fileOps() = vb::systemFileOps();
        ASSERT_EQ(::stat(f.c_str(), &after), 0);
        EXPECT_EQ(vbtest::getFile(f), "new");
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace);
        EXPECT_EQ(attribute(f, "system.posix_acl_access"), acl);
        EXPECT_EQ(attribute(f, "user.note"), noted);
        for (const std::string &name : names)
            EXPECT_EQ(vbtest::getFile(t.file(name)), "new") << name;
        EXPECT_EQ(vbtest::listing(t.path()), names) << "no copy is left";
    }
}

TEST(Files, AFileThisUserMayNotWriteIsRefused) {
    const struct {
        const char *what;
        mode_t mode;
        bool userMayWrite;
    } cases[] = {
        {"read-only for everyone", 0444, true},
        {"writable by its owner, who is someone else", 0644, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        vbtest::TempDir t;
        const std::string f = t.file("m.txt");
        put(f, "old");
        ::chmod(f.c_str(), c.mode);
        if (!c.userMayWrite) // what the system answers a user who is neither owner nor in the list
            vb::fileOps().access = [](const char *, int) { return errno = EACCES, -1; };
        int err = 0;
        EXPECT_FALSE(vb::writeFileAtomic(vb::fsToBytes(f), "new", &err));
        vb::fileOps() = vb::systemFileOps();
        EXPECT_EQ(err, EACCES);
        EXPECT_EQ(vbtest::getFile(f), "old");
        EXPECT_EQ(vbtest::listing(t.path()), std::vector<std::string>{"m.txt"});
    }
}

TEST(Files, TemporariesOfKilledSavesGoAfterADay) {
    vbtest::TempDir t;
    const std::string dayOld = ".vb-Ab12Cd", fresh = ".vb-Zz99Yy", copy = ".vb-m.txt-Qq11Ww", other = ".vb-keep";
    for (const std::string &name : {dayOld, fresh, copy, other})
        put(t.file(name), "left");
    const struct timespec old[2] = {{::time(nullptr) - 25 * 3600, 0}, {::time(nullptr) - 25 * 3600, 0}};
    for (const std::string &name : {dayOld, copy, other})
        ::utimensat(AT_FDCWD, t.file(name).c_str(), old, 0);
    ASSERT_TRUE(vb::writeFileAtomic(vb::fsToBytes(t.file("m.txt")), "new"));
    EXPECT_EQ(vbtest::listing(t.path()), (std::vector<std::string>{fresh, other, copy, "m.txt"}));
}

TEST(Files, PrivateFoldersAreMadeLevelByLevel) {
    vbtest::TempDir dir;
    auto mode = [](const std::string &p) {
        struct stat st;
        return ::stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    };
    ::mkdir(dir.file("home").c_str(), 0755);
    EXPECT_TRUE(vb::makePrivateDirectories(dir.file("home/.config/velbrook/")));
    EXPECT_EQ(mode(dir.file("home")), 0755u) << "a folder that was there keeps its mode";
    EXPECT_EQ(mode(dir.file("home/.config")), 0700u);
    EXPECT_EQ(mode(dir.file("home/.config/velbrook")), 0700u);
    EXPECT_TRUE(vb::makePrivateDirectories(dir.file("home/.config/velbrook"))) << "already there";
    put(dir.file("home/file"), "x");
    EXPECT_FALSE(vb::makePrivateDirectories(dir.file("home/file")));
    EXPECT_FALSE(vb::makePrivateDirectories(dir.file("home/file/below")));
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

TEST(Files, EveryListedNameOpens) {
    vbtest::TempDir t;
    const std::string names[] = {
        "\xEF\x9E\x81@.txt",    // a placeholder character before "@"
        "\xEF\x9E\xA1.txt",     // a placeholder for a byte that decodes on its own
        "\xE3\x80\x80.txt",     // the full-width space that the first could turn into
        "caf\xE9.txt",          // not UTF-8
        "\xF0\x9F\x98\x80.txt", // not in the code page
        "z.txt",
    };
    for (const std::string &name : names)
        put(t.file(name), "content of " + name);
    std::vector<Bytes> listed;
    ASSERT_TRUE(vb::listFiles(vb::fsToBytes(t.path()), listed));
    ASSERT_EQ(listed.size(), std::size(names));
    std::vector<std::string> opened;
    for (const Bytes &name : listed) {
        Bytes content;
        int err = 0;
        EXPECT_TRUE(vb::readWholeFile(vb::fsToBytes(t.path()) + name, content, &err)) << name << " " << err;
        opened.push_back(content);
    }
    std::sort(opened.begin(), opened.end());
    std::vector<std::string> expected;
    for (const std::string &name : names)
        expected.push_back("content of " + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(opened, expected);
    for (const std::string &name : names) // the temporary folder cannot remove a name that is not UTF-8
        ::unlink(t.file(name).c_str());
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
    EXPECT_EQ(vb::toUnicode(failureText([] { vb::failNotNumber("12 "); })),
              QString::fromUtf8("'12 ' は数値ではありません"));
    EXPECT_EQ(vb::toUnicode(failureText([] { vb::failIo(2); })), QString::fromUtf8("I/O エラー (2)"));
    EXPECT_EQ(vb::toUnicode(failureText([] { vb::failCannotCreate("a.txt"); })),
              QString::fromUtf8("ファイル a.txt を作成できません"));
    EXPECT_EQ(vb::toUnicode(failureText([] { vb::failCannotOpen("a.txt"); })),
              QString::fromUtf8("ファイル a.txt は開けません"));
    EXPECT_EQ(vb::toUnicode(failureText([] { vb::failCannotWrite("/x/Velbrook.ini"); })),
              QString::fromUtf8("/x/Velbrook.ini に書き込めません"));
}

TEST(Errors, QuotedTextsAreCutOnACharacterBoundary) {
    const size_t limit = vb::kQuoteLimit;
    const Bytes ellipsis = "\x81\x63";
    const Bytes kana = "\x82\xa0"; // a double-byte character
    Bytes doubles;                 // one byte, then double-byte characters: the limit falls inside one
    doubles += 'a';
    while (doubles.size() < (1u << 20))
        doubles += kana;
    const struct {
        Bytes text;
        Bytes quoted;
    } cases[] = {
        {"", ""},
        {Bytes(limit, '7'), Bytes(limit, '7')},
        {Bytes(limit + 1, '7'), Bytes(limit, '7') + ellipsis},
        {Bytes(1u << 20, '7'), Bytes(limit, '7') + ellipsis}, // a 1 MB number line
        {doubles, doubles.substr(0, limit - 1) + ellipsis},
        {Bytes(limit - 1, 'x') + kana, Bytes(limit - 1, 'x') + ellipsis},
        {Bytes(limit - 2, 'x') + kana, Bytes(limit - 2, 'x') + kana},
    };
    const Bytes notNumber = vb::cp(" は数値ではありません");
    const Bytes fileWord = vb::cp("ファイル ");
    for (const auto &c : cases) {
        EXPECT_EQ(vb::quoteForError(c.text), c.quoted) << c.text.size();
        EXPECT_EQ(failureText([&] { vb::failNotNumber(c.text); }), "'" + c.quoted + "'" + notNumber);
        EXPECT_EQ(failureText([&] { vb::failCannotCreate(c.text); }),
                  fileWord + c.quoted + vb::cp(" を作成できません"));
        EXPECT_EQ(failureText([&] { vb::failCannotOpen(c.text); }), fileWord + c.quoted + vb::cp(" は開けません"));
        EXPECT_EQ(failureText([&] { vb::failCannotWrite(c.text); }), c.quoted + vb::cp(" に書き込めません"));
    }
}
