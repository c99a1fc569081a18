// Entering the browser, choosing categories and directories, and the title list.

#include "tests/browser/browser_fixture.h"
#include "ui/widgets/guard.h"

#include <sys/stat.h>

using namespace vbtest;
using vb::Bytes;

TEST_F(BrowserTest, LogModeListsNewestFirstAndShowsTheTopMessage) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "First", "Ann"));
    message("KVX00002.TXT", logMessage("00002", "Second", "Ben"));
    message("KVX00003.TXT", logMessage("3", "Third", "Cy", "", "", "Hello\r\nthere\r\n"));
    message("notes.txt", "not a message");
    browser->DefaultRead();

    EXPECT_EQ(ui().Pnl_FLBCount->text().toStdString(), "Total Message : 3 ");
    EXPECT_EQ(titles(),
              (std::vector<std::string>{"00003 _ Third / Cy", "00002 _ Second / Ben", "00001 _ First / Ann"}));
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00003 Third");
    EXPECT_EQ(label(ui().Lbl_Info_Name), "Cy");
    EXPECT_EQ(label(ui().Lbl_Info_Mail), "a@example.com");
    EXPECT_EQ(memo(), (std::vector<std::string>{"Hello", "there"}));
    EXPECT_TRUE(ui().Memo_log->isReadOnly());
    EXPECT_EQ(host.calls.front(), "FormStyle_Set(1)");
    EXPECT_TRUE(browser->isVisible());
    // The category box holds the category, which became the default.
    EXPECT_EQ(ui().CBox_Category->count(), 1);
    EXPECT_EQ(settings->DefaultCategory, "Logs");
}

TEST_F(BrowserTest, AscendingOrderAndNumbersThatDisagreeWithTheName) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    message("KVX00002.TXT", logMessage("00005", "Mislabelled", "B"));
    message("KVX00003.TXT", logMessage("00003", "Three", "C"));
    browser->DefaultRead();
    EXPECT_EQ(titles(), (std::vector<std::string>{"00001 _ One / A", "", "00003 _ Three / C"}));
    EXPECT_EQ(ui().Pnl_FLBCount->text().toStdString(), "Total Message : 3 ");
    // The empty line can still be selected and shown.
    ui().LB_Title->setSelectedIndex(1);
    browser->TextLoad();
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00005 Mislabelled");
}

TEST_F(BrowserTest, TextModeListsByFileNameOrFirstLineAndShowsTheWholeFile) {
    category("Text Mode", "Ascending Order", "Seach File DOC=False\r\n");
    message("a.TXT", "Alpha first line\r\nsecond\r\n");
    message("b.txt", "Beta\r\n");
    message("c.DOC", "excluded\r\n");
    message("d.MAN", "Manual\r\n");
    browser->DefaultRead();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a.TXT", "b.txt", "d.MAN"}));
    EXPECT_EQ(memo(), (std::vector<std::string>{"Alpha first line", "second"}));
    EXPECT_EQ(label(ui().Lbl_Info_Title), "Alpha first line");
    EXPECT_EQ(label(ui().Lbl_Info_Name), "a.TXT");
    EXPECT_EQ(ui().Pnl_Header->height(), 36);

    browser->Btn_Title_TextClick();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Alpha first line", "Beta", "Manual"}));
}

TEST_F(BrowserTest, TextModeWithNoFileTypeChosenListsEveryFile) {
    category("Text Mode", "Ascending Order",
             "Seach File TXT=Flase\r\nSeach File DOC=Flase\r\nSeach File MAN=Flase\r\n"
             "Seach File GGG=Flase\r\nSeach File INI=Flase\r\n");
    message("x.bin", "1");
    message("Y", "2");
    browser->DefaultRead();
    EXPECT_EQ(titles(), (std::vector<std::string>{"x.bin", "Y"}));
}

