#pragma once
// The threads of a Log Mode title list: which message answers which, taken
// from the links the title pass reads, without another look at any file.
//
// A message's parent is the listed message its back link names; when the
// back link names none, the listed message whose next links name it (when
// several do, the one standing last in the list); otherwise it is a root.
// A number names the first line carrying it, the line a followed link
// reaches. A link to the message itself is no link. Parents that run in a
// circle are cut at the lowest-numbered message of the circle, which becomes
// a root, so every line stands in the tree exactly once. Replies stand in
// number order, roots in the list's order.

#include "messages/current_message.h"
#include "platform/codepage.h"

#include <cstdint>
#include <vector>

namespace vb {

// The links of the messages of a title pass, compactly: one entry per
// message in the order they were read.
class ThreadLinks {
public:
    void clear();
    void reserve(size_t messages);
    // A message's number (-1 for a line without one), its back link and its
    // next links as the header holds them. A back link that is not a whole
    // number is no link; next links count up to the first piece that is not.
    void add(int number, const Bytes &backLink, const Bytes &nextLinks);
    // The same for a message read from its header, whose title line is
    // titleLine: a line without a number (its file named otherwise) is no
    // link's end.
    void addHeader(const CurrentMessage &header, const Bytes &titleLine);
    size_t size() const { return number_.size(); }
    // Adds a copy of entry i of other (a message kept from an earlier pass).
    void addFrom(const ThreadLinks &other, size_t i);

private:
    friend struct ThreadTree;
    std::vector<int32_t> number_, back_;
    std::vector<uint32_t> nextEnd_; // entry i's next links: next_[nextEnd_[i-1] .. nextEnd_[i])
    std::vector<int32_t> next_;
};

struct ThreadTree {
    // By title line: the parent line, or -1 for a root.
    std::vector<int32_t> parent;
    // The replies of line i: children[childStart[i] .. childStart[i + 1]).
    std::vector<int32_t> childStart, children;
    // The roots in list order.
    std::vector<int32_t> roots;

    // The tree of `lines` title lines made of the last `lines` entries of
    // links (earlier entries belong to lines a failed pass dropped). Line j
    // is the entry j of those, or the entry lines - 1 - j when lastFirst
    // (lines that were put before one another).
    static ThreadTree build(const ThreadLinks &links, size_t lines, bool lastFirst);
};

} // namespace vb
