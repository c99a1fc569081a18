#include "ui/widgets/guard.h"

#include "ui/core/errors.h"
#include "ui/widgets/dialogs.h"

#include <new>

namespace vb {
namespace {

void report(Bytes text) {
    if (text.empty() || text.back() != '.')
        text += '.';
    dialogs().error(text);
}

} // namespace

void guarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const RuntimeError &e) {
        report(e.text());
    } catch (const std::bad_alloc &) {
        report(cp(u8"メモリが不足しています"));
    } catch (const std::exception &e) {
        report(quoteForError(e.what()));
    }
}

} // namespace vb
