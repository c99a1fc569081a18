#include "browser/search_run.h"

namespace vb {

SearchRun::SearchRun(Bytes directory, std::vector<Bytes> names, bool logMode, Matcher matcher)
    : directory_(std::move(directory)), names_(std::move(names)), logMode_(logMode), matcher_(std::move(matcher)) {
    thread_ = std::thread([this] {
        SearchSummary s;
        try {
            s = searchMessages(
                directory_, names_, logMode_, matcher_, cancel_,
                [this](MessageHits &&m) {
                    std::lock_guard<std::mutex> lock(mutex_);
                    found_.push_back(std::move(m));
                },
                [this](size_t done) { done_.store(done, std::memory_order_relaxed); });
        } catch (const std::exception &) {
            // Out of memory on the way: the search ends with what it found.
            s.files = names_.size();
            s.cancelled = true;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        summary_ = std::move(s);
        finished_ = true;
    });
}

SearchRun::~SearchRun() {
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
}

SearchRun::Poll SearchRun::poll() {
    Poll p;
    p.done = done_.load(std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(mutex_);
    p.found.swap(found_);
    p.finished = finished_;
    if (finished_)
        p.summary = summary_;
    return p;
}

} // namespace vb
