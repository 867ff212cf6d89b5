// A plain window covering the desktop behind the program under test: it logs
// every mouse button message it receives, with the screen point and the time,
// one flushed line each. It never takes the activation, so clicking it leaves
// the program's window on top. Usage: target <log file> [x y width height]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

FILE* logFile = nullptr;
LARGE_INTEGER frequency;
LARGE_INTEGER started;

double MillisecondsSinceStart() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - started.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

void Log(HWND hwnd, const char* what, LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &at);
    std::fprintf(logFile, "%s %ld %ld %.3f\n", what, static_cast<long>(at.x), static_cast<long>(at.y),
                 MillisecondsSinceStart());
    std::fflush(logFile);
}

const char* NameOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return "LDOWN";
        case WM_LBUTTONUP:
            return "LUP";
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return "RDOWN";
        case WM_RBUTTONUP:
            return "RUP";
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return "MDOWN";
        case WM_MBUTTONUP:
            return "MUP";
        default:
            return nullptr;
    }
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const char* name = NameOf(message)) {
        Log(hwnd, name, lParam);
        return 0;
    }
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_CONTEXTMENU:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

int Arg(int argc, wchar_t** argv, int index, int fallback) {
    return index < argc ? static_cast<int>(std::wcstol(argv[index], nullptr, 10)) : fallback;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: target <log file> [x y width height]\n");
        return 1;
    }
    logFile = _wfopen(argv[1], L"w");
    if (logFile == nullptr) return 1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = L"QuillmarshTarget";
    if (!RegisterClassW(&windowClass)) return 1;
    // A pop-up so the client area is the whole rectangle; no activation so the
    // window stays below whatever is shown after it.
    HWND hwnd = CreateWindowExW(WS_EX_NOACTIVATE, windowClass.lpszClassName, L"Quillmarsh target", WS_POPUP,
                                Arg(argc, argv, 2, 0), Arg(argc, argv, 3, 0), Arg(argc, argv, 4, 1920),
                                Arg(argc, argv, 5, 1080), nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    std::fprintf(logFile, "READY 0 0 %.3f\n", MillisecondsSinceStart());
    std::fflush(logFile);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(logFile);
    return 0;
}
