// Editing and keeping messages through the browser's own buttons and menus:
// edit mode, Save, Save As, New and Delete, with the bytes on disk asserted,
// and the question that keeps typed text from being dropped.

#include "tests/browser/browser_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <dirent.h>
#include <functional>
#include <sys/stat.h>

using namespace vbtest;
using vb::Bytes;

namespace {

const std::string kEmptyHeader(const std::string &number) {
    return number + "\r\nTitle:\r\nName :\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";
}

} // namespace

class EditingTest : public BrowserTest {
protected:
    void typeAtStart(const QString &text) {
        QTextCursor c = ui().Memo_log->textCursor();
        c.movePosition(QTextCursor::Start);
        ui().Memo_log->setTextCursor(c);
        QTest::keyClicks(ui().Memo_log, text);
    }
    // Edit, then type at the start of the text, as a user does.
    void editAndType(const QString &text) {
        ui().Btn_Edit->click();
        typeAtStart(text);
    }
    // Each case of a table starts from an empty message folder.
    void clearMessages() {
        for (const std::string &name : listing(msgDir()))
            std::remove((msgDir() + name).c_str());
    }
    bool saveControlsEnabled() const {
        return ui().Btn_Save->isEnabled() && ui().MM_File_Save->isEnabled() && ui().MM_File_SaveAs->isEnabled();
    }
    bool saveControlsDisabled() const {
        return !ui().Btn_Save->isEnabled() && !ui().MM_File_Save->isEnabled() && !ui().MM_File_SaveAs->isEnabled();
    }
};

TEST_F(EditingTest, SaveRebuildsTheHeaderAndWritesTheLogicalLines) {
    category("Log Mode");
    std::string longLine;
    for (int i = 0; i < 600; ++i)
        longLine += "word ";
    const std::string stray = "stray \x81\x20 and \xff ok";
    put(msgDir() + "KVX00012.TXT",
        "12\r\nTitle:abc\r\nName : spaced\r\nMail :m\r\nHttp :h\r\nDate :d\r\nNext :00013\r\n"
        "Back :00011\r\nline nine\r\nline ten\r\n" +
            longLine + "\r\n" + stray + "\r\nlast\r\n");
    browser->resize(500, 400);
    browser->DefaultRead();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser.get()));
    ui().Memo_log->resize(300, 300);
    QApplication::processEvents();
    EXPECT_TRUE(saveControlsDisabled()) << "a load leaves edit mode";
    editAndType("New ");
    EXPECT_FALSE(ui().Memo_log->isReadOnly());
    EXPECT_TRUE(saveControlsEnabled());
    ASSERT_GT(ui().Memo_log->lines().size(), ui().Memo_log->logicalLines().size()) << "the long line wraps";
    ui().Btn_Save->click();
    EXPECT_EQ(dialogs->questions(), std::vector<Bytes>{"File Update OK?"});
    EXPECT_EQ(get(msgDir() + "KVX00012.TXT"),
              "00012\r\nTitle:abc\r\nName : spaced\r\nMail :m\r\nHttp :h\r\nDate :d\r\nNext :00013\r\nBack :00011\r\n"
              "\r\n\r\nNew " +
                  longLine + "\r\n" + stray + "\r\nlast\r\n");
    EXPECT_TRUE(ui().Memo_log->isReadOnly());
    EXPECT_TRUE(saveControlsDisabled());
    EXPECT_EQ(listing(msgDir()), std::vector<std::string>{"KVX00012.TXT"}) << "no temporary file is left";
}

