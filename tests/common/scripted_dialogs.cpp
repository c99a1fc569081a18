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

bool ScriptedDialogs::saveFileName(const SaveDialogRequest &request, Bytes *path) {
    log.push_back({"save", request.title});
    saveRequests.push_back(request);
    Bytes answer;
    if (!savePaths.empty()) {
        answer = savePaths.front();
        savePaths.pop_front();
    }
    if (answer.empty())
        return false;
    *path = answer;
    return true;
}

void ScriptedDialogs::printerSetup(QPrinter &printer) {
    log.push_back({"printerSetup", {}});
    if (onPrinterSetup)
        onPrinterSetup(printer);
}

void ScriptedDialogs::printPreview(QPrinter &printer, const PagePainter &paint) {
    log.push_back({"printPreview", {}});
    if (onPrintPreview)
        onPrintPreview(printer, paint);
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
