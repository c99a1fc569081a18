#include "recovery/recovery_journal.h"

#include "platform/files.h"

#include <QDateTime>
#include <QPointer>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vb {

// One thread running the tasks handed to it in order. Its destruction runs
// what is still queued, then ends the thread.
struct RecoveryJournal::Worker {
    using Task = std::function<void()>;

    Worker() : thread([this] { loop(); }) {}
    ~Worker() {
        {
            std::lock_guard<std::mutex> g(m);
            stop = true;
        }
        cv.notify_all();
        thread.join();
    }
    void post(Task task) {
        {
            std::lock_guard<std::mutex> g(m);
            tasks.push_back(std::move(task));
        }
        cv.notify_all();
    }
    void waitIdle() {
        std::unique_lock<std::mutex> g(m);
        cv.wait(g, [this] { return tasks.empty() && !busy; });
    }

private:
    void loop() {
        std::unique_lock<std::mutex> g(m);
        for (;;) {
            cv.wait(g, [this] { return stop || !tasks.empty(); });
            if (tasks.empty())
                return; // stopping with nothing left to do
            Task task = std::move(tasks.front());
            tasks.pop_front();
            busy = true;
            g.unlock();
            task();
            task = nullptr;
            g.lock();
            busy = false;
            cv.notify_all();
        }
    }

    std::mutex m;
    std::condition_variable cv;
    std::deque<Task> tasks;
    bool busy = false, stop = false;
    std::thread thread; // last: it starts once the rest is ready
};

Bytes journalBytes(const JournalSnapshot &s) {
    Bytes out = s.head;
    out.reserve(s.head.size() + size_t(s.raw.size()) * 2 + 2);
    const QStringView raw(s.raw);
    if (raw.isEmpty())
        return out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = raw.indexOf(QChar::ParagraphSeparator, start);
        out += fromUnicode(raw.mid(start, (end < 0 ? raw.size() : end) - start));
        out += "\r\n";
        if (end < 0)
            break;
        start = end + 1;
    }
    return out;
}

RecoveryJournal::RecoveryJournal(QObject *parent) : QObject(parent) {
    pause_.setSingleShot(true);
    longest_.setSingleShot(true);
    setIntervals(2000, 30000);
    connect(&pause_, &QTimer::timeout, this, &RecoveryJournal::writeNow);
    connect(&longest_, &QTimer::timeout, this, &RecoveryJournal::writeNow);
    worker_ = std::make_unique<Worker>();
}

RecoveryJournal::~RecoveryJournal() {
    worker_.reset(); // runs what was handed over, then ends the thread
}

void RecoveryJournal::setIntervals(int pauseMs, int longestMs) {
    pause_.setInterval(pauseMs);
    longest_.setInterval(longestMs);
}

void RecoveryJournal::start(const JournalTarget &target, const JournalSource &source) {
    discard();
    target_ = target;
    source_ = &source;
    auto slot = std::make_shared<RecoverySlot>();
    slot->folder = withSeparator(folder_);
    slot->name = newRecoveryName();
    slot_ = std::move(slot);
    active_ = true;
    reported_ = false;
    written_ = false;
}

void RecoveryJournal::adopt(FoundRecovery &&found, const JournalSource &source) {
    discard();
    target_ = {found.record.target, found.record.identity, found.record.categoryTitle, found.record.logMode};
    source_ = &source;
    slot_ = std::shared_ptr<RecoverySlot>(std::move(found.slot));
    active_ = true;
    reported_ = false;
    written_ = true; // the file is there already
}

void RecoveryJournal::changed() {
    if (!active_)
        return;
    pause_.start();
    if (!longest_.isActive())
        longest_.start();
}

void RecoveryJournal::writeNow() {
    pause_.stop();
    longest_.stop();
    if (!active_ || !source_)
        return;
    // The only work on the GUI thread: the copy of the text.
    auto snap = std::make_shared<JournalSnapshot>(source_->journalSnapshot());
    RecoveryRecord head;
    head.target = target_.path;
    head.identity = target_.identity;
    head.categoryTitle = target_.categoryTitle;
    head.logMode = target_.logMode;
    head.writtenAt = QDateTime::currentSecsSinceEpoch();
    std::shared_ptr<RecoverySlot> slot = slot_;
    written_ = true;
    QPointer<RecoveryJournal> self(this);
    worker_->post([this, self, slot, snap, head]() mutable {
        head.text = journalBytes(*snap);
        snap.reset();
        int err = 0;
        if (!writeRecovery(*slot, head, &err)) {
            QMetaObject::invokeMethod(
                this,
                [this, self, slot, err] {
                    if (self && slot == slot_)
                        reportFailure(err);
                },
                Qt::QueuedConnection);
        }
    });
}

void RecoveryJournal::reportFailure(int err) {
    if (reported_)
        return;
    reported_ = true;
    emit writeFailed(QString::fromUtf8("The recovery copy of the text could not be written (%1): typing goes on.")
                         .arg(QString::fromLocal8Bit(std::strerror(err))));
}

void RecoveryJournal::discard() {
    pause_.stop();
    longest_.stop();
    if (!active_)
        return;
    active_ = false;
    source_ = nullptr;
    std::shared_ptr<RecoverySlot> slot = std::move(slot_);
    // A journal that never wrote has nothing on disk to remove.
    if (written_)
        worker_->post([slot] { removeRecovery(*slot); });
}

void RecoveryJournal::leave() {
    if (active_ && pause_.isActive())
        writeNow(); // what was typed since the last write goes in too
    pause_.stop();
    longest_.stop();
    active_ = false;
    source_ = nullptr;
    slot_.reset(); // the lock goes with the last write handed over
}

Bytes RecoveryJournal::recordPath() const { return active_ && slot_ ? slot_->recordPath() : Bytes(); }

void RecoveryJournal::waitIdle() { worker_->waitIdle(); }

} // namespace vb
