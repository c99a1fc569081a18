#pragma once
// Recovery files on disk: each "<name>.vbr" record has a "<name>.lock" beside
// it, locked (flock) by the program that writes the record for as long as it
// runs, so that another running copy of the program never offers text that
// is still being typed.

#include "recovery/recovery_record.h"

#include <memory>
#include <vector>

namespace vb {

// A lock on one recovery file, held while this object lives.
class RecoveryLock {
public:
    RecoveryLock() = default;
    RecoveryLock(const RecoveryLock &) = delete;
    RecoveryLock &operator=(const RecoveryLock &) = delete;
    ~RecoveryLock();
    // Opens (creating, 0600) and locks path without waiting; false with
    // *err set when it cannot, EWOULDBLOCK when another process holds it.
    bool take(const Bytes &path, int *err = nullptr);
    bool held() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
};

// One recovery file: its record's path and lock.
struct RecoverySlot {
    Bytes folder; // ending in the separator
    Bytes name;   // without ".vbr"
    RecoveryLock lock;
    Bytes recordPath() const { return folder + name + ".vbr"; }
    Bytes lockPath() const { return folder + name + ".lock"; }
};

// A fresh name no other process will choose.
Bytes newRecoveryName();

// Writes the record atomically for the owner alone, making the folder
// (0700) and taking the slot's lock first when needed. False with *err set
// on failure; nothing outside the folder is touched.
bool writeRecovery(RecoverySlot &slot, const RecoveryRecord &record, int *err = nullptr);
// Removes the record and its lock file, then lets the lock go.
void removeRecovery(RecoverySlot &slot);

struct FoundRecovery {
    std::unique_ptr<RecoverySlot> slot; // locked by this process
    RecoveryRecord record;
};

// The recovery files in folder that no running program holds, each locked
// now for this process, oldest first. A file that is no whole record is
// left where it is and named in notes with the reason.
std::vector<FoundRecovery> findRecoveries(const Bytes &folder, std::vector<Bytes> &notes);

} // namespace vb
