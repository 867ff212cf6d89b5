// The click counter of 按钮1: it counts its own clicks and shows the count.
#pragma once

#include <cstdint>

namespace qm {

// 0 at start; lives as long as the process.
extern std::int32_t ClickCounter;

// Click of 按钮1: one more click, shown as the button's caption.
void CountClick();

}  // namespace qm
