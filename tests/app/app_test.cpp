// The program from start-up: title screen, entering and leaving the browser,
// the stored window geometry, the options panel and bad settings files.

#include "app/app.h"
#include "app/controller.h"
#include "app/options_panel.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "browser/find_panel.h"
#include "editing/shared_window.h"
#include "settings/categories.h"
#include "setup/setup_window.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/epath.h"
#include "ui/widgets/hints.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using vb::Bytes;

namespace {

using vbtest::getFile;
using vbtest::putFile;
const auto &put = putFile;
const auto &get = getFile;

// The value of key in the file's text, or "<missing>".
std::string value(const std::string &ini, const std::string &key) {
    const size_t p = ini.find("\r\n" + key + "=");
    if (p == std::string::npos)
        return "<missing>";
    const size_t start = p + key.size() + 3;
    return ini.substr(start, ini.find("\r\n", start) - start);
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        dialogs = vb::installScriptedDialogs();
        ::mkdir(dir.file("logtext").c_str(), 0755);
    }
    void TearDown() override { vbtest::endApplication(app); }
    void start() {
        app = std::make_unique<vb::Application>(ini());
        app->start();
    }
    std::string ini() const { return dir.file("Velbrook.ini"); }
    // Runs the event loop with action as its first event; returns the exit
    // code, or -1 when the loop was still running after five seconds.
    static int runUntilExit(std::function<void()> action) {
        QTimer::singleShot(0, action);
        QTimer::singleShot(5000, [] { QCoreApplication::exit(-1); });
        return QApplication::exec();
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
    // The outer width below which some control of the browser would not be whole.
    static int leastFrameWidth(vb::TF1 &b) {
        return vb::BrowserProbe(b).Pnl_Main->minimumWidth() + b.frameGeometry().width() - b.width();
    }

    vbtest::TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

} // namespace

TEST_F(AppTest, StartsOnTheTitleScreenWithoutReadingSettings) {
    const std::string stored = "[Velbrook v0.2]\r\nFastClose=1\r\nShowHint=0\r\nPosition_FormWidth=900\r\n";
    put(ini(), stored);
    start();
    // Nothing of the file is in force before View.
    EXPECT_FALSE(app->options->CB_FastClose->isChecked());
    EXPECT_TRUE(vb::hintsShown(app->F1.get()));
    EXPECT_EQ(get(ini()), stored);
    EXPECT_TRUE(app->F0->isVisible());
    EXPECT_FALSE(app->F0->Image_Title->pixmap().isNull());
    EXPECT_FALSE(app->F1->isVisible());
    EXPECT_EQ(app->F0->size(), QSize(352, 152));
    EXPECT_EQ(app->F0->geometry().center(), screen().center());
    EXPECT_EQ(app->F1->windowTitle(), QStringLiteral("Velbrook v0.2"));
    EXPECT_EQ(app->F2->windowTitle(), QStringLiteral("Velbrook v0.2 Setup"));
}

TEST_F(AppTest, QuitEndsTheProgramAndWritesNothing) {
    start();
    EXPECT_EQ(runUntilExit([&] { app->F0->Btn_Title_Quit->click(); }), 0);
    struct stat st;
    EXPECT_NE(::stat(ini().c_str(), &st), 0) << "Quit writes nothing";
}

TEST_F(AppTest, ScreenNumbersPrepareTheirWindows) {
    start();
    app->F->FormStyle_Set(vb::kHeaderEditor);
    EXPECT_EQ(app->F3->windowTitle(), QStringLiteral("Velbrook Header Edit"));
    EXPECT_EQ(app->F3->size(), QSize(500, 315));
    EXPECT_TRUE(vbtest::control<QWidget>(*app->F3, QStringLiteral("Pnl_HeaderEdit"))->isVisibleTo(app->F3.get()));
    EXPECT_FALSE(vbtest::control<QWidget>(*app->F3, QStringLiteral("Pnl_Option"))->isVisibleTo(app->F3.get()));
    app->F->FormStyle_Set(vb::kApplicationOptions);
    EXPECT_EQ(app->F3->windowTitle(), QStringLiteral("Velbrook Application Setup"));
    EXPECT_EQ(app->F3->size(), QSize(170, 80));
    EXPECT_FALSE(vbtest::control<QWidget>(*app->F3, QStringLiteral("Pnl_HeaderEdit"))->isVisibleTo(app->F3.get()));
    app->F->FormStyle_Set(vb::kCategorySetup);
    EXPECT_EQ(app->F2->size(), QSize(632, 365));
    // Other numbers change nothing, and no window is shown or hidden by any.
    const QRect before = app->F3->geometry();
    app->F->FormStyle_Set(5);
    app->F->FormStyle_Set(-1);
    EXPECT_EQ(app->F3->geometry(), before);
    EXPECT_EQ(app->F3->windowTitle(), QStringLiteral("Velbrook Application Setup"));
    EXPECT_FALSE(app->F2->isVisible());
    EXPECT_FALSE(app->F3->isVisible());
    EXPECT_TRUE(app->F0->isVisible());
}

TEST_F(AppTest, FirstViewWritesTheBuiltInCategoryAndCentresTheBrowser) {
    start();
    app->F0->Btn_Title_ViewClick();
    EXPECT_FALSE(app->F0->isVisible());
    ASSERT_TRUE(app->F1->isVisible());
    const std::string text = get(ini());
    ASSERT_EQ(text.rfind("[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\n", 0), 0u);
    size_t keys = 0;
    for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2)
        ++keys;
    EXPECT_EQ(keys, 24u); // header + 23 keys
    EXPECT_EQ(value(text, "Directory"), dir.file("logtext/"));
    EXPECT_EQ(app->F1->frameGeometry().size(), QSize(std::max(640, leastFrameWidth(*app->F1)), 450));
    EXPECT_EQ(app->F1->frameGeometry().center(), screen().center());
    // The stored width, or the least that keeps the count caption whole.
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_Thread->width(),
              std::max(185, vb::BrowserProbe(*app->F1).Pnl_Thread->minimumWidth()));
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_TitleList->height(), 300);
    EXPECT_EQ(vb::BrowserProbe(*app->F1).CBox_Category->line(0), "Tavik.bellmoor's Site < Merrowgate >");
    EXPECT_TRUE(vb::hintsShown(app->F1.get()));
}

