// The capture tests' fixture and the GBK encoder for expected texts.
#include "capture_fixture.h"

#include <iconv.h>

#include <stdexcept>

namespace qm::testing {

Text Gbk(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no GBK converter");
    Text out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &to, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1)) throw std::runtime_error("text not encodable in GBK");
    out.resize(out.size() - outLeft);
    return out;
}

void CaptureTest::SetUp() {
    desktop().Reset();
    desktop().texts[Control::编辑框1] = "";
    desktop().texts[Control::编辑框_延时] = "500";
    desktop().texts[Control::透明标签7] = Gbk("请先录制脚本！");
    TheHookRegistry = new HookRegistry();
    TheInputHook = new InputHook();
    ReleaseSavedPositions();
}

void CaptureTest::TearDown() {
    TheInputHook->Destroy();
    delete TheInputHook;
    TheInputHook = nullptr;
    delete TheHookRegistry;
    TheHookRegistry = nullptr;
    ReleaseSavedPositions();
}

void CaptureTest::Send(std::uint32_t message, int x, int y, std::uint32_t mouseData) {
    LowLevelMouseRecord record{x, y, mouseData, 0, 0};
    desktop().SendMouseMessage(message, record);
}

}  // namespace qm::testing
