#pragma once
// What tells one version of a file from another: the device and inode it
// lives on, its size and its modification time to the nanosecond. A change
// made by another program since a read (an appended line, a file renamed over
// it, a removal) shows as a different identity.

#include "platform/codepage.h"

#include <cstdint>
#include <string>

namespace vb {

struct FileIdentity {
    bool present = false; // false: no file at the path
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
};

inline bool operator==(const FileIdentity &a, const FileIdentity &b) {
    return a.present == b.present && (!a.present || (a.device == b.device && a.inode == b.inode && a.size == b.size &&
                                                     a.modifiedNs == b.modifiedNs));
}
inline bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }

// The identity of the file at path (a bare name resolves against the working
// directory; links are followed). A path with nothing behind it gives an
// identity that is not present; false and *err set when the file cannot be
// examined for another reason.
bool readFileIdentity(const Bytes &path, FileIdentity &out, int *err = nullptr);

struct FileHandle;
// The same for the file fsName (file-system spelling) of a folder held open
// (FileHandle::openFolderFs), without walking the folder's path again.
bool readFileIdentityIn(const FileHandle &folder, const std::string &fsName, FileIdentity &out, int *err = nullptr);

// The system clock in nanoseconds since the epoch, the clock file times are
// taken from.
int64_t systemClockNs();

} // namespace vb
