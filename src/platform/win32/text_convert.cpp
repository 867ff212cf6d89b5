// GBK <-> UTF-16 with MultiByteToWideChar / WideCharToMultiByte on code page 936.
#include "text_convert.h"

#include <windows.h>

#include <climits>

namespace qm::platform {
namespace {

constexpr UINT GbkCodePage = 936;

// The conversion calls take int lengths; no control holds more than that.
int ClampedLength(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
    const int length = ClampedLength(gbk.size());
    if (length == 0) return std::wstring();
    const int needed = MultiByteToWideChar(GbkCodePage, 0, gbk.data(), length, nullptr, 0);
    if (needed <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(GbkCodePage, 0, gbk.data(), length, wide.data(), needed);
    wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return wide;
}

Text WideToGbk(std::wstring_view wide) {
    const int length = ClampedLength(wide.size());
    if (length == 0) return Text();
    const int needed = WideCharToMultiByte(GbkCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return Text();
    Text gbk(static_cast<std::size_t>(needed), '\0');
    const int written =
        WideCharToMultiByte(GbkCodePage, 0, wide.data(), length, gbk.data(), needed, nullptr, nullptr);
    gbk.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return gbk;
}

}  // namespace qm::platform
