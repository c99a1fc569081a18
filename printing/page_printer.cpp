#include "printing/page_printer.h"

#include "platform/apptitle.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vb {
namespace {

// The body: 78 % of the page from 18 % down, 80 % of it across from 10 %.
constexpr float kBodyTop = 18, kBodyLeft = 10, kBodyRight = 90;
constexpr double kBodyHeightPercent = 78, kBodyWidthPercent = 80;
constexpr int kLargestSize = 200;

// The caption texts other than the header rows.
struct CaptionBox {
    float x1, y1, x2, y2;
    int placement;
};
constexpr CaptionBox kProgramName{80, 0, 92, 1.5f, kTopRight};
constexpr CaptionBox kMakerNotice{9, 99, 100, 100, kTopLeft};
constexpr CaptionBox kPageNumber{80, 97.5f, 90, 99, kTopRight};
constexpr CaptionBox kTitleLabel{8, 6.5f, 16, 8.5f, kBottomLeft};
constexpr CaptionBox kTitle{18, 6, 92, 8.5f, kBottomLeft};

// The header rows: label column 10-24 %, value column 24-90 %. Every label
// is sized by the widest of them so that all come out in one size.
constexpr char kLabelSizing[] = "Mail Address :";
constexpr float kLabelLeft = 10, kValueLeft = 24, kValueRight = 90;
constexpr float kRowTop[] = {10, 11.5f, 13, 14.5f};
constexpr float kRowHeight = 1.5f;

struct Rule {
    float x1, y1, x2, y2, pen;
    int offsetDown;
};
// A heavy double rule under the title, its lower stroke broken in the middle;
// a rule closing the header block and one closing the body.
constexpr Rule kRules[] = {
    {8, 9, 92, 9, 10, 0}, {8, 9, 30, 9, 10, 10}, {70, 9, 92, 9, 10, 10}, {8, 17, 92, 17, 3, 0}, {8, 97, 92, 97, 3, 0},
};

} // namespace

int percentToPixels(int extent, float percent, int offset) {
    // nearbyint rounds halves to the even neighbour in the default mode.
    return int(std::nearbyint(double(extent) / 100.0 * double(percent) + offset));
}

PixelRect percentBox(int W, int H, float x1, float y1, float x2, float y2) {
    return {percentToPixels(W, x1), percentToPixels(H, y1), percentToPixels(W, x2), percentToPixels(H, y2)};
}

Bytes pageNumberText(int page, int pages) { return std::to_string(page) + " / " + std::to_string(pages) + " page"; }

Bytes makerNotice(const Bytes &printedOn) { return "Printed by " + appTitle() + " " + printedOn; }

PagePrinter::PagePrinter(PrintCanvas &canvas, const PrintContent &content)
    : canvas_(canvas), content_(content), width_(canvas.pageWidth()), height_(canvas.pageHeight()) {
    canvas_.setFontFace(content_.fontFace);
}

size_t PagePrinter::lineCount() const { return content_.source ? content_.source->size() : content_.lines.size(); }

Bytes PagePrinter::lineAt(size_t k) const { return content_.source ? content_.source->line(k) : content_.lines[k]; }

bool PagePrinter::report(size_t done) {
    if (progress_ && *progress_ && !(*progress_)(done, 2 * lineCount() + 1))
        cancelled_ = true;
    return !cancelled_;
}

bool PagePrinter::measure(const PrintProgress &progress) {
    if (content_.source && !prepared_) {
        if (!content_.source->prepare(progress)) {
            cancelled_ = true;
            return false;
        }
        prepared_ = true;
    }
    progress_ = &progress;
    PrintPageLines();
    PrintPageCal();
    progress_ = nullptr;
    return !cancelled_;
}

void PagePrinter::printPage(int p) {
    const int n = PrintPageLines();
    const int size = PrintPageCal();
    PrintPage1Text(size, p, n);
    PrintPage1Caption(p, PrintPageCount());
    PrintPage1Line();
}

