// Go To Number, the Find box over every message of the category, finding in
// the message on view, the hits marked in the message text and the steps
// through them with F3 / Shift+F3.

#include "browser/browser_window.h"
#include "browser/find_panel.h"
#include "browser/search_run.h"
#include "messages/numbers.h"
#include "ui/core/files.h"
#include "ui/core/mbcs.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/guard.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

namespace vb {

// A row of the results list: a message of FindState::messages and one of its lines.
struct FindEntry {
    size_t message, line;
};

struct FindState {
    Matcher matcher;              // ready while hits are to be marked
    bool thisMessageOnly = false; // the results are lines of the memo
    Bytes directory;              // the directory searched
    std::vector<MessageHits> messages;
    std::vector<FindEntry> entries;
    size_t hits = 0;
    long entry = -1; // the hit last gone to: entry and hit within its line
    size_t hit = 0;
    std::unique_ptr<SearchRun> run;
    QTimer *timer = nullptr;
    QShortcut *cancelKey = nullptr, *closeKey = nullptr;
    bool quiet = false;   // the program is changing the results list
    QList<int> paneSizes; // the title list and directory heights before the box opened
};

namespace {

constexpr size_t kContextBefore = 30, kShownBytes = 160;
const Bytes kMarkOpen = "\x81\x79", kMarkClose = "\x81\x7a", kEllipsis = "\x81\x63"; // 【 】 …

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
        out += kMarkOpen + line.substr(h.begin, h.end - h.begin) + kMarkClose;
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

} // namespace

void TF1::FindStateDeleter::operator()(FindState *f) const { delete f; }

TF1::~TF1() {
    // The memo outlives this part of the window: it must not call back.
    Memo_log->disconnect(this);
    find_.reset();
}

void TF1::buildFind() {
    find_.reset(new FindState);
    using K = QKeySequence;
    addEntries(MM_View, {kSeparator,
                         {&TF1::MM_View_GoToNumber, "Go To Number\x81\x63", "MM_View_GoToNumber",
                          "番号 (Text Mode ではファイル名の先頭) を指定して移動", K(Qt::CTRL | Qt::Key_G),
                          &TF1::MM_View_GoToNumberClick, false}});
    addEntries(MM_Edit, {kSeparator,
                         {&TF1::MM_Edit_Find, "Find\x81\x63", "MM_Edit_Find",
                          "カテゴリ内の全メッセージを検索 (本文から開くと表示中のメッセージ内)",
                          K(Qt::CTRL | Qt::Key_F), &TF1::MM_Edit_FindClick, false},
                         {&TF1::MM_Edit_FindNext, "Find Next", "MM_Edit_FindNext", "次の検索結果", K(Qt::Key_F3),
                          &TF1::MM_Edit_FindNextClick, false},
                         {&TF1::MM_Edit_FindPrevious, "Find Previous", "MM_Edit_FindPrevious", "前の検索結果",
                          K(Qt::SHIFT | Qt::Key_F3), &TF1::MM_Edit_FindPreviousClick, false}});

    Pnl_Find = new FindPanel;
    Pnl_Dir->dock(Pnl_Find, Panel::Client);
    Pnl_Find->hide();
    connectGuarded(Pnl_Find->Btn_Find, &QToolButton::clicked, this, [this] { Btn_FindClick(); });
    connectGuarded(Pnl_Find->Btn_FindStop, &QToolButton::clicked, this, [this] { Btn_FindStopClick(); });
    connectGuarded(Pnl_Find->Btn_FindClose, &QToolButton::clicked, this, [this] { Btn_FindCloseClick(); });
    connectGuarded(Pnl_Find->Edt_FindText, &QLineEdit::returnPressed, this, [this] { Btn_FindClick(); });
    QListWidget *results = Pnl_Find->LB_FindResults;
    const auto pick = [this, results] {
        if (!find_->quiet && results->currentRow() >= 0)
            goToFindHit(size_t(results->currentRow()), 0);
    };
    connectGuarded(results, &QListWidget::itemClicked, this, pick);
    connectGuarded(results, &QListWidget::itemActivated, this, pick);
    // Keyboard moves in the list show the result they land on.
    connectGuarded(results, &QListWidget::currentRowChanged, this, [pick] {
        if (QApplication::mouseButtons() == Qt::NoButton)
            pick();
    });

    // Escape stops a search under way wherever the focus is; with none under
    // way it closes the box when the focus is in it.
    find_->cancelKey = new QShortcut(K(Qt::Key_Escape), this);
    find_->cancelKey->setEnabled(false);
    find_->cancelKey->setWhatsThis(QString::fromUtf8("検索を中止"));
    connectGuarded(find_->cancelKey, &QShortcut::activated, this, [this] { Btn_FindStopClick(); });
    find_->closeKey = new QShortcut(K(Qt::Key_Escape), Pnl_Find);
    find_->closeKey->setContext(Qt::WidgetWithChildrenShortcut);
    find_->closeKey->setWhatsThis(QString::fromUtf8("検索ボックスを閉じる (検索ボックス内)"));
    connectGuarded(find_->closeKey, &QShortcut::activated, this, [this] { Btn_FindCloseClick(); });

    find_->timer = new QTimer(this);
    find_->timer->setInterval(40);
    connectGuarded(find_->timer, &QTimer::timeout, this, [this] { pollFind(); });
    connectGuarded(Memo_log, &QPlainTextEdit::textChanged, this, [this] { markMemoHits(); });
}

int TF1::titleListHeightToStore() const {
    return !Pnl_Find->isHidden() && find_->paneSizes.size() == 2 ? find_->paneSizes[0] : Pnl_TitleList->height();
}

Bytes TF1::fileOnView() const {
    return shownLine_ >= 0 && size_t(shownLine_) < FLB.names().size() ? fileForLine(shownLine_) : Bytes();
}

int TF1::lineOfFile(const Bytes &name) const {
    const auto &names = FLB.names();
    for (size_t k = 0; k < names.size(); ++k) {
        if (names[k] != name)
            continue;
        const int j = descending() ? int(names.size() - 1 - k) : int(k);
        return j < LB_Title->lineCount() ? j : -1;
    }
    return -1;
}

void TF1::MM_View_GoToNumberClick() {
    if (LB_Title->lineCount() == 0)
        return;
    const bool log = logMode();
    Bytes answer;
    if (!dialogs().askText(log ? "Message number:" : "File name begins with:", answer))
        return;
    while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\t'))
        answer.pop_back();
    if (answer.empty())
        return;
    int line = -1;
    if (log) {
        int n = 0;
        if (!tryWholeNumber(answer, n)) {
            dialogs().message("'" + answer + "' is not a message number");
            return;
        }
        // A title line starts with its number: "00012 _ title / name".
        line = LB_Title->lines().firstLineReading(n);
        if (line < 0) {
            dialogs().message("Message " + fiveDigit(n) + " is not listed");
            return;
        }
    } else {
        for (int j = 0; j < LB_Title->lineCount() && line < 0; ++j) {
            const Bytes &name = fileForLine(j);
            bool same = name.size() >= answer.size();
            for (size_t i = 0; same && i < answer.size(); ++i)
                same = mbcs::foldLetter(static_cast<unsigned char>(name[i])) ==
                       mbcs::foldLetter(static_cast<unsigned char>(answer[i]));
            if (same)
                line = j;
        }
        if (line < 0) {
            dialogs().message("No listed file name begins with \"" + answer + "\"");
            return;
        }
    }
    showLine(line);
}

void TF1::MM_Edit_FindClick() {
    const bool inMessage = Memo_log->hasFocus();
    if (Pnl_Find->isHidden()) {
        // The box gets at least half of the left pane; the heights are given
        // back when it closes, and only they are ever stored.
        find_->paneSizes = Splitter1->sizes();
        const int total = find_->paneSizes.value(0) + find_->paneSizes.value(1);
        if (find_->paneSizes.value(1) < total / 2)
            Splitter1->setSizes({total - total / 2, total / 2});
        DLB->hide();
        Pnl_Find->show();
        Pnl_Dir->relayout();
    }
    Pnl_Find->Chk_FindThisMessage->setChecked(inMessage);
    Pnl_Find->Edt_FindText->setFocus();
    Pnl_Find->Edt_FindText->selectAll();
}

void TF1::MM_Edit_FindNextClick() { stepFind(1); }
void TF1::MM_Edit_FindPreviousClick() { stepFind(-1); }

void TF1::Btn_FindClick() {
    FindState &f = *find_;
    f.run.reset(); // a search under way ends here
    f.timer->stop();
    f.messages.clear();
    f.entries.clear();
    f.hits = 0;
    f.entry = -1;
    f.hit = 0;
    f.quiet = true;
    Pnl_Find->LB_FindResults->clear();
    f.quiet = false;
    f.cancelKey->setEnabled(false);
    f.closeKey->setEnabled(true);
    Pnl_Find->Btn_FindStop->setEnabled(false);
    Bytes error;
    const bool ok = f.matcher.compile(Pnl_Find->Edt_FindText->bytes(), Pnl_Find->Chk_FindRegex->isChecked(), &error);
    markMemoHits();
    if (!ok) {
        Pnl_Find->setStatus(error, true);
        return;
    }
    f.thisMessageOnly = Pnl_Find->Chk_FindThisMessage->isChecked();
    f.directory = FLB.directory();
    if (f.thisMessageOnly) {
        findInMessage();
        return;
    }
    if (FLB.names().empty()) {
        Pnl_Find->setStatus("No message is listed");
        return;
    }
    // The files in the order of the title list, so that the results come in it.
    std::vector<Bytes> names = FLB.names().toVector();
    if (descending())
        std::reverse(names.begin(), names.end());
    const size_t count = names.size();
    f.run = std::make_unique<SearchRun>(FLB.directory(), std::move(names), logMode(), f.matcher);
    f.cancelKey->setEnabled(true);
    f.closeKey->setEnabled(false);
    Pnl_Find->Btn_FindStop->setEnabled(true);
    Pnl_Find->setStatus("Searching\x81\x63 0 / " + std::to_string(count) + " files");
    f.timer->start();
}

// Finding in the message on view: its memo lines are the results.
void TF1::findInMessage() {
    FindState &f = *find_;
    f.messages.clear();
    f.entries.clear();
    f.hits = 0;
    f.entry = -1;
    f.quiet = true;
    Pnl_Find->LB_FindResults->clear();
    f.quiet = false;
    MessageHits m;
    m.name = fileOnView();
    const std::vector<Bytes> lines = Memo_log->logicalLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<Hit> hits = f.matcher.findAll(lines[i]);
        if (!hits.empty())
            m.lines.push_back({i, lines[i], std::move(hits)});
    }
    std::vector<MessageHits> found;
    if (!m.lines.empty())
        found.push_back(std::move(m));
    addFindResults(std::move(found));
    Pnl_Find->setStatus(std::to_string(f.hits) + (f.hits == 1 ? " hit" : " hits") + " in this message");
    if (!f.entries.empty())
        goToFindHit(0, 0);
}

