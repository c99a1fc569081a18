#pragma once
// A temporary directory for one test, removed with everything in it.

#include <QTemporaryDir>

#include <string>

namespace vbtest {

class TempDir {
public:
    TempDir() { dir_.setAutoRemove(true); }
    // The directory's path in the file system's own bytes, with a trailing "/".
    std::string path() const { return dir_.path().toStdString() + "/"; }
    std::string file(const std::string &name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};

} // namespace vbtest
