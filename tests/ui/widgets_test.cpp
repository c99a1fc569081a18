// The controls driven as a user drives them: mouse clicks, keys and focus.

#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dirchooser.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"
#include "ui/widgets/memo.h"
#include "ui/widgets/spinedit.h"
#include "ui/widgets/titlelist.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>

namespace {

struct ListFixture : ::testing::Test {
    vb::TitleList list;
    int loads = 0;
    void SetUp() override {
        {
            vb::TitleList::Batch batch(list);
            for (int i = 0; i < 5; ++i)
                list.append("line " + std::to_string(i));
        }
        QObject::connect(&list, &vb::TitleList::userSelected, [this] { ++loads; });
        list.resize(200, 300);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    QPoint lineCentre(int i) { return list.visualRect(list.model()->index(i, 0)).center(); }
    void click(int i, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, mods, lineCentre(i));
    }
};

} // namespace

TEST_F(ListFixture, EveryClickOnALineShowsItOnce) {
    click(2);
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(loads, 1);
    click(2); // the line already selected
    EXPECT_EQ(loads, 2);
    list.setSelectedIndex(0); // by the program: no handler
    EXPECT_EQ(loads, 2);
    click(0);
    EXPECT_EQ(loads, 3);
}

TEST_F(ListFixture, TheUserCannotClearTheSelection) {
    click(3);
    click(3, Qt::ControlModifier);
    EXPECT_EQ(list.selectedIndex(), 3);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 290)); // below the lines
    EXPECT_EQ(list.selectedIndex(), 3);
}

TEST_F(ListFixture, KeysMoveAndShowEachLine) {
    click(1);
    loads = 0;
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.selectedIndex(), 2);
    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(list.selectedIndex(), 4);
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(loads, 3);
}

TEST_F(ListFixture, GainingTheFocusSelectsNothing) {
    list.setSelectedIndex(-1);
    list.clearFocus();
    list.setFocus(Qt::TabFocusReason);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &in);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(loads, 0);
}

TEST(ComboList, PickingTheSelectedEntryAgainIsAChange) {
    vb::ComboList box;
    box.addLine("A");
    box.addLine("B");
    int changes = 0;
    QObject::connect(&box, &QComboBox::activated, [&] { ++changes; });
    box.setSelectedIndex(1);
    box.clear();
    EXPECT_EQ(changes, 0) << "filling and clearing by the program raise nothing";
    box.addLine("A");
    box.addLine("B");
    box.setSelectedIndex(0);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    // The user opens the list and picks the entry already shown, then the other.
    for (int pick : {0, 1}) {
        box.showPopup();
        box.view()->setCurrentIndex(box.view()->model()->index(pick, 0));
        QTest::keyClick(box.view(), Qt::Key_Return);
        EXPECT_EQ(box.selectedIndex(), pick);
    }
    EXPECT_EQ(changes, 2);
}

TEST(Hints, MenusFollowTheirWindowsSwitch) {
    QMainWindow window;
    QMenu *menu = window.menuBar()->addMenu("View");
    QMenu *sub = menu->addMenu("Res Message");
    vb::setHintsShown(&window, false);
    EXPECT_FALSE(vb::hintAllowed(menu));
    EXPECT_FALSE(vb::hintAllowed(sub));
    vb::setHintsShown(&window, true);
    EXPECT_TRUE(vb::hintAllowed(sub));
}

TEST(SpinEdit, ClampsLimitsTheTextAndReadsNonNumbersAsZero) {
    vb::SpinEdit spin(0, 99999, 5);
    const struct { int set, read; } cases[] = {{12, 12}, {-5, 0}, {123456, 99999}, {99999, 99999}};
    for (const auto &c : cases) {
        spin.setNumber(c.set);
        EXPECT_EQ(spin.number(), c.read) << c.set;
    }
    // Five characters at most, leading zeros included.
    spin.clear();
    QTest::keyClicks(&spin, "0001234");
    EXPECT_EQ(spin.text(), QStringLiteral("00012"));
    EXPECT_EQ(spin.number(), 12);
    spin.clear();
    QTest::keyClicks(&spin, "12345");
    // An emptied field reads as 0, although the box still holds its last value.
    spin.clear();
    EXPECT_EQ(spin.value(), 12345);
    EXPECT_EQ(spin.number(), 0);
}