void TF1::pollFind() {
    FindState &f = *find_;
    if (!f.run) {
        f.timer->stop();
        return;
    }
    SearchRun::Poll p = f.run->poll();
    addFindResults(std::move(p.found));
    if (!p.finished) {
        Pnl_Find->setStatus("Searching\x81\x63 " + std::to_string(p.done) + " / " + std::to_string(f.run->fileCount()) +
                            " files, " + std::to_string(f.hits) + " hits");
        return;
    }
    f.timer->stop();
    f.run.reset();
    f.cancelKey->setEnabled(false);
    f.closeKey->setEnabled(true);
    Pnl_Find->Btn_FindStop->setEnabled(false);
    Pnl_Find->setStatus(summaryText(p.summary));
}

void TF1::addFindResults(std::vector<MessageHits> &&found) {
    FindState &f = *find_;
    QListWidget *list = Pnl_Find->LB_FindResults;
    for (MessageHits &m : found) {
        const size_t index = f.messages.size();
        f.hits += m.hitCount();
        const Bytes heading = f.thisMessageOnly ? Bytes() : (m.number.empty() ? m.name : m.number) + " " + m.title;
        for (size_t k = 0; k < m.lines.size(); ++k) {
            f.entries.push_back({index, k});
            const LineHit &l = m.lines[k];
            const Bytes where = f.thisMessageOnly ? "Line " + std::to_string(l.line + 1) : heading;
            list->addItem(toUnicode(where + "\n    " + markedLine(l.text, l.hits)));
        }
        f.messages.push_back(std::move(m));
    }
}

