// Following the listed folder: the title list comes up to the folder as it
// is now whenever another program adds, removes or replaces a message in it,
// and the message on view is shown again when its file changed, unless it is
// being edited. The refresh reads only the headers of new and changed files;
// what the last pass read of the others is kept (TitleCache).

#include "browser/browser_window.h"
#include "messages/header_reader.h"
#include "messages/naming.h"
#include "platform/errors.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/wholenumber.h"
#include "ui/widgets/guard.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace vb {
namespace {

// How long the folder must be quiet before the list follows it: a copy of a
// thousand files is one refresh, not a thousand.
constexpr int kQuietMs = 250;
// The longest a change waits for the folder to go quiet.
constexpr int kLongestWaitMs = 1000;

QString watchPath(const Bytes &path) { return QString::fromStdString(fsPath(path)); }

Bytes countCaption(size_t n) { return "Total Message : " + std::to_string(n) + " "; }

// A file modified this long before its header was read may have been
// modified again within the file system's clock step after the read, with
// the same time: Reload reads it again.
constexpr int64_t kClockSlackNs = 1000000000;

} // namespace

void TF1::buildWatch() {
    watcher_ = new QFileSystemWatcher(this);
    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kQuietMs);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { folderChanged(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { folderChanged(); });
    connect(refreshTimer_, &QTimer::timeout, this, [this] { refreshWhenQuiet(); });
}

void TF1::followFolder() {
    const QStringList dirs = watcher_->directories(), files = watcher_->files();
    const QString dir = FLB.directory().empty() ? QString() : watchPath(FLB.directory());
    if (dirs.size() != 1 || dirs.front() != dir) {
        if (!dirs.isEmpty())
            watcher_->removePaths(dirs);
        if (!dir.isEmpty())
            watcher_->addPath(dir);
    }
    // The file on view is watched too: a change written into it in place
    // does not show as a change of its folder.
    const QString file = onView_.path.empty() ? QString() : watchPath(onView_.path);
    if (files.size() != 1 || files.front() != file) {
        if (!files.isEmpty())
            watcher_->removePaths(files);
        if (!file.isEmpty())
            watcher_->addPath(file);
    }
}

void TF1::folderChanged() {
    if (!refreshTimer_->isActive()) {
        burst_.start();
        refreshTimer_->start();
        return;
    }
    // A folder that never goes quiet still has its list follow it each second.
    if (burst_.elapsed() < kLongestWaitMs - kQuietMs)
        refreshTimer_->start();
}

void TF1::refreshWhenQuiet() {
    // Hidden behind the header editor or the title screen: the list follows
    // when the window is back.
    if (!isVisible()) {
        refreshPending_ = true;
        return;
    }
    // A question is open: what it asks about must not move under it.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        refreshTimer_->start();
        return;
    }
    guarded([this] { TitleList_Refresh(); });
}

void TF1::showEvent(QShowEvent *e) {
    QMainWindow::showEvent(e);
    if (std::exchange(refreshPending_, false))
        refreshTimer_->start();
}

void TF1::MM_View_ReloadClick() {
    refreshTimer_->stop();
    TitleList_Refresh(true);
}

void TF1::keepTitleCache(int64_t passStarted, std::vector<int64_t> readNs) {
    TitleCache &c = titleCache_;
    c.valid = true;
    c.directory = FLB.directory();
    c.mask = FLB.mask();
    c.titleText = CurrentCategory[kSlotTitleText];
    c.logMode = logMode();
    c.descending = descending();
    c.names = FLB.names();
    c.inodes = FLB.inodes();
    if (readNs.size() == c.names.size())
        c.readNs = std::move(readNs);
    else
        c.readNs.assign(c.names.size(), passStarted);
    c.links = threadsShown() && threadLinks_.size() == c.names.size();
}

bool TF1::titleCacheFits() const {
    const TitleCache &c = titleCache_;
    return c.valid && c.directory == FLB.directory() && c.mask == FLB.mask() &&
           c.titleText == CurrentCategory[kSlotTitleText] && c.logMode == logMode() && c.descending == descending() &&
           (c.links || !threadsShown()) && c.inodes.size() == c.names.size() && c.readNs.size() == c.names.size() &&
           size_t(LB_Title->lineCount()) == c.names.size();
}