bool PagePrinter::print(const PrintProgress &progress) {
    if (!canvas_.beginDocument())
        return false;
    bool done = measure(progress);
    if (done) {
        progress_ = &progress;
        const int pages = PrintPageCount();
        const size_t perPage = size_t(PrintPageLines());
        for (int p = 1; p <= pages; ++p) {
            if (!report(lineCount() + std::min(size_t(p - 1) * perPage, lineCount()))) {
                done = false;
                break;
            }
            if (p > 1)
                canvas_.newPage();
            printPage(p);
        }
        progress_ = nullptr;
    }
    if (!done) {
        canvas_.abortDocument();
        return false;
    }
    canvas_.endDocument();
    return true;
}

int PagePrinter::lineHeight() {
    if (lineHeight_ < 0) {
        canvas_.setFontSize(content_.fontPoints);
        lineHeight_ = canvas_.textHeight(lineCount() == 0 ? Bytes() : lineAt(0));
    }
    return lineHeight_;
}

int PagePrinter::PrintPageLines() {
    const int h = lineHeight();
    const int area = int(std::nearbyint(double(height_) / 100.0 * kBodyHeightPercent));
    // A line of no height, or one taller than the body area, still prints:
    // one line a page.
    if (h <= 0 || area / h < 1)
        return 1;
    return area / h;
}

int PagePrinter::PrintPageCount() {
    const int n = PrintPageLines();
    const int lines = int(lineCount());
    const int pages = lines / n + (lines % n ? 1 : 0);
    return pages < 1 ? 1 : pages;
}

int PagePrinter::bodyLimit() const { return int(std::nearbyint(double(width_) / 100.0 * kBodyWidthPercent)); }

int PagePrinter::bodyWidth(const Bytes &line, int limit) {
    // A line whose width bound fits fits; only the others are shaped. The
    // bound stands in for the width where it fits: it tells the drawing just
    // as well that the line needs no clipping.
    const int bound = canvas_.textWidthBound(line);
    return bound <= limit ? bound : canvas_.textWidth(line);
}

int PagePrinter::PrintPageCal() {
    if (bodySize_ >= 0)
        return bodySize_;
    const int limit = bodyLimit();
    const size_t count = lineCount();
    int size = content_.fontPoints;
    // The line found too wide at one size is the first one tried at the next.
    size_t culprit = 0;
    // Every line is measured once a size until one is too wide. No width is
    // kept: the drawing measures a page's lines again, at a fraction of the
    // cost of drawing them.
    auto tooWide = [&] {
        canvas_.setFontSize(size);
        if (culprit < count && bodyWidth(lineAt(culprit), limit) > limit)
            return true;
        for (size_t k = 0; k < count; ++k) {
            if (k % 1024 == 0 && !report(k))
                return false;
            if (k != culprit && bodyWidth(lineAt(k), limit) > limit) {
                culprit = k;
                return true;
            }
        }
        return false;
    };
    // Size 1 is the floor: a line too wide even there is cut at the box edge.
    while (size > 1 && tooWide())
        --size;
    bodySize_ = size;
    return size;
}

void PagePrinter::PrintPage1Text(int size, int page, int lines) {
    const float step = float(double(lineHeight()) / height_ * 100.0);
    canvas_.setFontSize(size);
    const size_t first = size_t(page - 1) * size_t(lines);
    const size_t end = std::min(size_t(page) * size_t(lines), lineCount());
    // At the body size every line was measured to fit, but at size 1.
    const bool known = size == bodySize_ && size > 1;
    const int limit = bodyLimit();
    for (size_t k = first; k < end; ++k) {
        const double j = double(k - first);
        const Bytes line = lineAt(k);
        PrintMemo(line, kBodyLeft, float(kBodyTop + j * step), kBodyRight, float(kBodyTop + (j + 1) * step),
                  known ? bodyWidth(line, limit) : -1);
    }
}

