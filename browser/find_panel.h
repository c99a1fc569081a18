#pragma once
// The Find box of the browser: the text to find, whether it is a regular
// expression and whether only the message on view is searched, the buttons,
// a line of progress or summary, and the list of results. It takes the
// place of the directory chooser while it is open. Its buttons and the
// picks in its list reach the browser and the find controller as signals;
// what they show comes back through its methods.

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

    // What the user asked for.
    QString pattern() const;
    bool regex() const;
    bool thisMessageOnly() const;
    // The box opened: the search is over the message on view or over the
    // category, and the text to find takes the focus, selected.
    void prepare(bool thisMessageOnly);

    // Stop can be pressed while a run goes.
    void setRunning(bool running);
    // The status line; an error shows in red.
    void setStatus(const Bytes &text, bool error = false);
    Bytes status() const;

    // The results list: emptied, a row added at the end, a row made current.
    void clearResults();
    void addResult(const QString &row);
    void setCurrentResult(int row);
    // The list keeps room for rows result rows at least.
    void keepResultRows(int rows);

signals:
    // The Find button, or Enter in the text to find.
    void findRequested();
    // The Stop button.
    void stopRequested();
    // The Close Find button.
    void closeRequested();
    // The user picked result row: a click, Enter, or a move with the keys.
    void resultPicked(int row);

private:
    // Tells of the current row as picked, unless the program is changing it.
    void pickCurrent();

    TextField *Edt_FindText = nullptr;
    QCheckBox *Chk_FindRegex = nullptr;
    QCheckBox *Chk_FindThisMessage = nullptr;
    FlatButton *Btn_Find = nullptr;
    FlatButton *Btn_FindStop = nullptr;
    FlatButton *Btn_FindClose = nullptr;
    QLabel *Lbl_FindStatus = nullptr;
    QListWidget *LB_FindResults = nullptr;
    bool quiet_ = false; // the program is changing the results list
};

} // namespace vb
