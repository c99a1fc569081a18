#pragma once
// Searching the messages of a directory for a text: the bodies and, in Log
// Mode, the header values (the key in front of a header line is not part of
// its value). Files are only read. Runs on any thread: it touches nothing
// but the files it is given and what it hands to its callbacks.

#include "messages/header_block.h"
#include "messages/matcher.h"

#include <atomic>
#include <functional>
#include <string_view>
#include <vector>

namespace vb {

// A line of a message holding hits: its index among the file's lines (split
// as the memo shows them), its text and the hits within it.
struct LineHit {
    size_t line = 0;
    Bytes text;
    std::vector<Hit> hits;
};

// The hits of one message, in line order.
struct MessageHits {
    Bytes name;   // file name in the directory searched
    Bytes number; // Log Mode: the number line in five-digit form; empty in Text Mode
    Bytes title;  // Log Mode: the title value; Text Mode: the first line
    std::vector<LineHit> lines;
    std::vector<size_t> tooComplex; // lines where the engine gave up part-way, as line indexes
    size_t hitCount() const;
};

// A line whose rest was not searched because the engine gave up on it.
struct GaveUp {
    Bytes name;      // the file; empty for the message on view
    size_t line = 0; // its line index
};

struct SearchSummary {
    size_t files = 0;    // files asked for
    size_t searched = 0; // files read and searched
    size_t messages = 0; // messages with hits
    size_t hits = 0;     // hits in all
    size_t vanished = 0; // files gone before they were read
    bool cancelled = false;
    std::vector<Bytes> unreadable;  // names of the files that could not be read
    std::vector<GaveUp> tooComplex; // the first lines the engine gave up on (at most kGaveUpKept)
    size_t tooComplexLines = 0;     // how many lines it gave up on in all
    // Notes one more line given up on.
    void addGaveUp(const Bytes &name, size_t line);
};
constexpr size_t kGaveUpKept = 100;

// The hits in one file's content; false when there are none (out.tooComplex
// may still name lines). A raised stop flag, looked at on every line, ends
// the look early.
bool searchContent(std::string_view content, bool logMode, const Matcher &matcher, MessageHits &out,
                   const std::atomic<bool> *stop = nullptr);

// Searches the named files of directory in the order given. The cancel flag
// is looked at between files, between the pieces of a file read and on every
// line searched, so that a cancelled search ends within milliseconds; found
// gets each message with hits as it is searched, and progress the count of
// files done so far.
SearchSummary searchMessages(const Bytes &directory, const std::vector<Bytes> &names, bool logMode,
                             const Matcher &matcher, const std::atomic<bool> &cancel,
                             const std::function<void(MessageHits &&)> &found,
                             const std::function<void(size_t done)> &progress = nullptr);

// The summary in a line: "12 hits in 5 messages", followed by
// "; 3 files could not be read: a, b, c",
// "; pattern too complex at a line 7; the rest of that line was not searched"
// and " (cancelled)" when they apply.
Bytes summaryText(const SearchSummary &s);
// The part about the lines given up on, "" when there are none. A line of the
// message on view (no file name) reads "at line 7".
Bytes gaveUpText(const SearchSummary &s);

} // namespace vb
