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
