#pragma once
// The hidden file list of the browser: the names of the ordinary files of one
// directory that match a mask, in name order.

#include "ui/core/codepage.h"

#include <vector>

namespace vb {

class FileList {
public:
    // The directory, without a trailing separator except for the root.
    const Bytes &directory() const { return directory_; }
    const Bytes &mask() const { return mask_; }
    // Matching names without directory, ascending by compareFileNames.
    const std::vector<Bytes> &names() const { return names_; }
    size_t count() const { return names_.size(); }

    // Each of these lists the directory (setDirectory and setMask only when
    // the value changes) and makes it the working directory, against which
    // bare file names resolve. A directory that cannot be listed, or is gone,
    // raises the runtime's I/O failure and leaves directory, mask and names
    // as they were.
    void setDirectory(const Bytes &dir);
    void setMask(const Bytes &mask);
    void reread();

private:
    void list(const Bytes &dir, const Bytes &mask);

    Bytes directory_;
    Bytes mask_ = "*.*";
    std::vector<Bytes> names_;
};

// A directory as the file list keeps it: taken against the working directory
// when relative, trailing separators removed except for the root itself.
Bytes normalDirectory(const Bytes &dir);

} // namespace vb
