#pragma once
// The hidden file list of the browser: the names of the ordinary files of one
// directory that match a mask, in name order.

#include "messages/name_list.h"
#include "platform/codepage.h"

#include <memory>
#include <vector>

namespace vb {

// Inode numbers in the order they came: four bytes each while every number
// fits in 32 bits, as on most file systems, eight once one does not.
class InodeList {
public:
    size_t size() const { return low_.size(); }
    uint64_t operator[](size_t i) const { return wide_ ? uint64_t(high_[i]) << 32 | low_[i] : low_[i]; }
    void reserve(size_t n) { low_.reserve(n); }
    void push_back(uint64_t inode) {
        const auto high = uint32_t(inode >> 32);
        if (high != 0 && !wide_) {
            wide_ = true;
            high_.reserve(low_.capacity());
            high_.assign(low_.size(), 0);
        }
        if (wide_)
            high_.push_back(high);
        low_.push_back(uint32_t(inode));
    }
    void shrink_to_fit() {
        low_.shrink_to_fit();
        high_.shrink_to_fit();
    }

private:
    std::vector<uint32_t> low_, high_; // high_ only once wide_
    bool wide_ = false;                // a number past 32 bits came
};

class FileList {
public:
    // The directory, without a trailing separator except for the root.
    const Bytes &directory() const { return directory_; }
    const Bytes &mask() const { return mask_; }
    // Matching names without directory, ascending by compareFileNames.
    const NameList &names() const { return listing_->names; }
    // The inode number of each name as the listing found it: a file renamed
    // over a listed one (an atomic write) shows as another number.
    const InodeList &inodes() const { return listing_->inodes; }
    size_t count() const { return listing_->names.size(); }

    // Each of these lists the directory (setDirectory and setMask only when
    // the value changes) and makes it the working directory, against which
    // bare file names resolve. A directory that cannot be listed, or is gone,
    // raises the runtime's I/O failure and leaves directory, mask and names
    // as they were.
    void setDirectory(const Bytes &dir);
    void setMask(const Bytes &mask);
    void reread();

    // A listing made apart from any file list: the names of dir that match
    // mask, in name order, with their inode numbers. listFiles touches
    // nothing shared, so it may run on any thread, given an absolute
    // directory; it raises as reread does.
    struct Listing {
        NameList names;
        InodeList inodes;
    };
    static Listing listFiles(const Bytes &dir, const Bytes &mask);
    // The listing names() and inodes() read, which never changes: a later
    // listing is another one. Whoever keeps it shares it instead of copying
    // a hundred thousand names, on any thread.
    std::shared_ptr<const Listing> listing() const { return listing_; }
    // Takes a listing of the directory and mask this list holds, as reread
    // would have made it, and makes the directory the working one.
    void take(Listing &&listing);

    // The non-hidden folders of dir, unsorted; none when it cannot be read.
    std::vector<Bytes> subfolders(const Bytes &dir);

    // While a ReadOnce lives, a directory is read from the disk once: every
    // later listing of it (another mask, its subfolders) is taken from that
    // one read, up to reread, the last step of an open, which takes what is
    // left of it. Steps that belong together, such as the steps of opening
    // a category, share one; files made meanwhile are seen after it ends.
    // ReadOnce scopes may nest.
    class ReadOnce {
    public:
        explicit ReadOnce(FileList &list);
        ~ReadOnce();
        ReadOnce(const ReadOnce &) = delete;
        ReadOnce &operator=(const ReadOnce &) = delete;

    private:
        FileList &list_;
    };

private:
    // One read of a directory.
    struct Snapshot {
        Bytes dir;
        std::vector<Bytes> files;     // in name order when kept, else as read
        std::vector<uint64_t> inodes; // paired with files
        std::vector<Bytes> folders;
    };
    const Snapshot &read(const Bytes &dir, std::unique_ptr<Snapshot> &scratch);
    // last: the kept read is not needed after this listing.
    void list(const Bytes &dir, const Bytes &mask, bool last = false);
    // The files of a read for one listing alone that match mask, sorted
    // unless they are in name order already.
    static Listing matching(std::vector<Bytes> &files, std::vector<uint64_t> &inodes, const Bytes &mask, bool sort);

    Bytes directory_;
    Bytes mask_ = "*.*";
    std::shared_ptr<const Listing> listing_ = std::make_shared<const Listing>();
    int readOnce_ = 0;               // ReadOnce scopes alive
    std::unique_ptr<Snapshot> kept_; // the read kept for them
};

// A directory as the file list keeps it: taken against the working directory
// when relative, trailing separators removed except for the root itself.
Bytes normalDirectory(const Bytes &dir);

} // namespace vb
