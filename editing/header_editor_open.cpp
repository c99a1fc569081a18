// Opening the header editor: clearing, the restores of each row from the
// message on view, enabling the header fields, and the date stamp.

#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "messages/links.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace vb {
namespace {

void setText(QLineEdit *edit, const Bytes &text) { edit->setText(toUnicode(text)); }

// year/month/day (weekday) hour:minute, the weekday as one character.
Bytes dateStamp(const QDateTime &now) {
    static const char *const kWeekdays[] = {"月", "火", "水", "木", "金", "土", "日"}; // Monday first
    const QDate d = now.date();
    const QTime t = now.time();
    return std::to_string(d.year()) + "/" + twoDigit(d.month()) + "/" + twoDigit(d.day()) + " (" +
           cp(kWeekdays[d.dayOfWeek() - 1]) + ") " + twoDigit(t.hour()) + ":" + twoDigit(t.minute());
}

} // namespace

bool HeaderEditor::logMode() const { return request_.logMode; }

const CurrentMessage &HeaderEditor::current() const { return request_.message.Current; }

void HeaderEditor::DefaultSetup(const HeaderEditRequest &request) {
    request_ = request;
    // The controller has laid the window out as the header editor.
    window_->show();
    window_->activateWindow();

    Pnl_LogHeader->setEnabled(true);
    SE_Header_Number->setNumber(0);
    for (QLineEdit *e : {E_Header_Title, E_Header_Name, E_Header_Mail, E_Header_Web, E_Header_Date, E_Header_File})
        e->clear();
    clearNextLinks();
    clearBackLink();

    if (logMode()) {
        // A row that cannot be restored stops the opening there.
        Def_Number();
        Def_Title();
        Def_Name();
        Def_Mail();
        Def_Web();
        Def_Date();
        Def_File();
        Def_ResNext();
        Def_ResBack();
        CB_LogFile->setChecked(true);
        CB_AutoFileName->setChecked(true);
    } else {
        Pnl_LogHeader->setEnabled(false);
        Def_File();
        CB_LogFile->setChecked(false);
        CB_AutoFileName->setChecked(false);
    }
}

void HeaderEditor::Def_Number() {
    if (logMode())
        SE_Header_Number->setNumber(wholeNumber(current().Number));
}

void HeaderEditor::Def_Title() { setText(E_Header_Title, current().Title); }
void HeaderEditor::Def_Name() { setText(E_Header_Name, current().Name); }
void HeaderEditor::Def_Mail() { setText(E_Header_Mail, current().Mail); }
void HeaderEditor::Def_Web() { setText(E_Header_Web, current().Web); }
void HeaderEditor::Def_Date() { setText(E_Header_Date, current().Date); }
void HeaderEditor::Def_File() { setText(E_Header_File, current().FileName); }

void HeaderEditor::clearNextLinks() {
    for (size_t k = 0; k < CB_Next.size(); ++k) {
        CB_Next[k]->setChecked(false);
        SE_Next[k]->setNumber(0);
    }
}

void HeaderEditor::clearBackLink() {
    CB_Back->setChecked(false);
    SE_Back->setNumber(0);
}

void HeaderEditor::Def_ResNext() {
    clearNextLinks();
    // The links fill the slots from the first, whichever slots they came from.
    const Bytes &links = current().NextLinks;
    const int count = nextLinkCount(links);
    for (int k = 1; k <= count; ++k) {
        // Read first: a link that is not a number leaves its slot unticked.
        const int n = nextLink(links, k);
        CB_Next[size_t(k - 1)]->setChecked(true);
        SE_Next[size_t(k - 1)]->setNumber(n);
    }
}

void HeaderEditor::Def_ResBack() {
    clearBackLink();
    if (!current().BackLink.empty()) {
        const int n = backLinkNumber(current().BackLink);
        CB_Back->setChecked(true);
        SE_Back->setNumber(n);
    }
}

void HeaderEditor::CB_LogFileClick() { HeaderEnable(CB_LogFile->isChecked()); }

void HeaderEditor::HeaderEnable(bool enabled) {
    SE_Header_Number->setEnabled(enabled);
    for (QLineEdit *e : {E_Header_Title, E_Header_Name, E_Header_Mail, E_Header_Web, E_Header_Date})
        e->setEnabled(enabled);
    for (QCheckBox *b : CB_Next)
        b->setEnabled(enabled);
    for (SpinEdit *s : SE_Next)
        s->setEnabled(enabled);
    CB_Back->setEnabled(enabled);
    SE_Back->setEnabled(enabled);
    for (QPushButton *b : {Btn_Header_Number, Btn_Header_Title, Btn_Header_Name, Btn_Header_Mail, Btn_Header_Web,
                           Btn_Header_Date, Btn_Header_Date_Now, Btn_Header_Next, Btn_Header_Back})
        b->setEnabled(enabled);
}

void HeaderEditor::Btn_Header_Date_NowClick() { setText(E_Header_Date, dateStamp(clock_())); }

} // namespace vb
