// The main window's controls, named as the window definition names them. The
// core addresses every control through these names; the platform maps them to
// its own windows.
#pragma once

namespace qm {

enum class Control : int {
    透明标签8 = 1,
    编辑框1,
    透明标签1,
    编辑框_延时,
    透明标签4,
    透明标签2,
    编辑框_总延时,
    透明标签5,
    透明标签3,
    编辑框_运行次数,
    透明标签6,
    按钮1,
    按钮_运行,
    按钮_录制,
    按钮_结束,
    透明标签7,
};

}  // namespace qm
