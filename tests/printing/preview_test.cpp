// The print preview as its user meets it: the page it shows against the same
// page printed to a PDF file from its Print button, and its buttons and keys
// moving through the pages.

#include "printing/print_commands.h"
#include "printing/print_preview.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/printing/pdf_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>

using namespace vbtest;

namespace {

// Lines of lengths that differ from line to line and page to page.
vb::PrintContent ragged(int lines) {
    std::vector<vb::Bytes> text;
    for (int i = 0; i < lines; ++i)
        text.push_back(std::to_string(i) + " " + std::string(size_t(i * 37 % 61), 'W') + vb::cp("です"));
    return printSample(std::move(text), vb::cp("日本語の題名"), vb::cp("山田太郎"));
}

// Blocks of 8 x 8 pixels holding ink, the paper given in gray.
std::vector<bool> inkedBlocks(const QImage &paper) {
    const QImage gray = paper.convertToFormat(QImage::Format_Grayscale8);
    const int across = (gray.width() + 7) / 8, down = (gray.height() + 7) / 8;
    std::vector<bool> blocks(size_t(across * down));
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *row = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            if (row[x] < 160)
                blocks[size_t(y / 8 * across + x / 8)] = true;
    }
    return blocks;
}

// Blocks inked in both over blocks inked in either.
double overlap(const QImage &a, const QImage &b) {
    const std::vector<bool> x = inkedBlocks(a), y = inkedBlocks(b);
    size_t both = 0, either = 0;
    for (size_t k = 0; k < std::min(x.size(), y.size()); ++k) {
        both += x[k] && y[k];
        either += x[k] || y[k];
    }
    return either ? double(both) / double(either) : 0;
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
        ASSERT_EQ(dialogs->log.size(), 1u);
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
        // Every page against every printed page: only the same one matches.
        for (int q = 1; q <= 3; ++q) {
            const double same = overlap(page, pdfPage(pdf, q, page.width(), dir.file("other")));
            if (q == p)
                EXPECT_GT(same, 0.8) << "against printed page " << q;
            else
                EXPECT_LT(same, 0.8) << "against printed page " << q;
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
