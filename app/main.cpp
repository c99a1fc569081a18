// Velbrook: binds directories of message files into categories for browsing.

#include "app/app.h"
#include "app/command_line.h"
#include "app/user_folder.h"

#include <QApplication>

#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Answers --help, --version and a wrong command line; returns the exit
// status, or -1 when the program is to run.
int answer(const vb::CommandLine &cl, const vb::Bytes &settingsFile) {
    switch (cl.action) {
    case vb::CommandLine::Action::Help:
        std::fputs(vb::helpText(settingsFile).toLocal8Bit().constData(), stdout);
        return 0;
    case vb::CommandLine::Action::Version:
        std::fputs(vb::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case vb::CommandLine::Action::Wrong:
        std::fprintf(stderr, "velbrook: %s\nTry 'velbrook --help'.\n", cl.error.toLocal8Bit().constData());
        return 2;
    case vb::CommandLine::Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv) {
#if defined(__GLIBC__)
    // Large blocks (a folder's listing, a long message's text) always get
    // pages of their own and give them back when freed. Left to itself the
    // allocator raises this bound after each such block is freed, and the
    // next ones then leave holes in the heap that stay resident.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // --help and --version are answered before the windowing system starts,
    // so that they work without a display. A command line that looks wrong
    // here may hold the windowing system's own options: it is judged again
    // once those are taken out.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const vb::CommandLine early = vb::parseCommandLine(raw);
    if (early.action != vb::CommandLine::Action::Run && !early.onlyWindowingOptions)
        return answer(early, vb::settingsPlace(early.settingsFile).file);

    QApplication app(argc, argv);
    const vb::CommandLine cl = vb::parseCommandLine(QCoreApplication::arguments());
    const vb::SettingsPlace place = vb::settingsPlace(cl.settingsFile);
    if (const int status = answer(cl, place.file); status >= 0)
        return status;
    vb::Application velbrook(place);
    velbrook.start(cl.folder);
    return app.exec();
}
