// The message on view: header panel rows, related-message entries, fonts,
// toggle captions and menu checks.

#include "messages/numbers.h"
#include "tests/browser/browser_fixture.h"
#include "ui/widgets/guard.h"

using namespace vbtest;
using vb::Bytes;

namespace {
std::string onOff(bool on, const char *word) { return on ? word : "False"; }
} // namespace

TEST_F(BrowserTest, HeaderRowsFollowTheSwitchesInLogModeOnly) {
    struct Row {
        bool mail, web, date;
        int height, mailTop, webTop, dateTop;
    };
    const Row table[] = {
        {false, false, false, 36, 0, 0, 0}, {true, false, false, 55, 38, 0, 0}, {false, true, false, 55, 0, 38, 0},
        {true, true, false, 70, 38, 53, 0}, {false, false, true, 55, 0, 0, 38}, {true, false, true, 70, 38, 0, 53},
        {false, true, true, 70, 0, 38, 53}, {true, true, true, 85, 38, 53, 68},
    };
    for (const Row &r : table) {
        for (const char *mode : {"Log Mode", "Text Mode"}) {
            category(mode, "Descending Order",
                     "Information Mail Address=" + onOff(r.mail, "Mail Address") + "\r\nInformation Web Address=" +
                         onOff(r.web, "Web Address") + "\r\nInformation Date=" + onOff(r.date, "Date") + "\r\n");
            browser->DefaultRead();
            const bool log = std::string(mode) == "Log Mode";
            SCOPED_TRACE(std::string(mode) + " " + std::to_string(r.mail) + std::to_string(r.web) +
                         std::to_string(r.date));
            EXPECT_EQ(ui().Pnl_Header->height(), log ? r.height : 36);
            EXPECT_EQ(ui().Lbl_Info_Mail->isVisibleTo(ui().Pnl_Header), log && r.mail);
            EXPECT_EQ(ui().Lbl_Message_Web->isVisibleTo(ui().Pnl_Header), log && r.web);
            EXPECT_EQ(ui().Lbl_Info_Date->isVisibleTo(ui().Pnl_Header), log && r.date);
            if (log) {
                EXPECT_EQ(ui().Lbl_Message_Mail->y(), r.mailTop);
                EXPECT_EQ(ui().Lbl_Info_Web->y(), r.webTop);
                EXPECT_EQ(ui().Lbl_Message_Date->y(), r.dateTop);
            }
        }
    }
    // Title and name rows never move.
    EXPECT_EQ(ui().Lbl_Message_Title->pos(), QPoint(5, 3));
    EXPECT_EQ(ui().Lbl_Info_Name->pos(), QPoint(85, 18));
}

TEST_F(BrowserTest, RelatedMessagesAreNamedByTheirTitles) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "Root", "A", "00002000030000900004"));
    message("KVX00002.TXT", logMessage("00002", "Re one", "B", "", "00001"));
    message("KVX00003.TXT", logMessage("00003", "Re two", "C", "", "00001"));
    message("KVX00004.TXT", logMessage("00004", "Re four", "D", "", "00001"));
    browser->DefaultRead();
    ui().LB_Title->setSelectedIndex(3); // descending: 4 3 2 1
    browser->TextLoad();
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 : Re one / B");
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->tag, 2);
    EXPECT_EQ(ui().MM_View_Res_NextK[1]->caption(), "02 : Re two / C");
    // Message 9 is not listed: bare caption, tag kept.
    EXPECT_EQ(ui().MM_View_Res_NextK[2]->caption(), "03 :");
    EXPECT_EQ(ui().MM_View_Res_NextK[2]->tag, 9);
    EXPECT_EQ(ui().MM_View_Res_NextK[3]->caption(), "04 : Re four / D");
    for (int k = 5; k <= 10; ++k) {
        EXPECT_EQ(ui().MM_View_Res_NextK[size_t(k - 1)]->caption(), vb::twoDigit(k) + " :");
        EXPECT_EQ(ui().MM_View_Res_NextK[size_t(k - 1)]->tag, 0);
    }
    EXPECT_EQ(ui().MM_View_Res_Back->caption(), "Back :");

    ui().LB_Title->setSelectedIndex(2);
    browser->TextLoad();
    EXPECT_EQ(ui().MM_View_Res_Back->caption(), "Back : Root / A");
    EXPECT_EQ(ui().MM_View_Res_Back->tag, 1);
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 :");
}

