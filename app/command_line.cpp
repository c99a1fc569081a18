#include "app/command_line.h"

#include "platform/files.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifndef VELBROOK_VERSION
#error "VELBROOK_VERSION is the project's version"
#endif

namespace vb {
namespace {

// Options the windowing system takes out of the command line when it starts.
bool isWindowingOption(const QString &name) {
    static const QStringList names = {QStringLiteral("platform"),
                                      QStringLiteral("platformpluginpath"),
                                      QStringLiteral("platformtheme"),
                                      QStringLiteral("plugin"),
                                      QStringLiteral("qwindowgeometry"),
                                      QStringLiteral("qwindowicon"),
                                      QStringLiteral("qwindowtitle"),
                                      QStringLiteral("reverse"),
                                      QStringLiteral("session"),
                                      QStringLiteral("display"),
                                      QStringLiteral("geometry"),
                                      QStringLiteral("style"),
                                      QStringLiteral("stylesheet"),
                                      QStringLiteral("widgetcount"),
                                      QStringLiteral("qmljsdebugger"),
                                      QStringLiteral("nograb"),
                                      QStringLiteral("dograb"),
                                      QStringLiteral("sync"),
                                      QStringLiteral("visual"),
                                      QStringLiteral("title"),
                                      QStringLiteral("name"),
                                      QStringLiteral("fn"),
                                      QStringLiteral("font"),
                                      QStringLiteral("bg"),
                                      QStringLiteral("background"),
                                      QStringLiteral("fg"),
                                      QStringLiteral("foreground"),
                                      QStringLiteral("btn"),
                                      QStringLiteral("button"),
                                      QStringLiteral("ncols"),
                                      QStringLiteral("cmap"),
                                      QStringLiteral("im"),
                                      QStringLiteral("inputstyle")};
    return names.contains(name);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    // -platform and its kind are one option each, not a run of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, settings});
    CommandLine cl;
    if (!parser.parse(arguments)) {
        cl.action = CommandLine::Action::Wrong;
        cl.error = parser.errorText();
        QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            // Only options that are nobody's are named.
            unknown.erase(std::remove_if(unknown.begin(), unknown.end(), isWindowingOption), unknown.end());
            cl.onlyWindowingOptions = unknown.isEmpty();
            cl.error = unknown.size() == 1 ? QStringLiteral("Unknown option '%1'.").arg(unknown.constFirst())
                                           : QStringLiteral("Unknown options: %1.").arg(unknown.join(", "));
        }
        return cl;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        cl.action = CommandLine::Action::Wrong;
        cl.error = QStringLiteral("Unexpected argument '%1'.").arg(positional.at(1));
        return cl;
    }
    if (parser.isSet(help)) {
        cl.action = CommandLine::Action::Help;
    } else if (parser.isSet(version)) {
        cl.action = CommandLine::Action::Version;
    }
    if (parser.isSet(settings)) {
        const QString file = parser.values(settings).constLast();
        if (file.isEmpty() || file.endsWith(QLatin1Char('/'))) {
            cl.action = CommandLine::Action::Wrong;
            cl.error = QStringLiteral("--settings needs the name of a file.");
            return cl;
        }
        cl.settingsFile = fsToBytes(QFile::encodeName(QFileInfo(file).absoluteFilePath()).toStdString());
    }
    if (!positional.isEmpty() && cl.action == CommandLine::Action::Run) {
        const QString &folder = positional.constFirst();
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.exists()) {
            cl.action = CommandLine::Action::Wrong;
            cl.error = QStringLiteral("The folder '%1' does not exist.").arg(folder);
        } else if (!info.isDir()) {
            cl.action = CommandLine::Action::Wrong;
            cl.error = QStringLiteral("'%1' is not a folder.").arg(folder);
        } else {
            cl.folder =
                withSeparator(fsToBytes(QFile::encodeName(QDir::cleanPath(info.absoluteFilePath())).toStdString()));
        }
    }
    return cl;
}

QString helpText(const Bytes &settingsFile) {
    return QStringLiteral("Usage: velbrook [--settings FILE] [FOLDER]\n"
                          "\n"
                          "Velbrook reads message logs: folders of numbered text messages bound into\n"
                          "categories, shown as a list of titles with each message's header and text.\n"
                          "With FOLDER it opens the browser at once on that folder, read as the\n"
                          "category opened first; nothing is stored until you store it.\n"
                          "\n"
                          "Options:\n"
                          "  --settings FILE  keep the settings in FILE instead of the usual file\n"
                          "  -h, --help       show this help and exit\n"
                          "  -v, --version    show the version and exit\n"
                          "\n"
                          "Settings file: %1\n")
        .arg(QFile::decodeName(QByteArray::fromStdString(fsPath(settingsFile))));
}

QString versionText() { return QStringLiteral("Velbrook " VELBROOK_VERSION "\n"); }

} // namespace vb
