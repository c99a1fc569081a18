#include "platform/file_ops.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vb {
namespace {

int openFile(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int openFileAt(int dirFd, const char *path, int flags, mode_t mode) { return ::openat(dirFd, path, flags, mode); }
int statPath(const char *path, struct stat *st) { return ::stat(path, st); }
int lstatPath(const char *path, struct stat *st) { return ::lstat(path, st); }

const FileOps kSystem = {openFile, openFileAt, ::mkstemp,   ::write,     ::fsync,    ::close,     ::fchmod,
                         ::rename, ::unlink,   statPath,    lstatPath,   ::readlink, ::access,    ::mkdir,
                         ::pread,  ::fchown,   ::ftruncate, ::listxattr, ::getxattr, ::fsetxattr, ::flock};

} // namespace

const FileOps &systemFileOps() { return kSystem; }

FileOps &fileOps() {
    static FileOps ops = kSystem;
    return ops;
}

} // namespace vb
