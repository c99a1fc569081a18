#pragma once
// The two kinds of work the Find box hands to threads of their own: the
// search of a category's files, and the look at the message on view that
// yields its marks (and, for "This message only", its results). A run
// reports through a queued signal of the object that started it; it is never
// waited for on the GUI thread. A run let go of (cancelled and detached)
// ends by itself within milliseconds and its news are dropped.

#include "messages/search.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace vb {

// What a run found since it last told, taken by the GUI thread in one go.
struct CategoryNews {
    std::vector<MessageHits> found;
    size_t done = 0; // files done so far
    bool finished = false;
    SearchSummary summary; // once finished
};

// A mark in the message on view: [begin, end) as positions of its document.
using Mark = std::pair<int, int>;

struct MessageNews {
    MessageHits hits; // the memo lines with hits (line = memo line index)
    std::vector<Mark> marks;
    bool marksCut = false; // more hits than kMarksKept: the first ones are marked
    SearchSummary summary; // hits, lines given up on, cancelled
    bool finished = false;
};

// The most hits of the message on view kept for marking.
constexpr size_t kMarksKept = 1000000;

// An object runs report to: runNews is emitted on the run's thread and
// reaches the object's own thread queued.
class RunReceiver : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    void runNews(quint64 id);
};

// The side of a run both threads hold. The receiver is told through its
// runNews signal (queued to its own thread) while it is attached; detach()
// on the GUI thread ends every later telling.
class RunLink {
public:
    RunLink(RunReceiver *receiver, quint64 id) : receiver_(receiver), id_(id) {}
    std::atomic<bool> cancel{false};
    quint64 id() const { return id_; }
    // GUI thread: the receiver is going or no longer wants this run.
    void detach();
    // Either thread, under the lock.
    std::mutex mutex;
    // Worker thread, holding mutex: tells the receiver unless it has yet to
    // take the last news.
    void tellLocked();
    // GUI thread, holding mutex: the news are being taken.
    void heardLocked() { told_ = false; }

private:
    RunReceiver *receiver_; // guarded by mutex
    const quint64 id_;
    bool told_ = false;
};

struct CategoryRun : RunLink {
    using RunLink::RunLink;
    CategoryNews news; // guarded by mutex
};

struct MessageRun : RunLink {
    using RunLink::RunLink;
    MessageNews news; // guarded by mutex
};

// Starts a search of names in directory on a thread of its own.
std::shared_ptr<CategoryRun> startCategoryRun(RunReceiver *receiver, quint64 id, Bytes directory,
                                              std::vector<Bytes> names, bool logMode, Matcher matcher);

// Starts the look at a message's text (a document's raw text: lines end in
// U+2029) on a thread of its own; hits.name is set to name, and hits.lines
// are kept only when withLines is set.
std::shared_ptr<MessageRun> startMessageRun(RunReceiver *receiver, quint64 id, QString text, Bytes name,
                                            Matcher matcher, bool withLines);

// Runs work on a thread of its own, below the GUI thread's priority, let go
// of and counted among the runs' threads.
void startRunThread(std::function<void()> work);

// Waits, at most a second, for the threads of runs (the Find box's and the
// title list's refresh) to end: for the end of the program, after every run
// was cancelled.
void waitForRunThreads();

} // namespace vb
