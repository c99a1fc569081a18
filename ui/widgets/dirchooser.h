#pragma once
// The directory chooser: shows one directory with its parent entry and its
// subdirectories; the user moves by double click or Enter. Every setting of
// the directory, also to the one already shown, raises directoryChanged().

#include "platform/codepage.h"

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

    // What the chooser asks of an owner that has one; without one it reads
    // the folders itself and always moves.
    class Owner {
    public:
        // Asked before a move the user asked for; false stays.
        virtual bool mayLeaveDirectory() = 0;
        // The folders of a directory, in any order (none when it cannot be
        // read).
        virtual std::vector<Bytes> subfolders(const Bytes &dir) = 0;
        // Runs a move (showing the new directory's folders, then raising
        // directoryChanged()), so that both can share one read of it.
        virtual void runMove(const std::function<void()> &move) { move(); }

    protected:
        ~Owner() = default;
    };
    void setOwner(Owner *owner) { owner_ = owner; }

    QListWidget *list() const { return list_; }
    // Moves to the entry at row (".." is the parent), as a double click does.
    void enterRow(int row);

signals:
    void directoryChanged();

private:
    void fill();
    Bytes dir_;
    Owner *owner_ = nullptr;
    QLabel *path_ = nullptr;
    QListWidget *list_ = nullptr;
};

} // namespace vb
