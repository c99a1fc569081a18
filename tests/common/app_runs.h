#pragma once
// Ending a whole program started by a test: its windows hidden, then the
// program destroyed, and fresh scripted dialogs for what comes next.

#include "app/app.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/shared_window.h"
#include "setup/setup_window.h"
#include "tests/common/scripted_dialogs.h"

#include <memory>

namespace vbtest {

inline void endApplication(std::unique_ptr<vb::Application> &app) {
    if (app)
        for (QWidget *w : std::initializer_list<QWidget *>{app->F0.get(), app->F1.get(), app->F2.get(), app->F3.get()})
            w->hide();
    app.reset();
    vb::installScriptedDialogs();
}

} // namespace vbtest
