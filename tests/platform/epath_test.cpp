// The rule that places the settings file: beside the executable, or in the
// per-user folder when the executable runs from the installation's bin
// folder, however that folder is spelt.

#include "tests/common/tempdir.h"
#include "platform/epath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(EPath, ChoosesTheFolderByWhereTheExecutableRuns) {
    vbtest::TempDir dir;
    ::mkdir(dir.file("usr").c_str(), 0755);
    ::mkdir(dir.file("usr/bin").c_str(), 0755);
    ::mkdir(dir.file("portable").c_str(), 0755);
    ASSERT_EQ(::symlink("usr/bin", dir.file("bin").c_str()), 0); // a merged /usr
    const std::string bin = dir.file("usr/bin");
    const std::string home = "/home/ann";
    const std::string user = home + "/.config/velbrook/";
    struct Case {
        const char *name;
        std::string exeDir;
        const char *xdg; // null: unset
        const char *home;
        std::string dir;
        bool perUser;
    };
    const Case cases[] = {
        {"a portable copy", dir.file("portable/"), "/x", home.c_str(), dir.file("portable/"), false},
        {"a folder that only looks like bin", dir.file("portable/bin/"), nullptr, home.c_str(),
         dir.file("portable/bin/"), false},
        {"installed, XDG_CONFIG_HOME unset", bin + "/", nullptr, home.c_str(), user, true},
        {"installed, bin spelt without the separator", bin, nullptr, home.c_str(), user, true},
        {"installed, reached through the linked /bin", dir.file("bin/"), nullptr, home.c_str(), user, true},
        {"installed, XDG_CONFIG_HOME set", bin, "/cfg/", home.c_str(), "/cfg/velbrook/", true},
        {"installed, XDG_CONFIG_HOME empty", bin, "", home.c_str(), user, true},
        {"installed, XDG_CONFIG_HOME relative", bin, "cfg", home.c_str(), user, true},
        {"installed, HOME with a separator", bin, nullptr, "/home/ann/", user, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const vb::EPathChoice got = vb::chooseEPath(c.exeDir, bin, c.xdg, c.home);
        EXPECT_EQ(got.dir, c.dir);
        EXPECT_EQ(got.perUser, c.perUser);
    }
}
