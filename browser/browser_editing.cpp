// Editing the message on view and keeping it: edit mode, Save, Save As, New
// and Delete, and the question that protects typed text from a reload.

#include "browser/browser_window.h"
#include "browser/disk_checks.h"
#include "messages/body_reader.h"
#include "messages/header_block.h"
#include "messages/naming.h"
#include "messages/numbers.h"
#include "messages/writer.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace vb {
namespace {

constexpr long long kHighestNumber = 99999;

// What Save As offers: the file types a category can list, then all files.
constexpr char kSaveFilters[] = "TXTファイル|*.txt|DOCファイル|*.doc|MANファイル|*.man|GGGファイル|*.ggg|"
                                "INIファイル|*.ini|全てのファイル|*.*";

// Whether the file at path is the version seen.
bool isVersion(const Bytes &path, const FileIdentity &seen) {
    FileIdentity now;
    return seen.present && readFileIdentity(path, now) && now == seen;
}

// Whether the header bytes hold just their ten line breaks, so that the body
// written after them starts where a load starts it.
bool tenHeaderLines(std::string_view header) {
    return std::count(header.begin(), header.end(), '\r') == kHeaderLines &&
           std::count(header.begin(), header.end(), '\n') == kHeaderLines;
}

} // namespace

bool TF1::inEditMode() const { return !Memo_log->isReadOnly(); }

void TF1::setEditMode(bool on) {
    Memo_log->setReadOnly(!on);
    Btn_Save->setEnabled(on);
    MM_File_Save->setEnabled(on);
    MM_File_SaveAs->setEnabled(on);
}

bool TF1::holdsUnsavedText() const { return Memo_log->isModified(); }