TEST_F(AppTest, CloseStoresTheGeometryAndTheNextViewRestoresIt) {
    start();
    app->F0->Btn_Title_ViewClick();
    app->F1->move(30, 40);
    app->F1->resize(700, 520);
    vb::BrowserProbe(*app->F1).Splitter->setSizes({220, 480});
    vb::BrowserProbe(*app->F1).Splitter1->setSizes({150, 200});
    const QSize client = app->F1->centralWidget()->size();
    const int titleHeight = vb::BrowserProbe(*app->F1).Pnl_TitleList->height();
    app->F1->Btn_CloseClick();
    EXPECT_FALSE(app->F1->isVisible());
    EXPECT_TRUE(app->F0->isVisible());
    EXPECT_FALSE(app->F0->Image_Title->pixmap().isNull()); // its picture back with it

    const std::string text = get(ini());
    EXPECT_EQ(value(text, "Position_FormLeft"), "30");
    EXPECT_EQ(value(text, "Position_FormTop"), "40");
    EXPECT_EQ(value(text, "Position_FormWidth"), std::to_string(client.width()));
    EXPECT_EQ(value(text, "Position_FormHeight"), std::to_string(client.height()));
    EXPECT_EQ(value(text, "Position_Splitter1"), "220");
    EXPECT_EQ(value(text, "Position_Splitter2"), std::to_string(titleHeight));
    EXPECT_EQ(value(text, "DefaultCategory"), "Tavik.bellmoor's Site < Merrowgate >");

    app->F0->Btn_Title_ViewClick();
    EXPECT_EQ(app->F1->pos(), QPoint(30, 40));
    EXPECT_EQ(app->F1->centralWidget()->size(), client);
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_Thread->width(), 220);
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_TitleList->height(), titleHeight);
}

