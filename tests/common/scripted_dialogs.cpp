#include "tests/common/scripted_dialogs.h"

#include <memory>

namespace vb {

bool ScriptedDialogs::question(const Bytes &text) {
    log.push_back({"question", text});
    if (answers.empty())
        return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

int ScriptedDialogs::choose(const Bytes &text, const std::vector<Bytes> &, int, int escapeIndex) {
    log.push_back({"choice", text});
    if (choices.empty())
        return escapeIndex;
    const int a = choices.front();
    choices.pop_front();
    return a;
}

bool ScriptedDialogs::askText(const Bytes &prompt, Bytes &text) {
    log.push_back({"text", prompt});
    if (texts.empty())
        return false;
    text = texts.front();
    texts.pop_front();
    return true;
}

bool ScriptedDialogs::saveFileName(const SaveRequest &request, Bytes &chosen) {
    log.push_back({"save", request.title});
    saveRequests.push_back(request);
    if (saveAnswers.empty())
        return false;
    chosen = saveAnswers.front();
    saveAnswers.pop_front();
    return !chosen.empty();
}

std::vector<Bytes> ScriptedDialogs::questions() const {
    std::vector<Bytes> out;
    for (const Record &r : log)
        if (r.kind == "question")
            out.push_back(r.text);
    return out;
}

bool ScriptedDialogs::chooseFont(Bytes &face, int &size, bool fixedPitchOnly) {
    log.push_back({"font", face + "/" + std::to_string(size) + (fixedPitchOnly ? " fixed" : "")});
    if (fonts.empty())
        return false;
    const FontAnswer a = fonts.front();
    fonts.pop_front();
    if (a.ok) {
        face = a.face;
        size = a.size;
    }
    return a.ok;
}

void ScriptedDialogs::printerSetup(QPrinter &printer) {
    log.push_back({"printerSetup", {}});
    if (onPrinterSetup)
        onPrinterSetup(printer);
}

void ScriptedDialogs::printPreview(QDialog &preview) {
    log.push_back({"printPreview", {}});
    if (onPrintPreview)
        onPrintPreview(preview);
}

std::unique_ptr<Progress> ScriptedDialogs::progress(const Bytes &label) {
    progressLabels.push_back(label);
    class Scripted : public Progress {
    public:
        explicit Scripted(ScriptedDialogs &d) : d_(d) {}
        bool advance(size_t done, size_t total) override {
            ++d_.progressSteps;
            d_.progressSeen.emplace_back(done, total);
            return d_.cancelAtStep == 0 || d_.progressSteps < d_.cancelAtStep;
        }

    private:
        ScriptedDialogs &d_;
    };
    return std::make_unique<Scripted>(*this);
}

std::vector<Bytes> ScriptedDialogs::errors() const {
    std::vector<Bytes> out;
    for (const Record &r : log)
        if (r.kind == "error")
            out.push_back(r.text);
    return out;
}

ScriptedDialogs *installScriptedDialogs() {
    auto scripted = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs *raw = scripted.get();
    setDialogs(std::move(scripted));
    return raw;
}

} // namespace vb
