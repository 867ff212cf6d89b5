// Moving the real cursor: one step, and the glide to a point one pixel at a
// time while the window keeps serving its events.
#pragma once

#include <cstdint>

namespace qm {

// Moves the cursor by (dx, dy) from wherever it is now.
void StepCursor(std::int32_t dx, std::int32_t dy);

// Passes in a row that leave the cursor where it was, short of the target,
// after which a glide gives up: the target lies off every screen.
inline constexpr int GlideStallPasses = 25;

// Diagonal until one coordinate matches, then straight along the other; a
// PumpingWait(1) and a ServeEvents after every step, and one extra pass once
// the target is reached. Gives up where the screen edge holds the cursor short
// of the target, and stops once the window has been closed.
void GlideCursor(std::int32_t targetX, std::int32_t targetY);

}  // namespace qm
