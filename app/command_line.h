#pragma once
// The command line: --settings FILE, --help, --version and a folder to open.

#include "platform/codepage.h"

#include <QString>
#include <QStringList>

namespace vb {

struct CommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    Bytes settingsFile; // absolute; empty when not given
    Bytes folder;       // the folder to open at once, absolute with the separator; empty when none
    QString error;      // with Wrong: what is wrong, one line
    // With Wrong: every option not understood is one the windowing system
    // takes for itself, so the line may be right once it has taken them.
    bool onlyWindowingOptions = false;
};

// arguments as the program received them, its own name first. A relative
// settings file or folder is taken against the working directory of the
// moment. A folder that is not there (or is no folder) makes the line Wrong.
CommandLine parseCommandLine(const QStringList &arguments);

// What --help prints: usage, options and the settings file this run uses.
QString helpText(const Bytes &settingsFile);
// What --version prints.
QString versionText();

} // namespace vb
