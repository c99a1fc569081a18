#include "platform/files.h"

#include "platform/file_ops.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {
namespace {

Bytes &workDir() {
    static Bytes dir;
    return dir;
}

void setErr(int *err, int value) {
    if (err)
        *err = value;
}

bool writeAll(int fd, const char *data, size_t size) {
    while (size > 0) {
        ssize_t n = fileOps().write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// The temporary file of a save is this prefix and six letters or digits.
constexpr char kTemporaryPrefix[] = ".vb-";
// One left by a save that never finished (the program was killed) is removed
// once it is this old, the next time a file is written in its folder; a
// folder is looked through at most once in kSweepInterval.
constexpr time_t kStaleAge = time_t(24) * 60 * 60;
constexpr time_t kSweepInterval = time_t(60) * 60;

bool isTemporaryName(const char *name) {
    const size_t prefix = sizeof kTemporaryPrefix - 1;
    if (std::strlen(name) != prefix + 6 || std::strncmp(name, kTemporaryPrefix, prefix) != 0)
        return false;
    for (const char *c = name + prefix; *c; ++c)
        if (!std::isalnum(static_cast<unsigned char>(*c)))
            return false;
    return true;
}

void sweepStaleTemporaries(const std::string &dir) {
    static std::mutex lock;
    static std::map<std::string, time_t> swept;
    const time_t now = ::time(nullptr);
    {
        std::lock_guard<std::mutex> hold(lock);
        time_t &last = swept[dir];
        if (last != 0 && now - last < kSweepInterval && now >= last)
            return;
        last = now;
    }
    DIR *d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return;
    while (struct dirent *e = ::readdir(d)) {
        if (!isTemporaryName(e->d_name))
            continue;
        const std::string path = dir + e->d_name;
        struct stat st {};
        if (fileOps().lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < now - kStaleAge)
            fileOps().unlink(path.c_str());
    }
    ::closedir(d);
}

// A write in dir that succeeded sweeps the folder.
bool sweepAfter(const std::string &dir, bool ok) {
    if (ok)
        sweepStaleTemporaries(dir);
    return ok;
}

} // namespace

// Follows the symbolic links at path to the file they finally name, which
// may not exist yet. Fails with ELOOP when the links go round.
bool followLinks(std::string &path, int *err) {
    constexpr int kMaxLinks = 40;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        if (fileOps().lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return true; // the file to be created
            setErr(err, errno);
            return false;
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        char buf[PATH_MAX];
        const ssize_t n = fileOps().readlink(path.c_str(), buf, sizeof buf);
        if (n < 0 || size_t(n) == sizeof buf) {
            setErr(err, n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string link(buf, size_t(n));
        const size_t slash = path.rfind('/');
        if (link[0] == '/' || slash == std::string::npos) {
            path = link;
        } else {
            path.resize(slash + 1);
            path += link;
        }
    }
    setErr(err, ELOOP);
    return false;
}

Bytes withSeparator(const Bytes &dir) {
    if (dir.empty() || dir.back() == kSep)
        return dir;
    return dir + kSep;
}

Bytes baseName(const Bytes &path) {
    size_t p = path.rfind(kSep);
    return p == Bytes::npos ? path : path.substr(p + 1);
}

bool isAbsolute(const Bytes &path) { return !path.empty() && path[0] == kSep; }

void setWorkingDirectory(const Bytes &dir) { workDir() = dir; }

const Bytes &workingDirectory() { return workDir(); }

Bytes resolvePath(const Bytes &path) {
    if (isAbsolute(path) || workDir().empty())
        return path;
    return withSeparator(workDir()) + path;
}

std::string fsPath(const Bytes &path) { return bytesToFs(resolvePath(path)); }

FileHandle::~FileHandle() {
    if (fd >= 0)
        ::close(fd);
}

bool FileHandle::open(const Bytes &path, int *err) { return openFs(fsPath(path), err); }

bool FileHandle::openFs(const std::string &path, int *err) {
    fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
    if (fd < 0) {
        setErr(err, errno);
        return false;
    }
    struct stat st {};
    int failure = 0;
    if (::fstat(fd, &st) != 0)
        failure = errno;
    else if (S_ISDIR(st.st_mode))
        failure = EISDIR;
    else if (!S_ISREG(st.st_mode))
        failure = EINVAL;
    if (failure) {
        ::close(fd);
        fd = -1;
        setErr(err, failure);
        return false;
    }
    return true;
}

bool FileHandle::openFolderFs(const std::string &path, int *err) {
    fd = fileOps().open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        setErr(err, errno);
    return fd >= 0;
}

bool FileHandle::openIn(const FileHandle &folder, const char *name, int *err) {
    fd = fileOps().openat(folder.fd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
    if (fd < 0)
        setErr(err, errno);
    return fd >= 0;
}

long FileHandle::read(Bytes &out, size_t n) {
    size_t old = out.size();
    out.resize(old + n);
    const long got = read(&out[old], n);
    out.resize(old + (got > 0 ? size_t(got) : 0));
    return got;
}

long FileHandle::read(char *buf, size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd, buf, n);
        if (got < 0 && errno == EINTR)
            continue;
        return long(got);
    }
}

bool readWholeFile(const Bytes &path, Bytes &out, int *err, size_t maxBytes) {
    out.clear();
    FileHandle f;
    if (!f.open(path, err))
        return false;
    // A file that says it is too large is refused unread; one that grows
    // while it is read is refused when it passes the limit.
    struct stat st {};
    bool tooLarge = ::fstat(f.fd, &st) == 0 && uint64_t(st.st_size) > maxBytes;
    while (!tooLarge) {
        const long got = f.read(out, 65536);
        if (got < 0) {
            const int saved = errno;
            out.clear();
            setErr(err, saved);
            return false;
        }
        if (got == 0)
            return true;
        tooLarge = out.size() > maxBytes;
    }
    out.clear();
    out.shrink_to_fit();
    setErr(err, EFBIG);
    return false;
}

namespace {

mode_t umaskMode() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return 0666 & ~m;
}

// Copies every byte of the file open at from into the one open at to, at the
// latter's current place. Returns the count through *copied.
bool copyBytes(int from, int to, off_t *copied) {
    std::vector<char> buf(size_t(1) << 16);
    off_t at = 0;
    for (;;) {
        const ssize_t n = fileOps().pread(from, buf.data(), buf.size(), at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        if (!writeAll(to, buf.data(), size_t(n)))
            return false;
        at += n;
    }
    if (copied)
        *copied = at;
    return true;
}

// The extended attributes of the file at path (its access list among them)
// set on the file open at fd. A private file gets no access list: it is for
// its owner alone. A file system that keeps no attributes has none to copy.
bool copyAttributes(const std::string &path, int fd, FileAccess access) {
    std::vector<char> names;
    for (int tries = 0;; ++tries) {
        const ssize_t size = fileOps().listxattr(path.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP || errno == ENOSYS;
        if (size == 0)
            return true;
        names.resize(size_t(size));
        const ssize_t got = fileOps().listxattr(path.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(size_t(got));
            break;
        }
        if (errno != ERANGE || tries == 3)
            return false; // ERANGE: the list grew meanwhile
    }
    std::vector<char> value;
    for (size_t at = 0; at < names.size(); at += std::strlen(&names[at]) + 1) {
        const char *name = &names[at];
        if (access == FileAccess::Private && std::strcmp(name, "system.posix_acl_access") == 0)
            continue;
        ssize_t size = fileOps().getxattr(path.c_str(), name, nullptr, 0);
        if (size >= 0) {
            value.resize(size_t(size) + 1);
            size = fileOps().getxattr(path.c_str(), name, value.data(), value.size());
        }
        if (size < 0)
            return false;
        if (fileOps().fsetxattr(fd, name, value.data(), size_t(size), 0) != 0)
            return false;
    }
    return true;
}

void syncFolder(const std::string &dir) {
    const int dirFd = fileOps().open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dirFd >= 0) {
        fileOps().fsync(dirFd);
        fileOps().close(dirFd);
    }
}

// A file that must stay the very file it is (more links than one, an owner
// or attributes this process cannot give a new file) is rewritten where it
// is. Its old bytes are first copied to a file beside it and synced, and
// that copy goes only once the new bytes are synced: after a crash there is
// the old file, or the new one, or the copy to take the old bytes from. A
// write that fails puts the old bytes back.
bool writeInPlace(const std::string &target, const std::string &dir, const Bytes &data, FileAccess access, int *err) {
    const std::string base = target.substr(dir.size());
    // The copy is named after the file where the name allows, so that it can
    // be told for what it is; it never has the name of a temporary file.
    std::string tmpl = (dir.empty() ? std::string("./") : dir) + kTemporaryPrefix +
                       (base.size() + 11 <= NAME_MAX ? base : std::string("copy")) + "-XXXXXX";
    std::vector<char> copyName(tmpl.begin(), tmpl.end());
    copyName.push_back('\0');
    const int copy = fileOps().mkstemp(copyName.data());
    if (copy < 0) {
        setErr(err, errno);
        return false;
    }
    auto dropCopy = [&] {
        fileOps().close(copy);
        if (fileOps().unlink(copyName.data()) != 0)
            fileOps().unlink(copyName.data()); // once more; a copy left behind holds only the old bytes
    };
    off_t oldSize = 0;
    const int source = fileOps().open(target.c_str(), O_RDONLY | O_CLOEXEC, 0);
    bool ok = source >= 0 && copyBytes(source, copy, &oldSize) && fileOps().fsync(copy) == 0;
    int saved = errno;
    if (source >= 0)
        fileOps().close(source);
    if (!ok) {
        dropCopy();
        setErr(err, saved);
        return false;
    }
    syncFolder(dir);

    const int fd = fileOps().open(target.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (fd < 0) {
        saved = errno;
        dropCopy();
        setErr(err, saved);
        return false;
    }
    struct stat st {};
    ok = true;
    if (access == FileAccess::Private && ::fstat(fd, &st) == 0 && (st.st_mode & 077) != 0)
        ok = fileOps().fchmod(fd, st.st_mode & 07700) == 0;
    ok = ok && writeAll(fd, data.data(), data.size()) && fileOps().ftruncate(fd, off_t(data.size())) == 0 &&
         fileOps().fsync(fd) == 0;
    saved = errno;
    if (fileOps().close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok) {
        dropCopy();
        return true;
    }
    // The old bytes go back from the copy; should that fail too, the copy
    // stays for the user.
    const int back = fileOps().open(target.c_str(), O_WRONLY | O_CLOEXEC, 0);
    bool restored = back >= 0 && copyBytes(copy, back, nullptr) && fileOps().ftruncate(back, oldSize) == 0 &&
                    fileOps().fsync(back) == 0;
    if (back >= 0 && fileOps().close(back) != 0)
        restored = false;
    if (restored)
        dropCopy();
    else
        fileOps().close(copy);
    setErr(err, saved);
    return false;
}

// Writes the bytes to the new file open on fd, syncs and closes it, and
// renames it to renameTo unless that is null. On a failure the new file is
// removed and *err set.
bool finishNewFile(int fd, const char *name, const Bytes &data, const char *renameTo, int *err) {
    bool ok = writeAll(fd, data.data(), data.size()) && fileOps().fsync(fd) == 0;
    int saved = errno;
    if (fileOps().close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && renameTo && fileOps().rename(name, renameTo) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        fileOps().unlink(name);
        setErr(err, saved);
    }
    return ok;
}

} // namespace

bool writeFileAtomic(const Bytes &path, const Bytes &data, int *err, FileAccess access) {
    // A symbolic link keeps pointing at its file: the file it names is
    // replaced, or created when it does not exist yet.
    std::string target = fsPath(path);
    if (!followLinks(target, err))
        return false;
    // The temporary file sits beside the target under a short name of its
    // own, so that a target name of any length leaves room for it.
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);

    struct stat st {};
    const bool exists = fileOps().stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        setErr(err, errno);
        return false;
    }
    mode_t mode = access == FileAccess::Private ? 0600 : umaskMode();
    if (exists) {
        if (S_ISDIR(st.st_mode)) {
            setErr(err, EISDIR);
            return false;
        }
        // A file this user may not write is not replaced behind its back,
        // even where the folder would allow it; nor one marked read-only for
        // everyone.
        if ((st.st_mode & 0222) == 0 || fileOps().access(target.c_str(), W_OK) != 0) {
            setErr(err, (st.st_mode & 0222) == 0 || errno == 0 ? EACCES : errno);
            return false;
        }
        if (S_ISREG(st.st_mode) && st.st_nlink > 1)
            return sweepAfter(dir, writeInPlace(target, dir, data, access, err));
        mode = st.st_mode & 07777;
        if (access == FileAccess::Private)
            mode &= ~mode_t(077);
    }

    std::string tmpl = (dir.empty() ? std::string("./") : dir) + kTemporaryPrefix + "XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = fileOps().mkstemp(name.data());
    if (fd < 0) {
        setErr(err, errno);
        return false;
    }
    // The new file takes the owner, group, permissions and attributes of the
    // one it replaces (the owner first: a change of owner clears set-id
    // bits). Where any of them cannot be given, the file is written in
    // place instead.
    const bool kept = exists ? fileOps().fchown(fd, st.st_uid, st.st_gid) == 0 && fileOps().fchmod(fd, mode) == 0 &&
                                   copyAttributes(target, fd, access)
                             : fileOps().fchmod(fd, mode) == 0;
    if (!kept) {
        const int saved = errno;
        fileOps().close(fd);
        fileOps().unlink(name.data());
        if (exists && S_ISREG(st.st_mode))
            return sweepAfter(dir, writeInPlace(target, dir, data, access, err));
        setErr(err, saved);
        return false;
    }
    if (!finishNewFile(fd, name.data(), data, target.c_str(), err))
        return false;
    // Make the rename itself durable. The new content is in place by now, so
    // a folder that cannot be synced does not turn the write into a failure.
    syncFolder(dir);
    return sweepAfter(dir, true);
}

bool listDirectory(const Bytes &dir, std::vector<Bytes> *files, std::vector<Bytes> *folders, int *err,
                   std::vector<uint64_t> *fileInodes) {
    if (files)
        files->clear();
    if (fileInodes)
        fileInodes->clear();
    if (folders)
        folders->clear();
    const std::string fsDir = fsPath(dir);
    DIR *d = ::opendir(fsDir.empty() ? "." : fsDir.c_str());
    if (!d) {
        setErr(err, errno);
        return false;
    }
    const int dfd = ::dirfd(d);
    while (struct dirent *e = ::readdir(d)) {
        if (e->d_name[0] == '.')
            continue; // hidden, "." and ".."
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            // What a link names counts; a dangling link is neither.
            struct stat st {};
            type = ::fstatat(dfd, e->d_name, &st, 0) != 0 ? DT_UNKNOWN
                   : S_ISREG(st.st_mode)                  ? DT_REG
                   : S_ISDIR(st.st_mode)                  ? DT_DIR
                                                          : DT_UNKNOWN;
        }
        if (type == DT_REG && files) {
            files->push_back(fsToBytes(e->d_name));
            if (fileInodes)
                fileInodes->push_back(uint64_t(e->d_ino));
        } else if (type == DT_DIR && folders)
            folders->push_back(fsToBytes(e->d_name));
    }
    ::closedir(d);
    return true;
}

bool listFiles(const Bytes &dir, std::vector<Bytes> &names, int *err) {
    return listDirectory(dir, &names, nullptr, err);
}

bool isDirectory(const Bytes &path, int *err) {
    struct stat st {};
    if (fileOps().stat(fsPath(path).c_str(), &st) != 0) {
        setErr(err, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        setErr(err, ENOTDIR);
        return false;
    }
    return true;
}

bool fileExists(const Bytes &path) {
    struct stat st {};
    return fileOps().stat(fsPath(path).c_str(), &st) == 0;
}

bool makeDirectory(const Bytes &path) {
    std::string p = fsPath(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return fileOps().mkdir(p.c_str(), 0777) == 0;
}

namespace {
bool makePrivateFsDirectories(std::string p) {
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    struct stat st {};
    if (fileOps().stat(p.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const size_t slash = p.rfind('/');
    if (slash != std::string::npos && slash > 0 && !makePrivateFsDirectories(p.substr(0, slash)))
        return false;
    return fileOps().mkdir(p.c_str(), 0700) == 0 ||
           (errno == EEXIST && fileOps().stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}
} // namespace

bool makePrivateDirectories(const Bytes &path) { return makePrivateFsDirectories(fsPath(path)); }

bool removeFile(const Bytes &path) { return fileOps().unlink(fsPath(path).c_str()) == 0; }

bool createNewFile(const Bytes &path, const Bytes &data, int *err) {
    const std::string target = fsPath(path);
    const int fd = fileOps().open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        setErr(err, errno);
        return false;
    }
    if (!finishNewFile(fd, target.c_str(), data, nullptr, err))
        return false;
    const size_t slash = target.rfind('/');
    return sweepAfter(slash == std::string::npos ? std::string() : target.substr(0, slash + 1), true);
}

namespace {

// An absolute path without "." steps, ".." steps or doubled separators.
Bytes lexicallyNormal(const Bytes &absolute) {
    std::vector<Bytes> steps;
    size_t start = 0;
    while (start <= absolute.size()) {
        size_t end = absolute.find(kSep, start);
        if (end == Bytes::npos)
            end = absolute.size();
        const Bytes step = absolute.substr(start, end - start);
        if (step == "..") {
            if (!steps.empty())
                steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    Bytes out;
    for (const Bytes &step : steps)
        out += kSep + step;
    return out.empty() ? Bytes(1, kSep) : out;
}

} // namespace

bool sameFile(const Bytes &a, const Bytes &b) {
    struct stat sa {}, sb {};
    const bool hasA = fileOps().stat(fsPath(a).c_str(), &sa) == 0;
    const bool hasB = fileOps().stat(fsPath(b).c_str(), &sb) == 0;
    if (hasA && hasB)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (hasA != hasB)
        return false;
    const Bytes ra = resolvePath(a), rb = resolvePath(b);
    return isAbsolute(ra) && isAbsolute(rb) ? lexicallyNormal(ra) == lexicallyNormal(rb) : ra == rb;
}

bool distinctFiles(const Bytes &a, const Bytes &b) {
    struct stat sa {}, sb {};
    return fileOps().stat(fsPath(a).c_str(), &sa) == 0 && fileOps().stat(fsPath(b).c_str(), &sb) == 0 &&
           (sa.st_dev != sb.st_dev || sa.st_ino != sb.st_ino);
}

} // namespace vb
