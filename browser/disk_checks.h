#pragma once
// The checks before a write or a removal over a file that was read earlier:
// a file another program changed, replaced or removed since is never written
// over or removed without a question whose default is "キャンセル".

#include "platform/file_identity.h"

namespace vb {

// The questions, followed by a line end and the path.
constexpr char kChangedOverwrite[] = "File Changed On Disk. Overwrite OK?";
constexpr char kDeletedCreate[] = "File Deleted On Disk. Create Again OK?";
constexpr char kExistingOverwrite[] = "File Overwrite OK?";
constexpr char kChangedDelete[] = "File Changed On Disk. Delete OK?";

// Before writing path as the file last seen as seen: true when it is as seen,
// or the user agreed to write over what is there now (or to create it again).
// A seen identity that is not present means nothing was read from path: an
// existing file there is another one, and is replaced only after a question.
// A file that cannot be examined raises the runtime's I/O failure.
bool mayWriteOver(const Bytes &path, const FileIdentity &seen);

// Before removing path, last seen as seen.
enum class RemoveCheck { Remove, Gone, Keep };
// Remove: as seen, or the user agreed to remove it as it is now; Gone: there
// is nothing at path any more; Keep: the user declined.
RemoveCheck mayRemove(const Bytes &path, const FileIdentity &seen);

// The identity of the file at path now; the runtime's I/O failure when it
// cannot be examined.
FileIdentity identityNow(const Bytes &path);

// Removes the file at path; a file that is there and cannot be removed raises
// a failure that names it and gives the system's reason.
void removeOrFail(const Bytes &path);

} // namespace vb
