#pragma once
// The tests' dialogs: answers questions from a queue (OK when it runs dry)
// and records every box the program showed.

#include "ui/widgets/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vb {

class ScriptedDialogs : public Dialogs {
public:
    struct Record {
        std::string kind; // "message", "question", "error", "save", "printerSetup", "printPreview"
        Bytes text;
    };
    std::deque<bool> answers;
    std::vector<Record> log;
    // Answers to the save dialog, a path or "" for Cancel (Cancel when it runs dry).
    std::deque<Bytes> savePaths;
    std::vector<SaveDialogRequest> saveRequests;
    // What the printer-setup dialog and the preview do (nothing when unset).
    std::function<void(QPrinter &)> onPrinterSetup;
    std::function<void(QPrinter &, const PagePainter &)> onPrintPreview;

    void message(const Bytes &text) override { log.push_back({"message", text}); }
    bool question(const Bytes &text) override;
    void error(const Bytes &text) override { log.push_back({"error", text}); }
    bool saveFileName(const SaveDialogRequest &request, Bytes *path) override;
    void printerSetup(QPrinter &printer) override;
    void printPreview(QPrinter &printer, const PagePainter &paint) override;
    std::vector<Bytes> errors() const;
};

// Installs a fresh scripted implementation and returns it.
ScriptedDialogs *installScriptedDialogs();

} // namespace vb
