#pragma once
// The window shared by the header editor and the application options: a
// fixed dialog frame showing one of its two panels.

#include <QWidget>

class QLabel;

namespace vb {

class HeaderEditor;

class TF3 : public QWidget {
    Q_OBJECT
public:
    TF3();
    QWidget *Pnl_HeaderEdit = nullptr;  // 500 x 315
    QWidget *Pnl_Option = nullptr;      // 170 x 80
    HeaderEditor *HeaderEdit = nullptr; // the controls and operations of Pnl_HeaderEdit

protected:
    void closeEvent(QCloseEvent *e) override;
};

} // namespace vb
