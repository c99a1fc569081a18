#include "browser/disk_checks.h"

#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"

#include <cerrno>

namespace vb {
namespace {

bool ask(const char *question, const Bytes &path) {
    return dialogs().cautiousQuestion(Bytes(question) + "\n" + quoteForError(path));
}

} // namespace

FileIdentity identityNow(const Bytes &path) {
    FileIdentity now;
    int err = 0;
    if (!readFileIdentity(path, now, &err))
        failIo(ioCodeFromErrno(err), err);
    return now;
}

bool mayWriteOver(const Bytes &path, const FileIdentity &seen) {
    const FileIdentity now = identityNow(path);
    if (!seen.present)
        return !now.present || ask(kExistingOverwrite, path);
    if (now == seen)
        return true;
    return ask(now.present ? kChangedOverwrite : kDeletedCreate, path);
}

RemoveCheck mayRemove(const Bytes &path, const FileIdentity &seen) {
    const FileIdentity now = identityNow(path);
    if (!now.present)
        return RemoveCheck::Gone;
    if (now == seen || ask(kChangedDelete, path))
        return RemoveCheck::Remove;
    return RemoveCheck::Keep;
}

void removeOrFail(const Bytes &path) {
    if (fileOps().unlink(fsPath(path).c_str()) == 0 || errno == ENOENT)
        return;
    const int err = errno;
    throw RuntimeError(cp("ファイル ") + quoteForError(path) + cp(" を削除できません"), err);
}

} // namespace vb
