// Opening the setup window, what it shows of an entry, the mode switches,
// the pickers and the window's controls.

#include "tests/setup/setup_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

using namespace vbtest;
using vb::Bytes;
using vb::cp;

TEST_F(SetupTest, OpensOnTheFirstEntryAndRewritesTheTableWithoutGaps) {
    open("; kept\r\n" + sectionName(0) + "Enabled=Desible\r\nTitle=Off\r\n" + section(3, {{"Title", "A"}}) +
         section(10, {{"Title", "B"}}));
    EXPECT_EQ(listed(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->selectedIndex(), 0);
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "A");
    const std::string text = file();
    EXPECT_EQ(text.rfind("; kept\r\n", 0), 0u);
    EXPECT_EQ(sectionCount(text), 2);
    EXPECT_EQ(valueIn(text, 0, "Title"), "A");
    EXPECT_EQ(valueIn(text, 1, "Title"), "B");
    // Keys the file left out are written with their defaults at once.
    EXPECT_EQ(valueIn(text, 1, "Sort Style"), "Ascending Order");
    EXPECT_EQ(valueIn(text, 1, "Directory"), dir.path());
}

TEST_F(SetupTest, WithoutALiveCategoryTheBuiltInOneIsShownAndStored) {
    open("");
    ASSERT_EQ(listed(), (std::vector<std::string>{"Tavik.bellmoor's Site < Merrowgate >"}));
    EXPECT_EQ(control<vb::TextField>("Property_Directory")->bytes(), dir.path() + "logtext/");
    EXPECT_EQ(control<vb::TextField>("Property_FileName1")->bytes(), "KVX");
    EXPECT_TRUE(control<QRadioButton>("Property_RB_Search_Log")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Property_RB_TitleText_Line")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Property_Search_TXT")->isChecked()) << "\"Flase\" is off";
    EXPECT_EQ(valueIn(file(), 0, "Title"), "Tavik.bellmoor's Site < Merrowgate >");
    EXPECT_EQ(valueIn(file(), 0, "Seach File INI"), "Flase");
}

TEST_F(SetupTest, EachPairChecksItsWordAndAnyOtherValueTheOtherChoice) {
    struct Case {
        const char *key, *value;
        const char *checked;
        const char *unchecked;
    } cases[] = {
        {"Default Font", "Fixed", "Property_RB_Font_Fixed", "Property_RB_Font_Variable"},
        {"Default Font", "Variable", "Property_RB_Font_Variable", "Property_RB_Font_Fixed"},
        {"Default Font", "fixed", "Property_RB_Font_Variable", "Property_RB_Font_Fixed"},
        {"Default Font", "", "Property_RB_Font_Variable", "Property_RB_Font_Fixed"},
        {"Sort Style", "Descending Order", "Property_RB_Sort_Descending", "Property_RB_Sort_Ascending"},
        {"Sort Style", "Descending order", "Property_RB_Sort_Ascending", "Property_RB_Sort_Descending"},
        {"Search Mode", "Log Mode", "Property_RB_Search_Log", "Property_RB_Search_Text"},
        {"Search Mode", "log Mode", "Property_RB_Search_Text", "Property_RB_Search_Log"},
        {"Title Text", "Text Line", "Property_RB_TitleText_Line", "Property_RB_TitleText_File"},
        {"Title Text", "Variable", "Property_RB_TitleText_File", "Property_RB_TitleText_Line"},
    };
    // Every case in one file: the opposite first, so that each entry shown
    // must move its pair.
    std::string content;
    for (size_t i = 0; i < std::size(cases); ++i)
        content += section(int(2 * i), {{"Title", "opposite"},
                                        {"Default Font", "Variable"},
                                        {"Sort Style", "Ascending Order"},
                                        {"Search Mode", "Text Mode"},
                                        {"Title Text", "File Name"}}) +
                   section(int(2 * i + 1), {{"Title", "case"}, {cases[i].key, cases[i].value}});
    open(content);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        pick(int(2 * i));
        pick(int(2 * i + 1));
        EXPECT_TRUE(control<QAbstractButton>(c.checked)->isChecked()) << c.key << "=" << c.value;
        EXPECT_FALSE(control<QAbstractButton>(c.unchecked)->isChecked()) << c.key << "=" << c.value;
    }
}

