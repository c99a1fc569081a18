#include "settings/profile.h"

#include "settings/textscan.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {
namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

Bytes tooLargeText(const Bytes &path) {
    return cp(u8"設定ファイル ") + quoteForError(path) + cp(u8" は大きすぎるため読み込めません (上限 32 MiB)");
}

} // namespace

bool parseProfileInteger(const Bytes &text, int &value) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t v = 0;
    for (; i < n; ++i) {
        const int d = digitValue(text[i]);
        if (d >= base)
            return false;
        v = v * uint64_t(base) + uint64_t(d);
        if (v > limit)
            return false;
    }
    uint32_t bits = uint32_t(v);
    if (negative)
        bits = 0u - bits;
    value = int32_t(bits);
    return true;
}

ProfileBatch::ProfileBatch(Bytes path) : path_(std::move(path)) {
    load();
    if (!doc_)
        doc_ = std::make_unique<ProfileDocument>();
}

void ProfileBatch::load() {
    struct stat st;
    if (::stat(fsPath(path_).c_str(), &st) != 0)
        return; // missing (or a folder on the way is missing): reads as empty
    if (!S_ISREG(st.st_mode)) {
        unreadable_ = true;
        return;
    }
    if (st.st_size > kProfileFileLimit)
        throw RuntimeError(tooLargeText(path_));
    FileHandle file;
    int err = 0;
    if (!file.open(path_, &err)) {
        unreadable_ = err != ENOENT;
        return;
    }
    // Read no more than the limit even if the file grows meanwhile.
    original_.reserve(size_t(st.st_size));
    for (;;) {
        const long got = file.read(original_, 65536);
        if (got < 0) {
            original_.clear();
            unreadable_ = true;
            return;
        }
        if (got == 0)
            break;
        if ((long long)original_.size() > kProfileFileLimit)
            throw RuntimeError(tooLargeText(path_));
    }
    doc_ = std::make_unique<ProfileDocument>(original_);
}

Bytes ProfileBatch::readString(const Bytes &section, const Bytes &key, const Bytes &def) const {
    std::string_view value;
    if (!doc_->find(section, key, value))
        return def;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return Bytes(value.substr(0, textscan::cutLength(value, kProfileValueLimit)));
}

int ProfileBatch::readInteger(const Bytes &section, const Bytes &key, int def) const {
    int value = 0;
    const Bytes text = readString(section, key, Bytes());
    return parseProfileInteger(text, value) ? value : def;
}

void ProfileBatch::writeString(const Bytes &section, const Bytes &key, const Bytes &value) {
    doc_->set(section, key, value);
}

void ProfileBatch::eraseSection(const Bytes &section) { doc_->eraseSection(section); }

void ProfileBatch::release() {
    Bytes text = doc_->text();
    if (text == original_)
        return;
    // A file that could not be read is never replaced by what little this
    // batch knows, and a file marked read-only (no write permission for
    // anyone) is refused even where the rename would succeed.
    struct stat st;
    const std::string fs = fsPath(path_);
    const bool readOnly = ::stat(fs.c_str(), &st) == 0 && ((st.st_mode & 0222) == 0 || ::access(fs.c_str(), W_OK) != 0);
    if (unreadable_ || readOnly || !writeFileAtomic(path_, text))
        failCannotWrite(path_);
    original_ = std::move(text);
}

} // namespace vb
