#include "ui/core/errors.h"

#include "ui/core/mbcs.h"

#include <cerrno>

namespace vb {

Bytes quoteForError(const Bytes &text) {
    const size_t keep = mbcs::cutLength(text, kQuoteLimit);
    if (keep == text.size())
        return text;
    return text.substr(0, keep) + "\x81\x63"; // "…"
}

void failNotNumber(const Bytes &text) {
    throw RuntimeError("'" + quoteForError(text) + "'" + cp(" は数値ではありません"));
}

void failCannotCreate(const Bytes &path) {
    throw RuntimeError(cp("ファイル ") + quoteForError(path) + cp(" を作成できません"));
}

void failCannotOpen(const Bytes &path) {
    throw RuntimeError(cp("ファイル ") + quoteForError(path) + cp(" は開けません"));
}

void failIo(int code) { throw RuntimeError(cp("I/O エラー (") + std::to_string(code) + ")"); }

void failCannotWrite(const Bytes &path) { throw RuntimeError(quoteForError(path) + cp(" に書き込めません")); }

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
