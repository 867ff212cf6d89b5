// The short wait between glide steps, during which the window keeps serving
// its events.
#pragma once

#include <cstdint>

namespace qm {

// Waits ms milliseconds on a waitable timer, serving window events whenever
// they arrive. Without a usable timer it falls back to a plain wait of the
// same length followed by serving events, so it never hangs. Stops early once
// the window has been closed. Always returns true.
bool PumpingWait(std::int32_t ms);

}  // namespace qm
