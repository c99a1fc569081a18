#include "platform/file_identity.h"

#include "platform/file_ops.h"
#include "platform/files.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace vb {

namespace {

// The identity from a stat's result (a nonzero rc: no file, or a failure).
bool takeIdentity(int rc, const struct stat &st, FileIdentity &out, int *err) {
    out = FileIdentity();
    if (rc != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return true;
        if (err)
            *err = errno;
        return false;
    }
    out.present = true;
    out.device = uint64_t(st.st_dev);
    out.inode = uint64_t(st.st_ino);
    out.size = int64_t(st.st_size);
    out.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec);
    return true;
}

} // namespace

bool readFileIdentity(const Bytes &path, FileIdentity &out, int *err) {
    struct stat st {};
    const int rc = fileOps().stat(fsPath(path).c_str(), &st);
    return takeIdentity(rc, st, out, err);
}

bool readFileIdentityIn(const FileHandle &folder, const std::string &fsName, FileIdentity &out, int *err) {
    struct stat st {};
    const int rc = ::fstatat(folder.fd, fsName.c_str(), &st, 0);
    return takeIdentity(rc, st, out, err);
}

int64_t systemClockNs() {
    struct timespec t {};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return int64_t(t.tv_sec) * 1000000000 + int64_t(t.tv_nsec);
}

} // namespace vb
