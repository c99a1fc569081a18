// Leaving the header editor: OK writes the message with or without a header
// block under the chosen name and then drops the old file when asked; Cancel
// writes nothing. Either way the browser selects its category afresh.
//
// No sequence of answers loses the message: the old file is deleted only
// after the new one has been written, and only when both names are seen to
// lead to two files; another existing file is replaced only after a question;
// a write that fails keeps the editor open as the user left it.

#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "ui/core/files.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vb {
namespace {

Bytes text(const QLineEdit *edit) { return fromUnicode(edit->text()); }

} // namespace

void HeaderEditor::Btn_Header_OKClick() {
    const bool withHeader = CB_LogFile->isChecked();
    // A question only when the box runs against the category's mode.
    if (withHeader != logMode() &&
        !dialogs().question(withHeader ? "Checked Log Format Mode?" : "Unchecked Log Format Mode?")) {
        Btn_Header_CancelClick();
        return;
    }
    if (withHeader)
        LogInformation(HeaderUpDate_LogMode());
    else
        UpDate_Text(HeaderUpDate_TextMode());
}

CurrentMessage HeaderEditor::HeaderUpDate_LogMode() const {
    CurrentMessage m;
    const int number = SE_Header_Number->number();
    m.Number = fiveDigit(number);
    m.Title = text(E_Header_Title);
    m.Name = text(E_Header_Name);
    m.Mail = text(E_Header_Mail);
    m.Web = text(E_Header_Web);
    m.Date = text(E_Header_Date);
    // Ticked slots only, run together without gaps.
    for (size_t k = 0; k < CB_Next.size(); ++k)
        if (CB_Next[k]->isChecked())
            m.NextLinks += fiveDigit(SE_Next[k]->number());
    if (CB_Back->isChecked())
        m.BackLink = fiveDigit(SE_Back->number());
    const CategoryRecord &category = browser_->CurrentCategory;
    m.FileName = CB_AutoFileName->isChecked()
                     ? logModeFileName(category[kSlotFileName1], number, category[kSlotFileName2])
                     : text(E_Header_File);
    return m;
}

CurrentMessage HeaderEditor::HeaderUpDate_TextMode() const {
    CurrentMessage m = current();
    m.FileName = text(E_Header_File);
    return m;
}

bool HeaderEditor::LogInformation(const CurrentMessage &record) {
    Lines &file = browser_->Memo_tmp;
    file.clear();
    appendLogHeader(record, file);
    file.insert(file.end(), body_.begin(), body_.end());
    return replaceMessage(record);
}

bool HeaderEditor::UpDate_Text(const CurrentMessage &record) {
    browser_->Memo_tmp = body_;
    return replaceMessage(record);
}

bool HeaderEditor::replaceMessage(const CurrentMessage &record) {
    const Bytes oldName = current().FileName;
    const Bytes &target = record.FileName;
    const bool ownFile = !oldName.empty() && sameFile(oldName, target);
    if (!ownFile && fileExists(target) && !isDirectory(target) && !dialogs().question("File Overwrite OK?"))
        return false;
    // A failure raises here: nothing deleted, the editor stays open.
    writeLines(target, browser_->Memo_tmp);
    // Only a file known to be another one is deleted: the new content may
    // have gone into the old file after all.
    if (CB_DeleteOldFile->isChecked() && !oldName.empty() && !ownFile && distinctFiles(oldName, target))
        removeFile(oldName);
    browser_->Current = record;
    E_Header_File->setText(toUnicode(record.FileName));
    close();
    return true;
}

void HeaderEditor::Btn_Header_CancelClick() {
    if (edited_ && !dialogs().question("Edited Text Discard OK?"))
        return;
    close();
}

void HeaderEditor::close() {
    // The edits were written or given up; reloading must not ask about them again.
    browser_->forgetEdits();
    edited_ = false;
    window_->hide();
    browser_->DefaultRead2();
}

} // namespace vb
