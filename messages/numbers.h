#pragma once
// Whole numbers as the runtime converts them, and the fixed-width decimal
// forms in which message numbers are written.

#include "platform/codepage.h"
#include "platform/wholenumber.h"

namespace vb {

// As tryWholeNumber, but a text that is not a whole number raises the
// runtime's conversion failure ("'%s' は数値ではありません").
int wholeNumber(const Bytes &text);

// At least five digits, zero-padded: 0 -> "00000", 12 -> "00012",
// -12 -> "-00012", 123456 -> "123456".
Bytes fiveDigit(long long n);

// At least two digits, zero-padded: 1 -> "01", 10 -> "10".
Bytes twoDigit(long long n);

} // namespace vb
