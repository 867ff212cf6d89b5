// The recorder: what Record, the mouse events and End leave in the script box
// and the status label.
#include <vector>

#include "capture_fixture.h"
#include "platform/hooks.h"

namespace qm::testing {
namespace {

using platform::HookKind;

class RecorderTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        desktop().windowCreated = true;
    }
};

struct Step {
    std::uint32_t message;
    int x, y;
    std::uint32_t mouseData;
};

struct Gesture {
    const char* what;
    std::vector<Step> steps;
    const char* script;  // UTF-8; the box must hold its GBK bytes exactly
};

const Gesture gestures[] = {
    {"press and release without moving is one click line",
     {{LeftDown, 300, 200, 0}, {LeftUp, 300, 200, 0}},
     "水平：300；垂直：200；鼠标：鼠标左键单击；延时：500\r\n"},
    {"release elsewhere is a press line and a release line",
     {{LeftDown, 120, 80, 0}, {Move, 200, 85, 0}, {LeftUp, 300, 90, 0}},
     "水平：120；垂直：80；鼠标：鼠标左键按下；延时：500\r\n"
     "水平：300；垂直：90；鼠标：鼠标左键弹起；延时：500\r\n"},
    {"release back at the press point is a click",
     {{LeftDown, 50, 60, 0}, {Move, 70, 90, 0}, {Move, 50, 60, 0}, {LeftUp, 50, 60, 0}},
     "水平：50；垂直：60；鼠标：鼠标左键单击；延时：500\r\n"},
    {"a right drag",
     {{RightDown, 10, 10, 0}, {Move, 40, 50, 0}, {RightUp, 40, 50, 0}},
     "水平：10；垂直：10；鼠标：鼠标右键按下；延时：500\r\n"
     "水平：40；垂直：50；鼠标：鼠标右键弹起；延时：500\r\n"},
    {"a straight drag along either axis is not a click",
     {{LeftDown, 5, 5, 0}, {LeftUp, 5, 9, 0}, {LeftDown, 6, 9, 0}, {LeftUp, 8, 9, 0}},
     "水平：5；垂直：5；鼠标：鼠标左键按下；延时：500\r\n"
     "水平：5；垂直：9；鼠标：鼠标左键弹起；延时：500\r\n"
     "水平：6；垂直：9；鼠标：鼠标左键按下；延时：500\r\n"
     "水平：8；垂直：9；鼠标：鼠标左键弹起；延时：500\r\n"},
    {"a right click",
     {{RightDown, 15, 15, 0}, {RightUp, 15, 15, 0}},
     "水平：15；垂直：15；鼠标：鼠标右键单击；延时：500\r\n"},
    {"a middle click has a delay field like the others",
     {{MiddleDown, 7, 1079, 0}, {MiddleUp, 7, 1079, 0}},
     "水平：7；垂直：1079；鼠标：鼠标中键单击；延时：500\r\n"},
    {"a middle drag",
     {{MiddleDown, 0, 0, 0}, {MiddleUp, 1919, 0, 0}},
     "水平：0；垂直：0；鼠标：鼠标中键按下；延时：500\r\n"
     "水平：1919；垂直：0；鼠标：鼠标中键弹起；延时：500\r\n"},
    {"one saved position serves all buttons",
     {{LeftDown, 1, 1, 0}, {RightDown, 9, 9, 0}, {LeftUp, 9, 9, 0}},
     "水平：9；垂直：9；鼠标：鼠标左键单击；延时：500\r\n"},
    {"a release with no press writes a press line with empty coordinates",
     {{RightUp, 30, 40, 0}},
     "水平：；垂直：；鼠标：鼠标右键按下；延时：500\r\n"
     "水平：30；垂直：40；鼠标：鼠标右键弹起；延时：500\r\n"},
    {"negative coordinates of a second screen",
     {{LeftDown, -1280, -5, 0}, {LeftUp, -1280, -5, 0}},
     "水平：-1280；垂直：-5；鼠标：鼠标左键单击；延时：500\r\n"},
    {"a double-click writes a three-field line",
     {{LeftDown, 5, 6, 0}, {LeftUp, 5, 6, 0}, {LeftDoubleClick, 5, 6, 0}, {LeftUp, 5, 6, 0}},
     "水平：5；垂直：6；鼠标：鼠标左键单击；延时：500\r\n"
     "水平：5；垂直：6；鼠标：鼠标左键双击\r\n"
     "水平：5；垂直：6；鼠标：鼠标左键单击；延时：500\r\n"},
    {"a right double-click is written as the same line",
     {{RightDoubleClick, 8, 9, 0}},
     "水平：8；垂直：9；鼠标：鼠标左键双击\r\n"},
    {"wheel, extra buttons and moves write nothing",
     {{Move, 3, 3, 0},
      {Wheel, 3, 3, 0x00780000},
      {Wheel, 3, 3, 0xFF880000},
      {HorizontalWheel, 3, 3, 0x00780000},
      {ExtraDown, 3, 3, 0x00010000},
      {ExtraUp, 3, 3, 0x00010000},
      {ExtraDown, 3, 3, 0x00020000},
      {ExtraUp, 3, 3, 0x00020000},
      {Move, 4, 4, 0}},
     ""},
    {"wheel-notch data on a button message is a wheel event",
     {{LeftDown, 3, 3, 0x00780000}, {LeftUp, 3, 3, 0x00780000}},
     ""},
};

