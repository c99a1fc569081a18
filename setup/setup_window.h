#pragma once
// The category setup window.

#include "settings/settings.h"

#include <QWidget>
#include <functional>

class QPushButton;

namespace vb {

class TF2 : public QWidget {
    Q_OBJECT
public:
    explicit TF2(Settings &settings);
    QWidget *Pnl_Setup; // 632 x 365
    QPushButton *Btn_Setup_Close;

    // Prepares the window when it is opened: reads, compacts and rewrites
    // the category table.
    void Setup_Read();
    void Btn_Setup_CloseClick();
    // Re-enters the browser.
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    Settings &settings_;
};

} // namespace vb
