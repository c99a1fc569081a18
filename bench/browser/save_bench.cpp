// Saving a 10 MB Log Mode message through the browser's Save, beside the
// floor of writing the same bytes to a temporary file, fsync and rename.
// Run by hand (make bench); the tests never run it.

#include "browser/browser_window.h"
#include "messages/writer.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "tests/common/scripted_dialogs.h"
#include "platform/files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A 10 MB message: the header block and lines of Japanese and ASCII text.
std::string bigMessage() {
    std::string text = "00001\r\nTitle:big\r\nName :n\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";
    const std::string line =
        "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6 and some ASCII text to fill the line up 0123456789";
    while (text.size() < 10u << 20)
        text += line + "\r\n";
    return text;
}

void BM_Save_10MB(benchmark::State &state) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/";
    const std::string content = bigMessage();
    FILE *f = std::fopen((path + "KVX00001.TXT").c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    vb::installScriptedDialogs();
    vb::Settings settings(vb::fsToBytes(path) + "bench.ini");
    vb::TF1 browser(settings);
    browser.CurrentCategory[vb::kSlotSearchMode] = vb::kWordLogMode;
    browser.CurrentCategory[vb::kSlotSortStyle] = vb::kWordDescendingOrder;
    browser.CurrentCategory[vb::kSlotDirectory] = vb::fsToBytes(path);
    browser.FLB.setDirectory(vb::fsToBytes(path));
    browser.FLB.setMask("KVX?????.TXT");
    browser.TitleList_Read();
    browser.TextLoad();
    for (auto _ : state) {
        // Save alone is timed: it leaves edit mode, which it needs.
        state.PauseTiming();
        browser.Btn_EditClick();
        state.ResumeTiming();
        browser.Btn_SaveClick(); // the scripted question answers OK
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
}
BENCHMARK(BM_Save_10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_AtomicWriteFloor_10MB(benchmark::State &state) {
    QTemporaryDir dir;
    const std::string target = dir.path().toStdString() + "/KVX00001.TXT";
    const std::string content = bigMessage();
    for (auto _ : state) {
        const std::string tmp = target + ".tmp";
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        size_t done = 0;
        while (done < content.size())
            done += size_t(::write(fd, content.data() + done, content.size() - done));
        ::fsync(fd);
        ::close(fd);
        ::rename(tmp.c_str(), target.c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
}
BENCHMARK(BM_AtomicWriteFloor_10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace
