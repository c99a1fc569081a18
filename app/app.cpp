#include "app/app.h"
#include "platform/apptitle.h"

#include "app/controller.h"
#include "app/options_panel.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "recovery/recovery_record.h"
#include "setup/setup_window.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"
#include "ui/widgets/placement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QWindow>

#include <cstdlib>

// Resources of a static library are registered by hand, outside any namespace.
static void initResources() { Q_INIT_RESOURCE(velbrook); }

namespace vb {

// The windows' own icon, in the sizes a window manager draws it. The
// desktop finds the larger ones for its launchers in the installed icon
// theme, by the desktop file name; looking the theme up here, and making a
// window icon of 256 pixels, took a sixth of the program's own start-up.
QIcon programIcon() {
    QIcon icon;
    for (int size : {48, 128})
        icon.addFile(QStringLiteral(":/velbrook/velbrook-%1.png").arg(size), QSize(size, size));
    return icon;
}

Application::Application(Bytes settingsPath) : Application(settingsPlace(settingsPath)) {}

Application::Application(SettingsPlace settingsPlace)
    : place(std::move(settingsPlace)),
      settings(place.file, place.privateFile ? FileAccess::Private : FileAccess::Shared) {
    // The desktop knows the program by one name: its menu entry
    // velbrook.desktop, the class of its windows (WM_CLASS) and its icon.
    QApplication::setApplicationName(QStringLiteral("velbrook"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velbrook"));
    QApplication::setQuitOnLastWindowClosed(false);
    initResources();
    QApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
    installHintSwitch();
}

Application::~Application() = default;

// The title screen is put up and drawn before the other windows are made:
// the user meets it as soon as it can be drawn, and what is made behind it
// is ready long before a hand can reach for View. Input waits meanwhile.
void Application::showTitleFirst() {
    placePanelWindow(F0.get(), F0->Pnl_Title);
    F0->show();
    QElapsedTimer waited;
    waited.start();
    while (!F0->windowHandle()->isExposed() && waited.elapsed() < kFirstShowWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Application::start(const Bytes &folder) {
    F0 = std::make_unique<TF0>();
    // A folder named at start opens the browser at once, without the title.
    if (folder.empty())
        showTitleFirst();
    F1 = std::make_unique<TF1>(settings);
    F = std::make_unique<TF>(settings, F0.get(), F1.get());
    F2 = std::make_unique<TF2>(settings, F1->CurrentCategory);
    F3 = std::make_unique<TF3>();
    options = new OptionsPanel(F3->optionsPage(), F3.get(), settings);
    options->setBrowser(F1.get());
    F3->headerEditor()->setBrowser(F1.get());
    options->setHintWindows({F1.get(), F2.get(), F3.get()});
    F0->setController(F.get());
    F1->setHost(F.get());
    F1->setRecoveryFolder(recoveryFolder(place.file, place.perUser, std::getenv("XDG_STATE_HOME")));
    F->attach(F2.get(), F3.get(), options);
    F->setSettingsPlace(&place);
    TF2 *f2 = F2.get();
    TF *f = F.get();
    QObject::connect(f2, &TF2::closed, f, [f, f2] { guarded([f, f2] { f->enterBrowser(f2, kCategorySetup); }); });
    if (!folder.empty())
        guarded([f, &folder] { f->viewFolder(folder); });
}

} // namespace vb
