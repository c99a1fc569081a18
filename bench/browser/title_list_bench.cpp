// Opening a category of 100,000 Log Mode messages and moving through it, each
// measure beside its floor, the bare cost of the same work done with system
// calls alone: listing the directory, sorting the names, opening each file,
// reading its first 4 KiB and closing it. Compare a measure with its floor
// within one run. Run by hand (make bench); the tests never run it.

#include "browser/browser_window.h"
#include "messages/file_list.h"
#include "messages/numbers.h"
#include "messages/threads.h"
#include "platform/files.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "tests/browser/browser_probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMessages = 100000;

// The names of the directory's entries, as readdir hands them out.
std::vector<std::string> readdirNames(const std::string &dir) {
    std::vector<std::string> names;
    DIR *d = ::opendir(dir.c_str());
    while (struct dirent *e = ::readdir(d))
        if (e->d_name[0] != '.')
            names.emplace_back(e->d_name);
    ::closedir(d);
    return names;
}

size_t readHeads(const std::string &dir, const std::vector<std::string> &names) {
    char buf[4096];
    size_t total = 0;
    for (const std::string &name : names) {
        const int fd = ::open((dir + name).c_str(), O_RDONLY);
        const ssize_t n = ::read(fd, buf, sizeof buf);
        ::close(fd);
        total += size_t(n > 0 ? n : 0);
    }
    return total;
}

// A directory of generated messages, made once per run for each size. Every
// message has ten next links (to the ten numbers above its own) and a back
// link to the one below. With VB_BENCH_DIR set, the directories are kept
// under that folder and reused by later runs, so a profile of one measure
// is not swamped by the making of 100,000 files.
const std::string &collection(int count = kMessages) {
    static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, std::string>> made;
    auto &slot = made[count];
    if (slot.second.empty()) {
        const char *keep = std::getenv("VB_BENCH_DIR");
        if (keep && *keep) {
            slot.second = std::string(keep) + "/messages-" + std::to_string(count) + "/";
            ::mkdir(keep, 0700);
            ::mkdir(slot.second.c_str(), 0700);
        } else {
            slot.first = std::make_unique<QTemporaryDir>();
            slot.second = slot.first->path().toStdString() + "/";
        }
        const std::string done = slot.second + ".complete";
        for (int i = 0; i < count && ::access(done.c_str(), F_OK) != 0; ++i) {
            char name[32], next[64], body[768];
            std::snprintf(name, sizeof name, "KVX%05d.TXT", i);
            for (int k = 0; k < 10; ++k)
                std::snprintf(next + 5 * k, sizeof next - 5 * size_t(k), "%05d", i + 1 + k);
            int n = std::snprintf(body, sizeof body,
                                  "%05d\r\nTitle:Message number %d about the weather\r\nName :Writer %d\r\n"
                                  "Mail :writer%d@example.com\r\nHttp :http://example.com/~w%d/\r\n"
                                  "Date :2001/04/03 (\x89\xce) 21:15\r\nNext :%s\r\nBack :%05d\r\n\r\n\r\n"
                                  "Body text of message %d.\r\nA second line.\r\n",
                                  i, i, i % 97, i % 97, i % 97, next, i - 1, i);
            FILE *f = std::fopen((slot.second + name).c_str(), "wb");
            std::fwrite(body, 1, size_t(n), f);
            std::fclose(f);
        }
        if (!slot.first)
            std::fclose(std::fopen(done.c_str(), "wb"));
    }
    // Every file is read once before any measure, so the first measure to
    // read them neither fills the page cache nor pays for the access times
    // that the first read of a new file writes back.
    readHeads(slot.second, readdirNames(slot.second));
    return slot.second;
}

// The settings of a browser whose first category is the generated
// collection of the given size, in descending order.
void setUpCategory(vb::Settings &settings, const std::string &dir) {
    vb::CategoryRecord cat = settings.activeCategory(0);
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
    settings.setActiveCategory(0, cat);
}

