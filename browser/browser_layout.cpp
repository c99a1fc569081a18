// The browser's panes, control panel, header panel and menus, and the upkeep
// of the panes when the window or the splitter is resized.

#include "browser/browser_window.h"
#include "messages/numbers.h"
#include "ui/core/apptitle.h"
#include "ui/widgets/guard.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QMenuBar>
#include <QSplitter>

namespace vb {
namespace {

QLabel *makeLabel(QWidget *parent, const char *caption, int left, int top) {
    auto *l = new QLabel(QString::fromUtf8(caption), parent);
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

} // namespace

TF1::TF1(Settings &settings) : QMainWindow(nullptr), settings_(settings) {
    setWindowTitle(toUnicode(appTitle()));
    // A sizeable frame without a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint);
    buildPanes();
    buildMenus();
    applyHints();
}

void TF1::buildPanes() {
    Pnl_Main = new Panel(this);
    Pnl_Main->setObjectName("Pnl_Main");
    setCentralWidget(Pnl_Main);

    Splitter = makeSplitter(Qt::Horizontal, "Splitter");
    Pnl_Main->dock(Splitter, Panel::Client);

    // Left pane: category box, count, title list and directory chooser.
    Pnl_Thread = new Panel;
    Pnl_Thread->setObjectName("Pnl_Thread");
    Pnl_List_Caption = new Panel;
    Pnl_List_Caption->resize(185, 21);
    Pnl_Thread->dock(Pnl_List_Caption, Panel::Top);
    CBox_Category = new ComboList(Pnl_List_Caption);
    CBox_Category->setObjectName("CBox_Category");
    CBox_Category->setGeometry(0, 0, 185, 21);
    CBox_Category->onUserChange = [this] { guarded([this] { CategoryBox_ListChange(); }); };

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

    Pnl_List = new Panel;
    Pnl_List->resize(185, 300);
    Pnl_Thread->dock(Pnl_List, Panel::Bottom);
    Splitter1 = makeSplitter(Qt::Vertical, "Splitter1");
    Pnl_List->dock(Splitter1, Panel::Client);

    Pnl_TitleList = new Panel;
    Pnl_TitleList->setObjectName("Pnl_TitleList");
    LB_Title = new TitleList;
    LB_Title->setObjectName("LB_Title");
    LB_Title->setFont(pixelFont("ＭＳ ゴシック", 12, false));
    LB_Title->onUserSelect = [this] { guarded([this] { TextLoad(); }); };
    Pnl_TitleList->dock(LB_Title, Panel::Client);
    Pnl_Dir = new Panel;
    DLB = new DirChooser;
    DLB->setObjectName("DLB");
    DLB->onChange = [this] { guarded([this] { DLBChange(); }); };
    Pnl_Dir->dock(DLB, Panel::Client);
    Splitter1->addWidget(Pnl_TitleList);
    Splitter1->addWidget(Pnl_Dir);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);

    // Right pane: control panel, header panel, message text.
    Pnl_Message = new Panel;
    Pnl_Message->setObjectName("Pnl_Message");
    buildControlPanel();
    buildHeaderPanel();
    Memo_log = new Memo;
    Memo_log->setObjectName("Memo_log");
    Memo_log->setReadOnly(true);
    Pnl_Message->dock(Memo_log, Panel::Client);

    Splitter->addWidget(Pnl_Thread);
    Splitter->addWidget(Pnl_Message);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { SplitterCanResize(); });
}

