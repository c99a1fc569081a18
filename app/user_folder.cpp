#include "app/user_folder.h"

#include "settings/settings.h"
#include "platform/epath.h"
#include "platform/files.h"

#include <vector>

namespace vb {

SettingsPlace settingsPlace(const Bytes &commandLineFile) {
    SettingsPlace p;
    p.perUser = EPathIsPerUser();
    p.file = commandLineFile.empty() ? EPath() + kSettingsFileName : commandLineFile;
    p.privateFile = p.perUser && commandLineFile.empty();
    if (p.perUser)
        p.samples = installedSamplesDir();
    return p;
}

void prepareUserFolder(const SettingsPlace &place) {
    if (!place.perUser)
        return;
    const Bytes folder = EPath();
    if (!makePrivateDirectories(folder))
        return;
    // A "logtext" that is already there (makeDirectory fails) is the user's
    // own and never filled.
    const Bytes logtext = folder + "logtext";
    std::vector<Bytes> names;
    if (fileExists(place.file) || !makeDirectory(logtext) || place.samples.empty() || !listFiles(place.samples, names))
        return;
    for (const Bytes &name : names) {
        Bytes content;
        if (readWholeFile(withSeparator(place.samples) + name, content))
            writeFileAtomic(withSeparator(logtext) + name, content);
    }
}

} // namespace vb
