// Printing to PDF files through the real printer: the pages read back with
// pdfinfo and pdftotext, Japanese text included.

#include "printing/painter_canvas.h"
#include "printing/print_commands.h"
#include "tests/common/pdf_tools.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "tests/printing/pdf_fixture.h"
#include "platform/errors.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <gtest/gtest.h>

using namespace vbtest;
using vb::Bytes;

namespace {

// A4 with margins of 10 points: 575 x 822 points to lay out on.
constexpr double kMargin = 10, kWidth = 575, kHeight = 822, kTolerance = 1.5;

// True when the word lies in the box given in percent of the printable page.
bool inBox(const PdfWord &w, double x1, double y1, double x2, double y2) {
    return w.xMin >= kMargin + kWidth * x1 / 100 - kTolerance && w.xMax <= kMargin + kWidth * x2 / 100 + kTolerance &&
           w.yMin >= kMargin + kHeight * y1 / 100 - kTolerance && w.yMax <= kMargin + kHeight * y2 / 100 + kTolerance;
}

const PdfWord *word(const std::vector<PdfWord> &words, int page, const std::string &text) {
    for (const PdfWord &w : words)
        if (w.page == page && w.text == text)
            return &w;
    return nullptr;
}

} // namespace

TEST_F(PdfTest, PagesInTheirSizeWithEveryTextInItsBox) {
    const std::string path = dir.file("out.pdf");
    vb::writePdf(japanese(100), a4(), vb::fsToBytes(path));
    // 60 lines of 89 pixels fit the body area of 5344 pixels at 600 pixels an inch.
    const PdfInfo info = pdfInfo(path);
    EXPECT_EQ(info.pages, 2);
    EXPECT_EQ(info.pageSize, "595 x 842 pts (A4)");

    const auto words = pdfWords(path);
    struct Expect {
        int page;
        std::string text;
        double x1, y1, x2, y2;
    } const table[] = {
        {1, "Velbrook", 80, 0, 92, 1.5},
        {2, "v0.2", 80, 0, 92, 1.5},
        {1, "Title", 8, 6.5, 16, 8.5},
        {1, "日本語の題名", 18, 6, 92, 8.5},
        {2, "日本語の題名", 18, 6, 92, 8.5},
        {1, "Name", 10, 10, 24, 11.5},
        {1, "山田太郎", 24, 10, 90, 11.5},
        {1, "taro@example.com", 24, 11.5, 90, 13},
        {1, "http://example.com/", 24, 13, 90, 14.5},
        {2, "2001/01/01", 24, 14.5, 90, 16},
        {1, "本文0行目です", 10, 18, 90, 18 + 100.0 * 89 / 6851},
        {1, "本文59行目です", 10, 18 + 59 * 100.0 * 89 / 6851, 90, 96},
        {2, "本文60行目です", 10, 18, 90, 18 + 100.0 * 89 / 6851},
        {2, "本文99行目です", 10, 18, 90, 96},
        {1, "page", 80, 97.5, 90, 99},
        {2, "page", 80, 97.5, 90, 99},
        {1, "Printed", 9, 99, 100, 100},
        {2, "2001/02/03", 9, 99, 100, 100},
    };
    for (const Expect &e : table) {
        SCOPED_TRACE("page " + std::to_string(e.page) + " " + e.text);
        const PdfWord *w = word(words, e.page, e.text);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(inBox(*w, e.x1, e.y1, e.x2, e.y2)) << w->xMin << "," << w->yMin << " " << w->xMax << "," << w->yMax;
    }
    EXPECT_NE(pageText(words, 1).find("1 / 2 page"), std::string::npos);
    EXPECT_NE(pageText(words, 2).find("2 / 2 page"), std::string::npos);
    EXPECT_NE(pageText(words, 1).find("Printed by Velbrook v0.2 2001/02/03"), std::string::npos);
    EXPECT_EQ(word(words, 1, "本文60行目です"), nullptr);
}

