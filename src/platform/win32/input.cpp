// The cursor and synthesized mouse buttons over user32.
#include "platform/input.h"

#include <windows.h>

namespace qm::platform {

Point CursorPosition() {
    // Zero when the desktop cannot be read (a locked or switched desktop).
    POINT at{};
    if (!GetCursorPos(&at)) return Point{};
    return Point{static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)};
}

void SetCursorPosition(std::int32_t x, std::int32_t y) { SetCursorPos(x, y); }

void SendMouseButton(std::uint32_t flags) {
    // No movement: the event acts where the cursor is.
    mouse_event(flags, 0, 0, 0, 0);
}

}  // namespace qm::platform
