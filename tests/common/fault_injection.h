#pragma once
// Injected I/O faults: while a FaultInjector lives, every call the file layer
// makes through its table of system calls (platform/file_ops.h) is counted,
// and the n-th one can be made to fail with a chosen errno. The failing call
// does nothing (a failing close still releases its descriptor, as on Linux),
// so each fault is one refused step and the next call works again.

#include "platform/file_ops.h"

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

namespace vbtest {

class FaultInjector {
public:
    FaultInjector() {
        state() = State();
        vb::FileOps &ops = vb::fileOps();
        ops.open = [](const char *p, int f, mode_t m) { return refuse("open") ? -1 : sys().open(p, f, m); };
        ops.openat = [](int d, const char *p, int f, mode_t m) {
            return refuse("openat") ? -1 : sys().openat(d, p, f, m);
        };
        ops.mkstemp = [](char *t) { return refuse("mkstemp") ? -1 : sys().mkstemp(t); };
        ops.write = [](int fd, const void *d, size_t n) {
            return refuse("write") ? ssize_t(-1) : sys().write(fd, d, n);
        };
        ops.fsync = [](int fd) { return refuse("fsync") ? -1 : sys().fsync(fd); };
        ops.close = [](int fd) {
            const bool fail = refuse("close");
            const int result = sys().close(fd);
            if (fail)
                errno = state().err;
            return fail ? -1 : done("close", result);
        };
        ops.fchmod = [](int fd, mode_t m) { return refuse("fchmod") ? -1 : sys().fchmod(fd, m); };
        ops.rename = [](const char *a, const char *b) {
            return done("rename", refuse("rename") ? -1 : sys().rename(a, b));
        };
        ops.unlink = [](const char *p) { return done("unlink", refuse("unlink") ? -1 : sys().unlink(p)); };
        ops.stat = [](const char *p, struct stat *st) { return refuse("stat") ? -1 : sys().stat(p, st); };
        ops.lstat = [](const char *p, struct stat *st) { return refuse("lstat") ? -1 : sys().lstat(p, st); };
        ops.readlink = [](const char *p, char *b, size_t n) {
            return refuse("readlink") ? ssize_t(-1) : sys().readlink(p, b, n);
        };
        ops.access = [](const char *p, int m) { return refuse("access") ? -1 : sys().access(p, m); };
        ops.mkdir = [](const char *p, mode_t m) { return refuse("mkdir") ? -1 : sys().mkdir(p, m); };
        ops.pread = [](int fd, void *b, size_t n, off_t o) {
            return refuse("pread") ? ssize_t(-1) : sys().pread(fd, b, n, o);
        };
        ops.fchown = [](int fd, uid_t u, gid_t g) { return refuse("fchown") ? -1 : sys().fchown(fd, u, g); };
        ops.ftruncate = [](int fd, off_t n) { return refuse("ftruncate") ? -1 : sys().ftruncate(fd, n); };
        ops.listxattr = [](const char *p, char *b, size_t n) {
            return refuse("listxattr") ? ssize_t(-1) : sys().listxattr(p, b, n);
        };
        ops.getxattr = [](const char *p, const char *k, void *b, size_t n) {
            return refuse("getxattr") ? ssize_t(-1) : sys().getxattr(p, k, b, n);
        };
        ops.fsetxattr = [](int fd, const char *k, const void *v, size_t n, int f) {
            return refuse("fsetxattr") ? -1 : sys().fsetxattr(fd, k, v, n, f);
        };
        ops.flock = [](int fd, int op) { return refuse("flock") ? -1 : sys().flock(fd, op); };
    }
    ~FaultInjector() { vb::fileOps() = vb::systemFileOps(); }
    FaultInjector(const FaultInjector &) = delete;
    FaultInjector &operator=(const FaultInjector &) = delete;

    // Counting starts afresh; call failAt (from 1) fails with err, 0 fails none.
    void arm(int failAt, int err) {
        State &s = state();
        s.counting = true;
        s.count = 0;
        s.failAt = failAt;
        s.err = err;
        s.calls.clear();
    }
    void disarm() { state().counting = false; }
    // The calls counted since arm(), by name.
    const std::vector<std::string> &calls() const { return state().calls; }
    // Run after every rename, unlink or close that succeeded, while armed:
    // the points where a file on disk may have taken its next version.
    void onCommit(std::function<void()> f) { state().commit = std::move(f); }

private:
    struct State {
        bool counting = false;
        int count = 0;
        int failAt = 0;
        int err = 0;
        std::vector<std::string> calls;
        std::function<void()> commit;
    };
    static State &state() {
        static State s;
        return s;
    }
    static const vb::FileOps &sys() { return vb::systemFileOps(); }
    static bool refuse(const char *name) {
        State &s = state();
        if (!s.counting)
            return false;
        s.calls.push_back(name);
        if (++s.count != s.failAt)
            return false;
        errno = s.err;
        return true;
    }
    static int done(const char *, int result) {
        if (result == 0 && state().counting && state().commit)
            state().commit();
        return result;
    }
};

} // namespace vbtest