TEST_F(RecorderTest, GesturesWriteTheirScriptLines) {
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.what);
        TearDown();  // each gesture starts from a fresh desktop
        SetUp();
        Record();
        for (const Step& s : g.steps) Send(s.message, s.x, s.y, s.mouseData);
        EXPECT_EQ(script(), Gbk(g.script));
        EXPECT_EQ(status(), Gbk("正在录制！"));
    }
}

TEST_F(RecorderTest, EachLineIsAppendedInFourPieces) {
    Record();
    Click(LeftDown, 300, 200);
    Send(LeftDoubleClick, 1, 2);
    const std::vector<Text> expected = {
        Gbk("水平：300；"), Gbk("垂直：200；"), Gbk("鼠标：鼠标左键单击；"),   Gbk("延时：500\r\n"),
        Gbk("水平：1；"),   Gbk("垂直：2；"),   Gbk("鼠标：鼠标左键双击\r\n"),
    };
    EXPECT_EQ(desktop().appends, expected);
}

TEST_F(RecorderTest, RecordChangesNothingUntilTheFirstEvent) {
    Record();
    EXPECT_EQ(status(), Gbk("请先录制脚本！"));
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 1);
    Send(Move, 10, 10);
    EXPECT_EQ(status(), Gbk("正在录制！"));
    EXPECT_EQ(script(), "");
}

TEST_F(RecorderTest, DelayIsTheBoxTextVerbatimAtEachLine) {
    Record();
    Click(LeftDown, 1, 1);
    SetDelayText(" 750");
    Click(LeftDown, 2, 2);
    SetDelayText("");
    Click(RightDown, 3, 3);
    SetDelayText("abc");
    Send(MiddleDown, 4, 4);
    SetDelayText("５００");  // the press line is written at the release, with the box's text then
    Send(MiddleUp, 5, 5);
    EXPECT_EQ(script(), Gbk("水平：1；垂直：1；鼠标：鼠标左键单击；延时：500\r\n"
                            "水平：2；垂直：2；鼠标：鼠标左键单击；延时： 750\r\n"
                            "水平：3；垂直：3；鼠标：鼠标右键单击；延时：\r\n"
                            "水平：4；垂直：4；鼠标：鼠标中键按下；延时：５００\r\n"
                            "水平：5；垂直：5；鼠标：鼠标中键弹起；延时：５００\r\n"));
}

