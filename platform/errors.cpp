#include "platform/errors.h"

#include "platform/mbcs.h"

#include <QString>
#include <cerrno>
#include <cstring>

namespace vb {

Bytes quoteForError(const Bytes &text) {
    const size_t keep = mbcs::cutLength(text, kQuoteLimit);
    if (keep == text.size())
        return text;
    return text.substr(0, keep) + "\x81\x63"; // "…"
}

Bytes systemReason(int err) {
    if (err == 0)
        return Bytes();
    char buf[256];
    // The GNU strerror_r: the text may or may not be put in buf.
    const char *text = ::strerror_r(err, buf, sizeof buf);
    return fromUnicode(QString::fromLocal8Bit(text));
}

void failNotNumber(const Bytes &text) {
    throw RuntimeError("'" + quoteForError(text) + "'" + cp(" は数値ではありません"));
}

void failCannotCreate(const Bytes &path, int err) {
    throw RuntimeError(cp("ファイル ") + quoteForError(path) + cp(" を作成できません"), err);
}

void failCannotOpen(const Bytes &path, int err) {
    throw RuntimeError(cp("ファイル ") + quoteForError(path) + cp(" は開けません"), err);
}

void failIo(int code, int err) { throw RuntimeError(cp("I/O エラー (") + std::to_string(code) + ")", err); }

void failCannotWrite(const Bytes &path, int err) {
    throw RuntimeError(quoteForError(path) + cp(" に書き込めません"), err);
}

int ioCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return kIoFileNotFound;
    case ENOTDIR:
        return kIoPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return kIoAccessDenied;
    default:
        return kIoGeneral;
    }
}

} // namespace vb
