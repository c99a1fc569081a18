#pragma once
// The text control's lines as a print reads them: as shown, found once the
// job starts, under its progress (the pieces of a long line take a while to
// lay out), then read one at a time.

#include "printing/page_printer.h"

#include <memory>

namespace vb {

class Memo;

std::shared_ptr<PrintLines> memoPrintLines(const Memo &memo);

} // namespace vb
