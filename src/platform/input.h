// Cursor position and synthesized mouse buttons.
#pragma once

#include <cstdint>

#include "platform/text.h"

namespace qm::platform {

Point CursorPosition();
void SetCursorPosition(std::int32_t x, std::int32_t y);
// One mouse_event with the given flags, no movement, data 0, extra info 0.
void SendMouseButton(std::uint32_t flags);

}  // namespace qm::platform
