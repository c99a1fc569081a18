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
#include <functional>

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
    using Clock = std::function<QDateTime()>;

    // Builds the controls on window's header-edit panel.
    explicit HeaderEditor(TF3 *window);
    // The window the editor reports its write and its closing to.
    void setBrowser(HeaderEditReturn *browser) { browser_ = browser; }
    // The local date and time for "Now"; the system clock by default.
    void setClock(Clock clock) { clock_ = std::move(clock); }

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

    // Controls. Every header field but the file name lies on Pnl_LogHeader.
    QFrame *Pnl_LogHeader = nullptr;
    QLabel *Lbl_Header_LogOnly = nullptr;
    QLabel *Lbl_Header_Number, *Lbl_Header_Title, *Lbl_Header_Name, *Lbl_Header_Mail, *Lbl_Header_Web;
    QLabel *Lbl_Header_Date, *Lbl_Header_Next, *Lbl_Header_Back, *Lbl_Header_File;
    SpinEdit *SE_Header_Number = nullptr;
    QLineEdit *E_Header_Title, *E_Header_Name, *E_Header_Mail, *E_Header_Web, *E_Header_Date, *E_Header_File;
    QPushButton *Btn_Header_Date_Now = nullptr;
    std::array<QCheckBox *, 10> CB_Next; // CB_Next1 .. CB_Next10
    std::array<SpinEdit *, 10> SE_Next;  // SE_Next1 .. SE_Next10
    QCheckBox *CB_Back = nullptr;
    SpinEdit *SE_Back = nullptr;
    QPushButton *Btn_Header_Number, *Btn_Header_Title, *Btn_Header_Name, *Btn_Header_Mail, *Btn_Header_Web;
    QPushButton *Btn_Header_Date, *Btn_Header_Next, *Btn_Header_Back, *Btn_Header_File;
    QCheckBox *CB_LogFile, *CB_AutoFileName, *CB_DeleteOldFile;
    QPushButton *Btn_Header_OK, *Btn_Header_Cancel;

private:
    void buildHeaderRows();
    void buildFileRows();
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

    TF3 *window_;
    HeaderEditReturn *browser_ = nullptr;
    Clock clock_;
    HeaderEditRequest request_; // what the browser handed over at opening
};

} // namespace vb
