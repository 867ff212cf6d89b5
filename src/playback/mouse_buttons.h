// Synthesized mouse buttons: press, release or click where the cursor is, and
// the record of which buttons playback holds down so none is left stuck.
#pragma once

#include <cstdint>

namespace qm {

enum class MouseButton : std::int32_t { Left = 1, Right = 2, Middle = 3 };
enum class ButtonKind : std::int32_t { Click = 1, Press = 3, Release = 4 };

// A click is the press immediately followed by the release. Values outside the
// enums send nothing.
void SynthesizeMouseButton(MouseButton button, ButtonKind kind);

// True while playback has pressed the button and not yet released it.
bool ButtonHeld(MouseButton button);
// Releases, where the cursor is, every button playback still holds down.
void ReleaseHeldButtons();

}  // namespace qm
