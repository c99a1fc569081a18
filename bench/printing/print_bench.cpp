// Printing a 1,000-line and a 200,000-line message to a PDF file, layout and
// fitting included, against the floor of drawing the same lines at one fixed
// size onto the same pages, without fitting or caption; and how long a print
// of one line of 2 MB goes at most without telling its progress box, whose
// steps keep the window answering. Wall time. Run by hand (make bench).

#include "browser/memo_print_lines.h"
#include "printing/print_commands.h"
#include "tests/printing/print_sample.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/memo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

vb::PrintContent message(int count = 1000) {
    std::vector<vb::Bytes> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(vb::cp("本文の") + std::to_string(i) + vb::cp("行目です。") +
                        "The quick brown fox jumps over the lazy dog.");
    return vbtest::printSample(std::move(lines), vb::cp("千行の発言"), vb::cp("山田太郎"));
}

QPageLayout a4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

const QString &scratchDir() {
    static QTemporaryDir dir;
    static const QString path = dir.path() + "/";
    return path;
}

void BM_PrintPdf_1000Lines(benchmark::State &state) {
    const vb::PrintContent c = message();
    const vb::Bytes path = vb::fsToBytes((scratchDir() + "print.pdf").toStdString());
    for (auto _ : state)
        vb::writePdf(c, a4(), path);
    state.counters["bytes"] = double(QFile(scratchDir() + "print.pdf").size());
}
BENCHMARK(BM_PrintPdf_1000Lines)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_PdfFloor_1000Lines(benchmark::State &state) {
    const vb::PrintContent c = message();
    std::vector<QString> lines;
    for (const vb::Bytes &l : c.lines)
        lines.push_back(vb::toUnicode(l));
    QFont font(vb::toUnicode(c.fontFace));
    font.setPointSize(c.fontPoints);
    for (auto _ : state) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setResolution(vb::kPdfResolution);
        pdf.setPageLayout(a4());
        pdf.setOutputFileName(scratchDir() + "floor.pdf");
        QPainter painter(&pdf);
        painter.setFont(font);
        const QFontMetrics metrics(font, &pdf);
        const int step = metrics.height();
        const int top = pdf.height() * 18 / 100, left = pdf.width() / 10;
        const int perPage = pdf.height() * 78 / 100 / step;
        for (size_t k = 0; k < lines.size(); ++k) {
            const int j = int(k) % perPage;
            if (k > 0 && j == 0)
                pdf.newPage();
            painter.drawText(QPoint(left, top + j * step + metrics.ascent()), lines[k]);
        }
        painter.end();
    }
    state.counters["bytes"] = double(QFile(scratchDir() + "floor.pdf").size());
}
BENCHMARK(BM_PdfFloor_1000Lines)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

// The long message is handed over a line at a time, as the browser hands it.
class Lines : public vb::PrintLines {
public:
    explicit Lines(std::vector<vb::Bytes> lines) : lines_(std::move(lines)) {}
    size_t size() const override { return lines_.size(); }
    vb::Bytes line(size_t k) override { return lines_[k]; }

private:
    std::vector<vb::Bytes> lines_;
};

constexpr int kLong = 200000;

void BM_PrintPdf_200kLines(benchmark::State &state) {
    vb::PrintContent c = message(kLong);
    c.source = std::make_shared<Lines>(std::move(c.lines));
    c.lines.clear();
    const vb::Bytes path = vb::fsToBytes((scratchDir() + "print200k.pdf").toStdString());
    for (auto _ : state)
        vb::writePdf(c, a4(), path);
    state.counters["bytes"] = double(QFile(scratchDir() + "print200k.pdf").size());
}
BENCHMARK(BM_PrintPdf_200kLines)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_PdfFloor_200kLines(benchmark::State &state) {
    const vb::PrintContent c = message(kLong);
    QFont font(vb::toUnicode(c.fontFace));
    font.setPointSize(c.fontPoints);
    for (auto _ : state) {
        QFile out(scratchDir() + "floor200k.pdf");
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QPdfWriter pdf(&out);
        pdf.setResolution(vb::kPdfResolution);
        pdf.setPageLayout(a4());
        QPainter painter(&pdf);
        painter.setFont(font);
        const QFontMetrics metrics(font, &pdf);
        const int step = metrics.height();
        const int top = pdf.height() * 18 / 100, left = pdf.width() / 10;
        const int perPage = pdf.height() * 78 / 100 / step;
        for (size_t k = 0; k < c.lines.size(); ++k) {
            const int j = int(k) % perPage;
            if (k > 0 && j == 0)
                pdf.newPage();
            painter.drawText(QPoint(left, top + j * step + metrics.ascent()), vb::toUnicode(c.lines[k]));
        }
        painter.end();
        out.close();
    }
    state.counters["bytes"] = double(QFile(scratchDir() + "floor200k.pdf").size());
}
BENCHMARK(BM_PdfFloor_200kLines)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_PrintLongLineGap_2MB(benchmark::State &state) {
    const vb::Bytes piece = vb::cp("これは本文です plain words 0123456789 and more ");
    vb::Bytes line;
    while (line.size() < 2 * 1024 * 1024)
        line += piece;
    vb::Memo memo;
    memo.resize(600, 400);
    memo.setWordWrap(true);
    memo.setLines({line});
    memo.show();
    QApplication::processEvents();
    vb::PrintContent c = vbtest::printSample({}, vb::cp("長い行"), vb::cp("山田太郎"));
    c.source = vb::memoPrintLines(memo);
    const vb::Bytes path = vb::fsToBytes((scratchDir() + "longline.pdf").toStdString());
    qint64 longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        vb::writePdf(c, a4(), path, [&](size_t, size_t) {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
            return true;
        });
        longest = std::max(longest, clock.elapsed() - last);
    }
    state.counters["longest_gap_ms"] = double(longest);
    state.counters["bytes"] = double(QFile(scratchDir() + "longline.pdf").size());
}
BENCHMARK(BM_PrintLongLineGap_2MB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
