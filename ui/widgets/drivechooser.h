#pragma once
// The drive chooser: a pick-only list of places to start browsing from. On
// Linux these are the file-system root, the user's home directory and the
// mount points of real file systems.

#include "platform/codepage.h"

#include <QComboBox>
#include <functional>
#include <vector>

namespace vb {

// "/", then the home directory, then the other mount points in name order,
// each once.
std::vector<Bytes> systemDrives();

class DriveChooser : public QComboBox {
    Q_OBJECT
public:
    // Lists systemDrives().
    explicit DriveChooser(QWidget *parent = nullptr);
    void setDrives(const std::vector<Bytes> &drives);
    const std::vector<Bytes> &drives() const { return drives_; }
    // The entry shown; empty when none is.
    Bytes drive() const;
    // Shows the entry that holds dir most closely, without raising
    // activated(), which tells of the user's pick.
    void showDriveOf(const Bytes &dir);

private:
    std::vector<Bytes> drives_;
};

} // namespace vb
