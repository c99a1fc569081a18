// The title list follows the listed folder: messages another program adds,
// removes or renames over come and go without a command, the message on view
// is shown again when its file changes unless it is being edited, and Reload
// (F5) does the same at once.

#include "browser/find/find_runs.h"
#include "platform/file_identity.h"
#include "platform/file_ops.h"
#include "tests/browser/browser_fixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>

using namespace vbtest;
using vb::Bytes;

namespace {

class WatchTest : public BrowserTest {
protected:
    // Runs the event loop until done holds, for at most a few seconds (the
    // machine may be loaded): the folder's notifications come through it.
    bool waitUntil(const std::function<bool()> &done) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 5000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(10);
        }
        return true;
    }
    // Another program's atomic write: a new file renamed over the old one.
    void replaceFromOutside(const std::string &name, const std::string &content) {
        put(msgDir() + "incoming.tmp", content);
        ASSERT_EQ(std::rename((msgDir() + "incoming.tmp").c_str(), (msgDir() + name).c_str()), 0);
    }
    // Reload pressed as a user does, on the active window.
    void pressF5() {
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
        QTest::keyClick(browser.get(), Qt::Key_F5);
    }
    std::string caption() const { return ui().Pnl_FLBCount->text().toStdString(); }
    std::string selectedTitle() const {
        const int row = ui().LB_Title->selectedIndex();
        return row < 0 ? std::string("(none)") : ui().LB_Title->line(row);
    }
    bool onViewIsAsOnDisk() const {
        vb::FileIdentity now;
        return vb::readFileIdentity(browser->messageOnView().path, now) && now == browser->messageOnView().identity;
    }
    // Three messages, newest first, with the middle one on view, clicked as
    // a user does.
    void openWithSecondOnView() {
        category("Log Mode");
        message("KVX00001.TXT", logMessage("00001", "First", "Ann", "", "", "Body one\r\n"));
        message("KVX00002.TXT", logMessage("00002", "Second", "Ben", "", "", "Body two\r\n"));
        message("KVX00003.TXT", logMessage("00003", "Third", "Cy", "", "", "Body three\r\n"));
        browser->DefaultRead();
        QTest::keyClick(ui().LB_Title, Qt::Key_Down);
        ASSERT_EQ(memo(), std::vector<std::string>{"Body two"});
    }
};

TEST_F(WatchTest, MessagesAddedRemovedOrRenamedOverFromOutsideComeAndGoWithTheViewKept) {
    const struct {
        const char *change;
        std::function<void()> make;
        std::vector<std::string> titles;
        std::string caption, selected, shown;
        // The rows in Thread View, when they differ.
        std::vector<std::string> threadRows;
    } cases[] = {
        {"a message added, answering the one on view",
         [&] { message("KVX00004.TXT", logMessage("00004", "Fourth", "Di", "", "00002")); },
         {"00004 _ Fourth / Di", "00003 _ Third / Cy", "00002 _ Second / Ben", "00001 _ First / Ann"},
         "Total Message : 4 ",
         "00002 _ Second / Ben",
         "Body two",
         {"00003 _ Third / Cy", "00002 _ Second / Ben", "00004 _ Fourth / Di", "00001 _ First / Ann"}},
        {"another message removed",
         [&] { std::remove((msgDir() + "KVX00003.TXT").c_str()); },
         {"00002 _ Second / Ben", "00001 _ First / Ann"},
         "Total Message : 2 ",
         "00002 _ Second / Ben",
         "Body two",
         {}},
        {"another message renamed over",
         [&] { replaceFromOutside("KVX00003.TXT", logMessage("00003", "Third again", "Cy")); },
         {"00003 _ Third again / Cy", "00002 _ Second / Ben", "00001 _ First / Ann"},
         "Total Message : 3 ",
         "00002 _ Second / Ben",
         "Body two",
         {}},
        {"the message on view renamed over",
         [&] { replaceFromOutside("KVX00002.TXT", logMessage("00002", "Second again", "Ben", "", "", "New two\r\n")); },
         {"00003 _ Third / Cy", "00002 _ Second again / Ben", "00001 _ First / Ann"},
         "Total Message : 3 ",
         "00002 _ Second again / Ben",
         "New two",
         {}},
        {"the message on view removed: the nearest row is shown",
         [&] { std::remove((msgDir() + "KVX00002.TXT").c_str()); },
         {"00003 _ Third / Cy", "00001 _ First / Ann"},
         "Total Message : 2 ",
         "00001 _ First / Ann",
         "Body one",
         {}},
    };
    for (const bool threaded : {false, true})
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.change) + (threaded ? ", Thread View" : ""));
            for (const char *name : {"KVX00001.TXT", "KVX00002.TXT", "KVX00003.TXT", "KVX00004.TXT"})
                std::remove((msgDir() + name).c_str());
            openWithSecondOnView();
            if (threaded)
                ui().MM_View_Thread->trigger();
            c.make();
            const std::vector<std::string> &rows = threaded && !c.threadRows.empty() ? c.threadRows : c.titles;
            EXPECT_TRUE(waitUntil([&] { return titles() == rows; })) << ::testing::PrintToString(titles());
            EXPECT_EQ(ui().LB_Title->isThreaded(), threaded);
            EXPECT_EQ(caption(), c.caption);
            EXPECT_EQ(selectedTitle(), c.selected);
            EXPECT_EQ(memo(), std::vector<std::string>{c.shown});
            EXPECT_EQ(label(ui().Lbl_Info_Title),
                      c.selected.substr(0, 5) + " " + c.selected.substr(8, c.selected.find(" / ") - 8));
            EXPECT_TRUE(onViewIsAsOnDisk());
        }
}

