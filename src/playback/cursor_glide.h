// Moving the real cursor: one step, and the glide to a point one pixel at a
// time while the window keeps serving its events.
#pragma once

#include <cstdint>

namespace qm {

// Moves the cursor by (dx, dy) from wherever it is now.
void StepCursor(std::int32_t dx, std::int32_t dy);

// Diagonal until one coordinate matches, then straight along the other; a
// PumpingWait(1) and a ServeEvents after every step, and one extra pass once
// the target is reached. Gives up where a step leaves the cursor where it was
// short of the target (a point off every screen), and stops once the window
// has been closed.
void GlideCursor(std::int32_t targetX, std::int32_t targetY);

}  // namespace qm
