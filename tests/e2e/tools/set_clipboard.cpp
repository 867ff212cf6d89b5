// Puts the UTF-8 text of a file on the Windows clipboard as Unicode text, so a
// test can paste it into the program with a real Ctrl+V.
// Usage: set_clipboard <file>; exit code 0 once the clipboard holds the text.
#include <windows.h>

#include <cstring>
#include <string>

#include "utf8.h"

int wmain(int argc, wchar_t** argv) {
    std::string utf8;
    if (argc != 2 || !ReadWholeFile(argv[1], utf8)) return 1;
    const std::wstring text = Wide(utf8);

    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return 2;
    void* target = GlobalLock(memory);
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);

    // Another process may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            CloseClipboard();
            if (!placed) GlobalFree(memory);
            return placed ? 0 : 3;
        }
        Sleep(50);
    }
    GlobalFree(memory);
    return 4;
}