TEST_F(BrowserTest, AFaultyLinkIsReportedAndTheTextStaysThePreviousOne) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "Plain", "A", "", "", "first body\r\n"));
    message("KVX00002.TXT", logMessage("00002", "Faulty", "B", "00001x0002", "", "second body\r\n"));
    browser->DefaultRead();
    ASSERT_EQ(memo(), std::vector<std::string>{"first body"});
    ui().LB_Title->setSelectedIndex(1);
    vb::guarded([&] { browser->TextLoad(); });
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("'x0002' は数値ではありません.")});
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Faulty");
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 : Plain / A");
    EXPECT_EQ(memo(), std::vector<std::string>{"first body"});
}

TEST_F(BrowserTest, HeaderOnlyAndShortFilesShowAnEmptyText) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "Header only", "A", "", "", ""));
    message("KVX00002.TXT", "00002\r\nTitle:Short\r\n");
    browser->DefaultRead();
    EXPECT_TRUE(memo().empty());
    ui().LB_Title->setSelectedIndex(1);
    browser->TextLoad();
    EXPECT_TRUE(memo().empty());
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Short");
}

TEST_F(BrowserTest, FontsCaptionsAndChecksFollowTheCategory) {
    category(
        "Text Mode", "Ascending Order",
        "Default Font=Variable\r\nVariable Font Name=Serif Face\r\nVariable Font Point=15\r\nTitle Text=Text Line\r\n");
    message("a.txt", "x\r\n");
    browser->DefaultRead();
    EXPECT_EQ(ui().Memo_log->fontFace(), "Serif Face");
    EXPECT_EQ(ui().Memo_log->fontPoints(), 15);
    EXPECT_FALSE(ui().Memo_log->fontFixedPitch());
    EXPECT_EQ(ui().Btn_Font->caption(), "Variable");
    EXPECT_EQ(ui().Btn_Sort->caption(), "Ascending");
    EXPECT_EQ(ui().Btn_Title->caption(), "Text");
    EXPECT_TRUE(ui().MM_Option_Font_Variable->isChecked());
    EXPECT_FALSE(ui().MM_Option_Font_Fixed->isChecked());
    EXPECT_TRUE(ui().MM_Option_Sort_Ascending->isChecked());
    EXPECT_TRUE(ui().MM_Option_Title_Text->isChecked());
    EXPECT_FALSE(ui().MM_Option_Title_File->isChecked());
}

TEST_F(BrowserTest, AFontPointThatIsNotANumberStopsTheSelection) {
    category("Log Mode", "Descending Order", "Fixed Font Point=big\r\n");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    vb::guarded([&] { browser->DefaultRead(); });
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("'big' は数値ではありません.")});
    EXPECT_EQ(browser->FLB.names().size(), 1u);
    EXPECT_TRUE(titles().empty());
}

TEST_F(BrowserTest, AFileThatCannotBeReadKeepsThePreviousMessageOnView) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "One", "A", "", "", "first body\r\n"));
    message("KVX00002.TXT", logMessage("00002", "Two", "B", "", "", "second body\r\n"));
    browser->DefaultRead();
    ::unlink((msgDir() + "KVX00002.TXT").c_str()); // gone behind the program's back
    ui().LB_Title->setSelectedIndex(1);
    vb::guarded([&] { browser->TextLoad(); });
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("I/O エラー (2). (No such file or directory)")});
    EXPECT_EQ(memo(), std::vector<std::string>{"first body"});
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 One");
    EXPECT_TRUE(browser->messageOnView().empty()) << "the record of the message on view is left empty";
}
