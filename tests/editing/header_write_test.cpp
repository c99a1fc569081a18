// OK in the header editor: the bytes written for each mode and choice, the
// automatic name, renaming, and the ways a message could be lost: deleting
// the old file, replacing another message, a failed write, unsaved edits.

#include "tests/editing/header_fixture.h"

#include <QTest>
#include <QTextCursor>
#include <cstdio>

using namespace vbtest;

namespace {

const std::string kEmptyHeader =
    "00000\r\nTitle:\r\nName :\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";

// The ten header lines of logMessage() for a number, title and links.
std::string header(const std::string &number, const std::string &title, const std::string &next = "",
                   const std::string &back = "") {
    return logMessage(number, title, "Ann", next, back, "");
}

} // namespace

TEST_F(HeaderEditorTest, RenumberingWithAutoNameAndDeleteOldLeavesOneFileWithTheSameBody) {
    // A line far wider than the memo, a double-byte character and bytes that do not decode.
    const std::string body = "first\r\n" + std::string(300, 'x') + "\x82\xa0\x80\xfd\r\n\r\nlast\r\n";
    message("KVX00012.TXT", logMessage("00012", "abc", "Ann", "0001300020", "00011", body));
    browse("Log Mode");
    ASSERT_GT(vb::BrowserProbe(*app->F1).Memo_log->lines().size(),
              vb::BrowserProbe(*app->F1).Memo_log->logicalLines().size())
        << "the memo wraps";
    openEditor();
    type(ed().SE_Header_Number, 15);
    type(ed().E_Header_File, "typed.txt"); // the automatic name wins
    click(ed().CB_DeleteOldFile);
    click(ed().Btn_Header_OK);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"KVX00015.TXT"});
    EXPECT_EQ(content("KVX00015.TXT"), header("00015", "abc", "0001300020", "00011") + body);
    EXPECT_TRUE(browserShown());
    EXPECT_EQ(firstTitle(), "00015 _ abc / Ann");
}

TEST_F(HeaderEditorTest, ScatteredNextSlotsAreWrittenTogetherAndComeBackInTheFirstSlots) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    openEditor();
    click(ed().CB_Next[2]);
    type(ed().SE_Next[2], 40);
    click(ed().CB_Next[6]);
    type(ed().SE_Next[6], 41);
    type(ed().SE_Next[4], 77); // not ticked: not written
    click(ed().Btn_Header_OK);
    EXPECT_EQ(content("KVX00012.TXT"), header("00012", "abc", "0004000041") + "Body line\r\n");
    openEditor();
    EXPECT_TRUE(ed().CB_Next[0]->isChecked() && ed().CB_Next[1]->isChecked() && !ed().CB_Next[2]->isChecked());
    EXPECT_EQ(ed().SE_Next[0]->number(), 40);
    EXPECT_EQ(ed().SE_Next[1]->number(), 41);
    EXPECT_FALSE(ed().CB_Next[6]->isChecked());
}

TEST_F(HeaderEditorTest, TheLogFileBoxAgainstTheModeDecidesHeaderQuestionAndBody) {
    const std::string logOriginal = logMessage("00012", "abc", "Ann", "", "", "one\r\ntwo\r\n");
    const std::string textOriginal = "one\ntwo\n"; // written back with CR LF
    const struct {
        const char *mode;
        bool tickLogFile; // click the box once: against the mode
        bool answer;
        std::string question, written;
    } cases[] = {
        {"Log Mode", false, true, "", header("00012", "new") + "one\r\ntwo\r\n"},
        {"Log Mode", true, true, "Unchecked Log Format Mode?", "one\r\ntwo\r\n"},
        {"Log Mode", true, false, "Unchecked Log Format Mode?", logOriginal},
        {"Text Mode", false, true, "", "one\r\ntwo\r\n"},
        {"Text Mode", true, true, "Checked Log Format Mode?", kEmptyHeader + "one\r\ntwo\r\n"},
        {"Text Mode", true, false, "Checked Log Format Mode?", textOriginal},
    };
    for (const auto &c : cases) {
        const bool log = c.mode == std::string("Log Mode");
        const std::string name = log ? "KVX00012.TXT" : "abc.txt";
        for (const std::string &f : files())
            std::remove(path(f).c_str());
        message(name, log ? logOriginal : textOriginal);
        browse(c.mode);
        dialogs->answers = {c.answer};
        openEditor();
        if (log)
            type(ed().E_Header_Title, "new");
        if (c.tickLogFile)
            click(ed().CB_LogFile);
        click(ed().Btn_Header_OK);
        const std::string where = std::string(c.mode) + (c.tickLogFile ? ", box against the mode" : "");
        EXPECT_EQ(questions(), c.question.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.question})
            << where;
        EXPECT_EQ(content(name), c.written) << where;
        EXPECT_EQ(files(), std::vector<std::string>{name}) << where;
        EXPECT_TRUE(browserShown()) << where;
    }
}

