#pragma once
// A search of a category's messages on a thread of its own. The window polls
// it for the messages found so far; destroying it cancels the search and
// waits for the thread to end.

#include "messages/search.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace vb {

class SearchRun {
public:
    SearchRun(Bytes directory, std::vector<Bytes> names, bool logMode, Matcher matcher);
    ~SearchRun();
    SearchRun(const SearchRun &) = delete;
    SearchRun &operator=(const SearchRun &) = delete;

    void cancel() { cancel_ = true; }
    size_t fileCount() const { return names_.size(); }

    // What happened since the last poll: the messages found, the files done
    // so far and, once the search has ended, its summary.
    struct Poll {
        std::vector<MessageHits> found;
        size_t done = 0;
        bool finished = false;
        SearchSummary summary;
    };
    Poll poll();

private:
    const Bytes directory_;
    const std::vector<Bytes> names_;
    const bool logMode_;
    const Matcher matcher_;
    std::atomic<bool> cancel_{false};
    std::atomic<size_t> done_{0};
    std::mutex mutex_; // guards found_, finished_ and summary_
    std::vector<MessageHits> found_;
    bool finished_ = false;
    SearchSummary summary_;
    std::thread thread_;
};

} // namespace vb