TEST_F(SetupTest, ASwitchIsCheckedOnlyByItsOwnWord) {
    struct Case {
        const char *key, *value;
        const char *box;
        bool checked;
    } cases[] = {
        {"Information Title", "Title", "Property_Info_Title", true},
        {"Information Title", "title", "Property_Info_Title", false},
        {"Information Name", "False", "Property_Info_Name", false},
        {"Information Mail Address", "Mail Address", "Property_Info_Mail", true},
        {"Information Web Address", "Flase", "Property_Info_Web", false},
        {"Information Date", "Date", "Property_Info_Date", true},
        {"Seach File TXT", "TXT", "Property_Search_TXT", true},
        {"Seach File DOC", "", "Property_Search_DOC", false},
        {"Seach File MAN", "MAN", "Property_Search_MAN", true},
        {"Seach File GGG", "ggg", "Property_Search_GGG", false},
        {"Seach File INI", "INI", "Property_Search_INI", true},
    };
    for (const Case &c : cases) {
        // The first entry shows the switch the other way round.
        open(section(0, {{"Title", "other"}, {c.key, c.checked ? "False" : c.value}}) +
             section(1, {{"Title", "case"}, {c.key, c.value}}));
        if (!c.checked)
            control<QAbstractButton>(c.box)->setChecked(true);
        pick(1);
        EXPECT_EQ(control<QAbstractButton>(c.box)->isChecked(), c.checked) << c.key << "=" << c.value;
    }
}

TEST_F(SetupTest, LogModeEnablesTheHeaderSwitchesAndTextModeTheOthers) {
    open(section(0, {{"Title", "Log"},
                     {"Search Mode", "Log Mode"},
                     {"Information Name", "False"},
                     {"Seach File DOC", "False"},
                     {"Title Text", "Text Line"}}));
    const std::vector<QCheckBox *> info = {
        control<QCheckBox>("Property_Info_Title"), control<QCheckBox>("Property_Info_Name"),
        control<QCheckBox>("Property_Info_Mail"), control<QCheckBox>("Property_Info_Web"),
        control<QCheckBox>("Property_Info_Date")};
    const std::vector<QAbstractButton *> files = {
        control<QCheckBox>("Property_Search_TXT"),          control<QCheckBox>("Property_Search_DOC"),
        control<QCheckBox>("Property_Search_MAN"),          control<QCheckBox>("Property_Search_GGG"),
        control<QCheckBox>("Property_Search_INI"),          control<QRadioButton>("Property_RB_TitleText_Line"),
        control<QRadioButton>("Property_RB_TitleText_File")};
    auto checks = [&] {
        std::vector<bool> out;
        for (QCheckBox *b : info)
            out.push_back(b->isChecked());
        for (QAbstractButton *b : files)
            out.push_back(b->isChecked());
        return out;
    };
    auto expectEnabled = [&](bool infoEnabled, const char *when) {
        for (QCheckBox *b : info)
            EXPECT_EQ(b->isEnabled(), infoEnabled) << when << " " << b->objectName().toStdString();
        for (QAbstractButton *b : files)
            EXPECT_EQ(b->isEnabled(), !infoEnabled) << when << " " << b->objectName().toStdString();
    };
    const std::vector<bool> stored = checks();
    EXPECT_EQ(stored, (std::vector<bool>{true, false, true, true, true, true, false, true, true, true, true, false}));
    expectEnabled(true, "shown");
    control<QRadioButton>("Property_RB_Search_Text")->click();
    EXPECT_FALSE(control<QRadioButton>("Property_RB_Search_Log")->isChecked());
    expectEnabled(false, "Text Mode clicked");
    EXPECT_EQ(checks(), stored);
    control<QRadioButton>("Property_RB_Search_Log")->click();
    EXPECT_FALSE(control<QRadioButton>("Property_RB_Search_Text")->isChecked());
    expectEnabled(true, "Log Mode clicked");
    EXPECT_EQ(checks(), stored);
    // The other pairs are independent of the search mode.
    control<QRadioButton>("Property_RB_Font_Variable")->click();
    control<QRadioButton>("Property_RB_Sort_Ascending")->click();
    EXPECT_TRUE(control<QRadioButton>("Property_RB_Search_Log")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Property_RB_TitleText_Line")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Property_RB_Font_Fixed")->isChecked());
}

