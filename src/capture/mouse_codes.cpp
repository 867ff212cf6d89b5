// Classification of low-level mouse messages into button and action codes.
#include "capture/mouse_codes.h"

namespace qm {
namespace {

// Window message numbers and mouse data values as the system reports them.
constexpr std::uintptr_t LeftDown = 0x0201, LeftUp = 0x0202, LeftDoubleClick = 0x0203;
constexpr std::uintptr_t RightDown = 0x0204, RightUp = 0x0205, RightDoubleClick = 0x0206;
constexpr std::uintptr_t MiddleDown = 0x0207, MiddleUp = 0x0208, MiddleDoubleClick = 0x0209;
constexpr std::uintptr_t ExtraDown = 0x020B, ExtraUp = 0x020C;
constexpr std::uint32_t WheelNotchForward = 0x00780000;  // +120 in the high word
constexpr std::uint32_t WheelNotchBack = 0xFF880000;     // -120 in the high word
constexpr std::int16_t ExtraButton1 = 1, ExtraButton2 = 2;

MouseCodes ExtraButton(std::uint32_t mouseData, MouseActionCode action) {
    const auto which = static_cast<std::int16_t>(static_cast<std::uint16_t>(mouseData >> 16));
    if (which == ExtraButton2) return {MouseButtonCode::SecondExtra, action};
    if (which == ExtraButton1) return {MouseButtonCode::FirstExtra, action};
    return {MouseButtonCode::None, MouseActionCode::None};
}

}  // namespace

MouseCodes ClassifyMouseMessage(std::uintptr_t message, std::uint32_t mouseData) {
    using B = MouseButtonCode;
    using A = MouseActionCode;
    // The wheel test looks at the data only, so a horizontal notch of the same
    // size reads as the vertical one.
    if (mouseData == WheelNotchForward) return {B::Wheel, A::WheelForward};
    if (mouseData == WheelNotchBack) return {B::Wheel, A::WheelBack};
    switch (message) {
        case LeftDown:
            return {B::Left, A::Press};
        case LeftUp:
            return {B::Left, A::Release};
        case LeftDoubleClick:
            return {B::Left, A::DoubleClick};
        case RightDown:
            return {B::Right, A::Press};
        case RightUp:
            return {B::Right, A::Release};
        case RightDoubleClick:
            return {B::Right, A::DoubleClick};
        case MiddleDown:
            return {B::Middle, A::Press};
        case MiddleUp:
            return {B::Middle, A::Release};
        case MiddleDoubleClick:
            return {B::Middle, A::DoubleClick};
        case ExtraDown:
            return ExtraButton(mouseData, A::Press);
        case ExtraUp:
            return ExtraButton(mouseData, A::Release);
        default:
            return {B::None, A::None};
    }
}

}  // namespace qm
