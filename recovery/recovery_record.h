#pragma once
// A recovery file: the text of a message being edited, kept so that a crash
// does not lose it. It names the file the text belongs to, that file's
// identity when it was loaded, the category it was shown in and the time of
// writing, then holds the text exactly as Save would write it.
//
// Layout (every count in decimal, every line ending in LF):
//   VelbrookRecovery 1
//   target <n>          followed by n bytes of the full path and LF
//   device <d>
//   inode <i>
//   size <s>            -1 when the file did not exist at load
//   mtime <sec>.<nsec>
//   category <n>        followed by n bytes of the category title and LF
//   logmode <0|1>
//   time <seconds since 1970>
//   text <n>            followed by n bytes of text and LF
//   end

#include "platform/codepage.h"
#include "platform/file_identity.h"

#include <cstdint>
#include <string>

namespace vb {

// The identity of the file at path now (not present when it cannot be
// examined).
FileIdentity identityOf(const Bytes &path);

struct RecoveryRecord {
    Bytes target; // full path
    FileIdentity identity;
    Bytes categoryTitle;
    bool logMode = false; // the text starts with the ten header lines
    int64_t writtenAt = 0;
    Bytes text;
};

Bytes encodeRecord(const RecoveryRecord &r);
// False, with the reason in *why, for anything that is not a whole record.
bool decodeRecord(const Bytes &data, RecoveryRecord &r, std::string *why = nullptr);

// The folder recovery files go in: for a run keeping its settings in the
// per-user folder, $XDG_STATE_HOME/velbrook/recovery/ when that variable
// names an absolute folder, else recovery/ in the per-user folder; for a
// portable run, recovery/ beside the settings file. Ends in the separator.
Bytes recoveryFolder(const Bytes &settingsFile, bool perUser, const char *xdgStateHome);

} // namespace vb
