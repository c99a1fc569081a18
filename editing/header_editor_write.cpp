// Leaving the header editor: OK writes the message with or without a header
// block under the chosen name and then drops the old file when asked; Cancel
// writes nothing. Either way the browser selects its category afresh.
//
// No sequence of answers loses the message: the old file is deleted only
// after the new one has been written, and only when both names are seen to
// lead to two files; another existing file is replaced only after a question;
// a write that fails keeps the editor open as the user left it.

#include "browser/disk_checks.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "platform/files.h"
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
    m.FileName = CB_AutoFileName->isChecked() ? logModeFileName(request_.fileName1, number, request_.fileName2)
                                              : text(E_Header_File);
    return m;
}

CurrentMessage HeaderEditor::HeaderUpDate_TextMode() const {
    CurrentMessage m = current();
    m.FileName = text(E_Header_File);
    return m;
}

bool HeaderEditor::LogInformation(const CurrentMessage &record) {
    Lines Memo_tmp;
    appendLogHeader(record, Memo_tmp);
    const Lines &body = request_.HeaderBodyLines;
    Memo_tmp.insert(Memo_tmp.end(), body.begin(), body.end());
    return replaceMessage(record, Memo_tmp);
}

bool HeaderEditor::UpDate_Text(const CurrentMessage &record) {
    return replaceMessage(record, request_.HeaderBodyLines);
}

bool HeaderEditor::replaceMessage(const CurrentMessage &record, const Lines &Memo_tmp) {
    const MessageOnView &onView = request_.message;
    const Bytes &oldPath = onView.path;
    // A bare name is a file of the message's own folder.
    const Bytes target = isAbsolute(record.FileName) ? record.FileName : request_.directory + record.FileName;
    const bool ownFile = !oldPath.empty() && sameFile(oldPath, target);
    if (ownFile) {
        // The message's own file, as the load saw it, or changed since.
        if (!mayWriteOver(target, onView.identity))
            return false;
    } else if (fileExists(target) && !isDirectory(target) && !dialogs().question("File Overwrite OK?")) {
        return false;
    }
    // A failure raises here: nothing deleted, the editor stays open.
    writeLines(target, Memo_tmp);
    // Only a file known to be another one is deleted: the new content may
    // have gone into the old file after all. One changed since the load is
    // deleted only after a question.
    if (CB_DeleteOldFile->isChecked() && !oldPath.empty() && !ownFile && distinctFiles(oldPath, target) &&
        mayRemove(oldPath, onView.identity) == RemoveCheck::Remove)
        removeFile(oldPath);
    MessageOnView written;
    written.path = resolvePath(target);
    written.Current = record;
    written.logMode = onView.logMode;
    if (!readFileIdentity(written.path, written.identity))
        written.identity = FileIdentity();
    browser_->headerWritten(written);
    E_Header_File->setText(toUnicode(record.FileName));
    close();
    return true;
}

void HeaderEditor::Btn_Header_CancelClick() {
    if (request_.edited && !dialogs().question("Edited Text Discard OK?"))
        return;
    close();
}

void HeaderEditor::close() {
    // The edits were written or given up; reloading must not ask about them again.
    request_.edited = false;
    window_->hide();
    browser_->headerEditClosed();
}

} // namespace vb
