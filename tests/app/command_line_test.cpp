// The real executable, started from where a user would start it: the
// settings file it uses (as --help reports it) follows the folder it runs
// from, the per-user folder of an installed program and --settings; --help
// and --version answer without a display; a wrong command line is refused.

#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/apptitle.h"
#include "platform/epath.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

using vbtest::exists;
using vbtest::listing;

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs program with args in cwd, with no display at all and HOME (and
// XDG_CONFIG_HOME, unless null) as given.
Outcome run(const QString &program, const QStringList &args, const std::string &cwd, const std::string &home,
            const char *xdg) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), QString::fromStdString(home));
    if (xdg)
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromUtf8(xdg));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(cwd));
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(30000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

std::string settingsLine(const std::string &help) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Settings file: (.*)$"), QRegularExpression::MultilineOption)
            .match(QString::fromStdString(help));
    return m.hasMatch() ? m.captured(1).toStdString() : "<no settings line>";
}

// "{exe}", "{home}", "{xdg}" and "{cwd}" in text replaced by the folders.
std::string expand(std::string text, const std::map<std::string, std::string> &folders) {
    for (const auto &[key, value] : folders)
        for (size_t p; (p = text.find(key)) != std::string::npos;)
            text.replace(p, key.size(), value);
    return text;
}

// The folder as the running program sees its own: links resolved.
std::string canonical(const std::string &folder) {
    char buf[PATH_MAX];
    return ::realpath(folder.c_str(), buf) ? std::string(buf) + "/" : folder;
}

std::string buildDir() {
    const std::string exe = VELBROOK_EXE;
    return canonical(exe.substr(0, exe.rfind('/') + 1));
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(home().c_str(), 0755);
        ::mkdir(cwd().c_str(), 0755);
    }
    std::string home() const { return dir.file("home/"); }
    std::string cwd() const { return dir.file("cwd/"); }
    std::map<std::string, std::string> folders(const std::string &exeDir) const {
        return {{"{exe}", exeDir}, {"{home}", home()}, {"{xdg}", dir.file("xdg/")}, {"{cwd}", cwd()}};
    }
    vbtest::TempDir dir;
};

struct Row {
    const char *name;
    const char *xdg; // null: unset; "{xdg}" stands for a folder of the test's
    QStringList args;
    const char *settings; // the settings file --help names
};

} // namespace

TEST_F(CommandLineTest, APortableRunKeepsItsSettingsBesideTheExecutable) {
    enum Where { Build, Copy, LinkToBuild };
    struct Case {
        Where where;
        Row row;
    };
    const std::string copyDir = dir.file("portable/");
    const std::string linkDir = dir.file("links/");
    ::mkdir(copyDir.c_str(), 0755);
    ::mkdir(linkDir.c_str(), 0755);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELBROOK_EXE), QString::fromStdString(copyDir + "velbrook")));
    ASSERT_EQ(::symlink(VELBROOK_EXE, (linkDir + "vb").c_str()), 0);
    const QString help = QStringLiteral("--help");
    const Case cases[] = {
        {Build, {"build folder", nullptr, {help}, "{exe}Velbrook.ini"}},
        {Build, {"build folder, XDG_CONFIG_HOME set", "{xdg}", {help}, "{exe}Velbrook.ini"}},
        {Copy, {"a copy elsewhere", "{xdg}", {help}, "{exe}Velbrook.ini"}},
        {LinkToBuild, {"a link elsewhere: the folder of the file it names", nullptr, {help}, "{exe}Velbrook.ini"}},
        {Copy,
         {"--settings relative",
          nullptr,
          {QStringLiteral("--settings"), QStringLiteral("a/my.ini"), help},
          "{cwd}a/my.ini"}},
        {Copy, {"--settings=absolute", nullptr, {QStringLiteral("--settings=/x/other.ini"), help}, "/x/other.ini"}},
        {Build, {"-h", nullptr, {QStringLiteral("-h")}, "{exe}Velbrook.ini"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row.name);
        const std::string program = c.where == Build  ? VELBROOK_EXE
                                    : c.where == Copy ? copyDir + "velbrook"
                                                      : linkDir + "vb";
        const std::string exeDir = c.where == Copy ? canonical(copyDir) : buildDir();
        const std::string xdg = c.row.xdg ? expand(c.row.xdg, folders(exeDir)) : std::string();
        const Outcome r =
            run(QString::fromStdString(program), c.row.args, cwd(), home(), c.row.xdg ? xdg.c_str() : nullptr);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("Usage: velbrook"), std::string::npos) << r.out;
        const std::string expected = expand(c.row.settings, folders(exeDir));
        EXPECT_EQ(settingsLine(r.out), expected);
        EXPECT_FALSE(exists(expected)) << "--help writes nothing";
    }
    EXPECT_EQ(listing(home()), std::vector<std::string>{});
    EXPECT_EQ(listing(cwd()), std::vector<std::string>{});
}

