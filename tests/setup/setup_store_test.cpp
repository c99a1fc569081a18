// Set, New and Delete in the setup window, asserted on the bytes of the
// settings file.

#include "setup/setup_rules.h"
#include "tests/setup/setup_fixture.h"

#include <deque>
#include <functional>

using namespace vbtest;
using vb::Bytes;
using vb::cp;

TEST_F(SetupTest, SetStoresEveryFieldInItsKey) {
    open(section(0, {{"Title", "Logs"},
                     {"Directory", dir.file("msgs/")},
                     {"File Name1", "KVX"},
                     {"Fixed Font Point", "10"},
                     {"Search Mode", "Log Mode"},
                     {"Sort Style", "Descending Order"},
                     {"Title Text", "Text Line"}}) +
         "[Other]\r\nkey=value\r\n");
    type(control<vb::TextField>("Property_FileName2"), "LOG");
    control<QRadioButton>("Property_RB_Font_Variable")->click();
    control<QRadioButton>("Property_RB_Sort_Ascending")->click();
    control<QRadioButton>("Property_RB_Search_Text")->click();
    control<QRadioButton>("Property_RB_TitleText_File")->click();
    for (QCheckBox *b : {control<QCheckBox>("Property_Info_Title"), control<QCheckBox>("Property_Info_Name"),
                         control<QCheckBox>("Property_Info_Mail"), control<QCheckBox>("Property_Info_Web"),
                         control<QCheckBox>("Property_Info_Date")})
        b->setChecked(false); // disabled in Text Mode: stored as they stand
    for (QCheckBox *b : {control<QCheckBox>("Property_Search_TXT"), control<QCheckBox>("Property_Search_DOC"),
                         control<QCheckBox>("Property_Search_MAN"), control<QCheckBox>("Property_Search_GGG"),
                         control<QCheckBox>("Property_Search_INI")})
        b->click();
    control<QPushButton>("Btn_Setup_Set")->click();
    // The category sections were written after the other section when the window opened.
    EXPECT_EQ(file(), "[Other]\r\nkey=value\r\n" + sectionName(0) +
                          "Enabled=Enable\r\nTitle=Logs\r\nDirectory=" + dir.file("msgs/") +
                          "\r\nFile Name1=KVX\r\nFile Name2=LOG\r\nDefault Font=Variable\r\n"
                          "Sort Style=Ascending Order\r\nSearch Mode=Text Mode\r\nTitle Text=File Name\r\n"
                          "Fixed Font Name=" +
                          cp(u8"ＭＳ ゴシック") +
                          "\r\nFixed Font Point=10\r\nVariable Font Name=" + cp(u8"ＭＳ Ｐゴシック") +
                          "\r\nVariable Font Point=12\r\n"
                          "Information Title=False\r\nInformation Name=False\r\nInformation Mail Address=False\r\n"
                          "Information Web Address=False\r\nInformation Date=False\r\n"
                          "Seach File TXT=False\r\nSeach File DOC=False\r\nSeach File MAN=False\r\n"
                          "Seach File GGG=False\r\nSeach File INI=False\r\n");
    EXPECT_TRUE(errors().empty());
    // The window shows what was stored.
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 0);
    EXPECT_TRUE(control<QRadioButton>("Property_RB_Font_Variable")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Property_Info_Title")->isEnabled());
}

