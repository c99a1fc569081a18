// What Save, Print, Header Edit and Delete act on: the message on view, as
// its load found it. Commands that rebuild the title list never move that
// target; typed text is never dropped without a question; a change another
// program made to the file since the load is never written over, nor the
// file removed, without one.

#include "browser/find_panel.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "tests/common/pdf_tools.h"
#include "tests/editing/header_fixture.h"
#include "ui/widgets/memo.h"
#include "ui/widgets/textfield.h"
#include "ui/widgets/titlelist.h"

#include <QListWidget>
#include <QPrinter>
#include <QTest>
#include <cerrno>
#include <functional>
#include <map>
#include <unistd.h>

#include "printing/print_commands.h"

using namespace vbtest;
using vb::Bytes;

namespace {

using Files = std::map<std::string, std::string>;

class OnViewTest : public HeaderEditorTest {
public:
    // The tables' steps reach the program through these.
    using HeaderEditorTest::app;
    using HeaderEditorTest::click;
    using HeaderEditorTest::ed;
    using HeaderEditorTest::openEditor;
    using HeaderEditorTest::path;
    using HeaderEditorTest::type;

protected:
    void SetUp() override {
        HeaderEditorTest::SetUp();
        QPrinter &p = vb::runPrinter(); // no printer: Print offers a PDF file
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString());
    }

public:
    vb::BrowserProbe b() const { return vb::BrowserProbe(*app->F1); }

protected:
    // Three messages in the given mode, the program started on them.
    void start(const std::string &mode) {
        vbtest::endApplication(app);
        dialogs = vb::installScriptedDialogs(); // the old one went with the program
        for (const std::string &name : files())
            std::remove(path(name).c_str());
        if (mode == "Log Mode") {
            message("KVX00001.TXT", logMessage("00001", "One", "Ann", "", "", "first body\r\n"));
            message("KVX00002.TXT", logMessage("00002", "Two", "Ann", "", "", "second body\r\n"));
            message("KVX00003.TXT", logMessage("00003", "Three", "Ann", "", "", "third body\r\n"));
        } else {
            message("a.txt", "alpha\r\n");
            message("b.txt", "bravo\r\n");
            message("c.txt", "charlie\r\n");
        }
        browse(mode);
        app->F1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(app->F1.get()));
    }
    bool logMode() const { return exists("KVX00001.TXT") || exists("KVX00002.TXT"); }
    Files snapshot() const {
        Files all;
        for (const std::string &name : files())
            all[name] = content(name);
        return all;
    }
    // Clicks the title line that starts with text.
    void clickTitle(const std::string &text) {
        vb::TitleList *l = b().LB_Title;
        for (int i = 0; i < l->count(); ++i)
            if (l->line(i).rfind(text, 0) == 0) {
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(l->model()->index(i, 0)).center());
                return;
            }
        ADD_FAILURE() << "no title " << text;
    }
    // The file of the message shown, as the user reads it off the header panel.
    std::string shownFile() const {
        if (logMode())
            return "KVX" + vb::caption(b().Lbl_Info_Title).substr(0, 5) + ".TXT";
        return vb::caption(b().Lbl_Info_Name);
    }
    std::vector<std::string> memo() const { return b().Memo_log->logicalLines(); }
    void typeInMemo(const char *text) {
        QTextCursor c = b().Memo_log->textCursor();
        c.movePosition(QTextCursor::Start);
        b().Memo_log->setTextCursor(c);
        QTest::keyClicks(b().Memo_log, QString::fromUtf8(text));
    }
    void editAndType(const char *text) {
        if (b().Memo_log->isReadOnly())
            b().Btn_Edit->click();
        typeInMemo(text);
    }
    // The bytes Save writes for the file on view: its header as loaded (Log
    // Mode) and the memo's lines.
    std::string saved(const Files &before, const std::string &name) const {
        std::string out;
        if (logMode()) {
            const std::string &old = before.at(name);
            size_t at = 0;
            for (int i = 0; i < 10; ++i)
                at = old.find("\r\n", at) + 2;
            out = old.substr(0, at);
        }
        for (const std::string &line : memo())
            out += line + "\r\n";
        return out;
    }
    // Every file but name holds its bytes of before, and no file came or went.
    void othersUnchanged(const Files &before, const std::string &name) {
        const Files now = snapshot();
        ASSERT_EQ(now.size(), before.size()) << "a file came or went";
        for (const auto &[file, bytes] : before) {
            if (file != name) {
                EXPECT_EQ(now.at(file), bytes) << file << " was changed";
            }
        }
    }
    std::string question(const char *text, const std::string &name) const { return text + ("\n" + path(name)); }
};

} // namespace

