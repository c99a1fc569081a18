#include "ui/core/epath.h"

#include "ui/core/files.h"

#include <QCoreApplication>

#include <unistd.h>

namespace vb {
namespace {
Bytes &overridden() {
    static Bytes dir;
    return dir;
}
} // namespace

Bytes EPath() {
    if (!overridden().empty())
        return overridden();
    // The executable's own path as the file system spells it.
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe;
    if (n > 0) {
        exe.assign(buf, size_t(n));
    } else {
        const QByteArray fs = QCoreApplication::applicationFilePath().toUtf8();
        exe.assign(fs.constData(), size_t(fs.size()));
    }
    const size_t slash = exe.rfind('/');
    return withSeparator(fsToBytes(slash == std::string::npos ? exe : exe.substr(0, slash + 1)));
}

void setEPath(const Bytes &dir) { overridden() = withSeparator(dir); }

} // namespace vb