TEST_F(SetupTest, SetNormalisesShortAndEmptyFields) {
    struct Case {
        const char *title, *directory, *prefix, *extension; // typed, utf-8
        std::string storedTitle, storedDirectory, storedPrefix, storedExtension;
    } cases[] = {
        {"Logs", "/data/x", "AB", "", "Logs", "/data/x", "AB0", "000"},
        {"", "", "", "T", "New Category", dir.path() + "logtext/", "000", "T00"},
        {u8"日記", "/d/", u8"あ", "ABC", cp(u8"日記"), "/d/", cp(u8"あ") + "0", "ABC"},
    };
    for (const Case &c : cases) {
        openTitled({"first", "second"});
        pick(1);
        type(control<vb::TextField>("Property_Title"), c.title);
        type(control<vb::TextField>("Property_Directory"), c.directory);
        type(control<vb::TextField>("Property_FileName1"), c.prefix);
        type(control<vb::TextField>("Property_FileName2"), c.extension);
        control<QPushButton>("Btn_Setup_Set")->click();
        const std::string text = file();
        EXPECT_EQ(valueIn(text, 1, "Title"), c.storedTitle);
        EXPECT_EQ(valueIn(text, 1, "Directory"), c.storedDirectory);
        EXPECT_EQ(valueIn(text, 1, "File Name1"), c.storedPrefix);
        EXPECT_EQ(valueIn(text, 1, "File Name2"), c.storedExtension);
        EXPECT_EQ(valueIn(text, 0, "Title"), "first");
        // The normalised values stand in the fields and in the list.
        EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), c.storedTitle);
        EXPECT_EQ(control<vb::TextField>("Property_FileName1")->bytes(), c.storedPrefix);
        EXPECT_EQ(listed(), (std::vector<std::string>{"first", c.storedTitle}));
        EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 1);
    }
}

TEST_F(SetupTest, AfterSetTheWindowShowsWhatTheFileHolds) {
    openTitled({"A"});
    type(control<vb::TextField>("Property_Title"), "\"Quoted\"");
    control<QPushButton>("Btn_Setup_Set")->click();
    // The file reads the value without its quotes, and holds it so once
    // the table read back is written again.
    EXPECT_EQ(valueIn(file(), 0, "Title"), "Quoted");
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "Quoted");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Quoted"}));
}

TEST_F(SetupTest, NewStoresTheShownEntryAndAddsAndShowsANewOne) {
    openTitled({"A", "B"});
    pick(1);
    type(control<vb::TextField>("Property_Title"), "B edited");
    control<QPushButton>("Btn_Setup_New")->click();
    const std::string text = file();
    EXPECT_EQ(sectionCount(text), 3);
    EXPECT_EQ(valueIn(text, 1, "Title"), "B edited");
    EXPECT_EQ(sectionIn(text, 2),
              sectionName(2) + "Enabled=Enable\r\nTitle=New Category\r\nDirectory=" + dir.path() +
                  "\r\nFile Name1=000\r\nFile Name2=TXT\r\nDefault Font=Fixed\r\nSort Style=Descending Order\r\n"
                  "Search Mode=Text Mode\r\nTitle Text=File Name\r\nFixed Font Name=" +
                  cp(u8"ＭＳ ゴシック") + "\r\nFixed Font Point=12\r\nVariable Font Name=" + cp(u8"ＭＳ Ｐゴシック") +
                  "\r\nVariable Font Point=12\r\nInformation Title=Title\r\nInformation Name=Name\r\n"
                  "Information Mail Address=Mail Address\r\nInformation Web Address=Web Address\r\n"
                  "Information Date=Date\r\nSeach File TXT=TXT\r\nSeach File DOC=DOC\r\nSeach File MAN=MAN\r\n"
                  "Seach File GGG=GGG\r\nSeach File INI=INI\r\n");
    EXPECT_EQ(listed(), (std::vector<std::string>{"A", "B edited", "New Category"}));
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 2);
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "New Category");
    EXPECT_EQ(control<vb::TextField>("Property_Directory")->bytes(), dir.path());
    EXPECT_FALSE(control<QCheckBox>("Property_DefaultLoad")->isChecked());
}

TEST_F(SetupTest, NewMakesNoMoreThan255Categories) {
    for (int count : {254, 255, 256}) {
        std::vector<std::string> titles;
        for (int i = 0; i < count; ++i)
            titles.push_back("c" + std::to_string(i));
        openTitled(titles);
        const std::string before = file();
        control<QPushButton>("Btn_Setup_New")->click();
        const int expected = count < 255 ? count + 1 : count;
        EXPECT_EQ(control<vb::ComboList>("CB_Setup")->count(), expected) << count;
        EXPECT_EQ(sectionCount(file()), expected) << count;
        if (count >= 255) {
            EXPECT_EQ(file(), before);
        }
        EXPECT_TRUE(errors().empty());
    }
}

