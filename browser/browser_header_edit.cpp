// The Edit menu's "Header Edit": hands the message on view to the header
// editor and leaves the browser for it.

#include "browser/browser_window.h"
#include "messages/body_reader.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>

namespace vb {

void TF1::MM_Edit_HeaderClick() {
    HeaderEditRequest request;
    request.message = onView_;
    if (!onView_.empty() && !onView_.textOnView) {
        // The memo does not hold this message's text: its body comes from
        // the file, so that the header is rewritten over the body it has.
        Bytes content;
        int err = 0;
        if (!readWholeFile(onView_.path, content, &err))
            failCannotOpen(onView_.path);
        request.HeaderBodyLines = splitLines(content);
        const size_t header = std::min<size_t>(onView_.logMode ? 10 : 0, request.HeaderBodyLines.size());
        request.HeaderBodyLines.erase(request.HeaderBodyLines.begin(),
                                      request.HeaderBodyLines.begin() + std::ptrdiff_t(header));
    } else {
        // The memo's logical lines, never its lines as wrapped on the screen.
        request.HeaderBodyLines = Memo_log->logicalLines();
        request.edited = holdsUnsavedText();
    }
    // A bare name typed in the editor is a file of the message's own folder.
    const size_t cut = onView_.path.rfind(kSep);
    request.directory = cut == Bytes::npos ? listedDirectory() : onView_.path.substr(0, cut + 1);
    request.logMode = logMode();
    request.fileName1 = CurrentCategory[kSlotFileName1];
    request.fileName2 = CurrentCategory[kSlotFileName2];
    host_->FormStyle_Set(kHeaderEditor);
    hide();
    host_->enterHeaderEditor(request);
}

} // namespace vb
