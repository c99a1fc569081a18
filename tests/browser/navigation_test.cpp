// Moves by position, links between related messages, the view toggles and
// leaving the browser.

#include "tests/browser/browser_fixture.h"
#include "ui/widgets/guard.h"

#include <QSplitter>
#include <QTest>

using namespace vbtest;
using vb::Bytes;

namespace {

std::string num(int i) {
    char b[16];
    std::snprintf(b, sizeof b, "%05d", i);
    return b;
}

} // namespace

class MoveTest : public BrowserTest {
protected:
    // n Log Mode messages, listed in ascending order so that line i is message i.
    void messages(int n) {
        category("Log Mode", "Ascending Order");
        for (int i = 0; i < n; ++i)
            message("KVX" + num(i) + ".TXT", logMessage(num(i), "T" + std::to_string(i), "N"));
        browser->DefaultRead();
    }
    // Selects s, runs the move, and returns the selection and the message shown.
    std::pair<int, std::string> move(int s, void (vb::TF1::*handler)()) {
        ui().LB_Title->setSelectedIndex(s);
        ui().Lbl_Info_Title->clear();
        (browser.get()->*handler)();
        return {ui().LB_Title->selectedIndex(), label(ui().Lbl_Info_Title)};
    }
    std::string shown(int i) { return num(i) + " T" + std::to_string(i); }
};

TEST_F(MoveTest, HundredStepsStopAtTheEnds) {
    messages(150);
    using P = std::pair<int, std::string>;
    EXPECT_EQ(move(120, &vb::TF1::Btn_Back100Click), P(149, shown(149)));
    EXPECT_EQ(move(50, &vb::TF1::Btn_Back100Click), P(149, shown(149)));
    EXPECT_EQ(move(49, &vb::TF1::Btn_Back100Click), P(149, shown(149)));
    EXPECT_EQ(move(48, &vb::TF1::Btn_Back100Click), P(148, shown(148)));
    EXPECT_EQ(move(99, &vb::TF1::Btn_Next100Click), P(0, shown(0)));
    EXPECT_EQ(move(100, &vb::TF1::Btn_Next100Click), P(0, shown(0)));
    EXPECT_EQ(move(101, &vb::TF1::Btn_Next100Click), P(1, shown(1)));
    EXPECT_EQ(move(70, &vb::TF1::Btn_TopClick), P(0, shown(0)));
    EXPECT_EQ(move(70, &vb::TF1::Btn_EndClick), P(149, shown(149)));
    // "+1" goes toward the top, "-1" toward the bottom.
    EXPECT_EQ(move(70, &vb::TF1::Btn_NextClick), P(69, shown(69)));
    EXPECT_EQ(move(70, &vb::TF1::Btn_BackClick), P(71, shown(71)));
    EXPECT_EQ(move(0, &vb::TF1::Btn_NextClick), P(0, ""));
    EXPECT_EQ(move(149, &vb::TF1::Btn_BackClick), P(149, ""));
}

TEST_F(MoveTest, OneTitleAndNothingSelected) {
    messages(1);
    using P = std::pair<int, std::string>;
    // Top, End, +100 and -100 reload the one title; +1 and -1 do nothing.
    for (auto h :
         {&vb::TF1::Btn_TopClick, &vb::TF1::Btn_EndClick, &vb::TF1::Btn_Next100Click, &vb::TF1::Btn_Back100Click})
        EXPECT_EQ(move(0, h), P(0, shown(0)));
    EXPECT_EQ(move(0, &vb::TF1::Btn_NextClick), P(0, ""));
    EXPECT_EQ(move(0, &vb::TF1::Btn_BackClick), P(0, ""));
}

// A list whose building stopped at a faulty file has no line selected.
TEST_F(MoveTest, NothingSelectedAfterAListStoppedPartWay) {
    using P = std::pair<int, std::string>;
    const struct {
        void (vb::TF1::*move)();
        P after;
    } cases[] = {{&vb::TF1::Btn_NextClick, P(-1, "")},
                 {&vb::TF1::Btn_BackClick, P(0, shown(0))},
                 {&vb::TF1::Btn_Next100Click, P(0, shown(0))},
                 {&vb::TF1::Btn_Back100Click, P(4, shown(4))}};
    category("Log Mode", "Ascending Order");
    for (int i = 0; i < 5; ++i)
        message("KVX" + num(i) + ".TXT", logMessage(num(i), "T" + std::to_string(i), "N"));
    message("KVX00005.TXT", logMessage("five", "Faulty", "N"));
    vb::guarded([&] { browser->DefaultRead(); });
    for (const auto &c : cases) {
        vb::guarded([&] { ui().DLB->setDirectory(vb::fsToBytes(msgDir())); });
        ASSERT_EQ(titles().size(), 5u);
        ASSERT_EQ(ui().LB_Title->selectedIndex(), -1);
        ui().Lbl_Info_Title->clear();
        (browser.get()->*c.move)();
        EXPECT_EQ(P(ui().LB_Title->selectedIndex(), label(ui().Lbl_Info_Title)), c.after);
    }
}