// A refresh asked for, and waited for until its result is in the list.
void refreshAndWait(vb::TF1 &browser, bool byHand = false) {
    browser.TitleList_Refresh(byHand);
    while (browser.refreshUnderWay())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void selectFirstCategory(vb::TF1 &browser) {
    vb::BrowserProbe(browser).CBox_Category->addLine("Bench");
    vb::BrowserProbe(browser).CBox_Category->setSelectedIndex(0);
    browser.CategoryBox_ListChange();
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
BENCHMARK(BM_TitleList_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The floor of the title list: open, read 4 KiB and close each listed file.
void BM_ReadHeadersFloor_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::FileList list;
    list.setDirectory(vb::fsToBytes(dir));
    list.setMask("KVX?????.TXT");
    std::vector<std::string> names(list.names().begin(), list.names().end());
    for (auto _ : state)
        benchmark::DoNotOptimize(readHeads(dir, names));
}
BENCHMARK(BM_ReadHeadersFloor_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Selecting the category again in a browser that shows it: list the
// directory, build the title list and show the top message, as a click in
// the category box does.
void BM_SelectCategory_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    selectFirstCategory(browser);
    for (auto _ : state) {
        browser.CategoryBox_ListChange();
        benchmark::DoNotOptimize(vb::BrowserProbe(browser).LB_Title->count());
    }
    if (vb::BrowserProbe(browser).LB_Title->count() != kMessages)
        state.SkipWithError("the title list is incomplete");
}
BENCHMARK(BM_SelectCategory_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// What View does up to the count caption and the first title shown, in a
// fresh browser each time.
void BM_SelectCategoryFirst_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    std::unique_ptr<vb::TF1> browser;
    for (auto _ : state) {
        state.PauseTiming(); // the last browser goes away outside the measure
        browser.reset();
        state.ResumeTiming();
        browser = std::make_unique<vb::TF1>(settings);
        selectFirstCategory(*browser);
        benchmark::DoNotOptimize(vb::BrowserProbe(*browser).LB_Title->count());
    }
    if (!browser || vb::BrowserProbe(*browser).LB_Title->count() != kMessages)
        state.SkipWithError("the title list is incomplete");
}
BENCHMARK(BM_SelectCategoryFirst_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The floor of opening a category: list the directory, sort the names, and
// open, read 4 KiB and close each file.
void BM_ListSortReadFloor_100k(benchmark::State &state) {
    const std::string dir = collection();
    for (auto _ : state) {
        std::vector<std::string> names = readdirNames(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(readHeads(dir, names));
    }
}
BENCHMARK(BM_ListSortReadFloor_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Listing the directory for the file list: the names of the mask in name order.
void BM_ListDirectory_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::FileList list;
    list.setDirectory(vb::fsToBytes(dir));
    list.setMask("KVX?????.TXT");
    for (auto _ : state) {
        list.reread();
        benchmark::DoNotOptimize(list.count());
    }
    if (list.count() != size_t(kMessages))
        state.SkipWithError("the list is incomplete");
}
BENCHMARK(BM_ListDirectory_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The title list following its folder: one message added to the category of
// 100,000 by another program, and the list brought up to it (listed again,
// the one new header read, every other line kept). Compare with
// ListDirectory, the listing alone, in the same run.
void BM_RefreshOneAdded_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    selectFirstCategory(browser);
    // A message from the middle: the one on view, at the top, stays.
    const std::string added = dir + "KVX50000.TXT";
    std::string content(4096, '\0');
    {
        FILE *f = std::fopen(added.c_str(), "rb");
        content.resize(std::fread(content.data(), 1, content.size(), f));
        std::fclose(f);
    }
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(added.c_str());
        refreshAndWait(browser);
        FILE *f = std::fopen(added.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
        state.ResumeTiming();
        refreshAndWait(browser);
        benchmark::DoNotOptimize(vb::BrowserProbe(browser).LB_Title->count());
    }
    if (vb::BrowserProbe(browser).LB_Title->count() != kMessages ||
        vb::BrowserProbe(browser).LB_Title->line(kMessages / 2 - 1).compare(0, 5, "50000") != 0)
        state.SkipWithError("the added message is not listed in its place");
}
BENCHMARK(BM_RefreshOneAdded_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// Reload (F5) on the category of 100,000, nothing changed: the folder listed
// again and every file asked whether it was rewritten in place. The time is
// the whole reload's; gap_ms is the longest the GUI thread went without
// serving a 5 ms timer meanwhile, the longest the window stood still.
void BM_ReloadGuiGap_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    selectFirstCategory(browser);
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    for (auto _ : state) {
        sinceTick.start();
        ticker.start();
        QMetaObject::invokeMethod(
            &browser, [&browser] { browser.MM_View_ReloadClick(); }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        while (browser.refreshUnderWay())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        longest = std::max(longest, sinceTick.elapsed());
        ticker.stop();
    }
    state.counters["gap_ms"] = benchmark::Counter(double(longest), benchmark::Counter::kAvgThreads);
    if (vb::BrowserProbe(browser).LB_Title->count() != kMessages)
        state.SkipWithError("the list is incomplete");
}
BENCHMARK(BM_ReloadGuiGap_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The floor of listing: readdir into strings and sort them by their bytes.
void BM_ReaddirSortFloor_100k(benchmark::State &state) {
    const std::string dir = collection();
    for (auto _ : state) {
        std::vector<std::string> names = readdirNames(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_ReaddirSortFloor_100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The kernel drops its page, directory-entry and inode caches, so that the
// next read comes from the disk (root only).
bool dropCaches() {
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY);
    const bool done = fd >= 0 && ::write(fd, "3", 1) == 1;
    if (fd >= 0)
        ::close(fd);
    return done;
}

// SelectCategoryFirst from a cold cache, in wall time: what View costs on a
// folder not read since the machine started.
void BM_SelectCategoryFirstCold_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    std::unique_ptr<vb::TF1> browser;
    for (auto _ : state) {
        state.PauseTiming();
        browser.reset();
        if (!dropCaches()) {
            state.SkipWithError("the caches cannot be dropped here (root only)");
            break;
        }
        state.ResumeTiming();
        browser = std::make_unique<vb::TF1>(settings);
        selectFirstCategory(*browser);
        benchmark::DoNotOptimize(vb::BrowserProbe(*browser).LB_Title->count());
    }
}
BENCHMARK(BM_SelectCategoryFirstCold_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The floor of a cold open: ListSortReadFloor from a cold cache.
void BM_ListSortReadFloorCold_100k(benchmark::State &state) {
    const std::string dir = collection();
    for (auto _ : state) {
        state.PauseTiming();
        if (!dropCaches()) {
            state.SkipWithError("the caches cannot be dropped here (root only)");
            break;
        }
        state.ResumeTiming();
        std::vector<std::string> names = readdirNames(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(readHeads(dir, names));
    }
}
BENCHMARK(BM_ListSortReadFloorCold_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One page of the title list scrolled and painted, in a shown browser; the
// cost should not grow with the length of the list.
void scrollTitles(benchmark::State &state, int count) {
    const std::string dir = collection(count);
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    browser.resize(800, 600);
    browser.show();
    selectFirstCategory(browser);
    vb::TitleList *list = vb::BrowserProbe(browser).LB_Title;
    QScrollBar *bar = list->verticalScrollBar();
    QApplication::processEvents();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        list->viewport()->repaint();
    }
    if (bar->maximum() <= bar->pageStep())
        state.SkipWithError("the list does not scroll");
}
void BM_ScrollTitles_100k(benchmark::State &state) { scrollTitles(state, kMessages); }
void BM_ScrollTitles_1k(benchmark::State &state) { scrollTitles(state, 1000); }
BENCHMARK(BM_ScrollTitles_100k)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ScrollTitles_1k)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// End onto the bottom message of the list (number 0, with ten next links to
// messages in the list), the message shown with its link captions.
void moveEndTenLinks(benchmark::State &state, int count) {
    const std::string dir = collection(count);
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    selectFirstCategory(browser);
    for (auto _ : state) {
        browser.Btn_EndClick();
        benchmark::DoNotOptimize(browser.messageOnView().Current.Number);
    }
    if (browser.messageOnView().Current.Number != "00000" || browser.messageOnView().Current.NextLinks.size() != 50)
        state.SkipWithError("End did not show the message with ten links");
}
void BM_MoveEndTenLinks_100k(benchmark::State &state) { moveEndTenLinks(state, kMessages); }
void BM_MoveEndTenLinks_1k(benchmark::State &state) { moveEndTenLinks(state, 1000); }
BENCHMARK(BM_MoveEndTenLinks_100k)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_MoveEndTenLinks_1k)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Thread view. The tree of 100,000 messages in threads of 1 to 50 replies
// (each answering the previous one or the thread's first, by back link and
// next link alike) made from links as the title pass keeps them, and handed
// to the title list, which lays out its rows: no file is read.
void BM_ThreadBuild_100k(benchmark::State &state) {
    vb::ThreadLinks links;
    vb::TitleList list;
    {
        vb::TitleList::Batch batch(list);
        int number = 0;
        for (int thread = 0; number < kMessages; ++thread) {
            const int first = number, size = std::min(1 + thread % 50, kMessages - number);
            for (int k = 0; k < size; ++k, ++number) {
                const int parent = k == 0 ? -1 : (k % 3 == 0 ? first : number - 1);
                std::string next;
                if (k + 1 < size)
                    next += vb::fiveDigit(number + 1);
                char line[64];
                std::snprintf(line, sizeof line, "%05d _ Message %d / Writer", number, number);
                list.append(line);
                links.add(number, parent < 0 ? vb::Bytes() : vb::fiveDigit(parent), next);
            }
        }
    }
    for (auto _ : state) {
        vb::ThreadTree t = vb::ThreadTree::build(links, size_t(kMessages), false);
        list.setTree({std::move(t.parent), std::move(t.childStart), std::move(t.children), std::move(t.roots), {}});
        benchmark::DoNotOptimize(list.count());
    }
    if (!list.isThreaded() || list.count() != kMessages)
        state.SkipWithError("the tree is incomplete");
}
BENCHMARK(BM_ThreadBuild_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// SelectCategoryFirst with Thread View on: the links are kept during the
// title pass and the tree made (the generated collection is one thread of
// 100,000 replies, each answering the one before).
void BM_SelectCategoryFirstThread_100k(benchmark::State &state) {
    const std::string dir = collection();
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    std::unique_ptr<vb::TF1> browser;
    for (auto _ : state) {
        state.PauseTiming();
        browser.reset();
        state.ResumeTiming();
        browser = std::make_unique<vb::TF1>(settings);
        state.PauseTiming();
        vb::BrowserProbe(*browser).MM_View_Thread->trigger(); // no category yet: only turned on
        state.ResumeTiming();
        selectFirstCategory(*browser);
        benchmark::DoNotOptimize(vb::BrowserProbe(*browser).LB_Title->count());
    }
    if (!browser || vb::BrowserProbe(*browser).LB_Title->count() != kMessages ||
        !vb::BrowserProbe(*browser).LB_Title->isThreaded())
        state.SkipWithError("the thread list is incomplete");
}
BENCHMARK(BM_SelectCategoryFirstThread_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// End in Thread View: the last row of the one thread, its deepest reply
// (whose ten links name numbers past the list).
void moveEndTenLinksThread(benchmark::State &state, int count) {
    const std::string dir = collection(count);
    vb::Settings settings(vb::fsToBytes(dir) + "bench.ini");
    setUpCategory(settings, dir);
    vb::TF1 browser(settings);
    vb::BrowserProbe(browser).MM_View_Thread->trigger();
    selectFirstCategory(browser);
    for (auto _ : state) {
        browser.Btn_EndClick();
        benchmark::DoNotOptimize(browser.messageOnView().Current.Number);
    }
    if (!vb::BrowserProbe(browser).LB_Title->isThreaded() ||
        browser.messageOnView().Current.Number != vb::fiveDigit(count - 1) ||
        browser.messageOnView().Current.NextLinks.size() < 50)
        state.SkipWithError("End did not show the deepest reply with its ten links");
}
void BM_MoveEndTenLinksThread_100k(benchmark::State &state) { moveEndTenLinksThread(state, kMessages); }
void BM_MoveEndTenLinksThread_1k(benchmark::State &state) { moveEndTenLinksThread(state, 1000); }
BENCHMARK(BM_MoveEndTenLinksThread_100k)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_MoveEndTenLinksThread_1k)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

} // namespace
