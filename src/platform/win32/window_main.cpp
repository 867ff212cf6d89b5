// The main window: a fixed dialog frame centred on the screen, the controls of
// the definition in their kinds, and click routing that trusts only real buttons.
#include "window_main.h"

#include <commctrl.h>

#include "text_convert.h"

namespace qm::platform {
namespace {

constexpr wchar_t MainClassName[] = L"QuillmarshMainWindow";
constexpr DWORD MainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// WS_EX_CONTROLPARENT lets the dialog manager's Tab walk the controls.
constexpr DWORD MainExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

constexpr DWORD ScriptBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD NumberBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD PushButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;

std::unique_ptr<MainWindow> theMainWindow;

// The dialog manager makes a push button the default one when it takes the
// focus, if the button says it can be one. These buttons never are: Enter
// clicks nothing, and no button wears the default border.
LRESULT CALLBACK PlainPushButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        return result & ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    return result;
}

HICON LoadProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, size, size, 0));
}

}  // namespace

MainWindow* MainWindow::Instance() { return theMainWindow.get(); }

bool MainWindow::Create(const WindowDefinition& definition) {
    if (theMainWindow != nullptr) return false;  // one main window per process
    // Visual styles need the version 6 common controls loaded before any control.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    theMainWindow.reset(new MainWindow(definition));
    if (!theMainWindow->CreateWindowAndControls(GetModuleHandleW(nullptr))) {
        if (theMainWindow->hwnd_ != nullptr) DestroyWindow(theMainWindow->hwnd_);
        theMainWindow.reset();
        return false;
    }
    return true;
}

bool MainWindow::CreateWindowAndControls(HINSTANCE instance) {
    bigIcon_ = UniqueIcon(LoadProgramIcon(instance, 32));
    smallIcon_ = UniqueIcon(LoadProgramIcon(instance, 16));

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &MainWindow::Procedure;
    wc.hInstance = instance;
    wc.hIcon = bigIcon_.Get();
    wc.hIconSm = smallIcon_.Get();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = MainClassName;
    if (RegisterClassExW(&wc) == 0 || !TransparentLabel::RegisterClass(instance)) return false;

    // Centred on the primary screen by its outer size, integer division.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - definition_.outerWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - definition_.outerHeight) / 2;
    const std::wstring title = GbkToWide(definition_.title);
    if (CreateWindowExW(MainExStyle, MainClassName, title.c_str(), MainStyle, x, y, definition_.outerWidth,
                        definition_.outerHeight, nullptr, nullptr, instance, this) == nullptr) {
        return false;
    }

    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (int i = 0; i < definition_.controlCount; ++i) {
        if (!CreateControl(definition_.controls[i], font_)) return false;
    }

    ShowWindow(hwnd_, SW_SHOWDEFAULT);
    UpdateWindow(hwnd_);
    // The script box takes the first focus, so a script can be typed or pasted at once.
    lastFocus_ = ControlHandle(Control::编辑框1);
    if (lastFocus_ != nullptr) SetFocus(lastFocus_);
    return true;
}

bool MainWindow::CreateControl(const ControlDefinition& control, HFONT font) {
    const int id = static_cast<int>(control.id);
    if (id <= 0 || id >= SlotCount || controls_[id] != nullptr) return false;
    const std::wstring text = GbkToWide(control.text);
    const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));

    HWND child = nullptr;
    switch (control.kind) {
        case ControlKind::Label: {
            auto label = std::make_unique<TransparentLabel>();
            child =
                label->Create(hwnd_, id, control.x, control.y, control.width, control.height, text.c_str());
            labels_.push_back(std::move(label));
            break;
        }
        case ControlKind::ScriptBox:
        case ControlKind::NumberBox: {
            const DWORD style = control.kind == ControlKind::ScriptBox ? ScriptBoxStyle : NumberBoxStyle;
            child = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), style, control.x, control.y,
                                    control.width, control.height, hwnd_, menuId, instance, nullptr);
            // 0 lifts the limit to the largest the box supports.
            if (child != nullptr) SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
            break;
        }
        case ControlKind::PushButton:
            child = CreateWindowExW(0, L"BUTTON", text.c_str(), PushButtonStyle, control.x, control.y,
                                    control.width, control.height, hwnd_, menuId, instance, nullptr);
            if (child != nullptr) SetWindowSubclass(child, PlainPushButtonProc, 0, 0);
            break;
    }
    if (child == nullptr) return false;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_[id] = child;
    kinds_[id] = control.kind;
    return true;
}

HWND MainWindow::ControlHandle(Control control) const {
    const int id = static_cast<int>(control);
    if (id <= 0 || id >= SlotCount || hwnd_ == nullptr) return nullptr;
    return controls_[id];
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_NEXTDLGCTL:
            OnNextControl(wParam, lParam);
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    // IDs 1 and 2 double as IDOK and IDCANCEL, which the dialog manager sends
    // for Enter and Esc; only a click reported by the push button itself counts.
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0) return;
    const int id = LOWORD(wParam);
    if (id <= 0 || id >= SlotCount || kinds_[id] != ControlKind::PushButton) return;
    if (controls_[id] != reinterpret_cast<HWND>(lParam)) return;
    if (definition_.onClick != nullptr) definition_.onClick(static_cast<Control>(id));
}

LRESULT MainWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    // A plain window forgets its focused control when deactivated; keep it,
    // as a dialog does, and give it back on the next activation.
    const bool minimized = HIWORD(wParam) != 0;
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (!minimized && lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    return Default(WM_ACTIVATE, wParam, lParam);
}

void MainWindow::OnNextControl(WPARAM wParam, LPARAM lParam) {
    // Sent by a multi-line edit for Tab when the dialog manager let it through.
    HWND next = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (next != nullptr && IsChild(hwnd_, next)) SetFocus(next);
}

void MainWindow::OnDestroy() {
    destroyed_ = true;
    PostQuitMessage(0);
}

}  // namespace qm::platform
