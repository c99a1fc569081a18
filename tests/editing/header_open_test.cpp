// Opening the header editor from the browser: the fields filled from the
// message on view, openings that stop at a row, enabling, the restores, the
// date stamp, the keys, and the controls as the accessibility bus shows them.

#include "messages/numbers.h"
#include "tests/editing/header_fixture.h"

#include <QAccessible>
#include <QFrame>
#include <QTest>
#include <functional>

using namespace vbtest;

namespace {

// The ten next slots: the number of a ticked slot, "-" for an unticked one at
// 0, "!n" for an unticked one holding n.
std::string nextSlots(const HeaderEditorProbe &ed) {
    std::string out;
    for (size_t k = 0; k < 10; ++k) {
        const int n = ed.SE_Next[k]->number();
        out += (k ? " " : "") + (ed.CB_Next[k]->isChecked() ? std::to_string(n) : n ? "!" + std::to_string(n) : "-");
    }
    return out;
}

std::string back(const HeaderEditorProbe &ed) {
    const int n = ed.SE_Back->number();
    return ed.CB_Back->isChecked() ? std::to_string(n) : n ? "!" + std::to_string(n) : "-";
}

} // namespace

TEST_F(HeaderEditorTest, OpensOnTheMessageOnView) {
    message("KVX00012.TXT", logMessage("00012", "abc", "Ann", "0001300020", "00011"));
    browse("Log Mode");
    openEditor();
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(app->F3->windowTitle(), QStringLiteral("Velbrook Header Edit"));
    EXPECT_EQ(app->F3->size(), QSize(500, 315));
    EXPECT_FALSE(app->F3->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(app->F3->close()) << "the frame cannot close the editor";

    EXPECT_EQ(ed().SE_Header_Number->number(), 12);
    EXPECT_EQ(text(ed().E_Header_Title), "abc");
    EXPECT_EQ(text(ed().E_Header_Name), "Ann");
    EXPECT_EQ(text(ed().E_Header_Mail), "a@example.com");
    EXPECT_EQ(text(ed().E_Header_Web), "http://w/");
    EXPECT_EQ(text(ed().E_Header_Date), "2001/01/01");
    EXPECT_EQ(nextSlots(ed()), "13 20 - - - - - - - -");
    EXPECT_EQ(back(ed()), "11");
    EXPECT_EQ(text(ed().E_Header_File), "KVX00012.TXT");
    EXPECT_TRUE(ed().CB_LogFile->isChecked());
    EXPECT_TRUE(ed().CB_AutoFileName->isChecked());
    EXPECT_FALSE(ed().CB_DeleteOldFile->isChecked());
    EXPECT_TRUE(ed().E_Header_Title->isEnabled());
    EXPECT_TRUE(dialogs->log.empty());
}

TEST_F(HeaderEditorTest, NextLinksFillTheSlotsFromTheFirst) {
    std::string fiftyFive;
    for (int n = 1; n <= 11; ++n)
        fiftyFive += vb::fiveDigit(n);
    const struct {
        std::string next, expected;
    } cases[] = {
        {"0001300020", "13 20 - - - - - - - -"},
        {"000130002099", "13 20 - - - - - - - -"}, // a short last piece is ignored
        {"000130002", "13 - - - - - - - - -"},
        {"", "- - - - - - - - - -"},
        {fiftyFive, "1 2 3 4 5 6 7 8 9 10"},
    };
    for (const auto &c : cases) {
        message("KVX00001.TXT", logMessage("00001", "t", "Ann", c.next));
        if (!app)
            browse("Log Mode");
        else
            click(ed().Btn_Header_Cancel); // back to the browser, which reads the file again
        openEditor();
        EXPECT_EQ(nextSlots(ed()), c.expected) << c.next;
    }
}

TEST_F(HeaderEditorTest, OpeningStopsAtARowThatIsNotANumber) {
    // Nothing on view: the number row fails, every field stays cleared.
    browse("Log Mode");
    openEditor();
    EXPECT_EQ(dialogs->errors(), std::vector<vb::Bytes>{vb::cp("'' は数値ではありません.")});
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(ed().SE_Header_Number->number(), 0);
    EXPECT_EQ(text(ed().E_Header_File), "");
    click(ed().Btn_Header_Cancel);
    EXPECT_TRUE(browserShown());

    // A next link that is not a number: the rows before it are restored, the
    // rest stay cleared and the two boxes keep what the last opening left.
    message("KVX00001.TXT", logMessage("00001", "bad", "Ann", "00013abcde", "00011"));
    message("KVX00002.TXT", logMessage("00002", "good"));
    app->F1->DefaultRead2();
    vb::BrowserProbe(*app->F1).LB_Title->setSelectedIndex(1);
    app->F1->TextLoad();
    openEditor();
    click(ed().CB_LogFile);
    click(ed().CB_AutoFileName);
    click(ed().Btn_Header_Cancel); // shows the first title, 00001
    dialogs->log.clear();
    openEditor();
    EXPECT_EQ(dialogs->errors(), std::vector<vb::Bytes>{vb::cp("'abcde' は数値ではありません.")});
    EXPECT_EQ(text(ed().E_Header_Title), "bad");
    EXPECT_EQ(text(ed().E_Header_File), "KVX00001.TXT");
    EXPECT_EQ(nextSlots(ed()), "13 - - - - - - - - -");
    EXPECT_EQ(back(ed()), "-");
    EXPECT_FALSE(ed().CB_LogFile->isChecked());
    EXPECT_FALSE(ed().CB_AutoFileName->isChecked());
}

TEST_F(HeaderEditorTest, LogFileBoxSwitchesTheHeaderFieldsAndNothingElse) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    openEditor();
    const HeaderEditorProbe e = ed();
    std::vector<QWidget *> header = {
        e.SE_Header_Number, e.E_Header_Title,  e.E_Header_Name,  e.E_Header_Mail,     e.E_Header_Web,
        e.E_Header_Date,    e.CB_Back,         e.SE_Back,        e.Btn_Header_Number, e.Btn_Header_Title,
        e.Btn_Header_Name,  e.Btn_Header_Mail, e.Btn_Header_Web, e.Btn_Header_Date,   e.Btn_Header_Date_Now,
        e.Btn_Header_Next,  e.Btn_Header_Back};
    for (size_t k = 0; k < 10; ++k) {
        header.push_back(e.CB_Next[k]);
        header.push_back(e.SE_Next[k]);
    }
    const std::vector<QWidget *> others = {e.Pnl_LogHeader,    e.E_Header_File, e.Btn_Header_File,  e.CB_AutoFileName,
                                           e.CB_DeleteOldFile, e.Btn_Header_OK, e.Btn_Header_Cancel};
    for (const bool on : {false, true}) {
        click(e.CB_LogFile);
        ASSERT_EQ(e.CB_LogFile->isChecked(), on);
        for (QWidget *w : header)
            EXPECT_EQ(w->isEnabled(), on) << w->objectName().toStdString();
        for (QWidget *w : others)
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    // The opening's own ticking of the box enables the fields too.
    click(e.CB_LogFile);
    click(e.Btn_Header_Cancel);
    openEditor();
    for (QWidget *w : header)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(HeaderEditorTest, TextModeOpensWithTheHeaderPanelOff) {
    // Line 2 carries a title key, which a text file's scan reads but the editor leaves alone.
    message("abc.txt", "first line\r\nTitle:zzz\r\n");
    browse("Text Mode");
    openEditor();
    EXPECT_TRUE(dialogs->log.empty());
    EXPECT_FALSE(ed().Pnl_LogHeader->isEnabled());
    EXPECT_EQ(text(ed().E_Header_Title), "");
    EXPECT_EQ(text(ed().E_Header_File), "abc.txt");
    EXPECT_FALSE(ed().CB_LogFile->isChecked());
    EXPECT_FALSE(ed().CB_AutoFileName->isChecked());
    click(ed().CB_LogFile);
    EXPECT_FALSE(ed().E_Header_Title->isEnabled()) << "the panel keeps every header field unusable";
    EXPECT_TRUE(ed().E_Header_File->isEnabled());
}

TEST_F(HeaderEditorTest, EachDefaultButtonRestoresItsOwnRow) {
    message("KVX00012.TXT", logMessage("00012", "abc", "Ann", "0001300020", "00011"));
    browse("Log Mode");
    openEditor();
    const HeaderEditorProbe e = ed();
    type(e.SE_Header_Number, 99);
    for (QLineEdit *edit :
         {e.E_Header_Title, e.E_Header_Name, e.E_Header_Mail, e.E_Header_Web, e.E_Header_Date, e.E_Header_File})
        type(edit, "changed");
    click(e.CB_Next[0]);
    click(e.CB_Next[2]);
    type(e.SE_Next[2], 40);
    click(e.CB_Back);
    const struct {
        QPushButton *button;
        std::function<std::string()> row;
        std::string restored;
    } rows[] = {
        {e.Btn_Header_Number, [&] { return std::to_string(e.SE_Header_Number->number()); }, "12"},
        {e.Btn_Header_Title, [&] { return text(e.E_Header_Title); }, "abc"},
        {e.Btn_Header_Name, [&] { return text(e.E_Header_Name); }, "Ann"},
        {e.Btn_Header_Mail, [&] { return text(e.E_Header_Mail); }, "a@example.com"},
        {e.Btn_Header_Web, [&] { return text(e.E_Header_Web); }, "http://w/"},
        {e.Btn_Header_Date, [&] { return text(e.E_Header_Date); }, "2001/01/01"},
        {e.Btn_Header_Next, [&] { return nextSlots(e); }, "13 20 - - - - - - - -"},
        {e.Btn_Header_Back, [&] { return back(e); }, "11"},
        {e.Btn_Header_File, [&] { return text(e.E_Header_File); }, "KVX00012.TXT"},
    };
    std::vector<std::string> changed;
    for (const auto &r : rows)
        changed.push_back(r.row());
    for (size_t i = 0; i < std::size(rows); ++i) {
        click(rows[i].button);
        for (size_t j = 0; j < std::size(rows); ++j)
            EXPECT_EQ(rows[j].row(), j <= i ? rows[j].restored : changed[j]) << "after button " << i << ", row " << j;
    }
}

TEST_F(HeaderEditorTest, CancelWritesAndDeletesNothingAndDeleteOldFileStaysChosen) {
    const std::string original = logMessage("00012", "abc");
    message("KVX00012.TXT", original);
    browse("Log Mode");
    openEditor();
    type(ed().SE_Header_Number, 15);
    type(ed().E_Header_Title, "new");
    click(ed().CB_DeleteOldFile);
    click(ed().Btn_Header_Cancel);
    EXPECT_TRUE(browserShown());
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"KVX00012.TXT"});
    EXPECT_EQ(content("KVX00012.TXT"), original);
    EXPECT_EQ(firstTitle(), "00012 _ abc / Ann");
    openEditor();
    EXPECT_TRUE(ed().CB_DeleteOldFile->isChecked());
    EXPECT_EQ(ed().SE_Header_Number->number(), 12);
}

