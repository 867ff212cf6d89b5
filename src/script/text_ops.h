// Byte-level text operations on GBK text, shared by the recorder and the
// player. A byte of 0x80 or above starts a two-byte character.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace qm {

// Removes runs of ASCII spaces and full-width spaces (A1 A1) at both ends.
// The result views the argument.
std::string_view TrimSpaces(std::string_view t);
// Cuts t at every sep found on a character boundary (two-byte stepping). An
// empty rest is not a piece; empty t gives no pieces. Pieces view the argument.
std::vector<std::string_view> SplitText(std::string_view t, std::string_view sep);
// The last n bytes of t; empty when n <= 0, all of t when n >= its length.
std::string_view RightBytes(std::string_view t, std::int64_t n);
// Full-width forms to ASCII, white space, sign, decimal digits, wrapping
// modulo 2^32; no digit gives 0.
std::int32_t TextToInt(std::string_view t);
Text IntToText(std::int32_t n);
// Byte-wise; an absent text equals the empty text.
bool TextEquals(const std::optional<Text>& a, const std::optional<Text>& b);

}  // namespace qm
