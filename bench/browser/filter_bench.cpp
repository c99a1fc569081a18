// Filtering a title list of 100,000 lines by a three-character text, as the
// filter field does on each key. Run by hand (make bench); the tests never
// run it.

#include "browser/browser_window.h"
#include "settings/settings.h"
#include "tests/browser/browser_probe.h"
#include "ui/widgets/textfield.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kLines = 100000;

void BM_Filter_100k(benchmark::State &state) {
    QTemporaryDir dir;
    vb::Settings settings(vb::fsToBytes(dir.path().toStdString()) + "/bench.ini");
    vb::TF1 browser(settings);
    vb::BrowserProbe ui(browser);
    {
        vb::TitleList::Batch batch(*ui.LB_Title);
        for (int i = 0; i < kLines; ++i) {
            char line[128];
            std::snprintf(line, sizeof line, "%05d _ Message number %d about the %s / Writer %d", i, i,
                          i % 10 == 0 ? "weather" : "garden", i % 97);
            ui.LB_Title->append(line);
        }
    }
    ui.LB_Title->setSelectedIndex(0);
    int kept = 0;
    for (auto _ : state) {
        ui.Edt_TitleFilter->setText(QStringLiteral("wea"));
        kept = ui.LB_Title->count();
        state.PauseTiming();
        ui.Edt_TitleFilter->clear();
        state.ResumeTiming();
    }
    if (kept != kLines / 10)
        state.SkipWithError("the filter kept the wrong lines");
    state.counters["shown"] = kept;
}
BENCHMARK(BM_Filter_100k)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
