#pragma once
// The directory chooser: shows one directory with its parent entry and its
// subdirectories; the user moves by double click or Enter. Every setting of
// the directory, also to the one already shown, raises the change handler.

#include "ui/core/codepage.h"

#include <QWidget>
#include <functional>
#include <vector>

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
    // The folders of a directory, in any order (none when it cannot be
    // read); when unset, the chooser reads them itself.
    std::function<std::vector<Bytes>(const Bytes &dir)> listFolders;
    // Runs each move (showing the new directory's folders, then raising
    // onChange), so that an owner can let both share one read of it.
    std::function<void(const std::function<void()> &move)> aroundMove;

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
