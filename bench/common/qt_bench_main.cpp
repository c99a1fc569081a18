// The main of the benchmarks that need a QApplication (offscreen), with the
// stored font faces mapped onto installed ones as the program maps them.

#include "ui/widgets/fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vb::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
