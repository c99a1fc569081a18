// The page layout on a recording canvas: exact rectangles, sizes, texts and
// rules for a page of 4000 x 6000 pixels (40 and 60 pixels a percent).
// Metrics: at size s a byte is 4 s wide and a line 6 s high, so the message
// text at size 10 has lines of 60 pixels, 78 of them to the body area.

#include "printing/page_printer.h"
#include "tests/printing/print_sample.h"
#include "tests/printing/recording_canvas.h"

#include <gtest/gtest.h>

using namespace vbtest;
using vb::Bytes;
using vb::PixelRect;

namespace {

constexpr int kW = 4000, kH = 6000;
const PixelRect kFirstBodyLine{400, 1080, 3600, 1140};

vb::PrintContent content(int lines, bool logMode = true) {
    std::vector<Bytes> text;
    for (int i = 0; i < lines; ++i)
        text.push_back("line " + std::to_string(i));
    return printSample(std::move(text), "Hello", "Taro", logMode);
}

bool isBody(const Drawn &d) { return d.kind == Drawn::kText && d.clip.left == 400 && d.clip.right == 3600; }

std::vector<Drawn> body(const std::vector<Drawn> &page) {
    std::vector<Drawn> out;
    for (const Drawn &d : page)
        if (isBody(d))
            out.push_back(d);
    return out;
}

std::vector<Drawn> of(const std::vector<Drawn> &page, Drawn::Kind kind) {
    std::vector<Drawn> out;
    for (const Drawn &d : page)
        if (d.kind == kind)
            out.push_back(d);
    return out;
}

// The text drawn with exactly this text, or nullptr.
const Drawn *find(const std::vector<Drawn> &page, const Bytes &text) {
    for (const Drawn &d : page)
        if (d.kind == Drawn::kText && d.text == text)
            return &d;
    return nullptr;
}

void printOn(RecordingCanvas &canvas, const vb::PrintContent &c) {
    vb::PagePrinter printer(canvas, c);
    ASSERT_TRUE(printer.print());
}

} // namespace

TEST(PageLayout, PercentagesRoundToTheNearestPixelHalvesToEven) {
    struct Case {
        int extent;
        float percent;
        int offset, pixels;
    } const table[] = {
        {200, 0.25f, 0, 0},   {200, 0.75f, 0, 2},  {200, 1.25f, 0, 2},  {200, 1.75f, 0, 4},
        {200, 1.25f, 10, 12}, {200, 1.3f, 0, 3},   {4000, 92, 0, 3680}, {6050, 9, 0, 544},
        {6050, 9, 10, 554},   {6050, 99, 0, 5990}, {0, 50, 0, 0},
    };
    for (const Case &c : table)
        EXPECT_EQ(vb::percentToPixels(c.extent, c.percent, c.offset), c.pixels)
            << c.extent << " x " << c.percent << "% + " << c.offset;
}

TEST(PageLayout, FiveRulesWithTheirPensAndOffsetsOnEveryPage) {
    // 42.5 and 60.5 pixels a percent: the rules at 9 %, 17 % and 97 % fall on half pixels.
    RecordingCanvas canvas(4250, 6050);
    printOn(canvas, content(200));
    ASSERT_EQ(canvas.pages(), 3);
    const PixelRect rules[] = {
        {340, 544, 3910, 544},   {340, 554, 1275, 554},   {2975, 554, 3910, 554},
        {340, 1028, 3910, 1028}, {340, 5868, 3910, 5868},
    };
    const int pens[] = {10, 10, 10, 3, 3};
    for (int p = 1; p <= 3; ++p) {
        const auto lines = of(canvas.page(p), Drawn::kLine);
        ASSERT_EQ(lines.size(), 5u) << "page " << p;
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(lines[i].clip, rules[i]) << "page " << p << " rule " << i + 1;
            EXPECT_EQ(lines[i].size, pens[i]) << "page " << p << " rule " << i + 1;
        }
    }
}