TEST_F(AppTest, StoredPositionsThatAddUpToMinus2000AreCentred) {
    put(ini(), "[Velbrook v0.2]\r\nPosition_FormLeft=-500\r\nPosition_FormTop=-1500\r\n"
               "Position_FormWidth=700\r\nPosition_FormHeight=500\r\nPosition_Splitter1=150\r\n"
               "Position_Splitter2=120\r\n");
    start();
    app->F0->Btn_Title_ViewClick();
    EXPECT_EQ(app->F1->frameGeometry().size(), QSize(700, 500));
    EXPECT_EQ(app->F1->frameGeometry().center(), screen().center());
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_Thread->width(),
              std::max(150, vb::BrowserProbe(*app->F1).Pnl_Thread->minimumWidth()));
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_TitleList->height(), 120);
}

TEST_F(AppTest, GeometryThatIsNotANumberUsesTheDefaults) {
    put(ini(), "[Velbrook v0.2]\r\nPosition_FormLeft=left\r\nPosition_FormTop=1e3\r\n"
               "Position_FormWidth=wide\r\nPosition_FormHeight=\r\nPosition_Splitter1=x\r\n");
    start();
    app->F0->Btn_Title_ViewClick();
    ASSERT_TRUE(app->F1->isVisible());
    EXPECT_EQ(app->F1->frameGeometry().size(), QSize(std::max(640, leastFrameWidth(*app->F1)), 450));
    EXPECT_EQ(vb::BrowserProbe(*app->F1).Pnl_Thread->width(),
              std::max(185, vb::BrowserProbe(*app->F1).Pnl_Thread->minimumWidth()));
    EXPECT_TRUE(dialogs->errors().empty());
}

TEST_F(AppTest, UnusableGeometryStillGivesAWindowOnTheScreen) {
    put(ini(), "[Velbrook v0.2]\r\nPosition_FormLeft=50000\r\nPosition_FormTop=40000\r\n"
               "Position_FormWidth=0\r\nPosition_FormHeight=-5\r\nPosition_Splitter1=9999\r\n");
    start();
    app->F0->Btn_Title_ViewClick();
    ASSERT_TRUE(app->F1->isVisible());
    EXPECT_TRUE(screen().intersects(app->F1->frameGeometry()));
    EXPECT_GE(app->F1->centralWidget()->width(), 160);
    EXPECT_GE(app->F1->centralWidget()->height(), 120);
    EXPECT_LT(vb::BrowserProbe(*app->F1).Pnl_Thread->width(), app->F1->centralWidget()->width());
}

TEST_F(AppTest, FastShutOutEndsTheProgramOnClose) {
    start();
    app->F0->Btn_Title_ViewClick();
    app->F1->MM_Option_ApplicationSetupClick();
    EXPECT_FALSE(app->F1->isVisible());
    ASSERT_TRUE(app->F3->isVisible());
    EXPECT_EQ(app->F3->windowTitle(), QStringLiteral("Velbrook Application Setup"));
    EXPECT_EQ(app->F3->size(), QSize(170, 80));
    EXPECT_FALSE(app->options->CB_FastClose->isChecked());
    EXPECT_TRUE(app->options->CB_ShowHint->isChecked());

    app->options->CB_FastClose->setChecked(true);
    app->options->Btn_Option_OKClick();
    EXPECT_TRUE(app->F1->isVisible());
    EXPECT_FALSE(app->F3->isVisible());
    EXPECT_EQ(value(get(ini()), "FastClose"), "1");
    EXPECT_EQ(value(get(ini()), "ShowHint"), "1");

    EXPECT_EQ(runUntilExit([&] { vb::BrowserProbe(*app->F1).Btn_Close->click(); }), 0) << "the event loop ends";
    EXPECT_FALSE(app->F1->isVisible());
    EXPECT_EQ(value(get(ini()), "Position_FormLeft"), std::to_string(app->F1->x()));
}

TEST_F(AppTest, FastShutOutEndsTheProgramOnControlW) {
    put(ini(), "[Velbrook v0.2]\r\nFastClose=0x1\r\n");
    start();
    app->F0->Btn_Title_View->click();
    ASSERT_TRUE(app->F1->isVisible());
    app->F1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app->F1.get()));
    EXPECT_EQ(runUntilExit([&] { QTest::keyClick(app->F1.get(), Qt::Key_W, Qt::ControlModifier); }), 0);
}

