#include "ui/widgets/title_lines.h"

#include "ui/core/wholenumber.h"

#include <algorithm>

namespace vb {
namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr size_t kKeyLength = 5;
// Five bytes read as a whole number lie in -9999..99999.
constexpr int kLowestReading = -9999;
constexpr int kHighestNumber = 99999;

bool fiveDigits(std::string_view key) {
    return key.size() == kKeyLength && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void TitleLines::append(std::string_view line) {
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < line.size()) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(kBlockSize, line.size()));
    }
    std::string &block = blocks_.back();
    const int32_t index = int32_t(refs_.size());
    refs_.push_back({uint32_t(blocks_.size() - 1), uint32_t(block.size())});
    block.append(line);

    if (firstReading_.empty())
        firstReading_.assign(kHighestNumber - kLowestReading + 1, -1);
    const std::string_view key = line.substr(0, kKeyLength);
    int value = 0;
    if (!tryWholeNumber(key, value)) {
        if (firstUnreadable_ < 0)
            firstUnreadable_ = index;
        return;
    }
    int32_t &first = firstReading_[size_t(value - kLowestReading)];
    if (first < 0)
        first = index;
    if (fiveDigits(key) && first != index) {
        if (lastApart_.empty())
            lastApart_.assign(kHighestNumber + 1, -1);
        lastApart_[size_t(value)] = index;
    }
}

void TitleLines::clear() {
    blocks_.clear();
    refs_.clear();
    firstReading_.clear();
    lastApart_.clear();
    blocks_.shrink_to_fit();
    refs_.shrink_to_fit();
    firstReading_.shrink_to_fit();
    lastApart_.shrink_to_fit();
    firstUnreadable_ = -1;
}

int TitleLines::lastLineOf(int number) const {
    if (firstReading_.empty() || number < 0 || number > kHighestNumber)
        return -1;
    if (!lastApart_.empty() && lastApart_[size_t(number)] >= 0)
        return lastApart_[size_t(number)];
    // Otherwise the first line reading the number is also the last to carry
    // it, if it carries it in five digits.
    const int first = firstReading_[size_t(number - kLowestReading)];
    return first >= 0 && fiveDigits((*this)[size_t(first)].substr(0, kKeyLength)) ? first : -1;
}

int TitleLines::firstLineReading(int number) const {
    if (firstReading_.empty() || number < kLowestReading || number > kHighestNumber)
        return -1;
    return firstReading_[size_t(number - kLowestReading)];
}

} // namespace vb
