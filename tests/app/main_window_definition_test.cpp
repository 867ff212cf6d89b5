// The window definition against the window as the user must see it: texts are
// written here in readable Chinese and converted to GBK with iconv, so a wrong
// byte in the table shows up as a wrong character.
#include "app/main_window_definition.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <set>
#include <string>

namespace qm {
namespace {

std::string Gbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no UTF-8 to GBK converter";
        return {};
    }
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

struct Expected {
    Control id;
    ControlKind kind;
    int x, y, width, height;
    std::string utf8Text;
};

const Expected Table[] = {
    {Control::透明标签8, ControlKind::Label, 8, 8, 200, 32, "命令台："},
    {Control::编辑框1, ControlKind::ScriptBox, 0, 40, 392, 240, ""},
    {Control::透明标签1, ControlKind::Label, 432, 32, 32, 32, "延时："},
    {Control::编辑框_延时, ControlKind::NumberBox, 496, 32, 64, 24, "500"},
    {Control::透明标签4, ControlKind::Label, 568, 28, 32, 32, "毫秒"},
    {Control::透明标签2, ControlKind::Label, 432, 64, 48, 32, "总延时："},
    {Control::编辑框_总延时, ControlKind::NumberBox, 496, 64, 64, 24, "5"},
    {Control::透明标签5, ControlKind::Label, 568, 61, 32, 32, "秒"},
    {Control::透明标签3, ControlKind::Label, 432, 96, 64, 32, "运行次数："},
    {Control::编辑框_运行次数, ControlKind::NumberBox, 496, 96, 64, 24, "2"},
    {Control::透明标签6, ControlKind::Label, 568, 92, 32, 32, "次"},
    {Control::按钮1, ControlKind::PushButton, 424, 136, 64, 40, "0"},
    {Control::按钮_运行, ControlKind::PushButton, 504, 144, 80, 32, "运行"},
    {Control::按钮_录制, ControlKind::PushButton, 424, 200, 80, 32, "录制"},
    {Control::按钮_结束, ControlKind::PushButton, 512, 200, 80, 32, "结束"},
    {Control::透明标签7, ControlKind::Label, 400, 248, 200, 32, "请先录制脚本！"},
};

TEST(MainWindowDefinition, TitleAndOuterSizeAreTheProgramsOwn) {
    const WindowDefinition& definition = MainWindowDefinition();
    EXPECT_STREQ(definition.title, "Quillmarsh 1.0--------------------Tovendal");
    EXPECT_EQ(definition.outerWidth, 606);
    EXPECT_EQ(definition.outerHeight, 312);
    EXPECT_NE(definition.onClick, nullptr);
}

TEST(MainWindowDefinition, EveryControlHasItsKindPlaceSizeAndInitialGbkText) {
    const WindowDefinition& definition = MainWindowDefinition();
    std::map<Control, const ControlDefinition*> byId;
    for (int i = 0; i < definition.controlCount; ++i) {
        EXPECT_TRUE(byId.emplace(definition.controls[i].id, &definition.controls[i]).second)
            << "control " << static_cast<int>(definition.controls[i].id) << " defined twice";
    }
    ASSERT_EQ(definition.controlCount, 16);
    for (const Expected& e : Table) {
        SCOPED_TRACE(e.utf8Text.empty() ? "control " + std::to_string(static_cast<int>(e.id)) : e.utf8Text);
        auto found = byId.find(e.id);
        ASSERT_NE(found, byId.end());
        const ControlDefinition& c = *found->second;
        EXPECT_EQ(c.kind, e.kind);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.width, e.width);
        EXPECT_EQ(c.height, e.height);
        ASSERT_NE(c.text, nullptr);
        EXPECT_EQ(std::string(c.text), Gbk(e.utf8Text));
    }
}

TEST(MainWindowDefinition, ControlsFillSixHundredByTwoHundredEightyOfTheClientArea) {
    const WindowDefinition& definition = MainWindowDefinition();
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < definition.controlCount; ++i) {
        const ControlDefinition& c = definition.controls[i];
        EXPECT_GE(c.x, 0);
        EXPECT_GE(c.y, 0);
        right = std::max(right, c.x + c.width);
        bottom = std::max(bottom, c.y + c.height);
    }
    EXPECT_EQ(right, 600);
    EXPECT_EQ(bottom, 280);
}

}  // namespace
}  // namespace qm
