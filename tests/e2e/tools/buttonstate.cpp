// Writes which mouse buttons the system holds down, as GetAsyncKeyState sees
// them: "left right middle" as 0 or 1 each. Usage: buttonstate <output file>
#include <windows.h>

#include <cstdio>

namespace {

int Down(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0 ? 1 : 0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    FILE* out = _wfopen(argv[1], L"w");
    if (out == nullptr) return 1;
    std::fprintf(out, "%d %d %d\n", Down(VK_LBUTTON), Down(VK_RBUTTON), Down(VK_MBUTTON));
    std::fclose(out);
    return 0;
}
