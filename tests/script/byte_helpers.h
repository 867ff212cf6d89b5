// Helpers for tests that spell GBK bytes out: hex byte lists and readable
// names for table cases.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::test {

// "CB AE 33" -> the bytes CB AE 33; spaces between bytes are ignored.
inline std::string Hex(std::string_view spaced) {
    auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    for (std::size_t i = 0; i + 1 < spaced.size(); ++i) {
        if (spaced[i] == ' ') continue;
        bytes.push_back(static_cast<char>(nibble(spaced[i]) * 16 + nibble(spaced[i + 1])));
        ++i;
    }
    return bytes;
}

inline std::vector<std::string> Owned(const std::vector<std::string_view>& views) {
    return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace qm::test