TEST_F(EditingTest, SaveAsksOnlyInEditModeAndCancelWritesNothing) {
    const struct {
        const char *name;
        bool edit;
        bool answer;
        std::vector<Bytes> questions;
        bool written;
    } cases[] = {
        {"outside edit mode", false, true, {}, false},
        {"cancelled", true, false, {"File Update OK?"}, false},
        {"confirmed", true, true, {"File Update OK?"}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        category("Text Mode");
        message("a.txt", "alpha\r\n");
        browser->DefaultRead();
        dialogs->log.clear();
        dialogs->answers = {c.answer};
        if (c.edit)
            editAndType("X");
        ui().MM_File_Save->trigger();
        EXPECT_EQ(dialogs->questions(), c.questions);
        EXPECT_EQ(get(msgDir() + "a.txt"), c.written ? "Xalpha\r\n" : "alpha\r\n");
        EXPECT_TRUE(ui().Memo_log->isReadOnly());
        EXPECT_TRUE(saveControlsDisabled());
        EXPECT_EQ(memo(), std::vector<std::string>{c.edit ? "Xalpha" : "alpha"}) << "the text stays as typed";
    }
}

TEST_F(EditingTest, AFailedWriteKeepsTheOldFileAndEditMode) {
    category("Text Mode");
    message("a.txt", "alpha\r\n");
    message("plain", "not a folder");
    browser->DefaultRead();
    editAndType("X");
    const Bytes through = vb::fsToBytes(msgDir() + "plain/b.txt");
    dialogs->saveAnswers = {through};
    ui().MM_File_SaveAs->trigger();
    EXPECT_EQ(errors(),
              std::vector<Bytes>{vb::cp("ファイル ") + through + vb::cp(" を作成できません. (Not a directory)")});
    EXPECT_FALSE(ui().Memo_log->isReadOnly()) << "edit mode stays on to try again";
    EXPECT_TRUE(saveControlsEnabled());
    EXPECT_EQ(memo(), std::vector<std::string>{"Xalpha"});
    EXPECT_EQ(get(msgDir() + "a.txt"), "alpha\r\n");
    EXPECT_EQ(listing(msgDir()), (std::vector<std::string>{"a.txt", "plain"}));

    // The next try, to a place that can be written, succeeds.
    const Bytes good = vb::fsToBytes(dir.file("copy.txt"));
    dialogs->saveAnswers = {good};
    ui().MM_File_SaveAs->trigger();
    EXPECT_EQ(get(dir.file("copy.txt")), "Xalpha\r\n");
    EXPECT_EQ(browser->messageOnView().Current.FileName, good);
}

TEST_F(EditingTest, SaveAsOffersTheCategoryFolderAndKeepsTheChosenName) {
    category("Text Mode");
    message("a.txt", "alpha\r\n");
    browser->DefaultRead();
    ui().MM_File_SaveAs->trigger();
    EXPECT_TRUE(dialogs->saveRequests.empty()) << "Save As waits for edit mode";
    editAndType("X");
    ui().MM_File_SaveAs->trigger(); // cancelled
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    const vb::SaveRequest &r = dialogs->saveRequests[0];
    EXPECT_EQ(r.title, "File Save");
    EXPECT_EQ(r.directory, vb::fsToBytes(msgDir()));
    EXPECT_EQ(r.defaultSuffix, "txt");
    EXPECT_EQ(r.filters, vb::cp("TXTファイル|*.txt|DOCファイル|*.doc|MANファイル|*.man|GGGファイル|*.ggg|"
                                "INIファイル|*.ini|全てのファイル|*.*"));
    EXPECT_EQ(browser->messageOnView().Current.FileName, "a.txt");
    EXPECT_FALSE(ui().Memo_log->isReadOnly()) << "a cancelled dialog changes nothing";

    // キャンセル at the question: the chosen name is taken, nothing is written.
    const Bytes chosen = vb::fsToBytes(dir.file("other.txt"));
    dialogs->saveAnswers = {chosen};
    dialogs->answers = {false};
    ui().MM_File_SaveAs->trigger();
    EXPECT_EQ(browser->messageOnView().Current.FileName, chosen);
    EXPECT_FALSE(exists(dir.file("other.txt")));
    EXPECT_EQ(dialogs->questions(), std::vector<Bytes>{"File Update OK?"});
    // A later Delete removes the chosen file, not a name joined to the folder.
    put(dir.file("other.txt"), "x");
    ui().MM_File_Delete->trigger();
    EXPECT_FALSE(exists(dir.file("other.txt")));
    EXPECT_TRUE(exists(msgDir() + "a.txt"));
}

TEST_F(EditingTest, NewInLogModeTakesOneAboveTheHighestNumber) {
    const struct {
        std::vector<int> listed;
        std::string created; // empty: nothing created
    } cases[] = {{{}, "KVX00001.TXT"}, {{3, 7}, "KVX00008.TXT"}, {{99999}, ""}, {{5, 99998}, "KVX99999.TXT"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.created);
        clearMessages();
        category("Log Mode");
        std::vector<std::string> before;
        for (int n : c.listed) {
            char name[32];
            std::snprintf(name, sizeof name, "KVX%05d.TXT", n);
            message(name, logMessage(std::string(name).substr(3, 5), "T", "N"));
            before.push_back(name);
        }
        browser->DefaultRead();
        ui().MM_File_New->trigger();
        EXPECT_TRUE(errors().empty());
        std::vector<std::string> after = before;
        if (!c.created.empty()) {
            after.push_back(c.created);
            EXPECT_EQ(get(msgDir() + c.created), kEmptyHeader(c.created.substr(3, 5)));
            EXPECT_EQ(label(ui().Lbl_Info_Title), c.created.substr(3, 5) + " ") << "the new message is shown";
        } else if (!before.empty()) {
            EXPECT_EQ(ui().LB_Title->selectedIndex(), 0) << "the first title is shown";
        }
        std::sort(after.begin(), after.end());
        EXPECT_EQ(listing(msgDir()), after);
    }
}

TEST_F(EditingTest, NewInLogModeStopsAtANameThatIsNotANumber) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    message("KVXabcde.TXT", logMessage("00002", "Two", "B"));
    browser->DefaultRead();
    ui().MM_File_New->trigger();
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("'abcde' は数値ではありません.")});
    EXPECT_EQ(listing(msgDir()), (std::vector<std::string>{"KVX00001.TXT", "KVXabcde.TXT"}));
    EXPECT_TRUE(memo().empty());
}

