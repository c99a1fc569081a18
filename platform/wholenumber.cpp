#include "platform/wholenumber.h"

#include <climits>

namespace vb {

bool tryWholeNumber(std::string_view text, int &out) {
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

} // namespace vb
