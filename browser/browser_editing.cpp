// Editing the message on view and keeping it: edit mode, Save, Save As, New
// and Delete, and the question that protects typed text from a reload.

#include "browser/browser_window.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "messages/writer.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"
#include "ui/widgets/dialogs.h"

#include <algorithm>
#include <cerrno>

namespace vb {
namespace {

constexpr long long kHighestNumber = 99999;

// What Save As offers: the file types a category can list, then all files.
constexpr char kSaveFilters[] = "TXTファイル|*.txt|DOCファイル|*.doc|MANファイル|*.man|GGGファイル|*.ggg|"
                                "INIファイル|*.ini|全てのファイル|*.*";

} // namespace

bool TF1::inEditMode() const { return !Memo_log->isReadOnly(); }

void TF1::setEditMode(bool on) {
    Memo_log->setReadOnly(!on);
    Btn_Save->setEnabled(on);
    MM_File_Save->setEnabled(on);
    MM_File_SaveAs->setEnabled(on);
}

bool TF1::mayDiscardEdits() {
    if (!inEditMode() || !Memo_log->isModified()) {
        endJournalIfSaved();
        return true;
    }
    if (!dialogs().question(cp("Edited Text Discard OK?")))
        return false;
    // Agreed once: the rest of the same command asks no more.
    Memo_log->document()->setModified(false);
    journal_->discard();
    return true;
}

void TF1::forgetEdits() {
    Memo_log->document()->setModified(false);
    journal_->discard();
}

Bytes TF1::currentFilePath() const {
    return isAbsolute(Current.FileName) ? Current.FileName : listedDirectory() + Current.FileName;
}

void TF1::Btn_EditClick() {
    setEditMode(true);
    // Edit after a cancelled Save (or on recovered text) goes on with its journal.
    if (!journal_->active())
        startJournal();
    Memo_log->setFocus(); // the caret goes where the typing goes
}

void TF1::Btn_SaveClick() {
    if (inEditMode() && dialogs().question(cp("File Update OK?"))) {
        Memo_tmp.clear();
        if (logMode())
            appendLogHeader(Current, Memo_tmp);
        // The logical lines: a line wrapped on the screen is still one line.
        const std::vector<Bytes> body = Memo_log->logicalLines();
        Memo_tmp.insert(Memo_tmp.end(), body.begin(), body.end());
        // A write that fails raises here and leaves edit mode on for another try.
        writeLines(currentFilePath(), Memo_tmp);
        Memo_log->document()->setModified(false);
        journal_->discard();
    } else if (inEditMode() && Memo_log->isModified()) {
        // Not saved: the text stays unsaved, and its journal up to date.
        journal_->writeNow();
    }
    setEditMode(false);
}

void TF1::MM_File_SaveAsClick() {
    Bytes chosen;
    if (!dialogs().saveFileName({cp("File Save"), CurrentCategory[kSlotDirectory], "txt", cp(kSaveFilters), Bytes()},
                                chosen))
        return;
    Current.FileName = chosen;
    Btn_SaveClick();
}

void TF1::MM_File_NewClick() {
    if (!mayDiscardEdits())
        return;
    MemoClear();
    Memo_tmp.clear();
    const Bytes dir = listedDirectory();
    Bytes created;
    if (logMode()) {
        long long highest = 0;
        for (const std::string_view name : FLB.names())
            highest =
                std::max<long long>(highest, wholeNumber(Bytes(name.substr(std::min<size_t>(3, name.size()), 5))));
        if (highest < kHighestNumber) {
            CurrentMessage blank;
            blank.Number = fiveDigit(highest + 1);
            appendLogHeader(blank, Memo_tmp);
            created = logModeFileName(CurrentCategory[kSlotFileName1], highest + 1, CurrentCategory[kSlotFileName2]);
            int err = 0;
            // Never over an existing file, even one the list does not show.
            if (!createNewFile(dir + created, joinLines(Memo_tmp), &err))
                failCannotCreate(dir + created);
        }
    } else {
        // The lowest free "New" number; a name taken on disk but not listed
        // (another letter case, a type the mask leaves out) is skipped too.
        const auto &names = FLB.names();
        for (long long k = 0; k < kHighestNumber && created.empty(); ++k) {
            const Bytes candidate = "New" + fiveDigit(k) + ".txt";
            if (std::find(names.begin(), names.end(), candidate) != names.end())
                continue;
            int err = 0;
            if (createNewFile(dir + candidate, Bytes(), &err))
                created = candidate;
            else if (err != EEXIST)
                failCannotCreate(dir + candidate);
        }
    }
    DefaultRead3(created);
}

void TF1::MM_File_DeleteClick() {
    if (!mayDiscardEdits())
        return;
    if (!dialogs().question(cp("Now Viewing Message Delete OK?")))
        return;
    const int s = LB_Title->selectedIndex();
    const int line = s > 0 ? s - 1 : 0;
    removeFile(currentFilePath()); // a file that cannot be deleted is no error
    MemoClear();
    DefaultRead4(line);
}

} // namespace vb