// Every command that builds the title list again, sorts it, filters it or
// reads its headers, run while a message is in edit mode: afterwards Save,
// Print and Header Edit act on the message shown, and on no other file.
TEST_F(OnViewTest, CommandsThatRebuildTheTitleListNeverMoveTheTargetOfAWrite) {
    const struct {
        const char *what;
        const char *mode;
        std::function<void(OnViewTest &)> run;
    } commands[] = {
        {"title style (Text Mode)", "Text Mode", [](OnViewTest &t) { t.b().Btn_Title->click(); }},
        {"title style twice", "Log Mode",
         [](OnViewTest &t) {
             t.b().Btn_Title->click();
             t.b().Btn_Title->click();
         }},
        {"sort", "Log Mode", [](OnViewTest &t) { t.b().Btn_Sort->click(); }},
        {"Default", "Log Mode",
         [](OnViewTest &t) {
             t.b().Btn_Title->click();
             t.b().Btn_Default->click();
         }},
        {"filter typed and cleared", "Text Mode",
         [](OnViewTest &t) {
             QTest::keyClicks(t.b().Edt_TitleFilter, "ch");
             QTest::keyClick(t.b().Edt_TitleFilter, Qt::Key_Escape);
         }},
        {"Find run", "Log Mode",
         [](OnViewTest &t) {
             t.b().MM_Edit_Find->trigger();
             QTest::keyClicks(vb::FindProbe(*t.b().Pnl_Find).Edt_FindText, "body");
             QTest::keyClick(vb::FindProbe(*t.b().Pnl_Find).Edt_FindText, Qt::Key_Return);
             QTRY_VERIFY_WITH_TIMEOUT(!vb::FindProbe(*t.b().Pnl_Find).Btn_FindStop->isEnabled(), 30000);
         }},
        {"Go To Number cancelled", "Log Mode", [](OnViewTest &t) { t.b().MM_View_GoToNumber->trigger(); }},
        {"setup opened and closed", "Log Mode",
         [](OnViewTest &t) {
             t.b().Btn_Setup->click();
             vbtest::control<QPushButton>(*t.app->F2, "Btn_Setup_Close")->click();
         }},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.what);
        start(c.mode);
        const bool log = std::string(c.mode) == "Log Mode";
        clickTitle(log ? "00002" : "b"); // b.txt, or its first line bravo
        editAndType("typed ");
        c.run(*this);
        ASSERT_TRUE(browserShown());
        const std::string shown = shownFile();
        SCOPED_TRACE("shown: " + shown);

        // Save.
        Files before = snapshot();
        editAndType("saved ");
        b().Btn_Save->click();
        EXPECT_EQ(content(shown), saved(before, shown));
        othersUnchanged(before, shown);

        // Print, with no printer: a PDF of the message shown.
        before = snapshot();
        const std::string pdf = dir.file("print.pdf");
        dialogs->saveRequests.clear();
        dialogs->saveAnswers = {vb::fsToBytes(pdf)};
        b().Btn_Print->click();
        ASSERT_EQ(dialogs->saveRequests.size(), 1u);
        EXPECT_EQ(dialogs->saveRequests[0].proposedName, shown.substr(0, shown.rfind('.')) + ".pdf");
        const std::string printed = pageText(pdfWords(pdf), 1);
        EXPECT_NE(printed.find(log ? "Title : " + shown.substr(3, 5) : "File Name : " + shown), std::string::npos)
            << printed;
        EXPECT_NE(printed.find("saved"), std::string::npos) << printed;
        std::remove(pdf.c_str());
        othersUnchanged(before, "");

        // Header Edit.
        before = snapshot();
        openEditor();
        ASSERT_TRUE(editorShown());
        EXPECT_EQ(text(ed().E_Header_File), shown);
        if (log)
            type(ed().E_Header_Title, "Edited");
        click(ed().Btn_Header_OK);
        ASSERT_TRUE(browserShown());
        if (log) {
            EXPECT_NE(content(shown).find("\r\nTitle:Edited\r\n"), std::string::npos) << content(shown);
        } else {
            EXPECT_EQ(content(shown), before.at(shown));
        }
        othersUnchanged(before, shown);
    }
}

