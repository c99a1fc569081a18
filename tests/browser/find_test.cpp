// Go To Number, the Find box over the category, finding in the message on
// view and the steps through the hits, as a user works them: keys, menu
// entries, clicks.

#include "browser/find_panel.h"
#include "platform/file_ops.h"
#include "tests/browser/browser_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <thread>

using namespace vbtest;
using vb::Bytes;

namespace {

const auto num = fiveDigits;

// The body of message i: messages 3, 8 and 15 mention rain, 8 twice on one line.
std::string body(int i) {
    if (i == 3)
        return "Dry morning.\r\nThen Rain came.\r\n";
    if (i == 8)
        return "Nothing.\r\nMore.\r\nrain, rain, go away\r\n";
    if (i == 15)
        return "RAIN\r\n";
    return "Sunny.\r\n";
}

class FindTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        category("Log Mode", "Ascending Order");
        for (int i = 0; i < 20; ++i)
            message("KVX" + num(i) + ".TXT", logMessage(num(i), "T" + std::to_string(i), "N", "", "", body(i)));
        browser->DefaultRead();
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    }
    vb::FindPanel &find() const { return *ui().Pnl_Find; }
    vb::FindProbe box() const { return vb::FindProbe(find()); }
    std::string onView() { return label(ui().Lbl_Info_Title).substr(0, 5); }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), mods);
    }
    // Opens the Find box with Ctrl+F, types the text and presses Enter; waits
    // for the search to end.
    void search(const std::string &text) {
        key(Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), box().Edt_FindText);
        QTest::keyClicks(box().Edt_FindText, QString::fromStdString(text));
        key(Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !box().Btn_FindStop->isEnabled(); }, 30000));
    }
    std::vector<std::string> results() const {
        std::vector<std::string> out;
        for (int i = 0; i < box().LB_FindResults->count(); ++i)
            out.push_back(vb::fromUnicode(box().LB_FindResults->item(i)->text()));
        return out;
    }
    // The text selected in the memo, and how many hits are marked there.
    std::string selected() const { return vb::fromUnicode(ui().Memo_log->textCursor().selectedText()); }
    int marked() const { return int(ui().Memo_log->extraSelections().size()); }
};

const std::string kOpen = "\x81\x79", kClose = "\x81\x7a";

} // namespace

TEST_F(FindTest, GoToNumberShowsTheMessageOrSaysItIsNotListed) {
    const struct {
        const char *typed; // null: the box is cancelled
        std::string shows, says;
    } cases[] = {
        {"7", num(7), ""},
        {"  12 ", num(12), ""},
        {"42", num(5), "Message 00042 is not listed"},
        {"x1", num(5), "'x1' is not a message number"},
        {nullptr, num(5), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "cancel");
        ui().LB_Title->setSelectedIndex(5);
        browser->TextLoad();
        dialogs->log.clear();
        if (c.typed)
            dialogs->texts.push_back(c.typed);
        key(Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(onView(), c.shows);
        EXPECT_EQ(ui().LB_Title->selectedIndex(), std::stoi(c.shows));
        ASSERT_GE(dialogs->log.size(), 1u);
        EXPECT_EQ(dialogs->log[0].kind, "text");
        EXPECT_EQ(dialogs->log.size() > 1 ? dialogs->log[1].text : "", c.says);
    }
}

TEST_F(FindTest, GoToNumberTakesAFileNamePrefixInTextMode) {
    category("Text Mode", "Descending Order");
    browser->DefaultRead();
    ui().LB_Title->setSelectedIndex(12);
    browser->TextLoad();
    EXPECT_EQ(label(ui().Lbl_Info_Name), "KVX00007.TXT");
    dialogs->texts = {"kvx0001", "zz"};
    ui().MM_View_GoToNumber->trigger();
    EXPECT_EQ(label(ui().Lbl_Info_Name), "KVX00019.TXT") << "the first listed name with the prefix";
    EXPECT_EQ(dialogs->log.size(), 1u) << "no notice";
    ui().MM_View_GoToNumber->trigger();
    EXPECT_EQ(label(ui().Lbl_Info_Name), "KVX00019.TXT");
    EXPECT_EQ(dialogs->log.back().text, "No listed file name begins with \"zz\"");
}

TEST_F(FindTest, SearchListsEveryHitAndF3StepsThroughThemAcrossMessages) {
    browser->resize(800, 600); // room for the title list the box gives back
    EXPECT_TRUE(find().isHidden());
    const int listHeight = browser->geometryToStore().splitter2;
    search("rain");
    EXPECT_EQ(browser->geometryToStore().splitter2, listHeight) << "the box's room is never stored";
    EXPECT_FALSE(find().isHidden());
    EXPECT_TRUE(ui().DLB->isHidden()) << "the Find box takes the directory chooser's place";
    EXPECT_EQ(find().status(), "4 hits in 3 messages");
    const std::vector<std::string> r = results();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], "00003 T3\n    Then " + kOpen + "Rain" + kClose + " came.");
    EXPECT_EQ(r[1], "00008 T8\n    " + kOpen + "rain" + kClose + ", " + kOpen + "rain" + kClose + ", go away");

    // F3 goes from hit to hit, into the next message when one has no more.
    const std::pair<std::string, std::string> steps[] = {
        {num(3), "Rain"}, {num(8), "rain"}, {num(8), "rain"}, {num(15), "RAIN"}};
    int cursor = -1;
    for (const auto &s : steps) {
        key(Qt::Key_F3);
        EXPECT_EQ(onView(), s.first);
        EXPECT_EQ(selected(), s.second);
        if (s.first == num(8)) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return marked() == 2; })) << "every hit of the message is marked";
            EXPECT_GT(ui().Memo_log->textCursor().selectionStart(), cursor) << "the second hit, not the first again";
            cursor = ui().Memo_log->textCursor().selectionStart();
        }
    }
    key(Qt::Key_F3);
    EXPECT_EQ(onView(), num(15)) << "past the last hit nothing moves";
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(onView(), num(8));
    EXPECT_EQ(ui().Memo_log->textCursor().selectionStart(), cursor);

    // Picking a result shows its message.
    QListWidget *list = box().LB_FindResults;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(onView(), num(3));
    EXPECT_EQ(selected(), "Rain");

    // Closing the box brings back the chooser and drops the marks.
    box().Btn_FindClose->click();
    EXPECT_TRUE(find().isHidden());
    EXPECT_FALSE(ui().DLB->isHidden());
    EXPECT_EQ(ui().Pnl_TitleList->height(), listHeight);
    EXPECT_EQ(marked(), 0);
    EXPECT_TRUE(errors().empty());
}

