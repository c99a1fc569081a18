#pragma once
// A panel whose children are docked to its edges, in the order top, bottom,
// left, then the remaining area; children that are not docked keep the
// position and size given to them.

#include <QFrame>

namespace vb {

class Panel : public QFrame {
    Q_OBJECT
public:
    enum Dock { None, Top, Bottom, Left, Client };
    explicit Panel(QWidget *parent = nullptr);
    // Adds w as a child docked as given (None: placed by hand).
    void dock(QWidget *w, Dock how);
    void relayout();

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
};

} // namespace vb