TEST_F(WatchTest, AMessageBeingEditedIsNeverReloadedWhileOneNotEditedIsShownAgain) {
    for (const bool edited : {true, false}) {
        SCOPED_TRACE(edited ? "edited" : "not edited");
        std::remove((msgDir() + "KVX00002.TXT").c_str());
        category("Log Mode");
        message("KVX00001.TXT", logMessage("00001", "First", "Ann"));
        message("KVX00002.TXT", logMessage("00002", "Second", "Ben", "", "", "Old body\r\n"));
        browser->DefaultRead();
        if (edited) {
            ui().Btn_Edit->click();
            QTest::keyClicks(ui().Memo_log, "typed ");
        }
        const std::vector<std::string> before = memo();
        // Written in place, as an editor that does not rename does.
        put(msgDir() + "KVX00002.TXT", logMessage("00002", "Retitled", "Ben", "", "", "New body\r\n"));
        EXPECT_TRUE(waitUntil([&] { return titles().front() == "00002 _ Retitled / Ben"; }));
        EXPECT_EQ(selectedTitle(), "00002 _ Retitled / Ben");
        if (edited) {
            EXPECT_EQ(memo(), before);
            EXPECT_NE(before.front().find("typed "), std::string::npos);
            EXPECT_TRUE(browser->inEditMode());
            EXPECT_TRUE(browser->holdsUnsavedText());
            EXPECT_FALSE(onViewIsAsOnDisk()) << "the record stays the load's, for the write to ask about";
            EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Second");
            browser->forgetEdits();
        } else {
            EXPECT_TRUE(waitUntil([&] { return memo() == std::vector<std::string>{"New body"}; }));
            EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Retitled");
            EXPECT_TRUE(onViewIsAsOnDisk());
        }
    }
}

TEST_F(WatchTest, F5ReloadsTheListAndTheMessageOnViewAtOnce) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "First", "Ann"));
    message("KVX00002.TXT", logMessage("00002", "Second", "Ben", "", "", "Old body\r\n"));
    browser->DefaultRead();
    browser->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    // No event runs between the changes and the key: the folder's own
    // notifications have not come through yet.
    // A message rewritten in place is no change of the folder, yet Reload
    // finds it too.
    message("KVX00003.TXT", logMessage("00003", "Third", "Cy"));
    replaceFromOutside("KVX00002.TXT", logMessage("00002", "Second", "Ben", "", "", "New body\r\n"));
    put(msgDir() + "KVX00001.TXT", logMessage("00001", "First again", "Ann"));
    QTest::keyClick(browser.get(), Qt::Key_F5);
    // The folder is read off the GUI thread: the list follows when that is done.
    const std::vector<std::string> reloaded{"00003 _ Third / Cy", "00002 _ Second / Ben", "00001 _ First again / Ann"};
    EXPECT_TRUE(waitUntil([&] { return titles() == reloaded; })) << ::testing::PrintToString(titles());
    EXPECT_EQ(caption(), "Total Message : 3 ");
    EXPECT_EQ(selectedTitle(), "00002 _ Second / Ben");
    EXPECT_EQ(memo(), std::vector<std::string>{"New body"});
    EXPECT_TRUE(onViewIsAsOnDisk());
}

