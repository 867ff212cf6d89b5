// The recorder's cost per mouse event on the hook path, against the fake
// desktop, with script boxes of 0, 10,000 and 100,000 lines measured side by
// side. Build it Release without sanitizers; it prints figures and never fails.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "capture/input_hook.h"
#include "capture/recorder.h"
#include "fakes/fake_desktop.h"
#include "platform/window.h"

namespace {

using Clock = std::chrono::steady_clock;
using qm::Control;
using qm::fake::Desktop;

constexpr std::uint32_t Move = 0x0200, LeftDown = 0x0201, LeftUp = 0x0202;
constexpr int Rounds = 40;
constexpr int ClicksPerRound = 500;

// A line as the recorder writes it: 水平：1234；垂直：567；鼠标：鼠标左键单击；延时：500 CR LF.
std::string ScriptOf(int lines) {
    const std::string line =
        "\xCB\xAE\xC6\xBD\xA3\xBA"
        "1234\xA3\xBB\xB4\xB9\xD6\xB1\xA3\xBA"
        "567\xA3\xBB\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7\xA3\xBB"
        "\xD1\xD3\xCA\xB1\xA3\xBA"
        "500\r\n";
    std::string s;
    s.reserve(line.size() * static_cast<std::size_t>(lines) + (1u << 20));
    for (int i = 0; i < lines; ++i) s += line;
    return s;
}

struct Samples {
    std::vector<double> press, release, move, click, rewrite;  // microseconds
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double Send(std::uint32_t message, int x, int y) {
    qm::LowLevelMouseRecord record{x, y, 0, 0, 0};
    const auto start = Clock::now();
    Desktop::Get().SendMouseMessage(message, record);
    return Micros(Clock::now() - start);
}

// One round: a batch of clicks (press, a move away and back, release) with the
// box holding `script`, which is cut back to its size after every click so
// every sample sees the same number of lines.
void Round(std::string& script, Samples& out) {
    Desktop& d = Desktop::Get();
    std::swap(d.texts[Control::编辑框1], script);
    const std::size_t size = d.texts[Control::编辑框1].size();
    for (int i = 0; i < ClicksPerRound; ++i) {
        const int x = 100 + i % 700, y = 100 + i % 300;
        const double press = Send(LeftDown, x, y);
        out.move.push_back(Send(Move, x + 3, y + 3));
        Send(Move, x, y);
        const double release = Send(LeftUp, x, y);
        out.press.push_back(press);
        out.release.push_back(release);
        out.click.push_back(press + release);
        d.texts[Control::编辑框1].resize(size);
        d.appends.clear();
        d.statusHistory.clear();
        d.nextHookCalls.clear();
    }
    // The approach the hook path avoids: read the whole script and write it back.
    const auto start = Clock::now();
    qm::Text whole = qm::platform::ControlText(Control::编辑框1);
    whole += "\r\n";
    qm::platform::SetControlText(Control::编辑框1, whole);
    out.rewrite.push_back(Micros(Clock::now() - start));
    d.texts[Control::编辑框1].resize(size);
    std::swap(d.texts[Control::编辑框1], script);
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

}  // namespace

int main() {
    const int sizes[] = {0, 10000, 100000};
    std::vector<std::string> scripts;
    for (int n : sizes) scripts.push_back(ScriptOf(n));
    std::vector<Samples> samples(std::size(sizes));

    Desktop& d = Desktop::Get();
    d.Reset();
    d.windowCreated = true;
    d.texts[Control::编辑框_延时] = "500";
    qm::TheHookRegistry = new qm::HookRegistry();
    qm::TheInputHook = new qm::InputHook();
    qm::Record();

    // Sizes take turns round by round, so machine noise falls on all of them alike.
    for (int r = 0; r < Rounds; ++r) {
        for (std::size_t s = 0; s < std::size(sizes); ++s) Round(scripts[s], samples[s]);
    }

    std::printf("Recorder cost per mouse event on the fake desktop (%d clicks per size, microseconds)\n",
                Rounds * ClicksPerRound);
    std::printf("%10s %9s %9s %9s %9s %9s %9s %9s %9s %12s\n", "lines", "press50", "press99", "rel50",
                "rel99", "move50", "move99", "click50", "click99", "rewrite50");
    for (std::size_t s = 0; s < std::size(sizes); ++s) {
        const Samples& m = samples[s];
        std::printf("%10d %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %12.1f\n", sizes[s],
                    Percentile(m.press, .5), Percentile(m.press, .99), Percentile(m.release, .5),
                    Percentile(m.release, .99), Percentile(m.move, .5), Percentile(m.move, .99),
                    Percentile(m.click, .5), Percentile(m.click, .99), Percentile(m.rewrite, .5));
    }
    const double base = Percentile(samples[0].release, .99);
    const double big = Percentile(samples[2].release, .99);
    std::printf("p99 of a release (the event that writes the line), 100,000 lines / 0 lines: %.2f\n",
                base > 0 ? big / base : 0.0);
    const double clickBase = Percentile(samples[0].click, .99);
    std::printf("p99 of a whole click, 100,000 lines / 0 lines: %.2f\n",
                clickBase > 0 ? Percentile(samples[2].click, .99) / clickBase : 0.0);

    qm::End();
    delete qm::TheInputHook;
    delete qm::TheHookRegistry;
    return 0;
}
