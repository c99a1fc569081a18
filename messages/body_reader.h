#pragma once
// Reading a loaded message file as the lines of its text.

#include "messages/lines.h"

#include <string_view>

namespace vb {

// The lines of a whole file: split at CR LF, CR or LF; a line break at the
// very end makes no empty line after it. All other bytes are kept as they are.
Lines splitLines(const Bytes &content);
// The same lines as views into content.
std::vector<std::string_view> splitLineViews(const Bytes &content);

} // namespace vb
