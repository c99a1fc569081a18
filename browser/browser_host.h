#pragma once
// What the browser asks of the rest of the program when it leaves its own
// window: the screen controller and the other windows.

#include "ui/core/codepage.h"

#include <vector>

namespace vb {

// The screens the controller prepares, by number.
enum ScreenStyle { kTitleScreen = 0, kBrowser = 1, kCategorySetup = 2, kHeaderEditor = 3, kApplicationOptions = 4 };

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
    // Shows the header editor on the message on view; HeaderBodyLines is the
    // body it writes, edited whether those lines hold unsaved edits.
    virtual void enterHeaderEditor(const std::vector<Bytes> &HeaderBodyLines, bool edited) = 0;
};

} // namespace vb