TEST(DirChooser, ListsSubdirectoriesAndMovesLikeAUser) {
    vbtest::TempDir t;
    ::mkdir(t.file("b").c_str(), 0755);
    ::mkdir(t.file("a").c_str(), 0755);
    ::mkdir(t.file(".hidden").c_str(), 0755);
    vbtest::putFile(t.file("file.txt"), "x");
    vb::DirChooser chooser;
    int changes = 0;
    QObject::connect(&chooser, &vb::DirChooser::directoryChanged, [&] { ++changes; });
    const vb::Bytes root = vb::fsToBytes(t.path());
    chooser.setDirectory(root);
    EXPECT_EQ(chooser.directory(), root.substr(0, root.size() - 1)) << "kept without a trailing separator";
    ASSERT_EQ(chooser.list()->count(), 3); // "..", a, b
    EXPECT_EQ(chooser.list()->item(1)->text(), QStringLiteral("a"));
    chooser.setDirectory(root); // the same directory again still tells
    EXPECT_EQ(changes, 2);
    chooser.resize(200, 300);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    QListWidget *list = chooser.list();
    // A double click on "b" enters it; Enter on ".." goes back up.
    const QPoint b = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, b);
    EXPECT_EQ(changes, 2) << "a single click only selects";
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, b);
    EXPECT_EQ(chooser.directory(), vb::fsToBytes(t.file("b")));
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(chooser.directory(), root.substr(0, root.size() - 1));
    EXPECT_EQ(changes, 4);
    chooser.setDirectory("/");
    EXPECT_EQ(chooser.directory(), "/");
    EXPECT_NE(chooser.list()->item(0)->text(), QStringLiteral("..")) << "the root has no parent entry";
}

TEST(GeneralErrorReport, EveryFailureOfAHandlerBecomesAnErrorBoxAndTheProgramGoesOn) {
    const struct {
        const char *what;
        std::function<void()> fail;
        vb::Bytes box;
    } cases[] = {
        {"runtime failure", [] { vb::failIo(2); }, vb::cp(u8"I/O エラー (2).")},
        {"runtime failure with the system's reason", [] { vb::failCannotCreate("/d/a.txt", ENOSPC); },
         vb::cp(u8"ファイル /d/a.txt を作成できません. (No space left on device)")},
        {"text ending in a period", [] { throw vb::RuntimeError("done."); }, "done."},
        {"text ending in a period, with a reason", [] { throw vb::RuntimeError("done.", EROFS); },
         "done. (Read-only file system)"},
        {"out of memory", [] { throw std::bad_alloc(); }, vb::cp(u8"メモリが不足しています.")},
        {"other exception", [] { throw std::length_error("basic_string::_M_create"); }, "basic_string::_M_create."},
        {"long text", [] { throw std::runtime_error(std::string(1 << 20, 'x')); },
         vb::Bytes(vb::kQuoteLimit, 'x') + "\x81\x63."},
    };
    for (const auto &c : cases) {
        vb::ScriptedDialogs *dialogs = vb::installScriptedDialogs();
        QPushButton button;
        int stepsAfterTheFailure = 0;
        vb::connectGuarded(&button, &QPushButton::clicked, &button, [&] {
            c.fail();
            ++stepsAfterTheFailure;
        });
        EXPECT_NO_THROW(button.click()) << c.what;
        EXPECT_EQ(stepsAfterTheFailure, 0) << c.what;
        EXPECT_EQ(dialogs->errors(), std::vector<vb::Bytes>{c.box}) << c.what;
        // The next event runs as usual.
        button.click();
        EXPECT_EQ(dialogs->errors().size(), 2u) << c.what;
    }
}

// Lines handed over in batches read back as the same lines: the first batch
// replaces the text, the others join it; the load is no edit to undo, and
// typing afterwards is.
TEST(Memo, StreamedBatchesBecomeOneTextThatIsNoEdit) {
    vb::Memo memo;
    memo.setReadOnly(false);
    memo.setLines({"old text"});
    QTest::keyClicks(&memo, "typed");
    ASSERT_TRUE(memo.document()->isUndoAvailable());
    const std::vector<std::vector<std::string_view>> cases[] = {
        {{"a", "b"}, {"", "\x82\xa0 c"}, {"d"}},
        {{""}},
        {},
        {{"", ""}, {""}},
    };
    for (const auto &batches : cases) {
        size_t given = 0;
        memo.streamLines([&](std::vector<std::string_view> &batch) {
            if (given == batches.size())
                return false;
            batch = batches[given++];
            return true;
        });
        std::vector<vb::Bytes> expected;
        for (const auto &b : batches)
            expected.insert(expected.end(), b.begin(), b.end());
        EXPECT_EQ(memo.logicalLines(), expected);
        EXPECT_FALSE(memo.document()->isUndoAvailable());
        EXPECT_FALSE(memo.isModified());
        EXPECT_EQ(memo.textCursor().position(), 0);
    }
    QTest::keyClicks(&memo, "x");
    EXPECT_TRUE(memo.document()->isUndoAvailable());
}

// A source that fails part-way leaves the memo empty, and editing in it can
// be undone again.
TEST(Memo, AStreamThatFailsPartWayLeavesItEmpty) {
    vb::Memo memo;
    memo.setReadOnly(false);
    memo.setLines({"old text"});
    int calls = 0;
    EXPECT_THROW(memo.streamLines([&](std::vector<std::string_view> &batch) {
        if (++calls > 2)
            throw std::runtime_error("read failed");
        batch = {"shown", "lines"};
        return true;
    }),
                 std::runtime_error);
    EXPECT_TRUE(memo.isEmptyText());
    EXPECT_EQ(memo.logicalLines(), std::vector<vb::Bytes>{});
    QTest::keyClicks(&memo, "x");
    EXPECT_TRUE(memo.document()->isUndoAvailable());
}

// The lines read one at a time are the lines as a whole: wrapped where the
// memo shows them wrapped, logical with word wrap off, and no line or one
// empty line for an empty memo.
TEST(Memo, LinesReadOneAtATimeAreTheLinesAsShown) {
    vb::Memo memo;
    memo.resize(200, 200);
    memo.show();
    const std::vector<vb::Bytes> cases[] = {
        {},
        {""},
        {"one", "", "\x82\xa0 three"},
        {"short", vb::Bytes(2000, 'w') + " " + vb::Bytes(2000, 'x'), "after"},
    };
    for (const bool wrap : {true, false}) {
        memo.setWordWrap(wrap);
        for (const auto &text : cases) {
            memo.setLines(text);
            QCoreApplication::processEvents();
            memo.lines(); // lays out the shown lines
            const std::vector<vb::Bytes> whole = memo.lines();
            vb::Memo::ShownLines shown(memo);
            std::vector<vb::Bytes> read;
            for (size_t k = 0; k < shown.size(); ++k)
                read.push_back(shown.at(k));
            EXPECT_EQ(read, whole) << (wrap ? "wrapped " : "") << whole.size() << " lines";
            if (wrap && text.size() == 3 && text[0] == "short") {
                EXPECT_GT(whole.size(), 4u); // the long line is shown wrapped
            }
        }
    }
}

// Prose wraps between its words; a run of letters too long to search for a
// word's end wraps anywhere, whichever batch of a stream brings it, and the
// next message of prose wraps between words again.
TEST(Memo, ProseWrapsBetweenWordsAndAnEndlessWordAnywhere) {
    vb::Memo memo;
    memo.resize(300, 200);
    memo.show();
    vb::Bytes prose;
    for (int i = 0; i < 200; ++i)
        prose += "word" + std::to_string(i) + " ";
    const vb::Bytes endless = "ab " + vb::Bytes(20000, 'w');
    const struct {
        std::vector<std::vector<std::string_view>> batches;
        bool betweenWords;
    } cases[] = {
        {{{prose}}, true},
        {{{"short"}, {"x", endless}}, false},
        {{{prose, "x"}}, true},
        {{{endless}}, false},
    };
    for (const auto &c : cases) {
        size_t given = 0;
        memo.streamLines([&](std::vector<std::string_view> &batch) {
            if (given == c.batches.size())
                return false;
            batch = c.batches[given++];
            return true;
        });
        QCoreApplication::processEvents();
        const std::vector<vb::Bytes> shown = memo.lines();
        const vb::Bytes &line = c.betweenWords ? prose : endless;
        size_t at = 0, wrapped = 0, splitWords = 0, first = 0;
        for (const vb::Bytes &l : shown) {
            if (line.compare(at, l.size(), l) != 0)
                continue;
            at += l.size();
            first = first ? first : at;
            ++wrapped;
            splitWords += at < line.size() && line[at - 1] != ' ';
        }
        EXPECT_GT(wrapped, 3u) << c.betweenWords;
        EXPECT_EQ(splitWords == 0, c.betweenWords) << splitWords << " words split";
        // Wrapping anywhere fills the first line; at word boundaries the
        // short word would stand alone before the run.
        if (!c.betweenWords) {
            EXPECT_GT(first, 3u);
        }
    }
}

