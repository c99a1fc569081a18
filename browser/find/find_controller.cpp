#include "browser/find/find_controller.h"

#include "browser/find_panel.h"
#include "platform/mbcs.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/memo.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

namespace vb {
namespace {

constexpr size_t kContextBefore = 30, kShownBytes = 160;
const Bytes kMarkOpen = "\x81\x79", kMarkClose = "\x81\x7a", kEllipsis = "\x81\x63"; // 【 】 …
const Bytes kSearching = "Searching\x81\x63";

// The part of a line around its first hit, the hits inside brackets.
Bytes markedLine(const Bytes &line, const std::vector<Hit> &hits) {
    size_t start = 0;
    const size_t wanted = hits.empty() || hits[0].begin < kContextBefore ? 0 : hits[0].begin - kContextBefore;
    while (start < wanted)
        start += mbcs::charLength(line, start);
    const size_t stop = start + mbcs::cutLength(std::string_view(line).substr(start), kShownBytes);
    Bytes out = start > 0 ? kEllipsis : Bytes();
    size_t at = start;
    for (const Hit &h : hits) {
        if (h.begin < start || h.begin >= stop)
            continue;
        out.append(line, at, h.begin - at);
        out += kMarkOpen;
        out.append(line, h.begin, h.end - h.begin);
        out += kMarkClose;
        at = h.end;
    }
    if (at < stop)
        out.append(line, at, stop - at);
    if (stop < line.size())
        out += kEllipsis;
    return out;
}

// The QString position of byte offset in a line of the memo.
int memoColumn(const Bytes &line, size_t offset) { return int(toUnicode(line.substr(0, offset)).size()); }

// The most result rows added in one turn of the event loop, and the time a
// turn spends on rows or on copying the memo's text at most.
constexpr size_t kRowsAtOnce = 2000;
constexpr qint64 kTurnMs = 4;
// The lines above and below the view whose hits are marked too, and the most
// marks handed to the text control at once.
constexpr int kMarginLines = 200;
constexpr qsizetype kMarksInSight = 5000;

Bytes hitsCaption(size_t n) { return std::to_string(n) + (n == 1 ? " hit" : " hits"); }

} // namespace

FindController::FindController(Host &host, FindPanel *panel, Memo *memo, QWidget *window)
    : RunReceiver(window), host_(host), panel_(panel), memo_(memo) {
    connect(this, &RunReceiver::runNews, this, &FindController::takeRunNews, Qt::QueuedConnection);
    connect(panel_, &FindPanel::resultPicked, this, [this](int row) { guarded([this, row] { pick(row); }); });

    // Escape stops a run under way wherever the focus is; with none under
    // way it closes the box when the focus is in it.
    cancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    cancelKey_->setEnabled(false);
    cancelKey_->setWhatsThis(QString::fromUtf8("検索を中止"));
    connectGuarded(cancelKey_, &QShortcut::activated, this, [this] { stop(); });
    closeKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), panel_);
    closeKey_->setContext(Qt::WidgetWithChildrenShortcut);
    closeKey_->setWhatsThis(QString::fromUtf8("検索ボックスを閉じる (検索ボックス内)"));
    connect(closeKey_, &QShortcut::activated, this, &FindController::closeRequested);

    // The marks follow the message on view: a new text gets a new look,
    // once the whole of it is in.
    memoTimer_ = new QTimer(this);
    memoTimer_->setSingleShot(true);
    memoTimer_->setInterval(0);
    connectGuarded(memoTimer_, &QTimer::timeout, this, [this] { memoChanged(); });
    connect(memo_, &QPlainTextEdit::textChanged, memoTimer_, qOverload<>(&QTimer::start));

    copyTimer_ = new QTimer(this);
    copyTimer_->setInterval(0);
    connectGuarded(copyTimer_, &QTimer::timeout, this, [this] { copyMore(); });
    // A change of the text ends a copy under way at once: the next look starts afresh.
    connect(memo_->document(), &QTextDocument::contentsChange, this, [this] {
        stopCopying();
        marks_.clear();
    });
    connect(memo_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { markInSight(); });
    memo_->viewport()->installEventFilter(this);

    rowTimer_ = new QTimer(this);
    rowTimer_->setInterval(0);
    connectGuarded(rowTimer_, &QTimer::timeout, this, [this] { listRows(entries_.size(), true); });

    // A window put away stops what runs for it.
    window->installEventFilter(this);
}

