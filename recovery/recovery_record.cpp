#include "recovery/recovery_record.h"

#include "platform/file_ops.h"
#include "platform/files.h"

#include <cerrno>
#include <limits>

namespace vb {
namespace {

constexpr char kMagic[] = "VelbrookRecovery 1\n";

void numberLine(Bytes &out, const char *key, const std::string &value) {
    out += key;
    out += ' ';
    out += value;
    out += '\n';
}

void blockField(Bytes &out, const char *key, const Bytes &value) {
    numberLine(out, key, std::to_string(value.size()));
    out += value;
    out += '\n';
}

// Reads the record front to back; any deviation fails with a reason.
class Reader {
public:
    explicit Reader(const Bytes &data) : d_(data) {}
    std::string why;

    bool literal(const char *text) {
        const Bytes t(text);
        if (d_.compare(pos_, t.size(), t) != 0)
            return fail(std::string("expected \"") + text + "\"");
        pos_ += t.size();
        return true;
    }
    // "key <digits>\n" with an optional minus sign when allowMinus.
    bool number(const char *key, int64_t &value, bool allowMinus, char end = '\n') {
        if (*key && (!literal(key) || !literal(" ")))
            return false;
        bool negative = false;
        if (allowMinus && pos_ < d_.size() && d_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        uint64_t v = 0;
        size_t digits = 0;
        while (pos_ < d_.size() && d_[pos_] >= '0' && d_[pos_] <= '9') {
            const unsigned digit = unsigned(d_[pos_] - '0');
            if (v > (uint64_t(std::numeric_limits<int64_t>::max()) - digit) / 10)
                return fail(std::string("number too large after ") + key);
            v = v * 10 + digit;
            ++pos_;
            ++digits;
        }
        if (digits == 0)
            return fail(std::string("no number after ") + key);
        if (pos_ >= d_.size() || d_[pos_] != end)
            return fail(std::string("bad end of ") + key);
        ++pos_;
        value = negative ? -int64_t(v) : int64_t(v);
        return true;
    }
    bool unsignedNumber(const char *key, uint64_t &value) {
        int64_t v = 0;
        if (!number(key, v, false))
            return false;
        value = uint64_t(v);
        return true;
    }
    bool block(const char *key, Bytes &value) {
        int64_t n = 0;
        if (!number(key, n, false))
            return false;
        if (uint64_t(n) >= d_.size() - pos_ || d_[pos_ + size_t(n)] != '\n')
            return fail(std::string("bad length of ") + key);
        value = d_.substr(pos_, size_t(n));
        pos_ += size_t(n) + 1;
        return true;
    }
    bool atEnd() const { return pos_ == d_.size(); }
    bool fail(std::string reason) {
        why = std::move(reason);
        return false;
    }

private:
    const Bytes &d_;
    size_t pos_ = 0;
};

} // namespace

FileIdentity identityOf(const Bytes &path) {
    FileIdentity id;
    if (!readFileIdentity(path, id))
        id = FileIdentity();
    return id;
}

Bytes encodeRecord(const RecoveryRecord &r) {
    Bytes out(kMagic);
    out.reserve(r.text.size() + r.target.size() + r.categoryTitle.size() + 256);
    blockField(out, "target", r.target);
    numberLine(out, "device", std::to_string(r.identity.device));
    numberLine(out, "inode", std::to_string(r.identity.inode));
    numberLine(out, "size", std::to_string(r.identity.present ? r.identity.size : -1));
    // Whole seconds and nanoseconds, each part as a plain count.
    const int64_t modified = r.identity.modifiedNs;
    int64_t secs = modified / 1000000000, nsecs = modified % 1000000000;
    if (nsecs < 0) {
        secs -= 1;
        nsecs += 1000000000;
    }
    std::string ns = std::to_string(nsecs);
    ns.insert(0, ns.size() < 9 ? 9 - ns.size() : 0, '0');
    numberLine(out, "mtime", std::to_string(secs) + "." + ns);
    blockField(out, "category", r.categoryTitle);
    numberLine(out, "logmode", r.logMode ? "1" : "0");
    numberLine(out, "time", std::to_string(r.writtenAt));
    blockField(out, "text", r.text);
    out += "end\n";
    return out;
}

bool decodeRecord(const Bytes &data, RecoveryRecord &r, std::string *why) {
    Reader in(data);
    int64_t size = 0, logMode = 0, ns = 0, secs = 0;
    r = RecoveryRecord();
    const bool ok = in.literal(kMagic) && in.block("target", r.target) &&
                    in.unsignedNumber("device", r.identity.device) && in.unsignedNumber("inode", r.identity.inode) &&
                    in.number("size", size, true) && in.number("mtime", secs, true, '.') && in.number("", ns, false) &&
                    in.block("category", r.categoryTitle) && in.number("logmode", logMode, false) &&
                    in.number("time", r.writtenAt, false) && in.block("text", r.text) && in.literal("end\n") &&
                    (in.atEnd() || in.fail("data after the end"));
    if (ok && (logMode > 1 || ns > 999999999 || !isAbsolute(r.target)))
        in.fail("a field out of range");
    if (!ok || !in.why.empty()) {
        if (why)
            *why = in.why;
        return false;
    }
    r.identity.present = size >= 0;
    r.identity.size = size >= 0 ? size : 0;
    r.identity.modifiedNs = r.identity.present ? secs * 1000000000 + ns : 0;
    if (!r.identity.present)
        r.identity.device = r.identity.inode = 0;
    r.logMode = logMode == 1;
    return true;
}

Bytes recoveryFolder(const Bytes &settingsFile, bool perUser, const char *xdgStateHome) {
    if (perUser && xdgStateHome && xdgStateHome[0] == '/')
        return withSeparator(withSeparator(fsToBytes(xdgStateHome)) + "velbrook") + "recovery/";
    const size_t slash = settingsFile.rfind(kSep);
    const Bytes dir = slash == Bytes::npos ? Bytes() : settingsFile.substr(0, slash + 1);
    return dir + "recovery/";
}

} // namespace vb
