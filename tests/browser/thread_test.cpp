// Thread view as a user works it: turned on, moved over by keys and clicks,
// collapsed and expanded, filtered, sorted, and kept across rebuilds.

#include "tests/browser/browser_fixture.h"
#include "ui/widgets/textfield.h"

#include <QAccessible>
#include <QTest>
#include <dirent.h>

using namespace vbtest;
using vb::Bytes;

namespace {

const auto num = fiveDigits;

class ThreadTest : public BrowserTest {
protected:
    // Thread view on in the settings file, as a run that left it on.
    void threadCategory(const std::string &sort = "Ascending Order") {
        category("Log Mode", sort, "\r\n[Velbrook v0.2]\r\nThreadView=1\r\n");
    }
    // 1 [2 [4], 3], 5: 1 names 2 and 3 as its replies, 2 and 4 answer by
    // back links, 3 by 1's next links alone.
    void smallThreads(const std::string &sort = "Ascending Order") {
        threadCategory(sort);
        message("KVX00001.TXT", logMessage("00001", "One", "A", "0000200003"));
        message("KVX00002.TXT", logMessage("00002", "Two", "B", "", "00001"));
        message("KVX00003.TXT", logMessage("00003", "Three", "C"));
        message("KVX00004.TXT", logMessage("00004", "Four", "D", "", "00002"));
        message("KVX00005.TXT", logMessage("00005", "Five", "E"));
        browser->DefaultRead();
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    }
    // The rows as shown: a dot per level, the number, and the row's text
    // after the title line (a collapsed thread's count).
    std::string rows() const {
        vb::TitleList *list = ui().LB_Title;
        std::string out;
        for (int r = 0; r < list->count(); ++r) {
            const int line = list->lineOfRow(r);
            const Bytes text = vb::fromUnicode(list->model()->index(r, 0).data().toString());
            out += (r ? " " : "") + std::string(list->isThreaded() ? list->rows().depth[size_t(line)] : 0, '.') +
                   text.substr(0, 5) + text.substr(list->line(r).size());
        }
        return out;
    }
    // The list as a screen reader meets it: its role (and "unnamed" when it
    // is not named Titles), then per item the
    // number its name starts with, its level and, for a message with
    // replies, + when they are shown and - when not. Anything else an item
    // says wrongly (its role, its name not the whole title line, its row)
    // shows as a mark.
    std::string readerView() const {
        vb::TitleList *list = ui().LB_Title;
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(list);
        if (!view)
            return "none";
        const std::string named = view->text(QAccessible::Name) == "Titles" ? "" : " unnamed";
        if (view->role() != QAccessible::Tree)
            return (view->role() == QAccessible::List ? "list" : "role " + std::to_string(int(view->role()))) + named;
        std::string out = "tree" + named + ":";
        for (int i = 0; i < view->childCount(); ++i) {
            QAccessibleInterface *item = view->child(i);
            const QAccessible::State s = item->state();
            const Bytes name = vb::fromUnicode(item->text(QAccessible::Name));
            const QString level = item->text(QAccessible::Description);
            out += " " + name.substr(0, 5) + "/" + level.section(QLatin1Char(' '), 1).toStdString();
            if (s.expandable)
                out += s.expanded && !s.collapsed ? "+" : s.collapsed && !s.expanded ? "-" : "?";
            else if (s.expanded || s.collapsed)
                out += "?";
            if (item->role() != QAccessible::TreeItem || name != list->line(i) ||
                !level.startsWith(QString::fromUtf8("階層 ")) || !item->tableCellInterface() ||
                item->tableCellInterface()->rowIndex() != i || view->indexOfChild(item) != i)
                out += "!";
        }
        return out;
    }
    std::string onView() { return label(ui().Lbl_Info_Title).substr(0, 5); }
    std::string selected() const {
        const int r = ui().LB_Title->selectedIndex();
        return r < 0 ? "" : ui().LB_Title->line(r).substr(0, 5);
    }
    QRect rowRect(int row) const { return ui().LB_Title->visualRect(ui().LB_Title->model()->index(row, 0)); }
    void clickRow(int row) { QTest::mouseClick(ui().LB_Title->viewport(), Qt::LeftButton, {}, rowRect(row).center()); }
    void type(Qt::Key k) { QTest::keyClick(ui().LB_Title, k); }
};

} // namespace

