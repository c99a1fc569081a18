// The recovery journal in the whole program: typed text that an ended run
// left unsaved is offered on the next View, and Open, Discard and Later do
// what they say; saved or given-up text leaves nothing behind.

#include "app/app.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "browser/disk_checks.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "tests/setup/setup_fixture.h"
#include "platform/epath.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using vb::Bytes;

namespace {

const std::string kBody = "first\r\nsecond\r\n";

class RecoveryCycle : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        ::mkdir(dir.file("msgs").c_str(), 0755);
        vbtest::putFile(dir.file("msgs/a.txt"), kBody);
        vbtest::putFile(
            dir.file("Velbrook.ini"),
            vbtest::section(0, {{"Title", "Notes"}, {"Directory", dir.file("msgs/")}, {"Search Mode", "Text Mode"}}));
    }
    void TearDown() override { vbtest::endApplication(app); }
    // Starts the program and enters the browser, answering the recovery box with choice.
    void view(int choice = 2) {
        dialogs = vb::installScriptedDialogs();
        dialogs->choices.push_back(choice);
        app = std::make_unique<vb::Application>(vb::fsToBytes(dir.file("Velbrook.ini")));
        app->start();
        app->F1->journal().setIntervals(30, 1000);
        app->F0->Btn_Title_View->click();
    }
    vb::BrowserProbe browser() { return vb::BrowserProbe(*app->F1); }
    // Edit, then typed keys at the start of the text, then a wait past the pause.
    void typeAndPause(const char *keys) {
        browser().Btn_Edit->click();
        QTest::keyClicks(browser().Memo_log, QString::fromUtf8(keys));
        // The pause timer fires from the event loop; a fixed wait may end
        // without the loop having run once after the pause under load.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !recoveryFiles().empty(); }, 10000)) << "no record after the pause";
        app->F1->journal().waitIdle();
    }
    // The program ends without a word: its recovery file stays, its lock goes.
    void crash() {
        app->F1->journal().waitIdle();
        vbtest::endApplication(app);
    }
    std::vector<std::string> recoveryFiles() {
        std::vector<std::string> out;
        for (const std::string &name : vbtest::listing(dir.file("recovery")))
            if (name.size() > 4 && name.substr(name.size() - 4) == ".vbr")
                out.push_back(name);
        return out;
    }
    size_t asked() {
        size_t n = 0;
        for (const auto &r : dialogs->log)
            n += r.kind == "choice";
        return n;
    }
    vbtest::TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

TEST_F(RecoveryCycle, OpenShowsTheTypedTextUnsavedAndTheFileUntouched) {
    view();
    typeAndPause("typed ");
    ASSERT_EQ(recoveryFiles().size(), 1u);
    crash();
    view(0);
    EXPECT_EQ(asked(), 1u);
    EXPECT_EQ(browser().Memo_log->toPlainText(), QStringLiteral("typed first\nsecond"));
    EXPECT_TRUE(browser().Memo_log->isModified());
    EXPECT_FALSE(browser().Memo_log->isReadOnly());
    EXPECT_EQ(vbtest::getFile(dir.file("msgs/a.txt")), kBody);
    // Saved now: the file takes the text and the recovery file goes.
    browser().Btn_Save->click();
    app->F1->journal().waitIdle();
    EXPECT_EQ(vbtest::getFile(dir.file("msgs/a.txt")), "typed first\r\nsecond\r\n");
    EXPECT_TRUE(recoveryFiles().empty());
}

TEST_F(RecoveryCycle, DiscardRemovesItAndLaterKeepsItForTheNextStartOnly) {
    view();
    typeAndPause("typed ");
    crash();
    view(2); // Later
    EXPECT_EQ(asked(), 1u);
    EXPECT_EQ(browser().Memo_log->toPlainText(), QStringLiteral("first\nsecond"));
    browser().Btn_Close->click();
    app->F0->Btn_Title_View->click(); // entering again in the same run asks no more
    EXPECT_EQ(asked(), 1u);
    EXPECT_EQ(recoveryFiles().size(), 1u);
    crash();
    view(1); // Discard
    EXPECT_EQ(asked(), 1u);
    EXPECT_TRUE(recoveryFiles().empty());
    EXPECT_EQ(vbtest::getFile(dir.file("msgs/a.txt")), kBody);
}

TEST_F(RecoveryCycle, SavedOrGivenUpTextLeavesNothingBehind) {
    const std::vector<std::pair<const char *, std::function<void()>>> endings = {
        {"Save", [this] { browser().Btn_Save->click(); }},
        {"Discard OK on a move", [this] { browser().Btn_Top->click(); }},
        {"Close", [this] { browser().Btn_Close->click(); }},
    };
    for (const auto &[what, end] : endings) {
        view();
        typeAndPause("x");
        EXPECT_EQ(recoveryFiles().size(), 1u) << what;
        end();
        app->F1->journal().waitIdle();
        EXPECT_TRUE(recoveryFiles().empty()) << what;
        crash();
    }
}

TEST_F(RecoveryCycle, TextOfAVanishedFileOpensUnsavedAndSaveStoresIt) {
    view();
    typeAndPause("kept ");
    crash();
    std::remove(dir.file("msgs/a.txt").c_str());
    view(0);
    ASSERT_EQ(asked(), 1u);
    EXPECT_EQ(browser().Memo_log->toPlainText(), QStringLiteral("kept first\nsecond"));
    EXPECT_TRUE(browser().Memo_log->isModified());
    browser().Btn_Save->click();
    // The file the text was typed against is gone: Save asks before creating it again.
    ASSERT_FALSE(dialogs->questions().empty());
    EXPECT_EQ(dialogs->questions().front().rfind(vb::kDeletedCreate, 0), 0u) << dialogs->questions().front();
    EXPECT_EQ(vbtest::getFile(dir.file("msgs/a.txt")), "kept first\r\nsecond\r\n");
}

TEST_F(RecoveryCycle, SaveOfRecoveredTextAsksAboutAChangeMadeOnDiskSinceItsLoad) {
    view();
    typeAndPause("mine ");
    crash();
    // Another program writes the file between the crash and the next start.
    vbtest::putFile(dir.file("msgs/a.txt"), "theirs, longer than before\r\n");
    view(0);
    dialogs->answers = {false};
    browser().Btn_Save->click();
    ASSERT_FALSE(dialogs->questions().empty());
    EXPECT_EQ(dialogs->questions().front().rfind(vb::kChangedOverwrite, 0), 0u) << dialogs->questions().front();
    EXPECT_EQ(vbtest::getFile(dir.file("msgs/a.txt")), "theirs, longer than before\r\n");
    EXPECT_EQ(browser().Memo_log->toPlainText(), QStringLiteral("mine first\nsecond"));
}

} // namespace
