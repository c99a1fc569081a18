#include "ui/core/file_identity.h"

#include "ui/core/file_ops.h"
#include "ui/core/files.h"

#include <cerrno>
#include <sys/stat.h>

namespace vb {

bool readFileIdentity(const Bytes &path, FileIdentity &out, int *err) {
    out = FileIdentity();
    struct stat st;
    if (fileOps().stat(fsPath(path).c_str(), &st) != 0) {
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

} // namespace vb
