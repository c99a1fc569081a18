#pragma once
// The tests' dialogs: answers questions from a queue (OK when it runs dry)
// and records every box the program showed.

#include "ui/widgets/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vb {

class ScriptedDialogs : public Dialogs {
public:
    struct Record {
        std::string kind; // "message", "question", "error", "text", "font", "save", "printerSetup", "printPreview"
        Bytes text;       // for "font": the face, "/", the size and " fixed" when only fixed pitch was offered
    };
    // A font dialog's answer: OK with a face and a size, or cancel.
    struct FontAnswer {
        bool ok;
        Bytes face;
        int size;
    };
    std::deque<bool> answers;
    // Boxes of several buttons: each answer is the index pressed; Escape's
    // button when the queue runs dry. The texts shown are logged as "choice".
    std::deque<int> choices;
    // Text boxes: each answer is the text typed and OK; Cancel when the queue runs dry.
    std::deque<Bytes> texts;
    std::deque<FontAnswer> fonts; // cancel when it runs dry
    std::vector<Record> log;
    // Save dialogs: each answer is a chosen path, or empty for Cancel
    // (Cancel when the queue runs dry). Every request is kept.
    std::deque<Bytes> saveAnswers;
    std::vector<SaveRequest> saveRequests;
    // What the printer-setup dialog and the preview do (nothing when unset).
    std::function<void(QPrinter &)> onPrinterSetup;
    std::function<void(QDialog &)> onPrintPreview;
    // Progress boxes, kept apart from the log: the label of each, and the
    // steps taken over all of them. The user cancels at step cancelAtStep
    // (counted from 1), never when it is 0.
    std::vector<Bytes> progressLabels;
    int cancelAtStep = 0;
    int progressSteps = 0;
    std::vector<std::pair<size_t, size_t>> progressSeen; // each step's done and total

    void message(const Bytes &text) override { log.push_back({"message", text}); }
    bool question(const Bytes &text) override;
    void error(const Bytes &text) override { log.push_back({"error", text}); }
    int choose(const Bytes &text, const std::vector<Bytes> &captions, int defaultIndex, int escapeIndex) override;
    bool askText(const Bytes &prompt, Bytes &text) override;
    bool saveFileName(const SaveRequest &request, Bytes &chosen) override;
    bool chooseFont(Bytes &face, int &size, bool fixedPitchOnly) override;
    void printerSetup(QPrinter &printer) override;
    void printPreview(QDialog &preview) override;
    std::unique_ptr<Progress> progress(const Bytes &label) override;
    std::vector<Bytes> errors() const;
    // The texts of the questions asked, in order.
    std::vector<Bytes> questions() const;
};

// Installs a fresh scripted implementation and returns it.
ScriptedDialogs *installScriptedDialogs();

} // namespace vb
