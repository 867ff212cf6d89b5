// Reads and drives another process's windows for the end-to-end tests: finds a
// window, dumps it with its children, reads and writes control texts, reports
// the keyboard focus, watches a caption. Usage: probe <out.json> <command>
// [args...]; the answer goes to <out.json> as UTF-8 JSON (never to stdout:
// Wine's pipes can stall).
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "utf8.h"

namespace {

// Exit codes the harness tells apart.
constexpr int ExitOk = 0;
constexpr int ExitUsage = 1;
constexpr int ExitNotFound = 2;
constexpr int ExitBusy = 3;          // the window did not answer within the timeout
constexpr int ExitNoAnswerFile = 4;  // the answer file could not be written

constexpr UINT ReplyTimeoutMs = 3000;

// Minimal JSON building: values are appended as already-encoded text.
std::string Quote(const std::wstring& text) {
    std::string in = Utf8(text);
    std::string out = "\"";
    for (unsigned char c : in) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string Num(unsigned long long value) { return std::to_string(value); }
std::string Num(long long value) { return std::to_string(value); }
std::string Num(int value) { return std::to_string(value); }
std::string Bool(bool value) { return value ? "true" : "false"; }
std::string Handle(HWND hwnd) {
    return Num(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
}

class Object {
public:
    Object& Add(const char* key, const std::string& encoded) {
        if (!body_.empty()) body_ += ",";
        body_ += "\"";
        body_ += key;
        body_ += "\":";
        body_ += encoded;
        return *this;
    }
    std::string Str() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

std::string Rect(int x, int y, int width, int height) {
    return Object()
        .Add("x", Num(x))
        .Add("y", Num(y))
        .Add("width", Num(width))
        .Add("height", Num(height))
        .Str();
}

std::string Array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}

// Answers are written whole at the end, so a reader never sees half a file.
int Finish(const wchar_t* outPath, const std::string& json, int code) {
    FILE* out = _wfopen(outPath, L"wb");
    if (!out) {
        std::fprintf(stderr, "probe: cannot write %ls (errno %d)\n", outPath, errno);
        return ExitNoAnswerFile;
    }
    std::fwrite(json.data(), 1, json.size(), out);
    std::fwrite("\n", 1, 1, out);
    std::fclose(out);
    return code;
}

int Fail(const wchar_t* outPath, const char* error, int code) {
    return Finish(outPath, Object().Add("error", Quote(Wide(error))).Str(), code);
}

HWND ParseHandle(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(text, nullptr, 0)));
}

// WM_GETTEXT, because GetWindowText across processes returns an edit's stored
// caption rather than the text in the box. False when the window is hung.
bool ReadText(HWND hwnd, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &length))
        return false;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, ReplyTimeoutMs, &copied))
        return false;
    text.assign(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
    return true;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = L"";
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::string DescribeChild(HWND parent, HWND child, bool& busy) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    std::wstring text;
    if (!ReadText(child, text)) busy = true;
    return Object()
        .Add("id", Num(static_cast<long long>(GetDlgCtrlID(child))))
        .Add("hwnd", Handle(child))
        .Add("class", Quote(ClassOf(child)))
        .Add("text", Quote(text))
        .Add("style", Num(static_cast<unsigned long long>(GetWindowLongW(child, GWL_STYLE) & 0xFFFFFFFFu)))
        .Add("exstyle",
             Num(static_cast<unsigned long long>(GetWindowLongW(child, GWL_EXSTYLE) & 0xFFFFFFFFu)))
        .Add("visible", Bool(IsWindowVisible(child)))
        .Add("enabled", Bool(IsWindowEnabled(child)))
        .Add("rect", Rect(r.left, r.top, r.right - r.left, r.bottom - r.top))
        .Str();
}