TEST_F(PdfTest, RulesAndALineCutAtTheBodyEdgeAsRendered) {
    vb::PrintContent c = japanese(1);
    c.lines[0] = Bytes(3000, 'W'); // too wide even at size 1
    const std::string path = dir.file("out.pdf");
    vb::writePdf(c, a4(), vb::fsToBytes(path));
    runTool("pdftoppm", {"-r", "300", "-gray", "-f", "1", "-l", "1", QString::fromStdString(path),
                         QString::fromStdString(dir.file("page"))});
    const QImage page(QString::fromStdString(dir.file("page-1.pgm")));
    ASSERT_EQ(page.width(), 2480);
    // Points to pixels at 300 per inch; x and y in percent of the printable page.
    auto at = [&](double x, double y) {
        return qGray(
            page.pixel(int((kMargin + kWidth * x / 100) * 300 / 72), int((kMargin + kHeight * y / 100) * 300 / 72)));
    };
    auto row = [&](int y, double x) { return qGray(page.pixel(int((kMargin + kWidth * x / 100) * 300 / 72), y)); };
    // Rows 348-352: rule 1 across the page, 10 printer pixels (5 here) thick.
    // Rows 353-357: rules 2 and 3, broken between 30 % and 70 %. Rows 623-624
    // and 3363-3364: rules 4 and 5, 3 printer pixels thick.
    struct Row {
        int y;
        bool at20, at50, at80;
    } const rows[] = {
        {347, false, false, false},  {348, true, true, true},    {352, true, true, true},     {353, true, false, true},
        {357, true, false, true},    {358, false, false, false}, {622, false, false, false},  {623, true, true, true},
        {624, true, true, true},     {625, false, false, false}, {3362, false, false, false}, {3363, true, true, true},
        {3365, false, false, false},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(row(r.y, 20) < 128, r.at20) << "row " << r.y;
        EXPECT_EQ(row(r.y, 50) < 128, r.at50) << "row " << r.y;
        EXPECT_EQ(row(r.y, 80) < 128, r.at80) << "row " << r.y;
    }
    EXPECT_GT(at(50, 16.5), 192);
    // The body line: ink inside its box, none beyond 90 %.
    int inside = 0, beyond = 0;
    for (int y = 650; y < 710; ++y) {
        for (int x = 300; x < 2190; ++x)
            inside += qGray(page.pixel(x, y)) < 240;
        for (int x = 2202; x < 2470; ++x)
            beyond += qGray(page.pixel(x, y)) < 250;
    }
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(beyond, 0);
}

TEST_F(PdfTest, AnOlderFileIsReplacedWhole) {
    const std::string path = dir.file("out.pdf");
    putFile(path, std::string(4 << 20, 'x'));
    vb::writePdf(japanese(3), a4(), vb::fsToBytes(path));
    const std::string data = getFile(path);
    EXPECT_LT(data.size(), size_t(1 << 20));
    EXPECT_EQ(data.rfind("%PDF", 0), 0u);
    EXPECT_EQ(pdfInfo(path).pages, 1);
}

TEST_F(PdfTest, AFileThatCannotBeCreatedIsReported) {
    const Bytes path = vb::fsToBytes(dir.file("missing/out.pdf"));
    try {
        vb::writePdf(japanese(3), a4(), path);
        FAIL() << "no failure reported";
    } catch (const vb::RuntimeError &e) {
        EXPECT_EQ(e.text(), vb::cp("ファイル ") + path + vb::cp(" を作成できません") + " (No such file or directory)");
    }
}

TEST_F(PdfTest, TheSmallestSizeDrawsWithoutComplaint) {
    // The display size 0 and a title that fits at no size both print at the
    // smallest size the device draws.
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &m) {
            if (type != QtDebugMsg)
                ADD_FAILURE() << m.toStdString();
        });
    vb::PrintContent c = japanese(3);
    c.fontPoints = 0;
    c.title = Bytes(3000, 'T');
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&out);
    pdf.setResolution(vb::kPdfResolution);
    EXPECT_TRUE(vb::paintPages(c, pdf));
    qInstallMessageHandler(previous);
    EXPECT_GT(out.data().size(), 0);

    vb::PainterCanvas canvas(pdf);
    canvas.setFontFace(c.fontFace);
    canvas.setFontSize(0);
    EXPECT_EQ(canvas.textHeight("x"), 1);
}
