"""The main window on the real program: its frame and controls, what the user
sees, the click counter and the message box. The table and helpers here are
shared with the keyboard and text tests."""

import os
import subprocess
import unittest

import harness
from harness import MAIN_TITLE, ProbeBusy, Session, wait_until

# Window styles, as the dump reports them.
WS_VISIBLE, WS_DISABLED = 0x10000000, 0x08000000
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000
WS_VSCROLL, WS_HSCROLL, WS_TABSTOP = 0x00200000, 0x00100000, 0x00010000
WS_EX_TOPMOST, WS_EX_CLIENTEDGE, WS_EX_APPWINDOW = 0x8, 0x200, 0x40000
ES_CENTER, ES_RIGHT, ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL = 0x1, 0x2, 0x4, 0x40, 0x80
ES_READONLY, ES_WANTRETURN, ES_NUMBER = 0x800, 0x1000, 0x2000
BS_TYPEMASK, BS_PUSHBUTTON, BS_CENTER, BS_VCENTER, BS_MULTILINE = 0xF, 0x0, 0x300, 0xC00, 0x2000

LABEL = "QuillmarshTransparentLabel"
EDIT_BOX = dict(cls="Edit", exstyle=WS_EX_CLIENTEDGE)
SCRIPT_BOX = dict(EDIT_BOX, style=WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL,
                  never=WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY | ES_CENTER | ES_RIGHT)
NUMBER_BOX = dict(EDIT_BOX, style=WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
                  never=ES_MULTILINE | ES_NUMBER | ES_READONLY | WS_VSCROLL)
PUSH_BUTTON = dict(cls="Button", style=WS_TABSTOP | BS_MULTILINE | BS_CENTER | BS_VCENTER, exstyle=0, never=0)
TRANSPARENT_LABEL = dict(cls=LABEL, style=0, exstyle=0, never=WS_TABSTOP)

# name, kind, client rect, initial text
CONTROLS = [
    ("透明标签8", TRANSPARENT_LABEL, (8, 8, 200, 32), "命令台："),
    ("编辑框1", SCRIPT_BOX, (0, 40, 392, 240), ""),
    ("透明标签1", TRANSPARENT_LABEL, (432, 32, 32, 32), "延时："),
    ("编辑框_延时", NUMBER_BOX, (496, 32, 64, 24), "500"),
    ("透明标签4", TRANSPARENT_LABEL, (568, 28, 32, 32), "毫秒"),
    ("透明标签2", TRANSPARENT_LABEL, (432, 64, 48, 32), "总延时："),
    ("编辑框_总延时", NUMBER_BOX, (496, 64, 64, 24), "5"),
    ("透明标签5", TRANSPARENT_LABEL, (568, 61, 32, 32), "秒"),
    ("透明标签3", TRANSPARENT_LABEL, (432, 96, 64, 32), "运行次数："),
    ("编辑框_运行次数", NUMBER_BOX, (496, 96, 64, 24), "2"),
    ("透明标签6", TRANSPARENT_LABEL, (568, 92, 32, 32), "次"),
    ("按钮1", PUSH_BUTTON, (424, 136, 64, 40), "0"),
    ("按钮_运行", PUSH_BUTTON, (504, 144, 80, 32), "运行"),
    ("按钮_录制", PUSH_BUTTON, (424, 200, 80, 32), "录制"),
    ("按钮_结束", PUSH_BUTTON, (512, 200, 80, 32), "结束"),
    ("透明标签7", TRANSPARENT_LABEL, (400, 248, 200, 32), "请先录制脚本！"),
]

CONTROL_TEXT = {name: text for name, _, _, text in CONTROLS}

TAB_ORDER = ["编辑框1", "编辑框_延时", "编辑框_总延时", "编辑框_运行次数", "按钮1", "按钮_运行", "按钮_录制", "按钮_结束"]


