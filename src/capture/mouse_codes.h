// The small integers the mouse hook hands to its callback, and the table that
// turns a raw low-level mouse message into them.
#pragma once

#include <cstdint>

namespace qm {

enum class MouseButtonCode : std::int32_t {
    None = 0,
    Left = 1,
    Right = 2,
    Middle = 3,
    Wheel = 4,
    SecondExtra = 5,  // XBUTTON2
    FirstExtra = 6,   // XBUTTON1
};

enum class MouseActionCode : std::int32_t {
    None = 0,
    Press = 1,
    Release = 2,
    DoubleClick = 3,
    WheelForward = 4,
    WheelBack = 5,
};

struct MouseCodes {
    MouseButtonCode button;
    MouseActionCode action;
};

// First matching rule wins: a single wheel notch (by mouse data alone, whatever
// the message), then the button messages, then the extra buttons by the signed
// high word of the mouse data; everything else, moves included, is (None, None).
MouseCodes ClassifyMouseMessage(std::uintptr_t message, std::uint32_t mouseData);

}  // namespace qm