TEST_F(SetupTest, FontLabelsShowFaceAndSizeInTheirOwnFace) {
    struct Case {
        const char *face, *point;
        const char *caption; // utf-8
        int value;
    } cases[] = {
        {"DejaVu Sans Mono", "10", u8"DejaVu Sans Mono／10 point", 10},
        {u8"ＭＳ ゴシック", "12", u8"ＭＳ ゴシック／12 point", 12},
        {"DejaVu Sans", "abc", u8"DejaVu Sans／12 point", 12}, // not a whole number: 12
        {"DejaVu Sans", "", u8"DejaVu Sans／12 point", 12},
    };
    for (const Case &c : cases) {
        open(section(0, {{"Title", "x"}, {"Fixed Font Name", cp(c.face)}, {"Fixed Font Point", c.point}}));
        EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->font().family(), QString::fromUtf8(c.face));
        EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->points(), c.value);
        EXPECT_EQ(control<vb::FontLabel>("Property_VariableFont")->text(),
                  QString::fromUtf8(u8"ＭＳ Ｐゴシック／12 point"));
        EXPECT_TRUE(errors().empty());
    }
}

TEST_F(SetupTest, DefaultLoadIsShownOnTheDefaultCategoryOnly) {
    settings->DefaultCategory = "B";
    openTitled({"A", "B", "b", "B"});
    const bool expected[] = {false, true, false, true};
    for (int i = 0; i < 4; ++i) {
        pick(i);
        EXPECT_EQ(control<QCheckBox>("Property_DefaultLoad")->isChecked(), expected[i]) << i;
    }
}

TEST_F(SetupTest, ChoosingAnotherEntryShowsItAndDropsUnstoredEdits) {
    openTitled({"A", "B"});
    type(control<vb::TextField>("Property_Title"), "edited");
    control<QRadioButton>("Property_RB_Font_Variable")->click();
    const std::string before = file();
    pick(1);
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "B");
    pick(0);
    EXPECT_EQ(control<vb::TextField>("Property_Title")->bytes(), "A");
    EXPECT_TRUE(control<QRadioButton>("Property_RB_Font_Fixed")->isChecked());
    EXPECT_EQ(file(), before);
}

TEST_F(SetupTest, TheDirectoryPickerTakesTheChoosersDirectory) {
    ::mkdir(dir.file("msgs/logs").c_str(), 0755);
    openTitled({"A"});
    EXPECT_EQ(control<vb::DirChooser>("DLB")->directory(), dir.file("msgs"));
    // Into a subdirectory as a user enters it.
    QListWidget *list = control<vb::DirChooser>("DLB")->list();
    const QList<QListWidgetItem *> logs = list->findItems(QStringLiteral("logs"), Qt::MatchExactly);
    ASSERT_EQ(logs.size(), 1);
    list->setCurrentItem(logs[0]);
    QTest::keyClick(list, Qt::Key_Return);
    control<QPushButton>("Btn_Property_Directory")->click();
    EXPECT_EQ(control<vb::TextField>("Property_Directory")->bytes(), dir.file("msgs/logs/"));
    // The root from the drive chooser, left as it is.
    control<vb::DriveChooser>("DCB")->setDrives({"/", dir.file("msgs")});
    QTest::keyClick(control<vb::DriveChooser>("DCB"), Qt::Key_End);
    EXPECT_EQ(control<vb::DirChooser>("DLB")->directory(), dir.file("msgs"));
    QTest::keyClick(control<vb::DriveChooser>("DCB"), Qt::Key_Home);
    EXPECT_EQ(control<vb::DirChooser>("DLB")->directory(), "/");
    control<QPushButton>("Btn_Property_Directory")->click();
    EXPECT_EQ(control<vb::TextField>("Property_Directory")->bytes(), "/");
    EXPECT_EQ(valueIn(file(), 0, "Directory"), dir.file("msgs/")) << "nothing is stored until Set";
}