TEST_F(MoveTest, AnEmptyListDoesNothing) {
    messages(0);
    for (auto h : {&vb::TF1::Btn_TopClick, &vb::TF1::Btn_EndClick, &vb::TF1::Btn_NextClick, &vb::TF1::Btn_BackClick,
                   &vb::TF1::Btn_Next100Click, &vb::TF1::Btn_Back100Click}) {
        (browser.get()->*h)();
        EXPECT_EQ(ui().LB_Title->selectedIndex(), -1);
    }
    EXPECT_TRUE(errors().empty());
}

TEST_F(BrowserTest, LinksAreFollowedByNumber) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "Root", "A", "0001200002"));
    message("KVX00002.TXT", logMessage("00002", "Child", "B", "", "00001"));
    message("KVX00012.TXT", logMessage("12", "Twelve", "C", "", "00001"));
    browser->DefaultRead(); // 12 2 1
    ui().LB_Title->setSelectedIndex(2);
    browser->TextLoad();
    browser->MM_View_Res_NextClick(1);
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00012 Twelve");
    browser->MM_View_Res_BackClick();
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 Root");
    browser->MM_View_Res_NextClick(2);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Child");
    // A link without a title in the list does nothing.
    browser->MM_View_Res_NextClick(1);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Child");
}

TEST_F(BrowserTest, AFaultyTitleLineOnTheWayStopsTheSearch) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "Root", "A", "0000300004"));
    message("KVX00002.TXT", logMessage("00009", "Misnumbered", "B")); // listed as an empty line
    message("KVX00003.TXT", logMessage("00003", "Three", "C", "", "00001"));
    browser->DefaultRead();
    ASSERT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 : Three / C");
    vb::guarded([&] { browser->MM_View_Res_NextClick(1); });
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("'' は数値ではありません.")});
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 Root");
}

// Two files carry one number (names that differ in letter case): a link is
// named after the last of their lines and leads to the first, in whichever
// order the list stands after the sort toggle.
TEST_F(BrowserTest, ALinkToANumberTwoLinesCarryFollowsTheListOrder) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "Root", "A", "00005"));
    message("KVX00005.TXT", logMessage("00005", "Upper", "B", "", "00001"));
    message("kvx00005.txt", logMessage("00005", "Lower", "C", "", "00001"));
    browser->DefaultRead();
    const struct {
        bool sortClick;
        int root;
        const char *caption, *followed;
    } rows[] = {{false, 0, "01 : Lower / C", "00005 Upper"}, {true, 2, "01 : Upper / B", "00005 Lower"}};
    for (const auto &r : rows) {
        if (r.sortClick)
            ui().Btn_Sort->click();
        ui().LB_Title->setSelectedIndex(r.root);
        browser->TextLoad();
        ASSERT_EQ(label(ui().Lbl_Info_Title), "00001 Root");
        EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), r.caption);
        ui().MM_View_Res_NextK[0]->trigger();
        EXPECT_EQ(label(ui().Lbl_Info_Title), r.followed);
    }
    EXPECT_TRUE(errors().empty());
}

// Text Mode never fills the link entries, so following them never moves, not
// even to a title line that starts like a message number.
TEST_F(BrowserTest, TextModeLinksAreNeverUsable) {
    category("Text Mode", "Ascending Order", "Title Text=Text Line\r\n");
    message("a.txt", "00000 zero\r\nNext :00000\r\n");
    message("b.txt", "00000 also zero\r\nBack :00000\r\n");
    browser->DefaultRead();
    ui().Btn_End->click();
    ASSERT_EQ(ui().LB_Title->selectedIndex(), 1);
    for (int k = 1; k <= 10; ++k)
        ui().MM_View_Res_NextK[size_t(k - 1)]->trigger();
    ui().MM_View_Res_Back->trigger();
    ui().Btn_Res_Next->click();
    ui().Btn_Res_Back->click();
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 1);
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 :");
}