TEST_F(HeaderEditorTest, NowStampsTheLocalDateAndTime) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    openEditor();
    const struct {
        QDateTime now;
        const char *stamp;
    } cases[] = {
        {QDateTime(QDate(2000, 2, 5), QTime(23, 59, 59)), "2000/02/05 (土) 23:59"},
        {QDateTime(QDate(2000, 1, 23), QTime(9, 5)), "2000/01/23 (日) 09:05"},
        {QDateTime(QDate(2000, 1, 24), QTime(0, 0)), "2000/01/24 (月) 00:00"},
        {QDateTime(QDate(2000, 1, 25), QTime(10, 10)), "2000/01/25 (火) 10:10"},
        {QDateTime(QDate(2000, 1, 26), QTime(12, 0)), "2000/01/26 (水) 12:00"},
        {QDateTime(QDate(2000, 1, 27), QTime(1, 2)), "2000/01/27 (木) 01:02"},
        {QDateTime(QDate(2000, 1, 28), QTime(7, 30)), "2000/01/28 (金) 07:30"},
        {QDateTime(QDate(999, 12, 31), QTime(8, 0)), "999/12/31 (火) 08:00"},
    };
    static QDateTime now;
    app->F3->headerEditor()->setClock([] { return now; });
    for (const auto &c : cases) {
        now = c.now;
        click(ed().Btn_Header_Date_Now);
        EXPECT_EQ(text(ed().E_Header_Date), c.stamp);
    }
}

