// Helpers for tests of byte-level text: hex byte lists, and copies that let the
// address sanitizer see any read past the end.
#pragma once

#include <cstring>
#include <memory>
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

// The bytes copied into a heap block of exactly their size. A std::string keeps
// a terminator and spare room after its bytes, which hides a read past the end
// from the address sanitizer; this block has nothing after them.
class TightCopy {
public:
    explicit TightCopy(std::string_view bytes) : bytes_(new char[bytes.size()]), size_(bytes.size()) {
        if (size_ != 0) std::memcpy(bytes_.get(), bytes.data(), size_);
    }
    std::string_view View() const { return {bytes_.get(), size_}; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

}  // namespace qm::test
