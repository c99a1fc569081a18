// Every button, menu entry and key of the browser reaches the command it is
// bound to: each is pressed, triggered or typed as a user would, and the
// command is recognised by what it does on the screen.

#include "tests/browser/browser_fixture.h"
#include "ui/widgets/help_windows.h"
#include "ui/widgets/textfield.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>

using namespace vbtest;

namespace {

std::string num(int i) {
    char b[16];
    std::snprintf(b, sizeof b, "%05d", i);
    return b;
}

// Message 50 links back to 40 and on to 60 … 69.
std::string links() {
    std::string next;
    for (int k = 0; k < 10; ++k)
        next += num(60 + k);
    return next;
}

class BindingTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        category("Log Mode", "Ascending Order");
        for (int i = 0; i < 150; ++i)
            message("KVX" + num(i) + ".TXT",
                    logMessage(num(i), "T" + std::to_string(i), "N", i == 50 ? links() : "", i == 50 ? num(40) : ""));
        browser->DefaultRead();
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
    }
    // Shows message 50, as a click on its title does.
    void startAt50() {
        ui().LB_Title->setSelectedIndex(50);
        browser->TextLoad();
        host.calls.clear();
        dialogs->log.clear();
    }
    // The number of the message on view.
    std::string onView() { return label(ui().Lbl_Info_Title).substr(0, 5); }
    void key(QKeySequence keys) {
        const QKeyCombination k = keys[0];
        QTest::keyClick(browser.get(), k.key(), k.keyboardModifiers());
    }
};

struct Control {
    const char *name;
    std::function<void(vb::TF1 &)> press;
};

// Picks one control of the browser.
template <typename T>
using Pick = T *(*)(vb::BrowserProbe);

Control button(const char *name, Pick<vb::FlatButton> pick) {
    return {name, [pick](vb::TF1 &b) { pick(vb::BrowserProbe(b))->click(); }};
}
Control entry(const char *name, Pick<vb::MenuEntry> pick) {
    return {name, [pick](vb::TF1 &b) { pick(vb::BrowserProbe(b))->trigger(); }};
}
Control nextEntry(const char *name, int k) {
    return {name, [k](vb::TF1 &b) { vb::BrowserProbe(b).MM_View_Res_NextK[size_t(k - 1)]->trigger(); }};
}

} // namespace

TEST_F(BindingTest, MovesAndLinksByButtonMenuAndKey) {
    const struct {
        Control control;
        QKeySequence key; // empty: no key of its own
        std::string shows;
    } cases[] = {
        {button("Top", [](vb::BrowserProbe p) { return p.Btn_Top; }), QKeySequence(Qt::CTRL | Qt::Key_Home), num(0)},
        {entry("View > Top", [](vb::BrowserProbe p) { return p.MM_View_Top; }), {}, num(0)},
        {button("End", [](vb::BrowserProbe p) { return p.Btn_End; }), QKeySequence(Qt::CTRL | Qt::Key_End), num(149)},
        {entry("View > End", [](vb::BrowserProbe p) { return p.MM_View_End; }), {}, num(149)},
        {button("+1", [](vb::BrowserProbe p) { return p.Btn_Next; }), QKeySequence(Qt::ALT | Qt::Key_Up), num(49)},
        {entry("View > Next ( + 1 )", [](vb::BrowserProbe p) { return p.MM_View_Next1; }), {}, num(49)},
        {button("-1", [](vb::BrowserProbe p) { return p.Btn_Back; }), QKeySequence(Qt::ALT | Qt::Key_Down), num(51)},
        {entry("View > Back ( - 1 )", [](vb::BrowserProbe p) { return p.MM_View_Back1; }), {}, num(51)},
        {button("+100", [](vb::BrowserProbe p) { return p.Btn_Next100; }), QKeySequence(Qt::ALT | Qt::Key_PageUp),
         num(0)},
        {entry("View > Next ( + 100 )", [](vb::BrowserProbe p) { return p.MM_View_Next100; }), {}, num(0)},
        {button("-100", [](vb::BrowserProbe p) { return p.Btn_Back100; }), QKeySequence(Qt::ALT | Qt::Key_PageDown),
         num(149)},
        {entry("View > Back ( + 100 )", [](vb::BrowserProbe p) { return p.MM_View_Back100; }), {}, num(149)},
        {button("Back", [](vb::BrowserProbe p) { return p.Btn_Res_Back; }), QKeySequence(Qt::CTRL | Qt::Key_Left),
         num(40)},
        {entry("Res Message > Back", [](vb::BrowserProbe p) { return p.MM_View_Res_Back; }), {}, num(40)},
        {button("Next", [](vb::BrowserProbe p) { return p.Btn_Res_Next; }), QKeySequence(Qt::CTRL | Qt::Key_Right),
         num(60)},
        {nextEntry("Res Message > 01", 1), {}, num(60)},
        {nextEntry("Res Message > 02", 2), QKeySequence(Qt::CTRL | Qt::Key_2), num(61)},
        {nextEntry("Res Message > 05", 5), QKeySequence(Qt::CTRL | Qt::Key_5), num(64)},
        {nextEntry("Res Message > 09", 9), QKeySequence(Qt::CTRL | Qt::Key_9), num(68)},
        {nextEntry("Res Message > 10", 10), QKeySequence(Qt::CTRL | Qt::Key_0), num(69)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control.name);
        startAt50();
        c.control.press(*browser);
        EXPECT_EQ(onView(), c.shows) << "pressed";
        if (!c.key.isEmpty()) {
            startAt50();
            key(c.key);
            EXPECT_EQ(onView(), c.shows) << "typed " << c.key.toString().toStdString();
        }
    }
    EXPECT_TRUE(errors().empty());
}

