#include "messages/numbers.h"

#include "platform/errors.h"

namespace vb {
namespace {

Bytes padded(long long n, size_t width) {
    const bool negative = n < 0;
    // Work on the magnitude as unsigned so that the smallest value survives.
    unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    char digits[24];
    size_t len = 0;
    do {
        digits[len++] = char('0' + m % 10);
        m /= 10;
    } while (m != 0);
    while (len < width)
        digits[len++] = '0';
    Bytes out;
    out.reserve(len + 1);
    if (negative)
        out.push_back('-');
    while (len > 0)
        out.push_back(digits[--len]);
    return out;
}

} // namespace

int wholeNumber(const Bytes &text) {
    int value = 0;
    if (!tryWholeNumber(text, value))
        failNotNumber(text);
    return value;
}

Bytes fiveDigit(long long n) { return padded(n, 5); }

Bytes twoDigit(long long n) { return padded(n, 2); }

} // namespace vb
