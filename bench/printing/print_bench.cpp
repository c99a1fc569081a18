// Printing a 1,000-line message to a PDF file, layout and fitting included,
// against the floor of drawing the same lines at one fixed size onto the same
// pages, without fitting or caption. Run by hand (make bench).

#include "printing/print_commands.h"
#include "tests/printing/print_sample.h"
#include "ui/widgets/fonts.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

vb::PrintContent message() {
    std::vector<vb::Bytes> lines;
    for (int i = 0; i < 1000; ++i)
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
BENCHMARK(BM_PrintPdf_1000Lines)->Unit(benchmark::kMillisecond)->MinTime(3.0);

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
BENCHMARK(BM_PdfFloor_1000Lines)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
