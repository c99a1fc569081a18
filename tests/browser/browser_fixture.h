#pragma once
// A browser window on real files: a temporary directory that is the
// executable's directory, a settings file in it, message files, scripted
// dialogs and a host that records what the browser asks of the program.

#include "browser/browser_window.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "tests/browser/browser_probe.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/epath.h"
#include "platform/files.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vbtest {

inline void put(const std::string &path, const std::string &content) { putFile(path, content); }

// A message number in its five-digit form: 7 -> "00007".
inline std::string fiveDigits(int i) {
    char b[16];
    std::snprintf(b, sizeof b, "%05d", i);
    return b;
}
inline std::string get(const std::string &path) { return getFile(path); }

class RecordingHost : public vb::BrowserHost {
public:
    std::vector<std::string> calls;
    bool fastClose = false;
    void FormStyle_Set(int style) override { calls.push_back("FormStyle_Set(" + std::to_string(style) + ")"); }
    void FormStyle_Write() override { calls.push_back("FormStyle_Write"); }
    bool fastCloseTicked() const override { return fastClose; }
    void showTitleScreen() override { calls.push_back("showTitleScreen"); }
    void endProgram() override { calls.push_back("endProgram"); }
    void enterSetup() override { calls.push_back("enterSetup"); }
    void enterApplicationSetup() override { calls.push_back("enterApplicationSetup"); }
    void enterHeaderEditor(const vb::HeaderEditRequest &r) override {
        calls.push_back("enterHeaderEditor");
        headerRequest = r;
    }
    vb::HeaderEditRequest headerRequest;
};

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        dialogs = vb::installScriptedDialogs();
        settings = std::make_unique<vb::Settings>(vb::fsToBytes(dir.file("Velbrook.ini")));
        browser = std::make_unique<vb::TF1>(*settings);
        browser->setHost(&host);
        ::mkdir(msgDir().c_str(), 0755);
    }
    void TearDown() override {
        browser.reset();
        vb::installScriptedDialogs();
    }

    std::string msgDir() const { return dir.file("msgs/"); }
    void message(const std::string &name, const std::string &content) { put(msgDir() + name, content); }

    // A settings file with one enabled category over msgs/.
    void category(const std::string &mode, const std::string &sort = "Descending Order",
                  const std::string &extra = "") {
        put(dir.file("Velbrook.ini"), "[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Logs\r\n"
                                      "Directory=" +
                                          msgDir() +
                                          "\r\nFile Name1=KVX\r\nFile Name2=TXT\r\n"
                                          "Search Mode=" +
                                          mode + "\r\nSort Style=" + sort + "\r\n" + extra);
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (int i = 0; i < ui().LB_Title->count(); ++i)
            out.push_back(ui().LB_Title->line(i));
        return out;
    }
    std::string label(QLabel *l) const { return vb::caption(l); }
    // The browser's controls, found once for each browser window.
    const vb::BrowserProbe &ui() const {
        if (!probed_ || probed_ != browser.get()) {
            probe_ = std::make_unique<vb::BrowserProbe>(*browser);
            probed_ = browser.get();
        }
        return *probe_;
    }
    // Opens the category box and picks entry i with the keyboard, as a user does.
    void pickCategory(int i) {
        vb::ComboList *box = ui().CBox_Category;
        box->showPopup();
        box->view()->setCurrentIndex(box->view()->model()->index(i, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
    }
    std::vector<std::string> memo() const { return ui().Memo_log->logicalLines(); }
    // Every error shown so far, most recent last.
    std::vector<std::string> errors() const { return dialogs->errors(); }

    TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    RecordingHost host;
    std::unique_ptr<vb::Settings> settings;
    std::unique_ptr<vb::TF1> browser;

private:
    mutable std::unique_ptr<vb::BrowserProbe> probe_;
    mutable QPointer<vb::TF1> probed_; // null once that window is gone
};

} // namespace vbtest
