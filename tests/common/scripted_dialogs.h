#pragma once
// The tests' dialogs: answers questions from a queue (OK when it runs dry)
// and records every box the program showed.

#include "ui/widgets/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace vb {

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

// Installs a fresh scripted implementation and returns it.
ScriptedDialogs *installScriptedDialogs();

} // namespace vb
