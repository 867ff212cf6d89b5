// What the player does for field 3 of a script line: which button, which
// kind of event, and whether the line's delay follows.
#pragma once

#include <string_view>

#include "playback/mouse_buttons.h"

namespace qm {

struct LineAction {
    const char* field;  // the whole field 3 text, label included
    MouseButton button;
    ButtonKind kind;
    bool waitsDelay;  // the right click alone goes on at once
};

// The first action whose text equals the field byte for byte; null for any
// other text (a double click, a typo, spaces around the field).
const LineAction* MatchLineAction(std::string_view field);

}  // namespace qm
