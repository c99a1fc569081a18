// The recovery journal's cost: the time the GUI thread spends handing one
// journal of the memo's text over (the copy of the text), beside the floor
// of copying the same text once, and the whole journal (copy, conversion
// and the atomic write on the journal's thread) of 10 MB beside the floor of
// writing its bytes atomically. Run by hand (make bench).

#include "recovery/recovery_journal.h"
#include "platform/files.h"
#include "ui/widgets/memo.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

// Lines of Japanese and ASCII text, about bytes long in the code page.
std::vector<vb::Bytes> text(size_t bytes) {
    const vb::Bytes line =
        "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6 and some ASCII text to fill the line up 0123456789";
    std::vector<vb::Bytes> lines;
    for (size_t n = 0; n < bytes; n += line.size() + 2)
        lines.push_back(line);
    return lines;
}

struct Setup : vb::JournalSource {
    explicit Setup(size_t bytes) {
        memo.setLines(text(bytes));
        journal.setFolder(vb::fsToBytes(dir.path().toStdString() + "/recovery/"));
        journal.start({"/nowhere/a.txt", {}, "bench", false}, *this);
    }
    // As the browser hands its memo's text over.
    vb::JournalSnapshot journalSnapshot() const override {
        return vb::JournalSnapshot{vb::Bytes(), memo.document()->toRawText()};
    }
    QTemporaryDir dir;
    vb::Memo memo;
    vb::RecoveryJournal journal;
};

void BM_JournalGuiCost_1MB(benchmark::State &state) {
    Setup s(1u << 20);
    for (auto _ : state) {
        s.journal.writeNow(); // returns once the text is copied and handed over
        state.PauseTiming();
        s.journal.waitIdle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JournalGuiCost_1MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_TextCopyFloor_1MB(benchmark::State &state) {
    Setup s(1u << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.memo.document()->toPlainText());
}
BENCHMARK(BM_TextCopyFloor_1MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_JournalWhole_10MB(benchmark::State &state) {
    Setup s(10u << 20);
    for (auto _ : state) {
        s.journal.writeNow();
        s.journal.waitIdle();
    }
}
BENCHMARK(BM_JournalWhole_10MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_JournalWriteFloor_10MB(benchmark::State &state) {
    QTemporaryDir dir;
    vb::Bytes bytes;
    for (const vb::Bytes &line : text(10u << 20))
        bytes += line + "\r\n";
    const vb::Bytes target = vb::fsToBytes(dir.path().toStdString() + "/floor.vbr");
    for (auto _ : state)
        vb::writeFileAtomic(target, bytes, nullptr, vb::FileAccess::Private);
}
BENCHMARK(BM_JournalWriteFloor_10MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
