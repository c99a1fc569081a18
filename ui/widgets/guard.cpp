#include "ui/widgets/guard.h"

#include "platform/errors.h"
#include "ui/widgets/dialogs.h"

#include <new>

namespace vb {
namespace {

// The runtime's text ends in a full stop; the system's reason, when there
// is one, follows in brackets.
void report(Bytes text, const Bytes &reason = Bytes()) {
    if (text.empty() || text.back() != '.')
        text += '.';
    if (!reason.empty())
        text += " (" + reason + ")";
    dialogs().error(text);
}

} // namespace

void guarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const RuntimeError &e) {
        report(e.text(), e.reason());
    } catch (const std::bad_alloc &) {
        report(cp(u8"メモリが不足しています"));
    } catch (const std::exception &e) {
        report(quoteForError(e.what()));
    }
}

} // namespace vb