TEST_F(FindTest, AResultWhoseFileIsGoneMovesNothing) {
    search("rain");
    std::remove((msgDir() + "KVX00008.TXT").c_str());
    ui().LB_Title->setSelectedIndex(0);
    browser->TextLoad();
    ui().MM_Edit_FindNext->trigger();
    ui().MM_Edit_FindNext->trigger();
    EXPECT_EQ(onView(), num(3));
    EXPECT_EQ(find().status(), "KVX00008.TXT is no longer listed");
    EXPECT_TRUE(errors().empty());
}

TEST_F(FindTest, FindInMessageFromTheMemoStepsThroughItsHits) {
    ui().LB_Title->setSelectedIndex(8);
    browser->TextLoad();
    ui().Memo_log->setFocus();
    search("RAIN");
    EXPECT_TRUE(box().Chk_FindThisMessage->isChecked());
    EXPECT_EQ(find().status(), "2 hits in this message");
    EXPECT_EQ(results(), (std::vector<std::string>{"Line 3\n    " + kOpen + "rain" + kClose + ", " + kOpen + "rain" +
                                                   kClose + ", go away"}));
    EXPECT_EQ(selected(), "rain");
    const int first = ui().Memo_log->textCursor().selectionStart();
    key(Qt::Key_F3);
    EXPECT_EQ(onView(), num(8));
    EXPECT_EQ(ui().Memo_log->textCursor().selectionStart(), first + 6);
    // On another message, F3 finds in that one.
    ui().LB_Title->setSelectedIndex(3);
    browser->TextLoad();
    key(Qt::Key_F3);
    EXPECT_EQ(onView(), num(3));
    EXPECT_TRUE(QTest::qWaitFor([this] { return selected() == "Rain"; })) << selected();
}

TEST_F(FindTest, ABadRegularExpressionIsReportedAndNoSearchStarts) {
    key(Qt::Key_F, Qt::ControlModifier);
    box().Chk_FindRegex->click();
    search("ra(in");
    EXPECT_FALSE(find().status().empty());
    EXPECT_TRUE(results().empty());
    // A good one finds across the byte forms: "." is any one character.
    search("^r.in$");
    EXPECT_EQ(find().status(), "1 hit in 1 message");
}

