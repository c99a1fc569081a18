#pragma once
// The recovery journal of the text being edited: while the text differs from
// its file, it is written to a recovery file at most a pause after typing
// stops, and at least every so often while typing goes on. The GUI thread
// only copies the text; converting and writing happen on a thread of the
// journal's own, so typing never waits on the disk.

#include "recovery/recovery_store.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace vb {

// What the GUI thread hands over: the bytes that go before the text (the
// header block, lines already joined) and the text as the text control holds
// it, paragraphs ending in U+2029 (QTextDocument::toRawText).
struct JournalSnapshot {
    Bytes head;
    QString raw;
};

// What a journal asks of the text's owner when a write is due, on the GUI
// thread: the text as it is now.
class JournalSource {
public:
    virtual JournalSnapshot journalSnapshot() const = 0;

protected:
    ~JournalSource() = default;
};

// What a journal is about.
struct JournalTarget {
    Bytes path; // full path
    FileIdentity identity;
    Bytes categoryTitle;
    bool logMode = false;
};

// The bytes Save writes for a snapshot: the head, then every paragraph in the
// code page followed by CR LF. An empty text is no line at all.
Bytes journalBytes(const JournalSnapshot &s);

class RecoveryJournal : public QObject {
    Q_OBJECT
public:
    explicit RecoveryJournal(QObject *parent = nullptr);
    // Finishes what was handed over; the recovery file stays (the program
    // did not end normally unless discard() ran).
    ~RecoveryJournal() override;

    void setFolder(const Bytes &folder) { folder_ = folder; }
    const Bytes &folder() const { return folder_; }
    // The longest quiet time before a write, and the longest time typing may
    // go on without one (2 s and 30 s unless set).
    void setIntervals(int pauseMs, int longestMs);

    // Starts journalling an edit of target; source is asked for the text
    // when a write is due, and must outlive the journalling. A journal
    // running before is discarded.
    void start(const JournalTarget &target, const JournalSource &source);
    // Starts journalling into an existing recovery file (kept on with its lock).
    void adopt(FoundRecovery &&found, const JournalSource &source);
    bool active() const { return active_; }
    const JournalTarget &target() const { return target_; }
    // The text changed: a write is due after the pause.
    void changed();
    // Writes at once what the text holds now.
    void writeNow();
    // Stops journalling and removes the recovery file.
    void discard();
    // Stops journalling and leaves the recovery file for the next start: the
    // text is going from the screen without having been saved.
    void leave();
    // Waits until every write and removal handed over is done.
    void waitIdle();
    // The record's path of the running journal (empty when none runs).
    Bytes recordPath() const;

signals:
    // A recovery file could not be written: once per journal, with a
    // sentence for the status line.
    void writeFailed(const QString &text);

private:
    // The thread the writes and removals run on, and their queue.
    struct Worker;
    void reportFailure(int err);

    Bytes folder_;
    bool active_ = false;
    bool reported_ = false;
    bool written_ = false; // a write of this journal was handed over
    JournalTarget target_;
    const JournalSource *source_ = nullptr; // while active
    std::shared_ptr<RecoverySlot> slot_;    // touched only on the worker
    QTimer pause_, longest_;
    std::unique_ptr<Worker> worker_;
};

} // namespace vb