// The executable copied into the installation's own bin folder, which a
// private mount namespace covers with an empty file system so that nothing
// of the machine's is touched. Skipped where such namespaces are not allowed.
TEST_F(CommandLineTest, AnInstalledRunKeepsItsSettingsInTheUsersFolder) {
    const QString bin = QString::fromStdString(vb::installedBinDir());
    const QStringList unshare =
        ::geteuid() == 0 ? QStringList{QStringLiteral("-m")} : QStringList{QStringLiteral("-rm")};
    // $1 the installation's bin folder, $2 the executable, $3 a link to make
    // to the installed copy ("" for none), $4 what to start; the rest its
    // arguments.
    const QString script = QStringLiteral("mount -t tmpfs tmpfs \"$1\" || exit 97\n"
                                          "cp \"$2\" \"$1/velbrook\" || exit 97\n"
                                          "[ -z \"$3\" ] || ln -s \"$1/velbrook\" \"$3\" || exit 97\n"
                                          "program=$4; shift 4; exec \"$program\" \"$@\"\n");
    auto installed = [&](const QString &start, const QString &link, const QStringList &args, const char *xdg) {
        QStringList all = unshare;
        all << QStringLiteral("sh") << QStringLiteral("-c") << script << QStringLiteral("sh") << bin
            << QStringLiteral(VELBROOK_EXE) << link << start << args;
        return run(QStringLiteral("unshare"), all, cwd(), home(), xdg);
    };
    if (installed(bin + "/velbrook", QString(), {QStringLiteral("--version")}, nullptr).status != 0)
        GTEST_SKIP() << "no private mount namespace here to cover " << bin.toStdString();

    const std::string xdgDir = dir.file("xdg");
    const QString help = QStringLiteral("--help");
    const QString link = QString::fromStdString(dir.file("vb"));
    struct Case {
        bool throughLink;
        Row row;
    };
    const Case cases[] = {
        {false, {"XDG_CONFIG_HOME unset", nullptr, {help}, "{home}.config/velbrook/Velbrook.ini"}},
        {false, {"XDG_CONFIG_HOME set", xdgDir.c_str(), {help}, "{xdg}velbrook/Velbrook.ini"}},
        {false, {"XDG_CONFIG_HOME empty", "", {help}, "{home}.config/velbrook/Velbrook.ini"}},
        {false, {"XDG_CONFIG_HOME relative", "rel", {help}, "{home}.config/velbrook/Velbrook.ini"}},
        {true, {"a link to the installed program", nullptr, {help}, "{home}.config/velbrook/Velbrook.ini"}},
        {false, {"--settings", xdgDir.c_str(), {QStringLiteral("--settings=b.ini"), help}, "{cwd}b.ini"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row.name);
        const Outcome r = c.throughLink ? installed(link, link, c.row.args, c.row.xdg)
                                        : installed(bin + "/velbrook", QString(), c.row.args, c.row.xdg);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(settingsLine(r.out), expand(c.row.settings, folders(vb::installedBinDir() + "/")));
        EXPECT_EQ(listing(home()), std::vector<std::string>{}) << "the per-user folder is made by View, not --help";
        EXPECT_FALSE(exists(xdgDir));
        ::unlink(link.toStdString().c_str());
    }
}

TEST_F(CommandLineTest, VersionAndWrongCommandLines) {
    struct Case {
        QStringList args;
        int status;
        const char *out; // whole standard output
        const char *err; // a part of standard error
    };
    const Case cases[] = {
        {{QStringLiteral("--version")}, 0, "Velbrook " VELBROOK_VERSION "\n", ""},
        {{QStringLiteral("-v")}, 0, "Velbrook " VELBROOK_VERSION "\n", ""},
        {{QStringLiteral("--settings")}, 2, "", "velbrook: Missing value after '--settings'."},
        {{QStringLiteral("--settings=")}, 2, "", "velbrook: --settings needs the name of a file."},
        {{QStringLiteral("--bogus")}, 2, "", "velbrook: Unknown option 'bogus'."},
        // A folder to open must be there before any window is.
        {{QStringLiteral("messages")}, 2, "", "velbrook: The folder 'messages' does not exist."},
        {{QStringLiteral("afile")}, 2, "", "velbrook: 'afile' is not a folder."},
        {{QStringLiteral("."), QStringLiteral("messages.txt")}, 2, "", "velbrook: Unexpected argument 'messages.txt'."},
        // A windowing option beside a wrong one is no excuse to start.
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--bogus")},
         2,
         "",
         "velbrook: Unknown option 'bogus'."},
    };
    vbtest::putFile(cwd() + "afile", "text");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome r = run(QStringLiteral(VELBROOK_EXE), c.args, cwd(), home(), nullptr);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        if (c.status != 0) {
            EXPECT_NE(r.err.find("Try 'velbrook --help'."), std::string::npos);
        }
    }
}

TEST_F(CommandLineTest, TheVersionIsTheOneInTheWindowTitles) {
    const Outcome r = run(QStringLiteral(VELBROOK_EXE), {QStringLiteral("--version")}, cwd(), home(), nullptr);
    ASSERT_EQ(r.status, 0);
    // "Velbrook 0.2" printed, "Velbrook v0.2" on every window.
    EXPECT_EQ("Velbrook v" + r.out.substr(9, r.out.size() - 10), std::string(vb::kAppTitle));
}