namespace {
// Holds every file the search thread opens until released, so that a key
// pressed meanwhile surely meets the search still under way.
struct HeldSearch {
    static inline std::mutex mutex;
    static inline std::condition_variable released;
    static inline bool open = false;
    static inline std::thread::id gui;
    static int openFile(const char *path, int flags, mode_t mode) {
        if (std::this_thread::get_id() != gui) {
            std::unique_lock<std::mutex> lock(mutex);
            released.wait(lock, [] { return open; });
        }
        return vb::systemFileOps().open(path, flags, mode);
    }
    HeldSearch() {
        gui = std::this_thread::get_id();
        open = false;
        vb::fileOps().open = &openFile;
    }
    void release() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            open = true;
        }
        released.notify_all();
    }
    ~HeldSearch() {
        release();
        vb::fileOps() = vb::systemFileOps();
    }
};
} // namespace

TEST_F(FindTest, EscapeOrTheStopButtonStopsASearchUnderWay) {
    for (int i = 20; i < 100; ++i)
        message("KVX" + num(i) + ".TXT", logMessage(num(i), "T", "N"));
    browser->DefaultRead();
    browser->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    const struct {
        const char *how;
        bool buttons; // started with Find and stopped with Stop, else Enter and Escape
    } cases[] = {{"keys", false}, {"buttons", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        HeldSearch held;
        key(Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(box().Edt_FindText, "Sunny");
        if (c.buttons)
            QTest::mouseClick(box().Btn_Find, Qt::LeftButton);
        else
            key(Qt::Key_Return);
        ASSERT_TRUE(box().Btn_FindStop->isEnabled());
        if (c.buttons)
            QTest::mouseClick(box().Btn_FindStop, Qt::LeftButton);
        else
            key(Qt::Key_Escape);
        held.release();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !box().Btn_FindStop->isEnabled(); }, 30000));
        EXPECT_NE(find().status().find("(cancelled)"), std::string::npos) << find().status();
        EXPECT_FALSE(find().isHidden()) << "a stop ends the search; the box stays";
    }
}

namespace {
// A line on which "(a+)+$" or "(a+)+x" backtracks beyond any patience.
const std::string kHopeless = std::string(25, 'a') + "!";

std::string hopelessLines(int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += kHopeless + "\r\n";
    return out;
}
} // namespace

TEST_F(FindTest, ACatastrophicPatternLeavesTheWindowAnsweringAndEscapeEndsIt) {
    // On view and in the category: lines that would take minutes to give up on.
    message("KVX00000.TXT", logMessage(num(0), "T0", "N", "", "", hopelessLines(20000)));
    browser->DefaultRead();
    for (const bool inMessage : {false, true}) {
        SCOPED_TRACE(inMessage ? "this message only" : "the category");
        ui().LB_Title->setSelectedIndex(0);
        browser->TextLoad();
        if (inMessage)
            ui().Memo_log->setFocus();
        key(Qt::Key_F, Qt::ControlModifier);
        box().Chk_FindRegex->setChecked(true);
        QTest::keyClicks(box().Edt_FindText, "(a+)+$");
        bool ticked = false, runningWhenTicked = false;
        std::string statusWhenTicked;
        QTimer::singleShot(5, box().Edt_FindText, [&] {
            ticked = true;
            runningWhenTicked = box().Btn_FindStop->isEnabled();
            statusWhenTicked = find().status();
        });
        key(Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ticked; }));
        EXPECT_TRUE(runningWhenTicked) << "the timer ticks while the search runs";
        EXPECT_EQ(statusWhenTicked.rfind("Searching", 0), 0u) << statusWhenTicked;
        ASSERT_EQ(QApplication::focusWidget(), box().Edt_FindText);
        key(Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !box().Btn_FindStop->isEnabled(); })) << "Escape ends the run";
        EXPECT_NE(find().status().find("(cancelled)"), std::string::npos) << find().status();
        EXPECT_FALSE(find().isHidden()) << "Escape stops the search; the box stays";
        key(Qt::Key_Escape);
        EXPECT_TRUE(find().isHidden()) << "a second Escape closes the box";
    }
}