void TF1::TitleList_Refresh(bool byHand) {
    const int64_t started = systemClockNs();
    if (CurrentCategory[kSlotDirectory].empty() || FLB.directory().empty())
        return; // no category taken yet
    // What is on view and selected, by file name, before the listing moves.
    const Bytes onViewName = fileOnView();
    const int oldRow = LB_Title->selectedIndex();
    const bool keepMemo = inEditMode() || holdsUnsavedText();
    bool onViewChanged = false;
    if (!onView_.empty()) {
        FileIdentity now;
        int err = 0;
        if (readFileIdentity(onView_.path, now, &err))
            onViewChanged = now != onView_.identity;
    }
    const bool onViewListed = !onViewName.empty() && onView_.path == listedDirectory() + onViewName;
    const int scroll = LB_Title->verticalScrollBar()->value();

    const bool incremental = titleCacheFits();
    TitleCache old;
    if (incremental)
        old = std::move(titleCache_);
    titleCache_.valid = false;
    FLB.reread();
    Pnl_FLBCount->setText(toUnicode(countCaption(FLB.names().size())));
    countFiltered_ = false;

    const NameList &names = FLB.names();
    const size_t n = names.size();
    // Nothing kept to go by, or a file that cannot be read: every header is
    // read, as when the folder was opened, and a file that fails stops the
    // list where it stops that pass, with the same report.
    auto readAll = [&] {
        LB_Title->clear();
        try {
            if (n > 0)
                fillTitleList(nullptr);
        } catch (...) {
            shownLine_ = onViewName.empty() ? -1 : lineOfFile(onViewName);
            followFolder();
            throw;
        }
    };
    bool failed = false;
    // By file in name order: the old file whose line it keeps, or -1 - r
    // for the line read afresh into readLines[r].
    std::vector<int32_t> from;
    std::vector<Bytes> readLines;
    std::vector<int64_t> readNs;
    ThreadLinks links;
    if (!incremental) {
        readAll();
    } else {
        // Both listings are in name order: one walk pairs them. A file kept
        // under the same inode keeps its line and links; a new one, one
        // renamed over, and the file on view when it changed are read.
        HeaderReader reader;
        FileHandle folder;
        int err = 0;
        if (!folder.openFolderFs(fsPath(listedDirectory()), &err))
            failIo(ioCodeFromErrno(err), err);
        const bool log = logMode(), threads = threadsShown();
        from.assign(n, -1);
        readNs.assign(n, started);
        if (threads)
            links.reserve(n);
        CurrentMessage header;
        std::string fsName;
        Bytes name;
        const size_t oldN = old.names.size();
        size_t i = 0;
        for (size_t k = 0; k < n && !failed; ++k) {
            const std::string_view now = names[k];
            // Old files before this name are gone.
            while (i < oldN && old.names[i] != now && compareFileNames(Bytes(old.names[i]), Bytes(now)) < 0)
                ++i;
            const bool same = i < oldN && old.names[i] == now;
            bool kept =
                same && old.inodes[i] == FLB.inodes()[k] && !(onViewChanged && onViewListed && now == onViewName);
            if (kept && byHand) {
                // Rewritten in place since its header was read, or gone.
                FileIdentity identity;
                name.assign(now);
                fsName.clear();
                appendBytesToFs(fsName, name);
                kept = readFileIdentityIn(folder, fsName, identity) && identity.present &&
                       identity.modifiedNs < old.readNs[i] - kClockSlackNs;
            }
            if (kept) {
                from[k] = int32_t(i);
                readNs[k] = old.readNs[i];
                if (threads)
                    links.addFrom(threadLinks_, i);
            } else {
                name.assign(now);
                fsName.clear();
                appendBytesToFs(fsName, name);
                try {
                    reader.readIn(folder, fsName, name, log, header);
                } catch (const RuntimeError &) {
                    failed = true;
                    break;
                }
                readLines.emplace_back();
                from[k] = -int32_t(readLines.size());
                Bytes &line = readLines.back();
                titleLine(name, header, line);
                if (threads) {
                    int number = -1;
                    if (line.empty() || !tryWholeNumber(header.Number, number))
                        number = -1;
                    links.add(number, header.BackLink, header.NextLinks);
                }
            }
            if (same)
                ++i;
        }
    }
    if (failed) {
        readAll();
    } else if (incremental) {
        const bool threads = threadsShown();
        // The new lines in the order shown, put together before the list
        // lets go of the old ones they are taken from.
        TitleLines fresh;
        fresh.reserve(n);
        const TitleLines &oldLines = LB_Title->lines();
        const size_t oldN = old.names.size();
        const bool desc = descending();
        for (size_t j = 0; j < n; ++j) {
            const int32_t f = from[desc ? n - 1 - j : j];
            fresh.append(f >= 0 ? oldLines[old.descending ? oldN - 1 - size_t(f) : size_t(f)]
                                : std::string_view(readLines[size_t(-1 - f)]));
        }
        LB_Title->clear();
        {
            TitleList::Batch batch(*LB_Title);
            LB_Title->reserve(n);
            for (size_t j = 0; j < n; ++j)
                LB_Title->append(fresh[j]);
        }
        threadLinks_ = std::move(links);
        if (threads) {
            ThreadTree t = ThreadTree::build(threadLinks_, n, descending());
            LB_Title->setTree({std::move(t.parent), std::move(t.childStart), std::move(t.children), std::move(t.roots),
                               std::move(t.number), listedDirectory()});
        }
        keepTitleCache(started, std::move(readNs));
    }
    LB_Title->verticalScrollBar()->setValue(scroll);

    // The selection: the message on view when it is still listed, else the
    // nearest row.
    QWidget *focus = QApplication::focusWidget();
    const int line = onViewName.empty() ? -1 : lineOfFile(onViewName);
    if (line >= 0) {
        shownLine_ = line;
        if (onViewChanged && !keepMemo) {
            LB_Title->setSelectedIndex(rowForLine(line));
            TextLoad();
        } else {
            LB_Title->setSelectedIndex(LB_Title->rowOfLine(line));
        }
    } else if (keepMemo) {
        // The text being edited stays, with no title standing for it.
        shownLine_ = -1;
        LB_Title->setSelectedIndex(-1);
    } else if (LB_Title->count() == 0) {
        shownLine_ = -1;
        NoMessage();
    } else {
        LB_Title->setSelectedIndex(std::clamp(oldRow, 0, LB_Title->count() - 1));
        TextLoad();
    }
    // Showing the message again does not take the keyboard from where it was.
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus();
    followFolder();
}

} // namespace vb
