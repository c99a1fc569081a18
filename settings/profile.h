#pragma once
// The settings file: a profile (INI) file in the Japanese code page, read and
// written a batch at a time. A batch reads the file once when it opens; its
// reads, writes and section erasures work on that copy; release() writes the
// file once, whole and atomically, and only when its bytes have changed.
// Nothing is cached between batches.

#include "settings/profile_document.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <memory>

namespace vb {

// Values are read up to this many bytes.
constexpr size_t kProfileValueLimit = 2047;
// A settings file larger than this is refused rather than loaded.
constexpr long long kProfileFileLimit = 32ll * 1024 * 1024;

// Integer values: leading spaces, one sign, then decimal digits, or
// hexadecimal digits after "$", "0x" or "0X". Anything else, a trailing space
// or an empty text included, is not a number. Hexadecimal values up to
// FFFFFFFF wrap into the int range; decimal values must fit in it.
bool parseProfileInteger(const Bytes &text, int &value);

// Why the settings file would not give a value back as it was written: it
// holds a line end (the rest would become lines of their own) or a NUL byte,
// has blanks at either end (trimmed on reading), is wrapped in one pair of
// quotes (removed on reading), or is longer than a read takes.
enum class ValueFault { None, LineEnd, Nul, Blank, Quotes, TooLong };
ValueFault valueFault(const Bytes &value);

class ProfileBatch {
public:
    // Reads the file. A missing file reads as empty; so does one that is
    // there but cannot be read (a folder, a symbolic-link loop, no permission
    // on the way, an I/O error), which release() then never writes. A file
    // larger than kProfileFileLimit raises a RuntimeError naming it and is
    // never written. access says who may read the file once it is written.
    explicit ProfileBatch(Bytes path, FileAccess access = FileAccess::Shared);
    ProfileBatch(const ProfileBatch &) = delete;
    ProfileBatch &operator=(const ProfileBatch &) = delete;

    const Bytes &path() const { return path_; }
    // The file is there but could not be read: it reads as empty.
    bool unreadable() const { return unreadable_; }
    // Why it could not be read (an errno value); 0 when it was read.
    int readError() const { return readError_; }

    Bytes readString(const Bytes &section, const Bytes &key, const Bytes &def) const;
    int readInteger(const Bytes &section, const Bytes &key, int def) const;
    void writeString(const Bytes &section, const Bytes &key, const Bytes &value);
    void eraseSection(const Bytes &section);

    // Writes the file when its bytes have changed. On failure raises
    // "<path> に書き込めません" and leaves the file as it was. A batch that is
    // dropped without release() writes nothing.
    void release();

private:
    void load();

    Bytes path_;
    FileAccess access_;
    Bytes original_;
    bool unreadable_ = false; // present but could not be read: never overwritten
    int readError_ = 0;
    std::unique_ptr<ProfileDocument> doc_;
};

} // namespace vb