void PagePrinter::PrintPage1Caption(int page, int pages) {
    auto text = [this](const Bytes &sizing, const Bytes &printed, const CaptionBox &b) {
        PrintText(sizing, printed, b.x1, b.y1, b.x2, b.y2, b.placement);
    };
    const Bytes number = pageNumberText(page, pages);
    const Bytes notice = makerNotice(content_.printedOn);
    text(appTitle(), appTitle(), kProgramName);
    text(notice, notice, kMakerNotice);
    text(number, number, kPageNumber);
    text("Title :", "Title :", kTitleLabel);
    text(content_.title, content_.title, kTitle);

    auto label = [this](int r, const char *caption) {
        PrintText(kLabelSizing, caption, kLabelLeft, kRowTop[r], kValueLeft, kRowTop[r] + kRowHeight, kTopLeft);
    };
    auto value = [this](int r, const Bytes &v) {
        PrintText(v, v, kValueLeft, kRowTop[r], kValueRight, kRowTop[r] + kRowHeight, kTopLeft);
    };
    if (content_.logMode) {
        const char *const labels[] = {"Name :", "Mail Address :", "Web Address :", "Date :"};
        const Bytes *const values[] = {&content_.name, &content_.mail, &content_.web, &content_.date};
        for (int r = 0; r < 4; ++r)
            label(r, labels[r]);
        for (int r = 0; r < 4; ++r)
            value(r, *values[r]);
    } else {
        label(0, "File Name :");
        value(0, content_.fileName);
    }
}

void PagePrinter::PrintPage1Line() {
    for (const Rule &r : kRules)
        PrintLine(r.x1, r.y1, r.x2, r.y2, r.pen, 0, r.offsetDown);
}

PagePrinter::Fitted PagePrinter::fittedSize(const Bytes &sizing, double boxWidth, double boxHeight) {
    const auto key = std::make_tuple(sizing, boxWidth, boxHeight);
    auto found = fitted_.find(key);
    if (found != fitted_.end())
        return found->second;
    int best = 0;
    for (int size = 0; size <= kLargestSize; ++size) {
        canvas_.setFontSize(size);
        // A line is never lower at a larger size: once one is too tall, no
        // larger size can fit.
        if (canvas_.textHeight(sizing) >= boxHeight)
            break;
        if (canvas_.textWidth(sizing) < boxWidth)
            best = size;
    }
    canvas_.setFontSize(best);
    const Fitted fitted{best, canvas_.textWidth(sizing), canvas_.textHeight(sizing)};
    fitted_.emplace(key, fitted);
    return fitted;
}

void PagePrinter::PrintText(const Bytes &sizing, const Bytes &printed, float x1, float y1, float x2, float y2,
                            int placement) {
    if (printed.empty())
        return; // nothing to draw
    const double boxWidth = double(x2 - x1) * (double(width_) / 100.0);
    const double boxHeight = double(y2 - y1) * (double(height_) / 100.0);
    const Fitted fitted = fittedSize(sizing, boxWidth, boxHeight);
    canvas_.setFontSize(fitted.size);
    const PixelRect r = percentBox(width_, height_, x1, y1, x2, y2);
    int x = r.left, y = r.top;
    if (placement & kBottomLeft)
        y = r.bottom - fitted.height;
    if (placement & kTopRight)
        x = r.right - fitted.width;
    if (printed == sizing)
        canvas_.measuredTextRect(r, x, y, printed, fitted.width);
    else
        canvas_.textRect(r, x, y, printed);
}

void PagePrinter::PrintMemo(const Bytes &text, float x1, float y1, float x2, float y2, int width) {
    const PixelRect r = percentBox(width_, height_, x1, y1, x2, y2);
    if (width >= 0)
        canvas_.measuredTextRect(r, r.left, r.top, text, width);
    else
        canvas_.textRect(r, r.left, r.top, text);
}

void PagePrinter::PrintLine(float x1, float y1, float x2, float y2, float penWidth, int offsetAcross, int offsetDown) {
    canvas_.setPenWidth(int(std::nearbyint(penWidth)));
    canvas_.line(percentToPixels(width_, x1, offsetAcross), percentToPixels(height_, y1, offsetDown),
                 percentToPixels(width_, x2, offsetAcross), percentToPixels(height_, y2, offsetDown));
}

} // namespace vb
