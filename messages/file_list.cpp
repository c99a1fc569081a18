#include "messages/file_list.h"

#include "messages/naming.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <cerrno>

namespace vb {

Bytes normalDirectory(const Bytes &dir) {
    Bytes out = resolvePath(dir);
    while (out.size() > 1 && out.back() == kSep)
        out.pop_back();
    return out;
}

FileList::ReadOnce::ReadOnce(FileList &list) : list_(list) { ++list_.readOnce_; }

FileList::ReadOnce::~ReadOnce() {
    if (--list_.readOnce_ == 0)
        list_.kept_.reset();
}

void FileList::setDirectory(const Bytes &dir) {
    const Bytes normal = normalDirectory(dir);
    if (normal != directory_)
        list(normal, mask_);
    else if (int err = 0; !isDirectory(normal, &err))
        failIo(kIoPathNotFound, err); // gone since it was listed: nothing changes
}

void FileList::setMask(const Bytes &mask) {
    if (mask != mask_)
        list(directory_, mask);
}

void FileList::reread() { list(directory_, mask_, true); }

// Inside a ReadOnce the read is kept, with every file in name order, for the
// listings that follow; otherwise it goes to scratch, unsorted.
const FileList::Snapshot &FileList::read(const Bytes &dir, std::unique_ptr<Snapshot> &scratch) {
    if (readOnce_ > 0 && kept_ && kept_->dir == dir)
        return *kept_;
    auto snap = std::make_unique<Snapshot>();
    snap->dir = dir;
    int err = 0;
    if (!listDirectory(dir, &snap->files, readOnce_ > 0 ? &snap->folders : nullptr, &err, &snap->inodes))
        failIo(ioCodeFromErrno(err), err);
    if (readOnce_ == 0) {
        scratch = std::move(snap);
        return *scratch;
    }
    sortFileNames(snap->files, &snap->inodes);
    kept_ = std::move(snap);
    return *kept_;
}

void FileList::list(const Bytes &dir, const Bytes &mask, bool last) {
    std::unique_ptr<Snapshot> scratch;
    const Snapshot &snap = read(dir, scratch);
    if (!scratch && last)
        scratch = std::move(kept_); // in name order already, and needed no more
    auto found = std::make_shared<Listing>();
    if (scratch) {
        // A read for this listing alone (a kept read is in name order already).
        *found = matching(scratch->files, scratch->inodes, mask, readOnce_ == 0);
    } else {
        // The kept read is in name order already and stays for later steps.
        const FileMask filter(mask);
        for (size_t i = 0; i < snap.files.size(); ++i)
            if (filter.matches(snap.files[i])) {
                found->names.push_back(snap.files[i]);
                found->inodes.push_back(snap.inodes[i]);
            }
        found->names.shrink_to_fit();
        found->inodes.shrink_to_fit();
    }

    directory_ = dir;
    mask_ = mask;
    listing_ = std::move(found);
    setWorkingDirectory(directory_);
}

// The names that do not match go.
FileList::Listing FileList::matching(std::vector<Bytes> &files, std::vector<uint64_t> &inodes, const Bytes &mask,
                                     bool sort) {
    const FileMask filter(mask);
    size_t kept = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!filter.matches(files[i]))
            continue;
        if (kept != i) {
            files[kept] = std::move(files[i]);
            inodes[kept] = inodes[i];
        }
        ++kept;
    }
    files.resize(kept);
    inodes.resize(kept);
    if (sort)
        sortFileNames(files, &inodes);
    Listing out;
    size_t bytes = 0;
    for (const Bytes &name : files)
        bytes += name.size();
    out.names.reserve(files.size(), bytes);
    for (const Bytes &name : files)
        out.names.push_back(name);
    out.inodes.reserve(inodes.size());
    for (uint64_t inode : inodes)
        out.inodes.push_back(inode);
    return out;
}

FileList::Listing FileList::listFiles(const Bytes &dir, const Bytes &mask) {
    std::vector<Bytes> files;
    std::vector<uint64_t> inodes;
    int err = 0;
    if (!listDirectory(dir, &files, nullptr, &err, &inodes))
        failIo(ioCodeFromErrno(err), err);
    return matching(files, inodes, mask, true);
}

void FileList::take(Listing &&listing) {
    listing_ = std::make_shared<const Listing>(std::move(listing));
    setWorkingDirectory(directory_);
}

std::vector<Bytes> FileList::subfolders(const Bytes &dir) {
    const Bytes normal = normalDirectory(dir);
    std::vector<Bytes> out;
    if (readOnce_ == 0) {
        listDirectory(normal, nullptr, &out);
        return out;
    }
    try {
        std::unique_ptr<Snapshot> scratch;
        out = read(normal, scratch).folders;
    } catch (const RuntimeError &) {
        // a folder that cannot be read has none to show
    }
    return out;
}

} // namespace vb
