// The recorder: Record and End, and the mouse callback that turns button
// events into script lines appended to the script box.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace qm {

struct SavedPosition {
    std::optional<Text> x;
    std::optional<Text> y;
};

// Cursor texts at the latest press and release of the left, right or middle
// button; absent until the first, kept across recordings.
extern SavedPosition DownPosition;
extern SavedPosition UpPosition;

void Record();  // click of 按钮_录制
void End();     // click of 按钮_结束
void RecordMouseEvent(std::int32_t button, std::int32_t action, std::int32_t unused);
// Releases the saved position texts (ShutDown).
void ReleaseSavedPositions();

}  // namespace qm
