#pragma once
// The lines of the title list, held compactly (in large shared blocks rather
// than one string each), with an index from the message number a line starts
// with to the lines that carry it. Appending keeps the index true, so it is
// always in step with the lines, however the list was built.
//
// A line is found in constant time by its number; lookups by other criteria
// (a filter, a search) walk the lines with size() and operator[].

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

class TitleLines {
public:
    size_t size() const { return refs_.size(); }
    bool empty() const { return refs_.empty(); }
    // Line i (0 <= i < size()); the view stays valid until clear().
    std::string_view operator[](size_t i) const {
        // The lines lie in the blocks in the order they came: a line ends
        // where the next to come starts, or at the end of its block.
        const size_t p = prepended_ ? refs_.size() - 1 - i : i;
        const uint32_t r = refs_[p];
        const std::string &block = blocks_[blockOf(r)];
        const size_t end =
            p + 1 < refs_.size() && blockOf(refs_[p + 1]) == blockOf(r) ? offsetOf(refs_[p + 1]) : block.size();
        return std::string_view(block.data() + offsetOf(r), end - offsetOf(r));
    }

    // Room for this many lines in all, so that the list does not grow in steps.
    void reserve(size_t lines) { refs_.reserve(lines); }
    void append(std::string_view line);
    // Lines may come last first instead: prepend puts a line before all the
    // others. A list takes lines one way only until it is cleared (the other
    // way throws std::logic_error), and the number index follows prepended
    // lines once settle is called.
    void prepend(std::string_view line);
    void settle();
    void clear();

    // The last line whose first five bytes are the number in five-digit
    // form; -1 when no line is, always so for numbers outside 0..99999.
    int lastLineOf(int number) const;
    // The first line whose first five bytes (the whole line when it is
    // shorter) read as the whole number `number` by the runtime's rule
    // (tryWholeNumber); -1 when no line does.
    int firstLineReading(int number) const;
    // The first line whose first five bytes do not read as a whole number
    // (an empty line among them); -1 when every line's do.
    int firstUnreadable() const { return firstUnreadable_; }
    // The number line i starts with: its first five bytes read as a whole
    // number; -1 when they do not.
    int numberOf(size_t i) const;

private:
    // Where a line starts: its block in the high half, the offset in the
    // block in the low half. A line starts within the first 64 KB of its
    // block; one longer than a block has a block of its own.
    static constexpr int kOffsetBits = 16;
    static size_t blockOf(uint32_t ref) { return ref >> kOffsetBits; }
    static size_t offsetOf(uint32_t ref) { return ref & ((uint32_t(1) << kOffsetBits) - 1); }
    void store(std::string_view line);
    void index(int32_t i, std::string_view line);
    std::vector<std::string> blocks_; // each filled within its first capacity
    std::vector<uint32_t> refs_;
    std::vector<int32_t> firstReading_; // by value -9999..99999
    // By number 0..99999, made only once a number is carried by a line after
    // the first that reads as it: the last five-digit line with the number
    // where that is not the first line reading it, else -1.
    std::vector<int32_t> lastApart_;
    int firstUnreadable_ = -1;
    bool prepended_ = false; // lines came last first: line i is refs_[size - 1 - i]
    bool unsettled_ = false; // prepended lines not in the index yet
};

} // namespace vb
