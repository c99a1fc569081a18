#pragma once
// Start-up: the application title, then the five windows in their order:
// title screen, browser, controller, category setup, shared editor window.

#include "app/user_folder.h"
#include "settings/settings.h"

#include <QIcon>
#include <memory>

namespace vb {

class TF;
class TF0;
class TF1;
class TF2;
class TF3;
class OptionsPanel;

// The program's icon: the installed theme's, else the one built in. Every
// window carries it.
QIcon programIcon();

class Application {
public:
    // settingsPath defaults to the settings file in EPath().
    explicit Application(Bytes settingsPath = Bytes());
    // The settings in place; an installed run prepares its per-user folder
    // on the first View.
    explicit Application(SettingsPlace place);
    ~Application();
    // Shows the title screen; with a folder, opens the browser on it at once.
    void start(const Bytes &folder = Bytes());

    SettingsPlace place;
    Settings settings;
    std::unique_ptr<TF0> F0;
    std::unique_ptr<TF1> F1;
    std::unique_ptr<TF> F;
    std::unique_ptr<TF2> F2;
    std::unique_ptr<TF3> F3;
    OptionsPanel *options = nullptr; // owned by F3's option panel

private:
    // The longest the title screen waits to be on the screen before the
    // other windows are made.
    static constexpr int kFirstShowWaitMs = 100;
    void showTitleFirst();
};

} // namespace vb