TEST_F(ThreadTest, TheSamplesShowAsTheirThreads) {
    threadCategory();
    const std::string samples = VELBROOK_SAMPLES_DIR "/logtext/";
    DIR *d = ::opendir(samples.c_str());
    ASSERT_NE(d, nullptr);
    while (struct dirent *e = ::readdir(d))
        if (e->d_name[0] != '.')
            message(e->d_name, get(samples + e->d_name));
    ::closedir(d);
    browser->DefaultRead();
    EXPECT_EQ(rows(), "00001 .00002 ..00004 .00003 .00005 00006 .00007 ..00009 .00008 .00010 ..00011 00012 .00013 "
                      "..00015 .00014 00016 .00017 .00018 00019 .00020 .00021 ..00023 .00022 00024 .00025 ..00027 "
                      "...00028 .00026 00029 .00030 00031 .00032 00033 .00034 ..00038 .00035 .00036 .00037 00039 "
                      ".00040");
    EXPECT_EQ(onView(), "00001");
    // Newest first, the threads turn round; their replies do not.
    ui().Btn_Sort->click();
    EXPECT_EQ(rows().substr(0, 60), "00039 .00040 00033 .00034 ..00038 .00035 .00036 .00037 00031");
    EXPECT_TRUE(errors().empty());
}

