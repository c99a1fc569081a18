// The browser's panes, control panel, header panel and menus, and the upkeep
// of the panes when the window or the splitter is resized.

#include "browser/browser_window.h"
#include "browser/find/find_controller.h"
#include "browser/find_panel.h"
#include "browser/title_refresh.h"
#include "messages/numbers.h"
#include "platform/apptitle.h"
#include "settings/settings.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"
#include "ui/widgets/placement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <algorithm>
#include <functional>

namespace vb {
namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const char *caption, int left, int top) {
    auto *l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    return l;
}

QFont pixelFont(const char *face, int pixels, bool bold) {
    QFont f(QString::fromUtf8(face));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A splitter whose panes cannot be collapsed away.
QSplitter *makeSplitter(Qt::Orientation orientation, const char *name) {
    auto *splitter = new QSplitter(orientation);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(3);
    return splitter;
}

// The smallest client area the browser is given.
constexpr int kMinimumWidth = 160, kMinimumHeight = 120;

// Whether the rectangle (64-bit, as stored values may be anything) meets the
// screen's area.
bool meets(const QRect &area, qint64 left, qint64 top, qint64 width, qint64 height) {
    return left < qint64(area.x()) + area.width() && left + width > area.x() &&
           top < qint64(area.y()) + area.height() && top + height > area.y();
}

int clampTo(qint64 v, int low, int high) { return int(std::clamp<qint64>(v, low, std::max(low, high))); }

// Calls back after the watched widget was asked for a new layout.
class LayoutWatch : public QObject {
public:
    LayoutWatch(QObject *parent, std::function<void()> changed) : QObject(parent), changed_(std::move(changed)) {}
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::LayoutRequest)
            changed_();
        return false;
    }

private:
    std::function<void()> changed_;
};

} // namespace

TF1::TF1(Settings &settings) : QMainWindow(nullptr), settings_(settings) {
    setWindowTitle(toUnicode(appTitle()));
    // A sizeable frame without a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint);
    buildPanes();
    buildMenus();
    buildFind();
    buildFilter();
    buildTextCommands();
    buildJournal();
    buildWatch();
    applyHints();
    // The count caption changing and the Find box opening or closing ask
    // their panes for a new layout: the least sizes follow.
    for (QWidget *pane : {static_cast<QWidget *>(Pnl_Thread), static_cast<QWidget *>(Pnl_Dir)})
        pane->installEventFilter(new LayoutWatch(this, [this] { keepControlsWhole(); }));
    keepControlsWhole();
}

TF1::~TF1() {
    // A refresh under way ends by itself; its result goes nowhere.
    if (refreshRun_)
        refreshRun_->detach();
    // Nothing may update the Edit menu of a window being destroyed.
    delete textCommandsWatch_;
    // The memo outlives this part of the window: it must not call back.
    Memo_log->disconnect(finder_);
    delete finder_;
}

bool TF1::mayLeaveDirectory() {
    bool may = false;
    guarded([&] { may = mayDiscardEdits(); });
    return may;
}

// The chooser's folders and the file list of a move come from one read.
std::vector<Bytes> TF1::subfolders(const Bytes &dir) { return FLB.subfolders(dir); }

void TF1::runMove(const std::function<void()> &move) {
    FileList::ReadOnce once(FLB);
    move();
}

void TF1::buildPanes() {
    Pnl_Main = new Panel(this);
    Pnl_Main->setObjectName("Pnl_Main");
    setCentralWidget(Pnl_Main);

    Splitter = makeSplitter(Qt::Horizontal, "Splitter");
    Pnl_Main->dock(Splitter, Panel::Client);
    buildListPane();
    buildMessagePane();
    Splitter->addWidget(Pnl_Thread);
    Splitter->addWidget(Pnl_Message);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { SplitterCanResize(); });
}

