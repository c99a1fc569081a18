#pragma once
// Whole numbers as the runtime reads them from text.

#include <string_view>

namespace vb {

// Decimal digits, optionally preceded by blanks and one sign ("+" or "-"),
// with nothing after the digits; the value must fit in a 32-bit int.
// Returns false (and leaves out alone) for anything else, the empty text
// included.
bool tryWholeNumber(std::string_view text, int &out);

} // namespace vb
