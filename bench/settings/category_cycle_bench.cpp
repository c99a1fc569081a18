// One read, compaction and rewrite of the category table over 256 enabled
// categories in a real settings file.

#include "settings/categories.h"
#include "settings/profile.h"
#include "settings/settings.h"
#include "tests/common/tempdir.h"
#include "platform/codepage.h"
#include "platform/epath.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

// A settings file holding 256 categories with every key set, followed by the
// application section (so that a rewrite moves the categories behind it).
std::string fullSettingsFile() {
    const auto &keys = vb::categoryKeys();
    std::string text;
    for (int i = 0; i < vb::kCategoryCount; ++i) {
        text += "[" + vb::categorySectionName(i) + "]\r\n";
        for (const vb::CategoryKey &key : keys) {
            std::string value = key.def;
            if (key.slot == vb::kSlotEnabled)
                value = vb::kWordEnable;
            else if (key.slot == vb::kSlotTitle)
                value = vb::cp(u8"カテゴリ ") + std::to_string(i);
            else if (key.slot == vb::kSlotDirectory)
                value = "/home/user/" + vb::cp(u8"ログ") + "/messages/" + std::to_string(i) + "/";
            text += std::string(key.name) + "=" + value + "\r\n";
        }
    }
    text += "[Velbrook v0.2]\r\nPosition_FormLeft=10\r\nDefaultCategory=x\r\n";
    return text;
}

void writeFile(const std::string &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

void cycle(vb::Settings &settings) {
    settings.CategoryData_Read();
    settings.CategoryData_Clean();
    settings.CategoryData_UpDate();
}

// Every cycle rewrites the file.
void BM_CategoryCycle_256(benchmark::State &state) {
    vbtest::TempDir dir;
    vb::setEPath(dir.path());
    const std::string path = dir.file("Velbrook.ini");
    const std::string text = fullSettingsFile();
    vb::Settings settings(path);
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, text);
        state.ResumeTiming();
        cycle(settings);
    }
}
BENCHMARK(BM_CategoryCycle_256)->Unit(benchmark::kMillisecond);

// The steady state: the rewrite produces the bytes already on disk.
void BM_CategoryCycle_256_Unchanged(benchmark::State &state) {
    vbtest::TempDir dir;
    vb::setEPath(dir.path());
    const std::string path = dir.file("Velbrook.ini");
    writeFile(path, fullSettingsFile());
    vb::Settings settings(path);
    cycle(settings);
    for (auto _ : state)
        cycle(settings);
}
BENCHMARK(BM_CategoryCycle_256_Unchanged)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
