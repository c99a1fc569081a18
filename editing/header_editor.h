#pragma once
// The header editor on the shared window: rewrites the message on view with
// a new or changed header block (number, title, name, mail and web address,
// date, up to ten next links and one back link), under its own name, a typed
// name or the name its number gives, and can drop the old file. It can also
// give a plain text file a header, or write a message's body without one.
//
// Its operations are spread over files by role: header_editor.cpp (the
// controls and their arrangement), header_editor_open.cpp (opening, the
// restores, enabling, the date stamp), header_editor_write.cpp (OK, Cancel
// and the writes).

#include "browser/browser_host.h"
#include "messages/current_message.h"
#include "messages/writer.h"

#include <QDateTime>
#include <QObject>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vb {

class SpinEdit;
class TF3;

class HeaderEditor : public QObject {
    Q_OBJECT
public:
    using Clock = QDateTime (*)();

    // Builds the controls on panel, the header-edit panel of window.
    HeaderEditor(TF3 *window, QWidget *panel);
    // The window the editor reports its write and its closing to.
    void setBrowser(HeaderEditReturn *browser) { browser_ = browser; }
    // The local date and time for "Now"; the system clock by default.
    void setClock(Clock clock) { clock_ = clock; }

    // Opening: clears every field, then fills it from the message on view
    // the request carries, with the body to write under the header.
    void DefaultSetup(const HeaderEditRequest &request);
    void Def_Number();
    void Def_Title();
    void Def_Name();
    void Def_Mail();
    void Def_Web();
    void Def_Date();
    void Def_File();
    void Def_ResNext();
    void Def_ResBack();
    void CB_LogFileClick();
    void HeaderEnable(bool enabled);
    void Btn_Header_Date_NowClick();

    // Leaving.
    void Btn_Header_OKClick();
    void Btn_Header_CancelClick();
    // The record to write: the editor's header values, or the message on
    // view under the name in the file field.
    CurrentMessage HeaderUpDate_LogMode() const;
    CurrentMessage HeaderUpDate_TextMode() const;
    // Assemble the file with or without a header and write it; false when
    // the user declined to replace another file, or a file changed on disk
    // since the load (the editor stays open).
    bool LogInformation(const CurrentMessage &record);
    bool UpDate_Text(const CurrentMessage &record);

private:
    // The controls, by role (header_editor.cpp).
    void buildLogHeaderPanel();
    void buildNumberRow();
    void buildTextRows();
    void buildNextRows();
    void buildBackRow();
    void buildPanelCaption();
    void buildFileRow();
    void buildOptionBoxes();
    void buildLeaveButtons();
    void connectHandlers();
    void clearNextLinks();
    void clearBackLink();
    bool logMode() const;
    const CurrentMessage &current() const;
    // Writes the lines to the record's file, then drops the old file when
    // that was asked for and names another file.
    bool replaceMessage(const CurrentMessage &record, const Lines &Memo_tmp);
    // Hides the editor and lets the browser select its category afresh.
    void close();

    TF3 *window_ = nullptr;
    QWidget *panel_ = nullptr; // the window's header-edit panel
    HeaderEditReturn *browser_ = nullptr;
    Clock clock_ = &QDateTime::currentDateTime;
    HeaderEditRequest request_; // what the browser handed over at opening

    // Controls. Every one the user works has its member's name as object
    // name (CB_Next1 .. CB_Next10 and SE_Next1 .. SE_Next10 for the slots).
    // Every header field but the file name lies on Pnl_LogHeader.
    QFrame *Pnl_LogHeader = nullptr;
    QLabel *Lbl_Header_LogOnly = nullptr;
    QLabel *Lbl_Header_Number = nullptr;
    QLabel *Lbl_Header_Title = nullptr;
    QLabel *Lbl_Header_Name = nullptr;
    QLabel *Lbl_Header_Mail = nullptr;
    QLabel *Lbl_Header_Web = nullptr;
    QLabel *Lbl_Header_Date = nullptr;
    QLabel *Lbl_Header_Next = nullptr;
    QLabel *Lbl_Header_Back = nullptr;
    QLabel *Lbl_Header_File = nullptr;
    SpinEdit *SE_Header_Number = nullptr;
    QLineEdit *E_Header_Title = nullptr;
    QLineEdit *E_Header_Name = nullptr;
    QLineEdit *E_Header_Mail = nullptr;
    QLineEdit *E_Header_Web = nullptr;
    QLineEdit *E_Header_Date = nullptr;
    QLineEdit *E_Header_File = nullptr;
    QPushButton *Btn_Header_Date_Now = nullptr;
    std::array<QCheckBox *, 10> CB_Next{};
    std::array<SpinEdit *, 10> SE_Next{};
    QCheckBox *CB_Back = nullptr;
    SpinEdit *SE_Back = nullptr;
    QPushButton *Btn_Header_Number = nullptr;
    QPushButton *Btn_Header_Title = nullptr;
    QPushButton *Btn_Header_Name = nullptr;
    QPushButton *Btn_Header_Mail = nullptr;
    QPushButton *Btn_Header_Web = nullptr;
    QPushButton *Btn_Header_Date = nullptr;
    QPushButton *Btn_Header_Next = nullptr;
    QPushButton *Btn_Header_Back = nullptr;
    QPushButton *Btn_Header_File = nullptr;
    QCheckBox *CB_LogFile = nullptr;
    QCheckBox *CB_AutoFileName = nullptr;
    QCheckBox *CB_DeleteOldFile = nullptr;
    QPushButton *Btn_Header_OK = nullptr;
    QPushButton *Btn_Header_Cancel = nullptr;
};

} // namespace vb