// F5 reads again a file changed in place since its header was read, even
// when the list followed another change of the folder in between: the lines
// kept then keep the time they were read, not the later pass's.
TEST_F(WatchTest, F5FindsAMessageRewrittenInPlaceBeforeTheListFollowedAnotherChange) {
    openWithSecondOnView();
    const int64_t listed = vb::systemClockNs();
    // Rewritten in place (the folder sees no change) with a time just inside
    // the read's own second: F5 cannot tell it from one made after the read.
    put(msgDir() + "KVX00001.TXT", logMessage("00001", "First again", "Ann", "", "", "Body one\r\n"));
    const int64_t written = listed - 990000000;
    const timespec times[2] = {{written / 1000000000, written % 1000000000},
                               {written / 1000000000, written % 1000000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, (msgDir() + "KVX00001.TXT").c_str(), times, 0), 0);
    message("KVX00004.TXT", logMessage("00004", "Fourth", "Di"));
    const std::vector<std::string> followed{"00004 _ Fourth / Di", "00003 _ Third / Cy", "00002 _ Second / Ben",
                                            "00001 _ First / Ann"};
    ASSERT_TRUE(waitUntil([&] { return titles() == followed; })) << ::testing::PrintToString(titles());
    pressF5();
    const std::vector<std::string> reloaded{"00004 _ Fourth / Di", "00003 _ Third / Cy", "00002 _ Second / Ben",
                                            "00001 _ First again / Ann"};
    EXPECT_TRUE(waitUntil([&] { return titles() == reloaded; })) << ::testing::PrintToString(titles());
    EXPECT_EQ(selectedTitle(), "00002 _ Second / Ben");
}

// Holds every file opened in a folder (each header read) until released:
// on every thread, or on all but the GUI thread. A hold that lasts five
// seconds lets go by itself and says so, so that a window waiting for it
// fails the test instead of hanging it.
class HeldReads {
public:
    explicit HeldReads(bool guiToo) {
        const std::lock_guard<std::mutex> lock(mutex_);
        gui_ = std::this_thread::get_id();
        guiToo_ = guiToo;
        open_ = gaveUp_ = false;
        waiting_ = 0;
        vb::fileOps().openat = &openAt;
    }
    ~HeldReads() {
        release();
        vb::waitForRunThreads();
        vb::fileOps() = vb::systemFileOps();
    }
    HeldReads(const HeldReads &) = delete;
    HeldReads &operator=(const HeldReads &) = delete;
    void release() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            open_ = true;
        }
        released_.notify_all();
    }
    // A read is being held now.
    bool holding() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return waiting_ > 0;
    }
    // A read waited out the five seconds.
    bool gaveUp() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return gaveUp_;
    }

private:
    static int openAt(int dirFd, const char *path, int flags, mode_t mode) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (guiToo_ || std::this_thread::get_id() != gui_) {
            ++waiting_;
            if (!released_.wait_for(lock, std::chrono::seconds(5), [] { return open_; }))
                gaveUp_ = open_ = true;
            --waiting_;
        }
        lock.unlock();
        return vb::systemFileOps().openat(dirFd, path, flags, mode);
    }
    static inline std::mutex mutex_;
    static inline std::condition_variable released_;
    static inline std::thread::id gui_;
    static inline bool guiToo_ = false, open_ = false, gaveUp_ = false;
    static inline int waiting_ = 0;
};

// What a run of the file work left behind has reached the window, if anything.
void letRunsEnd(HeldReads &held) {
    held.release();
    vb::waitForRunThreads();
    QCoreApplication::processEvents();
}

TEST_F(WatchTest, WhileF5ReadsTheFolderTheWindowAnswersAndTheListFollowsAfter) {
    openWithSecondOnView();
    const std::vector<std::string> before = titles();
    message("KVX00004.TXT", logMessage("00004", "Fourth", "Di"));
    HeldReads held(/*guiToo=*/true);
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    browser->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    ticker.start();
    QTest::keyClick(browser.get(), Qt::Key_F5);
    const int ticksAfterKey = ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return held.holding() && ticks >= ticksAfterKey + 3; }))
        << "the timer ticks while a header read is held";
    EXPECT_EQ(titles(), before) << "the list changes only when the pass is done";
    held.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return titles().size() == 4; })) << ::testing::PrintToString(titles());
    EXPECT_EQ(titles().front(), "00004 _ Fourth / Di");
    EXPECT_EQ(selectedTitle(), "00002 _ Second / Ben");
    EXPECT_EQ(caption(), "Total Message : 4 ");
    EXPECT_FALSE(held.gaveUp());
}