void TF1::buildControlPanel() {
    Pnl_Control = new QWidget;
    Pnl_Control->setObjectName("Pnl_Control");
    auto *grid = new QGridLayout(Pnl_Control);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    auto button = [this, grid](FlatButton *&b, const char *caption, int row, int col, auto handler) {
        b = new FlatButton(caption, Pnl_Control);
        b->setObjectName(QString::fromUtf8("Btn_") + QString::fromUtf8(caption));
        b->setMinimumWidth(44);
        grid->addWidget(b, row, col);
        connectGuarded(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    button(Btn_Top, "Top", 0, 0, &TF1::Btn_TopClick);
    button(Btn_Next100, "+100", 0, 1, &TF1::Btn_Next100Click);
    button(Btn_Next, "+1", 0, 2, &TF1::Btn_NextClick);
    button(Btn_Res_Back, "Back", 0, 4, &TF1::MM_View_Res_BackClick);
    button(Btn_Font, "Fixed", 0, 6, &TF1::Btn_FontClick);
    button(Btn_Sort, "Descending", 0, 7, &TF1::Btn_SortClick);
    button(Btn_Setup, "Setup", 0, 9, &TF1::Btn_SetupClick);
    button(Btn_End, "End", 1, 0, &TF1::Btn_EndClick);
    button(Btn_Back100, "-100", 1, 1, &TF1::Btn_Back100Click);
    button(Btn_Back, "-1", 1, 2, &TF1::Btn_BackClick);
    button(Btn_Title, "File", 1, 6, &TF1::Btn_TitleClick);
    button(Btn_Default, "Default", 1, 7, &TF1::Btn_DefaultClick);
    button(Btn_Close, "Close", 1, 9, &TF1::Btn_CloseClick);
    button(Btn_Print, "Print", 0, 10, &TF1::Btn_PrintClick);
    Btn_Res_Next = new FlatButton("Next", Pnl_Control);
    Btn_Res_Next->setMinimumWidth(44);
    grid->addWidget(Btn_Res_Next, 1, 4);
    connectGuarded(Btn_Res_Next, &QToolButton::clicked, this, [this] { MM_View_Res_NextClick(1); });
    grid->setColumnMinimumWidth(3, 8);
    grid->setColumnMinimumWidth(5, 8);
    grid->setColumnStretch(8, 1);
    Btn_Next->setObjectName("Btn_Next");
    Btn_Back->setObjectName("Btn_Back");
    Btn_Next100->setObjectName("Btn_Next100");
    Btn_Back100->setObjectName("Btn_Back100");
    Btn_Font->setObjectName("Btn_Font");
    Btn_Sort->setObjectName("Btn_Sort");
    Btn_Title->setObjectName("Btn_Title");
    Btn_Res_Back->setObjectName("Btn_Res_Back");
    Btn_Res_Next->setObjectName("Btn_Res_Next");
    Pnl_Control->resize(400, Pnl_Control->sizeHint().height());
    Pnl_Message->dock(Pnl_Control, Panel::Top);
}

void TF1::buildHeaderPanel() {
    Pnl_Header = new QWidget;
    Pnl_Header->setObjectName("Pnl_Header");
    Pnl_Header->setAutoFillBackground(true);
    Pnl_Header->resize(400, 85);
    Bvl_Message = new QFrame(Pnl_Header);
    Bvl_Message->setFrameShape(QFrame::Box);
    Bvl_Message->setFrameShadow(QFrame::Sunken);
    Bvl_Message->setGeometry(0, 0, 4000, 37);

    const QFont small = pixelFont("ＭＳ Ｐゴシック", 12, false);
    const QFont big = pixelFont("ＭＳ Ｐゴシック", 16, true);
    Lbl_Message_Title = makeLabel(Pnl_Header, "Title", 5, 3);
    Lbl_Message_Name = makeLabel(Pnl_Header, "Name", 5, 18);
    Lbl_Message_Mail = makeLabel(Pnl_Header, "Mail Address", 5, 38);
    Lbl_Message_Web = makeLabel(Pnl_Header, "Web Address", 5, 53);
    Lbl_Message_Date = makeLabel(Pnl_Header, "Date", 5, 68);
    Lbl_Info_Title = makeLabel(Pnl_Header, "", 85, 2);
    Lbl_Info_Name = makeLabel(Pnl_Header, "", 85, 18);
    Lbl_Info_Mail = makeLabel(Pnl_Header, "", 85, 38);
    Lbl_Info_Web = makeLabel(Pnl_Header, "", 85, 53);
    Lbl_Info_Date = makeLabel(Pnl_Header, "", 85, 68);
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

void TF1::buildMenus() {
    QMenuBar *bar = menuBar();
    auto entry = [this](QMenu *menu, const char *caption, auto handler, const QKeySequence &keys = {}) {
        auto *e = new MenuEntry(caption, menu);
        if (!keys.isEmpty())
            e->setShortcut(keys);
        menu->addAction(e);
        connectGuarded(e, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return e;
    };

    MM_File = bar->addMenu(QStringLiteral("&File"));
    MM_File_PrinterSetup = entry(MM_File, "PrinterSetup", &TF1::MM_File_PrinterSetupClick);
    MM_File_Print = entry(MM_File, "Print", &TF1::Btn_PrintClick, QKeySequence(Qt::CTRL | Qt::Key_P));
    MM_File_PrintPreview = entry(MM_File, "Print Preview", &TF1::MM_File_PrintPreviewClick);
    MM_File_ExportPdf = entry(MM_File, "Export PDF", &TF1::MM_File_ExportPdfClick);
    MM_File->addSeparator();
    MM_File_Close = entry(MM_File, "Close", &TF1::Btn_CloseClick, QKeySequence(Qt::CTRL | Qt::Key_W));

    MM_Edit = bar->addMenu(QStringLiteral("&Edit"));
    MM_Edit->setEnabled(false); // its commands come with editing

    MM_View = bar->addMenu(QStringLiteral("&View"));
    MM_View_Top = entry(MM_View, "Top", &TF1::Btn_TopClick, QKeySequence(Qt::CTRL | Qt::Key_Home));
    MM_View_Next100 = entry(MM_View, "Next ( + 100 )", &TF1::Btn_Next100Click, QKeySequence(Qt::ALT | Qt::Key_PageUp));
    MM_View_Next1 = entry(MM_View, "Next ( + 1 )", &TF1::Btn_NextClick, QKeySequence(Qt::ALT | Qt::Key_Up));
    MM_View->addSeparator();
    MM_View_Res = MM_View->addMenu(QStringLiteral("&Res Message"));
    MM_View_Res_Back = entry(MM_View_Res, "Back :", &TF1::MM_View_Res_BackClick, QKeySequence(Qt::CTRL | Qt::Key_Left));
    MM_View_Res->addSeparator();
    MM_View_Res_Next = new MenuEntry("Next Res Message", MM_View_Res);
    MM_View_Res_Next->setEnabled(false);
    MM_View_Res->addAction(MM_View_Res_Next);
    for (int k = 1; k <= 10; ++k) {
        auto *e = new MenuEntry(twoDigit(k) + " :", MM_View_Res);
        MM_View_Res->addAction(e);
        if (k == 1)
            e->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
        else
            e->setShortcut(QKeySequence(Qt::CTRL | (k == 10 ? Qt::Key_0 : Qt::Key(Qt::Key_0 + k))));
        connectGuarded(e, &QAction::triggered, this, [this, k] { MM_View_Res_NextClick(k); });
        MM_View_Res_NextK[size_t(k - 1)] = e;
    }
    MM_View->addSeparator();
    MM_View_Back1 = entry(MM_View, "Back ( - 1 )", &TF1::Btn_BackClick, QKeySequence(Qt::ALT | Qt::Key_Down));
    MM_View_Back100 =
        entry(MM_View, "Back ( + 100 )", &TF1::Btn_Back100Click, QKeySequence(Qt::ALT | Qt::Key_PageDown));
    MM_View_End = entry(MM_View, "End", &TF1::Btn_EndClick, QKeySequence(Qt::CTRL | Qt::Key_End));

    MM_Option = bar->addMenu(QStringLiteral("&Option"));
    MM_Option_ApplicationSetup = entry(MM_Option, "Application Setup", &TF1::MM_Option_ApplicationSetupClick);
    MM_Option_Setup = entry(MM_Option, "Category Setup", &TF1::Btn_SetupClick);
    MM_Option->addSeparator();
    QMenu *font = MM_Option->addMenu(QStringLiteral("Font"));
    MM_Option_Font_Fixed = entry(font, "Fixed", &TF1::Btn_Font_FixedClick);
    MM_Option_Font_Variable = entry(font, "Variable", &TF1::Btn_Font_VariableClick);
    QMenu *sort = MM_Option->addMenu(QStringLiteral("Sort"));
    MM_Option_Sort_Descending = entry(sort, "Descending Order", &TF1::Btn_Sort_DescendingClick);
    MM_Option_Sort_Ascending = entry(sort, "Ascending Order", &TF1::Btn_Sort_AscendingClick);
    QMenu *title = MM_Option->addMenu(QStringLiteral("Title Text"));
    MM_Option_Title_File = entry(title, "File Name", &TF1::Btn_Title_FileClick);
    MM_Option_Title_Text = entry(title, "Text Line", &TF1::Btn_Title_TextClick);
    for (MenuEntry *e : {MM_Option_Font_Fixed, MM_Option_Font_Variable, MM_Option_Sort_Descending,
                         MM_Option_Sort_Ascending, MM_Option_Title_File, MM_Option_Title_Text})
        e->setCheckable(true);

    for (QMenu *m : {MM_File, MM_View, MM_View_Res, MM_Option})
        m->setToolTipsVisible(true);

    MM_Help = bar->addMenu(QStringLiteral("&Help"));
    MM_Help_Version = entry(MM_Help, "Version", &TF1::MM_Help_VersionClick);
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
    setHint(Btn_Font, "等倍幅 <-> 可変幅 フォントの切替");
    setHint(Btn_Sort, "降順 <-> 昇順 ソートの切替");
    setHint(Btn_Title, "タイトル <-> テキスト リスト表示の切替 (Text Mode時)");
    setHint(Btn_Print, "印刷");
    MM_View_Res->menuAction()->setToolTip(QString::fromUtf8("関連発言"));
    MM_View_Res_Back->setToolTip(QString::fromUtf8("上位関連発言"));
    MM_View_Res_Next->setToolTip(QString::fromUtf8("下位関連発言"));
    for (int k = 1; k <= 10; ++k)
        MM_View_Res_NextK[size_t(k - 1)]->setToolTip(QString::fromUtf8("下位関連発言 ") + toUnicode(twoDigit(k)));
    MM_Option_ApplicationSetup->setToolTip(QString::fromUtf8("動作設定"));
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

bool TF1::SplitterCanResize() {
    CBox_Category->resize(Pnl_List_Caption->width(), CBox_Category->height());
    Pnl_FLBCount->resize(Pnl_List_Caption->width(), Pnl_FLBCount->height());
    return true;
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