TEST_F(SetupTest, AMissingDirectoryShowsItsNearestParentInTheChooser) {
    struct Case {
        std::string stored, shown;
    } cases[] = {
        {dir.file("msgs/gone/deeper/"), dir.file("msgs")},
        {dir.file("msgs/"), dir.file("msgs")},
        {"/no-such-place-at-all/x/", "/"},
        {"", "/"},
    };
    for (const Case &c : cases) {
        open(section(0, {{"Title", "x"}, {"Directory", c.stored}}));
        EXPECT_EQ(control<vb::DirChooser>("DLB")->directory(), c.shown) << c.stored;
        EXPECT_EQ(control<vb::TextField>("Property_Directory")->bytes(), c.stored);
        EXPECT_EQ(control<vb::DriveChooser>("DCB")->drive(), control<vb::DriveChooser>("DCB")->drives()[0])
            << "the chooser's place is shown";
    }
}

TEST_F(SetupTest, TheFontDialogStartsFromTheBrowsersCategoryAndIsStoredOnlyBySet) {
    browserCategory[vb::kSlotFixedFontName] = "IPAGothic";
    browserCategory[vb::kSlotFixedFontPoint] = "10";
    browserCategory[vb::kSlotVariableFontName] = "IPAPGothic";
    browserCategory[vb::kSlotVariableFontPoint] = "14";
    open(section(0, {{"Title", "x"}, {"Fixed Font Name", "Shown Face"}, {"Fixed Font Point", "11"}}));
    dialogs->fonts = {{true, "DejaVu Sans Mono", 24}, {false, "", 0}, {true, "DejaVu Serif", 9}};
    const std::string before = file();

    control<QPushButton>("Btn_Property_Font_Fixed")->click();
    EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->text(), QString::fromUtf8(u8"DejaVu Sans Mono／24 point"));
    EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->font().family(), QStringLiteral("DejaVu Sans Mono"));
    control<QPushButton>("Btn_Property_Font_Variable")->click(); // cancelled
    EXPECT_EQ(control<vb::FontLabel>("Property_VariableFont")->text(),
              QString::fromUtf8(u8"ＭＳ Ｐゴシック／12 point"));
    control<QPushButton>("Btn_Property_Font_Variable")->click();
    EXPECT_EQ(control<vb::FontLabel>("Property_VariableFont")->text(), QString::fromUtf8(u8"DejaVu Serif／9 point"));

    std::vector<std::string> asked;
    for (const auto &r : dialogs->log)
        asked.push_back(r.kind + ":" + r.text);
    EXPECT_EQ(asked, (std::vector<std::string>{"font:IPAGothic/10 fixed", "font:IPAPGothic/14", "font:IPAPGothic/14"}));
    EXPECT_EQ(file(), before);
    control<QPushButton>("Btn_Setup_Set")->click();
    EXPECT_EQ(valueIn(file(), 0, "Fixed Font Name"), "DejaVu Sans Mono");
    EXPECT_EQ(valueIn(file(), 0, "Fixed Font Point"), "24");
    EXPECT_EQ(valueIn(file(), 0, "Variable Font Name"), "DejaVu Serif");
    EXPECT_EQ(valueIn(file(), 0, "Variable Font Point"), "9");
}

TEST_F(SetupTest, AFontSizeThatIsNoWholeNumberStopsThePicker) {
    browserCategory[vb::kSlotFixedFontName] = "IPAGothic";
    browserCategory[vb::kSlotFixedFontPoint] = "1O";
    open(section(0, {{"Title", "x"}}));
    dialogs->fonts = {{true, "DejaVu Sans Mono", 24}};
    const QString before = control<vb::FontLabel>("Property_FixedFont")->text();
    control<QPushButton>("Btn_Property_Font_Fixed")->click();
    EXPECT_EQ(errors(), (std::vector<Bytes>{cp(u8"'1O' は数値ではありません.")}));
    EXPECT_EQ(dialogs->fonts.size(), 1u) << "the dialog was not opened";
    EXPECT_EQ(control<vb::FontLabel>("Property_FixedFont")->text(), before);
}