TEST_F(AppTest, ACancelledOptionStillRulesTheNextClose) {
    put(ini(), "[Velbrook v0.2]\r\nFastClose=1\r\n");
    start();
    app->F0->Btn_Title_ViewClick();
    EXPECT_TRUE(app->options->CB_FastClose->isChecked());
    app->F1->MM_Option_ApplicationSetupClick();
    const std::string before = get(ini());
    app->options->CB_FastClose->setChecked(false);
    app->options->Btn_Option_CancelClick();
    EXPECT_EQ(get(ini()), before);
    vb::BrowserProbe(*app->F1).Btn_Close->click();
    EXPECT_TRUE(app->F0->isVisible()) << "back on the title screen";
    // View reloads the stored option; the following Close ends the program.
    app->F0->Btn_Title_View->click();
    EXPECT_EQ(runUntilExit([&] { vb::BrowserProbe(*app->F1).Btn_Close->click(); }), 0);
}

namespace {
// Whether hovering w shows its hint, as the tool-tip event would.
bool showsHint(QWidget *w) {
    QToolTip::hideText();
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i)
        QTest::qWait(10);
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &event);
    return QToolTip::isVisible() && QToolTip::text() == w->toolTip();
}
} // namespace

TEST_F(AppTest, ShowHintSwitchesTheThreeWindowsTogether) {
    start();
    app->F0->Btn_Title_View->click();
    QWidget *browserHint = app->F1->findChild<QWidget *>("CBox_Category");
    ASSERT_TRUE(browserHint && !browserHint->toolTip().isEmpty());
    EXPECT_TRUE(showsHint(browserHint));
    vb::BrowserProbe(*app->F1).MM_Option_ApplicationSetup->trigger();
    EXPECT_TRUE(showsHint(app->options->CB_FastClose));
    app->options->CB_ShowHint->click();
    app->options->Btn_Option_OK->click();
    EXPECT_EQ(value(get(ini()), "ShowHint"), "0");
    EXPECT_FALSE(showsHint(browserHint));
    vb::BrowserProbe(*app->F1).MM_Option_ApplicationSetup->trigger();
    EXPECT_FALSE(showsHint(app->options->CB_FastClose));
    for (QWidget *w : std::initializer_list<QWidget *>{app->F1.get(), app->F2.get(), app->F3.get()})
        EXPECT_FALSE(vb::hintsShown(w));
}

TEST_F(AppTest, HintsStoredOffAreOffFromTheFirstView) {
    put(ini(), "[Velbrook v0.2]\r\nShowHint=0\r\n");
    start();
    app->F0->Btn_Title_View->click();
    EXPECT_FALSE(showsHint(app->F1->findChild<QWidget *>("CBox_Category")));
    EXPECT_FALSE(vb::hintsShown(app->F2.get()));
    EXPECT_FALSE(vb::hintsShown(app->F3.get()));
}

TEST_F(AppTest, SetupStoresTheGeometryAndItsCloseReturnsToTheBrowser) {
    start();
    app->F0->Btn_Title_ViewClick();
    app->F1->move(12, 34);
    app->F1->Btn_SetupClick();
    EXPECT_FALSE(app->F1->isVisible());
    ASSERT_TRUE(app->F2->isVisible());
    EXPECT_EQ(app->F2->size(), QSize(632, 365));
    EXPECT_EQ(value(get(ini()), "Position_FormLeft"), "12");
    app->F2->Btn_Setup_CloseClick();
    EXPECT_FALSE(app->F2->isVisible());
    EXPECT_TRUE(app->F1->isVisible());
    EXPECT_EQ(app->F1->pos(), QPoint(12, 34));
}

TEST_F(AppTest, ASettingsFileThatCannotBeWrittenIsReportedAndAWindowStays) {
    ::mkdir(ini().c_str(), 0755); // a folder where the file should be
    start();
    app->F0->Btn_Title_View->click();
    ASSERT_EQ(dialogs->errors().size(), 1u);
    EXPECT_EQ(dialogs->errors()[0], vb::fsToBytes(ini()) + vb::cp(" に書き込めません. (Is a directory)"));
    EXPECT_TRUE(app->F0->isVisible()) << "the title screen comes back";
    EXPECT_FALSE(app->F1->isVisible());
}

