// The table of the nine actions the player performs, in the order the player
// tries them.
#include "playback/line_actions.h"

#include "script/script_texts.h"

namespace qm {
namespace {

constexpr LineAction Actions[] = {
    {script::ActionRightPress, MouseButton::Right, ButtonKind::Press, true},
    {script::ActionRightRelease, MouseButton::Right, ButtonKind::Release, true},
    {script::ActionRightClick, MouseButton::Right, ButtonKind::Click, false},
    {script::ActionLeftPress, MouseButton::Left, ButtonKind::Press, true},
    {script::ActionLeftRelease, MouseButton::Left, ButtonKind::Release, true},
    {script::ActionLeftClick, MouseButton::Left, ButtonKind::Click, true},
    {script::ActionMiddlePress, MouseButton::Middle, ButtonKind::Press, true},
    {script::ActionMiddleRelease, MouseButton::Middle, ButtonKind::Release, true},
    {script::ActionMiddleClick, MouseButton::Middle, ButtonKind::Click, true},
};

}  // namespace

const LineAction* MatchLineAction(std::string_view field) {
    for (const LineAction& action : Actions) {
        if (field == action.field) return &action;
    }
    return nullptr;
}

}  // namespace qm