// キャンセル at "File Update OK?": the text stays on view, unsaved, and no
// command drops it without asking; Edit goes on from it.
TEST_F(OnViewTest, TextKeptByACancelledSaveIsAskedAboutAndEditedFurther) {
    start("Log Mode");
    clickTitle("00002");
    const Files before = snapshot();
    editAndType("typed ");
    dialogs->answers = {false};
    b().Btn_Save->click();
    EXPECT_TRUE(b().Memo_log->isReadOnly()) << "edit mode ends";
    EXPECT_EQ(memo(), std::vector<std::string>{"typed second body"});

    const std::function<void()> reloads[] = {
        [this] { b().Btn_Back->click(); },      [this] { b().Btn_Top->click(); },   [this] { b().Btn_Sort->click(); },
        [this] { b().MM_File_New->trigger(); }, [this] { b().Btn_Setup->click(); },
    };
    for (const auto &reload : reloads) {
        dialogs->log.clear();
        dialogs->answers = {false};
        reload();
        EXPECT_EQ(questions(), std::vector<std::string>{"Edited Text Discard OK?"});
        EXPECT_EQ(memo(), std::vector<std::string>{"typed second body"});
        EXPECT_TRUE(browserShown());
        EXPECT_EQ(snapshot(), before);
    }
    b().Btn_Edit->click();
    EXPECT_EQ(memo(), std::vector<std::string>{"typed second body"}) << "Edit goes on from the kept text";
    typeInMemo("more ");
    b().Btn_Save->click();
    EXPECT_EQ(content("KVX00002.TXT"), logMessage("00002", "Two", "Ann", "", "", "more typed second body\r\n"));
    othersUnchanged(before, "KVX00002.TXT");
}

// A change made to the file on view by another program since the load:
// Save, Header Edit and Delete ask first, キャンセル writes nothing and
// keeps the text, OK goes on.
TEST_F(OnViewTest, AChangeOnDiskSinceTheLoadIsNeverWrittenOverWithoutAQuestion) {
    const std::string name = "KVX00002.TXT";
    const struct {
        const char *what;
        std::function<void(OnViewTest &)> change;
        bool gone;
    } changes[] = {
        {"appended", [&](OnViewTest &t) { putFile(t.path(name), getFile(t.path(name)) + "outside line\r\n"); }, false},
        {"replaced by rename",
         [&](OnViewTest &t) {
             putFile(t.path("fresh.tmp"), logMessage("00002", "Two", "Ann", "", "", "outside body\r\n"));
             ASSERT_EQ(::rename(t.path("fresh.tmp").c_str(), t.path(name).c_str()), 0);
         },
         false},
        {"deleted", [&](OnViewTest &t) { ASSERT_EQ(::unlink(t.path(name).c_str()), 0); }, true},
    };
    for (const auto &c : changes) {
        const std::string changed =
            question(c.gone ? "File Deleted On Disk. Create Again OK?" : "File Changed On Disk. Overwrite OK?", name);
        {
            SCOPED_TRACE(std::string("Save / ") + c.what);
            start("Log Mode");
            clickTitle("00002");
            editAndType("typed ");
            c.change(*this);
            const Files outside = snapshot();
            dialogs->log.clear();
            dialogs->answers = {false};
            b().Btn_Save->click();
            EXPECT_EQ(questions(), std::vector<std::string>{changed});
            EXPECT_EQ(snapshot(), outside) << "the outside change stays";
            EXPECT_EQ(memo(), std::vector<std::string>{"typed second body"});
            EXPECT_FALSE(b().Memo_log->isReadOnly()) << "edit mode stays, for Save As";
            dialogs->log.clear();
            b().Btn_Save->click();
            EXPECT_EQ(questions(), (std::vector<std::string>{changed, "File Update OK?"}));
            EXPECT_EQ(content(name), logMessage("00002", "Two", "Ann", "", "", "typed second body\r\n"));
        }
        {
            SCOPED_TRACE(std::string("Header Edit / ") + c.what);
            start("Log Mode");
            clickTitle("00002");
            editAndType("typed ");
            c.change(*this);
            const Files outside = snapshot();
            openEditor();
            type(ed().E_Header_Title, "Edited");
            dialogs->log.clear();
            dialogs->answers = {false};
            click(ed().Btn_Header_OK);
            EXPECT_EQ(questions(), std::vector<std::string>{changed});
            EXPECT_EQ(snapshot(), outside);
            EXPECT_TRUE(editorShown()) << "the editor stays open";
            dialogs->log.clear();
            click(ed().Btn_Header_OK);
            EXPECT_EQ(questions(), std::vector<std::string>{changed});
            EXPECT_EQ(content(name), logMessage("00002", "Edited", "Ann", "", "", "typed second body\r\n"));
        }
        {
            SCOPED_TRACE(std::string("Delete / ") + c.what);
            start("Log Mode");
            clickTitle("00002");
            c.change(*this);
            const Files outside = snapshot();
            std::vector<std::string> asked{"Now Viewing Message Delete OK?"};
            if (!c.gone)
                asked.push_back(question("File Changed On Disk. Delete OK?", name));
            dialogs->log.clear();
            dialogs->answers = {true, false};
            b().MM_File_Delete->trigger();
            EXPECT_EQ(questions(), asked);
            EXPECT_EQ(snapshot(), outside);
            if (c.gone)
                continue;
            dialogs->log.clear();
            b().MM_File_Delete->trigger();
            EXPECT_EQ(questions(), asked);
            EXPECT_FALSE(exists(name));
        }
    }
}

