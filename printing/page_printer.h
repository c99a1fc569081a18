#pragma once
// The printed message: every page carries the body lines of that page in one
// fitted size, the caption block (program name, title, the header rows or the
// file name, the page number and the maker notice) and five rules. All places
// are percentages of the printable page; every size is measured on the canvas.

#include "printing/print_canvas.h"

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace vb {

// Told how far a job has come (done of total steps); returns false to stop
// the job.
using PrintProgress = std::function<bool(size_t done, size_t total)>;

// The lines of a message read one at a time, so that a long message is never
// copied whole for printing. Read in order they come quickest.
class PrintLines {
public:
    virtual ~PrintLines() = default;
    // Finds where the lines are, before anything else is asked, for lines
    // that take long to find, telling progress (when set) how far it has
    // come: false when progress stopped it.
    virtual bool prepare(const PrintProgress &progress) {
        (void)progress;
        return true;
    }
    virtual size_t size() const = 0;
    // Line k, for k < size().
    virtual Bytes line(size_t k) = 0;
};

// What is printed, taken from the browser at the moment of printing.
struct PrintContent {
    std::vector<Bytes> lines; // the message text as shown, one entry a line
    // The same lines read one at a time, in place of lines when set.
    std::shared_ptr<PrintLines> source;
    Bytes fontFace; // the message text's face and point size
    int fontPoints = 0;
    Bytes title; // the header panel's title
    Bytes name, mail, web, date;
    Bytes fileName;
    bool logMode = false; // the header rows (true) or the file-name row
    Bytes printedOn;      // the date of printing, for the maker notice
};

// Where a caption text sits in its box.
enum Placement { kTopLeft = 0, kBottomLeft = 1, kTopRight = 2, kBottomRight = 3 };

// round(extent / 100 x percent + offset), halves to the even neighbour.
int percentToPixels(int extent, float percent, int offset = 0);
// A box in percent of a page of W x H pixels as its pixel rectangle.
PixelRect percentBox(int W, int H, float x1, float y1, float x2, float y2);
// "p / n page".
Bytes pageNumberText(int page, int pages);
// The line at the foot of every page.
Bytes makerNotice(const Bytes &printedOn);

// A job's steps: its lines found (PrintLines::prepare), then every line
// measured, then every line drawn.

// Lays out and draws the pages of one job on one canvas, a page at a time:
// beside the canvas it keeps nothing a line.
class PagePrinter {
public:
    // Sets the canvas's face to the message text's face for the whole job.
    PagePrinter(PrintCanvas &canvas, const PrintContent &content);

    // Begins the document, draws every page and ends it; false when the
    // canvas could not be drawn on (nothing drawn then), or when progress
    // stopped the job (cancelled() then; the document is aborted).
    bool print(const PrintProgress &progress = nullptr);
    bool cancelled() const { return cancelled_; }

    // The layout of the job, measured once: pages, lines a page and the body
    // size. False when progress stopped the measuring.
    bool measure(const PrintProgress &progress = nullptr);
    // Draws page p (from 1) of the measured layout on the canvas's current page.
    void printPage(int p);

    // Body lines per page: the body area (78 % of the page) over the height of
    // the first line at the display size; at least one.
    int PrintPageLines();
    // Pages of the message: at least one, which carries the caption block
    // alone when there are no lines.
    int PrintPageCount();
    // The body size: the largest size from the display size down at which
    // every line fits 80 % of the page width; 1 when none does.
    int PrintPageCal();
    void PrintPage1Text(int size, int page, int lines);
    void PrintPage1Caption(int page, int pages);
    void PrintPage1Line();
    // One caption text in the largest size 0..200 at which the sizing text
    // fits the box strictly; size 0 when none does.
    void PrintText(const Bytes &sizing, const Bytes &printed, float x1, float y1, float x2, float y2, int placement);
    // One body line at the current size, clipped to its box; width is its
    // width at that size when already measured, else -1.
    void PrintMemo(const Bytes &text, float x1, float y1, float x2, float y2, int width = -1);
    void PrintLine(float x1, float y1, float x2, float y2, float penWidth, int offsetAcross, int offsetDown);

private:
    int lineHeight();
    // A caption's size and its sizing text's width and height there.
    struct Fitted {
        int size, width, height;
    };
    Fitted fittedSize(const Bytes &sizing, double boxWidth, double boxHeight);
    size_t lineCount() const;
    Bytes lineAt(size_t k) const;
    bool report(size_t done);
    // The body's width, and a line's width there at the current size (or a
    // bound of it that fits).
    int bodyLimit() const;
    int bodyWidth(const Bytes &line, int limit);

    PrintCanvas &canvas_;
    const PrintContent &content_;
    int width_, height_;
    int lineHeight_ = -1;
    int bodySize_ = -1;
    bool prepared_ = false; // the source has found its lines
    const PrintProgress *progress_ = nullptr;
    bool cancelled_ = false;
    // Sizes already fitted in this job, by sizing text and box.
    std::map<std::tuple<Bytes, double, double>, Fitted> fitted_;
};

} // namespace vb