TEST_F(SetupTest, DeleteMovesTheLaterEntriesUp) {
    struct Case {
        int count, deleted;
        std::vector<std::string> left;
        int selected; // -1: none
    } cases[] = {
        {3, 1, {"e0", "e2"}, 0},
        {3, 0, {"e1", "e2"}, -1},
        {3, 2, {"e0", "e1"}, 1},
        {2, 1, {"e0"}, 0},
    };
    for (const Case &c : cases) {
        std::vector<std::string> titles;
        for (int i = 0; i < c.count; ++i)
            titles.push_back("e" + std::to_string(i));
        openTitled(titles);
        pick(c.deleted);
        control<QPushButton>("Btn_Setup_Delete")->click();
        EXPECT_TRUE(dialogs->log.empty()) << "no question is asked";
        EXPECT_EQ(listed(), c.left) << c.deleted;
        EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), c.selected) << c.deleted;
        EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), c.selected < 0 ? "" : c.left[size_t(c.selected)]);
        const std::string text = file();
        EXPECT_EQ(sectionCount(text), int(c.left.size()));
        for (size_t i = 0; i < c.left.size(); ++i)
            EXPECT_EQ(valueIn(text, int(i), "Title"), c.left[i]);
    }
}

TEST_F(SetupTest, DeletingTheOnlyEntryLeavesANewCategoryStored) {
    open(section(0, {{"Title", "Only"}, {"Search Mode", "Log Mode"}}));
    control<QPushButton>("Btn_Setup_Delete")->click();
    EXPECT_EQ(listed(), (std::vector<std::string>{"New Category"}));
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), -1);
    const std::string text = file();
    EXPECT_EQ(sectionCount(text), 1);
    EXPECT_EQ(valueIn(text, 0, "Title"), "New Category");
    EXPECT_EQ(valueIn(text, 0, "Search Mode"), "Text Mode");
    EXPECT_EQ(valueIn(text, 0, "Directory"), dir.path());
}

TEST_F(SetupTest, WithNothingSelectedSetAndDeleteDoNothingAndNewWorks) {
    openTitled({"e0", "e1"});
    control<QPushButton>("Btn_Setup_Delete")->click(); // the first: nothing selected afterwards
    ASSERT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), -1);
    const std::string before = file();
    type(control<vb::TextField>("Property_Title"), "typed");
    control<QPushButton>("Btn_Setup_Set")->click();
    control<QPushButton>("Btn_Setup_Delete")->click();
    EXPECT_EQ(file(), before);
    EXPECT_EQ(listed(), (std::vector<std::string>{"e1"}));
    control<QPushButton>("Btn_Setup_New")->click();
    EXPECT_EQ(listed(), (std::vector<std::string>{"e1", "New Category"}));
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 1);
    EXPECT_EQ(valueIn(file(), 0, "Title"), "e1");
    EXPECT_EQ(valueIn(file(), 1, "Title"), "New Category");
    EXPECT_TRUE(errors().empty());
}