TEST_F(HeaderEditorTest, TextModeRenameKeepsTheOldFileUnlessDeleteOldFileIsTicked) {
    for (const bool deleteOld : {false, true}) {
        for (const std::string &f : files())
            std::remove(path(f).c_str());
        message("abc.txt", "one\r\ntwo\r\n");
        browse("Text Mode");
        openEditor();
        type(ed().E_Header_File, "renamed.txt");
        if (deleteOld)
            click(ed().CB_DeleteOldFile);
        click(ed().Btn_Header_OK);
        EXPECT_TRUE(questions().empty());
        EXPECT_EQ(files(), (deleteOld ? std::vector<std::string>{"renamed.txt"}
                                      : std::vector<std::string>{"abc.txt", "renamed.txt"}));
        EXPECT_EQ(content("renamed.txt"), "one\r\ntwo\r\n");
    }
}

TEST_F(HeaderEditorTest, TheOwnFileUnderAnySpellingIsRewrittenAndNeverDeleted) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    for (const std::string &spelling : {std::string("KVX00012.TXT"), std::string("./KVX00012.TXT"),
                                        path("KVX00012.TXT"), msgDir() + "../msgs/KVX00012.TXT"}) {
        openEditor();
        click(ed().CB_AutoFileName); // off: the typed name is used
        if (!ed().CB_DeleteOldFile->isChecked())
            click(ed().CB_DeleteOldFile);
        type(ed().E_Header_File, spelling);
        type(ed().E_Header_Title, spelling);
        click(ed().Btn_Header_OK);
        EXPECT_TRUE(questions().empty()) << spelling;
        EXPECT_EQ(files(), std::vector<std::string>{"KVX00012.TXT"}) << spelling;
        EXPECT_EQ(content("KVX00012.TXT"), header("00012", spelling) + "Body line\r\n");
    }
}

TEST_F(HeaderEditorTest, RenumberingOntoAnotherMessageAsksBeforeReplacingIt) {
    const std::string mine = logMessage("00012", "mine"), other = logMessage("00013", "other");
    for (const bool answer : {false, true}) {
        message("KVX00012.TXT", mine);
        message("KVX00013.TXT", other);
        if (!app)
            browse("Log Mode");
        else
            app->F1->DefaultRead2();
        ASSERT_EQ(app->F1->messageOnView().Current.FileName, "KVX00012.TXT") << "the first title is on view";
        dialogs->log.clear();
        dialogs->answers = {answer};
        openEditor();
        type(ed().SE_Header_Number, 13);
        if (!ed().CB_DeleteOldFile->isChecked())
            click(ed().CB_DeleteOldFile);
        click(ed().Btn_Header_OK);
        EXPECT_EQ(questions(), std::vector<std::string>{"File Overwrite OK?"});
        if (!answer) {
            // Nothing written, nothing deleted, the editor open as the user left it.
            EXPECT_EQ(content("KVX00012.TXT"), mine);
            EXPECT_EQ(content("KVX00013.TXT"), other);
            EXPECT_TRUE(editorShown());
            EXPECT_EQ(ed().SE_Header_Number->number(), 13);
            EXPECT_EQ(text(ed().E_Header_File), "KVX00012.TXT");
            click(ed().Btn_Header_Cancel);
        } else {
            EXPECT_EQ(files(), std::vector<std::string>{"KVX00013.TXT"});
            EXPECT_EQ(content("KVX00013.TXT"), header("00013", "mine") + "Body line\r\n");
            EXPECT_TRUE(browserShown());
        }
    }
}