TEST(PageLayout, AFullPageAndOneLineMore) {
    struct Case {
        int lines, pages, linesOnLast;
    } const table[] = {{78, 1, 78}, {79, 2, 1}, {156, 2, 78}, {157, 3, 1}};
    for (const Case &c : table) {
        SCOPED_TRACE(std::to_string(c.lines) + " lines");
        RecordingCanvas canvas(kW, kH);
        printOn(canvas, content(c.lines));
        ASSERT_EQ(canvas.pages(), c.pages);
        for (int p = 1; p <= c.pages; ++p) {
            const auto page = canvas.page(p);
            EXPECT_NE(find(page, vb::pageNumberText(p, c.pages)), nullptr) << "page " << p;
            EXPECT_NE(find(page, "Velbrook v0.2"), nullptr);
            EXPECT_NE(find(page, "Hello"), nullptr);
            EXPECT_NE(find(page, "2001/01/01"), nullptr);
            EXPECT_EQ(of(page, Drawn::kLine).size(), 5u);
            const auto lines = body(page);
            ASSERT_EQ(int(lines.size()), p == c.pages ? c.linesOnLast : 78);
            // The page's first line at the top of the body area.
            EXPECT_EQ(lines.front().text, "line " + std::to_string((p - 1) * 78));
            EXPECT_EQ(lines.front().clip, kFirstBodyLine);
            EXPECT_EQ(lines.front().x, 400);
            EXPECT_EQ(lines.front().y, 1080);
        }
    }
    // The 78th line sits in the last row of the body area.
    RecordingCanvas canvas(kW, kH);
    printOn(canvas, content(79));
    EXPECT_EQ(body(canvas.page(1)).back().clip, (PixelRect{400, 5700, 3600, 5760}));
    EXPECT_EQ(find(canvas.page(1), "1 / 2 page")->clip, (PixelRect{3200, 5850, 3600, 5940}));
}

TEST(PageLayout, TheWidestLineSetsOneBodySizeWhileTheStepStays) {
    struct Case {
        size_t longLine;
        int size;
    } const table[] = {{10, 10}, {80, 10}, {81, 9}, {100, 8}, {10000, 1}};
    for (const Case &c : table) {
        SCOPED_TRACE(std::to_string(c.longLine) + " bytes");
        vb::PrintContent text = content(200);
        text.lines[150] = Bytes(c.longLine, 'x'); // on page 2: page 1 is printed smaller too
        RecordingCanvas canvas(kW, kH);
        printOn(canvas, text);
        ASSERT_EQ(canvas.pages(), 3);
        for (int p = 1; p <= 3; ++p) {
            const auto lines = body(canvas.page(p));
            for (size_t j = 0; j < lines.size(); ++j) {
                ASSERT_EQ(lines[j].size, c.size) << "page " << p << " line " << j;
                ASSERT_EQ(lines[j].clip, (PixelRect{400, int(1080 + 60 * j), 3600, int(1140 + 60 * j)}))
                    << "page " << p << " line " << j;
            }
        }
    }
}

TEST(PageLayout, CaptionBlockInItsOrderWithItsBoxesAndSizes) {
    RecordingCanvas canvas(kW, kH);
    printOn(canvas, content(1));
    const auto texts = of(canvas.page(1), Drawn::kText);
    struct Expect {
        Bytes text;
        PixelRect clip;
        int x, y, size;
    } const table[] = {
        {"line 0", kFirstBodyLine, 400, 1080, 10},
        {"Velbrook v0.2", {3200, 0, 3680, 90}, 3680 - 13 * 36, 0, 9},
        {"Printed by Velbrook v0.2 2001/02/03", {360, 5940, 4000, 6000}, 360, 5940, 9},
        {"1 / 1 page", {3200, 5850, 3600, 5940}, 3600 - 10 * 36, 5850, 9},
        {"Title :", {320, 390, 640, 510}, 320, 510 - 66, 11},
        {"Hello", {720, 360, 3680, 510}, 720, 510 - 144, 24},
        {"Name :", {400, 600, 960, 690}, 400, 600, 9},
        {"Mail Address :", {400, 690, 960, 780}, 400, 690, 9},
        {"Web Address :", {400, 780, 960, 870}, 400, 780, 9},
        {"Date :", {400, 870, 960, 960}, 400, 870, 9},
        {"Taro", {960, 600, 3600, 690}, 960, 600, 14},
        {"taro@example.com", {960, 690, 3600, 780}, 960, 690, 14},
        {"http://example.com/", {960, 780, 3600, 870}, 960, 780, 14},
        {"2001/01/01", {960, 870, 3600, 960}, 960, 870, 14},
    };
    ASSERT_EQ(texts.size(), std::size(table));
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(table[i].text);
        EXPECT_EQ(texts[i].text, table[i].text);
        EXPECT_EQ(texts[i].clip, table[i].clip);
        EXPECT_EQ(texts[i].x, table[i].x);
        EXPECT_EQ(texts[i].y, table[i].y);
        EXPECT_EQ(texts[i].size, table[i].size);
        EXPECT_EQ(texts[i].face, vb::cp("ＭＳ ゴシック"));
    }
    // Body, then the caption block, then the rules.
    const auto page = canvas.page(1);
    EXPECT_EQ(page.back().kind, Drawn::kLine);
    EXPECT_EQ(page[page.size() - 6].kind, Drawn::kText);
}