// A category whose Title is present but empty is not listed; every position
// still names its own entry.
TEST_F(SetupTest, AnEntryWithAnEmptyTitleNeverTakesAnotherEntrysPlace) {
    open(section(0, {{"Title", "A"}}) + section(1, {{"Title", ""}, {"File Name1", "EMP"}}) +
         section(2, {{"Title", "C"}, {"File Name1", "CCC"}}));
    ASSERT_EQ(listed(), (std::vector<std::string>{"A", "C"}));
    pick(1);
    EXPECT_EQ(control<vb::TextField>("Property_FileName1")->bytes(), "CCC");

    type(control<vb::TextField>("Property_Title"), "C2");
    control<QPushButton>("Btn_Setup_Set")->click();
    EXPECT_EQ(valueIn(file(), 1, "Title"), "");
    EXPECT_EQ(valueIn(file(), 1, "File Name1"), "EMP");
    EXPECT_EQ(valueIn(file(), 2, "Title"), "C2");
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 1);
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "C2");

    control<QPushButton>("Btn_Setup_New")->click(); // the first free place is 3
    EXPECT_EQ(valueIn(file(), 1, "File Name1"), "EMP");
    EXPECT_EQ(valueIn(file(), 2, "Title"), "C2");
    EXPECT_EQ(valueIn(file(), 3, "Title"), "New Category");
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "New Category");

    pick(1);
    control<QPushButton>("Btn_Setup_Delete")->click();
    EXPECT_EQ(valueIn(file(), 1, "File Name1"), "EMP");
    EXPECT_EQ(valueIn(file(), 2, "Title"), "New Category");
    EXPECT_EQ(sectionCount(file()), 3);
    EXPECT_EQ(listed(), (std::vector<std::string>{"A", "New Category"}));
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "A");
}

TEST_F(SetupTest, ASettingsFileThatCannotBeWrittenIsReportedAndShownAsItIs) {
    struct Case {
        const char *command;
        const char *button;
    } cases[] = {{"Set", "Btn_Setup_Set"}, {"New", "Btn_Setup_New"}, {"Delete", "Btn_Setup_Delete"}};
    for (const Case &c : cases) {
        dialogs->log.clear();
        ::chmod(ini().c_str(), 0644);
        openTitled({"A", "B"});
        pick(1);
        type(control<vb::TextField>("Property_Title"), "edited");
        control<QCheckBox>("Property_DefaultLoad")->click();
        const std::string before = file();
        ::chmod(ini().c_str(), 0444);
        control<QAbstractButton>(c.button)->click();
        EXPECT_EQ(errors(), (std::vector<Bytes>{vb::fsToBytes(ini()) + cp(u8" に書き込めません. (Permission denied)")}))
            << c.command;
        EXPECT_EQ(file(), before) << c.command;
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(listed(), (std::vector<std::string>{"A", "B"})) << c.command;
        EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 1) << c.command;
        EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "B") << c.command;
        EXPECT_EQ(settings->DefaultCategory, "") << c.command;
    }
}