// Left pane: category box, count, title list and directory chooser.
void TF1::buildListPane() {
    Pnl_Thread = new Panel;
    Pnl_Thread->setObjectName("Pnl_Thread");
    buildCategoryBox();
    buildCount();

    Pnl_List = new Panel;
    Pnl_List->setObjectName("Pnl_List");
    Pnl_List->resize(185, 300);
    Pnl_Thread->dock(Pnl_List, Panel::Bottom);
    Splitter1 = makeSplitter(Qt::Vertical, "Splitter1");
    Pnl_List->dock(Splitter1, Panel::Client);
    buildTitleList();
    buildFolderChooser();
    Splitter1->addWidget(Pnl_TitleList);
    Splitter1->addWidget(Pnl_Dir);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
}

void TF1::buildCategoryBox() {
    Pnl_List_Caption = new Panel;
    Pnl_List_Caption->setObjectName("Pnl_List_Caption");
    Pnl_List_Caption->resize(185, 21);
    Pnl_Thread->dock(Pnl_List_Caption, Panel::Top);
    CBox_Category = new ComboList(Pnl_List_Caption);
    CBox_Category->setObjectName("CBox_Category");
    CBox_Category->setGeometry(0, 0, 185, 21);
    connect(CBox_Category, &QComboBox::activated, this, [this] {
        guarded([this] {
            if (mayDiscardEdits())
                CategoryBox_ListChange();
            else
                CBox_Category->setSelectedIndex(shownCategory_);
        });
    });
}

void TF1::buildCount() {
    Pnl_FLBCount = new QLabel(toUnicode("Total Message : "));
    Pnl_FLBCount->setObjectName("Pnl_FLBCount");
    Pnl_FLBCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont countFont = Pnl_FLBCount->font();
    countFont.setBold(true);
    countFont.setItalic(true);
    Pnl_FLBCount->setFont(countFont);
    Pnl_FLBCount->setFrameShape(QFrame::StyledPanel);
    Pnl_Thread->dock(Pnl_FLBCount, Panel::None);
    Pnl_FLBCount->setGeometry(0, 21, 185, 18);
}

void TF1::buildTitleList() {
    Pnl_TitleList = new Panel;
    Pnl_TitleList->setObjectName("Pnl_TitleList");
    LB_Title = new TitleList;
    LB_Title->setObjectName("LB_Title");
    LB_Title->setAccessibleName("Titles");
    LB_Title->setFont(pixelFont("ＭＳ ゴシック", 12, false));
    connectGuarded(LB_Title, &TitleList::userSelected, this, [this] {
        if (mayDiscardEdits())
            TextLoad();
        else
            LB_Title->setSelectedIndex(LB_Title->rowOfLine(shownLine_));
    });
    Pnl_TitleList->dock(LB_Title, Panel::Client);
}

void TF1::buildFolderChooser() {
    Pnl_Dir = new Panel;
    Pnl_Dir->setObjectName("Pnl_Dir");
    DLB = new DirChooser;
    DLB->setObjectName("DLB");
    connect(DLB, &DirChooser::directoryChanged, this, [this] { guarded([this] { DLBChange(); }); });
    DLB->setOwner(this);
    Pnl_Dir->dock(DLB, Panel::Client);
}

// Right pane: control panel, header panel, message text.
void TF1::buildMessagePane() {
    Pnl_Message = new Panel;
    Pnl_Message->setObjectName("Pnl_Message");
    buildControlPanel();
    buildHeaderPanel();
    Memo_log = new Memo;
    Memo_log->setObjectName("Memo_log");
    Memo_log->setReadOnly(true);
    Pnl_Message->dock(Memo_log, Panel::Client);
}

