#include "messages/numbers.h"

#include "ui/core/errors.h"

#include <climits>

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

bool tryWholeNumber(const Bytes &text, int &out) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == n)
        return false;
    // The magnitude may reach 2^31 for a negative value.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > limit)
            return false;
    }
    out = static_cast<int>(negative ? -value : value);
    return true;
}

int wholeNumber(const Bytes &text) {
    int value = 0;
    if (!tryWholeNumber(text, value))
        failNotNumber(text);
    return value;
}

Bytes fiveDigit(long long n) { return padded(n, 5); }

Bytes twoDigit(long long n) { return padded(n, 2); }

} // namespace vb
