// An installed program's first View: the per-user folder made for its owner
// alone, the settings file private, and a new user's built-in category filled
// with the sample collection, never over what a user already has.

#include "app/app.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/epath.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using vbtest::exists;
using vbtest::getFile;
using vbtest::listing;
using vbtest::putFile;

mode_t modeOf(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class UserFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldMask = ::umask(022);
        dialogs = vb::installScriptedDialogs();
        ::mkdir(samples().c_str(), 0755);
        putFile(samples() + "KVX00001.TXT", "00001\r\nFirst\r\n");
        putFile(samples() + "KVX00002.TXT", "00002\r\nSecond\r\n");
        vb::setEPath(vb::fsToBytes(folder()), true);
    }
    void TearDown() override {
        vbtest::endApplication(app);
        ::umask(oldMask);
    }
    std::string samples() const { return dir.file("samples/"); }
    // Two levels that do not exist yet, as ~/.config/velbrook/ for a new user.
    std::string folder() const { return dir.file("config/velbrook/"); }
    std::string ini() const { return folder() + "Velbrook.ini"; }
    void startAndView() {
        vb::SettingsPlace place;
        place.file = vb::fsToBytes(ini());
        place.perUser = true;
        place.privateFile = true;
        place.samples = vb::fsToBytes(samples());
        app = std::make_unique<vb::Application>(place);
        app->start();
        app->F0->Btn_Title_View->click();
    }

    mode_t oldMask = 0;
    vbtest::TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

} // namespace

TEST_F(UserFolderTest, ANewUserGetsAPrivateFolderAndOpensOnTheSamples) {
    startAndView();
    ASSERT_TRUE(dialogs->errors().empty()) << dialogs->errors()[0];
    ASSERT_TRUE(app->F1->isVisible());
    EXPECT_EQ(modeOf(dir.file("config")), 0700u);
    EXPECT_EQ(modeOf(folder()), 0700u);
    EXPECT_EQ(modeOf(ini()), 0600u) << "under umask 022";
    EXPECT_EQ(listing(folder() + "logtext"), (std::vector<std::string>{"KVX00001.TXT", "KVX00002.TXT"}));
    EXPECT_EQ(getFile(folder() + "logtext/KVX00002.TXT"), "00002\r\nSecond\r\n");
    EXPECT_EQ(vb::BrowserProbe(*app->F1).LB_Title->count(), 2);
    EXPECT_NE(getFile(ini()).find("\r\nDirectory=" + folder() + "logtext/\r\n"), std::string::npos);
}

TEST_F(UserFolderTest, WhatAUserAlreadyHasIsNeverFilledOrWidened) {
    struct Case {
        const char *name;
        bool settings;   // a settings file is there, mode 0644
        bool ownLogtext; // a logtext folder of the user's own is there
    };
    const Case cases[] = {
        {"settings file, no logtext", true, false},
        {"logtext, no settings file", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(vb::makePrivateDirectories(vb::fsToBytes(folder())));
        if (c.settings) {
            putFile(ini(), "[Velbrook v0.2]\r\nShowHint=1\r\n");
            ::chmod(ini().c_str(), 0644);
        }
        if (c.ownLogtext) {
            ::mkdir((folder() + "logtext").c_str(), 0755);
            putFile(folder() + "logtext/KVX00009.TXT", "mine");
        }
        startAndView();
        EXPECT_EQ(listing(folder() + "logtext"),
                  c.ownLogtext ? std::vector<std::string>{"KVX00009.TXT"} : std::vector<std::string>{});
        EXPECT_EQ(modeOf(ini()), 0600u) << "a written settings file is the owner's alone";
        vbtest::endApplication(app);
        ASSERT_TRUE(QDir(QString::fromStdString(dir.file("config"))).removeRecursively());
    }
}