void TF1::buildControlPanel() {
    Pnl_Control = new QWidget;
    Pnl_Control->setObjectName("Pnl_Control");
    auto *grid = new QGridLayout(Pnl_Control);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    // Two rows of buttons; the gaps between the groups are columns of their own.
    const struct {
        FlatButton *TF1::*button;
        const char *caption, *name, *hint;
        int row, column;
        void (TF1::*handler)();
    } buttons[] = {
        {&TF1::Btn_Top, "Top", "Btn_Top", nullptr, 0, 0, &TF1::Btn_TopClick},
        {&TF1::Btn_Next100, "+100", "Btn_Next100", nullptr, 0, 1, &TF1::Btn_Next100Click},
        {&TF1::Btn_Next, "+1", "Btn_Next", nullptr, 0, 2, &TF1::Btn_NextClick},
        {&TF1::Btn_Res_Back, "Back", "Btn_Res_Back", nullptr, 0, 4, &TF1::MM_View_Res_BackClick},
        {&TF1::Btn_Font, "Fixed", "Btn_Font", "等倍幅 <-> 可変幅 フォントの切替", 0, 6, &TF1::Btn_FontClick},
        {&TF1::Btn_Sort, "Descending", "Btn_Sort", "降順 <-> 昇順 ソートの切替", 0, 7, &TF1::Btn_SortClick},
        {&TF1::Btn_Edit, "Edit", "Btn_Edit", "テキスト内容の編集", 0, 9, &TF1::Btn_EditClick},
        {&TF1::Btn_Print, "Print", "Btn_Print", "印刷", 0, 10, &TF1::Btn_PrintClick},
        {&TF1::Btn_Setup, "Setup", "Btn_Setup", nullptr, 0, 12, &TF1::Btn_SetupClick},
        {&TF1::Btn_End, "End", "Btn_End", nullptr, 1, 0, &TF1::Btn_EndClick},
        {&TF1::Btn_Back100, "-100", "Btn_Back100", nullptr, 1, 1, &TF1::Btn_Back100Click},
        {&TF1::Btn_Back, "-1", "Btn_Back", nullptr, 1, 2, &TF1::Btn_BackClick},
        {&TF1::Btn_Res_Next, "Next", "Btn_Res_Next", nullptr, 1, 4, &TF1::MM_View_Res_Next01Click},
        {&TF1::Btn_Title, "File", "Btn_Title", "タイトル <-> テキスト リスト表示の切替 (Text Mode時)", 1, 6,
         &TF1::Btn_TitleClick},
        {&TF1::Btn_Default, "Default", "Btn_Default", nullptr, 1, 7, &TF1::Btn_DefaultClick},
        {&TF1::Btn_Save, "Save", "Btn_Save", "テキスト編集内容の保存", 1, 9, &TF1::Btn_SaveClick},
        {&TF1::Btn_Close, "Close", "Btn_Close", nullptr, 1, 12, &TF1::Btn_CloseClick},
    };
    for (const auto &item : buttons) {
        FlatButton *b = new FlatButton(item.caption, Pnl_Control);
        this->*item.button = b;
        b->setObjectName(QString::fromLatin1(item.name));
        b->setMinimumWidth(40);
        if (item.hint)
            setHint(b, item.hint);
        grid->addWidget(b, item.row, item.column);
        connectGuarded(b, &QToolButton::clicked, this, [this, handler = item.handler] { (this->*handler)(); });
    }
    for (int gap : {3, 5, 8})
        grid->setColumnMinimumWidth(gap, 4);
    grid->setColumnStretch(11, 1);
    Pnl_Control->resize(400, Pnl_Control->sizeHint().height());
    Pnl_Message->dock(Pnl_Control, Panel::Top);
}

