// The Edit menu's "Header Edit": hands the message text to the header editor
// and leaves the browser for it.

#include "browser/browser_window.h"

namespace vb {

void TF1::MM_Edit_HeaderClick() {
    // The memo's logical lines, never its lines as wrapped on the screen.
    const std::vector<Bytes> HeaderBodyLines = Memo_log->logicalLines();
    const bool edited = Memo_log->document()->isModified();
    host_->FormStyle_Set(kHeaderEditor);
    hide();
    host_->enterHeaderEditor(HeaderBodyLines, edited);
}

} // namespace vb