TEST_F(BindingTest, TogglesByButtonAndMenu) {
    const struct {
        Control control;
        Pick<vb::FlatButton> button;
        const char *caption;
    } cases[] = {
        {button("Fixed/Variable", [](vb::BrowserProbe p) { return p.Btn_Font; }),
         [](vb::BrowserProbe p) { return p.Btn_Font; }, "Variable"},
        {entry("Font > Fixed", [](vb::BrowserProbe p) { return p.MM_Option_Font_Fixed; }),
         [](vb::BrowserProbe p) { return p.Btn_Font; }, "Fixed"},
        {entry("Font > Variable", [](vb::BrowserProbe p) { return p.MM_Option_Font_Variable; }),
         [](vb::BrowserProbe p) { return p.Btn_Font; }, "Variable"},
        {button("Descending/Ascending", [](vb::BrowserProbe p) { return p.Btn_Sort; }),
         [](vb::BrowserProbe p) { return p.Btn_Sort; }, "Descending"},
        {entry("Sort > Descending Order", [](vb::BrowserProbe p) { return p.MM_Option_Sort_Descending; }),
         [](vb::BrowserProbe p) { return p.Btn_Sort; }, "Descending"},
        {entry("Sort > Ascending Order", [](vb::BrowserProbe p) { return p.MM_Option_Sort_Ascending; }),
         [](vb::BrowserProbe p) { return p.Btn_Sort; }, "Ascending"},
        {button("File/Text", [](vb::BrowserProbe p) { return p.Btn_Title; }),
         [](vb::BrowserProbe p) { return p.Btn_Title; }, "Text"},
        {entry("Title Text > Text Line", [](vb::BrowserProbe p) { return p.MM_Option_Title_Text; }),
         [](vb::BrowserProbe p) { return p.Btn_Title; }, "Text"},
        {entry("Title Text > File Name", [](vb::BrowserProbe p) { return p.MM_Option_Title_File; }),
         [](vb::BrowserProbe p) { return p.Btn_Title; }, "File"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control.name);
        ui().Btn_Default->click(); // Fixed, Ascending, File
        ASSERT_EQ(ui().Btn_Sort->caption(), "Ascending");
        c.control.press(*browser);
        EXPECT_EQ(c.button(ui())->caption(), c.caption);
    }
}

TEST_F(BindingTest, LeavingByButtonMenuAndKey) {
    const struct {
        Control control;
        QKeySequence key;
        std::string last; // the last thing asked of the program
    } cases[] = {
        {button("Close", [](vb::BrowserProbe p) { return p.Btn_Close; }), QKeySequence(Qt::CTRL | Qt::Key_W),
         "showTitleScreen"},
        {entry("File > Close", [](vb::BrowserProbe p) { return p.MM_File_Close; }), {}, "showTitleScreen"},
        {button("Setup", [](vb::BrowserProbe p) { return p.Btn_Setup; }), {}, "enterSetup"},
        {entry("Option > Category Setup", [](vb::BrowserProbe p) { return p.MM_Option_Setup; }), {}, "enterSetup"},
        {entry("Option > Application Setup", [](vb::BrowserProbe p) { return p.MM_Option_ApplicationSetup; }),
         {},
         "enterApplicationSetup"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control.name);
        for (bool typed : {false, true}) {
            if (typed && c.key.isEmpty())
                continue;
            browser->DefaultRead();
            browser->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(browser.get()));
            host.calls.clear();
            if (typed)
                key(c.key);
            else
                c.control.press(*browser);
            ASSERT_FALSE(host.calls.empty());
            EXPECT_EQ(host.calls.back(), c.last);
            EXPECT_FALSE(browser->isVisible());
        }
    }
    ui().MM_Help_Version->trigger();
    ASSERT_EQ(dialogs->log.size(), 1u);
    EXPECT_EQ(dialogs->log[0].text.rfind("Velbrook v0.2 Build 2 / ", 0), 0u);
}

