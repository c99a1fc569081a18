// Every writer of the program walked through every failure point: the
// writer's command runs once cleanly while the file layer's calls are
// counted, then once per call and errno with that one call failing. After
// each run the files on disk must be a state the clean run passed through
// (the old bytes, the new bytes, or a whole step between two writes; never a
// mixture, never a missing message), no temporary file may be left, a change
// that did not happen must have been reported with the runtime's text, and
// once the fault is gone the same change asked for again must succeed. A
// failure reported names the system's reason for it.

#include "app/app.h"
#include "app/options_panel.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "recovery/recovery_record.h"
#include "setup/setup_window.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/common/fault_injection.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "tests/editing/header_probe.h"
#include "tests/setup/setup_fixture.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using vb::Bytes;

namespace {

using vbtest::getFile;
using vbtest::listing;
using vbtest::logMessage;
using vbtest::putFile;

// Every file of the settings folder and the message folder by name, with
// its bytes; temporary files of the atomic writer are left out (they are
// checked apart).
using DiskState = std::map<std::string, std::string>;

const int kErrnos[] = {ENOSPC, EIO, EACCES, EROFS, EXDEV};

class FaultInjection : public ::testing::Test {
protected:
    // One command of the program that writes files.
    struct Writer {
        const char *what;
        std::function<void()> prepare; // files on disk, program started and brought to the command
        std::function<void()> act;     // the user's command
        std::function<void()> retry;   // the same change asked for again after a reported failure
        bool silentDeletion = false;   // a file that cannot be deleted is no error
    };

    void SetUp() override { vb::setEPath(vb::fsToBytes(dir.path())); }
    void TearDown() override { reset(); }

    std::string ini() const { return dir.file("Velbrook.ini"); }
    std::string msgDir() const { return dir.file("msgs/"); }
    void message(const std::string &name, const std::string &content) { putFile(msgDir() + name, content); }

    // Ends the program and empties the folder for the next run.
    void reset() {
        vbtest::endApplication(app);
        vb::setWorkingDirectory("");
        for (const std::string &name : listing(msgDir()))
            std::remove((msgDir() + name).c_str());
        ::rmdir(msgDir().c_str());
        for (const std::string &name : listing(dir.file("recovery")))
            std::remove(dir.file("recovery/" + name).c_str());
        for (const std::string &name : listing(dir.path()))
            std::remove(dir.file(name).c_str());
        ::mkdir(msgDir().c_str(), 0755);
        dialogs = vb::installScriptedDialogs();
    }

