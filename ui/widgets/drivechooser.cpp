#include "ui/widgets/drivechooser.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace vb {
namespace {

Bytes fromFileSystem(const QString &path) { return fsToBytes(QFile::encodeName(path).toStdString()); }

// Kernel and memory file systems hold no files of the user's.
bool isRealFileSystem(const QStorageInfo &volume) {
    static const char *const pseudo[] = {"proc",    "sysfs",      "devtmpfs", "devpts",  "tmpfs",     "cgroup",
                                         "cgroup2", "securityfs", "debugfs",  "tracefs", "mqueue",    "hugetlbfs",
                                         "pstore",  "bpf",        "autofs",   "fusectl", "configfs",  "binfmt_misc",
                                         "overlay", "squashfs",   "nsfs",     "ramfs",   "rpc_pipefs"};
    const QByteArray type = volume.fileSystemType();
    if (std::any_of(std::begin(pseudo), std::end(pseudo), [&](const char *t) { return type == t; }))
        return false;
    const QString root = volume.rootPath();
    for (const char *system : {"/proc", "/sys", "/dev", "/run", "/boot/efi"})
        if (root == QLatin1String(system) || root.startsWith(QLatin1String(system) + QLatin1Char('/')))
            return false;
    return true;
}

// Whether dir lies in place (or is place).
bool holds(const Bytes &place, const Bytes &dir) {
    if (place == Bytes(1, kSep))
        return !dir.empty() && dir[0] == kSep;
    return dir.compare(0, place.size(), place) == 0 && (dir.size() == place.size() || dir[place.size()] == kSep);
}

} // namespace

std::vector<Bytes> systemDrives() {
    std::vector<Bytes> drives{Bytes(1, kSep)};
    const Bytes home = fromFileSystem(QDir::homePath());
    if (home != drives[0])
        drives.push_back(home);
    std::vector<Bytes> mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || !isRealFileSystem(volume))
            continue;
        const Bytes root = fromFileSystem(volume.rootPath());
        if (std::find(drives.begin(), drives.end(), root) == drives.end() &&
            std::find(mounts.begin(), mounts.end(), root) == mounts.end())
            mounts.push_back(root);
    }
    std::sort(mounts.begin(), mounts.end());
    drives.insert(drives.end(), mounts.begin(), mounts.end());
    return drives;
}

DriveChooser::DriveChooser(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    setDrives(systemDrives());
}

void DriveChooser::setDrives(const std::vector<Bytes> &drives) {
    const QSignalBlocker quiet(this);
    drives_ = drives;
    clear();
    for (const Bytes &d : drives_)
        addItem(toUnicode(d));
}

Bytes DriveChooser::drive() const {
    const int i = currentIndex();
    return i >= 0 && size_t(i) < drives_.size() ? drives_[size_t(i)] : Bytes();
}

void DriveChooser::showDriveOf(const Bytes &dir) {
    int best = -1;
    for (size_t i = 0; i < drives_.size(); ++i)
        if (holds(drives_[i], dir) && (best < 0 || drives_[i].size() > drives_[size_t(best)].size()))
            best = int(i);
    const QSignalBlocker quiet(this);
    setCurrentIndex(best);
}

} // namespace vb
