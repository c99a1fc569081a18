#pragma once
// The setup window on a real settings file in a temporary directory that is
// the executable's directory, with scripted dialogs; helpers to write
// category sections, read the file back, and use the window's controls as a
// user does.

#include "platform/epath.h"
#include "platform/files.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "setup/setup_window.h"
#include "tests/common/controls.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace vbtest {

using Keys = std::vector<std::pair<std::string, std::string>>;

inline std::string sectionName(int i) {
    char name[64];
    std::snprintf(name, sizeof name, "[Velbrook v0.2 - Category - %03d]\r\n", i);
    return name;
}

// An enabled category section with the given keys after "Enabled".
inline std::string section(int i, const Keys &keys) {
    std::string s = sectionName(i) + "Enabled=Enable\r\n";
    for (const auto &[key, value] : keys)
        s += key + "=" + value + "\r\n";
    return s;
}

// The text of section i of a settings file, header included; "" when absent.
inline std::string sectionIn(const std::string &ini, int i) {
    const size_t start = ini.find(sectionName(i));
    if (start == std::string::npos)
        return "";
    const size_t end = ini.find("\r\n[", start + 1);
    return ini.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

// The value of key in section i; "<missing>" when it has none.
inline std::string valueIn(const std::string &ini, int i, const std::string &key) {
    const std::string s = sectionIn(ini, i);
    const size_t p = s.find("\r\n" + key + "=");
    if (p == std::string::npos)
        return "<missing>";
    const size_t start = p + key.size() + 3;
    return s.substr(start, s.find("\r\n", start) - start);
}

// The number of category sections in the file.
inline int sectionCount(const std::string &ini) {
    int n = 0;
    for (size_t p = 0; (p = ini.find("[Velbrook v0.2 - Category - ", p)) != std::string::npos; ++p)
        ++n;
    return n;
}

// Replaces the field's text by typing, key by key.
inline void type(QLineEdit *field, const char *utf8) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar ch : QString::fromUtf8(utf8))
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setEPath(vb::fsToBytes(dir.path()));
        dialogs = vb::installScriptedDialogs();
        ::mkdir(dir.file("msgs").c_str(), 0755);
        settings = std::make_unique<vb::Settings>(vb::fsToBytes(ini()));
        window = std::make_unique<vb::TF2>(*settings, browserCategory);
    }
    void TearDown() override {
        ::chmod(ini().c_str(), 0644);
        window.reset();
        vb::installScriptedDialogs();
    }

    std::string ini() const { return dir.file("Velbrook.ini"); }
    std::string file() const { return getFile(ini()); }
    // Writes the settings file and opens the window on it.
    void open(const std::string &content) {
        putFile(ini(), content);
        window->show();
        window->Setup_Read();
    }
    // Categories titled by the given names, in sections 000 onwards.
    void openTitled(const std::vector<std::string> &titles) {
        std::string content;
        for (size_t i = 0; i < titles.size(); ++i)
            content += section(int(i), {{"Title", titles[i]}, {"Directory", dir.file("msgs/")}});
        open(content);
    }

    // Picks the entry at a position of the list with the keyboard.
    void pick(int position) {
        vb::ComboList *list = control<vb::ComboList>("CB_Setup");
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(list->selectedIndex(), position);
    }
    std::vector<std::string> listed() const {
        std::vector<std::string> out;
        for (int i = 0; i < control<vb::ComboList>("CB_Setup")->count(); ++i)
            out.push_back(control<vb::ComboList>("CB_Setup")->line(i));
        return out;
    }
    std::vector<vb::Bytes> errors() const { return dialogs->errors(); }
    // A control of the window by its object name.
    template <class T>
    T *control(const char *name) const {
        return vbtest::control<T>(*window, QString::fromLatin1(name));
    }

    TempDir dir;
    vb::ScriptedDialogs *dialogs = nullptr;
    vb::CategoryRecord browserCategory;
    std::unique_ptr<vb::Settings> settings;
    std::unique_ptr<vb::TF2> window;
};

} // namespace vbtest
