// Searching 100,000 generated 1-KiB Log Mode messages for a text that one in
// a hundred of them holds, all hits collected, against the floor of opening,
// reading whole and closing the same files, in wall time (as the user waits
// for the results). Run by hand (make bench); the tests never run it.

#include "messages/file_list.h"
#include "messages/search.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMessages = 100000;
constexpr size_t kMessageBytes = 1024;

// A body line of ASCII and double-byte text (天気 予報 ...).
const std::string kFiller = "The forecast said \x93\x56\x8b\x43 \x97\x5c\x95\xf1: clear skies over the hills.\r\n";

// The directory of generated messages, made once per run and removed at
// exit. With VB_BENCH_DIR set, it is kept under that folder and reused by
// later runs.
const std::string &collection() {
    static std::string path;
    if (!path.empty())
        return path;
    const char *keep = std::getenv("VB_BENCH_DIR");
    if (keep && *keep) {
        path = std::string(keep) + "/search-" + std::to_string(kMessages) + "/";
        ::mkdir(keep, 0700);
        ::mkdir(path.c_str(), 0700);
        if (::access((path + ".complete").c_str(), F_OK) == 0)
            return path;
    } else {
        char pattern[] = "/tmp/vb_search_bench_XXXXXX";
        path = std::string(mkdtemp(pattern)) + "/";
        std::atexit([] {
            if (std::system(("rm -rf '" + path + "'").c_str()) != 0)
                std::fputs("the generated messages were not removed\n", stderr);
        });
    }
    for (int i = 0; i < kMessages; ++i) {
        char name[32], head[256];
        std::snprintf(name, sizeof name, "KVX%05d.TXT", i);
        std::snprintf(head, sizeof head,
                      "%05d\r\nTitle:Message %d\r\nName :Writer %d\r\nMail :w%d@example.com\r\nHttp :\r\n"
                      "Date :2001/04/03\r\nNext :\r\nBack :\r\n\r\n\r\n",
                      i, i, i % 97, i % 97);
        std::string text = head;
        if (i % 100 == 0)
            text += "A Thunderstorm came at noon.\r\n";
        while (text.size() + kFiller.size() <= kMessageBytes)
            text += kFiller;
        text.append(kMessageBytes - text.size(), '.');
        FILE *f = std::fopen((path + name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    if (keep && *keep)
        std::fclose(std::fopen((path + ".complete").c_str(), "wb"));
    return path;
}

std::vector<vb::Bytes> names() {
    vb::FileList list;
    list.setDirectory(collection());
    list.setMask("KVX?????.TXT");
    return list.names().toVector();
}

void search(benchmark::State &state, const vb::Bytes &pattern, bool regex) {
    const std::vector<vb::Bytes> files = names();
    vb::Matcher matcher;
    matcher.compile(pattern, regex);
    std::atomic<bool> cancel{false};
    size_t hits = 0;
    for (auto _ : state) {
        std::vector<vb::MessageHits> found;
        const vb::SearchSummary s = vb::searchMessages(collection(), files, true, matcher, cancel,
                                                       [&](vb::MessageHits &&m) { found.push_back(std::move(m)); });
        hits = s.hits;
        benchmark::DoNotOptimize(found.data());
    }
    if (hits != kMessages / 100)
        state.SkipWithError(("expected 1000 hits, found " + std::to_string(hits)).c_str());
    state.counters["hits"] = double(hits);
}

void BM_Search_100k(benchmark::State &state) { search(state, "thunderstorm", false); }
BENCHMARK(BM_Search_100k)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_SearchRegex_100k(benchmark::State &state) { search(state, "thunder[a-z]+ came", true); }
BENCHMARK(BM_SearchRegex_100k)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_ReadAllFloor_100k(benchmark::State &state) {
    const std::vector<vb::Bytes> files = names();
    std::vector<std::string> paths;
    for (const vb::Bytes &name : files)
        paths.push_back(collection() + name);
    std::string buf(65536, '\0');
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string &p : paths) {
            const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
            ssize_t n;
            while ((n = ::read(fd, &buf[0], buf.size())) > 0)
                total += size_t(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadAllFloor_100k)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The same floor with each file opened by name in the folder held open, the
// cheapest way to open them.
void BM_ReadAllFloorAt_100k(benchmark::State &state) {
    const std::vector<vb::Bytes> files = names();
    const int folder = ::open(collection().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string buf(65536, '\0');
    for (auto _ : state) {
        size_t total = 0;
        for (const vb::Bytes &name : files) {
            const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC);
            ssize_t n;
            while ((n = ::read(fd, &buf[0], buf.size())) > 0)
                total += size_t(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
    ::close(folder);
}
BENCHMARK(BM_ReadAllFloorAt_100k)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