// The progress box of the real dialogs stays away for a short job, appears
// once a job has run half a second, and its Cancel button stops the job.
TEST(ProgressBox, AppearsAfterHalfASecondAndCancels) {
    auto visibleBox = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QProgressDialog *>(w); box && box->isVisible())
                return box;
        return static_cast<QProgressDialog *>(nullptr);
    };
    vb::QtDialogs real;
    {
        auto quick = real.progress("Quick");
        for (size_t k = 0; k <= 10; ++k)
            EXPECT_TRUE(quick->advance(k, 10));
        EXPECT_EQ(visibleBox(), nullptr);
    }
    auto slow = real.progress("Slow job");
    EXPECT_TRUE(slow->advance(1, 100));
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_TRUE(slow->advance(2, 100));
    QProgressDialog *box = visibleBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->labelText(), "Slow job");
    EXPECT_EQ(box->windowTitle(), "Velbrook v0.2");
    QPushButton *cancel = nullptr;
    for (QPushButton *b : box->findChildren<QPushButton *>())
        if (b->text() == QString::fromUtf8("キャンセル"))
            cancel = b;
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(slow->advance(3, 100));
    slow.reset();
    EXPECT_EQ(visibleBox(), nullptr);
}

// A line too long to lay out whole is shown in pieces, however it is handed
// over, and is one line again to every reader of the text: its logical
// lines, its raw text (what the recovery journal keeps) and, with word wrap
// off, the lines read one at a time; the text is shown wrapped all the same.
TEST(Memo, ALineShownInPiecesIsOneLineToEveryReader) {
    vb::Bytes longLine;
    while (longLine.size() < 70000)
        longLine += "x\x82\xa0y\xff "; // ASCII, a double-byte character, a byte that does not decode
    const std::vector<vb::Bytes> lines = {"first", longLine, "", "last"};
    const struct {
        const char *name;
        std::function<void(vb::Memo &)> load;
    } cases[] = {
        {"set whole", [&](vb::Memo &m) { m.setLines(lines); }},
        {"streamed a line a batch",
         [&](vb::Memo &m) {
             size_t next = 0;
             m.streamLines([&](std::vector<std::string_view> &batch) {
                 if (next == lines.size())
                     return false;
                 batch = {lines[next++]};
                 return true;
             });
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        vb::Memo memo;
        memo.setWordWrap(false);
        c.load(memo);
        EXPECT_GE(memo.document()->blockCount(), 7);
        EXPECT_TRUE(memo.hasPiecedLines());
        EXPECT_NE(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(memo.logicalLines(), lines);
        std::vector<vb::Bytes> raw;
        for (const QString &p : memo.rawText().split(QChar::ParagraphSeparator))
            raw.push_back(vb::fromUnicode(p));
        EXPECT_EQ(raw, lines);
        vb::Memo::ShownLines shown(memo);
        std::vector<vb::Bytes> read;
        for (size_t k = 0; k < shown.size(); ++k)
            read.push_back(shown.at(k));
        EXPECT_GT(read.size(), lines.size()) << "shown wrapped";
        EXPECT_EQ(read.front(), "first");
        EXPECT_EQ(read.back(), "last");
        // Undoing the first edit after the load brings back no mark of the
        // load's own (the marks are not an edit).
        EXPECT_FALSE(memo.document()->isUndoAvailable());
    }
}