TEST_F(WatchTest, F5PressedDuringAPassIsMadeAfterIt) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "First", "Ann"));
    message("KVX00002.TXT", logMessage("00002", "Second", "Ben"));
    // Written an hour ago: a pass by hand keeps them unless they change.
    for (const char *name : {"KVX00001.TXT", "KVX00002.TXT"}) {
        const struct timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (msgDir() + name).c_str(), anHourAgo, 0), 0);
    }
    browser->DefaultRead();
    message("KVX00003.TXT", logMessage("00003", "Third", "Cy"));
    HeldReads held(/*guiToo=*/false);
    pressF5();
    // Held at the new file, past the others.
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.holding(); }));
    // Rewritten in place: no change of the folder, only a pass by hand finds it.
    put(msgDir() + "KVX00001.TXT", logMessage("00001", "First again", "Ann"));
    QTest::keyClick(browser.get(), Qt::Key_F5);
    held.release();
    const std::vector<std::string> both{"00003 _ Third / Cy", "00002 _ Second / Ben", "00001 _ First again / Ann"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return titles() == both; })) << ::testing::PrintToString(titles());
}

TEST_F(WatchTest, ACategoryTakenDuringF5ShowsItsOwnMessagesNotThePassOverTheOldFolder) {
    // Another folder of as many messages under the same names.
    const std::string other = dir.file("other/");
    ::mkdir(other.c_str(), 0755);
    for (const char *n : {"1", "2", "3"})
        put(other + "KVX0000" + n + ".TXT", logMessage(std::string("0000") + n, std::string("Other ") + n, "Oz"));
    category("Log Mode", "Descending Order",
             "[Velbrook v0.2 - Category - 001]\r\nEnabled=Enable\r\nTitle=Other\r\nDirectory=" + other +
                 "\r\nFile Name1=KVX\r\nFile Name2=TXT\r\nSearch Mode=Log Mode\r\nSort Style=Descending Order\r\n");
    message("KVX00001.TXT", logMessage("00001", "First", "Ann"));
    message("KVX00002.TXT", logMessage("00002", "Second", "Ben"));
    message("KVX00003.TXT", logMessage("00003", "Third", "Cy"));
    browser->DefaultRead();
    HeldReads held(/*guiToo=*/false);
    pressF5();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.holding(); }));
    pickCategory(1);
    const std::vector<std::string> others{"00003 _ Other 3 / Oz", "00002 _ Other 2 / Oz", "00001 _ Other 1 / Oz"};
    EXPECT_EQ(titles(), others);
    const std::vector<std::string> shown = memo();
    letRunsEnd(held);
    EXPECT_EQ(titles(), others);
    EXPECT_EQ(selectedTitle(), "00003 _ Other 3 / Oz");
    EXPECT_EQ(memo(), shown);
}

TEST_F(WatchTest, ClosingTheWindowDuringF5NeverWaitsForTheFolder) {
    for (const bool destroyed : {false, true}) {
        SCOPED_TRACE(destroyed ? "the window destroyed" : "Close");
        if (!browser) {
            browser = std::make_unique<vb::TF1>(*settings);
            browser->setHost(&host);
        }
        openWithSecondOnView();
        HeldReads held(/*guiToo=*/false);
        pressF5();
        ASSERT_TRUE(QTest::qWaitFor([&] { return held.holding(); }));
        if (destroyed) {
            browser.reset();
        } else {
            ui().Btn_Close->click();
            EXPECT_FALSE(browser->isVisible());
        }
        EXPECT_TRUE(held.holding()) << "the pass is still under way";
        letRunsEnd(held);
        EXPECT_FALSE(held.gaveUp());
        if (!destroyed) {
            EXPECT_TRUE(titles().empty()) << "the result reaches no window left";
        }
    }
}

// Every opening of the file named `name` in a folder is refused.
class RefusedFile {
public:
    explicit RefusedFile(const char *name) {
        name_ = name;
        vb::fileOps().openat = &openAt;
    }
    ~RefusedFile() {
        vb::waitForRunThreads();
        vb::fileOps() = vb::systemFileOps();
    }
    RefusedFile(const RefusedFile &) = delete;
    RefusedFile &operator=(const RefusedFile &) = delete;

private:
    static int openAt(int dirFd, const char *path, int flags, mode_t mode) {
        if (std::string(path) == name_) {
            errno = EACCES;
            return -1;
        }
        return vb::systemFileOps().openat(dirFd, path, flags, mode);
    }
    static inline std::string name_;
};

TEST_F(WatchTest, AFileThatCannotBeReadOnF5IsReportedAndListedAsWhenTheFolderIsOpened) {
    openWithSecondOnView();
    message("KVX00004.TXT", logMessage("00004", "Fourth", "Di"));
    RefusedFile refused("KVX00004.TXT");
    pressF5();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors().empty(); }));
    const std::string report = errors().front();
    const std::vector<std::string> refreshed = titles();
    EXPECT_EQ(caption(), "Total Message : 4 ");
    const size_t reports = errors().size();
    browser->DefaultRead();
    ASSERT_EQ(errors().size(), reports + 1);
    EXPECT_EQ(errors().back(), report);
    EXPECT_EQ(titles(), refreshed);
}

} // namespace