// Walking the files from the top of the list, whichever way it is sorted,
// the first number line that is not a number stops the list there.
TEST_F(BrowserTest, ANumberLineThatIsNotANumberStopsTheListThere) {
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    message("KVX00002.TXT", logMessage("abc", "Bad", "B"));
    message("KVX00003.TXT", logMessage("00003", "Three", "C"));
    message("KVX00004.TXT", logMessage("xyz", "Bad", "D"));
    message("KVX00005.TXT", logMessage("00005", "Five", "E"));
    const struct {
        const char *order, *bad;
        std::vector<std::string> shown;
    } cases[] = {
        {"Ascending Order", "abc", {"00001 _ One / A"}},
        {"Descending Order", "xyz", {"00005 _ Five / E"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.order);
        category("Log Mode", c.order);
        dialogs->log.clear();
        vb::guarded([&] { browser->DefaultRead(); });
        EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp(("'" + std::string(c.bad) + "' は数値ではありません.").c_str())});
        EXPECT_EQ(titles(), c.shown);
        EXPECT_EQ(ui().LB_Title->selectedIndex(), -1);
        EXPECT_TRUE(memo().empty());
    }
    // Nothing is lost on disk.
    EXPECT_EQ(get(msgDir() + "KVX00002.TXT"), logMessage("abc", "Bad", "B"));
}

TEST_F(BrowserTest, AnEmptyDirectoryShowsNoMessage) {
    category("Log Mode");
    browser->DefaultRead();
    EXPECT_EQ(ui().Pnl_FLBCount->text().toStdString(), "Total Message : 0 ");
    EXPECT_TRUE(titles().empty());
    EXPECT_TRUE(memo().empty());
    EXPECT_TRUE(errors().empty());
}

TEST_F(BrowserTest, AMissingCategoryDirectoryIsCreated) {
    category("Log Mode");
    ::rmdir(msgDir().c_str());
    browser->DefaultRead();
    struct stat st;
    EXPECT_EQ(::stat(msgDir().c_str(), &st), 0);
    EXPECT_TRUE(errors().empty());
}

TEST_F(BrowserTest, ADirectoryThatCannotBeCreatedStopsTheSelectionAndKeepsTheList) {
    put(dir.file("Velbrook.ini"),
        "[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Good\r\nDirectory=" + msgDir() +
            "\r\nSearch Mode=Log Mode\r\nFile Name1=KVX\r\n"
            "[Velbrook v0.2 - Category - 001]\r\nEnabled=Enable\r\nTitle=Gone\r\nDirectory=" +
            dir.file("no/such/place/") + "\r\nSearch Mode=Log Mode\r\nFile Name1=KVX\r\n");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    browser->DefaultRead();
    ASSERT_EQ(titles().size(), 1u);
    pickCategory(1);
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind(vb::cp("I/O エラー ("), 0), 0u);
    EXPECT_EQ(browser->CurrentCategory[vb::kSlotTitle], "Gone");
    EXPECT_EQ(titles().size(), 1u);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 One");
}

// The folder of the category on view is removed behind the program's back;
// picking the category again reports it and changes nothing on the screen.
TEST_F(BrowserTest, RepickingACategoryWhoseFolderVanishedKeepsWhatIsShown) {
    put(dir.file("Velbrook.ini"), "[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Logs\r\nDirectory=" +
                                      dir.file("gone/deeper/") + "\r\nSearch Mode=Log Mode\r\nFile Name1=KVX\r\n");
    ::mkdir(dir.file("gone").c_str(), 0755);
    ::mkdir(dir.file("gone/deeper").c_str(), 0755);
    put(dir.file("gone/deeper/KVX00001.TXT"), logMessage("00001", "One", "A", "", "", "Kept text\r\n"));
    browser->DefaultRead();
    ASSERT_EQ(memo(), std::vector<std::string>{"Kept text"});
    const vb::Bytes chooser = ui().DLB->directory();
    std::remove(dir.file("gone/deeper/KVX00001.TXT").c_str());
    ::rmdir(dir.file("gone/deeper").c_str());
    ::rmdir(dir.file("gone").c_str());

    pickCategory(0);
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0], vb::cp("I/O エラー (3). (No such file or directory)"));
    EXPECT_EQ(titles(), std::vector<std::string>{"00001 _ One / A"});
    EXPECT_EQ(memo(), std::vector<std::string>{"Kept text"});
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 One");
    EXPECT_EQ(ui().DLB->directory(), chooser);
    EXPECT_EQ(browser->FLB.names().toVector(), std::vector<vb::Bytes>{"KVX00001.TXT"});
}

