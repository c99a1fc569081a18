// Go To Number, and the Find box as the window shows it: where it sits, what
// a search is over and how a found message is brought on view. The work of
// finding is the find controller's (find/find_controller.h).

#include "browser/browser_window.h"
#include "browser/find/find_controller.h"
#include "browser/find_panel.h"
#include "messages/numbers.h"
#include "platform/files.h"
#include "platform/mbcs.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/guard.h"

#include <QSplitter>
#include <algorithm>

namespace vb {

void TF1::buildFind() {
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
    finder_ = new FindController(*this, Pnl_Find, Memo_log, this);
    connectGuarded(Pnl_Find, &FindPanel::findRequested, this, [this] { Btn_FindClick(); });
    connectGuarded(Pnl_Find, &FindPanel::stopRequested, this, [this] { Btn_FindStopClick(); });
    connectGuarded(Pnl_Find, &FindPanel::closeRequested, this, [this] { Btn_FindCloseClick(); });
    connectGuarded(finder_, &FindController::closeRequested, this, [this] { Btn_FindCloseClick(); });
}

FindScope TF1::findScope() const {
    FindScope s;
    s.directory = FLB.directory();
    // The files in the order of the title list, so that the results come in it.
    s.names = FLB.names().toVector();
    if (descending())
        std::reverse(s.names.begin(), s.names.end());
    s.logMode = logMode();
    s.fileOnView = fileOnView();
    return s;
}

bool TF1::showFoundMessage(const Bytes &directory, const Bytes &name, Bytes *why) {
    // A result is opened only from the directory it was found in, and only
    // while its file is there.
    const int j = FLB.directory() == directory ? lineOfFile(name) : -1;
    if (j < 0 || !fileExists(withSeparator(directory) + name)) {
        *why = name + " is no longer listed";
        return false;
    }
    return showLine(j);
}

int TF1::titleListHeightToStore() const {
    return !Pnl_Find->isHidden() && findPaneSizes_.size() == 2 ? findPaneSizes_[0] : Pnl_TitleList->height();
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
        findPaneSizes_ = Splitter1->sizes();
        const int total = findPaneSizes_.value(0) + findPaneSizes_.value(1);
        if (findPaneSizes_.value(1) < total / 2)
            Splitter1->setSizes({total - total / 2, total / 2});
        DLB->hide();
        Pnl_Find->show();
        Pnl_Dir->relayout();
    }
    Pnl_Find->prepare(inMessage);
}

void TF1::MM_Edit_FindNextClick() { stepFind(1); }
void TF1::MM_Edit_FindPreviousClick() { stepFind(-1); }

void TF1::stepFind(int direction) {
    if (!finder_->step(direction))
        MM_Edit_FindClick(); // nothing searched yet: the box asks for a text
}

void TF1::Btn_FindClick() { finder_->search(); }

void TF1::Btn_FindStopClick() { finder_->stop(); }

void TF1::Btn_FindCloseClick() { closeFind(); }

void TF1::closeFind() {
    finder_->close();
    const bool wasOpen = !Pnl_Find->isHidden();
    Pnl_Find->hide();
    DLB->show();
    if (wasOpen && findPaneSizes_.size() == 2)
        Splitter1->setSizes(findPaneSizes_);
    Pnl_Dir->relayout();
    LB_Title->setFocus();
}

void TF1::clearFindResults() { finder_->clear(); }

} // namespace vb