FindController::~FindController() {
    endCategoryRun();
    endMessageRun();
}

void FindController::pick(int row) { goToHit(size_t(row), 0); }

bool FindController::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Hide && watched == parent())
        stop();
    if (event->type() == QEvent::Resize && watched == memo_->viewport())
        markInSight();
    return RunReceiver::eventFilter(watched, event);
}

void FindController::endCategoryRun() {
    if (categoryRun_)
        categoryRun_->detach();
    categoryRun_.reset();
}

void FindController::endMessageRun() {
    stopCopying();
    if (messageRun_)
        messageRun_->detach();
    messageRun_.reset();
}

void FindController::stopCopying() {
    copying_ = false;
    copyTimer_->stop();
    copy_ = QString();
}

void FindController::updateKeys() {
    cancelKey_->setEnabled(busy());
    closeKey_->setEnabled(!busy());
    panel_->setRunning(busy());
}

void FindController::clearResults() {
    messages_.clear();
    entries_.clear();
    listed_ = 0;
    rowTimer_->stop();
    hits_ = 0;
    entry_ = -1;
    hit_ = 0;
    messageResults_ = false;
    panel_->clearResults();
}

void FindController::search() {
    endCategoryRun();
    endMessageRun();
    clearResults();
    updateKeys();
    const QString text = panel_->pattern();
    Bytes error;
    bool ok = false;
    if (text.size() > kFindTextLimit) {
        matcher_ = Matcher();
        error = "The text to find is longer than " + std::to_string(kFindTextLimit) + " characters";
    } else
        ok = matcher_.compile(fromUnicode(text), panel_->regex(), &error);
    if (!ok) {
        showMarks({});
        panel_->setStatus(error, true);
        return;
    }
    FindScope sc = host_.findScope();
    thisMessageOnly_ = panel_->thisMessageOnly();
    directory_ = sc.directory;
    logMode_ = sc.logMode;
    if (thisMessageOnly_) {
        panel_->setStatus(kSearching);
        lookAtMessageOnView(true);
        return;
    }
    lookAtMessageOnView(false);
    if (sc.names.empty()) {
        panel_->setStatus("No message is listed");
        return;
    }
    fileCount_ = sc.names.size();
    categoryRun_ = startCategoryRun(this, ++lastRun_, sc.directory, std::move(sc.names), sc.logMode, matcher_);
    updateKeys();
    panel_->setStatus(kSearching + " 0 / " + std::to_string(fileCount_) + " files");
}

void FindController::lookAtMessageOnView(bool wantResults) {
    endMessageRun();
    messageResults_ = messageResults_ || wantResults;
    if (!matcher_.ready() || panel_->isHidden() || (!messageResults_ && !memo_->isReadOnly())) {
        showMarks({});
        updateKeys();
        return;
    }
    showMarks({}); // the marks of another text or pattern go
    copying_ = true;
    copiedBlocks_ = 0;
    joins_.clear();
    copy_.clear();
    copy_.reserve(memo_->document()->characterCount());
    copyMore();
    if (copying_)
        copyTimer_->start();
    updateKeys();
}

void FindController::copyMore() {
    QElapsedTimer clock;
    clock.start();
    QTextDocument *doc = memo_->document();
    QTextBlock b = copiedBlocks_ == 0 ? doc->begin() : doc->findBlockByNumber(copiedBlocks_);
    for (int n = 1; b.isValid(); b = b.next(), ++n) {
        if (copiedBlocks_ > 0) {
            if (memo_->hasPiecedLines() && Memo::continuesLine(b))
                joins_.push_back(int(copy_.size()));
            else
                copy_ += QChar::ParagraphSeparator;
        }
        copy_ += b.text();
        ++copiedBlocks_;
        if (n % 16 == 0 && clock.elapsed() >= kTurnMs)
            return; // the rest on the next turn
    }
    QString text = std::move(copy_);
    stopCopying();
    messageRun_ = startMessageRun(this, ++lastRun_, std::move(text), host_.fileOnView(), matcher_, messageResults_);
    updateKeys();
}

void FindController::memoChanged() {
    if (matcher_.ready() && !panel_->isHidden())
        lookAtMessageOnView(false);
    else if (!messageResults_) {
        endMessageRun();
        showMarks({});
        updateKeys();
    }
}