// A relative Directory is the program folder's, whatever was listed last.
TEST_F(BrowserTest, ARelativeDirectoryIsTakenAgainstTheProgramFolder) {
    put(dir.file("Velbrook.ini"),
        "[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Abs\r\nDirectory=" + msgDir() +
            "\r\nSearch Mode=Log Mode\r\nFile Name1=KVX\r\n"
            "[Velbrook v0.2 - Category - 001]\r\nEnabled=Enable\r\nTitle=Rel\r\n"
            "Directory=rel/\r\nSearch Mode=Log Mode\r\nFile Name1=KVX\r\n");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    browser->DefaultRead();
    ASSERT_EQ(titles(), std::vector<std::string>{"00001 _ One / A"});
    pickCategory(1);
    EXPECT_TRUE(errors().empty());
    struct stat st;
    EXPECT_EQ(::stat(dir.file("rel").c_str(), &st), 0) << "made in the program folder";
    EXPECT_NE(::stat(dir.file("msgs/rel").c_str(), &st), 0) << "not in the folder listed last";
    EXPECT_EQ(ui().DLB->directory(), vb::fsToBytes(dir.file("rel")));
    EXPECT_TRUE(titles().empty());
    // Back and forth: the same folder again, never one nested in it.
    pickCategory(0);
    pickCategory(1);
    EXPECT_EQ(ui().DLB->directory(), vb::fsToBytes(dir.file("rel")));
    EXPECT_TRUE(errors().empty());
}

TEST_F(BrowserTest, BytesThatDoNotDecodeAreShownAndKept) {
    category("Text Mode");
    const std::string odd = std::string("stray \x81\x20 and \xff\xfe and \x87\x90 ok ") + "\x93\xfa\x96\x7b";
    message("odd.txt", odd + "\r\n");
    browser->DefaultRead();
    ASSERT_EQ(memo().size(), 1u);
    EXPECT_EQ(memo()[0], odd);
    EXPECT_EQ(ui().LB_Title->line(0), "odd.txt");
}

TEST_F(BrowserTest, AMegabyteLineAndABinaryFileAreShown) {
    category("Text Mode", "Ascending Order");
    const std::string big(1 << 20, 'x');
    message("a.txt", big + "\r\nend\r\n");
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(char(i * 7 % 256));
    message("b.txt", binary);
    browser->DefaultRead();
    EXPECT_EQ(memo(), (std::vector<std::string>{big, "end"}));
    ui().LB_Title->setSelectedIndex(1);
    browser->TextLoad();
    ASSERT_GT(memo().size(), 1u);
    EXPECT_EQ(memo()[0], binary.substr(0, binary.find_first_of("\r\n")));
    EXPECT_TRUE(errors().empty());
}

// A message many read pieces long is shown whole: every line, whatever its
// break and wherever a piece ends, and not one of its ten header lines.
TEST_F(BrowserTest, AMessageOfManyPiecesIsShownWholeWithoutItsHeader) {
    category("Log Mode");
    const char *breaks[] = {"\r\n", "\n", "\r", "\r\n"};
    std::string body;
    std::vector<std::string> lines;
    for (int i = 0; i < 60000; ++i) {
        lines.push_back(std::to_string(i) + (i % 5 ? " \x93\xfa\x96\x7b text" : " \x81\x20 odd"));
        body += lines.back() + breaks[i % 4];
    }
    lines.push_back("no break at the end");
    body += lines.back();
    message("KVX00001.TXT", logMessage("00001", "Long", "Ann", "", "", body));
    browser->DefaultRead();
    EXPECT_EQ(memo(), lines);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00001 Long");
    EXPECT_TRUE(errors().empty());
}

