#pragma once
// The printed message: every page carries the body lines of that page in one
// fitted size, the caption block (program name, title, the header rows or the
// file name, the page number and the maker notice) and five rules. All places
// are percentages of the printable page; every size is measured on the canvas.

#include "printing/print_canvas.h"

#include <map>
#include <tuple>
#include <vector>

namespace vb {

// What is printed, taken from the browser at the moment of printing.
struct PrintContent {
    std::vector<Bytes> lines; // the message text as shown, one entry a line
    Bytes fontFace;           // the message text's face and point size
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

// Lays out and draws the pages of one job on one canvas.
class PagePrinter {
public:
    // Sets the canvas's face to the message text's face for the whole job.
    PagePrinter(PrintCanvas &canvas, const PrintContent &content);

    // Begins the document, draws every page and ends it; false when the
    // canvas could not be drawn on (nothing drawn then).
    bool print();

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
    // One body line at the current size, clipped to its box.
    void PrintMemo(const Bytes &text, float x1, float y1, float x2, float y2);
    void PrintLine(float x1, float y1, float x2, float y2, float penWidth, int offsetAcross, int offsetDown);

private:
    int lineHeight();
    int fittedSize(const Bytes &sizing, double boxWidth, double boxHeight);

    PrintCanvas &canvas_;
    const PrintContent &content_;
    int width_, height_;
    int lineHeight_ = -1;
    int bodySize_ = -1;
    // Sizes already fitted in this job, by sizing text and box.
    std::map<std::tuple<Bytes, double, double>, int> fitted_;
};

} // namespace vb
