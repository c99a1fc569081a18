#pragma once
// The tests' window into the browser: its controls, which the program keeps
// to itself, by the names the program gives them.

#include "browser/browser_window.h"

namespace vb {

class BrowserProbe {
public:
    explicit BrowserProbe(TF1 &b)
        : Pnl_Main(b.Pnl_Main), Splitter(b.Splitter), Pnl_Thread(b.Pnl_Thread), Pnl_List_Caption(b.Pnl_List_Caption),
          CBox_Category(b.CBox_Category), Pnl_FLBCount(b.Pnl_FLBCount), Pnl_List(b.Pnl_List), Splitter1(b.Splitter1),
          Pnl_TitleList(b.Pnl_TitleList), LB_Title(b.LB_Title), Pnl_Dir(b.Pnl_Dir), DLB(b.DLB),
          Pnl_Message(b.Pnl_Message), Pnl_Control(b.Pnl_Control), Pnl_Header(b.Pnl_Header), Bvl_Message(b.Bvl_Message),
          Lbl_Message_Title(b.Lbl_Message_Title), Lbl_Message_Name(b.Lbl_Message_Name),
          Lbl_Message_Mail(b.Lbl_Message_Mail), Lbl_Message_Web(b.Lbl_Message_Web),
          Lbl_Message_Date(b.Lbl_Message_Date), Lbl_Info_Title(b.Lbl_Info_Title), Lbl_Info_Name(b.Lbl_Info_Name),
          Lbl_Info_Mail(b.Lbl_Info_Mail), Lbl_Info_Web(b.Lbl_Info_Web), Lbl_Info_Date(b.Lbl_Info_Date),
          Memo_log(b.Memo_log), Btn_Top(b.Btn_Top), Btn_End(b.Btn_End), Btn_Next(b.Btn_Next), Btn_Back(b.Btn_Back),
          Btn_Next100(b.Btn_Next100), Btn_Back100(b.Btn_Back100), Btn_Res_Back(b.Btn_Res_Back),
          Btn_Res_Next(b.Btn_Res_Next), Btn_Font(b.Btn_Font), Btn_Sort(b.Btn_Sort), Btn_Title(b.Btn_Title),
          Btn_Default(b.Btn_Default), Btn_Setup(b.Btn_Setup), Btn_Close(b.Btn_Close), Btn_Edit(b.Btn_Edit),
          Btn_Save(b.Btn_Save), Btn_Print(b.Btn_Print), MM_File(b.MM_File), MM_Edit(b.MM_Edit), MM_View(b.MM_View),
          MM_View_Res(b.MM_View_Res), MM_Option(b.MM_Option), MM_Help(b.MM_Help), MM_File_New(b.MM_File_New),
          MM_File_Delete(b.MM_File_Delete), MM_File_Save(b.MM_File_Save), MM_File_SaveAs(b.MM_File_SaveAs),
          MM_File_PrinterSetup(b.MM_File_PrinterSetup), MM_File_Print(b.MM_File_Print),
          MM_File_PrintPreview(b.MM_File_PrintPreview), MM_File_ExportPdf(b.MM_File_ExportPdf),
          MM_File_Close(b.MM_File_Close), MM_Edit_Edit(b.MM_Edit_Edit), MM_Edit_Header(b.MM_Edit_Header),
          MM_View_Top(b.MM_View_Top), MM_View_Next100(b.MM_View_Next100), MM_View_Next1(b.MM_View_Next1),
          MM_View_Back1(b.MM_View_Back1), MM_View_Back100(b.MM_View_Back100), MM_View_End(b.MM_View_End),
          MM_View_Res_Back(b.MM_View_Res_Back), MM_View_Res_Next(b.MM_View_Res_Next),
          MM_View_Res_NextK(b.MM_View_Res_NextK), MM_Option_ApplicationSetup(b.MM_Option_ApplicationSetup),
          MM_Option_Setup(b.MM_Option_Setup), MM_Option_Font_Fixed(b.MM_Option_Font_Fixed),
          MM_Option_Font_Variable(b.MM_Option_Font_Variable), MM_Option_Sort_Descending(b.MM_Option_Sort_Descending),
          MM_Option_Sort_Ascending(b.MM_Option_Sort_Ascending), MM_Option_Title_File(b.MM_Option_Title_File),
          MM_Option_Title_Text(b.MM_Option_Title_Text), MM_Help_Version(b.MM_Help_Version),
          MM_View_GoToNumber(b.MM_View_GoToNumber), MM_Edit_Find(b.MM_Edit_Find), MM_Edit_FindNext(b.MM_Edit_FindNext),
          MM_Edit_FindPrevious(b.MM_Edit_FindPrevious), Pnl_Find(b.Pnl_Find), MM_View_Filter(b.MM_View_Filter),
          Edt_TitleFilter(b.Edt_TitleFilter), MM_View_Thread(b.MM_View_Thread), MM_View_Reload(b.MM_View_Reload) {}

