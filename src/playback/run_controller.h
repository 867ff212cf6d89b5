// Run: plays the script the chosen number of times with the pause between runs.
#pragma once

namespace qm {

void RunScript();   // click of 按钮_运行
void PlayScript();  // one pass over the script

}  // namespace qm
