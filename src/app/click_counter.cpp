// The click counter of 按钮1.
#include "app/click_counter.h"

#include "platform/window.h"
#include "script/text_ops.h"

namespace qm {

std::int32_t ClickCounter = 0;

void CountClick() {
    // Wraps like the 32-bit counter it is instead of overflowing a signed int.
    ClickCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(ClickCounter) + 1u);
    platform::SetControlText(Control::按钮1, IntToText(ClickCounter));
}

}  // namespace qm