void TF1::stepFind(int direction) {
    FindState &f = *find_;
    if (Pnl_Find->isHidden() || !f.matcher.ready()) {
        MM_Edit_FindClick(); // nothing searched yet: the box asks for a text
        return;
    }
    // In the message on view, the hits are those of the message now on view.
    if (f.thisMessageOnly && !f.run) {
        if (f.messages.empty() || f.messages[0].name != fileOnView()) {
            findInMessage();
            return;
        }
    }
    if (f.entries.empty())
        return;
    const auto hitsOf = [&f](size_t e) {
        const FindEntry &en = f.entries[e];
        return f.messages[en.message].lines[en.line].hits.size();
    };
    long e = f.entry;
    size_t h = f.hit;
    if (e < 0) {
        e = direction > 0 ? 0 : long(f.entries.size()) - 1;
        h = direction > 0 ? 0 : hitsOf(size_t(e)) - 1;
    } else if (direction > 0) {
        if (h + 1 < hitsOf(size_t(e)))
            ++h;
        else if (size_t(e) + 1 < f.entries.size()) {
            ++e;
            h = 0;
        } else {
            Pnl_Find->setStatus("No further hit");
            return;
        }
    } else {
        if (h > 0)
            --h;
        else if (e > 0) {
            --e;
            h = hitsOf(size_t(e)) - 1;
        } else {
            Pnl_Find->setStatus("No earlier hit");
            return;
        }
    }
    goToFindHit(size_t(e), h);
}