TEST_F(FindTest, ALineThePatternGivesUpOnIsReportedWithItsFileAndLine) {
    message("KVX00041.TXT", logMessage("00041", "T41", "N", "", "", "ok\r\n" + kHopeless + "ax\r\n"));
    message("KVX00042.TXT", logMessage("00042", "T42", "N", "", "", "ax\r\n"));
    browser->DefaultRead();
    key(Qt::Key_F, Qt::ControlModifier);
    box().Chk_FindRegex->click();
    search("(a+)+x");
    EXPECT_EQ(
        find().status(),
        "1 hit in 1 message; pattern too complex at KVX00041.TXT line 12; the rest of that line was not searched");
    EXPECT_EQ(results().size(), 1u) << "the search goes on past the line given up on";

    // In the message on view, the line is the memo's.
    ui().LB_Title->setSelectedIndex(ui().LB_Title->lineCount() - 2);
    browser->TextLoad();
    ASSERT_EQ(onView(), "00041");
    ui().Memo_log->setFocus();
    key(Qt::Key_F, Qt::ControlModifier);
    key(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !box().Btn_FindStop->isEnabled(); }));
    EXPECT_EQ(find().status(), "0 hits in this message; pattern too complex at line 2; the rest of that line was not "
                               "searched");
}

TEST_F(FindTest, ChangingCategoryEmptiesTheResults) {
    const std::string other = dir.file("other/");
    ::mkdir(other.c_str(), 0755);
    put(other + "KVX00001.TXT", logMessage("00001", "Rain elsewhere", "N"));
    category("Log Mode", "Ascending Order",
             "[Velbrook v0.2 - Category - 001]\r\nEnabled=Enable\r\nTitle=Other\r\nDirectory=" + other +
                 "\r\nFile Name1=KVX\r\nFile Name2=TXT\r\nSearch Mode=Log Mode\r\n");
    browser->DefaultRead();
    search("rain");
    ASSERT_EQ(results().size(), 3u);
    pickCategory(1);
    ASSERT_EQ(ui().CBox_Category->selectedIndex(), 1);
    EXPECT_TRUE(results().empty());
    EXPECT_EQ(find().status(), "");
    key(Qt::Key_F3);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 Rain elsewhere") << "F3 goes nowhere";
    EXPECT_TRUE(errors().empty());
}

TEST_F(FindTest, ATextTooLongToSearchIsRefusedNotCut) {
    key(Qt::Key_F, Qt::ControlModifier);
    const QString longText(40000, QLatin1Char('r'));
    QApplication::clipboard()->setText(longText);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box().Edt_FindText->text().size(), longText.size()) << "nothing pasted is cut";
    key(Qt::Key_Return);
    EXPECT_EQ(find().status(), "The text to find is longer than 32767 characters");
    EXPECT_FALSE(box().Btn_FindStop->isEnabled()) << "no search started";
    EXPECT_TRUE(results().empty());
}

TEST_F(FindTest, InALineShownInPiecesHitsAreFoundAcrossThePiecesAndMarkedWhereTheyStand) {
    // ASCII pieces are cut at 16 KB: NEEDLE straddles the first cut, PIN
    // lies in the second piece.
    const std::string line =
        std::string(16380, 'a') + "NEEDLE" + std::string(3600, 'b') + "PIN" + std::string(40000, 'c');
    message("KVX00020.TXT", logMessage("00020", "Long", "N", "", "", "first\r\n" + line + "\r\n"));
    browser->DefaultRead();
    ui().LB_Title->setSelectedIndex(20);
    browser->TextLoad();
    ASSERT_GT(ui().Memo_log->document()->blockCount(), 3);
    const struct {
        const char *text;
        int start; // in the line
    } cases[] = {{"NEEDLE", 16380}, {"PIN", 16380 + 6 + 3600}};
    const int lineStart = ui().Memo_log->document()->findBlockByNumber(1).position();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        ui().Memo_log->setFocus();
        search(c.text);
        EXPECT_EQ(find().status(), "1 hit in this message");
        ASSERT_EQ(results().size(), 1u);
        EXPECT_EQ(results()[0].substr(0, 6), "Line 2");
        // Selected and marked over the same characters, the break between
        // the pieces counted where it is crossed.
        const int length = int(std::string(c.text).size()) + (c.start < 16384 ? 1 : 0);
        const int start = lineStart + c.start + (c.start >= 16384 ? 1 : 0);
        const QTextCursor sel = ui().Memo_log->textCursor();
        EXPECT_EQ(sel.selectionStart(), start);
        EXPECT_EQ(sel.selectionEnd(), start + length);
        ASSERT_TRUE(QTest::qWaitFor([this] { return marked() == 1; }));
        const QTextCursor mark = ui().Memo_log->extraSelections().front().cursor;
        EXPECT_EQ(mark.selectionStart(), start);
        EXPECT_EQ(mark.selectionEnd(), start + length);
        key(Qt::Key_Escape);
    }
}