TEST_F(AppTest, ASettingsFileThatTurnsUnwritableStillLetsTheUserLeave) {
    start();
    app->F0->Btn_Title_View->click();
    ASSERT_TRUE(app->F1->isVisible());
    const auto makeUnwritable = [&] {
        std::remove(ini().c_str());
        ::mkdir(ini().c_str(), 0755);
    };
    makeUnwritable();
    vb::BrowserProbe(*app->F1).Btn_Close->click();
    ASSERT_EQ(dialogs->errors().size(), 1u);
    EXPECT_EQ(dialogs->errors()[0], vb::fsToBytes(ini()) + vb::cp(" に書き込めません. (Is a directory)"));
    EXPECT_FALSE(app->F1->isVisible());
    EXPECT_TRUE(app->F0->isVisible());

    ::rmdir(ini().c_str());
    app->F0->Btn_Title_View->click();
    ASSERT_TRUE(app->F1->isVisible());
    makeUnwritable();
    vb::BrowserProbe(*app->F1).Btn_Setup->click();
    // The geometry is not stored, nor is the table the setup window reads.
    for (const Bytes &e : dialogs->errors())
        EXPECT_EQ(e, vb::fsToBytes(ini()) + vb::cp(" に書き込めません. (Is a directory)"));
    EXPECT_FALSE(app->F1->isVisible());
    EXPECT_TRUE(app->F2->isVisible());
}

// Stored values that overflow or exceed the screen still give a window that
// fits inside the screen's available area, Close button included.
TEST_F(AppTest, HugeStoredGeometryFitsTheScreen) {
    const struct {
        const char *keys;
    } cases[] = {
        {"Position_FormLeft=$7FFFFFFF\r\nPosition_FormTop=$7FFFFFFF\r\n"},
        {"Position_FormLeft=10\r\nPosition_FormTop=10\r\nPosition_FormHeight=2147483647\r\n"},
        {"Position_FormLeft=0\r\nPosition_FormTop=0\r\nPosition_FormWidth=60000\r\nPosition_FormHeight=60000\r\n"},
        {"Position_FormLeft=20\r\nPosition_FormTop=20\r\nPosition_FormWidth=20000\r\n"},
        {"Position_FormLeft=-1000\r\nPosition_FormTop=-1000\r\nPosition_FormWidth=20000\r\n"},
        {"Position_FormLeft=-2147483648\r\nPosition_FormTop=-2147483648\r\n"},
    };
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        put(ini(), std::string("[Velbrook v0.2]\r\n") + c.keys);
        start();
        app->F0->Btn_Title_View->click();
        ASSERT_TRUE(app->F1->isVisible());
        const QRect g = app->F1->frameGeometry();
        EXPECT_TRUE(area.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height() << " in "
                                      << area.width() << "x" << area.height();
        EXPECT_TRUE(area.contains(
            vb::BrowserProbe(*app->F1).Btn_Close->mapToGlobal(vb::BrowserProbe(*app->F1).Btn_Close->rect().center())));
        EXPECT_TRUE(dialogs->errors().empty());
        TearDown();
        SetUp();
    }
}

TEST_F(AppTest, UnknownSectionsSurviveAndCategoriesAreRenumbered) {
    put(ini(), "; kept\r\n[Other]\r\nkey=value\r\n"
               "[Velbrook v0.2 - Category - 003]\r\nEnabled=Enable\r\nTitle=A\r\n"
               "[Velbrook v0.2 - Category - 010]\r\nEnabled=Enable\r\nTitle=B\r\n"
               "[Velbrook v0.2 - Category - 7]\r\nEnabled=Enable\r\nTitle=C\r\n");
    start();
    app->F0->Btn_Title_ViewClick();
    const std::string text = get(ini());
    EXPECT_EQ(text.rfind("; kept\r\n[Other]\r\nkey=value\r\n", 0), 0u);
    EXPECT_NE(text.find("[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=A\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Velbrook v0.2 - Category - 001]\r\nEnabled=Enable\r\nTitle=B\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Category - 003"), std::string::npos);
    EXPECT_EQ(text.find("Category - 010"), std::string::npos);
    EXPECT_NE(text.find("[Velbrook v0.2 - Category - 7]\r\nEnabled=Enable\r\nTitle=C\r\n"), std::string::npos);
    EXPECT_EQ(vb::BrowserProbe(*app->F1).CBox_Category->count(), 2);
}

