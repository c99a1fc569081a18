#pragma once
// The file work of a title list refresh, done on a thread of its own: the
// folder listed again, each kept file asked for its identity when the
// refresh is by hand, and the headers of new and changed files read into
// title lines. The run works only on the values it is handed and reports
// through RunReceiver::runNews; the browser applies the result on the GUI
// thread (browser_watch.cpp).

#include "browser/find/find_runs.h"
#include "messages/current_message.h"
#include "messages/file_list.h"
#include "messages/threads.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

namespace vb {

// The title line of the file fileName whose header is header, into line: in
// Log Mode the number, title and name when the name carries the number
// (else empty), otherwise the first text line or the file name.
void titleLineOf(bool logMode, bool textLine, const Bytes &fileName, const CurrentMessage &header, Bytes &line);

// When each listed file's header was read, by the system clock before the
// read: one time for all of them, until a refresh keeps the lines of some
// beside others read afresh.
struct ReadTimes {
    int64_t all = 0;
    std::vector<int64_t> each; // by file in name order; empty: every one at `all`
    int64_t operator[](size_t i) const { return each.empty() ? all : each[i]; }
    // File i of n was read at t.
    void set(size_t i, size_t n, int64_t t) {
        if (each.empty() && t == all)
            return;
        if (each.empty())
            each.assign(n, all);
        each[i] = t;
    }
};

// What a refresh is handed: copies or shared values that never change,
// never the browser's own members.
struct RefreshJob {
    Bytes directory; // absolute, as the file list holds it
    Bytes mask;
    bool byHand = false, logMode = false, textLine = false, descending = false, threads = false;
    int64_t started = 0; // the system clock at the request
    // The file on view when it changed since its load: read again.
    Bytes rereadName;
    // What the last pass kept, in name order (TF1::TitleCache, with the links
    // when threads): no listing when it does not fit the list, and every
    // header is read.
    std::shared_ptr<const FileList::Listing> old;
    ReadTimes oldRead;
    ThreadLinks oldLinks;
};

struct RefreshResult {
    // The folder could not be listed (listed false), or could not be opened
    // after it was listed: the failure to report.
    std::exception_ptr error;
    bool listed = false;
    // A header could not be read, or with nothing kept the folder could not
    // be opened: the browser reads every header itself, as when the folder
    // was opened, and reports as that pass does.
    bool readFailed = false;
    bool cancelled = false;
    FileList::Listing listing;
    // By file in name order: the old file whose line it keeps, or -1 - r
    // for the line read afresh into readLines[r].
    std::vector<int32_t> from;
    std::vector<Bytes> readLines;
    int64_t started = 0; // the job's
    ReadTimes read;      // when each header was read
    ThreadLinks links;
    ThreadTree tree; // with threads, of the lines in the order shown
};

// The refresh as the run does it; it stops early, cancelled, once cancel is
// set (checked between files).
RefreshResult refreshTitles(const RefreshJob &job, const std::atomic<bool> &cancel);

struct RefreshRun : RunLink {
    using RunLink::RunLink;
    RefreshResult result; // guarded by mutex, once told
};

// Starts a refresh on a thread of its own.
std::shared_ptr<RefreshRun> startRefreshRun(RunReceiver *receiver, quint64 id, RefreshJob job);

} // namespace vb