TEST_F(HeaderEditorTest, AFailedWriteKeepsTheEditorOpenAndTheOldFile) {
    const std::string original = logMessage("00012", "abc");
    message("KVX00012.TXT", original);
    ::mkdir(path("KVX00015.TXT").c_str(), 0755); // a folder where message 15 would go
    browse("Log Mode");
    openEditor();
    click(ed().CB_DeleteOldFile);
    type(ed().E_Header_Title, "changed");
    type(ed().SE_Header_Number, 15);
    click(ed().Btn_Header_OK); // to the automatic name
    EXPECT_EQ(text(ed().E_Header_File), "KVX00012.TXT");
    click(ed().CB_AutoFileName);
    type(ed().E_Header_File, "nodir/new.TXT");
    click(ed().Btn_Header_OK); // to a typed name
    // A bare name is a file of the message's own folder, and named so.
    const vb::Bytes folder = vb::fsToBytes(msgDir());
    EXPECT_EQ(dialogs->errors(),
              (std::vector<vb::Bytes>{vb::cp("ファイル ") + folder + vb::cp("KVX00015.TXT を作成できません. (Is a directory)"),
                                      vb::cp("ファイル ") + folder + vb::cp("nodir/new.TXT を作成できません. (No such file or directory)")}));
    EXPECT_EQ(files(), std::vector<std::string>{"KVX00012.TXT"});
    EXPECT_EQ(content("KVX00012.TXT"), original);
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(text(ed().E_Header_File), "nodir/new.TXT");
    EXPECT_EQ(text(ed().E_Header_Title), "changed");
    EXPECT_EQ(ed().SE_Header_Number->number(), 15);
    // Put right, the next OK still drops the file the editor was opened on.
    type(ed().E_Header_File, "KVX00020.TXT");
    click(ed().Btn_Header_OK);
    EXPECT_EQ(files(), std::vector<std::string>{"KVX00020.TXT"});
    EXPECT_EQ(content("KVX00020.TXT"), header("00015", "changed") + "Body line\r\n");
}

TEST_F(HeaderEditorTest, UnsavedEditsAreWrittenOrGivenUpOnlyAfterAQuestion) {
    message("abc.txt", "one\r\ntwo\r\n");
    browse("Text Mode");
    auto edit = [this] {
        vb::BrowserProbe(*app->F1).Memo_log->setReadOnly(false);
        vb::BrowserProbe(*app->F1).Memo_log->moveCursor(QTextCursor::Start);
        QTest::keyClicks(vb::BrowserProbe(*app->F1).Memo_log, "new ");
    };
    auto memo = [this] { return vb::BrowserProbe(*app->F1).Memo_log->logicalLines(); };
    using Lines = std::vector<vb::Bytes>;

    // Cancel, then キャンセル: the editor stays, nothing is written.
    edit();
    openEditor();
    dialogs->answers = {false};
    click(ed().Btn_Header_Cancel);
    EXPECT_EQ(questions(), std::vector<std::string>{"Edited Text Discard OK?"});
    EXPECT_TRUE(editorShown());
    // キャンセル at the mode question leaves as Cancel does: asked again, kept again.
    dialogs->log.clear();
    dialogs->answers = {false, false};
    click(ed().CB_LogFile);
    click(ed().Btn_Header_OK);
    EXPECT_EQ(questions(), (std::vector<std::string>{"Checked Log Format Mode?", "Edited Text Discard OK?"}));
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(content("abc.txt"), "one\r\ntwo\r\n");
    // OK writes the edited text and asks nothing more.
    click(ed().CB_LogFile);
    dialogs->log.clear();
    click(ed().Btn_Header_OK);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(content("abc.txt"), "new one\r\ntwo\r\n");
    EXPECT_TRUE(browserShown());
    EXPECT_EQ(memo(), (Lines{"new one", "two"}));

    // Cancel with OK at the question gives the edits up.
    edit();
    openEditor();
    dialogs->answers = {true};
    click(ed().Btn_Header_Cancel);
    EXPECT_EQ(questions(), std::vector<std::string>{"Edited Text Discard OK?"});
    EXPECT_EQ(content("abc.txt"), "new one\r\ntwo\r\n");
    EXPECT_EQ(memo(), (Lines{"new one", "two"}));
    EXPECT_TRUE(browserShown());
    // Without edits Cancel asks nothing.
    dialogs->log.clear();
    openEditor();
    click(ed().Btn_Header_Cancel);
    EXPECT_TRUE(questions().empty());
}