TEST_F(BindingTest, EditingCommandsByButtonMenuAndKey) {
    // What each command is recognised by.
    const auto editable = [this] { return !ui().Memo_log->isReadOnly(); };
    const auto asked = [this](const char *q) {
        return [this, q] { return dialogs->questions() == std::vector<vb::Bytes>{q}; };
    };
    const auto saveDialog = [this] { return dialogs->saveRequests.size() == 1; };
    const auto created = [this] { return browser->messageOnView().Current.FileName == "KVX00150.TXT"; };
    const struct {
        Control control;
        QKeySequence key;
        bool inEditMode; // pressed in edit mode
        std::function<bool()> happened;
    } cases[] = {
        {button("Edit", [](vb::BrowserProbe p) { return p.Btn_Edit; }), QKeySequence(Qt::CTRL | Qt::Key_E), false,
         editable},
        {entry("Edit > Edit", [](vb::BrowserProbe p) { return p.MM_Edit_Edit; }), {}, false, editable},
        {button("Save", [](vb::BrowserProbe p) { return p.Btn_Save; }), QKeySequence(Qt::CTRL | Qt::Key_S), true,
         asked("File Update OK?")},
        {entry("File > Save", [](vb::BrowserProbe p) { return p.MM_File_Save; }), {}, true, asked("File Update OK?")},
        {entry("File > Save As", [](vb::BrowserProbe p) { return p.MM_File_SaveAs; }),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), true, saveDialog},
        {entry("File > Delete", [](vb::BrowserProbe p) { return p.MM_File_Delete; }),
         {},
         false,
         asked("Now Viewing Message Delete OK?")},
        {entry("File > New", [](vb::BrowserProbe p) { return p.MM_File_New; }), QKeySequence(Qt::CTRL | Qt::Key_N),
         false, created},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control.name);
        for (bool typed : {false, true}) {
            if (typed && c.key.isEmpty())
                continue;
            startAt50();
            dialogs->saveRequests.clear();
            dialogs->answers = {false, false};
            if (c.inEditMode)
                ui().Btn_Edit->click();
            if (typed)
                key(c.key);
            else
                c.control.press(*browser);
            EXPECT_TRUE(c.happened()) << (typed ? "typed" : "pressed");
            std::remove((msgDir() + "KVX00150.TXT").c_str());
            browser->DefaultRead();
        }
    }
}

TEST_F(BindingTest, ThreadViewByMenuAndKey) {
    const struct {
        const char *name;
        std::function<void()> press;
    } cases[] = {{"View > Thread View", [this] { ui().MM_View_Thread->trigger(); }},
                 {"Ctrl+T", [this] { key(QKeySequence(Qt::CTRL | Qt::Key_T)); }}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(ui().LB_Title->isThreaded());
        c.press();
        EXPECT_TRUE(ui().LB_Title->isThreaded());
        EXPECT_EQ(ui().LB_Title->rows().depth[50], 1) << "message 50 answers 40";
        c.press();
        EXPECT_FALSE(ui().LB_Title->isThreaded());
    }
}

// Undo … Select All work on the text with the focus (the message text when
// the focus is elsewhere) and are enabled only as that text allows: outside
// edit mode only Copy and Select All.
TEST_F(BindingTest, TextCommandsFollowWhatTheTextAllows) {
    const char *names[] = {"MM_Edit_Undo", "MM_Edit_Redo",  "MM_Edit_Cut",
                           "MM_Edit_Copy", "MM_Edit_Paste", "MM_Edit_SelectAll"};
    const auto entry = [this](const char *name) { return browser->findChild<QAction *>(QString::fromLatin1(name)); };
    // Which entries are enabled, as "1" or "0" in the order above.
    const auto enabled = [&] {
        std::string s;
        for (const char *name : names)
            s += entry(name)->isEnabled() ? '1' : '0';
        return s;
    };
    QPlainTextEdit *memo = ui().Memo_log;
    QClipboard *clipboard = QApplication::clipboard();
    startAt50();
    ui().LB_Title->setFocus();
    clipboard->setText(QStringLiteral("pasted"));
    const QString text = memo->toPlainText();

    const struct {
        const char *step;
        std::function<void()> act;
        const char *enabledAfter;
        std::function<bool()> happened;
    } steps[] = {
        {"read-only, nothing selected", [] {}, "000001", [] { return true; }},
        {"Select All (Ctrl+A) on the message text", [&] { key(QKeySequence::SelectAll); }, "000101",
         [&] { return memo->textCursor().selectedText().size() == text.size(); }},
        {"Copy from the menu", [&] { entry("MM_Edit_Copy")->trigger(); }, "000101",
         [&] { return clipboard->text() == text; }},
        {"Cut and Paste do nothing on read-only text",
         [&] {
             clipboard->setText(QStringLiteral("pasted"));
             key(QKeySequence::Cut);
             key(QKeySequence::Paste);
         },
         "000101", [&] { return memo->toPlainText() == text && clipboard->text() == "pasted"; }},
        {"Edit opens the text: Paste replaces the selection",
         [&] {
             ui().Btn_Edit->click();
             entry("MM_Edit_SelectAll")->trigger();
             entry("MM_Edit_Paste")->trigger();
         },
         "100011", [&] { return memo->toPlainText() == "pasted"; }},
        {"Undo", [&] { entry("MM_Edit_Undo")->trigger(); }, "010011", [&] { return memo->toPlainText() == text; }},
        {"Redo", [&] { entry("MM_Edit_Redo")->trigger(); }, "100011", [&] { return memo->toPlainText() == "pasted"; }},
        {"Select All and Cut from the menu",
         [&] {
             entry("MM_Edit_SelectAll")->trigger();
             entry("MM_Edit_Cut")->trigger();
         },
         "100010", [&] { return memo->toPlainText().isEmpty() && clipboard->text() == "pasted"; }},
        {"Paste goes to the filter field when it has the focus",
         [&] {
             clipboard->setText(QStringLiteral("T1"));
             ui().Edt_TitleFilter->setFocus();
             entry("MM_Edit_Paste")->trigger();
         },
         "100011", [&] { return ui().Edt_TitleFilter->text() == "T1" && memo->toPlainText().isEmpty(); }},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_TRUE(s.happened());
        EXPECT_EQ(enabled(), s.enabledAfter);
    }
    browser->forgetEdits();
}

