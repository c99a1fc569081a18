#pragma once
// The tests' window into the browser: its controls, which the program keeps
// to itself, found by the object names the program gives them.

#include "browser/browser_window.h"
#include "browser/find_panel.h"
#include "tests/common/controls.h"
#include "ui/widgets/dirchooser.h"
#include "ui/widgets/memo.h"
#include "ui/widgets/textfield.h"
#include "ui/widgets/titlelist.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <array>

namespace vb {

class BrowserProbe {
    const TF1 &window_;

public:
    explicit BrowserProbe(const TF1 &window) : window_(window) {}

    // clang-format off
    Panel *Pnl_Main = vbtest::control<Panel>(window_, QStringLiteral("Pnl_Main"));
    QSplitter *Splitter = vbtest::control<QSplitter>(window_, QStringLiteral("Splitter"));
    Panel *Pnl_Thread = vbtest::control<Panel>(window_, QStringLiteral("Pnl_Thread"));
    Panel *Pnl_List_Caption = vbtest::control<Panel>(window_, QStringLiteral("Pnl_List_Caption"));
    ComboList *CBox_Category = vbtest::control<ComboList>(window_, QStringLiteral("CBox_Category"));
    QLabel *Pnl_FLBCount = vbtest::control<QLabel>(window_, QStringLiteral("Pnl_FLBCount"));
    Panel *Pnl_List = vbtest::control<Panel>(window_, QStringLiteral("Pnl_List"));
    QSplitter *Splitter1 = vbtest::control<QSplitter>(window_, QStringLiteral("Splitter1"));
    Panel *Pnl_TitleList = vbtest::control<Panel>(window_, QStringLiteral("Pnl_TitleList"));
    TitleList *LB_Title = vbtest::control<TitleList>(window_, QStringLiteral("LB_Title"));
    Panel *Pnl_Dir = vbtest::control<Panel>(window_, QStringLiteral("Pnl_Dir"));
    DirChooser *DLB = vbtest::control<DirChooser>(window_, QStringLiteral("DLB"));
    Panel *Pnl_Message = vbtest::control<Panel>(window_, QStringLiteral("Pnl_Message"));
    QWidget *Pnl_Control = vbtest::control<QWidget>(window_, QStringLiteral("Pnl_Control"));
    QWidget *Pnl_Header = vbtest::control<QWidget>(window_, QStringLiteral("Pnl_Header"));
    QFrame *Bvl_Message = vbtest::control<QFrame>(window_, QStringLiteral("Bvl_Message"));
    QLabel *Lbl_Message_Title = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Message_Title"));
    QLabel *Lbl_Message_Name = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Message_Name"));
    QLabel *Lbl_Message_Mail = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Message_Mail"));
    QLabel *Lbl_Message_Web = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Message_Web"));
    QLabel *Lbl_Message_Date = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Message_Date"));
    QLabel *Lbl_Info_Title = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Info_Title"));
    QLabel *Lbl_Info_Name = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Info_Name"));
    QLabel *Lbl_Info_Mail = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Info_Mail"));
    QLabel *Lbl_Info_Web = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Info_Web"));
    QLabel *Lbl_Info_Date = vbtest::control<QLabel>(window_, QStringLiteral("Lbl_Info_Date"));
    Memo *Memo_log = vbtest::control<Memo>(window_, QStringLiteral("Memo_log"));
    FlatButton *Btn_Top = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Top"));
    FlatButton *Btn_End = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_End"));
    FlatButton *Btn_Next = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Next"));
    FlatButton *Btn_Back = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Back"));
    FlatButton *Btn_Next100 = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Next100"));
    FlatButton *Btn_Back100 = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Back100"));
    FlatButton *Btn_Res_Back = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Res_Back"));
    FlatButton *Btn_Res_Next = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Res_Next"));
    FlatButton *Btn_Font = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Font"));
    FlatButton *Btn_Sort = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Sort"));
    FlatButton *Btn_Title = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Title"));
    FlatButton *Btn_Default = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Default"));
    FlatButton *Btn_Setup = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Setup"));
    FlatButton *Btn_Close = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Close"));
    FlatButton *Btn_Edit = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Edit"));
    FlatButton *Btn_Save = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Save"));
    FlatButton *Btn_Print = vbtest::control<FlatButton>(window_, QStringLiteral("Btn_Print"));
    QMenu *MM_File = vbtest::control<QMenu>(window_, QStringLiteral("MM_File"));
    QMenu *MM_Edit = vbtest::control<QMenu>(window_, QStringLiteral("MM_Edit"));
    QMenu *MM_View = vbtest::control<QMenu>(window_, QStringLiteral("MM_View"));
    QMenu *MM_View_Res = vbtest::control<QMenu>(window_, QStringLiteral("MM_View_Res"));
    QMenu *MM_Option = vbtest::control<QMenu>(window_, QStringLiteral("MM_Option"));
    QMenu *MM_Help = vbtest::control<QMenu>(window_, QStringLiteral("MM_Help"));
    MenuEntry *MM_File_New = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_New"));
    MenuEntry *MM_File_Delete = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_Delete"));
    MenuEntry *MM_File_Save = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_Save"));
    MenuEntry *MM_File_SaveAs = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_SaveAs"));
    MenuEntry *MM_File_PrinterSetup = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_PrinterSetup"));
    MenuEntry *MM_File_Print = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_Print"));
    MenuEntry *MM_File_PrintPreview = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_PrintPreview"));
    MenuEntry *MM_File_ExportPdf = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_ExportPdf"));
    MenuEntry *MM_File_Close = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_File_Close"));
    MenuEntry *MM_Edit_Edit = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Edit_Edit"));
    MenuEntry *MM_Edit_Header = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Edit_Header"));
    MenuEntry *MM_View_Top = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Top"));
    MenuEntry *MM_View_Next100 = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Next100"));
    MenuEntry *MM_View_Next1 = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Next1"));
    MenuEntry *MM_View_Back1 = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Back1"));
    MenuEntry *MM_View_Back100 = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Back100"));
    MenuEntry *MM_View_End = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_End"));
    MenuEntry *MM_View_Res_Back = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Res_Back"));
    MenuEntry *MM_View_Res_Next = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Res_Next"));
    std::array<MenuEntry *, 10> MM_View_Res_NextK = vbtest::controls<MenuEntry, 10>(window_, "MM_View_Res_Next");
    MenuEntry *MM_Option_ApplicationSetup = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_ApplicationSetup"));
    MenuEntry *MM_Option_Setup = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Setup"));
    MenuEntry *MM_Option_Font_Fixed = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Font_Fixed"));
    MenuEntry *MM_Option_Font_Variable = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Font_Variable"));
    MenuEntry *MM_Option_Sort_Descending = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Sort_Descending"));
    MenuEntry *MM_Option_Sort_Ascending = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Sort_Ascending"));
    MenuEntry *MM_Option_Title_File = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Title_File"));
    MenuEntry *MM_Option_Title_Text = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Option_Title_Text"));
    MenuEntry *MM_Help_Version = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Help_Version"));
    MenuEntry *MM_View_GoToNumber = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_GoToNumber"));
    MenuEntry *MM_Edit_Find = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Edit_Find"));
    MenuEntry *MM_Edit_FindNext = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Edit_FindNext"));
    MenuEntry *MM_Edit_FindPrevious = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_Edit_FindPrevious"));
    FindPanel *Pnl_Find = vbtest::control<FindPanel>(window_, QStringLiteral("Pnl_Find"));
    MenuEntry *MM_View_Filter = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Filter"));
    TextField *Edt_TitleFilter = vbtest::control<TextField>(window_, QStringLiteral("Edt_TitleFilter"));
    MenuEntry *MM_View_Thread = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Thread"));
    MenuEntry *MM_View_Reload = vbtest::control<MenuEntry>(window_, QStringLiteral("MM_View_Reload"));
    // clang-format on
};

// The Find box's controls.
class FindProbe {
    const FindPanel &panel_;

public:
    explicit FindProbe(const FindPanel &panel) : panel_(panel) {}

    // clang-format off
    TextField *Edt_FindText = vbtest::control<TextField>(panel_, QStringLiteral("Edt_FindText"));
    QCheckBox *Chk_FindRegex = vbtest::control<QCheckBox>(panel_, QStringLiteral("Chk_FindRegex"));
    QCheckBox *Chk_FindThisMessage = vbtest::control<QCheckBox>(panel_, QStringLiteral("Chk_FindThisMessage"));
    FlatButton *Btn_Find = vbtest::control<FlatButton>(panel_, QStringLiteral("Btn_Find"));
    FlatButton *Btn_FindStop = vbtest::control<FlatButton>(panel_, QStringLiteral("Btn_FindStop"));
    FlatButton *Btn_FindClose = vbtest::control<FlatButton>(panel_, QStringLiteral("Btn_FindClose"));
    QLabel *Lbl_FindStatus = vbtest::control<QLabel>(panel_, QStringLiteral("Lbl_FindStatus"));
    QListWidget *LB_FindResults = vbtest::control<QListWidget>(panel_, QStringLiteral("LB_FindResults"));
    // clang-format on
};

} // namespace vb