TEST_F(ThreadTest, TheMenuEntryAndCtrlTTurnItOnAndOffAndItIsRemembered) {
    category("Log Mode", "Ascending Order");
    message("KVX00001.TXT", logMessage("00001", "One", "A"));
    message("KVX00002.TXT", logMessage("00002", "Two", "B", "", "00001"));
    browser->DefaultRead();
    browser->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    ui().Btn_End->click();
    EXPECT_EQ(rows(), "00001 00002");
    QTest::keyClick(browser.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(rows(), "00001 .00002");
    EXPECT_TRUE(ui().MM_View_Thread->isChecked());
    EXPECT_EQ(selected(), "00002") << "the message on view stays selected";
    EXPECT_EQ(onView(), "00002");
    EXPECT_NE(get(dir.file("Velbrook.ini")).find("[Velbrook v0.2]\r\nThreadView=1\r\n"), std::string::npos);

    // A new run reads it back.
    browser = std::make_unique<vb::TF1>(*settings);
    browser->setHost(&host);
    browser->DefaultRead();
    EXPECT_EQ(rows(), "00001 .00002");
    ui().MM_View_Thread->trigger();
    EXPECT_EQ(rows(), "00001 00002");
    EXPECT_NE(get(dir.file("Velbrook.ini")).find("ThreadView=0\r\n"), std::string::npos);
}

TEST_F(ThreadTest, TextModeListsFlatWithTheEntryDisabled) {
    category("Text Mode", "Ascending Order", "\r\n[Velbrook v0.2]\r\nThreadView=1\r\n");
    message("a.txt", "Alpha\r\nBack :00001\r\n");
    browser->DefaultRead();
    EXPECT_FALSE(ui().MM_View_Thread->isEnabled());
    EXPECT_FALSE(ui().LB_Title->isThreaded());
    EXPECT_EQ(titles(), std::vector<std::string>{"a.txt"});
}

TEST_F(ThreadTest, KeysAndClicksWorkTheTree) {
    smallThreads();
    ASSERT_EQ(rows(), "00001 .00002 ..00004 .00003 00005");
    clickRow(1);
    EXPECT_EQ(onView(), "00002");
    type(Qt::Key_Left); // collapses 2
    EXPECT_EQ(rows(), "00001 .00002 (1) .00003 00005");
    EXPECT_EQ(onView(), "00002");
    type(Qt::Key_Left); // up to 1
    EXPECT_EQ(onView(), "00001");
    type(Qt::Key_Left); // collapses 1
    EXPECT_EQ(rows(), "00001 (3) 00005");
    type(Qt::Key_Asterisk); // the whole thread opens
    EXPECT_EQ(rows(), "00001 .00002 ..00004 .00003 00005");
    type(Qt::Key_Right); // down to 2
    EXPECT_EQ(onView(), "00002");
    type(Qt::Key_Down);
    type(Qt::Key_Down);
    EXPECT_EQ(onView(), "00003");
    // A click on 1's expander closes it and leaves the message shown.
    const QRect first = rowRect(0);
    QTest::mouseClick(ui().LB_Title->viewport(), Qt::LeftButton, {}, QPoint(first.left() + 7, first.center().y()));
    EXPECT_EQ(rows(), "00001 (3) 00005");
    EXPECT_EQ(onView(), "00003");
    clickRow(0);
    type(Qt::Key_Right);
    EXPECT_EQ(rows(), "00001 .00002 ..00004 .00003 00005");
    EXPECT_TRUE(errors().empty());
}

TEST_F(ThreadTest, MovesCountShownRowsAndLinksOpenTheirThread) {
    smallThreads();
    clickRow(1);
    type(Qt::Key_Left); // 2 collapsed
    clickRow(0);
    type(Qt::Key_Left); // 1 collapsed
    ASSERT_EQ(rows(), "00001 (3) 00005");
    ui().Btn_Back->click();
    EXPECT_EQ(onView(), "00005");
    ui().Btn_Next->click();
    EXPECT_EQ(onView(), "00001");
    ui().Btn_End->click();
    EXPECT_EQ(onView(), "00005");
    clickRow(0);
    ui().MM_View_Res_NextK[1]->trigger(); // 1's second link: 3, in the closed thread
    EXPECT_EQ(onView(), "00003");
    EXPECT_EQ(selected(), "00003");
    EXPECT_EQ(rows(), "00001 .00002 (1) .00003 00005") << "only the ancestors open";
    ui().Btn_Next->click(); // the row above in tree order
    EXPECT_EQ(onView(), "00002");
    ui().Btn_Res_Back->click();
    EXPECT_EQ(onView(), "00001");
}

TEST_F(ThreadTest, TheFilterKeepsAncestorsGreyed) {
    smallThreads();
    QTest::keyClick(browser.get(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClicks(ui().Edt_TitleFilter, "Four");
    EXPECT_EQ(rows(), "00001 .00002 ..00004");
    const QAbstractItemModel *m = ui().LB_Title->model();
    EXPECT_TRUE(m->index(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_TRUE(m->index(1, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(m->index(2, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(vb::fromUnicode(ui().Pnl_FLBCount->text()), "Total Message : 5 (3 shown)");
    ui().Btn_End->click();
    EXPECT_EQ(onView(), "00004");
    QTest::keyClick(ui().Edt_TitleFilter, Qt::Key_Escape);
    EXPECT_EQ(rows(), "00001 .00002 ..00004 .00003 00005");
    EXPECT_EQ(selected(), "00004");
}

TEST_F(ThreadTest, SortDeleteAndNewKeepTheTreeAndTheSelection) {
    smallThreads();
    clickRow(3); // 3
    ui().Btn_Sort->click();
    EXPECT_EQ(rows(), "00005 00001 .00002 ..00004 .00003");
    EXPECT_EQ(selected(), "00003");
    EXPECT_EQ(onView(), "00003");

    clickRow(2); // 2: its reply 4 becomes a root, the row above is selected
    dialogs->answers.push_back(true);
    ui().MM_File_Delete->trigger();
    EXPECT_EQ(rows(), "00005 00004 00001 .00003");
    EXPECT_EQ(selected(), "00004");

    ui().MM_File_New->trigger();
    EXPECT_EQ(rows(), "00006 00005 00004 00001 .00003");
    EXPECT_EQ(selected(), "00006");
    EXPECT_TRUE(errors().empty());
}

TEST_F(ThreadTest, ScreenReadersMeetTheThreadsAsATree) {
    smallThreads();
    clickRow(1); // 2
    const struct {
        std::vector<Qt::Key> keys;
        std::string seen;
    } steps[] = {
        {{}, "tree: 00001/1+ 00002/2+ 00004/3 00003/2 00005/1"},
        {{Qt::Key_Left}, "tree: 00001/1+ 00002/2- 00003/2 00005/1"},
        {{Qt::Key_Left, Qt::Key_Left}, "tree: 00001/1- 00005/1"}, // up to 1, which closes
        {{Qt::Key_Right}, "tree: 00001/1+ 00002/2- 00003/2 00005/1"},
        {{Qt::Key_Asterisk}, "tree: 00001/1+ 00002/2+ 00004/3 00003/2 00005/1"},
    };
    for (const auto &step : steps) {
        for (Qt::Key k : step.keys)
            type(k);
        EXPECT_EQ(readerView(), step.seen) << "after " << step.keys.size() << " keys";
    }
    // Flat, the list is Qt's own list again; threaded, the tree again.
    QTest::keyClick(browser.get(), Qt::Key_T, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(readerView(), "list");
    QTest::keyClick(browser.get(), Qt::Key_T, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(readerView(), "tree: 00001/1+ 00002/2+ 00004/3 00003/2 00005/1");
    EXPECT_TRUE(errors().empty());
}

TEST_F(ThreadTest, ACollapsedThreadStaysCollapsedWhenTheListIsBuiltAgain) {
    smallThreads();
    clickRow(1);
    type(Qt::Key_Left); // 2 collapsed
    ASSERT_EQ(rows(), "00001 .00002 (1) .00003 00005");
    ui().Btn_Sort->click();
    EXPECT_EQ(rows(), "00005 00001 .00002 (1) .00003");
    ui().MM_File_New->trigger();
    EXPECT_EQ(rows(), "00006 00005 00001 .00002 (1) .00003");
    clickRow(4); // 3
    dialogs->answers.push_back(true);
    ui().MM_File_Delete->trigger();
    EXPECT_EQ(rows(), "00006 00005 00001 .00002 (1)");
    // Off and on again.
    ui().MM_View_Thread->trigger();
    ui().MM_View_Thread->trigger();
    EXPECT_EQ(rows(), "00006 00005 00001 .00002 (1)");
    EXPECT_TRUE(errors().empty());
}