void FindController::takeRunNews(quint64 id) {
    if (categoryRun_ && categoryRun_->id() == id)
        takeCategoryNews();
    else if (messageRun_ && messageRun_->id() == id)
        takeMessageNews();
}

void FindController::takeCategoryNews() {
    CategoryNews n;
    {
        std::lock_guard<std::mutex> lock(categoryRun_->mutex);
        n.found.swap(categoryRun_->news.found);
        n.done = categoryRun_->news.done;
        n.finished = categoryRun_->news.finished;
        if (n.finished)
            n.summary = std::move(categoryRun_->news.summary);
        categoryRun_->heardLocked();
    }
    addResults(std::move(n.found));
    if (!n.finished) {
        panel_->setStatus(kSearching + " " + std::to_string(n.done) + " / " + std::to_string(fileCount_) + " files, " +
                          std::to_string(hits_) + " hits");
        return;
    }
    categoryRun_.reset();
    updateKeys();
    panel_->setStatus(summaryText(n.summary));
}

void FindController::takeMessageNews() {
    MessageNews n;
    {
        std::lock_guard<std::mutex> lock(messageRun_->mutex);
        n = std::move(messageRun_->news);
        messageRun_->heardLocked();
    }
    if (!n.finished)
        return;
    messageRun_.reset();
    updateKeys();
    if (!joins_.empty())
        for (Mark &m : n.marks) {
            // Past every join at or before it, a place is one further on.
            m.first += int(std::upper_bound(joins_.begin(), joins_.end(), m.first) - joins_.begin());
            m.second += int(std::upper_bound(joins_.begin(), joins_.end(), m.second - 1) - joins_.begin());
        }
    showMarks(memo_->isReadOnly() ? std::move(n.marks) : std::vector<Mark>());
    if (!messageResults_)
        return;
    clearResults();
    std::vector<MessageHits> found;
    if (!n.hits.lines.empty())
        found.push_back(std::move(n.hits));
    addResults(std::move(found));
    Bytes status = hitsCaption(hits_) + " in this message";
    if (!n.summary.tooComplex.empty())
        status += "; " + gaveUpText(n.summary);
    if (n.summary.cancelled)
        status += " (cancelled)";
    panel_->setStatus(status);
    if (!entries_.empty())
        goToHit(0, 0);
}

void FindController::showMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    markInSight();
}

void FindController::markInSight() {
    QList<QTextEdit::ExtraSelection> selections;
    if (!marks_.empty()) {
        // The lines in view and a margin of lines around them.
        QTextDocument *doc = memo_->document();
        const int top = memo_->cursorForPosition(QPoint(0, 0)).blockNumber();
        const int bottom = memo_->cursorForPosition(memo_->viewport()->rect().bottomRight()).blockNumber();
        const QTextBlock first = doc->findBlockByNumber(std::max(0, top - kMarginLines));
        const QTextBlock last = doc->findBlockByNumber(std::min(doc->blockCount() - 1, bottom + kMarginLines));
        const int from = first.position(), to = last.position() + last.length();
        QTextCharFormat mark;
        mark.setBackground(QColor(255, 225, 0));
        const int size = memo_->document()->characterCount();
        auto m = std::lower_bound(marks_.begin(), marks_.end(), Mark{from, from});
        for (; m != marks_.end() && m->first < to && m->second < size && selections.size() < kMarksInSight; ++m) {
            QTextCursor c(memo_->document());
            c.setPosition(m->first);
            c.setPosition(m->second, QTextCursor::KeepAnchor);
            selections.push_back({c, mark});
        }
    }
    if (!selections.isEmpty() || !memo_->extraSelections().isEmpty())
        memo_->setExtraSelections(selections);
}

void FindController::addResults(std::vector<MessageHits> &&found) {
    for (MessageHits &m : found) {
        const size_t index = messages_.size();
        hits_ += m.hitCount();
        for (size_t k = 0; k < m.lines.size(); ++k)
            entries_.push_back({index, k});
        messages_.push_back(std::move(m));
    }
    listRows(entries_.size(), true);
}

