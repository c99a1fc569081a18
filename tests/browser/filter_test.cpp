// The title filter as a user works it: typed into, moved over, cleared.

#include "tests/browser/browser_fixture.h"
#include "ui/widgets/textfield.h"

#include <QTest>
#include <QToolButton>

using namespace vbtest;
using vb::Bytes;

namespace {

const auto num = fiveDigits;

// Every fifth title mentions rain, message 10's in full-width letters;
// message 5 links on to message 7.
std::string title(int i) {
    if (i == 10)
        return "\x82\x71\x82\x81\x82\x89\x82\x8e day"; // Ｒａｉｎ day
    return i % 5 == 0 ? "Rain " + std::to_string(i) : "Sun " + std::to_string(i);
}

class FilterTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        category("Log Mode", "Ascending Order");
        for (int i = 0; i < 20; ++i)
            message("KVX" + num(i) + ".TXT", logMessage(num(i), title(i), "N", i == 5 ? num(7) : ""));
        browser->DefaultRead();
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    }
    vb::TextField *field() const { return ui().Edt_TitleFilter; }
    // Ctrl+L, then the text typed.
    void filter(const char *text) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), field());
        QTest::keyClicks(field(), text);
    }
    std::vector<std::string> shownNumbers() const {
        std::vector<std::string> out;
        for (int i = 0; i < ui().LB_Title->count(); ++i)
            out.push_back(ui().LB_Title->line(i).substr(0, 5));
        return out;
    }
    std::string onView() { return label(ui().Lbl_Info_Title).substr(0, 5); }
    std::string count() const { return vb::fromUnicode(ui().Pnl_FLBCount->text()); }
    void view(int row) {
        ui().LB_Title->setSelectedIndex(row);
        browser->TextLoad();
    }
};

using Numbers = std::vector<std::string>;

} // namespace

TEST_F(FilterTest, TypingNarrowsTheTitlesAndEscapeBringsThemBack) {
    EXPECT_EQ(count(), "Total Message : 20 ");
    filter("RAIN");
    EXPECT_EQ(shownNumbers(), (Numbers{num(0), num(5), num(10), num(15)})) << "case and width folded";
    EXPECT_EQ(count(), "Total Message : 20 (4 shown)");
    ui().Btn_Sort->click();
    EXPECT_EQ(shownNumbers(), (Numbers{num(15), num(10), num(5), num(0)})) << "a list built again stays filtered";
    EXPECT_EQ(count(), "Total Message : 20 (4 shown)");
    QTest::keyClicks(field(), "x");
    EXPECT_TRUE(shownNumbers().empty());
    EXPECT_EQ(count(), "Total Message : 20 (0 shown)");
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(ui().LB_Title->count(), 20);
    EXPECT_EQ(count(), "Total Message : 20 ");
    // Over some text the field shows a clear button, which does what Escape does.
    filter("RAIN");
    const QList<QToolButton *> buttons = field()->findChildren<QToolButton *>();
    ASSERT_EQ(buttons.size(), 1);
    ASSERT_TRUE(buttons[0]->isVisible());
    EXPECT_EQ(buttons[0]->accessibleName(), QStringLiteral("Clear Filter"));
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(count(), "Total Message : 20 ");
}

TEST_F(FilterTest, MovesCountTheShownLines) {
    filter("rain"); // rows: 0, 5, 10, 15
    const struct {
        const char *button;
        int from;
        std::string shows;
    } cases[] = {
        {"Btn_Back", 1, num(10)},    {"Btn_Next", 1, num(0)},    {"Btn_End", 1, num(15)},  {"Btn_Top", 2, num(0)},
        {"Btn_Back100", 0, num(15)}, {"Btn_Next100", 3, num(0)}, {"Btn_Back", 3, num(15)},
    };
    for (const auto &c : cases) {
        view(c.from);
        browser->findChild<vb::FlatButton *>(c.button)->click();
        EXPECT_EQ(onView(), c.shows) << c.button << " from row " << c.from;
    }
}

TEST_F(FilterTest, ClearingTheFilterKeepsTheMessageOnViewSelected) {
    filter("rain");
    view(2);
    EXPECT_EQ(onView(), num(10));
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 10);
    // A message filtered out is selected again when the filter goes.
    view(7);
    filter("rain");
    EXPECT_EQ(ui().LB_Title->selectedIndex(), -1);
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 7);
}

TEST_F(FilterTest, ALinkOrJumpToAFilteredOutTitleClearsTheFilterFirst) {
    filter("rain");
    view(1);
    EXPECT_EQ(onView(), num(5));
    EXPECT_EQ(ui().MM_View_Res_NextK[0]->caption(), "01 : Sun 7 / N") << "the hidden title is still named";
    ui().Btn_Res_Next->click();
    EXPECT_EQ(onView(), num(7));
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 7);
    EXPECT_EQ(count(), "Total Message : 20 ");

    filter("rain");
    dialogs->texts = {"12"};
    ui().MM_View_GoToNumber->trigger();
    EXPECT_EQ(onView(), num(12));
    EXPECT_EQ(ui().LB_Title->selectedIndex(), 12);
    EXPECT_TRUE(errors().empty());
}