TEST_F(BrowserTest, BrowsingAnotherDirectoryChangesOnlyTheWorkingCopy) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    ::mkdir(dir.file("other").c_str(), 0755);
    put(dir.file("other/KVX00007.TXT"), logMessage("00007", "Seven", "G"));
    browser->DefaultRead();
    ui().DLB->setDirectory(vb::fsToBytes(dir.file("other")));
    EXPECT_EQ(titles(), std::vector<std::string>{"00007 _ Seven / G"});
    EXPECT_EQ(browser->CurrentCategory[vb::kSlotDirectory], vb::fsToBytes(dir.file("other/")));
    EXPECT_EQ(settings->activeCategory(0)[vb::kSlotDirectory], vb::fsToBytes(msgDir()));
    // Picking the same category again in the box goes back to its directory.
    pickCategory(0);
    EXPECT_EQ(titles(), std::vector<std::string>{"00001 _ One / A"});
    EXPECT_EQ(browser->CurrentCategory[vb::kSlotDirectory], vb::fsToBytes(msgDir()));
}

TEST_F(BrowserTest, TheDefaultCategoryIsTheLastWithItsTitleOrElseTheFirst) {
    std::string ini;
    const char *titlesInFile[] = {"A", "Same", "Same", "B"};
    for (int i = 0; i < 4; ++i)
        ini += "[Velbrook v0.2 - Category - 00" + std::to_string(i) +
               "]\r\nEnabled=Enable\r\nTitle=" + titlesInFile[i] + "\r\nDirectory=" + msgDir() + "\r\n";
    put(dir.file("Velbrook.ini"), "[Velbrook v0.2]\r\nDefaultCategory=Same\r\n" + ini);
    settings->FormStyle_Read();
    browser->DefaultRead();
    EXPECT_EQ(ui().CBox_Category->count(), 4);
    EXPECT_EQ(ui().CBox_Category->selectedIndex(), 2);

    put(dir.file("Velbrook.ini"), "[Velbrook v0.2]\r\nDefaultCategory=Nothing\r\n" + ini);
    browser->DefaultRead();
    EXPECT_EQ(ui().CBox_Category->selectedIndex(), 0);
    EXPECT_EQ(settings->DefaultCategory, "A");
}

TEST_F(BrowserTest, RebuildingAfterNewAndDeleteSelectsTheGivenFileOrLine) {
    category("Log Mode");
    for (int i = 1; i <= 4; ++i)
        message("KVX0000" + std::to_string(i) + ".TXT",
                logMessage("0000" + std::to_string(i), "T" + std::to_string(i), "N"));
    browser->DefaultRead();
    message("KVX00005.TXT", logMessage("00005", "T5", "N"));
    browser->DefaultRead3("KVX00002.TXT");
    EXPECT_EQ(ui().LB_Title->count(), 5);
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 3); // descending: 5 4 3 2 1
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 T2");
    browser->DefaultRead3("nowhere");
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 0);

    ::unlink((msgDir() + "KVX00005.TXT").c_str());
    browser->DefaultRead4(2);
    EXPECT_EQ(ui().LB_Title->count(), 4);
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 T2");
    for (int i = 1; i <= 4; ++i)
        ::unlink((msgDir() + "KVX0000" + std::to_string(i) + ".TXT").c_str());
    browser->DefaultRead4(0);
    EXPECT_TRUE(titles().empty());
    EXPECT_TRUE(memo().empty());
}

TEST_F(BrowserTest, TheLinesOfAListThatStoppedPartWayShowTheirOwnFiles) {
    category("Log Mode");
    message("KVX00001.TXT", logMessage("bad", "Bad", "A"));
    message("KVX00002.TXT", logMessage("00002", "Two", "B"));
    message("KVX00003.TXT", logMessage("00003", "Three", "C"));
    vb::guarded([&] { browser->DefaultRead(); });
    ASSERT_EQ(titles(), (std::vector<std::string>{"00003 _ Three / C", "00002 _ Two / B"}));
    ui().LB_Title->setSelectedIndex(1);
    browser->TextLoad();
    EXPECT_EQ(label(ui().Lbl_Info_Title), "00002 Two");
}