TEST_F(AppTest, EveryWindowCarriesTheProgramIconAndTheDesktopKnowsItsName) {
    start();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("velbrook"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("velbrook")) << "the window class";
    // The icon is the one built in, whatever the icon theme.
    const QIcon program = QApplication::windowIcon();
    EXPECT_EQ(program.availableSizes(), (QList<QSize>{{48, 48}, {128, 128}}));
    EXPECT_FALSE(program.pixmap(48, 48).isNull());
    for (QWidget *w : std::initializer_list<QWidget *>{app->F0.get(), app->F1.get(), app->F2.get(), app->F3.get()}) {
        SCOPED_TRACE(w->windowTitle().toStdString());
        EXPECT_EQ(w->windowIcon().cacheKey(), program.cacheKey());
    }
}

TEST_F(AppTest, AFolderGivenAtStartOpensTheBrowserOnItAndStoresNothingOfIt) {
    const std::string other = dir.file("other/");
    ::mkdir(other.c_str(), 0755);
    for (int i = 1; i <= 3; ++i)
        put(other + "KVX0000" + std::to_string(i) + ".TXT",
            "0000" + std::to_string(i) +
                "\r\nTitle:T\r\nName :N\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\nb\r\n");
    app = std::make_unique<vb::Application>(ini());
    app->start(other);
    EXPECT_FALSE(app->F0->isVisible()) << "no title screen first";
    ASSERT_TRUE(app->F1->isVisible());
    vb::BrowserProbe ui(*app->F1);
    EXPECT_EQ(ui.Pnl_FLBCount->text().trimmed(), QStringLiteral("Total Message : 3"));
    EXPECT_EQ(ui.CBox_Category->line(0), "Tavik.bellmoor's Site < Merrowgate >");
    EXPECT_EQ(app->F1->CurrentCategory[vb::kSlotDirectory], other);
    EXPECT_EQ(value(get(ini()), "Directory"), dir.file("logtext/")) << "the category's own folder stays stored";

    // The folder is the entry's only: the category taken again lists its own.
    app->F1->CategoryBox_ListChange();
    EXPECT_EQ(ui.Pnl_FLBCount->text().trimmed(), QStringLiteral("Total Message : 0"));
}

