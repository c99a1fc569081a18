#pragma once
// Where a run keeps its settings file, and the per-user folder of an
// installed program made ready on the first View.

#include "platform/codepage.h"

namespace vb {

struct SettingsPlace {
    Bytes file;               // the settings file
    bool perUser = false;     // EPath() is the per-user folder (see platform/epath.h)
    bool privateFile = false; // the settings file is for its owner alone
    Bytes samples;            // with perUser: the sample collection a new user starts with
};

// The settings file named on the command line (absolute), or, when none is,
// "Velbrook.ini" in EPath(). In the per-user folder that file is private.
SettingsPlace settingsPlace(const Bytes &commandLineFile);

// Makes the per-user folder (and the folders above it) for the owner alone
// when it is missing. When neither the settings file nor the built-in
// category's "logtext" folder is there yet, makes that folder and copies the
// sample collection's files into it, so that a new user opens on messages.
// Does nothing for a portable run. Failures are left for the settings file's
// first write to report.
void prepareUserFolder(const SettingsPlace &place);

} // namespace vb
