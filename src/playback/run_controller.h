// Run: plays the script the chosen number of times with the pause between runs.
#pragma once

namespace qm {

// Click of 按钮_运行. A click while a run is going is ignored (runs never nest).
// A run stops where the window's close is served; when a run ends, every
// button it pressed and did not release is released.
void RunScript();
void PlayScript();  // one pass over the script

}  // namespace qm
