// Shared set-up for the playback tests: a fresh fake desktop with the main
// window's initial texts, and script lines built from the format's own texts.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_desktop.h"
#include "platform/window.h"
#include "playback/mouse_buttons.h"
#include "script/script_texts.h"

namespace qm::testing {

inline fake::Desktop& Fake() { return fake::Desktop::Get(); }

inline std::string Line(std::string_view x, std::string_view y, std::string_view action,
                        std::optional<std::string_view> delay) {
    std::string line = std::string(script::LabelHorizontal) + std::string(x) + script::FieldSeparator +
                       script::LabelVertical + std::string(y) + script::FieldSeparator + std::string(action);
    if (delay) line += std::string(script::FieldSeparator) + script::LabelDelay + std::string(*delay);
    return line + "\r\n";
}

inline std::string RunningStatus(int run) {
    return std::string(script::StatusRunPrefix) + std::to_string(run) + script::StatusRunSuffix;
}

inline std::vector<std::uint32_t> Flags() {
    std::vector<std::uint32_t> flags;
    for (const fake::ButtonEvent& e : Fake().buttons) flags.push_back(e.flags);
    return flags;
}

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A button left down by an earlier test would be released into this one.
        ReleaseHeldButtons();
        Fake().Reset();
        Fake().texts[Control::编辑框1] = "";
        Fake().texts[Control::编辑框_延时] = "500";
        Fake().texts[Control::编辑框_总延时] = "5";
        Fake().texts[Control::编辑框_运行次数] = "2";
        Fake().texts[Control::透明标签7] = script::StatusNotRecorded;
    }
};

}  // namespace qm::testing

namespace qm {
inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
inline std::ostream& operator<<(std::ostream& os, Point p) { return os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace qm
