// The core's text type: GBK bytes (code page 936), exactly as the script format
// defines them. Only the platform layer converts to and from UTF-16.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

using Text = std::string;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

}  // namespace qm
