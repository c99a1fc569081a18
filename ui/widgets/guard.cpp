#include "ui/widgets/guard.h"

#include "ui/core/errors.h"
#include "ui/widgets/dialogs.h"

namespace vb {

void guarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const RuntimeError &e) {
        Bytes text = e.text();
        if (text.empty() || text.back() != '.')
            text += '.';
        dialogs().error(text);
    }
}

} // namespace vb