TEST_F(RecorderTest, RecordTwiceThenAClickWritesOneLine) {
    Record();
    Record();
    Click(LeftDown, 300, 200);
    EXPECT_EQ(script(), Gbk("水平：300；垂直：200；鼠标：鼠标左键单击；延时：500\r\n"));
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 1);
    End();
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 0) << "no hook is left behind";
}

TEST_F(RecorderTest, TheOverviewRecordingEndsWithTheClickOnEnd) {
    Record();
    Click(LeftDown, 300, 200);
    Send(RightDown, 10, 10);
    Send(Move, 40, 50);
    Send(RightUp, 40, 50);
    // The click on End reaches the hook before End's handler runs.
    Click(LeftDown, 1221, 638);
    End();
    EXPECT_EQ(script(), Gbk("水平：300；垂直：200；鼠标：鼠标左键单击；延时：500\r\n"
                            "水平：10；垂直：10；鼠标：鼠标右键按下；延时：500\r\n"
                            "水平：40；垂直：50；鼠标：鼠标右键弹起；延时：500\r\n"
                            "水平：1221；垂直：638；鼠标：鼠标左键单击；延时：500\r\n"));
    EXPECT_EQ(status(), Gbk("录制完毕！"));
}

TEST_F(RecorderTest, HookCallQueuedBeforeEndLeavesTheRecordedStatus) {
    Record();
    Click(LeftDown, 1, 1);
    End();
    // A move the platform queued before End's unhook, delivered after it.
    LowLevelMouseRecord move{5, 5, 0, 0, 0};
    MouseHookProc(0, Move, reinterpret_cast<std::intptr_t>(&move));
    EXPECT_EQ(status(), Gbk("录制完毕！")) << "Run would refuse after a late recording status";
    EXPECT_EQ(script(), Gbk("水平：1；垂直：1；鼠标：鼠标左键单击；延时：500\r\n"));
}

TEST_F(RecorderTest, EndRemovesTheHookSoLaterEventsWriteNothing) {
    Record();
    End();
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 0);
    Click(LeftDown, 1, 1);
    EXPECT_EQ(script(), "");
    EXPECT_EQ(status(), Gbk("录制完毕！"));
}

TEST_F(RecorderTest, EndTrimsSpacesAroundTheScript) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", ""},
        {"   ", ""},
        {"　 　", ""},
        {"  水平：1；垂直：2；鼠标：鼠标左键单击；延时：500\r\n　 ",
         "水平：1；垂直：2；鼠标：鼠标左键单击；延时：500\r\n"},
        {"\t水平：1 \r\n 水平：2\r\n", "\t水平：1 \r\n 水平：2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        desktop().texts[Control::编辑框1] = Gbk(c.before);
        End();
        EXPECT_EQ(script(), Gbk(c.after));
        EXPECT_EQ(status(), Gbk("录制完毕！"));
    }
}

TEST_F(RecorderTest, PressPositionIsKeptAcrossRecordings) {
    Record();
    Send(LeftDown, 77, 88);
    End();
    Record();
    Send(LeftUp, 77, 88);
    EXPECT_EQ(script(), Gbk("水平：77；垂直：88；鼠标：鼠标左键单击；延时：500\r\n"));
}

TEST_F(RecorderTest, UnknownCodesOnlySetTheStatus) {
    const std::int32_t codes[][2] = {{0, 0}, {7, 1}, {-1, 2}, {1, 0}, {2, 4}, {3, 9}, {1, -3}};
    for (const auto& c : codes) RecordMouseEvent(c[0], c[1], 0);
    EXPECT_EQ(script(), "");
    EXPECT_EQ(status(), Gbk("正在录制！"));
    EXPECT_EQ(desktop().cursorReads, 0);
}

TEST_F(RecorderTest, RecordWithoutAWorkingHookRecordsNothing) {
    desktop().refuseHooks = true;
    Record();
    Click(LeftDown, 1, 1);
    EXPECT_EQ(script(), "");
    EXPECT_EQ(status(), Gbk("请先录制脚本！"));
}

}  // namespace
}  // namespace qm::testing
