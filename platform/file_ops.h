#pragma once
// The system calls through which the file layer (files.cpp) touches the disk,
// gathered in one table. The program always runs on the real calls; a test may
// replace entries to make a chosen call fail, and must put the table back.

#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

namespace vb {

struct FileOps {
    int (*open)(const char *path, int flags, mode_t mode);
    int (*openat)(int dirFd, const char *path, int flags, mode_t mode);
    int (*mkstemp)(char *pathTemplate);
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*fchmod)(int fd, mode_t mode);
    int (*rename)(const char *from, const char *to);
    int (*unlink)(const char *path);
    int (*stat)(const char *path, struct stat *st);
    int (*lstat)(const char *path, struct stat *st);
    ssize_t (*readlink)(const char *path, char *buf, size_t size);
    int (*access)(const char *path, int mode);
    int (*mkdir)(const char *path, mode_t mode);
    ssize_t (*pread)(int fd, void *buf, size_t size, off_t offset);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*ftruncate)(int fd, off_t length);
    ssize_t (*listxattr)(const char *path, char *names, size_t size);
    ssize_t (*getxattr)(const char *path, const char *name, void *value, size_t size);
    int (*fsetxattr)(int fd, const char *name, const void *value, size_t size, int flags);
    int (*flock)(int fd, int operation);
};

// The real system calls.
const FileOps &systemFileOps();
// The table in use.
FileOps &fileOps();

} // namespace vb
