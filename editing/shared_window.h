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

    // The two panels the window shows one at a time.
    enum class Page { HeaderEdit, Options };
    // Shows page and hides the other; gives the panel shown, which the
    // window is sized and placed around.
    QWidget *showPage(Page page);
    // The panel the application options are built on.
    QWidget *optionsPage() const { return Pnl_Option; }
    // The controls and operations of the header-edit panel.
    HeaderEditor *headerEditor() const { return HeaderEdit; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QWidget *Pnl_HeaderEdit = nullptr;  // 500 x 315
    QWidget *Pnl_Option = nullptr;      // 170 x 80
    HeaderEditor *HeaderEdit = nullptr; // built on Pnl_HeaderEdit
};

} // namespace vb
