// Following the listed folder: the title list comes up to the folder as it
// is now whenever another program adds, removes or replaces a message in it,
// and the message on view is shown again when its file changed, unless it is
// being edited. The refresh reads only the headers of new and changed files;
// what the last pass read of the others is kept (TitleCache). Its file work
// runs on a thread of its own (title_refresh.h); the window applies the
// result in one step when it comes, unless the list changed meanwhile.

#include "browser/browser_window.h"
#include "browser/title_refresh.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "ui/widgets/guard.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <mutex>

namespace vb {
namespace {

// How long the folder must be quiet before the list follows it: a copy of a
// thousand files is one refresh, not a thousand.
constexpr int kQuietMs = 250;
// The longest a change waits for the folder to go quiet.
constexpr int kLongestWaitMs = 1000;

QString watchPath(const Bytes &path) { return QString::fromStdString(fsPath(path)); }

Bytes countCaption(size_t n) { return "Total Message : " + std::to_string(n) + " "; }

} // namespace

void TF1::buildWatch() {
    watcher_ = new QFileSystemWatcher(this);
    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kQuietMs);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { folderChanged(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { folderChanged(); });
    connect(refreshTimer_, &QTimer::timeout, this, [this] { refreshWhenQuiet(); });
    // A run's result reaches the window queued; the receiver goes with it.
    refreshReceiver_ = new RunReceiver(this);
    connect(
        refreshReceiver_, &RunReceiver::runNews, this, [this](quint64 id) { takeRefresh(id); }, Qt::QueuedConnection);
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

void TF1::hideEvent(QHideEvent *e) {
    QMainWindow::hideEvent(e);
    // Behind the header editor or the title screen the list may change: a
    // pass under way is dropped, and follows when the window is back.
    dropRefresh(true);
}

void TF1::MM_View_ReloadClick() {
    refreshTimer_->stop();
    TitleList_Refresh(true);
}

void TF1::keepTitleCache(ReadTimes read) {
    TitleCache &c = titleCache_;
    c.listing = FLB.listing();
    c.valid = read.each.empty() || read.each.size() == c.size();
    c.directory = FLB.directory();
    c.mask = FLB.mask();
    c.titleText = CurrentCategory[kSlotTitleText];
    c.logMode = logMode();
    c.descending = descending();
    c.read = std::move(read);
    c.links = threadsShown() && threadLinks_.size() == c.size();
}

bool TF1::titleCacheFits() const {
    const TitleCache &c = titleCache_;
    return c.valid && c.directory == FLB.directory() && c.mask == FLB.mask() &&
           c.titleText == CurrentCategory[kSlotTitleText] && c.logMode == logMode() && c.descending == descending() &&
           (c.links || !threadsShown()) && c.listing == FLB.listing() && size_t(LB_Title->lineCount()) == c.size();
}

void TF1::TitleList_Refresh(bool byHand) {
    byHand = byHand || refreshByHand_;
    if (CurrentCategory[kSlotDirectory].empty() || FLB.directory().empty())
        return; // no category taken yet
    // One pass at a time: one asked for meanwhile follows it.
    if (refreshRun_) {
        refreshQueued_ = true;
        refreshByHand_ = byHand;
        return;
    }
    refreshByHand_ = false;
    RefreshJob job;
    job.directory = FLB.directory();
    job.mask = FLB.mask();
    job.byHand = byHand;
    job.logMode = logMode();
    job.textLine = CurrentCategory[kSlotTitleText] == kWordTextLine;
    job.descending = descending();
    job.threads = threadsShown();
    job.started = systemClockNs();
    if (const Bytes onViewName = fileOnView();
        !onViewName.empty() && onView_.path == listedDirectory() + onViewName && onViewChangedOnDisk())
        job.rereadName = onViewName;
    if (titleCacheFits()) {
        job.old = titleCache_.listing;
        job.oldRead = titleCache_.read;
        if (job.threads)
            job.oldLinks = threadLinks_;
    }
    refreshHadOld_ = job.old != nullptr;
    refreshOldCount_ = titleCache_.size();
    refreshRunByHand_ = byHand;
    refreshRun_ = startRefreshRun(refreshReceiver_, ++refreshGeneration_, std::move(job));
}

bool TF1::onViewChangedOnDisk() const {
    FileIdentity now;
    int err = 0;
    return !onView_.empty() && readFileIdentity(onView_.path, now, &err) && now != onView_.identity;
}

void TF1::takeRefresh(quint64 id) {
    // A result the list has moved on from since its request is dropped.
    if (!refreshRun_ || refreshRun_->id() != id || id != refreshGeneration_)
        return;
    // A question opened meanwhile: what it asks about must not move under
    // it. The pass is made again once it is answered.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        dropRefresh(true);
        return;
    }
    const std::shared_ptr<RefreshRun> run = std::move(refreshRun_);
    RefreshResult r;
    {
        std::lock_guard<std::mutex> lock(run->mutex);
        r = std::move(run->result);
    }
    const bool queued = std::exchange(refreshQueued_, false);
    guarded([&] { applyRefresh(r); });
    if (queued)
        refreshWhenQuiet();
}

void TF1::dropRefresh(bool again) {
    ++refreshGeneration_;
    const bool wanted = refreshRun_ || refreshQueued_;
    if (refreshRun_) {
        refreshRun_->detach();
        refreshByHand_ = refreshByHand_ || refreshRunByHand_;
        refreshRun_.reset();
    }
    refreshQueued_ = false;
    if (!again) {
        refreshByHand_ = false;
        return;
    }
    // The folder's changes it was to show are still to come.
    if (wanted)
        refreshTimer_->start();
}

void TF1::applyRefresh(RefreshResult &r) {
    // Every change of the list drops the pass; a list that still does not
    // match what the pass was handed is brought up by another.
    if (r.cancelled || (refreshHadOld_ && (!titleCacheFits() || titleCache_.size() != refreshOldCount_))) {
        refreshTimer_->start();
        return;
    }
    // What is on view and selected, by file name, before the listing moves.
    const Bytes onViewName = fileOnView();
    const int oldRow = LB_Title->selectedIndex();
    const bool keepMemo = inEditMode() || holdsUnsavedText();
    const bool onViewChanged = onViewChangedOnDisk();
    const int scroll = LB_Title->verticalScrollBar()->value();

    const bool incremental = refreshHadOld_;
    TitleCache old;
    if (incremental)
        old = std::move(titleCache_);
    titleCache_.valid = false;
    if (!r.listed)
        std::rethrow_exception(r.error);
    FLB.take(std::move(r.listing));
    Pnl_FLBCount->setText(toUnicode(countCaption(FLB.names().size())));
    countFiltered_ = false;

    const size_t n = FLB.names().size();
    // A file that cannot be read: every header is read, as when the folder
    // was opened, and a file that fails stops the list where it stops that
    // pass, with the same report.
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
    if (r.error)
        std::rethrow_exception(r.error);
    if (r.readFailed) {
        readAll();
    } else {
        // The new lines in the order shown, put together before the list
        // lets go of the old ones they are taken from.
        TitleLines fresh;
        fresh.reserve(n);
        const TitleLines &oldLines = LB_Title->lines();
        const size_t oldN = old.size();
        const bool desc = descending();
        for (size_t j = 0; j < n; ++j) {
            const int32_t f = r.from[desc ? n - 1 - j : j];
            fresh.append(f >= 0 ? oldLines[old.descending ? oldN - 1 - size_t(f) : size_t(f)]
                                : std::string_view(r.readLines[size_t(-1 - f)]));
        }
        LB_Title->clear();
        {
            TitleList::Batch batch(*LB_Title);
            LB_Title->reserve(n);
            for (size_t j = 0; j < n; ++j)
                LB_Title->append(fresh[j]);
        }
        threadLinks_ = std::move(r.links);
        if (threadsShown()) {
            ThreadTree &t = r.tree;
            LB_Title->setTree({std::move(t.parent), std::move(t.childStart), std::move(t.children), std::move(t.roots),
                               listedDirectory()});
        }
        keepTitleCache(std::move(r.read));
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
