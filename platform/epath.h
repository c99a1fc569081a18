#pragma once
// EPath: the folder of the settings file and of the built-in category.
//
// A program started from the installation's own bin folder (compiled in, for
// example /usr/bin) may not write there, so it keeps them in the user's own
// folder: $XDG_CONFIG_HOME/velbrook/, or ~/.config/velbrook/ when
// XDG_CONFIG_HOME is unset, empty or not an absolute path. Started from
// anywhere else (the build folder, a copy in a folder of the user's) it keeps
// them beside the executable, as a portable copy always has.

#include "platform/codepage.h"

#include <string>

namespace vb {

// The folder, ending in the separator. The per-user folder is only named
// here; it is made when the program first needs it.
Bytes EPath();
// True when EPath() is the per-user folder rather than the executable's.
bool EPathIsPerUser();
// Tests point EPath at a folder of their own; perUser says whether the
// program is to treat it as the per-user folder.
void setEPath(const Bytes &dir, bool perUser = false);

struct EPathChoice {
    Bytes dir; // ending in the separator
    bool perUser = false;
};
// The rule for an executable in exeDir, given the installation's bin folder
// and the environment's XDG_CONFIG_HOME and HOME (null when unset). The two
// folders count as one when they are one folder on disk, however spelt
// (/bin and /usr/bin on a merged-/usr system).
EPathChoice chooseEPath(const std::string &exeDir, const std::string &installBinDir, const char *xdgConfigHome,
                        const char *home);

// Folders of the installation, as compiled in.
std::string installedBinDir();
// The sample collection a new user's built-in category is filled from,
// ending in the separator.
Bytes installedSamplesDir();

} // namespace vb