bool TF1::mayDiscardEdits() {
    // Typed text is asked about in edit mode and after it alike: a declined
    // Save leaves it on view, unsaved.
    if (!holdsUnsavedText()) {
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

void TF1::headerWritten(const MessageOnView &written) {
    dropRefresh(true);
    onView_ = written;
    forgetEdits();
}

void TF1::headerEditClosed() {
    forgetEdits();
    DefaultRead2();
}

void TF1::Btn_EditClick() {
    if (!onView_.textOnView)
        return; // no message on view: typed text would have no file to go to
    setEditMode(true);
    // Edit after a cancelled Save (or on recovered text) goes on with its journal.
    if (!journal_->active())
        startJournal();
    Memo_log->setFocus(); // the caret goes where the typing goes
}

bool TF1::saveOnView() {
    if (!inEditMode() || !onView_.textOnView) {
        setEditMode(false);
        return false;
    }
    // A file changed, replaced or removed since the load is not written over
    // without a word. Declined: nothing is written and edit mode stays, so the
    // text can go elsewhere by Save As.
    if (!mayWriteOver(onView_.path, onView_.identity))
        return false;
    if (!dialogs().question(cp("File Update OK?"))) {
        setEditMode(false); // the text stays on view, unsaved
        // and its recovery file up to date at once, not after the next pause
        if (holdsUnsavedText())
            journal_->writeNow();
        return false;
    }
    Lines Memo_tmp;
    if (onView_.logMode)
        appendLogHeader(onView_.Current, Memo_tmp);
    // The logical lines straight behind the header: a line wrapped on the
    // screen is still one line. Lines the user did not change since the load
    // are the bytes they were loaded from, read again while the file is that
    // version (the same bytes encoding their text would give, at less cost);
    // the others are encoded.
    Bytes text = joinLines(Memo_tmp);
    const bool headerFits = !onView_.logMode || tenHeaderLines(text);
    const size_t headerEnd = text.size();
    if (BodyLines body(onView_.logMode ? size_t(kHeaderLines) : 0);
        isVersion(onView_.path, onView_.bodyLines) && body.open(onView_.path)) {
        // Mostly the file's own bytes.
        text.reserve(headerEnd + size_t(onView_.bodyLines.size) + size_t(Memo_log->document()->blockCount()) * 2);
        Memo_log->appendLogicalText(text, "\r\n",
                                    [&body](size_t first, size_t end, std::string_view lineEnd, Bytes &out) {
                                        return body.append(first, end, lineEnd, out);
                                    });
        // Changed while it was read: every line is encoded after all.
        if (!isVersion(onView_.path, onView_.bodyLines)) {
            text.resize(headerEnd);
            Memo_log->appendLogicalText(text, "\r\n");
        }
    } else {
        Memo_log->appendLogicalText(text, "\r\n");
    }
    // A write that fails raises here and leaves edit mode on for another try.
    int err = 0;
    if (!writeFileAtomic(onView_.path, text, &err))
        failCannotCreate(onView_.path, err);
    Memo_log->document()->setModified(false);
    journal_->discard(); // saved: nothing left to recover
    dropRefresh(true);   // a pass under way read the file before this write
    // The file as this write left it; one that cannot be examined now counts
    // as unseen, so that the next write asks first.
    if (!readFileIdentity(onView_.path, onView_.identity))
        onView_.identity = FileIdentity();
    // What was written is the memo's loaded text from here on, when its body
    // starts where a load would start it and the file is still the one
    // written.
    if (onView_.identity.present && size_t(onView_.identity.size) == text.size() && headerFits) {
        Memo_log->takeWrittenAsLoaded();
        onView_.bodyLines = onView_.identity;
    } else {
        onView_.bodyLines = FileIdentity();
    }
    setEditMode(false);
    return true;
}

void TF1::Btn_SaveClick() { saveOnView(); }

void TF1::MM_File_SaveAsClick() {
    if (!onView_.textOnView)
        return; // no message text on view: nothing to save
    Bytes chosen;
    if (!dialogs().saveFileName({cp("File Save"), CurrentCategory[kSlotDirectory], "txt", cp(kSaveFilters), Bytes()},
                                chosen))
        return;
    // The chosen name is the current file name from here on, also when a
    // question below is declined. Another file is one nothing was read from.
    const Bytes path = resolvePath(chosen);
    if (onView_.empty() || !sameFile(path, onView_.path))
        onView_.identity = FileIdentity();
    onView_.path = path;
    onView_.Current.FileName = chosen;
    if (saveOnView())
        relistAfterSaveAs();
}

void TF1::relistAfterSaveAs() {
    const Bytes &path = onView_.path;
    const size_t cut = path.rfind(kSep);
    if (cut == Bytes::npos || !sameFile(path.substr(0, cut + 1), listedDirectory()))
        return; // not a file of the listed folder: its list is as it was
    relistDirectory();
    if (FLB.names().empty())
        return;
    fillTitleList(nullptr);
    shownLine_ = lineOfFile(path.substr(cut + 1));
    LB_Title->setSelectedIndex(shownLine_ >= 0 ? rowForLine(shownLine_) : -1);
    LB_Title->repaintNow();
}

void TF1::MM_File_NewClick() {
    if (!mayDiscardEdits())
        return;
    MemoClear();
    Lines Memo_tmp;
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
                failCannotCreate(dir + created, err);
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
                failCannotCreate(dir + candidate, err);
        }
    }
    DefaultRead3(created);
}

void TF1::MM_File_DeleteClick() {
    if (!mayDiscardEdits())
        return;
    if (onView_.empty())
        return; // no message on view: nothing to delete
    if (!dialogs().question(cp("Now Viewing Message Delete OK?")))
        return;
    const int s = LB_Title->selectedIndex();
    const int line = s > 0 ? s - 1 : 0;
    // A file changed since the load is deleted only after a question; one
    // that cannot be deleted is reported, and the list stays as it is.
    switch (mayRemove(onView_.path, onView_.identity)) {
    case RemoveCheck::Keep:
        return;
    case RemoveCheck::Remove:
        removeOrFail(onView_.path);
        break;
    case RemoveCheck::Gone:
        break;
    }
    MemoClear();
    DefaultRead4(line);
}

} // namespace vb
