#pragma once
// What the browser asks of the rest of the program when it leaves its own
// window: the screen controller and the other windows.

#include "messages/lines.h"
#include "messages/message_on_view.h"
#include "platform/codepage.h"

#include <vector>

namespace vb {

// The screens the controller prepares, by number.
enum ScreenStyle { kTitleScreen = 0, kBrowser = 1, kCategorySetup = 2, kHeaderEditor = 3, kApplicationOptions = 4 };

// What the header editor is given when it opens: the record of the message
// on view, the body to write under the header (HeaderBodyLines, the memo's
// lines at that moment) and whether they hold unsaved edits, the folder a
// bare file name is taken in, and the category's mode and file-name parts.
struct HeaderEditRequest {
    MessageOnView message;
    Lines HeaderBodyLines;
    bool edited = false;
    Bytes directory;
    bool logMode = false;
    Bytes fileName1, fileName2; // prefix and extension of Log Mode names
};

// What the header editor tells the browser it came from.
class HeaderEditReturn {
public:
    virtual ~HeaderEditReturn() = default;
    // The file written, as the message now on view.
    virtual void headerWritten(const MessageOnView &written) = 0;
    // The editor closed (after a write or without one).
    virtual void headerEditClosed() = 0;
};

class BrowserHost {
public:
    virtual ~BrowserHost() = default;
    virtual void FormStyle_Set(int style) = 0;
    virtual void FormStyle_Write() = 0;
    // The "Fast Shut Out" option in force.
    virtual bool fastCloseTicked() const = 0;
    virtual void showTitleScreen() = 0;
    virtual void endProgram() = 0;
    // Shows the category setup window and lets it read the table.
    virtual void enterSetup() = 0;
    // Shows the application options.
    virtual void enterApplicationSetup() = 0;
    // Shows the header editor on the message on view.
    virtual void enterHeaderEditor(const HeaderEditRequest &request) = 0;
};

} // namespace vb
