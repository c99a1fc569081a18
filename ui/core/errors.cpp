#include "ui/core/errors.h"

#include <cerrno>

namespace vb {

void failNotNumber(const Bytes &text) { throw RuntimeError("'" + text + "'" + cp(" は数値ではありません")); }

void failCannotCreate(const Bytes &path) { throw RuntimeError(cp("ファイル ") + path + cp(" を作成できません")); }

void failCannotOpen(const Bytes &path) { throw RuntimeError(cp("ファイル ") + path + cp(" は開けません")); }

void failIo(int code) { throw RuntimeError(cp("I/O エラー (") + std::to_string(code) + ")"); }

void failCannotWrite(const Bytes &path) { throw RuntimeError(path + cp(" に書き込めません")); }

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
