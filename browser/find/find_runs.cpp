#include "browser/find/find_runs.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <thread>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vb {
namespace {

using Clock = std::chrono::steady_clock;

// The niceness of a run's thread.
constexpr int kRunNice = 5;

// How often a run tells of its progress at most.
constexpr auto kProgressEvery = std::chrono::milliseconds(30);

// The threads of runs still going: they are let go of, never joined, and
// counted so that the end of the program can let them finish first.
struct Threads {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
};
Threads &threads() {
    static Threads *t = new Threads; // outlives every thread that may still use it
    return *t;
}

// The UTF-16 length of code-page bytes.
int unicodeLength(std::string_view bytes) {
    QString s;
    appendUnicode(s, bytes);
    return int(s.size());
}

void lookAtMessage(MessageRun &run, const Matcher &matcher, const QString &text, bool withLines, MessageNews &n) {
    const QStringView all(text);
    qsizetype start = 0;
    for (size_t index = 0;; ++index) {
        if (run.cancel.load(std::memory_order_relaxed)) {
            n.summary.cancelled = true;
            return;
        }
        const qsizetype end = all.indexOf(QChar::ParagraphSeparator, start);
        Bytes line = fromUnicode(all.mid(start, (end < 0 ? all.size() : end) - start));
        bool gaveUp = false;
        std::vector<Hit> hits = matcher.findAll(line, &gaveUp, 0, &run.cancel);
        if (gaveUp)
            n.summary.addGaveUp(Bytes(), index);
        if (!hits.empty()) {
            int column = 0;
            size_t at = 0;
            for (const Hit &h : hits) {
                column += unicodeLength(std::string_view(line).substr(at, h.begin - at));
                const int begin = column;
                column += unicodeLength(std::string_view(line).substr(h.begin, h.end - h.begin));
                at = h.end;
                if (n.marks.size() < kMarksKept)
                    n.marks.push_back({int(start) + begin, int(start) + column});
                else
                    n.marksCut = true;
            }
            n.summary.hits += hits.size();
            if (withLines)
                n.hits.lines.push_back({index, std::move(line), std::move(hits)});
        }
        if (end < 0)
            return;
        start = end + 1;
    }
}

} // namespace

void startRunThread(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> lock(threads().mutex);
        ++threads().running;
    }
    std::thread([work = std::move(work)] {
#ifdef __linux__
        // Below the GUI thread: on a busy machine the window is served first.
        setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), kRunNice);
#endif
        work();
        std::lock_guard<std::mutex> lock(threads().mutex);
        --threads().running;
        threads().ended.notify_all();
    }).detach();
}

void RunLink::detach() {
    cancel = true;
    std::lock_guard<std::mutex> lock(mutex);
    receiver_ = nullptr;
}

void RunLink::tellLocked() {
    if (told_ || !receiver_)
        return;
    told_ = true;
    emit receiver_->runNews(id_);
}

std::shared_ptr<CategoryRun> startCategoryRun(RunReceiver *receiver, quint64 id, Bytes directory,
                                              std::vector<Bytes> names, bool logMode, Matcher matcher) {
    auto run = std::make_shared<CategoryRun>(receiver, id);
    startRunThread(
        [run, directory = std::move(directory), names = std::move(names), logMode, matcher = std::move(matcher)] {
            SearchSummary s;
            Clock::time_point told = Clock::now();
            try {
                s = searchMessages(
                    directory, names, logMode, matcher, run->cancel,
                    [&run](MessageHits &&m) {
                        std::lock_guard<std::mutex> lock(run->mutex);
                        run->news.found.push_back(std::move(m));
                    },
                    [&run, &told](size_t done) {
                        const Clock::time_point now = Clock::now();
                        std::lock_guard<std::mutex> lock(run->mutex);
                        run->news.done = done;
                        if (now - told >= kProgressEvery) {
                            told = now;
                            run->tellLocked();
                        }
                    });
            } catch (const std::exception &) {
                // Out of memory on the way: the search ends with what it found.
                s.files = names.size();
                s.cancelled = true;
            }
            std::lock_guard<std::mutex> lock(run->mutex);
            run->news.summary = std::move(s);
            run->news.finished = true;
            run->tellLocked();
        });
    return run;
}

std::shared_ptr<MessageRun> startMessageRun(RunReceiver *receiver, quint64 id, QString text, Bytes name,
                                            Matcher matcher, bool withLines) {
    auto run = std::make_shared<MessageRun>(receiver, id);
    startRunThread([run, text = std::move(text), name = std::move(name), matcher = std::move(matcher), withLines] {
        MessageNews n;
        n.hits.name = name;
        try {
            lookAtMessage(*run, matcher, text, withLines, n);
        } catch (const std::exception &) {
            n.summary.cancelled = true; // out of memory: what was found stands
        }
        n.finished = true;
        std::lock_guard<std::mutex> lock(run->mutex);
        run->news = std::move(n);
        run->tellLocked();
    });
    return run;
}

void waitForRunThreads() {
    std::unique_lock<std::mutex> lock(threads().mutex);
    threads().ended.wait_for(lock, std::chrono::seconds(1), [] { return threads().running == 0; });
}

namespace {
// At the end of the program the runs, all cancelled by then, finish before
// what they use is torn down.
struct WaitAtExit {
    ~WaitAtExit() { waitForRunThreads(); }
} waitAtExit;
} // namespace

} // namespace vb
