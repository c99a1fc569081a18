#pragma once
// Reading a loaded message file as the lines of its text.

#include "messages/lines.h"

namespace vb {

// The lines of a whole file: split at CR LF, CR or LF; a line break at the
// very end makes no empty line after it. All other bytes are kept as they are.
Lines splitLines(const Bytes &content);

} // namespace vb
