// The main window: creates itself and its controls from the window definition,
// routes button clicks to the definition's handler, and keeps the keyboard
// focus across activation.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/window.h"
#include "window_base.h"
#include "window_handles.h"
#include "window_label.h"

namespace qm::platform {

class MainWindow : public BaseWindow<MainWindow> {
public:
    // The one main window of the process; null until created.
    static MainWindow* Instance();
    static bool Create(const WindowDefinition& definition);

    // Null when the control does not exist or the window is gone.
    HWND ControlHandle(Control control) const;
    bool Destroyed() const { return destroyed_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    explicit MainWindow(const WindowDefinition& definition) : definition_(definition) {}
    bool CreateWindowAndControls(HINSTANCE instance);
    bool CreateControl(const ControlDefinition& control, HFONT font);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnNextControl(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    static constexpr int SlotCount = 17;  // control IDs run from 1 to 16
    const WindowDefinition& definition_;
    std::array<HWND, SlotCount> controls_{};
    std::array<ControlKind, SlotCount> kinds_{};
    std::vector<std::unique_ptr<TransparentLabel>> labels_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    HFONT font_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation
    bool destroyed_ = false;
};

}  // namespace qm::platform
