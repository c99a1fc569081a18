#pragma once
// File-system access for the program's logic. Every path and name here is in
// code-page bytes; the conversion to the file system's own names happens
// inside. Paths that are not absolute resolve against the working directory
// set by the file list (setWorkingDirectory), never the process's own.

#include "platform/codepage.h"

#include <cstdint>
#include <vector>

namespace vb {

constexpr char kSep = '/';

// dir followed by the separator, unless it already ends in one (or is empty).
Bytes withSeparator(const Bytes &dir);
// The part of a path after its last separator.
Bytes baseName(const Bytes &path);
bool isAbsolute(const Bytes &path);

void setWorkingDirectory(const Bytes &dir);
const Bytes &workingDirectory();
// A bare or relative name taken against the working directory.
Bytes resolvePath(const Bytes &path);
// The file system's own spelling of a (resolved) path.
std::string fsPath(const Bytes &path);

// A file larger than this is never loaded whole: no message is that long, and
// its text could not be shown.
constexpr size_t kWholeFileLimit = size_t(256) << 20;

// The whole content of an ordinary file. Memory grows as the bytes arrive,
// never on the size the file claims. A file of more than maxBytes is refused
// with EFBIG and nothing is kept. Returns false and sets *err (an errno value)
// on failure: ENOENT when there is no such file, EISDIR for a folder.
bool readWholeFile(const Bytes &path, Bytes &out, int *err = nullptr, size_t maxBytes = kWholeFileLimit);

// An ordinary file opened for reading.
struct FileHandle {
    int fd = -1;
    FileHandle() = default;
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    ~FileHandle();
    // Opens the file without waiting on it: a folder fails with EISDIR, and
    // anything else that is not an ordinary file (a pipe, a device) with
    // EINVAL.
    bool open(const Bytes &path, int *err = nullptr);
    // The same, for a path in the file system's own spelling (see fsPath).
    bool openFs(const std::string &path, int *err = nullptr);
    // A folder in the file system's spelling, held open so that the files in
    // it can be opened by name (openIn): no path is walked again for each.
    bool openFolderFs(const std::string &path, int *err = nullptr);
    // The file called name (file-system spelling) in the held folder, for a
    // name a listing of that folder has just found to be an ordinary file:
    // its kind is not asked again. Should it have become something else
    // meanwhile, the read fails (a folder, EISDIR) or finds nothing (a pipe
    // without writer), and never waits.
    bool openIn(const FileHandle &folder, const char *name, int *err = nullptr);
    // Reads at most n more bytes, appending them; returns the count, 0 at end, -1 on error.
    long read(Bytes &out, size_t n);
    // Reads at most n bytes into buf; returns the count, 0 at end, -1 on error.
    long read(char *buf, size_t n);
};

// Who may read a file the program writes. Shared: a new file as the umask
// allows, a replaced one keeps its permissions. Private: the owner alone; a new
// file is made 0600, a replaced one loses every permission of group and others.
enum class FileAccess { Shared, Private };

// Writes the whole content to a temporary file beside the target, syncs it,
// renames it over the target and syncs the folder, so that a failed write
// leaves the target as it was. A symbolic link stays as it is: the file it
// names is written, and created when it does not exist yet. A replaced file
// keeps everything but its bytes: owner, group, permissions, access list and
// extended attributes; one that has more than one name, or whose owner or
// attributes a new file could not be given, is rewritten in place behind a
// copy of its old bytes (see files.cpp). A file this user may not write, or
// that is marked read-only for everyone, is refused (EACCES). A successful
// write removes the temporaries of saves that were killed a day or more ago
// from the folder. Returns false and sets *err on failure (ELOOP for links
// that go round).
bool writeFileAtomic(const Bytes &path, const Bytes &data, int *err = nullptr, FileAccess access = FileAccess::Shared);

// Follows the symbolic links at fsPath (a file-system path) to the file they
// finally name, which may not exist yet. False with *err set when they go
// round (ELOOP) or cannot be read.
bool followLinks(std::string &fsPath, int *err);
// Creates a new file holding data; never replaces an existing file (EEXIST,
// also for a dangling link), and leaves no partial file behind on failure.
bool createNewFile(const Bytes &path, const Bytes &data, int *err = nullptr);

// Names of the ordinary, non-hidden files of a directory (symbolic links to
// ordinary files included), unsorted. Returns false and sets *err on failure.
bool listFiles(const Bytes &dir, std::vector<Bytes> &names, int *err = nullptr);
// One pass over a directory: its ordinary files and its non-hidden folders
// (either may be null), unsorted. Returns false and sets *err on failure.
// With fileInodes, the inode number of each entry of files, as the directory
// gives it (a file renamed over another shows as a different one).
bool listDirectory(const Bytes &dir, std::vector<Bytes> *files, std::vector<Bytes> *folders, int *err = nullptr,
                   std::vector<uint64_t> *fileInodes = nullptr);

// False, with *err set (ENOTDIR for anything else that is there), when the
// path names no directory.
bool isDirectory(const Bytes &path, int *err = nullptr);
bool fileExists(const Bytes &path);
bool makeDirectory(const Bytes &path); // one level; false when it could not be made
// Makes the folder and every missing folder above it, each new one for the
// owner alone (0700); folders that are already there keep their permissions.
// True when the folder is there afterwards.
bool makePrivateDirectories(const Bytes &path);
bool removeFile(const Bytes &path);

// True when the two paths name one file: where both exist, the same device
// and inode (so links and every spelling of a path agree); where neither
// does, the same path once resolved and rid of ".", ".." and doubled
// separators; never when only one of them exists.
bool sameFile(const Bytes &a, const Bytes &b);
// True only when both paths name existing files and these are two files;
// false whenever either cannot be examined. The test before deleting one of
// them for the other: a failing look must never cost a file.
bool distinctFiles(const Bytes &a, const Bytes &b);

} // namespace vb
