// The recovery journal of the text in the memo: started by Edit, written
// while the text is unsaved, ended by Save or by giving the text up; and on
// entering the browser, the texts an earlier run left unsaved offered again.

#include "browser/browser_window.h"
#include "messages/header_block.h"
#include "messages/writer.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"

#include <QDateTime>
#include <QStatusBar>
#include <QTextDocument>

#include <cstdio>

namespace vb {
namespace {

// The lines of text as Save wrote them: each ends in CR LF (a last line
// without one is taken as it is).
Lines splitWritten(const Bytes &text) {
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == Bytes::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The header fields of ten header lines as the writer spells them.
void headerFromLines(const Lines &lines, CurrentMessage &msg) {
    msg.Number = lines[0];
    for (size_t k = 0; k < std::size(kHeaderKeys); ++k) {
        const Bytes &line = lines[k + 1];
        msg.*kHeaderKeys[k].field = line.size() > kHeaderKeyLength ? line.substr(kHeaderKeyLength) : Bytes();
    }
    msg.HeaderLine9 = lines[8];
    msg.HeaderLine10 = lines[9];
}

} // namespace

void TF1::buildJournal() {
    journal_ = std::make_unique<RecoveryJournal>();
    connect(Memo_log, &QPlainTextEdit::textChanged, this, [this] {
        if (holdsUnsavedText())
            journal_->changed();
    });
    // Reported once per journal, on the status line: typing goes on.
    connect(journal_.get(), &RecoveryJournal::writeFailed, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
}

void TF1::setRecoveryFolder(const Bytes &folder) { journal_->setFolder(folder); }

JournalSnapshot TF1::journalSnapshot() const {
    JournalSnapshot s;
    if (onView_.logMode)
        s.head = joinLines(logHeaderLines(onView_.Current));
    s.raw = Memo_log->rawText();
    return s;
}

void TF1::startJournal() {
    if (journal_->folder().empty() || onView_.empty())
        return;
    // The file and its identity as the load (or this program's last write)
    // found them: what Save will check the disk against.
    journal_->start({onView_.path, onView_.identity, CurrentCategory[kSlotTitle], onView_.logMode}, *this);
}

void TF1::endJournalIfSaved() {
    if (!Memo_log->isModified())
        journal_->discard();
}

void TF1::closeJournal() {
    if (Memo_log->isModified())
        journal_->leave();
    else
        journal_->discard();
}

void TF1::offerRecoveries() {
    if (journal_->folder().empty())
        return;
    std::vector<Bytes> notes;
    std::vector<FoundRecovery> found = findRecoveries(journal_->folder(), notes);
    for (const Bytes &note : notes)
        std::fprintf(stderr, "velbrook: recovery file skipped: %s\n", note.c_str());
    if (!notes.empty())
        statusBar()->showMessage(QStringLiteral("A file in the recovery folder was skipped: ") +
                                 toUnicode(notes.front()));
    bool opened = false;
    for (FoundRecovery &f : found) {
        // The memo holds one text: after one is opened the others wait.
        if (opened) {
            laterRecoveries_.push_back(std::move(f.slot));
            continue;
        }
        const Bytes when = fromUnicode(
            QDateTime::fromSecsSinceEpoch(f.record.writtenAt).toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
        const Bytes text = cp("Unsaved Text Found:\n") + f.record.target + "\n" + when;
        switch (dialogs().choose(text, {cp("&Open"), cp("&Discard"), cp("&Later")}, 0, 2)) {
        case 0:
            openRecovery(std::move(f));
            opened = true;
            break;
        case 1:
            removeRecovery(*f.slot);
            break;
        default:
            laterRecoveries_.push_back(std::move(f.slot));
            break;
        }
    }
}

void TF1::openRecovery(FoundRecovery &&found) {
    const RecoveryRecord &r = found.record;
    // The category the text was typed in, when it is still there.
    for (int i = 0; i < CBox_Category->count(); ++i) {
        if (CBox_Category->line(i) == r.categoryTitle && i != CBox_Category->selectedIndex()) {
            CBox_Category->setSelectedIndex(i);
            CategoryBox_ListChange();
            break;
        }
    }
    Lines lines = splitWritten(r.text);
    const bool withHeader = r.logMode && lines.size() >= size_t(kHeaderLines);
    const size_t slash = r.target.rfind(kSep);
    const Bytes dir = r.target.substr(0, slash + 1), name = r.target.substr(slash + 1);
    const int line = fileExists(r.target) && sameFile(dir, listedDirectory()) ? lineOfFile(name) : -1;
    if (line < 0 || !showLine(line)) {
        // Not listed here, or gone: the text alone, to be stored with Save
        // (under its old name) or Save As.
        MemoClear();
        onView_.Current.FileName = r.target;
    }
    // The record of the message on view is the one the text was typed
    // against: its file, its header, its mode and the identity it had at that
    // load, so that Save asks about any change made on disk since.
    onView_.path = r.target;
    onView_.logMode = withHeader;
    onView_.identity = r.identity;
    if (withHeader) {
        headerFromLines(lines, onView_.Current);
        lines.erase(lines.begin(), lines.begin() + kHeaderLines);
    }
    Memo_log->setLines(lines);
    Memo_log->document()->setModified(true);
    onView_.textOnView = true;
    Btn_Edit->setEnabled(true);
    MM_Edit_Edit->setEnabled(true);
    journal_->adopt(std::move(found), *this);
    setEditMode(true);
    Memo_log->setFocus();
}

} // namespace vb
