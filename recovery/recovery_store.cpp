#include "recovery/recovery_store.h"

#include "platform/file_ops.h"
#include "platform/files.h"

#include <QDateTime>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vb {
namespace {

constexpr char kRecordSuffix[] = ".vbr";

bool endsWith(const Bytes &s, const Bytes &tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

RecoveryLock::~RecoveryLock() { release(); }

bool RecoveryLock::take(const Bytes &path, int *err) {
    release();
    const int fd = fileOps().open(fsPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (err)
            *err = errno;
        return false;
    }
    if (fileOps().flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (err)
            *err = errno;
        fileOps().close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void RecoveryLock::release() {
    if (fd_ >= 0)
        fileOps().close(fd_); // closing the last descriptor lets the lock go
    fd_ = -1;
}

Bytes newRecoveryName() {
    static std::atomic<unsigned> counter{0};
    return "edit-" + std::to_string(QDateTime::currentMSecsSinceEpoch()) + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

bool writeRecovery(RecoverySlot &slot, const RecoveryRecord &record, int *err) {
    if (!makePrivateDirectories(slot.folder)) {
        if (err)
            *err = errno ? errno : EACCES;
        return false;
    }
    if (!slot.lock.held() && !slot.lock.take(slot.lockPath(), err))
        return false;
    return writeFileAtomic(slot.recordPath(), encodeRecord(record), err, FileAccess::Private);
}

void removeRecovery(RecoverySlot &slot) {
    removeFile(slot.recordPath());
    if (slot.lock.held())
        removeFile(slot.lockPath());
    slot.lock.release();
}

std::vector<FoundRecovery> findRecoveries(const Bytes &folder, std::vector<Bytes> &notes) {
    std::vector<FoundRecovery> found;
    std::vector<Bytes> names;
    if (!listFiles(folder, names))
        return found;
    std::sort(names.begin(), names.end());
    for (const Bytes &file : names) {
        if (!endsWith(file, kRecordSuffix))
            continue;
        auto slot = std::make_unique<RecoverySlot>();
        slot->folder = withSeparator(folder);
        slot->name = file.substr(0, file.size() - (sizeof kRecordSuffix - 1));
        if (!slot->lock.take(slot->lockPath()))
            continue; // another running program writes it, or it cannot be locked
        Bytes data;
        int err = 0;
        RecoveryRecord record;
        std::string why;
        if (!readWholeFile(slot->recordPath(), data, &err)) {
            why = "cannot be read (errno " + std::to_string(err) + ")";
        } else if (!decodeRecord(data, record, &why)) {
            why.insert(0, "not a recovery file: ");
        } else {
            found.push_back({std::move(slot), std::move(record)});
            continue;
        }
        notes.push_back(slot->recordPath() + ": " + Bytes(why));
        // The lock file made just now for a foreign file goes again; the file stays.
        removeFile(slot->lockPath());
    }
    std::stable_sort(found.begin(), found.end(), [](const FoundRecovery &a, const FoundRecovery &b) {
        return a.record.writtenAt < b.record.writtenAt;
    });
    return found;
}

} // namespace vb
