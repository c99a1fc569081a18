// The Find box against a pattern that backtracks without end, over a 10 MB
// message that is both on view and the category's one file: how soon a stop
// ends the run, and the longest the GUI thread is kept from a 5 ms timer
// while the search and the marking of the message on view run. A second
// gap measure takes a plain text with a hit on every line. Run by hand
// (make bench); the tests never run it.

#include "browser/find/find_controller.h"
#include "browser/find_panel.h"
#include "ui/widgets/memo.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr size_t kMessageBytes = size_t(10) << 20;
const std::string kLine = std::string(25, 'a') + "!";

// A Find box, a memo showing the message and the controller between them;
// the rig is the controller's host.
struct Rig : vb::FindController::Host {
    QTemporaryDir dir;
    QWidget window;
    vb::FindPanel *panel = new vb::FindPanel;
    vb::Memo *memo = new vb::Memo;
    vb::FindController *finder;

    Rig() {
        std::string text =
            "00001\r\nTitle:Big\r\nName :N\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n";
        std::vector<vb::Bytes> lines;
        while (text.size() < kMessageBytes) {
            text += kLine + "\r\n";
            lines.push_back(kLine);
        }
        const std::string path = dir.path().toStdString() + "/KVX00001.TXT";
        FILE *f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);

        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        layout->addWidget(memo);
        memo->setLines(lines);
        memo->setReadOnly(true);
        finder = new vb::FindController(*this, panel, memo, &window);
        // As the window connects them.
        QObject::connect(panel, &vb::FindPanel::findRequested, finder, &vb::FindController::search);
        QObject::connect(panel, &vb::FindPanel::stopRequested, finder, &vb::FindController::stop);
        window.resize(800, 600);
        window.show();
    }
    vb::FindScope findScope() const override {
        vb::FindScope s;
        s.directory = vb::fsToBytes(dir.path().toStdString()) + "/";
        s.names = {"KVX00001.TXT"};
        s.logMode = true;
        s.fileOnView = "KVX00001.TXT";
        return s;
    }
    vb::Bytes fileOnView() const override { return "KVX00001.TXT"; }
    bool showFoundMessage(const vb::Bytes &, const vb::Bytes &, vb::Bytes *) override { return true; }

    // The Find box's controls, by name.
    template <class T>
    T *control(const char *name) const {
        return panel->findChild<T *>(QString::fromLatin1(name));
    }
    void pattern(const char *text, bool regex) {
        control<QCheckBox>("Chk_FindRegex")->setChecked(regex);
        control<QLineEdit>("Edt_FindText")->setText(QString::fromLatin1(text));
    }
    void click(const char *button) const { control<QAbstractButton>(button)->click(); }
    bool running() const { return control<QAbstractButton>("Btn_FindStop")->isEnabled(); }
    void waitForEnd() {
        while (running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    static void runFor(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

Rig &rig() {
    static Rig *r = new Rig;
    return *r;
}

void BM_FindStop_10MB(benchmark::State &state) {
    Rig &r = rig();
    r.pattern("(a+)+$", true);
    for (auto _ : state) {
        state.PauseTiming();
        r.click("Btn_Find");
        Rig::runFor(100);
        if (!r.running()) {
            state.SkipWithError("the run ended before the stop");
            break;
        }
        state.ResumeTiming();
        r.click("Btn_FindStop");
        r.waitForEnd();
    }
}
BENCHMARK(BM_FindStop_10MB)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

// The longest gap between two ticks of a 5 ms timer over a search started
// and, half a second later, stopped (or ended), the start and the end
// included. With no pattern, the floor: the same time with nothing to find.
void guiGap(benchmark::State &state, const char *pattern, bool regex) {
    Rig &r = rig();
    r.pattern(pattern ? pattern : "", regex);
    qint64 longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        tick.start();
        if (pattern)
            QTimer::singleShot(20, [&r] { r.click("Btn_Find"); });
        Rig::runFor(520);
        r.click("Btn_FindStop");
        r.waitForEnd();
        Rig::runFor(30);
    }
    state.counters["longest_gap_ms"] = double(longest);
}

void BM_GuiGapFloor_10MB(benchmark::State &state) { guiGap(state, nullptr, false); }
BENCHMARK(BM_GuiGapFloor_10MB)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_FindGuiGap_10MB(benchmark::State &state) { guiGap(state, "(a+)+$", true); }
BENCHMARK(BM_FindGuiGap_10MB)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_FindGuiGapEveryLine_10MB(benchmark::State &state) { guiGap(state, "a!", false); }
BENCHMARK(BM_FindGuiGapEveryLine_10MB)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
