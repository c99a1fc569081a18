#include "ui/widgets/title_lines.h"

#include "platform/wholenumber.h"

#include <algorithm>
#include <stdexcept>

namespace vb {
namespace {

constexpr size_t kBlockSize = size_t(64) * 1024; // what an offset in a ref spans
constexpr size_t kKeyLength = 5;
// Five bytes read as a whole number lie in -9999..99999.
constexpr int kLowestReading = -9999;
constexpr int kHighestNumber = 99999;

bool fiveDigits(std::string_view key) {
    return key.size() == kKeyLength && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void TitleLines::store(std::string_view line) {
    static_assert(kBlockSize == size_t(1) << kOffsetBits);
    if (blocks_.empty() || blocks_.back().size() >= kBlockSize ||
        blocks_.back().capacity() - blocks_.back().size() < line.size()) {
        if (blocks_.size() >> (32 - kOffsetBits))
            throw std::length_error("title lines past what their refs reach");
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(kBlockSize, line.size()));
    }
    std::string &block = blocks_.back();
    refs_.push_back(uint32_t(((blocks_.size() - 1) << kOffsetBits) | block.size()));
    block.append(line);
}

void TitleLines::append(std::string_view line) {
    if (prepended_)
        throw std::logic_error("a line appended to lines that came last first");
    store(line);
    index(int32_t(refs_.size() - 1), line);
}

void TitleLines::prepend(std::string_view line) {
    if (!prepended_ && !refs_.empty())
        throw std::logic_error("a line prepended to lines that came in order");
    prepended_ = unsettled_ = true;
    store(line);
}

void TitleLines::settle() {
    if (!unsettled_)
        return;
    unsettled_ = false;
    firstReading_.clear();
    lastApart_.clear();
    firstUnreadable_ = -1;
    for (size_t i = 0; i < refs_.size(); ++i)
        index(int32_t(i), (*this)[i]);
}

int TitleLines::numberOf(size_t i) const {
    int value = 0;
    return tryWholeNumber((*this)[i].substr(0, kKeyLength), value) ? value : -1;
}

// Line i, the last in the list so far, joins the number index.
void TitleLines::index(int32_t i, std::string_view line) {
    if (firstReading_.empty())
        firstReading_.assign(kHighestNumber - kLowestReading + 1, -1);
    const std::string_view key = line.substr(0, kKeyLength);
    int value = 0;
    if (!tryWholeNumber(key, value)) {
        if (firstUnreadable_ < 0)
            firstUnreadable_ = i;
        return;
    }
    int32_t &first = firstReading_[size_t(value - kLowestReading)];
    if (first < 0)
        first = i;
    if (fiveDigits(key) && first != i) {
        if (lastApart_.empty())
            lastApart_.assign(kHighestNumber + 1, -1);
        lastApart_[size_t(value)] = i;
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
    prepended_ = unsettled_ = false;
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
