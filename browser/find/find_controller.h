#pragma once
// The Find box's work: the pattern, the search of a category on a thread of
// its own, its results and the steps through them, and the hits marked in
// the message on view. Every look at a text runs on a thread; the GUI thread
// only takes what a run found, in one go, when the run's signal arrives. A
// run given up (new search, Stop, Close Find, category or directory change,
// window hidden or gone) is cancelled and let go of; nothing waits for it.
//
// The window creates it with the Find box and docks the box; as the
// controller's host it tells what a search is over and brings a found
// message on view.

#include "browser/find/find_runs.h"

#include <QList>
#include <QTextEdit>

class QShortcut;
class QTimer;

namespace vb {

class FindPanel;
class Memo;

// What a search of the category is over, as the window lists it.
struct FindScope {
    Bytes directory;
    std::vector<Bytes> names; // in the order of the title list
    bool logMode = false;
    Bytes fileOnView; // the file of the message on view; empty when none is
};

// The longest text the Find field takes, in characters; a longer one is
// refused, never cut.
constexpr int kFindTextLimit = 32767;

class FindController : public RunReceiver {
    Q_OBJECT
public:
    // What the controller asks of the window it works for.
    class Host {
    public:
        // What a search of the category is over, asked when one starts.
        virtual FindScope findScope() const = 0;
        // The file of the message on view; empty when none is.
        virtual Bytes fileOnView() const = 0;
        // Brings message name of directory on view; false with *why when it cannot.
        virtual bool showFoundMessage(const Bytes &directory, const Bytes &name, Bytes *why) = 0;

    protected:
        ~Host() = default;
    };

    // host: the window, which outlives the controller; panel: the Find box;
    // memo: the message text; window: where Escape stops a run.
    FindController(Host &host, FindPanel *panel, Memo *memo, QWidget *window);
    ~FindController() override;

    // The Find button, Enter in the field.
    void search();
    // The Stop button, Escape while a run goes: the runs end, what they found stays.
    void stop();
    // Everything found goes and every run ends: a new category or directory.
    void clear();
    // Close Find: as clear, and the pattern is forgotten.
    void close();
    // F3 / Shift+F3: the next or previous hit; false when nothing was searched yet.
    bool step(int direction);

    // Whether a run is under way or its results are still being listed.
    bool busy() const { return categoryRun_ || messageRun_ || copying_ || listed_ < entries_.size(); }

signals:
    // Escape in the Find box with no run under way.
    void closeRequested();

private slots:
    void takeRunNews(quint64 id);

private:
    struct Entry {
        size_t message, line;
    };
    void clearResults();
    void endCategoryRun();
    void endMessageRun();
    void updateKeys();
    void addResults(std::vector<MessageHits> &&found);
    // Lists the results up to entry end (at most kRowsAtOnce more when
    // slice is set); the rest follow on the next turns of the event loop.
    void listRows(size_t end, bool slice);
    void takeCategoryNews();
    void takeMessageNews();
    // Starts the look at the message on view (marks, and results when wanted).
    void lookAtMessageOnView(bool wantResults);
    void memoChanged();
    bool goToHit(size_t entry, size_t hit);
    void selectInMemo(long memoLine, const LineHit &lh, size_t hit);
    // Keeps the marks of the message on view and marks those in sight.
    void showMarks(std::vector<Mark> marks);
    // Marks the kept marks that are in sight: the text control works out
    // where every mark is, so only the few on screen are handed to it.
    void markInSight();
    // Copies the next piece of the memo's text for a look at it, and starts
    // the look once the whole text is copied.
    void copyMore();
    void stopCopying();
    // A result the user picked in the list: the message of its line comes on view.
    void pick(int row);
    bool eventFilter(QObject *watched, QEvent *event) override;

    Host &host_;
    FindPanel *panel_;
    Memo *memo_;
    QShortcut *cancelKey_ = nullptr;
    QShortcut *closeKey_ = nullptr;
    QTimer *memoTimer_ = nullptr; // gathers the changes of one load of the memo into one look
    QTimer *rowTimer_ = nullptr;  // lists the results that are not yet, a slice a turn
    QTimer *copyTimer_ = nullptr; // copies the memo's text for a look, a piece a turn
    bool copying_ = false;
    QString copy_; // the memo's text copied so far
    int copiedBlocks_ = 0;
    // Where the copy leaves out the line break before a piece of a long
    // line: the copy's positions from there on are one short of the memo's.
    std::vector<int> joins_;
    std::vector<Mark> marks_; // the hits of the message on view, in order

    Matcher matcher_;              // ready while hits are to be found and marked
    bool thisMessageOnly_ = false; // the results are lines of the memo
    bool logMode_ = false;
    Bytes directory_; // the directory searched
    std::vector<MessageHits> messages_;
    std::vector<Entry> entries_;
    size_t listed_ = 0; // entries with a row in the results list
    size_t hits_ = 0;
    long entry_ = -1; // the hit last gone to: entry and hit within its line
    size_t hit_ = 0;
    size_t fileCount_ = 0;

    quint64 lastRun_ = 0;
    std::shared_ptr<CategoryRun> categoryRun_;
    std::shared_ptr<MessageRun> messageRun_;
    bool messageResults_ = false; // the message run's hits are to become the results
};

} // namespace vb
