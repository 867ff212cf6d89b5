// Button synthesis through the platform's button events, flags per button, and
// the held-button record used to release what a stopped run left down.
#include "playback/mouse_buttons.h"

#include "platform/input.h"

namespace qm {
namespace {

struct ButtonFlags {
    std::uint32_t press;
    std::uint32_t release;
};

// Indexed by MouseButton - 1.
constexpr ButtonFlags Flags[] = {
    {0x0002, 0x0004},  // left
    {0x0008, 0x0010},  // right
    {0x0020, 0x0040},  // middle
};
constexpr int ButtonCount = 3;

bool held[ButtonCount] = {};

int IndexOf(MouseButton button) {
    const int index = static_cast<int>(button) - 1;
    return index >= 0 && index < ButtonCount ? index : -1;
}

}  // namespace

void SynthesizeMouseButton(MouseButton button, ButtonKind kind) {
    const int index = IndexOf(button);
    if (index < 0) return;
    const ButtonFlags& flags = Flags[index];
    switch (kind) {
        case ButtonKind::Press:
            platform::SendMouseButton(flags.press);
            held[index] = true;
            break;
        case ButtonKind::Release:
            platform::SendMouseButton(flags.release);
            held[index] = false;
            break;
        case ButtonKind::Click:
            platform::SendMouseButton(flags.press);
            platform::SendMouseButton(flags.release);
            held[index] = false;
            break;
    }
}

bool ButtonHeld(MouseButton button) {
    const int index = IndexOf(button);
    return index >= 0 && held[index];
}

void ReleaseHeldButtons() {
    for (int index = 0; index < ButtonCount; ++index) {
        if (held[index]) SynthesizeMouseButton(static_cast<MouseButton>(index + 1), ButtonKind::Release);
    }
}

}  // namespace qm
