// StepCursor and GlideCursor over the platform's cursor.
#include "playback/cursor_glide.h"

#include <algorithm>
#include <limits>

#include "platform/input.h"
#include "platform/window.h"
#include "playback/pumping_wait.h"

namespace qm {
namespace {

std::int32_t Toward(std::int32_t target, std::int32_t current) {
    return target > current ? 1 : (target < current ? -1 : 0);
}

std::int32_t Offset(std::int32_t from, std::int32_t by) {
    // Kept in range: the platform clamps to the screen anyway.
    const std::int64_t to = static_cast<std::int64_t>(from) + by;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(to, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

}  // namespace

void StepCursor(std::int32_t dx, std::int32_t dy) {
    const Point at = platform::CursorPosition();
    platform::SetCursorPosition(Offset(at.x, dx), Offset(at.y, dy));
}

void GlideCursor(std::int32_t targetX, std::int32_t targetY) {
    Point previous;
    int stalled = 0;  // passes in a row whose step left the cursor where it was
    bool stepped = false;
    for (;;) {
        const Point at = platform::CursorPosition();
        // A single repeat proves nothing: a platform may report a position a
        // step late. Many in a row mean the screen edge holds the cursor.
        stalled = stepped && Same(at, previous) ? stalled + 1 : 0;
        if (stalled >= GlideStallPasses) return;
        StepCursor(Toward(targetX, at.x), Toward(targetY, at.y));
        // Arrival is decided by the position read before the step, so the pass
        // that finds the cursor on the target still steps by (0, 0) and waits.
        const bool arrived = at.x == targetX && at.y == targetY;
        PumpingWait(1);
        platform::ServeEvents();
        if (arrived || platform::QuitRequested()) return;
        previous = at;
        stepped = true;
    }
}

}  // namespace qm