    // Starts the program on one category over msgs/ and enters the browser.
    void browse(const std::string &mode, const std::string &more = "") {
        putFile(ini(), vbtest::section(0, {{"Title", "Logs"},
                                           {"Directory", msgDir()},
                                           {"File Name1", "KVX"},
                                           {"File Name2", "TXT"},
                                           {"Search Mode", mode}}) +
                           more);
        app = std::make_unique<vb::Application>(ini());
        app->start();
        app->F0->Btn_Title_View->click();
        ASSERT_TRUE(app->F1->isVisible());
    }
    vb::BrowserProbe browser() { return vb::BrowserProbe(*app->F1); }
    vbtest::HeaderEditorProbe editor() { return vbtest::HeaderEditorProbe(*app->F3); }
    void typeInMemo(const char *text) {
        vb::Memo *memo = browser().Memo_log;
        QTextCursor c = memo->textCursor();
        c.movePosition(QTextCursor::Start);
        memo->setTextCursor(c);
        QTest::keyClicks(memo, QString::fromUtf8(text));
    }
    void enterSetup() {
        browser().Btn_Setup->click();
        ASSERT_TRUE(app->F2->isVisible());
    }
    void pickSetupEntry(int position) {
        QTest::keyClick(vbtest::control<vb::ComboList>(*app->F2, "CB_Setup"), Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(vbtest::control<vb::ComboList>(*app->F2, "CB_Setup"), Qt::Key_Down);
    }

    DiskState disk() const {
        DiskState state;
        for (const std::string &folder : {dir.path(), msgDir()})
            for (const std::string &name : listing(folder))
                if (name.rfind(".vb-", 0) != 0 && name != "msgs" && name != "recovery")
                    state[folder + name] = getFile(folder + name);
        return state;
    }
    std::vector<std::string> temporaryFiles() const {
        std::vector<std::string> found;
        for (const std::string &folder : {dir.path(), msgDir()})
            for (const std::string &name : listing(folder))
                if (name.rfind(".vb-", 0) == 0)
                    found.push_back(folder + name);
        return found;
    }
    static std::string names(const DiskState &state) {
        std::string out;
        for (const auto &entry : state)
            out += entry.first.substr(entry.first.rfind('/') + 1) + " (" + std::to_string(entry.second.size()) + ") ";
        return out;
    }
    static bool isRuntimeText(const Bytes &text) {
        for (const char *part :
             {"を作成できません", "に書き込めません", "I/O エラー (", "は開けません", "を削除できません"})
            if (text.find(vb::cp(part)) != Bytes::npos)
                return true;
        return false;
    }
    // True when the state differs from the wanted one only by files that
    // should have been deleted and still hold their old bytes.
    static bool onlyUndeleted(const DiskState &state, const DiskState &wanted, const DiskState &before) {
        for (const auto &[path, bytes] : state) {
            const auto w = wanted.find(path);
            if (w != wanted.end() ? w->second != bytes : before.count(path) == 0 || before.at(path) != bytes)
                return false;
        }
        for (const auto &entry : wanted)
            if (state.count(entry.first) == 0)
                return false;
        return true;
    }

    // Runs the writer through every failure point; returns how many were walked.
    int walk(const Writer &w) {
        SCOPED_TRACE(w.what);
        vbtest::FaultInjector faults;
        // The clean run: the calls it makes and the states the disk passes through.
        reset();
        w.prepare();
        const DiskState before = disk();
        std::vector<DiskState> passed{before};
        faults.onCommit([&] { passed.push_back(disk()); });
        faults.arm(0, 0);
        w.act();
        faults.disarm();
        const std::vector<std::string> calls = faults.calls();
        if (std::getenv("VB_SHOW_CALLS"))
            for (size_t i = 0; i < calls.size(); ++i)
                std::printf("  %s call %zu: %s\n", w.what, i + 1, calls[i].c_str());
        const DiskState after = disk();
        passed.push_back(after);
        EXPECT_TRUE(dialogs->errors().empty()) << "the clean run failed: " << dialogs->errors().front();
        EXPECT_NE(before, after) << "the clean run changed nothing";
        EXPECT_FALSE(calls.empty());

        int walked = 0;
        for (size_t n = 1; n <= calls.size(); ++n) {
            for (const int err : kErrnos) {
                SCOPED_TRACE("call " + std::to_string(n) + " (" + calls[n - 1] + ") failing with errno " +
                             std::to_string(err));
                reset();
                w.prepare();
                faults.onCommit(nullptr);
                faults.arm(int(n), err);
                w.act();
                faults.disarm();
                ++walked;
                const DiskState state = disk();
                EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
                EXPECT_TRUE(std::find(passed.begin(), passed.end(), state) != passed.end())
                    << "the files on disk are no state of the clean run: " << names(state);
                const std::vector<Bytes> errors = dialogs->errors();
                for (const Bytes &e : errors) {
                    EXPECT_TRUE(isRuntimeText(e)) << e;
                    EXPECT_TRUE(e.size() > 1 && e.back() == ')' &&
                                e.find(". (" + vb::systemReason(err) + ")") != Bytes::npos)
                        << "the system's reason is not given: " << e;
                }
                if (state == after)
                    continue;
                if (errors.empty()) {
                    EXPECT_TRUE(w.silentDeletion && onlyUndeleted(state, after, before))
                        << "a change that did not happen was not reported";
                    continue;
                }
                // The fault is gone: asked again, the change is made.
                w.retry();
                EXPECT_EQ(dialogs->errors().size(), errors.size()) << "the retry failed: " << dialogs->errors().back();
                EXPECT_EQ(disk(), after) << "the retry did not reach the clean run's result";
                if (HasFailure())
                    return walked;
            }
        }
        return walked;
    }

    int walkAll(const std::vector<Writer> &writers) {
        int walked = 0;
        for (const Writer &w : writers)
            walked += walk(w);
        std::printf("[ walked    ] %d failure points\n", walked);
        return walked;
    }

    vbtest::TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

} // namespace

TEST_F(FaultInjection, BrowserSaveSaveAsNewAndDelete) {
    auto save = [this] { browser().Btn_Save->click(); };
    auto typeAndSave = [this, save] {
        browser().Btn_Edit->click();
        typeInMemo("typed ");
        save();
    };
    const std::vector<Writer> writers = {
        {"Save in Log Mode",
         [this] {
             message("KVX00012.TXT", logMessage("00012", "abc"));
             browse("Log Mode");
         },
         typeAndSave, save},
        {"Save in Text Mode",
         [this] {
             message("a.txt", "first\r\nsecond\r\n");
             browse("Text Mode");
         },
         typeAndSave, save},
        {"Save of a message that has a second name",
         [this] {
             message("KVX00012.TXT", logMessage("00012", "abc"));
             ::link((msgDir() + "KVX00012.TXT").c_str(), dir.file("second-name.TXT").c_str());
             browse("Log Mode");
         },
         typeAndSave, save},
        {"Save As over another message",
         [this] {
             message("KVX00012.TXT", logMessage("00012", "abc"));
             message("KVX00013.TXT", logMessage("00013", "other", "Ann", "", "", "Other body\r\n"));
             browse("Log Mode");
         },
         [this, save] {
             browser().Btn_Edit->click();
             typeInMemo("typed ");
             dialogs->saveAnswers.push_back(vb::fsToBytes(msgDir() + "KVX00013.TXT"));
             browser().MM_File_SaveAs->trigger();
         },
         save},
        {"New in Log Mode",
         [this] {
             message("KVX00003.TXT", logMessage("00003", "three", "Ann", "", "", ""));
             message("KVX00007.TXT", logMessage("00007", "seven", "Ann", "", "", ""));
             browse("Log Mode");
         },
         [this] { browser().MM_File_New->trigger(); }, [this] { browser().MM_File_New->trigger(); }},
        {"New in Text Mode",
         [this] {
             message("New00000.txt", "taken\r\n");
             browse("Text Mode");
         },
         [this] { browser().MM_File_New->trigger(); }, [this] { browser().MM_File_New->trigger(); }},
        {"Delete",
         [this] {
             message("KVX00001.TXT", logMessage("00001", "one", "Ann", "", "", ""));
             message("KVX00002.TXT", logMessage("00002", "two", "Ann", "", "", ""));
             browse("Log Mode");
         },
         [this] { browser().MM_File_Delete->trigger(); }, [this] { browser().MM_File_Delete->trigger(); }},
    };
    EXPECT_GT(walkAll(writers), 0);
}

TEST_F(FaultInjection, HeaderEditorWriteAndOldFileDeletion) {
    auto ok = [this] { editor().Btn_Header_OK->click(); };
    auto open = [this](const std::string &mode) {
        message("KVX00012.TXT", logMessage("00012", "abc"));
        browse(mode);
        browser().MM_Edit_Header->trigger();
        ASSERT_TRUE(app->F3->isVisible());
    };
    const std::vector<Writer> writers = {
        {"rewrite in place", [open] { open("Log Mode"); },
         [this, ok] {
             editor().E_Header_Title->setText("changed");
             ok();
         },
         ok},
        {"renumber and delete the old file", [open] { open("Log Mode"); },
         [this, ok] {
             editor().SE_Header_Number->setNumber(15);
             editor().CB_DeleteOldFile->click();
             ok();
         },
         ok, true},
        {"own name with Delete Old File ticked", [open] { open("Log Mode"); },
         [this, ok] {
             editor().E_Header_Title->setText("changed");
             editor().CB_DeleteOldFile->click();
             ok();
         },
         ok},
        {"text file renamed and the old one deleted", [open] { open("Text Mode"); },
         [this, ok] {
             editor().E_Header_File->setText("renamed.txt");
             editor().CB_DeleteOldFile->click();
             ok();
         },
         ok, true},
    };
    EXPECT_GT(walkAll(writers), 0);
}

TEST_F(FaultInjection, SetupWindowSetNewDeleteAndOtherSettingsBatches) {
    const std::string second = vbtest::section(1, {{"Title", "Second"}, {"Directory", msgDir()}});
    auto setup = [this, second] {
        browse("Log Mode", second);
        enterSetup();
        pickSetupEntry(1);
    };
    auto set = [this](bool asDefault) {
        return [this, asDefault] {
            vbtest::type(vbtest::control<vb::TextField>(*app->F2, "Property_Title"), "Renamed");
            if (asDefault && !vbtest::control<QCheckBox>(*app->F2, "Property_DefaultLoad")->isChecked())
                vbtest::control<QCheckBox>(*app->F2, "Property_DefaultLoad")->click();
            vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Set")->click();
        };
    };
    auto click = [](std::function<QAbstractButton *()> button) { return [button] { button()->click(); }; };
    const std::vector<Writer> writers = {
        {"Set", setup, set(false), set(false)},
        {"Set with Set Default Load", setup, set(true), set(true)},
        {"New", setup, click([this] { return vbtest::control<QPushButton>(*app->F2, "Btn_Setup_New"); }),
         click([this] { return vbtest::control<QPushButton>(*app->F2, "Btn_Setup_New"); })},
        {"Delete", setup, click([this] { return vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Delete"); }),
         click([this] { return vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Delete"); })},
        {"application options",
         [this] {
             browse("Log Mode");
             browser().MM_Option_ApplicationSetup->trigger();
         },
         [this] {
             app->options->CB_FastClose->click();
             app->options->Btn_Option_OK->click();
         },
         click([this] { return app->options->Btn_Option_OK; })},
        {"Close stores the window's place", [this] { browse("Log Mode"); },
         click([this] { return browser().Btn_Close; }), click([this] { return browser().Btn_Close; })},
    };
    EXPECT_GT(walkAll(writers), 0);
}

// The recovery journal's write walked through every failure point: typing
// goes on, no box interrupts it, a failure is told on the status line, no
// file outside the recovery folder changes and no temporary file stays; once
// the fault is gone the next write holds the whole text.
TEST_F(FaultInjection, RecoveryJournalWriteNeverInterruptsTyping) {
    vbtest::FaultInjector faults;
    auto prepare = [this] {
        reset();
        message("a.txt", "first\r\nsecond\r\n");
        browse("Text Mode");
        browser().Btn_Edit->click();
        typeInMemo("typed ");
    };
    auto recorded = [this] {
        Bytes data;
        vb::RecoveryRecord r;
        const Bytes path = app->F1->journal().recordPath();
        return vb::readWholeFile(path, data) && vb::decodeRecord(data, r) ? r.text : Bytes("(none)");
    };
    prepare();
    faults.arm(0, 0);
    app->F1->journal().writeNow();
    app->F1->journal().waitIdle();
    faults.disarm();
    const std::vector<std::string> calls = faults.calls();
    ASSERT_FALSE(calls.empty());
    ASSERT_EQ(recorded(), "typed first\r\nsecond\r\n");
    int walked = 0;
    for (size_t n = 1; n <= calls.size(); ++n) {
        for (const int err : kErrnos) {
            SCOPED_TRACE("call " + std::to_string(n) + " (" + calls[n - 1] + ") failing with errno " +
                         std::to_string(err));
            prepare();
            const DiskState before = disk();
            faults.arm(int(n), err);
            app->F1->journal().writeNow();
            app->F1->journal().waitIdle();
            faults.disarm();
            QCoreApplication::processEvents(); // the failure's report arrives
            ++walked;
            EXPECT_EQ(disk(), before);
            EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
            for (const std::string &name : listing(dir.file("recovery")))
                EXPECT_NE(name.rfind(".vb-", 0), 0u) << name;
            EXPECT_TRUE(dialogs->log.empty()) << "a box came up: " << dialogs->log.front().text;
            if (recorded() == "(none)") {
                EXPECT_FALSE(app->F1->statusBar()->currentMessage().isEmpty()) << "a failed write was not told";
            }
            typeInMemo("more ");
            EXPECT_TRUE(browser().Memo_log->toPlainText().startsWith(QStringLiteral("more typed first")));
            app->F1->journal().writeNow();
            app->F1->journal().waitIdle();
            EXPECT_EQ(recorded(), "more typed first\r\nsecond\r\n");
            if (HasFailure())
                return;
        }
    }
    std::printf("[ walked    ] %d failure points\n", walked);
}
