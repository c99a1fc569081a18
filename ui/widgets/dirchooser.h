#pragma once
// The directory chooser: shows one directory with its parent entry and its
// subdirectories; the user moves by double click or Enter. Every setting of
// the directory, also to the one already shown, raises the change handler.

#include "ui/core/codepage.h"

#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;

namespace vb {

class DirChooser : public QWidget {
    Q_OBJECT
public:
    explicit DirChooser(QWidget *parent = nullptr);
    // Without a trailing separator, except for the root.
    const Bytes &directory() const { return dir_; }
    void setDirectory(const Bytes &dir);
    std::function<void()> onChange;
    // Asked before the user moves to another directory; false keeps it.
    std::function<bool()> mayLeave;

    QListWidget *list() const { return list_; }
    // Moves to the entry at row (".." is the parent), as a double click does.
    void enterRow(int row);

private:
    void fill();
    Bytes dir_;
    QLabel *path_;
    QListWidget *list_;
};

} // namespace vb
