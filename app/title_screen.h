#pragma once
// The title screen: the application's main window. Closing it ends the run.

#include "ui/widgets/controls.h"

#include <QWidget>

class QLabel;

namespace vb {

class TF;

class TF0 : public QWidget {
    Q_OBJECT
public:
    TF0();
    void setController(TF *controller) { controller_ = controller; }

    QWidget *Pnl_Title = nullptr; // 352 x 152
    QLabel *Image_Title = nullptr;
    FlatButton *Btn_Title_View = nullptr;
    FlatButton *Btn_Title_Quit = nullptr;

    void Btn_Title_ViewClick();
    void Btn_Title_QuitClick();

protected:
    void closeEvent(QCloseEvent *e) override;
    // The picture is held only while the screen is up.
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    TF *controller_ = nullptr;
};

} // namespace vb