// Stored pane sizes from a wider or narrower window, or from another font:
// whatever they say, every control of the browser is whole and none lies
// over another, and what is stored on Close is what was shown.
TEST_F(AppTest, StoredPaneSizesNeverMakeAControlOverlapAnother) {
    for (int i = 1; i <= 40; ++i) {
        const std::string number = std::string(i < 10 ? "0000" : "000") + std::to_string(i);
        put(dir.file("logtext/") + "KVX" + number + ".TXT",
            number + "\r\nTitle:T" + std::to_string(i) +
                "\r\nName :N\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\nb\r\n");
    }
    const struct {
        const char *name;
        int width, height, splitter1, splitter2;
    } cases[] = {
        {"the defaults", 640, 450, 185, 300},
        {"a left pane wider than the window", 640, 450, 9999, 300},
        {"a left pane narrower than the count", 640, 450, 20, 300},
        {"a window narrower than the buttons", 300, 450, 185, 300},
        {"a title list taller than the pane", 640, 450, 185, 9999},
        {"no title list", 640, 250, 185, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        put(ini(), "[Velbrook v0.2]\r\nPosition_FormLeft=10\r\nPosition_FormTop=10\r\nPosition_FormWidth=" +
                       std::to_string(c.width) + "\r\nPosition_FormHeight=" + std::to_string(c.height) +
                       "\r\nPosition_Splitter1=" + std::to_string(c.splitter1) +
                       "\r\nPosition_Splitter2=" + std::to_string(c.splitter2) + "\r\n");
        start();
        app->F0->Btn_Title_ViewClick();
        vb::TF1 &b = *app->F1;
        vb::BrowserProbe ui(b);
        QTest::keyClicks(ui.Edt_TitleFilter, "T1"); // "(11 shown)" joins the count
        QCoreApplication::processEvents();
        const auto rect = [&](QWidget *w) { return QRect(w->mapTo(&b, QPoint(0, 0)), w->size()); };
        const QRect client = rect(b.centralWidget());

        // The count caption is whole.
        const QFontMetrics count(ui.Pnl_FLBCount->font());
        EXPECT_LE(count.horizontalAdvance(ui.Pnl_FLBCount->text()) + 2 * ui.Pnl_FLBCount->frameWidth(),
                  ui.Pnl_FLBCount->contentsRect().width() + 2 * ui.Pnl_FLBCount->frameWidth())
            << ui.Pnl_FLBCount->text().toStdString();
        // The panes side by side inside the window, the right one holding the
        // button bar, the header panel and some text in that order.
        EXPECT_TRUE(client.contains(rect(ui.Pnl_Thread)));
        EXPECT_TRUE(client.contains(rect(ui.Pnl_Message)));
        EXPECT_LE(rect(ui.Pnl_Thread).right(), rect(ui.Pnl_Message).left());
        EXPECT_TRUE(rect(ui.Pnl_Message).contains(rect(ui.Pnl_Header)));
        EXPECT_LE(rect(ui.Pnl_Control).bottom(), rect(ui.Pnl_Header).top());
        EXPECT_LE(rect(ui.Pnl_Header).bottom(), rect(ui.Memo_log).top());
        EXPECT_GT(ui.Memo_log->height(), 0);
        // Every button whole, inside the bar, and clear of the others.
        const QList<vb::FlatButton *> buttons = ui.Pnl_Control->findChildren<vb::FlatButton *>();
        for (vb::FlatButton *button : buttons) {
            SCOPED_TRACE(button->text().toStdString());
            EXPECT_GE(button->width(), button->sizeHint().width());
            EXPECT_TRUE(rect(ui.Pnl_Message).contains(rect(button)));
            for (vb::FlatButton *other : buttons)
                EXPECT_TRUE(other == button || !rect(other).intersects(rect(button))) << other->text().toStdString();
        }
        // The title list and the folder chooser, one above the other.
        EXPECT_GT(ui.LB_Title->height(), 0);
        EXPECT_LE(rect(ui.Pnl_TitleList).bottom(), rect(ui.Pnl_Dir).top());
        EXPECT_TRUE(rect(ui.Pnl_Thread).contains(rect(ui.Pnl_Dir)));

        const int shownLeft = ui.Pnl_Thread->width(), shownTitles = ui.Pnl_TitleList->height();
        b.Btn_CloseClick();
        EXPECT_EQ(value(get(ini()), "Position_Splitter1"), std::to_string(shownLeft)) << "stored as shown";
        EXPECT_EQ(value(get(ini()), "Position_Splitter2"), std::to_string(shownTitles));
        vbtest::endApplication(app);
    }
}

TEST_F(AppTest, TheFindBoxShowsEightResultRowsAtTheDefaultSize) {
    start();
    app->F0->Btn_Title_ViewClick();
    vb::BrowserProbe ui(*app->F1);
    ui.MM_Edit_Find->trigger();
    QCoreApplication::processEvents();
    QListWidget *results = vbtest::control<QListWidget>(*ui.Pnl_Find, QStringLiteral("LB_FindResults"));
    for (int i = 0; i < 20; ++i)
        results->addItem(QStringLiteral("result %1").arg(i));
    ASSERT_TRUE(results->isVisible());
    EXPECT_GE(results->viewport()->height(), 8 * results->sizeHintForRow(0));
    EXPECT_TRUE(QRect(QPoint(0, 0), ui.Pnl_Thread->size())
                    .contains(QRect(results->mapTo(ui.Pnl_Thread, QPoint(0, 0)), results->size())));
}