TEST_F(SetupTest, TheWindowsControlsLimitsAndHints) {
    open(section(0, {{"Title", "x"}}));
    auto &w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velbrook v0.2 Setup"));
    EXPECT_EQ(control<QWidget>("Pnl_Setup")->size(), QSize(632, 365));
    EXPECT_EQ(control<QGroupBox>("Grp_Property")->size(), QSize(410, 310));
    EXPECT_EQ(control<vb::DirChooser>("DLB")->size(), QSize(208, 310));
    EXPECT_EQ(control<vb::ComboList>("CB_Setup")->width(), 300);
    EXPECT_LT(control<vb::DriveChooser>("DCB")->geometry().bottom(), control<vb::DirChooser>("DLB")->geometry().top())
        << "the drive chooser stands above";
    EXPECT_EQ(control<vb::DriveChooser>("DCB")->x(), control<vb::DirChooser>("DLB")->x());
    for (QWidget *c : control<QWidget>("Pnl_Setup")->findChildren<QWidget *>()) {
        const QRect inWindow = c->geometry().translated(c->parentWidget()->mapTo(&w, QPoint()));
        if (c->isVisibleTo(&w)) {
            EXPECT_TRUE(QRect(0, 0, 632, 365).contains(inWindow)) << c->objectName().toStdString();
        }
    }
    const std::pair<vb::TextField *, int> limits[] = {{control<vb::TextField>("Property_Title"), 255},
                                                      {control<vb::TextField>("Property_Directory"), 255},
                                                      {control<vb::TextField>("Property_FileName1"), 3},
                                                      {control<vb::TextField>("Property_FileName2"), 3}};
    for (const auto &[f, limit] : limits) {
        EXPECT_EQ(f->byteLimit(), limit) << f->objectName().toStdString();
        EXPECT_FALSE(f->accessibleName().isEmpty()) << f->objectName().toStdString();
    }
    EXPECT_EQ(control<vb::TextField>("Property_Title")->accessibleName(), QStringLiteral("Title"));
    EXPECT_EQ(control<vb::TextField>("Property_FileName2")->toolTip(),
              QString::fromUtf8(u8"拡張子3文字(デフォルトで\"TXT\"及び\"0\"補完)"));
    // Every control with a hint gives it as its accessible description too.
    int hinted = 0;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (c->toolTip().isEmpty() ||
            (c != control<vb::DirChooser>("DLB") && control<vb::DirChooser>("DLB")->isAncestorOf(c)))
            continue;
        ++hinted;
        EXPECT_EQ(c->accessibleDescription(), c->toolTip()) << c->objectName().toStdString();
    }
    EXPECT_GE(hinted, 35 + 9);
    // Three labels exist but are never shown.
    for (const char *caption : {"Information", "Search File", "Title Text"}) {
        int hidden = 0;
        for (QLabel *l : w.findChildren<QLabel *>())
            hidden += l->text() == QString::fromUtf8(caption) && !l->isVisibleTo(&w);
        EXPECT_EQ(hidden, 1) << caption;
    }
    // Four pairs in four containers of their own.
    const QRadioButton *radios[] = {
        control<QRadioButton>("Property_RB_Font_Fixed"), control<QRadioButton>("Property_RB_Sort_Descending"),
        control<QRadioButton>("Property_RB_Search_Log"), control<QRadioButton>("Property_RB_TitleText_Line")};
    const QRadioButton *partners[] = {
        control<QRadioButton>("Property_RB_Font_Variable"), control<QRadioButton>("Property_RB_Sort_Ascending"),
        control<QRadioButton>("Property_RB_Search_Text"), control<QRadioButton>("Property_RB_TitleText_File")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(radios[i]->parentWidget(), partners[i]->parentWidget());
        EXPECT_EQ(radios[i]->parentWidget()->findChildren<QRadioButton *>().size(), 2);
    }
}
