// The transparent label: the parent's background, then the caption on one line,
// left-aligned and vertically centred.
#include "window_label.h"

#include <string>

namespace qm::platform {
namespace {

constexpr wchar_t LabelClassName[] = L"QuillmarshTransparentLabel";

// Painting may sit in a batch (GDI) or in an off-screen window surface that
// Wine shows only when the thread next waits for messages. A wait of zero for
// no kind of message shows it now and dispatches nothing, so no handler or
// hook can run nested here.
void PushPixelsToScreen() {
    GdiFlush();
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
}

}  // namespace

bool TransparentLabel::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &TransparentLabel::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the parent paints what lies beneath
    wc.lpszClassName = LabelClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND TransparentLabel::Create(HWND parent, int id, int x, int y, int width, int height,
                              const wchar_t* caption) {
    return CreateWindowExW(0, LabelClassName, caption, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), this);
}

LRESULT TransparentLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            PaintParentBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        default:
            return Default(message, wParam, lParam);
    }
}

void TransparentLabel::PaintParentBackground(HDC dc) {
    // The parent erases into this label's device context, shifted into its own
    // coordinates, so whatever background it has shows through.
    HWND parent = GetParent(hwnd_);
    if (parent == nullptr || dc == nullptr) return;
    POINT origin = {0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

void TransparentLabel::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc == nullptr) return;
    if (ps.fErase) PaintParentBackground(dc);

    const int length = GetWindowTextLengthW(hwnd_);
    if (length > 0) {
        std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = GetWindowTextW(hwnd_, caption.data(), length + 1);
        RECT area;
        GetClientRect(hwnd_, &area);
        const int savedState = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        if (font_ != nullptr) SelectObject(dc, font_);
        DrawTextW(dc, caption.c_str(), copied, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        RestoreDC(dc, savedState);
    }
    EndPaint(hwnd_, &ps);
}

LRESULT TransparentLabel::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT stored = Default(WM_SETTEXT, wParam, lParam);
    // Paint the new caption now: the caller may block the thread right after
    // (a status shown just before a long wait).
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PushPixelsToScreen();
    return stored;
}

}  // namespace qm::platform