std::string DescribeWindow(HWND hwnd, bool withChildren, bool& busy) {
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(hwnd, &pid);
    std::wstring text;
    if (!ReadText(hwnd, text)) busy = true;
    Object o;
    o.Add("hwnd", Handle(hwnd))
        .Add("class", Quote(ClassOf(hwnd)))
        .Add("text", Quote(text))
        .Add("style", Num(static_cast<unsigned long long>(GetWindowLongW(hwnd, GWL_STYLE) & 0xFFFFFFFFu)))
        .Add("exstyle", Num(static_cast<unsigned long long>(GetWindowLongW(hwnd, GWL_EXSTYLE) & 0xFFFFFFFFu)))
        .Add("pid", Num(static_cast<unsigned long long>(pid)))
        .Add("thread", Num(static_cast<unsigned long long>(thread)))
        .Add("visible", Bool(IsWindowVisible(hwnd)))
        .Add("enabled", Bool(IsWindowEnabled(hwnd)))
        .Add("owner", Handle(GetWindow(hwnd, GW_OWNER)))
        .Add("rect", Rect(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top))
        .Add("client", Rect(origin.x, origin.y, client.right - client.left, client.bottom - client.top));
    if (withChildren) {
        std::vector<std::string> children;
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(DescribeChild(hwnd, child, busy));
        o.Add("children", Array(children));
    }
    return o.Str();
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

HWND ControlOf(const wchar_t* window, const wchar_t* id) {
    HWND parent = ParseHandle(window);
    if (!IsWindow(parent)) return nullptr;
    return GetDlgItem(parent, static_cast<int>(std::wcstol(id, nullptr, 0)));
}

int Run(const wchar_t* out, const std::wstring& command, int argc, wchar_t** args) {
    if (command == L"find" && argc == 1) {
        return Finish(out, Object().Add("hwnd", Handle(FindWindowW(nullptr, args[0]))).Str(), ExitOk);
    }
    if (command == L"list" && argc == 0) {
        std::vector<HWND> windows;
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
        std::vector<std::string> items;
        bool busy = false;
        for (HWND hwnd : windows)
            if (IsWindowVisible(hwnd)) items.push_back(DescribeWindow(hwnd, false, busy));
        return Finish(out, Object().Add("windows", Array(items)).Str(), ExitOk);
    }
    if (command == L"dump" && argc == 1) {
        HWND hwnd = ParseHandle(args[0]);
        if (!IsWindow(hwnd)) return Fail(out, "no such window", ExitNotFound);
        bool busy = false;
        std::string json = DescribeWindow(hwnd, true, busy);
        if (busy) return Fail(out, "window did not answer", ExitBusy);
        return Finish(out, json, ExitOk);
    }
    if (command == L"text" && argc == 2) {
        HWND control = ControlOf(args[0], args[1]);
        if (!control) return Fail(out, "no such control", ExitNotFound);
        std::wstring text;
        if (!ReadText(control, text)) return Fail(out, "window did not answer", ExitBusy);
        return Finish(out, Object().Add("text", Quote(text)).Str(), ExitOk);
    }
    if ((command == L"settext" || command == L"settextfile") && argc == 3) {
        HWND control = ControlOf(args[0], args[1]);
        if (!control) return Fail(out, "no such control", ExitNotFound);
        std::wstring text = args[2];
        if (command == L"settextfile") {
            std::string utf8;
            if (!ReadWholeFile(args[2], utf8)) return Fail(out, "cannot read the text file", ExitUsage);
            text = Wide(utf8);
        }
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                 SMTO_ABORTIFHUNG, ReplyTimeoutMs, &result))
            return Fail(out, "window did not answer", ExitBusy);
        return Finish(out, Object().Add("ok", Bool(result != 0)).Str(), ExitOk);
    }
    if (command == L"focus" && argc == 1) {
        HWND hwnd = ParseHandle(args[0]);
        if (!IsWindow(hwnd)) return Fail(out, "no such window", ExitNotFound);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
            return Fail(out, "no thread information", ExitNotFound);
        bool inside = info.hwndFocus && (info.hwndFocus == hwnd || IsChild(hwnd, info.hwndFocus));
        return Finish(
            out,
            Object()
                .Add("focus_hwnd", Handle(info.hwndFocus))
                .Add("focus_id", Num(static_cast<long long>(
                                     inside && info.hwndFocus != hwnd ? GetDlgCtrlID(info.hwndFocus) : 0)))
                .Add("inside", Bool(inside))
                .Add("active_hwnd", Handle(info.hwndActive))
                .Add("foreground_hwnd", Handle(GetForegroundWindow()))
                .Str(),
            ExitOk);
    }
    if (command == L"watch" && argc == 3) {
        // Every change of a label's or button's caption for <ms> milliseconds,
        // one JSON line each, flushed as it happens. GetWindowText reads the
        // caption the window manager stores, without a message to the owner,
        // so changes are seen even while the owner's thread is blocked (not
        // for edit boxes, whose text lives in the control).
        HWND control = ControlOf(args[0], args[1]);
        if (!control) return Fail(out, "no such control", ExitNotFound);
        DWORD duration = static_cast<DWORD>(std::wcstoul(args[2], nullptr, 0));
        FILE* stream = _wfopen(out, L"wb");
        if (!stream) return ExitUsage;
        std::wstring last;
        bool first = true;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < duration && IsWindow(control)) {
            wchar_t buffer[1024] = L"";
            GetWindowTextW(control, buffer, 1024);
            if (first || last != buffer) {
                first = false;
                last = buffer;
                std::string line =
                    Object()
                        .Add("ms", Num(static_cast<unsigned long long>(GetTickCount() - start)))
                        .Add("text", Quote(last))
                        .Str();
                std::fprintf(stream, "%s\n", line.c_str());
                std::fflush(stream);
            }
            Sleep(1);
        }
        std::fclose(stream);
        return ExitOk;
    }
    if (command == L"close" && argc == 1) {
        HWND hwnd = ParseHandle(args[0]);
        if (!IsWindow(hwnd)) return Fail(out, "no such window", ExitNotFound);
        return Finish(out, Object().Add("ok", Bool(PostMessageW(hwnd, WM_CLOSE, 0, 0))).Str(), ExitOk);
    }
    if (command == L"hittest" && argc == 3) {
        HWND hwnd = ParseHandle(args[0]);
        if (!IsWindow(hwnd)) return Fail(out, "no such window", ExitNotFound);
        int x = static_cast<int>(std::wcstol(args[1], nullptr, 0));
        int y = static_cast<int>(std::wcstol(args[2], nullptr, 0));
        DWORD_PTR hit = 0;
        if (!SendMessageTimeoutW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, ReplyTimeoutMs,
                                 &hit))
            return Fail(out, "window did not answer", ExitBusy);
        return Finish(out, Object().Add("hit", Num(static_cast<long long>(static_cast<LRESULT>(hit)))).Str(),
                      ExitOk);
    }
    if (command == L"hitbox" && argc == 2) {
        // The box of the caption-band points whose hit test answers <code>
        // (HTCLOSE is 20): one row through the middle of the caption, then one
        // column through the middle of the run found, since every cross-process
        // hit test costs a round trip.
        HWND hwnd = ParseHandle(args[0]);
        if (!IsWindow(hwnd)) return Fail(out, "no such window", ExitNotFound);
        LRESULT wanted = std::wcstol(args[1], nullptr, 0);
        RECT r;
        GetWindowRect(hwnd, &r);
        bool busy = false;
        auto hits = [&](int x, int y) {
            DWORD_PTR hit = 0;
            if (!SendMessageTimeoutW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                     ReplyTimeoutMs, &hit))
                busy = true;
            return !busy && static_cast<LRESULT>(hit) == wanted;
        };
        int row = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        int left = r.right, right = r.left - 1;
        for (int x = r.left; x < r.right && !busy; ++x)
            if (hits(x, row)) {
                if (x < left) left = x;
                right = x;
            }
        int top = r.bottom, bottom = r.top - 1;
        int column = (left + right) / 2;
        for (int y = r.top; y < r.top + 64 && y < r.bottom && right >= left && !busy; ++y)
            if (hits(column, y)) {
                if (y < top) top = y;
                bottom = y;
            }
        if (busy) return Fail(out, "window did not answer", ExitBusy);
        if (right < left || bottom < top) return Fail(out, "no such part on the frame", ExitNotFound);
        return Finish(out, Object().Add("rect", Rect(left, top, right - left + 1, bottom - top + 1)).Str(),
                      ExitOk);
    }
    if (command == L"metrics" && argc == 0) {
        return Finish(out,
                      Object()
                          .Add("screen_width", Num(GetSystemMetrics(SM_CXSCREEN)))
                          .Add("screen_height", Num(GetSystemMetrics(SM_CYSCREEN)))
                          .Add("caption_height", Num(GetSystemMetrics(SM_CYCAPTION)))
                          .Add("caption_button_width", Num(GetSystemMetrics(SM_CXSIZE)))
                          .Add("fixed_frame_width", Num(GetSystemMetrics(SM_CXFIXEDFRAME)))
                          .Add("fixed_frame_height", Num(GetSystemMetrics(SM_CYFIXEDFRAME)))
                          .Add("ansi_code_page", Num(static_cast<long long>(GetACP())))
                          .Str(),
                      ExitOk);
    }
    return Fail(out, "unknown command or wrong number of arguments", ExitUsage);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return ExitUsage;
    return Run(argv[1], argv[2], argc - 3, argv + 3);
}
