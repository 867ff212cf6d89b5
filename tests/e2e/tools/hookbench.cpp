// Times the whole low-level mouse hook procedure per recorded click with the
// real window and its real script box holding 0, 10,000 and 100,000 lines, and
// prints it beside one read-and-rewrite of the whole script for contrast.
// Usage: hookbench.exe <output file> [clicks per batch] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_definition.h"
#include "capture/input_hook.h"
#include "capture/recorder.h"
#include "platform/hooks.h"
#include "platform/window.h"

namespace {

using qm::Control;

struct Samples {
    std::vector<double> press, release, click, rewrite, fill;  // microseconds
    int lost = 0;
    std::size_t bytes = 0;
};

LARGE_INTEGER frequency;
Samples* current = nullptr;
double pendingPress = -1;
HANDLE releaseSeen = nullptr;  // the hook saw the release of the click in flight
HANDLE startBatch = nullptr;   // main thread to injector: send a batch
HANDLE batchDone = nullptr;    // injector to main thread: the batch is over
int clicksPerBatch = 100;
volatile LONG stopInjector = 0;

double Micros(LONGLONG ticks) {
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// Wraps the core's procedure: everything the hook does per message, the
// recorder and the script box included, falls between the two readings.
std::intptr_t TimedMouseHookProc(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    const std::intptr_t result = qm::MouseHookProc(code, wParam, lParam);
    QueryPerformanceCounter(&after);
    const double spent = Micros(after.QuadPart - before.QuadPart);
    if (current != nullptr && code >= 0) {
        if (wParam == WM_LBUTTONDOWN) {
            current->press.push_back(spent);
            pendingPress = spent;
        } else if (wParam == WM_LBUTTONUP) {
            current->release.push_back(spent);
            if (pendingPress >= 0) current->click.push_back(pendingPress + spent);
            pendingPress = -1;
            SetEvent(releaseSeen);
        }
    }
    return result;
}

// Another thread injects the clicks so the hook thread only serves messages.
DWORD WINAPI Injector(void*) {
    for (;;) {
        WaitForSingleObject(startBatch, INFINITE);
        if (stopInjector) return 0;
        for (int i = 0; i < clicksPerBatch; ++i) {
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            ResetEvent(releaseSeen);
            SendInput(2, click, sizeof(INPUT));
            if (WaitForSingleObject(releaseSeen, 5000) != WAIT_OBJECT_0) ++current->lost;
        }
        SetEvent(batchDone);
    }
}

// Serves the window's messages (and with them the hook) until the event is set.
bool ServeUntil(HANDLE event, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD r =
            MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_FAILED) return false;
        qm::platform::ServeEvents();
    }
}

qm::Text ScriptOf(int lines) {
    // 水平：1234；垂直：567；鼠标：鼠标左键单击；延时：500 CR LF
    const qm::Text line =
        "\xCB\xAE\xC6\xBD\xA3\xBA"
        "1234\xA3\xBB\xB4\xB9\xD6\xB1\xA3\xBA"
        "567\xA3\xBB\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7\xA3\xBB"
        "\xD1\xD3\xCA\xB1\xA3\xBA"
        "500\r\n";
    qm::Text s;
    s.reserve(line.size() * static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) s += line;
    return s;
}

double Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return Micros(t.QuadPart);
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// One batch at one size: fill the box, install the timed hook, inject clicks.
bool Batch(const qm::Text& script, Samples& out) {
    double start = Now();
    qm::platform::SetControlText(Control::编辑框1, script);
    out.fill.push_back(Now() - start);
    out.bytes = qm::platform::ControlText(Control::编辑框1).size();

    // The approach the hook path avoids: read the whole script, write it back longer.
    start = Now();
    qm::Text whole = qm::platform::ControlText(Control::编辑框1);
    whole += "\r\n";
    qm::platform::SetControlText(Control::编辑框1, whole);
    out.rewrite.push_back(Now() - start);

    // Clicks land on an empty part of the window's client area.
    POINT at = {300, 20};
    ClientToScreen(reinterpret_cast<HWND>(qm::platform::MainWindowHandle()), &at);
    SetCursorPos(at.x, at.y);
    qm::platform::ServeEvents();

    // What InstallMouseHook does, with the timing wrapper as the procedure.
    qm::TheHookRegistry->mouseCallback = qm::RecordMouseEvent;
    qm::TheHookRegistry->mouseHook =
        qm::platform::InstallHook(qm::platform::HookKind::LowLevelMouse, TimedMouseHookProc);
    if (qm::TheHookRegistry->mouseHook == 0) return false;
    current = &out;
    SetEvent(startBatch);
    const bool done = ServeUntil(batchDone, 600000);
    current = nullptr;
    qm::TheInputHook->RemoveHooks(0, false);
    return done;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: hookbench <output file> [clicks per batch] [rounds]\n");
        return 2;
    }
    if (argc > 2) clicksPerBatch = std::max(1, std::atoi(argv[2]));
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    QueryPerformanceFrequency(&frequency);

    qm::TheHookRegistry = new qm::HookRegistry();
    qm::TheInputHook = new qm::InputHook();
    if (!qm::platform::CreateMainWindow(qm::MainWindowDefinition())) return 3;
    qm::platform::ServeEvents();

    releaseSeen = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    startBatch = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    batchDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE injector = CreateThread(nullptr, 0, Injector, nullptr, 0, nullptr);

    const int sizes[] = {0, 10000, 100000};
    std::vector<qm::Text> scripts;
    for (int n : sizes) scripts.push_back(ScriptOf(n));
    std::vector<Samples> samples(std::size(sizes));
    bool ok = true;
    // Sizes take turns round by round, so machine noise falls on all of them alike.
    for (int r = 0; r < rounds && ok; ++r) {
        for (std::size_t s = 0; s < std::size(sizes) && ok; ++s) ok = Batch(scripts[s], samples[s]);
    }
    stopInjector = 1;
    SetEvent(startBatch);
    WaitForSingleObject(injector, 10000);

    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 4;
    std::fprintf(out,
                 "Hook procedure time per recorded left click, real window and script box (microseconds)\n");
    std::fprintf(out, "%8s %9s %8s %9s %9s %9s %9s %9s %9s %6s %12s %12s\n", "lines", "bytes", "clicks",
                 "press50", "rel50", "rel99", "click50", "click99", "clickavg", "lost", "rewrite50",
                 "fill50");
    for (std::size_t s = 0; s < std::size(sizes); ++s) {
        const Samples& m = samples[s];
        double sum = 0;
        for (double v : m.click) sum += v;
        std::fprintf(out, "%8d %9zu %8zu %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %6d %12.0f %12.0f\n", sizes[s],
                     m.bytes, m.click.size(), Percentile(m.press, .5), Percentile(m.release, .5),
                     Percentile(m.release, .99), Percentile(m.click, .5), Percentile(m.click, .99),
                     m.click.empty() ? 0.0 : sum / static_cast<double>(m.click.size()), m.lost,
                     Percentile(m.rewrite, .5), Percentile(m.fill, .5));
    }
    const double base50 = Percentile(samples[0].click, .5), base99 = Percentile(samples[0].click, .99);
    std::fprintf(out, "growth of a click's hook time from 0 to 100,000 lines: p50 %.2fx, p99 %.2fx\n",
                 base50 > 0 ? Percentile(samples[2].click, .5) / base50 : 0.0,
                 base99 > 0 ? Percentile(samples[2].click, .99) / base99 : 0.0);
    std::fprintf(
        out, "one read-and-rewrite of the whole script at 100,000 lines: %.0f us (%.0fx a recorded click)\n",
        Percentile(samples[2].rewrite, .5),
        Percentile(samples[2].click, .5) > 0
            ? Percentile(samples[2].rewrite, .5) / Percentile(samples[2].click, .5)
            : 0.0);
    std::fprintf(out, ok ? "complete\n" : "incomplete: a batch did not finish\n");
    std::fclose(out);
    return ok ? 0 : 1;
}
