// Thread view: the title list of a Log Mode category shown as the tree of
// replies its links describe. The title pass keeps each message's links; the
// tree is made when the pass ends and handed to the list, which shows it.

#include "browser/browser_window.h"
#include "ui/widgets/guard.h"

namespace vb {

TF1::ThreadPass::ThreadPass(TF1 &browser) : b_(browser), on_(browser.threadsShown()) {
    b_.threadLinks_.clear();
    if (on_)
        b_.threadLinks_.reserve(b_.FLB.names().size());
}

void TF1::ThreadPass::add(const CurrentMessage &header, const Bytes &titleLine) {
    if (!on_)
        return;
    b_.threadLinks_.addHeader(header, titleLine);
}

TF1::ThreadPass::~ThreadPass() {
    if (!on_)
        return;
    try {
        // The links stay for a refresh of the list, which reads only the
        // files that changed.
        ThreadTree t = ThreadTree::build(b_.threadLinks_, size_t(b_.LB_Title->lineCount()), b_.descending());
        // The folder keys the threads the user collapsed, by number.
        b_.LB_Title->setTree({std::move(t.parent), std::move(t.childStart), std::move(t.children), std::move(t.roots),
                              b_.listedDirectory()});
    } catch (...) {
        // Without memory for the tree the list stays flat.
        b_.threadLinks_.clear();
        b_.titleCache_.links = false;
    }
}

void TF1::readThreadView() {
    threadView_ = settings_.readThreadView();
    threadMenuCheck();
}

void TF1::threadMenuCheck() {
    MM_View_Thread->setChecked(threadView_);
    // Text Mode messages have no links: their list is always flat.
    MM_View_Thread->setEnabled(logMode());
}

void TF1::MM_View_ThreadClick() {
    const bool on = MM_View_Thread->isChecked();
    // Turning it on reads the titles again (for their links) and shows the
    // message on view afresh, which would drop typed text.
    if (on && logMode() && !FLB.names().empty() && !mayDiscardEdits()) {
        MM_View_Thread->setChecked(false);
        return;
    }
    threadView_ = on;
    dropRefresh(true); // a pass under way made its links for the other view
    // Not being able to remember it does not keep it from taking effect.
    guarded([&] { settings_.writeThreadView(on); });
    if (!logMode() || LB_Title->lineCount() == 0)
        return;
    if (on)
        rebuildTitlesKeeping(fileOnView());
    else
        LB_Title->setTree({}); // the flat list, the selection kept
}

void TF1::rebuildTitlesKeeping(const Bytes &fileName) {
    rebuildTitles(false);
    if (LB_Title->lineCount() == 0)
        return;
    const int j = fileName.empty() ? -1 : lineOfFile(fileName);
    LB_Title->setSelectedIndex(j >= 0 ? rowForLine(j) : 0);
    TextLoad();
}

} // namespace vb
