#include "settings/profile.h"

#include "settings/textscan.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdint>

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

ValueFault valueFault(const Bytes &value) {
    if (value.find_first_of("\r\n") != Bytes::npos)
        return ValueFault::LineEnd;
    if (value.find('\0') != Bytes::npos)
        return ValueFault::Nul;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!value.empty() && (blank(value.front()) || blank(value.back())))
        return ValueFault::Blank;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return ValueFault::Quotes;
    if (value.size() > kProfileValueLimit)
        return ValueFault::TooLong;
    return ValueFault::None;
}

ProfileBatch::ProfileBatch(Bytes path, FileAccess access) : path_(std::move(path)), access_(access) {
    load();
    if (!doc_)
        doc_ = std::make_unique<ProfileDocument>();
}

void ProfileBatch::load() {
    int err = 0;
    if (!readWholeFile(path_, original_, &err, size_t(kProfileFileLimit))) {
        if (err == EFBIG)
            throw RuntimeError(tooLargeText(path_));
        // Only a file that is not there reads as empty; one that is there but
        // cannot be read (a folder, a symbolic-link loop, no permission on
        // the way, an I/O error) is never written either.
        unreadable_ = err != ENOENT;
        readError_ = unreadable_ ? err : 0;
        return;
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
    // batch knows. (The writer refuses a file marked read-only even where
    // the rename would succeed.)
    if (unreadable_)
        failCannotWrite(path_, readError_);
    int err = 0;
    if (!writeFileAtomic(path_, text, &err, access_))
        failCannotWrite(path_, err);
    original_ = std::move(text);
}

} // namespace vb
