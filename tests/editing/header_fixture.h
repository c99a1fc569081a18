#pragma once
// The whole program on real files: a settings file with one category over a
// temporary message directory, scripted dialogs, and the header editor opened
// from the browser's Edit menu as a user opens it.

#include "app/app.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "setup/setup_window.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/app_runs.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "tests/editing/header_probe.h"
#include "platform/epath.h"
#include "platform/files.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace vbtest {

class HeaderEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        dialogs = vb::installScriptedDialogs();
        ::mkdir(msgDir().c_str(), 0755);
    }
    void TearDown() override {
        vbtest::endApplication(app);
        vb::setWorkingDirectory("");
    }

    std::string msgDir() const { return dir.file("msgs/"); }
    std::string path(const std::string &name) const { return msgDir() + name; }
    void message(const std::string &name, const std::string &content) { putFile(path(name), content); }
    std::string content(const std::string &name) const { return getFile(path(name)); }
    bool exists(const std::string &name) const {
        struct stat st;
        return ::stat(path(name).c_str(), &st) == 0;
    }
    // The names in the message directory, sorted.
    std::vector<std::string> files() const {
        std::vector<vb::Bytes> names;
        vb::listFiles(vb::fsToBytes(msgDir()), names);
        std::sort(names.begin(), names.end());
        return names;
    }

    // Starts the program afresh on one category in the given mode and enters
    // the browser; the dialog record starts empty.
    void browse(const std::string &mode) {
        putFile(dir.file("Velbrook.ini"), "[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Logs\r\n"
                                          "Directory=" +
                                              msgDir() + "\r\nFile Name1=KVX\r\nFile Name2=TXT\r\nSearch Mode=" + mode +
                                              "\r\n");
        dialogs->log.clear();
        app = std::make_unique<vb::Application>(dir.file("Velbrook.ini"));
        app->start();
        app->F0->Btn_Title_View->click();
    }
    // The Edit menu's "Header Edit", as the user picks it.
    void openEditor() { vb::BrowserProbe(*app->F1).MM_Edit_Header->trigger(); }
    void click(QAbstractButton *b) { b->click(); }
    // A field's new content, as typed over the old.
    void type(QLineEdit *edit, const std::string &text) { edit->setText(QString::fromUtf8(text.c_str())); }
    void type(vb::SpinEdit *spin, int n) { spin->setNumber(n); }

    // The editor's controls.
    HeaderEditorProbe ed() const { return HeaderEditorProbe(*app->F3); }
    bool editorShown() const { return app->F3->isVisible() && !app->F1->isVisible(); }
    bool browserShown() const { return app->F1->isVisible() && !app->F3->isVisible(); }
    std::string text(const QLineEdit *e) const { return e->text().toStdString(); }
    std::vector<std::string> questions() const {
        std::vector<std::string> out;
        for (const auto &r : dialogs->log)
            if (r.kind == "question")
                out.push_back(r.text);
        return out;
    }
    std::string firstTitle() const {
        return vb::BrowserProbe(*app->F1).LB_Title->count() ? vb::BrowserProbe(*app->F1).LB_Title->line(0) : "<none>";
    }

    TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<vb::Application> app;
};

} // namespace vbtest