void TF1::buildHeaderPanel() {
    Pnl_Header = new QWidget;
    Pnl_Header->setObjectName("Pnl_Header");
    Pnl_Header->setAutoFillBackground(true);
    Pnl_Header->resize(400, 85);
    Bvl_Message = new QFrame(Pnl_Header);
    Bvl_Message->setObjectName("Bvl_Message");
    Bvl_Message->setFrameShape(QFrame::Box);
    Bvl_Message->setFrameShadow(QFrame::Sunken);
    Bvl_Message->setGeometry(0, 0, 4000, 37);

    const QFont small = pixelFont("ＭＳ Ｐゴシック", 12, false);
    const QFont big = pixelFont("ＭＳ Ｐゴシック", 16, true);
    Lbl_Message_Title = makeLabel(Pnl_Header, "Lbl_Message_Title", "Title", 5, 3);
    Lbl_Message_Name = makeLabel(Pnl_Header, "Lbl_Message_Name", "Name", 5, 18);
    Lbl_Message_Mail = makeLabel(Pnl_Header, "Lbl_Message_Mail", "Mail Address", 5, 38);
    Lbl_Message_Web = makeLabel(Pnl_Header, "Lbl_Message_Web", "Web Address", 5, 53);
    Lbl_Message_Date = makeLabel(Pnl_Header, "Lbl_Message_Date", "Date", 5, 68);
    Lbl_Info_Title = makeLabel(Pnl_Header, "Lbl_Info_Title", "", 85, 2);
    Lbl_Info_Name = makeLabel(Pnl_Header, "Lbl_Info_Name", "", 85, 18);
    Lbl_Info_Mail = makeLabel(Pnl_Header, "Lbl_Info_Mail", "", 85, 38);
    Lbl_Info_Web = makeLabel(Pnl_Header, "Lbl_Info_Web", "", 85, 53);
    Lbl_Info_Date = makeLabel(Pnl_Header, "Lbl_Info_Date", "", 85, 68);
    for (QLabel *l : {Lbl_Message_Title, Lbl_Message_Name, Lbl_Message_Mail, Lbl_Message_Web, Lbl_Message_Date,
                      Lbl_Info_Mail, Lbl_Info_Web, Lbl_Info_Date}) {
        l->setFont(small);
        l->resize(l->width(), 15);
    }
    for (QLabel *l : {Lbl_Info_Title, Lbl_Info_Name}) {
        l->setFont(big);
        l->resize(l->width(), 17);
    }
    for (QLabel *l : {Lbl_Info_Title, Lbl_Info_Name, Lbl_Info_Mail, Lbl_Info_Web, Lbl_Info_Date}) {
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->resize(3000, l->height());
    }
    Pnl_Message->dock(Pnl_Header, Panel::Top);
}

const TF1::EntrySpec TF1::kSeparator{nullptr, nullptr, nullptr, nullptr, {}, nullptr, false};

QMenu *TF1::addMenu(QMenu *parent, const char *title, const char *hint, std::initializer_list<EntrySpec> entries) {
    QMenu *menu = parent ? parent->addMenu(QString::fromUtf8(title)) : menuBar()->addMenu(QString::fromUtf8(title));
    menu->setToolTipsVisible(true);
    if (hint)
        menu->menuAction()->setToolTip(QString::fromUtf8(hint));
    addEntries(menu, entries);
    return menu;
}

void TF1::addEntries(QMenu *menu, std::initializer_list<EntrySpec> entries) {
    for (const EntrySpec &item : entries) {
        if (!item.caption) {
            menu->addSeparator();
            continue;
        }
        auto *e = new MenuEntry(item.caption, menu);
        e->setObjectName(QString::fromLatin1(item.name));
        if (item.hint)
            e->setToolTip(QString::fromUtf8(item.hint));
        if (!item.keys.isEmpty())
            e->setShortcut(item.keys);
        e->setCheckable(item.checkable);
        menu->addAction(e);
        if (item.entry)
            this->*item.entry = e;
        if (item.handler)
            connectGuarded(e, &QAction::triggered, this, [this, handler = item.handler] { (this->*handler)(); });
    }
}

void TF1::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildOptionMenu();
    buildHelpMenu();
    const std::pair<QMenu *, const char *> menuNames[] = {{MM_File, "MM_File"},     {MM_Edit, "MM_Edit"},
                                                          {MM_View, "MM_View"},     {MM_View_Res, "MM_View_Res"},
                                                          {MM_Option, "MM_Option"}, {MM_Help, "MM_Help"}};
    for (const auto &[menu, name] : menuNames)
        menu->setObjectName(QString::fromLatin1(name));
}

