#include "platform/atomic_file.h"

#include "platform/file_ops.h"
#include "platform/files.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace vb {
namespace {

// Pieces are gathered to this size before they are written.
constexpr size_t kBufferSize = size_t(256) << 10;

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(const Bytes &path) : target_(fsPath(path)) {}

AtomicFile::~AtomicFile() { close(); }

bool AtomicFile::open(OpenMode mode) {
    if (isOpen() || !(mode & WriteOnly) || (mode & ReadOnly)) {
        err_ = EINVAL;
        return false;
    }
    err_ = 0;
    if (!followLinks(target_, &err_))
        return false;
    struct stat st {};
    mode_t bits = newFileMode();
    if (fileOps().stat(target_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            err_ = EISDIR;
            return false;
        }
        bits = st.st_mode & 07777; // a replaced file keeps its permissions
    }
    const size_t slash = target_.rfind('/');
    std::string name = (slash == std::string::npos ? std::string("./") : target_.substr(0, slash + 1)) + ".vb-XXXXXX";
    fd_ = fileOps().mkstemp(name.data());
    if (fd_ < 0) {
        err_ = errno;
        return false;
    }
    temporary_ = name;
    fileOps().fchmod(fd_, bits);
    buffer_.reserve(kBufferSize);
    return QIODevice::open(WriteOnly | Unbuffered);
}

void AtomicFile::fail(int err) {
    if (!err_)
        err_ = err ? err : EIO;
}

bool AtomicFile::flushBuffer() {
    const char *p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0 && !err_) {
        const ssize_t n = fileOps().write(fd_, p, left);
        if (n < 0) {
            if (errno != EINTR)
                fail(errno);
            continue;
        }
        p += n;
        left -= size_t(n);
    }
    buffer_.clear();
    return !err_;
}

qint64 AtomicFile::writeData(const char *data, qint64 size) {
    if (fd_ < 0 || err_)
        return -1;
    if (buffer_.size() + size_t(size) > kBufferSize && !flushBuffer())
        return -1;
    if (size_t(size) >= kBufferSize) {
        buffer_.assign(data, data + size);
        return flushBuffer() ? size : -1;
    }
    buffer_.insert(buffer_.end(), data, data + size);
    return size;
}

void AtomicFile::removeTemporary() {
    if (fd_ >= 0)
        fileOps().close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        fileOps().unlink(temporary_.c_str());
    temporary_.clear();
}

bool AtomicFile::commit() {
    if (fd_ < 0) {
        fail(EBADF);
        return false;
    }
    if (flushBuffer() && fileOps().fsync(fd_) != 0)
        fail(errno);
    if (fileOps().close(fd_) != 0)
        fail(errno);
    fd_ = -1;
    if (!err_ && fileOps().rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(errno);
    if (err_) {
        removeTemporary();
        QIODevice::close();
        return false;
    }
    temporary_.clear();
    QIODevice::close();
    const size_t slash = target_.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : target_.substr(0, slash + 1);
    const int dirFd = fileOps().open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dirFd >= 0) {
        fileOps().fsync(dirFd);
        fileOps().close(dirFd);
    }
    return true;
}

void AtomicFile::close() {
    removeTemporary();
    buffer_.clear();
    if (isOpen())
        QIODevice::close();
}

} // namespace vb