TEST_F(BindingTest, KeyboardShortcutsListsEveryBoundKeyFromTheMenus) {
    // A key bound anywhere in the menus appears in the list without more ado.
    auto *added = new QAction(QStringLiteral("Added Command"), ui().MM_View);
    added->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    ui().MM_View->addAction(added);
    key(QKeySequence(Qt::Key_F1));
    auto *window = browser->findChild<vb::ShortcutsWindow *>();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(window->windowTitle().left(13), QStringLiteral("Velbrook v0.2"));
    QTableWidget *table = window->Tbl_Shortcuts;
    std::map<QString, QStringList> commandsOfKey;
    for (int r = 0; r < table->rowCount(); ++r)
        commandsOfKey[table->item(r, 0)->text()] << table->item(r, 1)->text() + " | " + table->item(r, 2)->text();
    // Every action of the window bound to a key is there under that key.
    int bound = 0;
    for (QAction *a : browser->findChildren<QAction *>()) {
        if (a->shortcut().isEmpty())
            continue;
        ++bound;
        const QString keys = a->shortcut().toString(QKeySequence::NativeText);
        const QStringList &rows = commandsOfKey[keys];
        EXPECT_TRUE(
            std::any_of(rows.begin(), rows.end(),
                        [&](const QString &row) { return row.contains(" > " + QString(a->text()).remove('&')); }))
            << keys.toStdString() << " " << a->text().toStdString();
    }
    EXPECT_GE(bound, 30);
    const struct {
        QKeySequence key;
        const char *row;
    } known[] = {
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), "View > Added Command | "},
        {QKeySequence(Qt::CTRL | Qt::Key_2), "View > Res Message > 02 : | 下位関連発言 02"},
        {QKeySequence(Qt::Key_F3), "Edit > Find Next | 次の検索結果"},
        {QKeySequence(Qt::Key_F5), "View > Reload | 一覧と表示中のメッセージを読み直す"},
        {QKeySequence(Qt::Key_Escape), " | 検索を中止"},
    };
    for (const auto &k : known) {
        SCOPED_TRACE(k.row);
        EXPECT_TRUE(commandsOfKey[k.key.toString(QKeySequence::NativeText)].contains(QString::fromUtf8(k.row)));
    }
    EXPECT_FALSE(table->accessibleName().isEmpty());
    window->Btn_Close->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(BindingTest, AboutNamesTheVersionLicenceQtAndSettingsFile) {
    browser->findChild<QAction *>(QStringLiteral("MM_Help_About"))->trigger();
    auto *about = browser->findChild<vb::AboutWindow *>();
    ASSERT_TRUE(about && about->isVisible());
    const std::string text = about->Lbl_About->text().toStdString();
    for (const std::string &part : {std::string("Velbrook 0.2\n"), std::string("MIT licence"),
                                    std::string("Qt ") + qVersion(), "Settings file: " + dir.file("Velbrook.ini")})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    EXPECT_EQ(about->windowTitle().left(13), QStringLiteral("Velbrook v0.2"));
    EXPECT_EQ(about->Lbl_About->accessibleDescription(), about->Lbl_About->text());
    EXPECT_FALSE(about->Lbl_About->accessibleName().isEmpty());
}
