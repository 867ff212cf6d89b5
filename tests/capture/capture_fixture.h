// A fresh fake desktop with the capture subsystem's process-wide objects, and
// the mouse gestures the tests send through the installed hook chain.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "capture/input_hook.h"
#include "capture/recorder.h"
#include "fakes/fake_desktop.h"
#include "platform/text.h"

namespace qm::testing {

// UTF-8 to GBK through the C library's own converter, so expected texts are
// written as a reader sees them and encoded independently of the code under test.
Text Gbk(std::string_view utf8);

// Raw low-level mouse message numbers.
enum Message : std::uint32_t {
    Move = 0x0200,
    LeftDown = 0x0201,
    LeftUp = 0x0202,
    LeftDoubleClick = 0x0203,
    RightDown = 0x0204,
    RightUp = 0x0205,
    RightDoubleClick = 0x0206,
    MiddleDown = 0x0207,
    MiddleUp = 0x0208,
    MiddleDoubleClick = 0x0209,
    Wheel = 0x020A,
    ExtraDown = 0x020B,
    ExtraUp = 0x020C,
    HorizontalWheel = 0x020E,
};

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    fake::Desktop& desktop() { return fake::Desktop::Get(); }
    Text script() { return desktop().texts[Control::编辑框1]; }
    Text status() { return desktop().texts[Control::透明标签7]; }
    void SetDelayText(std::string_view utf8) { desktop().texts[Control::编辑框_延时] = Gbk(utf8); }

    // One message through the hook chain, with the point and mouse data given.
    void Send(std::uint32_t message, int x, int y, std::uint32_t mouseData = 0);
    void Click(std::uint32_t down, int x, int y) {
        Send(down, x, y);
        Send(down + 1, x, y);
    }
};

}  // namespace qm::testing