TEST_F(EditingTest, NewInTextModeTakesTheLowestFreeNameAndNeverReplacesAFile) {
    const struct {
        const char *types; // the category's file types
        std::vector<std::string> present;
        std::string created;
    } cases[] = {
        {"", {}, "New00000.txt"},
        {"", {"New00000.txt", "New00002.txt"}, "New00001.txt"},
        // Hidden by the mask (TXT not chosen), still never replaced.
        {"Seach File TXT=False\r\n", {"New00000.txt", "x.doc"}, "New00001.txt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.created);
        clearMessages();
        category("Text Mode", "Descending Order", c.types);
        for (const std::string &name : c.present)
            message(name, "keep " + name);
        browser->DefaultRead();
        ui().MM_File_New->trigger();
        EXPECT_TRUE(errors().empty());
        for (const std::string &name : c.present)
            EXPECT_EQ(get(msgDir() + name), "keep " + name);
        ASSERT_TRUE(exists(msgDir() + c.created));
        EXPECT_EQ(get(msgDir() + c.created), "");
    }
}

TEST_F(EditingTest, DeleteShowsTheTitleThatStoodAbove) {
    const struct {
        int select;
        std::vector<std::string> left;
        int shown; // -1: the no-message state
    } cases[] = {{0, {"00002 _ B / N", "00001 _ A / N"}, 0},
                 {2, {"00003 _ C / N", "00002 _ B / N"}, 1},
                 {1, {"00003 _ C / N", "00001 _ A / N"}, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.select);
        clearMessages();
        category("Log Mode");
        message("KVX00001.TXT", logMessage("00001", "A", "N"));
        message("KVX00002.TXT", logMessage("00002", "B", "N"));
        message("KVX00003.TXT", logMessage("00003", "C", "N"));
        browser->DefaultRead();
        ui().LB_Title->setSelectedIndex(c.select);
        browser->TextLoad();
        dialogs->log.clear();
        dialogs->answers = {false};
        ui().MM_File_Delete->trigger();
        EXPECT_EQ(titles().size(), 3u) << "キャンセル deletes nothing";
        ui().MM_File_Delete->trigger();
        EXPECT_EQ(dialogs->questions(),
                  (std::vector<Bytes>{"Now Viewing Message Delete OK?", "Now Viewing Message Delete OK?"}));
        EXPECT_EQ(titles(), c.left);
        EXPECT_EQ(ui().LB_Title->selectedIndex(), c.shown);
        const std::string &line = c.left[size_t(c.shown)];
        EXPECT_EQ(label(ui().Lbl_Info_Title), line.substr(0, 6) + line.substr(8, 1));
    }
    // The last remaining message: the no-message state.
    clearMessages();
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "A", "N"));
    browser->DefaultRead();
    ui().MM_File_Delete->trigger();
    EXPECT_TRUE(titles().empty());
    EXPECT_TRUE(memo().empty());
    EXPECT_EQ(label(ui().Lbl_Info_Title), "");
    EXPECT_TRUE(listing(msgDir()).empty());
}