TEST(PageLayout, HeaderRowsOfLogAndTextMode) {
    struct Case {
        bool logMode;
        Bytes mail;
        std::vector<Bytes> rows; // texts drawn between 10 % and 16 % down, in order
    } const table[] = {
        {true,
         "taro@example.com",
         {"Name :", "Mail Address :", "Web Address :", "Date :", "Taro", "taro@example.com", "http://example.com/",
          "2001/01/01"}},
        {true,
         "",
         {"Name :", "Mail Address :", "Web Address :", "Date :", "Taro", "http://example.com/", "2001/01/01"}},
        {false, "taro@example.com", {"File Name :", "KVX00001.TXT"}},
    };
    for (const Case &c : table) {
        SCOPED_TRACE(std::string(c.logMode ? "Log" : "Text") + " mail '" + c.mail + "'");
        vb::PrintContent text = content(3, c.logMode);
        text.mail = c.mail;
        RecordingCanvas canvas(kW, kH);
        printOn(canvas, text);
        std::vector<Bytes> rows;
        std::vector<int> labelSizes;
        for (const Drawn &d : of(canvas.page(1), Drawn::kText)) {
            if (d.clip.top >= 600 && d.clip.bottom <= 960) {
                rows.push_back(d.text);
                if (d.clip.right == 960)
                    labelSizes.push_back(d.size);
            }
        }
        EXPECT_EQ(rows, c.rows);
        // Every label in the size of "Mail Address :".
        EXPECT_EQ(labelSizes, std::vector<int>(c.logMode ? 4 : 1, 9));
    }
    RecordingCanvas canvas(kW, kH);
    printOn(canvas, content(3, false));
    EXPECT_EQ(find(canvas.page(1), "File Name :")->clip, (PixelRect{400, 600, 960, 690}));
    EXPECT_EQ(find(canvas.page(1), "KVX00001.TXT")->clip, (PixelRect{960, 600, 3600, 690}));
}

TEST(PageLayout, TheTitleTakesTheLargestSizeThatFitsStrictly) {
    struct Case {
        size_t bytes;
        int size;
    } const table[] = {
        {5, 24},   // at 25 its height (150) would fill the box exactly
        {100, 7},  // 2800 of 2960 pixels
        {739, 1},  // 2956 pixels
        {740, 0},  // 2960 pixels: not strictly less, so only the smallest size fits
        {5000, 0}, // fits at no size: the smallest, clipped to the box
    };
    for (const Case &c : table) {
        SCOPED_TRACE(std::to_string(c.bytes) + " bytes");
        vb::PrintContent text = content(1);
        text.title = Bytes(c.bytes, 'T');
        RecordingCanvas canvas(kW, kH);
        printOn(canvas, text);
        const std::vector<Drawn> page = canvas.page(1);
        const Drawn *title = find(page, text.title);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->size, c.size);
        EXPECT_EQ(title->clip, (PixelRect{720, 360, 3680, 510}));
        EXPECT_EQ(title->y, 510 - RecordingCanvas::lineHeight(c.size));
    }
}

TEST(PageLayout, LinesThatLeaveNoWholeLineAPageStillPrint) {
    struct Case {
        const char *what;
        int lines, height, points;
        int pages, linesOnFirst, bodySize;
    } const table[] = {
        {"no lines", 0, -1, 10, 1, 0, 10},
        {"lines of no height", 3, 0, 10, 3, 1, 10},
        {"a line taller than the body area", 3, 4681, 10, 3, 1, 10},
        {"a line as tall as the body area", 3, 4680, 10, 3, 1, 10},
        {"display size 0", 3, -1, 0, 1, 3, 0},
    };
    for (const Case &c : table) {
        SCOPED_TRACE(c.what);
        vb::PrintContent text = content(c.lines);
        text.fontPoints = c.points;
        RecordingCanvas canvas(kW, kH);
        canvas.heightOverride = c.height;
        printOn(canvas, text);
        EXPECT_TRUE(canvas.ended);
        ASSERT_EQ(canvas.pages(), c.pages);
        for (int p = 1; p <= c.pages; ++p) {
            const auto page = canvas.page(p);
            EXPECT_NE(find(page, vb::pageNumberText(p, c.pages)), nullptr);
            EXPECT_NE(find(page, "Title :"), nullptr);
            EXPECT_EQ(of(page, Drawn::kLine).size(), 5u);
        }
        const auto first = body(canvas.page(1));
        ASSERT_EQ(int(first.size()), c.linesOnFirst);
        for (const Drawn &d : first)
            EXPECT_EQ(d.size, c.bodySize);
    }
}

TEST(PageLayout, ACanvasThatCannotBeginGetsNothing) {
    RecordingCanvas canvas(kW, kH);
    canvas.refuseBegin = true;
    const vb::PrintContent text = content(5);
    vb::PagePrinter printer(canvas, text);
    EXPECT_FALSE(printer.print());
    EXPECT_TRUE(canvas.drawn.empty());
    EXPECT_FALSE(canvas.ended);
}