bool TF1::goToFindHit(size_t entry, size_t hit) {
    FindState &f = *find_;
    if (entry >= f.entries.size())
        return false;
    const FindEntry en = f.entries[entry];
    const MessageHits &m = f.messages[en.message];
    const LineHit &lh = m.lines[en.line];
    if (!f.thisMessageOnly && fileOnView() != m.name) {
        // A result is opened only from the directory it was found in, and
        // only while its file is there.
        const int j = FLB.directory() == f.directory ? lineOfFile(m.name) : -1;
        if (j < 0 || !fileExists(withSeparator(f.directory) + m.name)) {
            Pnl_Find->setStatus(m.name + " is no longer listed", true);
            return false;
        }
        if (!showLine(j))
            return false;
    }
    f.entry = long(entry);
    f.hit = hit;
    f.quiet = true;
    Pnl_Find->LB_FindResults->setCurrentRow(int(entry));
    f.quiet = false;
    // The hit itself is selected in the memo; header hits have no memo line.
    const long memoLine = f.thisMessageOnly ? long(lh.line) : long(lh.line) - (logMode() ? long(kHeaderLines) : 0);
    const QTextBlock block = Memo_log->document()->findBlockByNumber(int(memoLine));
    if (memoLine < 0 || !block.isValid())
        return true;
    const Bytes text = fromUnicode(block.text());
    const std::vector<Hit> hits = f.matcher.findAll(text);
    if (hits.empty())
        return true; // the file changed since it was searched
    const Hit &h = hits[std::min(hit, hits.size() - 1)];
    QTextCursor c(block);
    c.setPosition(block.position() + memoColumn(text, h.begin));
    c.setPosition(block.position() + memoColumn(text, h.end), QTextCursor::KeepAnchor);
    Memo_log->setTextCursor(c);
    Memo_log->ensureCursorVisible();
    return true;
}

void TF1::markMemoHits() {
    if (!find_)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    if (find_->matcher.ready() && !Pnl_Find->isHidden() && Memo_log->isReadOnly()) {
        QTextCharFormat mark;
        mark.setBackground(QColor(255, 225, 0));
        for (QTextBlock b = Memo_log->document()->begin(); b.isValid(); b = b.next()) {
            const Bytes line = fromUnicode(b.text());
            for (const Hit &h : find_->matcher.findAll(line)) {
                QTextCursor c(b);
                c.setPosition(b.position() + memoColumn(line, h.begin));
                c.setPosition(b.position() + memoColumn(line, h.end), QTextCursor::KeepAnchor);
                marks.push_back({c, mark});
            }
        }
    }
    if (!marks.isEmpty() || !Memo_log->extraSelections().isEmpty())
        Memo_log->setExtraSelections(marks);
}

void TF1::Btn_FindStopClick() {
    if (find_->run)
        find_->run->cancel(); // the next poll shows what was found
}

void TF1::Btn_FindCloseClick() { closeFind(); }

void TF1::closeFind() {
    FindState &f = *find_;
    f.run.reset();
    f.timer->stop();
    f.matcher = Matcher();
    f.messages.clear();
    f.entries.clear();
    f.entry = -1;
    f.quiet = true;
    Pnl_Find->LB_FindResults->clear();
    f.quiet = false;
    Pnl_Find->setStatus(Bytes());
    f.cancelKey->setEnabled(false);
    f.closeKey->setEnabled(true);
    Pnl_Find->Btn_FindStop->setEnabled(false);
    const bool wasOpen = !Pnl_Find->isHidden();
    Pnl_Find->hide();
    DLB->show();
    if (wasOpen && f.paneSizes.size() == 2)
        Splitter1->setSizes(f.paneSizes);
    Pnl_Dir->relayout();
    markMemoHits();
    LB_Title->setFocus();
}

} // namespace vb
