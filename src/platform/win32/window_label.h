// The transparent label: a child window that draws only its caption, in black,
// over whatever its parent paints beneath it.
#pragma once

#include <windows.h>

#include "window_base.h"

namespace qm::platform {

class TransparentLabel : public BaseWindow<TransparentLabel> {
public:
    static bool RegisterClass(HINSTANCE instance);
    // A visible child label; the object must outlive its window.
    HWND Create(HWND parent, int id, int x, int y, int width, int height, const wchar_t* caption);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void PaintParentBackground(HDC dc);
    void OnPaint();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    HFONT font_ = nullptr;
};

}  // namespace qm::platform
