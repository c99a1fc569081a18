#pragma once
// The application options on the shared window F3: "Fast Shut Out" and
// "Show Hint". The two check boxes hold the options in force for the run.

#include "settings/settings.h"

#include <QObject>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vb {

class OptionsPanel : public QObject {
    Q_OBJECT
public:
    // Builds the controls inside panel. window is the F3 window to show;
    // browser is shown again on leaving; hintWindows switch hints together.
    OptionsPanel(QWidget *panel, QWidget *window, Settings &settings);
    void setBrowser(QWidget *browser) { browser_ = browser; }
    void setHintWindows(std::vector<QWidget *> windows) { hintWindows_ = std::move(windows); }

    QLabel *Lbl_Option = nullptr;
    QCheckBox *CB_FastClose = nullptr;
    QCheckBox *CB_ShowHint = nullptr;
    QPushButton *Btn_Option_OK = nullptr;
    QPushButton *Btn_Option_Cancel = nullptr;

    // Loads both options from the settings file into the boxes.
    void loadOptions();
    // The options in force: what the boxes hold.
    Settings::Options options() const;
    void ApplicationSetup();
    void Btn_Option_OKClick();
    void Btn_Option_CancelClick();
    void SetShowHint();

private:
    QWidget *window_ = nullptr;
    QWidget *browser_ = nullptr;
    Settings &settings_;
    std::vector<QWidget *> hintWindows_;
};

} // namespace vb
