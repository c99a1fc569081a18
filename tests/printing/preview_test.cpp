// The print preview as its user meets it: the page it shows against the same
// page printed to a PDF file from its Print button, and its buttons and keys
// moving through the pages.

#include "printing/print_commands.h"
#include "printing/print_preview.h"
#include "tests/common/pdf_tools.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/printing/pdf_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>
#include <random>

using namespace vbtest;

namespace {

// Lines long or short at random, so that no two pages look alike.
vb::PrintContent ragged(int lines) {
    std::vector<vb::Bytes> text;
    std::minstd_rand random(7);
    for (int i = 0; i < lines; ++i) {
        const bool wide = random() > random.max() / 2;
        text.push_back(std::to_string(i) + " " + std::string(wide ? 60 : 2, 'W') + vb::cp("です"));
    }
    return printSample(std::move(text), vb::cp("日本語の題名"), vb::cp("山田太郎"));
}

// Where the ink ends on the right in every row of pixels and the two rows
// above and below it; -1 where there is none. A page's rows of text tell
// the lengths of its lines.
std::vector<int> inkEnds(const QImage &paper) {
    const QImage gray = paper.convertToFormat(QImage::Format_Grayscale8);
    const int rows = gray.height();
    std::vector<int> ends(size_t(rows), -1), spread(size_t(rows), -1);
    for (int y = 0; y < rows; ++y) {
        const uchar *row = gray.constScanLine(y);
        for (int x = gray.width() - 1; x >= 0 && ends[size_t(y)] < 0; --x)
            if (row[x] < 160)
                ends[size_t(y)] = x;
    }
    for (int y = 0; y < rows; ++y)
        for (int d = std::max(0, y - 2); d <= std::min(rows - 1, y + 2); ++d)
            spread[size_t(y)] = std::max(spread[size_t(y)], ends[size_t(d)]);
    return spread;
}

// The share of rows inked in either paper whose ink ends within ten pixels
// of where it ends in the other: 1 for the same page drawn twice, whatever
// draws it.
double alike(const QImage &a, const QImage &b) {
    const std::vector<int> x = inkEnds(a), y = inkEnds(b);
    int inked = 0, same = 0;
    for (size_t r = 0; r < std::min(x.size(), y.size()); ++r) {
        if (x[r] < 0 && y[r] < 0)
            continue;
        ++inked;
        same += std::abs(x[r] - y[r]) <= 10;
    }
    return inked ? double(same) / inked : 0;
}

// Page p of a PDF file drawn by poppler at width pixels.
QImage pdfPage(const std::string &pdf, int p, int width, const std::string &out) {
    runTool("pdftoppm", {"-f", QString::number(p), "-l", QString::number(p), "-scale-to-x", QString::number(width),
                         "-scale-to-y", "-1", "-gray", "-singlefile", QString::fromStdString(pdf),
                         QString::fromStdString(out)});
    return QImage(QString::fromStdString(out + ".pgm"));
}

class PreviewTest : public PdfTest {
protected:
    void SetUp() override {
        PdfTest::SetUp();
        dialogs = vb::installScriptedDialogs();
        QPrinter &p = vb::runPrinter(); // no printer installed
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString());
        p.setPageLayout(a4());
    }
    void TearDown() override { vb::installScriptedDialogs(); }

    // Runs the preview of content, shown and active, handing it to use.
    void preview(const vb::PrintContent &content, const std::function<void(QDialog &)> &use) {
        dialogs->onPrintPreview = [&](QDialog &dialog) {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            use(dialog);
            dialog.close();
        };
        vb::runPrintPreview(content, vb::fsToBytes(dir.path()));
        ASSERT_FALSE(dialogs->log.empty());
        ASSERT_EQ(dialogs->log.front().kind, "printPreview");
    }

    vb::ScriptedDialogs *dialogs = nullptr;
};

QAbstractButton *button(QDialog &d, const char *name) { return d.findChild<QAbstractButton *>(name); }
QString shownNumber(QDialog &d) { return d.findChild<QLineEdit *>("PreviewPageNumber")->text(); }
QImage shownPaper(QDialog &d) { return d.findChild<QLabel *>("PreviewPaper")->pixmap().toImage(); }

} // namespace

TEST_F(PreviewTest, EveryPageShownIsThePagePrinted) {
    const vb::PrintContent content = ragged(130); // three pages
    const std::string pdf = dir.file("printed.pdf");
    std::vector<QImage> shown;
    preview(content, [&](QDialog &d) {
        for (int p = 1; p <= 3; ++p) {
            shown.push_back(shownPaper(d));
            button(d, "PreviewNext")->click();
        }
        dialogs->saveAnswers = {vb::fsToBytes(pdf)};
        button(d, "PreviewPrint")->click();
    });
    ASSERT_EQ(pdfInfo(pdf).pages, 3);
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE("page " + std::to_string(p));
        const QImage &page = shown[size_t(p - 1)];
        ASSERT_GT(page.width(), 200);
        const QImage printed = pdfPage(pdf, p, page.width(), dir.file("page" + std::to_string(p)));
        ASSERT_FALSE(printed.isNull());
        EXPECT_NEAR(printed.height(), page.height(), 1);
        EXPECT_GT(alike(page, printed), 0.85);
        // The body against every printed page's: only the same one matches.
        const auto body = [](const QImage &paper) {
            return paper.copy(0, paper.height() * 18 / 100, paper.width(), paper.height() * 78 / 100);
        };
        for (int q = 1; q <= 3; ++q) {
            const double same = alike(body(page), body(pdfPage(pdf, q, page.width(), dir.file("other"))));
            if (q == p)
                EXPECT_GT(same, 0.85) << "against printed page " << q;
            else
                EXPECT_LT(same, 0.7) << "against printed page " << q;
        }
    }
}

TEST_F(PreviewTest, ButtonsAndKeysMoveThroughThePagesAndEscapeCloses) {
    preview(ragged(250), [&](QDialog &d) { // five pages
        struct Step {
            const char *what;
            std::function<void()> act;
            const char *shown;
        } const steps[] = {
            {"opened", [] {}, "1 / 5"},
            {"End", [&] { QTest::keyClick(&d, Qt::Key_End); }, "5 / 5"},
            {"Page Up", [&] { QTest::keyClick(&d, Qt::Key_PageUp); }, "4 / 5"},
            {"Next at the end", [&] { button(d, "PreviewNext")->click(); button(d, "PreviewNext")->click(); },
             "5 / 5"},
            {"Home", [&] { QTest::keyClick(&d, Qt::Key_Home); }, "1 / 5"},
            {"Page Down", [&] { QTest::keyClick(&d, Qt::Key_PageDown); }, "2 / 5"},
            {"Last", [&] { button(d, "PreviewLast")->click(); }, "5 / 5"},
            {"Previous", [&] { button(d, "PreviewPrevious")->click(); }, "4 / 5"},
            {"First", [&] { button(d, "PreviewFirst")->click(); }, "1 / 5"},
            {"3 typed",
             [&] {
                 auto *number = d.findChild<QLineEdit *>("PreviewPageNumber");
                 number->setFocus();
                 number->selectAll();
                 QTest::keyClicks(number, "3");
                 QTest::keyClick(number, Qt::Key_Return);
             },
             "3 / 5"},
        };
        for (const Step &s : steps) {
            s.act();
            EXPECT_EQ(shownNumber(d).toStdString(), s.shown) << s.what;
        }
        // The page on show is the one named: page 3 is not page 1.
        const QImage third = shownPaper(d);
        button(d, "PreviewFirst")->click();
        EXPECT_NE(third, shownPaper(d));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
}