// Another program writes the settings file while the window is open; the
// window's Set, New and Delete keep what it wrote, and ask before they
// overwrite the very entry it changed.
TEST_F(SetupTest, ChangesAnotherProgramMadeMeanwhileAreKept) {
    using Table = vb::CategoryTable;
    const std::string msgs = dir.file("msgs/");
    auto addC = [this](Table &t) {
        const int n = vb::liveEntries(t);
        t[n] = vb::newCategoryTemplate(vb::fsToBytes(dir.path()));
        t[n][vb::kSlotTitle] = "C";
        t[n][vb::kSlotDirectory] = "/c/";
    };
    auto changeA = [](Table &t) { t[0][vb::kSlotDirectory] = "/theirs/"; };
    auto changeB = [](Table &t) { t[1][vb::kSlotDirectory] = "/theirs/"; };
    auto removeA = [](Table &t) {
        t[0] = t[1];
        t[1].clear();
    };
    auto removeB = [](Table &t) { t[1].clear(); };
    auto removeBAddC = [&](Table &t) {
        removeB(t);
        addC(t);
    };
    const char *set = "Btn_Setup_Set", *add = "Btn_Setup_New", *del = "Btn_Setup_Delete";
    const std::string mine = "B edited|/mine/";
    const struct {
        const char *what;
        std::function<void(Table &)> outside;
        const char *button;
        std::deque<bool> answers;        // one per question expected
        std::vector<std::string> stored; // "Title|Directory" of each section, in order
    } cases[] = {
        {"another category added, Set", addC, set, {}, {"A|" + msgs, mine, "C|/c/"}},
        {"another entry changed, Set", changeA, set, {}, {"A|/theirs/", mine}},
        {"another entry removed, Set", removeA, set, {}, {mine}},
        {"another category added, New", addC, add, {}, {"A|" + msgs, mine, "C|/c/", "New Category|" + dir.path()}},
        {"another category added, Delete", addC, del, {}, {"A|" + msgs, "C|/c/"}},
        {"this entry changed, overwritten", changeB, set, {true}, {"A|" + msgs, mine}},
        {"this entry changed, theirs kept", changeB, set, {false}, {"A|" + msgs, "B|/theirs/"}},
        {"this entry removed, stored again", removeBAddC, set, {true}, {"A|" + msgs, "C|/c/", mine}},
        {"this entry removed, left out", removeB, set, {false}, {"A|" + msgs}},
        {"this entry changed, deleted all the same", changeB, del, {true}, {"A|" + msgs}},
        {"this entry changed, not deleted", changeB, del, {false}, {"A|" + msgs, "B|/theirs/"}},
        {"this entry removed, Delete", removeBAddC, del, {}, {"A|" + msgs, "C|/c/"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dialogs->log.clear();
        openTitled({"A", "B"});
        pick(1);
        type(control<vb::TextField>("Property_Title"), "B edited");
        type(control<vb::TextField>("Property_Directory"), "/mine/");
        {
            // The other program: another Velbrook on the same file.
            vb::Settings other(vb::fsToBytes(ini()));
            other.CategoryData_Read();
            other.CategoryData_Clean();
            other.changeCategories([&](vb::CategoryTable &table) {
                c.outside(table);
                return true;
            });
        }
        dialogs->answers = c.answers;
        control<QAbstractButton>(c.button)->click();
        EXPECT_TRUE(errors().empty()) << errors().front();
        EXPECT_EQ(dialogs->questions().size(), c.answers.size());
        const std::string text = file();
        std::vector<std::string> stored, titles;
        for (int i = 0; i < sectionCount(text); ++i) {
            stored.push_back(valueIn(text, i, "Title") + "|" + valueIn(text, i, "Directory"));
            titles.push_back(valueIn(text, i, "Title"));
        }
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(listed(), titles) << "the window lists what the file holds";
    }
}

TEST_F(SetupTest, SetRefusesTextsTheSettingsFileCannotHold) {
    ::mkdir(dir.file("msgs/two\nlines").c_str(), 0755);
    const struct {
        const char *what;
        std::function<void()> enter;
        std::string shown; // the error, utf-8
    } cases[] = {
        {"a folder picked whose name holds a line end",
         [this] {
             control<vb::DirChooser>("DLB")->setDirectory(vb::fsToBytes(dir.file("msgs/two\nlines")));
             control<QPushButton>("Btn_Property_Directory")->click();
         },
         "Directory " + dir.file("msgs/two\nlines/") + " は設定ファイルに保存できません (改行を含んでいます)."},
        {"a folder typed with a blank at its end",
         [this] { type(control<vb::TextField>("Property_Directory"), "/data/x "); },
         "Directory /data/x  は設定ファイルに保存できません (先頭か末尾に空白があります)."},
        {"a folder typed in quotes", [this] { type(control<vb::TextField>("Property_Directory"), "'/data/x'"); },
         "Directory '/data/x' は設定ファイルに保存できません (引用符で囲まれています)."},
        {"a title holding a line end",
         [this] { control<vb::TextField>("Property_Title")->setBytes("A\r\nDirectory=/etc/"); },
         "Title A\r\nDirectory=/etc/ は設定ファイルに保存できません (改行を含んでいます)."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dialogs->log.clear();
        openTitled({"A"});
        const std::string before = file();
        c.enter();
        control<QPushButton>("Btn_Setup_Set")->click();
        EXPECT_EQ(errors(), std::vector<Bytes>{cp(c.shown.c_str())});
        EXPECT_EQ(file(), before) << "nothing is stored";
    }
    ::rmdir(dir.file("msgs/two\nlines").c_str());
}
