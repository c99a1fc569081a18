#pragma once
// Every modal question, notice and standard dialog goes through this one
// interface. The program installs the Qt implementation; tests install a
// scripted one that answers and records every question.

#include "ui/core/codepage.h"

#include <QFont>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace vb {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with OK, captioned with the application title.
    virtual void message(const Bytes &text) = 0;
    // A box with "OK" (default) and "キャンセル" (Escape); true on OK.
    virtual bool question(const Bytes &text) = 0;
    // The general error report.
    virtual void error(const Bytes &text) = 0;
};

Dialogs &dialogs();
// Installs an implementation; returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d);

class QtDialogs : public Dialogs {
public:
    void message(const Bytes &text) override;
    bool question(const Bytes &text) override;
    void error(const Bytes &text) override;
};

// Answers questions from a queue (OK when it runs dry) and records everything.
class ScriptedDialogs : public Dialogs {
public:
    struct Record {
        std::string kind; // "message", "question", "error"
        Bytes text;
    };
    std::deque<bool> answers;
    std::vector<Record> log;

    void message(const Bytes &text) override { log.push_back({"message", text}); }
    bool question(const Bytes &text) override;
    void error(const Bytes &text) override { log.push_back({"error", text}); }
    std::vector<Bytes> errors() const;
};

// Installs a fresh scripted implementation and returns it (for tests).
ScriptedDialogs *installScriptedDialogs();

} // namespace vb