// Save As onto another message asks first, naming it; the name chosen stays
// the current one after キャンセル; once written, the title list shows it.
TEST_F(OnViewTest, SaveAsOntoAnExistingFileAsksAndTheListShowsTheNewContent) {
    start("Text Mode");
    if (b().Btn_Title->caption() != "Text")
        b().Btn_Title->click();
    clickTitle("a");
    const Files before = snapshot();
    editAndType("typed ");
    dialogs->log.clear();
    dialogs->saveAnswers = {vb::fsToBytes(path("c.txt"))};
    dialogs->answers = {false};
    b().MM_File_SaveAs->trigger();
    EXPECT_EQ(questions(), std::vector<std::string>{question("File Overwrite OK?", "c.txt")});
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(app->F1->messageOnView().Current.FileName, vb::fsToBytes(path("c.txt")));

    // Save goes to the chosen name, and still asks before replacing it.
    dialogs->log.clear();
    dialogs->answers = {false};
    b().Btn_Save->click();
    EXPECT_EQ(questions(), std::vector<std::string>{question("File Overwrite OK?", "c.txt")});
    EXPECT_EQ(snapshot(), before);
    dialogs->log.clear();
    dialogs->saveAnswers = {vb::fsToBytes(path("c.txt"))};
    b().MM_File_SaveAs->trigger();
    EXPECT_EQ(questions(), (std::vector<std::string>{question("File Overwrite OK?", "c.txt"), "File Update OK?"}));
    EXPECT_EQ(content("c.txt"), "typed alpha\r\n");
    EXPECT_EQ(content("a.txt"), "alpha\r\n");
    std::vector<std::string> titles;
    for (int i = 0; i < b().LB_Title->count(); ++i)
        titles.push_back(b().LB_Title->line(i));
    EXPECT_NE(std::find(titles.begin(), titles.end(), "typed alpha"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "charlie"), titles.end());
}

// A Delete the system refuses is reported with its reason; the list stays.
TEST_F(OnViewTest, ADeleteThatFailsIsReportedAndTheListStays) {
    start("Log Mode");
    clickTitle("00002");
    const Files before = snapshot();
    vb::fileOps().unlink = [](const char *) {
        errno = EACCES;
        return -1;
    };
    b().MM_File_Delete->trigger();
    vb::fileOps() = vb::systemFileOps();
    ASSERT_EQ(dialogs->errors().size(), 1u);
    EXPECT_EQ(dialogs->errors()[0], vb::cp("ファイル ") + vb::fsToBytes(path("KVX00002.TXT")) +
                                        vb::cp(" を削除できません. (") + vb::systemReason(EACCES) + ")");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(b().LB_Title->count(), 3);
    EXPECT_EQ(shownFile(), "KVX00002.TXT");
}

// A message refused for its size leaves nothing to edit.
TEST_F(OnViewTest, EditIsDisabledForAMessageThatWasRefused) {
    start("Log Mode");
    ASSERT_TRUE(b().Btn_Edit->isEnabled());
    message("KVX00004.TXT", logMessage("00004", "Huge", "Ann", "", "", ""));
    ASSERT_EQ(::truncate(path("KVX00004.TXT").c_str(), 17 << 20), 0);
    vbtest::endApplication(app);
    dialogs = vb::installScriptedDialogs();
    browse("Log Mode");
    clickTitle("00004");
    EXPECT_FALSE(dialogs->errors().empty());
    EXPECT_TRUE(memo().empty());
    EXPECT_FALSE(b().Btn_Edit->isEnabled());
    EXPECT_FALSE(b().MM_Edit_Edit->isEnabled());
    QTest::keyClick(app->F1.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(b().Memo_log->isReadOnly());
}