void FindController::listRows(size_t end, bool slice) {
    end = std::min(end, entries_.size());
    if (slice)
        end = std::min(end, listed_ + kRowsAtOnce);
    QElapsedTimer clock;
    clock.start();
    for (; listed_ < end; ++listed_) {
        if (slice && listed_ % 64 == 63 && clock.elapsed() >= kTurnMs)
            break;
        const Entry &en = entries_[listed_];
        const MessageHits &m = messages_[en.message];
        const LineHit &l = m.lines[en.line];
        const Bytes where = thisMessageOnly_ ? "Line " + std::to_string(l.line + 1)
                                             : (m.number.empty() ? m.name : m.number) + " " + m.title;
        panel_->addResult(toUnicode(where + "\n    " + markedLine(l.text, l.hits)));
    }
    if (listed_ < entries_.size())
        rowTimer_->start();
    else
        rowTimer_->stop();
    updateKeys();
}

void FindController::stop() {
    if (copying_) {
        stopCopying();
        if (messageResults_) {
            messageResults_ = false;
            panel_->setStatus(hitsCaption(0) + " in this message (cancelled)");
        }
        updateKeys();
    }
    // The runs end within milliseconds and tell what they found.
    if (categoryRun_)
        categoryRun_->cancel = true;
    if (messageRun_)
        messageRun_->cancel = true;
}

void FindController::clear() {
    endCategoryRun();
    endMessageRun();
    clearResults();
    panel_->setStatus(Bytes());
    updateKeys();
}

void FindController::close() {
    clear();
    matcher_ = Matcher();
    showMarks({});
}

bool FindController::step(int direction) {
    if (panel_->isHidden() || !matcher_.ready())
        return false;
    // In the message on view, the hits are those of the message now on view.
    if (thisMessageOnly_ && !categoryRun_ && (messages_.empty() || messages_[0].name != host_.fileOnView())) {
        lookAtMessageOnView(true);
        return true;
    }
    if (entries_.empty())
        return true;
    const auto hitsOf = [this](size_t e) {
        const Entry &en = entries_[e];
        return messages_[en.message].lines[en.line].hits.size();
    };
    long e = entry_;
    size_t h = hit_;
    if (e < 0) {
        e = direction > 0 ? 0 : long(entries_.size()) - 1;
        h = direction > 0 ? 0 : hitsOf(size_t(e)) - 1;
    } else if (direction > 0) {
        if (h + 1 < hitsOf(size_t(e)))
            ++h;
        else if (size_t(e) + 1 < entries_.size()) {
            ++e;
            h = 0;
        } else {
            panel_->setStatus("No further hit");
            return true;
        }
    } else {
        if (h > 0)
            --h;
        else if (e > 0) {
            --e;
            h = hitsOf(size_t(e)) - 1;
        } else {
            panel_->setStatus("No earlier hit");
            return true;
        }
    }
    goToHit(size_t(e), h);
    return true;
}

bool FindController::goToHit(size_t entry, size_t hit) {
    if (entry >= entries_.size())
        return false;
    const Entry en = entries_[entry];
    // Copied: bringing the message on view may take in news meanwhile.
    const Bytes name = messages_[en.message].name;
    const LineHit lh = messages_[en.message].lines[en.line];
    if (!thisMessageOnly_ && host_.fileOnView() != name) {
        Bytes why;
        if (!host_.showFoundMessage(directory_, name, &why)) {
            if (!why.empty())
                panel_->setStatus(why, true);
            return false;
        }
    }
    entry_ = long(entry);
    hit_ = hit;
    listRows(entry + 1, false);
    panel_->setCurrentResult(int(entry));
    // The hit itself is selected in the memo; header hits have no memo line.
    const long memoLine = thisMessageOnly_ ? long(lh.line) : long(lh.line) - (logMode_ ? long(kHeaderLines) : 0);
    selectInMemo(memoLine, lh, hit);
    return true;
}

void FindController::selectInMemo(long memoLine, const LineHit &lh, size_t hit) {
    if (memoLine < 0 || lh.hits.empty())
        return;
    const QTextBlock block = memo_->lineBlock(int(memoLine));
    if (!block.isValid())
        return;
    const Bytes text = fromUnicode(memo_->lineText(block));
    if (text != lh.text)
        return; // the file changed since it was searched
    const Hit &h = lh.hits[std::min(hit, lh.hits.size() - 1)];
    QTextCursor c(block);
    c.setPosition(memo_->linePosition(block, memoColumn(text, h.begin)));
    c.setPosition(memo_->linePosition(block, memoColumn(text, h.end)), QTextCursor::KeepAnchor);
    memo_->setTextCursor(c);
    memo_->ensureCursorVisible();
}

} // namespace vb