// Typed text is never dropped without a word: every command that would
// reload or clear the memo asks first, and キャンセル leaves all as it was.
TEST_F(EditingTest, TypedTextIsDroppedOnlyAfterTheQuestion) {
    const struct {
        const char *command;
        std::function<void()> run;
    } commands[] = {
        {"title click",
         [this] {
             vb::TitleList *l = ui().LB_Title;
             QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(l->model()->index(1, 0)).center());
         }},
        {"-1 button", [this] { ui().Btn_Back->click(); }},
        {"End key", [this] { QTest::keyClick(browser.get(), Qt::Key_End, Qt::ControlModifier); }},
        {"next link", [this] { ui().Btn_Res_Next->click(); }},
        {"sort toggle", [this] { ui().Btn_Sort->click(); }},
        {"category pick", [this] { pickCategory(0); }},
        {"directory change",
         [this] {
             ui().DLB->list()->setCurrentRow(0);
             QTest::keyClick(ui().DLB->list(), Qt::Key_Return);
         }},
        {"New", [this] { ui().MM_File_New->trigger(); }},
        {"Delete", [this] { ui().MM_File_Delete->trigger(); }},
        {"Close", [this] { ui().Btn_Close->click(); }},
        {"Setup", [this] { ui().Btn_Setup->click(); }},
    };
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "One", "A", "", "", "first\r\n"));
    message("KVX00002.TXT", logMessage("00002", "Two", "B", "00001", "", "second\r\n"));
    for (const auto &c : commands) {
        SCOPED_TRACE(c.command);
        browser->DefaultRead();
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
        editAndType("typed ");
        dialogs->log.clear();
        host.calls.clear();
        dialogs->answers = {false};
        c.run();
        EXPECT_EQ(dialogs->questions(), std::vector<Bytes>{"Edited Text Discard OK?"});
        EXPECT_EQ(memo(), std::vector<std::string>{"typed second"});
        EXPECT_FALSE(ui().Memo_log->isReadOnly()) << "edit mode stays";
        EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);
        EXPECT_EQ(ui().DLB->directory(), vb::fsToBytes(msgDir().substr(0, msgDir().size() - 1)));
        EXPECT_TRUE(host.calls.empty());
        EXPECT_EQ(listing(msgDir()), (std::vector<std::string>{"KVX00001.TXT", "KVX00002.TXT"}));

        // OK lets the command go on and drop the text.
        dialogs->log.clear();
        c.run();
        EXPECT_EQ(dialogs->questions().front(), "Edited Text Discard OK?");
        EXPECT_TRUE(memo() != std::vector<std::string>{"typed second"} || !host.calls.empty()) << "it went on";
        // Put the folder back as it was for the next command.
        for (const std::string &name : listing(msgDir()))
            std::remove((msgDir() + name).c_str());
        message("KVX00001.TXT", logMessage("00001", "One", "A", "", "", "first\r\n"));
        message("KVX00002.TXT", logMessage("00002", "Two", "B", "00001", "", "second\r\n"));
    }
    // Edit mode without a change asks nothing.
    browser->DefaultRead();
    ui().Btn_Edit->click();
    dialogs->log.clear();
    ui().Btn_Back->click();
    EXPECT_TRUE(dialogs->questions().empty());
    EXPECT_EQ(memo(), std::vector<std::string>{"first"});
}

