#pragma once
// The Find box of the browser: the text to find, whether it is a regular
// expression and whether only the message on view is searched, the buttons,
// a line of progress or summary, and the list of results. It takes the
// place of the directory chooser while it is open; the browser drives it.

#include "ui/widgets/controls.h"
#include "ui/widgets/textfield.h"

#include <QWidget>

class QCheckBox;
class QListWidget;

namespace vb {

class FindPanel : public QWidget {
    Q_OBJECT
public:
    explicit FindPanel(QWidget *parent = nullptr);

    TextField *Edt_FindText = nullptr;
    QCheckBox *Chk_FindRegex, *Chk_FindThisMessage;
    FlatButton *Btn_Find, *Btn_FindStop, *Btn_FindClose;
    QLabel *Lbl_FindStatus = nullptr;
    QListWidget *LB_FindResults = nullptr;

    // The status line; an error shows in red.
    void setStatus(const Bytes &text, bool error = false);
    Bytes status() const;
};

} // namespace vb