TEST_F(HeaderEditorTest, EnterIsOkAndEscapeIsCancel) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    const struct {
        Qt::Key key;
        const char *typed, *shown;
    } cases[] = {{Qt::Key_Escape, "ignored", "abc"}, {Qt::Key_Return, "new", "new"}, {Qt::Key_Enter, "newer", "newer"}};
    for (const auto &c : cases) {
        openEditor();
        app->F3->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(app->F3.get()));
        type(ed().E_Header_Title, c.typed);
        QTest::keyClick(ed().E_Header_Title, c.key);
        EXPECT_TRUE(browserShown()) << c.typed;
        EXPECT_EQ(firstTitle(), std::string("00012 _ ") + c.shown + " / Ann");
    }
}

namespace {

struct Accessible {
    QAccessible::Role role;
    std::string name, description;
};

// The nodes that show, depth first.
void collect(QAccessibleInterface *node, std::vector<Accessible> &out) {
    if (node->state().invisible)
        return;
    out.push_back({node->role(), node->text(QAccessible::Name).toStdString(),
                   node->text(QAccessible::Description).toStdString()});
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            collect(child, out);
}

} // namespace

TEST_F(HeaderEditorTest, EveryControlIsFoundByRoleAndCaptionWithItsHint) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    openEditor();
    std::vector<Accessible> found;
    collect(QAccessible::queryAccessibleInterface(app->F3.get()), found);
    auto count = [&found](QAccessible::Role role, const std::string &name, const std::string &description) {
        return std::count_if(found.begin(), found.end(), [&](const Accessible &a) {
            return a.role == role && a.name == name && a.description == description;
        });
    };
    using A = QAccessible;
    const struct {
        A::Role role;
        const char *name, *description;
        long times;
    } expected[] = {
        {A::StaticText, "Number", "", 1},
        {A::SpinBox, "Number", "発言番号の設定", 1},
        {A::StaticText, "Title", "ヘッダ情報 タイトル", 1},
        {A::EditableText, "Title", "タイトル情報を設定", 1},
        {A::StaticText, "Name", "ヘッダ情報 名前", 1},
        {A::EditableText, "Name", "名前情報を設定", 1},
        {A::StaticText, "Mail Address", "ヘッダ情報 メールアドレス", 1},
        {A::EditableText, "Mail Address", "メールアドレス情報を設定", 1},
        {A::StaticText, "Web Address", "ヘッダ情報 ウェブアドレス", 1},
        {A::EditableText, "Web Address", "ウェブアドレス情報を設定", 1},
        {A::StaticText, "Date", "ヘッダ情報 作成日", 1},
        {A::EditableText, "Date", "作成日情報を設定", 1},
        {A::Button, "Now", "現在の日付、日時を適用", 1},
        {A::StaticText, "Next Message", "ヘッダ情報 下位関連発言", 1},
        {A::CheckBox, "Next Message 1", "番号設定を有効にする", 1},
        {A::SpinBox, "Next Message 1", "発言番号の設定", 1},
        {A::CheckBox, "Next Message 10", "番号設定を有効にする", 1},
        {A::SpinBox, "Next Message 10", "発言番号の設定", 1},
        {A::StaticText, "Back Message", "ヘッダ情報 上位関連発言", 1},
        {A::CheckBox, "Back Message", "番号設定を有効にする", 1},
        {A::SpinBox, "Back Message", "発言番号の設定", 1},
        {A::Button, "Default", "初期値に戻す", 9},
        {A::StaticText, "File Name", "ファイル名情報", 1},
        {A::EditableText, "File Name", "ファイル名を設定", 1},
        {A::CheckBox, "Save As Log File (Insert Information)", "ヘッダ情報を組込む(ヘッダ編集時必須)", 1},
        {A::CheckBox, "Auto File Name Set (Log Mode)", "ファイル名を自動設定 (Log Mode時)", 1},
        {A::CheckBox, "Delete Old File", "古いファイルを削除する", 1},
        {A::Button, "OK", "設定を有効にして更新", 1},
        {A::Button, "Cancel", "設定をキャンセルしてメイン画面に戻る", 1},
        {A::StaticText, "ログモード指定時のみ入力可", "", 1},
    };
    for (const auto &x : expected)
        EXPECT_EQ(count(x.role, x.name, x.description), x.times) << x.name << " / " << x.description;
    // Every slot between the first and the last is there too.
    for (int k = 2; k <= 9; ++k)
        EXPECT_EQ(count(A::SpinBox, "Next Message " + std::to_string(k), "発言番号の設定"), 1) << k;
}