    Panel *&Pnl_Main;
    QSplitter *&Splitter;
    Panel *&Pnl_Thread;
    Panel *&Pnl_List_Caption;
    ComboList *&CBox_Category;
    QLabel *&Pnl_FLBCount;
    Panel *&Pnl_List;
    QSplitter *&Splitter1;
    Panel *&Pnl_TitleList;
    TitleList *&LB_Title;
    Panel *&Pnl_Dir;
    DirChooser *&DLB;
    Panel *&Pnl_Message;
    QWidget *&Pnl_Control;
    QWidget *&Pnl_Header;
    QFrame *&Bvl_Message;
    QLabel *&Lbl_Message_Title;
    QLabel *&Lbl_Message_Name;
    QLabel *&Lbl_Message_Mail;
    QLabel *&Lbl_Message_Web;
    QLabel *&Lbl_Message_Date;
    QLabel *&Lbl_Info_Title;
    QLabel *&Lbl_Info_Name;
    QLabel *&Lbl_Info_Mail;
    QLabel *&Lbl_Info_Web;
    QLabel *&Lbl_Info_Date;
    Memo *&Memo_log;
    FlatButton *&Btn_Top;
    FlatButton *&Btn_End;
    FlatButton *&Btn_Next;
    FlatButton *&Btn_Back;
    FlatButton *&Btn_Next100;
    FlatButton *&Btn_Back100;
    FlatButton *&Btn_Res_Back;
    FlatButton *&Btn_Res_Next;
    FlatButton *&Btn_Font;
    FlatButton *&Btn_Sort;
    FlatButton *&Btn_Title;
    FlatButton *&Btn_Default;
    FlatButton *&Btn_Setup;
    FlatButton *&Btn_Close;
    FlatButton *&Btn_Edit;
    FlatButton *&Btn_Save;
    FlatButton *&Btn_Print;
    QMenu *&MM_File;
    QMenu *&MM_Edit;
    QMenu *&MM_View;
    QMenu *&MM_View_Res;
    QMenu *&MM_Option;
    QMenu *&MM_Help;
    MenuEntry *&MM_File_New;
    MenuEntry *&MM_File_Delete;
    MenuEntry *&MM_File_Save;
    MenuEntry *&MM_File_SaveAs;
    MenuEntry *&MM_File_PrinterSetup;
    MenuEntry *&MM_File_Print;
    MenuEntry *&MM_File_PrintPreview;
    MenuEntry *&MM_File_ExportPdf;
    MenuEntry *&MM_File_Close;
    MenuEntry *&MM_Edit_Edit;
    MenuEntry *&MM_Edit_Header;
    MenuEntry *&MM_View_Top;
    MenuEntry *&MM_View_Next100;
    MenuEntry *&MM_View_Next1;
    MenuEntry *&MM_View_Back1;
    MenuEntry *&MM_View_Back100;
    MenuEntry *&MM_View_End;
    MenuEntry *&MM_View_Res_Back;
    MenuEntry *&MM_View_Res_Next;
    std::array<MenuEntry *, 10> &MM_View_Res_NextK;
    MenuEntry *&MM_Option_ApplicationSetup;
    MenuEntry *&MM_Option_Setup;
    MenuEntry *&MM_Option_Font_Fixed;
    MenuEntry *&MM_Option_Font_Variable;
    MenuEntry *&MM_Option_Sort_Descending;
    MenuEntry *&MM_Option_Sort_Ascending;
    MenuEntry *&MM_Option_Title_File;
    MenuEntry *&MM_Option_Title_Text;
    MenuEntry *&MM_Help_Version;
    MenuEntry *&MM_View_GoToNumber;
    MenuEntry *&MM_Edit_Find;
    MenuEntry *&MM_Edit_FindNext;
    MenuEntry *&MM_Edit_FindPrevious;
    FindPanel *&Pnl_Find;
    MenuEntry *&MM_View_Filter;
    TextField *&Edt_TitleFilter;
    MenuEntry *&MM_View_Thread;
    MenuEntry *&MM_View_Reload;
};

} // namespace vb
