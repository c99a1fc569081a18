// Building the title list of a directory of 100,000 Log Mode messages,
// against the floor of opening each file, reading its first 4 KiB and closing
// it. Run by hand (make bench); the tests never run it.

#include "browser/browser_window.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "tests/browser/browser_probe.h"
#include "ui/core/files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kMessages = 100000;

// The directory of generated messages, made once per run.
const std::string &collection() {
    static QTemporaryDir dir;
    static std::string path;
    if (path.empty()) {
        path = dir.path().toStdString() + "/";
        for (int i = 0; i < kMessages; ++i) {
            char name[32], body[512];
            std::snprintf(name, sizeof name, "KVX%05d.TXT", i);
            int n = std::snprintf(body, sizeof body,
                                  "%05d\r\nTitle:Message number %d about the weather\r\nName :Writer %d\r\n"
                                  "Mail :writer%d@example.com\r\nHttp :http://example.com/~w%d/\r\n"
                                  "Date :2001/04/03 (\x89\xce) 21:15\r\nNext :%05d\r\nBack :%05d\r\n\r\n\r\n"
                                  "Body text of message %d.\r\nA second line.\r\n",
                                  i, i, i % 97, i % 97, i % 97, i + 1, i - 1, i);
            FILE *f = std::fopen((path + name).c_str(), "wb");
            std::fwrite(body, 1, size_t(n), f);
            std::fclose(f);
        }
    }
    return path;
}

void BM_TitleList_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    vb::TF1 browser(settings);
    browser.CurrentCategory[vb::kSlotSearchMode] = vb::kWordLogMode;
    browser.CurrentCategory[vb::kSlotSortStyle] = vb::kWordDescendingOrder;
    browser.FLB.setDirectory(vb::fsToBytes(dir));
    browser.FLB.setMask("KVX?????.TXT");
    for (auto _ : state) {
        browser.TitleList_Read();
        benchmark::DoNotOptimize(vb::BrowserProbe(browser).LB_Title->count());
    }
    if (vb::BrowserProbe(browser).LB_Title->count() != kMessages)
        state.SkipWithError(
            ("the title list is incomplete: " + std::to_string(vb::BrowserProbe(browser).LB_Title->count()) + " of " +
             std::to_string(browser.FLB.names().size()))
                .c_str());
    state.counters["files"] = double(browser.FLB.names().size());
}
BENCHMARK(BM_TitleList_100k)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Selecting the category: list the directory, build the title list and show
// the top message, as a click in the category box does.
void BM_SelectCategory_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    vb::CategoryRecord &cat = settings.ActiveCategories[0];
    cat[vb::kSlotEnabled] = vb::kWordEnable;
    cat[vb::kSlotTitle] = "Bench";
    cat[vb::kSlotDirectory] = vb::fsToBytes(dir);
    cat[vb::kSlotFileName1] = "KVX";
    cat[vb::kSlotFileName2] = "TXT";
    cat[vb::kSlotSearchMode] = vb::kWordLogMode;
    cat[vb::kSlotSortStyle] = vb::kWordDescendingOrder;
    cat[vb::kSlotDefaultFont] = vb::kWordFixed;
    cat[vb::kSlotFixedFontName] = vb::fixedFontDefault();
    cat[vb::kSlotFixedFontPoint] = "12";
    vb::TF1 browser(settings);
    vb::BrowserProbe(browser).CBox_Category->addLine("Bench");
    vb::BrowserProbe(browser).CBox_Category->setSelectedIndex(0);
    for (auto _ : state) {
        browser.CategoryBox_ListChange();
        benchmark::DoNotOptimize(vb::BrowserProbe(browser).LB_Title->count());
    }
    if (vb::BrowserProbe(browser).LB_Title->count() != kMessages)
        state.SkipWithError("the title list is incomplete");
}
BENCHMARK(BM_SelectCategory_100k)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ReadHeadersFloor_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::FileList list;
    list.setDirectory(vb::fsToBytes(dir));
    list.setMask("KVX?????.TXT");
    std::vector<std::string> paths;
    for (const vb::Bytes &name : list.names())
        paths.push_back(dir + name);
    char buf[4096];
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string &p : paths) {
            int fd = ::open(p.c_str(), O_RDONLY);
            ssize_t n = ::read(fd, buf, sizeof buf);
            ::close(fd);
            total += size_t(n);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadHeadersFloor_100k)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