TEST_F(HeaderEditorTest, RowsStandInOrderInsideTheWindowWithoutOverlapping) {
    message("KVX00012.TXT", logMessage("00012", "abc"));
    browse("Log Mode");
    openEditor();
    const HeaderEditorProbe e = ed();
    QWidget *panel = control<QWidget>(*app->F3, QStringLiteral("Pnl_HeaderEdit"));
    auto place = [panel](QWidget *w) { return QRect(w->mapTo(panel, QPoint(0, 0)), w->size()); };
    // Top to bottom, one control of each row.
    const std::vector<QWidget *> column = {e.SE_Header_Number, e.E_Header_Title, e.E_Header_Name, e.E_Header_Mail,
                                           e.E_Header_Web,     e.E_Header_Date,  e.CB_Next[0],    e.CB_Next[5],
                                           e.CB_Back,          e.E_Header_File,  e.CB_LogFile,    e.CB_AutoFileName,
                                           e.CB_DeleteOldFile};
    for (size_t i = 1; i < column.size(); ++i)
        EXPECT_LT(place(column[i - 1]).bottom(), place(column[i]).top()) << i;
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(place(e.CB_Next[size_t(k)]).top(), place(e.CB_Next[0]).top());
        EXPECT_EQ(place(e.CB_Next[size_t(k + 5)]).top(), place(e.CB_Next[5]).top());
    }
    EXPECT_EQ(place(e.Btn_Header_Date_Now).top(), place(e.E_Header_Date).top());
    EXPECT_LT(place(e.Btn_Header_Date_Now).right(), place(e.Btn_Header_Date).left());
    EXPECT_LT(place(e.Btn_Header_OK).right(), place(e.Btn_Header_Cancel).left());
    EXPECT_GT(place(e.Btn_Header_OK).top(), place(e.E_Header_File).bottom());
    EXPECT_GT(place(e.Btn_Header_Cancel).left(), 400);
    // Everything lies inside the window and no two controls cover each other.
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    std::vector<QWidget *> leaves;
    for (QWidget *w : controls)
        if (w->parentWidget() && (w->parentWidget() == panel || w->parentWidget() == e.Pnl_LogHeader) &&
            w != e.Pnl_LogHeader)
            leaves.push_back(w);
    for (QWidget *w : leaves) {
        EXPECT_TRUE(QRect(0, 0, 500, 315).contains(place(w))) << w->objectName().toStdString();
        for (QWidget *v : leaves) {
            if (v != w) {
                EXPECT_FALSE(place(w).intersects(place(v)))
                    << w->objectName().toStdString() << " / " << v->objectName().toStdString();
            }
        }
    }
}
