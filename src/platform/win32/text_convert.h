// Conversion between the core's GBK bytes and the UTF-16 of the system's wide
// calls, always with code page 936, whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace qm::platform {

// Bytes that are not valid GBK (a lone lead byte, an unassigned pair) become
// the system's replacement character; nothing fails.
std::wstring GbkToWide(std::string_view gbk);
// Characters GBK cannot hold become the default character "?".
Text WideToGbk(std::wstring_view wide);

}  // namespace qm::platform
