#include "messages/file_list.h"

#include "messages/naming.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"

#include <algorithm>

namespace vb {

Bytes normalDirectory(const Bytes &dir) {
    Bytes out = resolvePath(dir);
    while (out.size() > 1 && out.back() == kSep)
        out.pop_back();
    return out;
}

void FileList::setDirectory(const Bytes &dir) {
    const Bytes normal = normalDirectory(dir);
    if (normal != directory_)
        list(normal, mask_);
    else if (!isDirectory(normal))
        failIo(kIoPathNotFound); // gone since it was listed: nothing changes
}

void FileList::setMask(const Bytes &mask) {
    if (mask != mask_)
        list(directory_, mask);
}

void FileList::reread() { list(directory_, mask_); }

void FileList::list(const Bytes &dir, const Bytes &mask) {
    std::vector<Bytes> all;
    int err = 0;
    if (!listFiles(dir, all, &err))
        failIo(ioCodeFromErrno(err));

    const FileMask filter(mask);
    std::vector<Bytes> found;
    found.reserve(all.size());
    for (Bytes &name : all)
        if (filter.matches(name))
            found.push_back(std::move(name));
    std::sort(found.begin(), found.end(), [](const Bytes &a, const Bytes &b) { return compareFileNames(a, b) < 0; });

    directory_ = dir;
    mask_ = mask;
    names_ = std::move(found);
    setWorkingDirectory(directory_);
}

} // namespace vb
