#include "recovery/recovery_journal.h"

#include "platform/files.h"

#include <QDateTime>
#include <QPointer>

#include <cstring>

namespace vb {

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
    worker_ = std::thread([this] { workerLoop(); });
}

RecoveryJournal::~RecoveryJournal() {
    {
        std::lock_guard<std::mutex> g(m_);
        stop_ = true;
    }
    cv_.notify_all();
    worker_.join();
}

void RecoveryJournal::setIntervals(int pauseMs, int longestMs) {
    pause_.setInterval(pauseMs);
    longest_.setInterval(longestMs);
}

void RecoveryJournal::start(const JournalTarget &target, std::function<JournalSnapshot()> snapshot) {
    discard();
    target_ = target;
    snapshot_ = std::move(snapshot);
    auto slot = std::make_shared<RecoverySlot>();
    slot->folder = withSeparator(folder_);
    slot->name = newRecoveryName();
    slot_ = std::move(slot);
    active_ = true;
    reported_ = false;
    written_ = false;
}

void RecoveryJournal::adopt(FoundRecovery &&found, std::function<JournalSnapshot()> snapshot) {
    discard();
    target_ = {found.record.target, found.record.identity, found.record.categoryTitle, found.record.logMode};
    snapshot_ = std::move(snapshot);
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
    if (!active_ || !snapshot_)
        return;
    // The only work on the GUI thread: the copy of the text.
    auto snap = std::make_shared<JournalSnapshot>(snapshot_());
    RecoveryRecord head;
    head.target = target_.path;
    head.identity = target_.identity;
    head.categoryTitle = target_.categoryTitle;
    head.logMode = target_.logMode;
    head.writtenAt = QDateTime::currentSecsSinceEpoch();
    std::shared_ptr<RecoverySlot> slot = slot_;
    written_ = true;
    QPointer<RecoveryJournal> self(this);
    post([this, self, slot, snap, head]() mutable {
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
    snapshot_ = nullptr;
    std::shared_ptr<RecoverySlot> slot = std::move(slot_);
    // A journal that never wrote has nothing on disk to remove.
    if (written_)
        post([slot] { removeRecovery(*slot); });
}

void RecoveryJournal::leave() {
    if (active_ && pause_.isActive())
        writeNow(); // what was typed since the last write goes in too
    pause_.stop();
    longest_.stop();
    active_ = false;
    snapshot_ = nullptr;
    slot_.reset(); // the lock goes with the last write handed over
}

Bytes RecoveryJournal::recordPath() const { return active_ && slot_ ? slot_->recordPath() : Bytes(); }

void RecoveryJournal::waitIdle() {
    std::unique_lock<std::mutex> g(m_);
    cv_.wait(g, [this] { return tasks_.empty() && !busy_; });
}

void RecoveryJournal::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> g(m_);
        tasks_.push_back(std::move(task));
    }
    cv_.notify_all();
}

void RecoveryJournal::workerLoop() {
    std::unique_lock<std::mutex> g(m_);
    for (;;) {
        cv_.wait(g, [this] { return stop_ || !tasks_.empty(); });
        if (tasks_.empty())
            return; // stopping with nothing left to do
        std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        busy_ = true;
        g.unlock();
        task();
        task = nullptr;
        g.lock();
        busy_ = false;
        cv_.notify_all();
    }
}

} // namespace vb
