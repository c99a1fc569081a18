#include "platform/epath.h"

#include "platform/files.h"

#include <QCoreApplication>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#ifndef VELBROOK_BINDIR
#error "VELBROOK_BINDIR names the installation's bin folder"
#endif
#ifndef VELBROOK_SAMPLESDIR
#error "VELBROOK_SAMPLESDIR names the installed sample collection"
#endif

namespace vb {
namespace {

constexpr char kUserFolderName[] = "velbrook";

struct Chosen {
    bool known = false;
    EPathChoice choice;
};

Chosen &chosen() {
    static Chosen c;
    return c;
}

// The folder of the executable's own path as the file system spells it,
// links resolved.
std::string executableDir() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe;
    if (n > 0) {
        exe.assign(buf, size_t(n));
    } else {
        const QByteArray fs = QCoreApplication::applicationFilePath().toUtf8();
        exe.assign(fs.constData(), size_t(fs.size()));
    }
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? exe : exe.substr(0, slash + 1);
}

std::string homeDir(const char *home) {
    if (home && *home)
        return home;
    if (const passwd *pw = ::getpwuid(::getuid()))
        if (pw->pw_dir && *pw->pw_dir)
            return pw->pw_dir;
    return "/";
}

} // namespace

EPathChoice chooseEPath(const std::string &exeDir, const std::string &installBinDir, const char *xdgConfigHome,
                        const char *home) {
    EPathChoice c;
    if (!sameFile(fsToBytes(exeDir), fsToBytes(installBinDir))) {
        c.dir = withSeparator(fsToBytes(exeDir));
        return c;
    }
    // A relative XDG_CONFIG_HOME is not to be used: it would name a different
    // folder for every working directory.
    const std::string base = xdgConfigHome && xdgConfigHome[0] == '/' ? std::string(xdgConfigHome)
                                                                      : withSeparator(homeDir(home)) + ".config";
    c.dir = withSeparator(withSeparator(fsToBytes(base)) + kUserFolderName);
    c.perUser = true;
    return c;
}

Bytes EPath() {
    Chosen &c = chosen();
    if (!c.known) {
        c.choice = chooseEPath(executableDir(), installedBinDir(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
        c.known = true;
    }
    return c.choice.dir;
}

bool EPathIsPerUser() {
    EPath();
    return chosen().choice.perUser;
}

void setEPath(const Bytes &dir, bool perUser) {
    chosen().choice.dir = withSeparator(dir);
    chosen().choice.perUser = perUser;
    chosen().known = true;
}

std::string installedBinDir() { return VELBROOK_BINDIR; }

Bytes installedSamplesDir() { return withSeparator(fsToBytes(VELBROOK_SAMPLESDIR)); }

} // namespace vb