TEST_F(BrowserTest, TogglesChangeOnlyTheWorkingCopyAndDefaultRestoresThem) {
    category("Text Mode", "Ascending Order", "Fixed Font Name=Mono Face\r\nVariable Font Name=Prop Face\r\n");
    message("a.txt", "Alpha\r\n");
    message("b.txt", "Beta\r\n");
    message("c.txt", "Gamma\r\n");
    browser->DefaultRead();
    ui().LB_Title->setSelectedIndex(1);
    browser->TextLoad();

    browser->Btn_TitleClick(); // to "Text": list rebuilt, the message stays
    EXPECT_EQ(titles(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);
    EXPECT_EQ(memo(), std::vector<std::string>{"Beta"});
    EXPECT_TRUE(ui().MM_Option_Title_Text->isChecked());

    browser->Btn_SortClick(); // to "Descending": top title loaded
    EXPECT_EQ(titles().front(), "Gamma");
    EXPECT_EQ(memo(), std::vector<std::string>{"Gamma"});
    EXPECT_EQ(ui().Btn_Sort->caption(), "Descending");
    EXPECT_TRUE(ui().MM_Option_Sort_Descending->isChecked());

    browser->Btn_FontClick(); // to "Variable"
    EXPECT_EQ(ui().Memo_log->fontFace(), "Prop Face");
    EXPECT_FALSE(ui().Memo_log->fontFixedPitch());
    EXPECT_TRUE(ui().MM_Option_Font_Variable->isChecked());

    const vb::CategoryRecord &stored = settings->activeCategory(0);
    EXPECT_EQ(stored[vb::kSlotSortStyle], "Ascending Order");
    EXPECT_EQ(stored[vb::kSlotDefaultFont], "Fixed");
    EXPECT_EQ(stored[vb::kSlotTitleText], "File Name");
    EXPECT_EQ(get(dir.file("Velbrook.ini")).find("Descending"), std::string::npos);

    browser->Btn_DefaultClick();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(memo(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(ui().Memo_log->fontFace(), "Mono Face");
    EXPECT_EQ(ui().Btn_Font->caption(), "Fixed");
    EXPECT_EQ(ui().Btn_Sort->caption(), "Ascending");
    EXPECT_EQ(ui().Btn_Title->caption(), "File");

    // Reselecting the category brings the stored values back too.
    browser->Btn_SortClick();
    browser->CategoryBox_ListChange();
    EXPECT_EQ(ui().Btn_Sort->caption(), "Ascending");
    EXPECT_EQ(titles().front(), "a.txt");
}

TEST_F(BrowserTest, SortingAnEmptyDirectoryEmptiesTheDisplay) {
    category("Log Mode", "Ascending Order");
    browser->DefaultRead();
    browser->Btn_Sort_DescendingClick();
    EXPECT_TRUE(titles().empty());
    EXPECT_TRUE(memo().empty());
    EXPECT_TRUE(ui().MM_Option_Sort_Descending->isChecked());
}

TEST_F(BrowserTest, AFontPointThatIsNotANumberStopsTheToggleHalfWay) {
    category("Log Mode", "Descending Order", "Variable Font Point=huge\r\nVariable Font Name=Prop Face\r\n");
    browser->DefaultRead();
    vb::guarded([&] { browser->Btn_FontClick(); });
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("'huge' は数値ではありません.")});
    EXPECT_EQ(ui().Btn_Font->caption(), "Variable");
    EXPECT_EQ(ui().Memo_log->fontFace(), "Prop Face");
    EXPECT_TRUE(ui().Memo_log->fontFixedPitch());
    EXPECT_TRUE(ui().MM_Option_Font_Fixed->isChecked());
}

TEST_F(BrowserTest, CloseAndSetupLeaveThroughTheController) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    browser->DefaultRead();
    host.calls.clear();
    browser->Btn_CloseClick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"FormStyle_Write", "FormStyle_Set(0)", "showTitleScreen"}));
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(ui().CBox_Category->count(), 0);
    EXPECT_TRUE(titles().empty());
    EXPECT_EQ(browser->CurrentCategory[vb::kSlotSearchMode], "Log Mode") << "emptying the box selects nothing";

    browser->DefaultRead();
    host.calls.clear();
    host.fastClose = true;
    browser->Btn_CloseClick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"FormStyle_Write", "endProgram"}));

    browser->DefaultRead();
    host.calls.clear();
    browser->Btn_SetupClick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"FormStyle_Write", "FormStyle_Set(2)", "enterSetup"}));
    EXPECT_FALSE(browser->isVisible());
}

TEST_F(BrowserTest, ThePanesKeepTheirShapeWhenResized) {
    category("Log Mode");
    browser->DefaultRead();
    browser->resize(800, 600);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser.get()));
    ui().Splitter->setSizes({220, 580});
    // Drag the splitter's handle 60 pixels to the right.
    QSplitterHandle *handle = ui().Splitter->handle(1);
    const int before = ui().Pnl_Thread->width();
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(60, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(60, 0));
    EXPECT_NEAR(ui().Pnl_Thread->width(), before + 60, 1);
    EXPECT_EQ(before, 220);
    // The category box and the count span the whole left pane at once.
    EXPECT_EQ(ui().CBox_Category->width(), ui().Pnl_Thread->width());
    EXPECT_EQ(ui().Pnl_FLBCount->width(), ui().Pnl_Thread->width());
    ui().Splitter->setSizes({250, 550});
    browser->resize(760, 500);
    EXPECT_EQ(ui().Pnl_Main->size(), browser->centralWidget()->size());
    EXPECT_EQ(ui().Pnl_Thread->width(), 250);
    EXPECT_EQ(ui().Pnl_List->height(),
              ui().Pnl_Thread->height() - ui().Pnl_FLBCount->y() - ui().Pnl_FLBCount->height() - 1);
    EXPECT_EQ(ui().Pnl_List->y() + ui().Pnl_List->height(), ui().Pnl_Thread->height());
}

TEST_F(BrowserTest, VersionShowsItsMessage) {
    browser->MM_Help_VersionClick();
    ASSERT_EQ(dialogs->log.size(), 1u);
    EXPECT_EQ(dialogs->log[0].text.rfind("Velbrook v0.2 Build 2 / ", 0), 0u);
}
