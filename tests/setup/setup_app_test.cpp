// The setup window inside the program: reached from the browser's Setup
// button, left through Close back into the browser.

#include "app/app.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/shared_window.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/setup/setup_fixture.h"

#include <QListWidget>

using namespace vbtest;
using vb::Bytes;

namespace {

class SetupInAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        dialogs = vb::installScriptedDialogs();
        ::mkdir(dir.file("logtext").c_str(), 0755);
    }
    void TearDown() override { vbtest::endApplication(app); }
    std::string ini() const { return dir.file("Velbrook.ini"); }
    // Starts the program on the settings file and goes from the title
    // screen through the browser into the setup window.
    void startInSetup(const std::string &content) {
        putFile(ini(), content);
        app = std::make_unique<vb::Application>(ini());
        app->start();
        app->F0->Btn_Title_View->click();
        ASSERT_TRUE(app->F1->isVisible());
        vb::BrowserProbe(*app->F1).Btn_Setup->click();
        ASSERT_TRUE(app->F2->isVisible());
        ASSERT_FALSE(app->F1->isVisible());
    }
    void pick(int position) {
        QTest::keyClick(vbtest::control<vb::ComboList>(*app->F2, "CB_Setup"), Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(vbtest::control<vb::ComboList>(*app->F2, "CB_Setup"), Qt::Key_Down);
    }
    std::string categories(std::initializer_list<const char *> titles) {
        std::string content;
        int i = 0;
        for (const char *t : titles) {
            const std::string folder = dir.file(std::string("c") + std::to_string(i) + "/");
            ::mkdir(folder.c_str(), 0755);
            content += section(i++, {{"Title", t}, {"Directory", folder}});
        }
        return content;
    }

    TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

} // namespace

TEST_F(SetupInAppTest, DefaultLoadOnTheFourthEntryThenCloseOpensTheBrowserThere) {
    startInSetup(categories({"A", "B", "C", "D"}));
    EXPECT_EQ(vbtest::control<vb::ComboList>(*app->F2, "CB_Setup")->selectedIndex(), 0)
        << "the window opens on the first entry";
    pick(3);
    vbtest::control<QCheckBox>(*app->F2, "Property_DefaultLoad")->click();
    vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Set")->click();
    vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Close")->click();
    EXPECT_FALSE(app->F2->isVisible());
    ASSERT_TRUE(app->F1->isVisible());
    EXPECT_EQ(vb::BrowserProbe(*app->F1).CBox_Category->selectedIndex(), 3);
    EXPECT_EQ(app->F1->CurrentCategory[vb::kSlotTitle], "D");
    EXPECT_TRUE(dialogs->errors().empty());
}

TEST_F(SetupInAppTest, RenamingTheDefaultMovesTheMarkOnlyWhileItIsTicked) {
    struct Case {
        bool untick;
        const char *defaultAfter;
        int browserOpensOn;
    } cases[] = {{false, "B2", 1}, {true, "B", 0}};
    for (const Case &c : cases) {
        startInSetup(categories({"A", "B", "C"}) + "[Velbrook v0.2]\r\nDefaultCategory=B\r\n");
        pick(1);
        ASSERT_TRUE(vbtest::control<QCheckBox>(*app->F2, "Property_DefaultLoad")->isChecked());
        if (c.untick)
            vbtest::control<QCheckBox>(*app->F2, "Property_DefaultLoad")->click();
        type(vbtest::control<vb::TextField>(*app->F2, "Property_Title"), "B2");
        vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Set")->click();
        EXPECT_EQ(valueIn(getFile(ini()), 1, "Title"), "B2");
        EXPECT_NE(getFile(ini()).find(std::string("DefaultCategory=") + c.defaultAfter + "\r\n"), std::string::npos);
        vbtest::control<QPushButton>(*app->F2, "Btn_Setup_Close")->click();
        EXPECT_EQ(vb::BrowserProbe(*app->F1).CBox_Category->selectedIndex(), c.browserOpensOn) << c.untick;
        TearDown();
        SetUp();
    }
}

// A user adds a category for a folder of their own through the directory
// chooser, sets it to Log Mode and as the default, and finds the browser on
// that folder.
TEST_F(SetupInAppTest, ANewCategoryForAFolderOfTheUsersOwn) {
    const std::string mine = dir.file("mine/");
    ::mkdir(mine.c_str(), 0755);
    putFile(mine + "ABC00001.TXT", "00001\r\nTitle:Hello\r\nName :Me\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\n"
                                   "Back :\r\n\r\n\r\nBody\r\n");
    startInSetup(categories({"A"}));
    vb::TF2 &w = *app->F2;
    vbtest::control<QPushButton>(w, "Btn_Setup_New")->click();
    type(vbtest::control<vb::TextField>(w, "Property_Title"), "Mine");
    // The new category starts in the program's folder, which holds mine.
    QListWidget *list = vbtest::control<vb::DirChooser>(w, "DLB")->list();
    const QList<QListWidgetItem *> item = list->findItems(QStringLiteral("mine"), Qt::MatchExactly);
    ASSERT_EQ(item.size(), 1);
    list->setCurrentItem(item[0]);
    QTest::keyClick(list, Qt::Key_Return);
    vbtest::control<QPushButton>(w, "Btn_Property_Directory")->click();
    type(vbtest::control<vb::TextField>(w, "Property_FileName1"), "ABC");
    vbtest::control<QRadioButton>(w, "Property_RB_Search_Log")->click();
    vbtest::control<QCheckBox>(w, "Property_DefaultLoad")->click();
    vbtest::control<QPushButton>(w, "Btn_Setup_Set")->click();
    vbtest::control<QPushButton>(w, "Btn_Setup_Close")->click();

    ASSERT_TRUE(app->F1->isVisible());
    EXPECT_EQ(vb::BrowserProbe(*app->F1).CBox_Category->selectedIndex(), 1);
    EXPECT_EQ(app->F1->CurrentCategory[vb::kSlotDirectory], mine);
    ASSERT_EQ(vb::BrowserProbe(*app->F1).LB_Title->count(), 1);
    EXPECT_NE(vb::BrowserProbe(*app->F1).LB_Title->line(0).find("Hello"), std::string::npos);
    EXPECT_TRUE(dialogs->errors().empty());
}