TEST_F(EditingTest, SaveWritesLinesNotEditedAsTheirBytesAndEditedLinesEncoded) {
    // Every kind of line break, bytes that do not decode, a character with
    // more than one code, an empty line and a last line without a break.
    const std::string head =
        "00007\r\nTitle:t\r\nName :n\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";
    const std::string body = "one \x81\x20 stray\ntwo \xff\r\x87\x90 three\r\n\r\nfour \x81";
    const std::string L0 = "one \x81\x20 stray", L1 = "two \xff", L2 = "\x87\x90 three", L4 = "four \x81";
    // Keys typed at a place in the text, as a user does.
    auto typeAt = [this](int line, int column, const std::function<void()> &keys) {
        QTextCursor c(ui().Memo_log->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        ui().Memo_log->setTextCursor(c);
        keys();
    };
    auto text = [this](const char *typed) { return [this, typed] { QTest::keyClicks(ui().Memo_log, typed); }; };
    auto key = [this](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [this, k, m] { QTest::keyClick(ui().Memo_log, k, m); };
    };
    auto save = [this] { ui().Btn_Save->click(); };
    const struct {
        const char *name;
        std::function<void()> steps; // after the load, ending in a save
        std::vector<std::string> lines;
    } cases[] = {
        {"nothing typed", [&] { ui().Btn_Edit->click(), save(); }, {L0, L1, L2, "", L4}},
        {"a line typed in",
         [&] { ui().Btn_Edit->click(), typeAt(2, 0, text("X")), save(); },
         {L0, L1, "X" + L2, "", L4}},
        {"a line split",
         [&] { ui().Btn_Edit->click(), typeAt(0, 4, key(Qt::Key_Return)), save(); },
         {"one ", "\x81\x20 stray", L1, L2, "", L4}},
        {"two lines joined",
         [&] { ui().Btn_Edit->click(), typeAt(1, 0, key(Qt::Key_Backspace)), save(); },
         {L0 + L1, L2, "", L4}},
        {"typing undone",
         [&] { ui().Btn_Edit->click(), typeAt(2, 0, text("X")), key(Qt::Key_Z, Qt::ControlModifier)(), save(); },
         {L0, L1, L2, "", L4}},
        // The second save reads back what the first wrote, its lines moved.
        {"saved twice",
         [&] {
             ui().Btn_Edit->click(), typeAt(0, 4, key(Qt::Key_Return)), save();
             ui().Btn_Edit->click(), typeAt(4, 0, text("Y")), save();
         },
         {"one ", "\x81\x20 stray", L1, L2, "Y", L4}},
        // Another program's bytes never stand in for the memo's lines.
        {"changed on disk meanwhile",
         [&] {
             ui().Btn_Edit->click(), typeAt(2, 0, text("X"));
             put(msgDir() + "KVX00007.TXT", head + "other\r\nbytes\r\nwritten\r\nhere\r\nlater\r\n");
             dialogs->answers = {true, true};
             save();
         },
         {L0, L1, "X" + L2, "", L4}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        category("Log Mode");
        clearMessages();
        message("KVX00007.TXT", head + body);
        browser->DefaultRead();
        dialogs->log.clear();
        c.steps();
        std::string expected = head;
        for (const std::string &line : c.lines)
            expected += line + "\r\n";
        EXPECT_EQ(get(msgDir() + "KVX00007.TXT"), expected);
        EXPECT_EQ(listing(msgDir()), std::vector<std::string>{"KVX00007.TXT"});
    }
}

TEST_F(EditingTest, ALineTooLongToLayOutWholeIsShownInPiecesAndSavedAsOneLine) {
    const std::string head =
        "00008\r\nTitle:t\r\nName :n\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";
    // About 80 KB of ASCII, a double-byte character and a byte that does
    // not decode, over and over.
    std::string big;
    while (big.size() < 80 * 1024)
        big += "ab\x82\xa0\xff ";
    const std::string A = "before", C = "after";
    QTextDocument *doc = nullptr;
    // The bytes of the text of block b, and where in the long line it starts.
    auto bytesOf = [&](const QString &s) { return vb::fromUnicode(s).size(); };
    auto block = [&](int b) { return doc->findBlockByNumber(b); };
    auto at = [&](int b, int column) {
        QTextCursor c(block(b));
        c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        ui().Memo_log->setTextCursor(c);
    };
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(ui().Memo_log, k, m); };
    const struct {
        const char *name;
        // Keys at places in the text; gives the lines then expected, from the
        // byte offset cut where the long line's second piece starts.
        std::function<std::vector<std::string>(size_t cut)> steps;
    } cases[] = {
        {"nothing typed",
         [&](size_t) {
             return std::vector<std::string>{A, big, C};
         }},
        {"a letter typed where a piece starts",
         [&](size_t cut) {
             at(2, 0), QTest::keyClicks(ui().Memo_log, "X");
             return std::vector<std::string>{A, big.substr(0, cut) + "X" + big.substr(cut), C};
         }},
        {"Return typed inside a piece",
         [&](size_t cut) {
             const size_t k = cut + bytesOf(block(2).text().left(3));
             at(2, 3), key(Qt::Key_Return);
             return std::vector<std::string>{A, big.substr(0, k), big.substr(k), C};
         }},
        {"Backspace where a piece starts",
         [&](size_t cut) {
             const size_t last = bytesOf(block(1).text().right(1));
             at(2, 0), key(Qt::Key_Backspace);
             return std::vector<std::string>{A, big.substr(0, cut - last) + big.substr(cut), C};
         }},
        {"Delete where a piece ends",
         [&](size_t cut) {
             const size_t first = bytesOf(block(2).text().left(1));
             at(1, block(1).length() - 1), key(Qt::Key_Delete);
             return std::vector<std::string>{A, big.substr(0, cut) + big.substr(cut + first), C};
         }},
        {"text across two pieces cut, then the cut undone",
         [&](size_t) {
             at(1, block(1).length() - 4);
             QTextCursor c = ui().Memo_log->textCursor();
             c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 8);
             ui().Memo_log->setTextCursor(c);
             key(Qt::Key_X, Qt::ControlModifier), key(Qt::Key_Z, Qt::ControlModifier);
             return std::vector<std::string>{A, big, C};
         }},
        {"two lines pasted into a piece",
         [&](size_t cut) {
             QApplication::clipboard()->setText("p\nq");
             at(2, 0), key(Qt::Key_V, Qt::ControlModifier);
             return std::vector<std::string>{A, big.substr(0, cut) + "p", "q" + big.substr(cut), C};
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        category("Log Mode");
        clearMessages();
        message("KVX00008.TXT", head + A + "\r\n" + big + "\r\n" + C + "\r\n");
        browser->DefaultRead();
        doc = ui().Memo_log->document();
        // Shown as pieces of bounded length, each a block of its own.
        ASSERT_GE(doc->blockCount(), 6);
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            ASSERT_LT(b.length(), 32 * 1024);
        const size_t cut = bytesOf(block(1).text());
        ui().Btn_Edit->click();
        std::string expected = head;
        for (const std::string &line : c.steps(cut))
            expected += line + "\r\n";
        ui().Btn_Save->click();
        EXPECT_EQ(get(msgDir() + "KVX00008.TXT"), expected);
    }
}
