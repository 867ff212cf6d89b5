// Times playback's pacing with the real platform layer: one PumpingWait(1)
// with the high-resolution and with the plain waitable timer, and glides of
// 100, 500 and 1,000 pixels beside their floor, (n + 1) × (one PumpingWait(1)
// + one StepCursor), measured in the same run. Prints figures; never fails on
// time. Usage: playbench.exe <output file> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "platform/input.h"
#include "platform/win32/timer_choice.h"
#include "playback/cursor_glide.h"
#include "playback/pumping_wait.h"

namespace {

using qm::platform::TimerChoice;

LARGE_INTEGER frequency;

double NowUs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v;
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

double TimeOneWait() {
    const double before = NowUs();
    qm::PumpingWait(1);
    return NowUs() - before;
}

// Back and forth so the cursor stays where the glides start.
double TimeOneStep(int i) {
    const double before = NowUs();
    qm::StepCursor(i % 2 == 0 ? 1 : -1, 0);
    return NowUs() - before;
}

// The wait as a glide sees it: right after a step, whose cursor move may wake
// the message wait before the timer fires.
double TimeOneWaitAfterStep(int i) {
    qm::StepCursor(i % 2 == 0 ? 1 : -1, 0);
    return TimeOneWait();
}

struct TimerFigures {
    std::vector<double> waits;
    bool highResolution = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: playbench <output file> [rounds]\n");
        return 1;
    }
    FILE* out = _wfopen(argv[1], L"w");
    if (out == nullptr) return 1;
    const int rounds = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 5;
    QueryPerformanceFrequency(&frequency);

    // Timer waits: blocks of each kind in turn, so both see the same noise.
    TimerFigures high, plain;
    for (int block = 0; block < 10 * rounds; ++block) {
        const bool useHigh = block % 2 == 0;
        TimerFigures& figures = useHigh ? high : plain;
        qm::platform::ChooseTimers(useHigh ? TimerChoice::HighResolutionWherePossible
                                           : TimerChoice::PlainOnly);
        for (int i = 0; i < 100; ++i) {
            const double us = TimeOneWait();
            if (i >= 5) figures.waits.push_back(us);  // the first few after a switch warm up
            figures.highResolution = qm::platform::LastTimerWasHighResolution();
        }
    }
    qm::platform::ChooseTimers(TimerChoice::HighResolutionWherePossible);
    std::fprintf(out, "PumpingWait(1), %zu waits each (microseconds)\n", high.waits.size());
    std::fprintf(out, "  %-34s median %8.1f  p99 %8.1f  mean %8.1f\n",
                 high.highResolution ? "high-resolution timer:" : "high-resolution timer (refused):",
                 Quantile(high.waits, 0.5), Quantile(high.waits, 0.99), Mean(high.waits));
    std::fprintf(out, "  %-34s median %8.1f  p99 %8.1f  mean %8.1f\n",
                 "plain timer:", Quantile(plain.waits, 0.5), Quantile(plain.waits, 0.99), Mean(plain.waits));

    // Glides against their floor, each round measuring the floor right before.
    std::fprintf(
        out,
        "\nGlide (milliseconds). floor = (n + 1) x (one PumpingWait(1) + one StepCursor), each timed "
        "alone;\nfloor after step = the same with the wait timed right after a step, as a glide waits\n");
    std::fprintf(out, "  %6s %9s %9s %7s %12s %7s %10s %10s %12s\n", "pixels", "glide", "floor", "ratio",
                 "after step", "ratio", "wait (us)", "step (us)", "wait after");
    for (int pixels : {100, 500, 1000}) {
        std::vector<double> glides, floors, ratios, floorsAfter, ratiosAfter, waits, steps, waitsAfter;
        for (int round = 0; round < rounds; ++round) {
            qm::platform::SetCursorPosition(400, 540);
            std::vector<double> w, s, a;
            for (int i = 0; i < 200; ++i) w.push_back(TimeOneWait());
            for (int i = 0; i < 400; ++i) s.push_back(TimeOneStep(i));
            for (int i = 0; i < 200; ++i) a.push_back(TimeOneWaitAfterStep(i));
            qm::platform::SetCursorPosition(400, 540);
            qm::PumpingWait(1);
            const double before = NowUs();
            qm::GlideCursor(400 + pixels, 540);
            const double glide = NowUs() - before;
            const double floor = (pixels + 1) * (Mean(w) + Mean(s));
            const double floorAfter = (pixels + 1) * (Mean(a) + Mean(s));
            glides.push_back(glide / 1000);
            floors.push_back(floor / 1000);
            ratios.push_back(glide / floor);
            floorsAfter.push_back(floorAfter / 1000);
            ratiosAfter.push_back(glide / floorAfter);
            waits.push_back(Mean(w));
            steps.push_back(Mean(s));
            waitsAfter.push_back(Mean(a));
        }
        std::fprintf(out, "  %6d %9.1f %9.1f %7.3f %12.1f %7.3f %10.1f %10.1f %12.1f\n", pixels,
                     Quantile(glides, 0.5), Quantile(floors, 0.5), Quantile(ratios, 0.5),
                     Quantile(floorsAfter, 0.5), Quantile(ratiosAfter, 0.5), Quantile(waits, 0.5),
                     Quantile(steps, 0.5), Quantile(waitsAfter, 0.5));
    }
    std::fprintf(out, "  (medians of %d rounds)\n", rounds);
    std::fclose(out);
    return 0;
}