void TF1::buildFileMenu() {
    using K = QKeySequence;
    // clang-format off
    MM_File = addMenu(nullptr, "&File", "ファイル", {
        {&TF1::MM_File_New, "New", "MM_File_New", "新規作成", K(Qt::CTRL | Qt::Key_N), &TF1::MM_File_NewClick, false},
        kSeparator,
        {&TF1::MM_File_Delete, "Delete", "MM_File_Delete", "削除", {}, &TF1::MM_File_DeleteClick, false},
        kSeparator,
        {&TF1::MM_File_Save, "Save", "MM_File_Save", "保存", K(Qt::CTRL | Qt::Key_S), &TF1::Btn_SaveClick, false},
        {&TF1::MM_File_SaveAs, "Save As", "MM_File_SaveAs", "別名で保存", K(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TF1::MM_File_SaveAsClick, false},
        kSeparator,
        {&TF1::MM_File_PrinterSetup, "PrinterSetup", "MM_File_PrinterSetup", nullptr, {}, &TF1::MM_File_PrinterSetupClick, false},
        {&TF1::MM_File_Print, "Print", "MM_File_Print", "印刷", K(Qt::CTRL | Qt::Key_P), &TF1::Btn_PrintClick, false},
        {&TF1::MM_File_PrintPreview, "Print Preview", "MM_File_PrintPreview", nullptr, {}, &TF1::MM_File_PrintPreviewClick, false},
        {&TF1::MM_File_ExportPdf, "Export PDF", "MM_File_ExportPdf", nullptr, {}, &TF1::MM_File_ExportPdfClick, false},
        kSeparator,
        {&TF1::MM_File_Close, "Close", "MM_File_Close", nullptr, K(Qt::CTRL | Qt::Key_W), &TF1::Btn_CloseClick, false},
    });
    // clang-format on
}

void TF1::buildEditMenu() {
    using K = QKeySequence;
    // clang-format off
    MM_Edit = addMenu(nullptr, "&Edit", "編集", {
        {&TF1::MM_Edit_Edit, "Edit", "MM_Edit_Edit", "編集", K(Qt::CTRL | Qt::Key_E), &TF1::Btn_EditClick, false},
        kSeparator,
        {&TF1::MM_Edit_Header, "Header Edit", "MM_Edit_Header", "ヘッダの編集", {}, &TF1::MM_Edit_HeaderClick, false},
    });
    // clang-format on
}

void TF1::buildViewMenu() {
    using K = QKeySequence;
    // clang-format off
    MM_View = addMenu(nullptr, "&View", nullptr, {
        {&TF1::MM_View_Top, "Top", "MM_View_Top", nullptr, K(Qt::CTRL | Qt::Key_Home), &TF1::Btn_TopClick, false},
        {&TF1::MM_View_Next100, "Next ( + 100 )", "MM_View_Next100", nullptr, K(Qt::ALT | Qt::Key_PageUp), &TF1::Btn_Next100Click, false},
        {&TF1::MM_View_Next1, "Next ( + 1 )", "MM_View_Next1", nullptr, K(Qt::ALT | Qt::Key_Up), &TF1::Btn_NextClick, false},
        kSeparator,
    });
    // clang-format on
    buildResMenu();
    MM_View->addSeparator();
    // clang-format off
    addEntries(MM_View, {
        {&TF1::MM_View_Back1, "Back ( - 1 )", "MM_View_Back1", nullptr, K(Qt::ALT | Qt::Key_Down), &TF1::Btn_BackClick, false},
        {&TF1::MM_View_Back100, "Back ( + 100 )", "MM_View_Back100", nullptr, K(Qt::ALT | Qt::Key_PageDown), &TF1::Btn_Back100Click, false},
        {&TF1::MM_View_End, "End", "MM_View_End", nullptr, K(Qt::CTRL | Qt::Key_End), &TF1::Btn_EndClick, false},
        kSeparator,
        {&TF1::MM_View_Thread, "Thread View", "MM_View_Thread", "返信のツリーで表示 (Log Mode時)", K(Qt::CTRL | Qt::Key_T), &TF1::MM_View_ThreadClick, true},
        kSeparator,
        {&TF1::MM_View_Reload, "Reload", "MM_View_Reload", "一覧と表示中のメッセージを読み直す", K(Qt::Key_F5), &TF1::MM_View_ReloadClick, false},
    });
    // clang-format on
}

void TF1::buildResMenu() {
    using K = QKeySequence;
    // clang-format off
    MM_View_Res = addMenu(MM_View, "&Res Message", "関連発言", {
        {&TF1::MM_View_Res_Back, kBackLinkCaption, "MM_View_Res_Back", "上位関連発言", K(Qt::CTRL | Qt::Key_Left), &TF1::MM_View_Res_BackClick, false},
        kSeparator,
        {&TF1::MM_View_Res_Next, "Next Res Message", "MM_View_Res_Next", "下位関連発言", {}, nullptr, false},
    });
    // clang-format on
    MM_View_Res_Next->setEnabled(false);
    // The ten next links: "01 :" .. "10 :", on Ctrl+Right and Ctrl+2 .. Ctrl+0.
    for (int k = 1; k <= 10; ++k) {
        auto *e = new MenuEntry(twoDigit(k) + " :", MM_View_Res);
        e->setObjectName(QStringLiteral("MM_View_Res_Next") + toUnicode(twoDigit(k)));
        e->setToolTip(QString::fromUtf8("下位関連発言 ") + toUnicode(twoDigit(k)));
        e->setShortcut(K(Qt::CTRL | (k == 1 ? Qt::Key_Right : k == 10 ? Qt::Key_0 : Qt::Key(Qt::Key_0 + k))));
        MM_View_Res->addAction(e);
        connectGuarded(e, &QAction::triggered, this, [this, k] { MM_View_Res_NextClick(k); });
        MM_View_Res_NextK[size_t(k - 1)] = e;
    }
}

void TF1::buildOptionMenu() {
    // clang-format off
    MM_Option = addMenu(nullptr, "&Option", nullptr, {
        {&TF1::MM_Option_ApplicationSetup, "Application Setup", "MM_Option_ApplicationSetup", "動作設定", {}, &TF1::MM_Option_ApplicationSetupClick, false},
        {&TF1::MM_Option_Setup, "Category Setup", "MM_Option_Setup", nullptr, {}, &TF1::Btn_SetupClick, false},
        kSeparator,
    });
    addMenu(MM_Option, "Font", nullptr, {
        {&TF1::MM_Option_Font_Fixed, "Fixed", "MM_Option_Font_Fixed", nullptr, {}, &TF1::Btn_Font_FixedClick, true},
        {&TF1::MM_Option_Font_Variable, "Variable", "MM_Option_Font_Variable", nullptr, {}, &TF1::Btn_Font_VariableClick, true},
    });
    addMenu(MM_Option, "Sort", nullptr, {
        {&TF1::MM_Option_Sort_Descending, "Descending Order", "MM_Option_Sort_Descending", nullptr, {}, &TF1::Btn_Sort_DescendingClick, true},
        {&TF1::MM_Option_Sort_Ascending, "Ascending Order", "MM_Option_Sort_Ascending", nullptr, {}, &TF1::Btn_Sort_AscendingClick, true},
    });
    addMenu(MM_Option, "Title Text", nullptr, {
        {&TF1::MM_Option_Title_File, "File Name", "MM_Option_Title_File", nullptr, {}, &TF1::Btn_Title_FileClick, true},
        {&TF1::MM_Option_Title_Text, "Text Line", "MM_Option_Title_Text", nullptr, {}, &TF1::Btn_Title_TextClick, true},
    });
    // clang-format on
}

void TF1::buildHelpMenu() {
    using K = QKeySequence;
    // clang-format off
    MM_Help = addMenu(nullptr, "&Help", nullptr, {
        {&TF1::MM_Help_Version, "Version", "MM_Help_Version", nullptr, {}, &TF1::MM_Help_VersionClick, false},
        {&TF1::MM_Help_Shortcuts, "Keyboard Shortcuts", "MM_Help_Shortcuts", "キー操作の一覧", K(Qt::Key_F1), &TF1::MM_Help_ShortcutsClick, false},
        {&TF1::MM_Help_About, "About Velbrook", "MM_Help_About", "版数・ライセンス・設定ファイル", {}, &TF1::MM_Help_AboutClick, false},
    });
    // clang-format on
}

void TF1::applyHints() {
    setHint(CBox_Category, "カテゴリリスト");
    setHint(Pnl_FLBCount, "選択カテゴリ内の該当ファイル総数");
    setHint(LB_Title, "選択ディレクトリ内の該当ファイルリスト");
    setHint(DLB, "参照先ディレクトリの変更");
    setHint(Pnl_Header, "ヘッダ情報表示パネル");
    setHint(Lbl_Message_Title, "ヘッダ情報 タイトル");
    setHint(Lbl_Message_Name, "ヘッダ情報 名前");
    setHint(Lbl_Message_Mail, "ヘッダ情報 メールアドレス");
    setHint(Lbl_Message_Web, "ヘッダ情報 ウェブアドレス");
    setHint(Lbl_Message_Date, "ヘッダ情報 作成日");
}

void TF1::keepControlsWhole() {
    // The count caption as wide as the listed count can make it: every line
    // shown under a filter. Italic letters lean past their advance, so a
    // letter's width more keeps the last one whole.
    const QString count = QString::number(FLB.names().size());
    const QString widest = QStringLiteral("Total Message : %1 (%1 shown) ").arg(count);
    const QFontMetrics countMetrics(Pnl_FLBCount->font());
    const int leftWidth = countMetrics.horizontalAdvance(widest) + countMetrics.horizontalAdvance(QLatin1Char('M')) +
                          2 * (Pnl_FLBCount->frameWidth() + Pnl_FLBCount->margin());
    // Every button of the bar with its whole caption, and the header
    // captions with room for a value.
    const int rightWidth = std::max(Pnl_Control->sizeHint().width(), Lbl_Info_Title->x() + 120);
    Pnl_Thread->setMinimumWidth(leftWidth);
    Pnl_Message->setMinimumWidth(rightWidth);

    // The filter field and three titles above the folder chooser.
    const int titleHeight = Edt_TitleFilter->sizeHint().height() + 3 * LB_Title->fontMetrics().height() + 8;
    constexpr int dirHeight = 40;
    Pnl_TitleList->setMinimumHeight(titleHeight);
    Pnl_Dir->setMinimumHeight(dirHeight);
    const int leftHeight =
        Pnl_FLBCount->y() + Pnl_FLBCount->height() + 1 + titleHeight + Splitter1->handleWidth() + dirHeight;

    // The Find box, when it opens, gets the room for eight result rows, as
    // far as the title list's least height leaves it. Only its pane grows:
    // the sizes it closes back to stay as they were.
    Pnl_Find->keepResultRows(8);
    const int findHeight = Pnl_Find->minimumSizeHint().height();
    const QList<int> sizes = Splitter1->sizes();
    if (!Pnl_Find->isHidden() && sizes.size() == 2 && sizes[1] < findHeight) {
        const int total = sizes[0] + sizes[1];
        const int dir = std::min(findHeight, total - titleHeight);
        if (dir > sizes[1])
            Splitter1->setSizes({total - dir, dir});
    }
    // The bar, the header panel and three lines of text.
    const int rightHeight = Pnl_Control->height() + Pnl_Header->height() + 3 * Memo_log->fontMetrics().lineSpacing() +
                            2 * Memo_log->frameWidth();
    Pnl_Main->setMinimumSize(leftWidth + Splitter->handleWidth() + rightWidth, std::max(leftHeight, rightHeight));
}

void TF1::FormResize() {
    Pnl_Main->resize(centralWidget()->size());
    CBox_Category->resize(Pnl_List_Caption->width(), CBox_Category->height());
    Pnl_FLBCount->resize(Pnl_List_Caption->width(), Pnl_FLBCount->height());
    const int listHeight = Pnl_Thread->height() - Pnl_FLBCount->y() - Pnl_FLBCount->height() - 1;
    if (listHeight > 0)
        Pnl_List->resize(Pnl_List->width(), listHeight);
    Pnl_Thread->relayout();
}

void TF1::SplitterCanResize() {
    CBox_Category->resize(Pnl_List_Caption->width(), CBox_Category->height());
    Pnl_FLBCount->resize(Pnl_List_Caption->width(), Pnl_FLBCount->height());
}

void TF1::applyGeometry(const BrowserGeometry &g) {
    centralWidget()->move(0, 0);
    const int menu = menuBar()->sizeHint().height();
    const QSize frame = frameGeometry().size() - geometry().size();
    const bool unplaced = qint64(g.left) + g.top == kGeometryUnplacedSum;
    // The least client size at which every control is whole.
    keepControlsWhole();
    const int leastWidth = std::max(kMinimumWidth, Pnl_Main->minimumWidth());
    const int leastHeight = std::max(kMinimumHeight, Pnl_Main->minimumHeight());

    // The screen the window lands on: the one that holds its stored place,
    // else the primary one, where it is centred.
    QScreen *screen = nullptr;
    if (!unplaced)
        for (QScreen *s : QGuiApplication::screens())
            if (!screen && meets(s->geometry(), g.left, g.top, g.width, qint64(g.height) + menu))
                screen = s;
    const bool centre = !screen;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);

    // Too small to use is raised; larger than the screen is fitted to it.
    if (unplaced) {
        // Stored sizes are outer sizes here.
        if (screen)
            setScreen(screen);
        placeOuter(this,
                   QSize(clampTo(g.width, leastWidth + frame.width(), area.width()),
                         clampTo(g.height, leastHeight + menu + frame.height(), area.height())),
                   true);
    } else {
        const int W = clampTo(g.width, leastWidth, area.width() - frame.width());
        const int H = clampTo(g.height, leastHeight, area.height() - frame.height() - menu);
        resize(W, H + menu);
        if (centre)
            centreOnScreen(this);
        else
            move(clampTo(g.left, area.x(), area.x() + area.width()),
                 clampTo(g.top, area.y(), area.y() + area.height()));
        if (screen)
            setScreen(screen);
        fitToScreen(this);
    }
    // Lay out the panes at the new size before the pane sizes are applied,
    // each kept within what leaves the controls beside it whole.
    Pnl_Main->resize(width(), height() - menu);
    const int S1 = clampTo(g.splitter1, Pnl_Thread->minimumWidth(),
                           Pnl_Main->width() - Splitter->handleWidth() - Pnl_Message->minimumWidth());
    Splitter->resize(Pnl_Main->size());
    Splitter->setSizes({S1, std::max(Pnl_Main->width() - S1, 1)});
    Pnl_Thread->resize(S1, Pnl_Main->height());
    FormResize();
    const int S2 = clampTo(g.splitter2, Pnl_TitleList->minimumHeight(),
                           Pnl_List->height() - Splitter1->handleWidth() - Pnl_Dir->minimumHeight());
    Splitter1->setSizes({S2, std::max(Pnl_List->height() - S2, 1)});
    Pnl_TitleList->resize(Pnl_TitleList->width(), S2);
}

BrowserGeometry TF1::geometryToStore() const {
    return {
        x(), y(), centralWidget()->width(), centralWidget()->height(), Pnl_Thread->width(), titleListHeightToStore()};
}

void TF1::resizeEvent(QResizeEvent *e) {
    QMainWindow::resizeEvent(e);
    FormResize();
}

void TF1::closeEvent(QCloseEvent *e) {
    // The browser is left only through Close and Setup.
    e->ignore();
}

} // namespace vb