def screenshot_dir():
    path = os.path.join(harness.default_work_dir(), "screenshots")
    os.makedirs(path, exist_ok=True)
    return path


def pixels(png, x, y, width, height):
    """Rows of (r, g, b) of a screen rectangle of a screenshot."""
    raw = subprocess.run(["convert", png, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage", "-depth",
                          "8", "rgb:-"], capture_output=True, check=True, timeout=60).stdout
    assert len(raw) == width * height * 3, "short crop of %s" % png
    return [[tuple(raw[(row * width + col) * 3:(row * width + col) * 3 + 3]) for col in range(width)]
            for row in range(height)]


def check_window_matches_definition(test, p):
    """Frame, title and every control's class, place, size, text and style bits."""
    window = p.window()
    test.assertEqual(window["text"], MAIN_TITLE)
    test.assertEqual((window["rect"]["x"], window["rect"]["y"]), (657, 384))
    test.assertEqual((window["rect"]["width"], window["rect"]["height"]), (606, 312))
    style, exstyle = window["style"], window["exstyle"]
    test.assertEqual(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
    test.assertEqual(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0, "resizable or maximizable")
    test.assertTrue(exstyle & WS_EX_APPWINDOW, "no taskbar button of its own")
    test.assertFalse(exstyle & WS_EX_TOPMOST, "topmost")

    children = {child["id"]: child for child in window["children"]}
    test.assertEqual(len(children), len(CONTROLS))
    for name, kind, (x, y, width, height), text in CONTROLS:
        with test.subTest(control=name):
            child = children[p.control_id(name)]
            test.assertEqual(child["class"].lower(), kind["cls"].lower())
            test.assertEqual((child["rect"]["x"], child["rect"]["y"]), (x, y))
            test.assertEqual((child["rect"]["width"], child["rect"]["height"]), (width, height))
            test.assertEqual(child["text"], text)
            test.assertTrue(child["visible"] and child["enabled"])
            test.assertEqual(child["style"] & kind["style"], kind["style"], "missing style bits")
            test.assertEqual(child["style"] & kind["never"], 0, "style bits it must not have")
            test.assertEqual(child["exstyle"] & kind["exstyle"], kind["exstyle"], "missing extended style bits")
            if kind is PUSH_BUTTON:
                test.assertEqual(child["style"] & BS_TYPEMASK, BS_PUSHBUTTON, "not a plain push button")


def tab_to(s, p, name):
    """Presses Tab until the focus is on the named control (at most one round)."""
    for _ in range(len(TAB_ORDER)):
        before = p.focus()
        if before == name:
            return
        s.key("Tab")
        wait_until(lambda: p.focus() not in (before, None), timeout=5, what="the focus to move on from %s" % before)
    raise AssertionError("Tab never reached " + name)



class MainWindowLooks(unittest.TestCase):
    def test_frame_and_every_control_match_the_window_definition(self):
        with Session() as s:
            p = s.start_program()
            check_window_matches_definition(self, p)
            self.assertEqual(p.focus(), "编辑框1", "the script box should have the first focus")

    def test_screenshot_shows_black_label_texts_on_the_window_background(self):
        with Session() as s:
            p = s.start_program()
            window = p.window()
            cx, cy = window["client"]["x"], window["client"]["y"]
            shot = s.screenshot(os.path.join(screenshot_dir(), "window-zh_CN.png"))
            # A spot of the client area with no control on it.
            background = pixels(shot, cx + 300, cy + 20, 1, 1)[0][0]
            for name, kind, (x, y, width, height), _ in CONTROLS:
                if kind is not TRANSPARENT_LABEL:
                    continue
                with self.subTest(label=name):
                    area = [px for row in pixels(shot, cx + x, cy + y, width, height) for px in row]
                    # Mostly the window's own background, with dark text drawn on it.
                    most = max(set(area), key=area.count)
                    self.assertEqual(most, background)
                    self.assertTrue(any(sum(px) < 150 for px in area), "no dark text in the label")

    def test_status_label_repaints_at_once_even_when_the_thread_blocks_next(self):
        with Session() as s:
            p = s.start_program()
            window = p.window()
            sx, sy = window["client"]["x"] + 400, window["client"]["y"] + 248
            before = pixels(s.screenshot(os.path.join(s.tmpdir, "before.png")), sx, sy, 200, 32)
            # An empty script, two runs, a long pause: the first run's status is
            # written right before the thread blocks in the pause.
            p.set_text("编辑框_总延时", "15")
            p.click("按钮_运行")

            def status_changed():
                now = pixels(s.screenshot(os.path.join(s.tmpdir, "during.png")), sx, sy, 200, 32)
                return now != before

            wait_until(status_changed, timeout=8, what="the new status on screen", interval=0.2)
            with self.assertRaises(ProbeBusy, msg="the window should be blocked in the pause"):
                s.probe("text", hex(p.hwnd), str(p.control_id("透明标签7")), timeout=5)
            s.probe("close", hex(p.hwnd), timeout=30)
            self.assertEqual(p.wait_exit(timeout=40), 0)


class ClickCounter(unittest.TestCase):
    def test_three_real_clicks_show_1_2_3(self):
        with Session() as s:
            p = s.start_program()
            for expected in ("1", "2", "3"):
                p.click("按钮1")
                wait_until(lambda: p.text("按钮1") == expected, timeout=5, what="caption " + expected)
            self.assertEqual(p.text("透明标签7"), "请先录制脚本！")


class MessageBox(unittest.TestCase):
    def test_refusal_box_has_its_caption_no_owner_no_icon_and_disables_the_window(self):
        with Session() as s:
            p = s.start_program()
            p.click("按钮_录制")
            x, y = p.center("编辑框1")
            s.move(x, y)  # the first event of the recording sets its status
            wait_until(lambda: p.text("透明标签7") == "正在录制！", timeout=10, what="the recording status")
            p.click("按钮_运行")

            def box():
                for window in s.probe("list")["windows"]:
                    if window["text"] == "信息：":
                        return window
                return None

            found = wait_until(box, timeout=10, what="the message box")
            self.assertEqual(found["owner"], 0, "the box should have no owner window")
            self.assertEqual(found["pid"], p.window()["pid"])
            dump = s.probe("dump", hex(found["hwnd"]))
            statics = [c for c in dump["children"] if c["class"].lower() == "static"]
            self.assertIn("请先结束录制！", [c["text"] for c in statics])
            buttons = [c for c in dump["children"] if c["class"].lower() == "button" and c["visible"]]
            self.assertEqual(len(buttons), 1, "one OK button")
            # No icon: every icon the box can show is coloured; text and frame are grey.
            shot = s.screenshot(os.path.join(s.tmpdir, "box.png"))
            bx, by = dump["client"]["x"], dump["client"]["y"]
            button = buttons[0]["rect"]
            area = pixels(shot, bx, by, dump["client"]["width"], dump["client"]["height"])

            def on_button(col, row):
                return (button["x"] <= col < button["x"] + button["width"]
                        and button["y"] <= row < button["y"] + button["height"])

            coloured = [(col, row) for row, line in enumerate(area) for col, (r, g, b) in enumerate(line)
                        if max(r, g, b) - min(r, g, b) > 80 and not on_button(col, row)]
            self.assertEqual(coloured, [], "coloured pixels outside the OK button: an icon")
            # Task-modal: the main window takes no input while the box is up.
            self.assertFalse(p.window()["enabled"])

            s.click(bx + button["x"] + button["width"] // 2, by + button["y"] + button["height"] // 2)
            wait_until(lambda: box() is None, timeout=10, what="the box to close")
            wait_until(lambda: p.window()["enabled"], timeout=10, what="the main window enabled again")
            p.close()
            self.assertEqual(p.wait_exit(timeout=10), 0)


if __name__ == "__main__":
    unittest.main()
