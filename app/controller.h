#pragma once
// The hidden controller window F: owns the settings, prepares every screen by
// its number, stores and restores the browser's geometry, and connects the
// windows with one another.

#include "browser/browser_host.h"
#include "app/user_folder.h"
#include "settings/settings.h"

#include <QWidget>


namespace vb {

class TF0;
class TF1;
class TF2;
class TF3;
class OptionsPanel;

class TF : public QWidget, public BrowserHost {
    Q_OBJECT
public:
    TF(Settings &settings, TF0 *f0, TF1 *f1);
    // Connects the windows created after the controller.
    void attach(TF2 *f2, TF3 *f3, OptionsPanel *options);

    void FormCreate();
    void FormStyle_Set(int style) override;
    void FormStyle_Write() override;

    // The title screen's View: the per-user folder, options, hints, then the
    // browser.
    void view();
    // View, with folder listed as the directory of the category opened first.
    void viewFolder(const Bytes &folder);
    // Where the settings are: every View first makes an installed program's
    // per-user folder ready from it.
    void setSettingsPlace(const SettingsPlace *place) { place_ = place; }

    bool fastCloseTicked() const override;
    void showTitleScreen() override;
    void endProgram() override;
    void enterSetup() override;
    void enterApplicationSetup() override;
    void enterHeaderEditor(const HeaderEditRequest &request) override;

    // Runs DefaultRead; when it fails before the browser is shown, shows
    // fallback again so that a window always stays on the screen.
    void enterBrowser(QWidget *fallback, int fallbackStyle);

private:
    void placeBrowser();
    void placeDialog(QWidget *window, QWidget *panel);

    const SettingsPlace *place_ = nullptr;
    Settings &settings_;
    TF0 *F0 = nullptr;
    TF1 *F1 = nullptr;
    TF2 *F2 = nullptr;
    TF3 *F3 = nullptr;
    OptionsPanel *options_ = nullptr;
};

} // namespace vb
