"""Playback end to end: the real program plays scripts onto a target window of
the project's own (tools/target.exe, which logs every button message it gets),
with the real cursor and real synthesized buttons under Wine."""

import os
import unittest

from harness import Session, wait_until

STATUS_DONE = "运行完毕！"
STATUS_RECORDING = "正在录制！"
STATUS_RECORDED = "录制完毕！"


def running(n):
    return "正在运行第%d次" % n


def line(x, y, action, delay=None):
    text = "水平：%s；垂直：%s；鼠标：%s" % (x, y, action)
    if delay is not None:
        text += "；延时：%s" % delay
    return text + "\r\n"


class TargetLog:
    """The target window's log: (event, x, y, milliseconds) per button message."""

    def __init__(self, session):
        self.path = os.path.join(session.tmpdir, "target.log")
        self.tool = session.start_tool("target", session.windows_path(self.path))
        wait_until(lambda: self._lines() and self._lines()[0].startswith("READY"), timeout=30,
                   what="the target window to be shown")

    def _lines(self):
        if not os.path.exists(self.path):
            return []
        with open(self.path, encoding="ascii") as f:
            return [l for l in f.read().split("\n") if l.endswith(tuple("0123456789"))]

    def events(self):
        out = []
        for entry in self._lines()[1:]:
            name, x, y, ms = entry.split()
            out.append((name, int(x), int(y), float(ms)))
        return out

    def points(self):
        return [e[:3] for e in self.events()]


# Under Wine the window below the cursor belongs to another process, which
# hands the pointer motion of each cursor step to the server a little late: the
# cursor can still sit a few steps back on its path when the button event that
# follows a glide is sent. A point may be that far back, never elsewhere.
STALE_STEPS = 8


def glide_path(start, end):
    """The points a glide from start to end passes, as the program steps."""
    (x, y), points = start, []
    while (x, y) != tuple(end):
        x += (end[0] > x) - (end[0] < x)
        y += (end[1] > y) - (end[1] < y)
        points.append((x, y))
    return points


def assert_same_clicks(test, played, expected, start):
    """Same buttons in the same order on the same pixels, each possibly a few
    steps back on the glide that led to it; at least half of the points that
    end a glide land exactly on them."""
    test.assertEqual([e[0] for e in played], [e[0] for e in expected], played)
    previous, previous_played, exact, glides = start, None, 0, 0
    for got, want in zip(played, expected):
        point, target = (got[1], got[2]), (want[1], want[2])
        allowed = {target}
        if target != previous:
            glides += 1
            exact += point == target
            allowed.update(glide_path(previous, target)[-STALE_STEPS:])
        else:
            # No glide to speak of: the cursor is still where the last event was.
            allowed.add(previous_played)
        test.assertIn(point, allowed, (played, expected))
        previous, previous_played = target, point
    test.assertGreaterEqual(2 * exact, glides, (played, expected))


def statuses_until(program, final, timeout):
    """Every distinct status seen, in order, polling until `final` shows."""
    seen = []

    def done():
        status = program.text("透明标签7")
        if not seen or seen[-1] != status:
            seen.append(status)
        return status == final

    wait_until(done, timeout=timeout, what="the status %r (seen so far: %r)" % (final, seen), interval=0.05)
    return seen


def button_state(session):
    """(left, right, middle) as the system holds them, from tools/buttonstate.exe."""
    path = os.path.join(session.tmpdir, "buttons-%d.txt" % len(session._children))
    session.run_tool("buttonstate", session.windows_path(path))
    with open(path, encoding="ascii") as f:
        return tuple(int(v) for v in f.read().split())


class Play(unittest.TestCase):
    def test_three_line_script_plays_twice_in_order_with_its_status_walk(self):
        with Session() as s:
            target = TargetLog(s)
            p = s.start_program()
            p.set_text("编辑框1", line(300, 200, "鼠标左键单击", 500) + line(10, 10, "鼠标右键按下", 500) +
                       line(40, 50, "鼠标右键弹起", 500))
            p.set_text("编辑框_运行次数", "2")
            p.set_text("编辑框_总延时", "1")
            run = p.center("按钮_运行")
            s.click(*run)
            seen = statuses_until(p, STATUS_DONE, timeout=60)
            self.assertEqual([x for x in seen if x != "请先录制脚本！"], [running(1), running(2), STATUS_DONE])
            once = [("LDOWN", 300, 200), ("LUP", 300, 200), ("RDOWN", 10, 10), ("RUP", 40, 50)]
            assert_same_clicks(self, target.points(), once * 2, run)
            events = target.events()
            # The last line's delay and the pause lie between the two passes.
            self.assertGreaterEqual(events[4][3] - events[3][3], 1500 - 50)
            # A click is the press right after the release, where the cursor is.
            self.assertLess(events[1][3] - events[0][3], 250)
            self.assertIn(s.mouse_location(), glide_path((10, 10), (40, 50))[-STALE_STEPS:])
            p.close()
            self.assertEqual(p.wait_exit(10), 0)

    def test_recorded_clicks_and_drags_replay_onto_the_same_pixels_in_order(self):
        with Session() as s:
            target = TargetLog(s)
            p = s.start_program()
            p.set_text("编辑框_延时", "100")
            p.set_text("编辑框_运行次数", "1")
            p.click("按钮_录制")
            s.move(900, 900)
            wait_until(lambda: p.text("透明标签7") == STATUS_RECORDING, timeout=10, what="the recording to start")

            def written(lines):
                # The recorder reads the cursor when its hook runs: the next move
                # waits until the release before it is in the script.
                wait_until(lambda: p.text("编辑框1").count("\r\n") == lines, timeout=10,
                           what="%d recorded lines" % lines)

            s.click(300, 200)
            written(1)
            s.move(10, 10)
            s.down(3)
            s.move(40, 50)
            s.up(3)
            written(3)
            s.click(500, 900, button=2)
            written(4)
            s.move(100, 700)
            s.down(1)
            s.move(180, 710)
            s.move(250, 720)
            s.up(1)
            written(6)
            s.click(1800, 100, button=3)
            written(7)
            wait_until(lambda: len(target.events()) == 10, timeout=10, what="the target to see the recording")
            p.click("按钮_结束")
            wait_until(lambda: p.text("透明标签7") == STATUS_RECORDED, timeout=10, what="the recording to end")
            recorded = target.points()

            lines = p.text("编辑框1").split("\r\n")
            self.assertEqual(lines[-1], "")
            # Click, right drag, middle click, left drag, right click, and End's own click.
            self.assertEqual(len(lines) - 1, 8, lines)
            p.set_text("编辑框1", "\r\n".join(lines[:-2]) + "\r\n")
            run = p.center("按钮_运行")
            s.click(*run)
            wait_until(lambda: p.text("透明标签7") == STATUS_DONE, timeout=60, what="the run to finish")
            wait_until(lambda: len(target.points()) == 2 * len(recorded), timeout=5, what="every replayed event")
            assert_same_clicks(self, target.points()[len(recorded):], recorded, run)
            p.close()
            self.assertEqual(p.wait_exit(10), 0)

    def test_run_while_recording_shows_the_refusal_and_plays_nothing(self):
        with Session() as s:
            target = TargetLog(s)
            p = s.start_program()
            p.set_text("编辑框1", line(300, 200, "鼠标左键单击", 10))
            p.click("按钮_录制")
            s.move(900, 900)
            wait_until(lambda: p.text("透明标签7") == STATUS_RECORDING, timeout=10, what="the recording to start")
            run = p.center("按钮_运行")
            s.click(*run)

            def refusal_box():
                for w in s.probe("list")["windows"]:
                    if w["pid"] == p.window()["pid"] and w["hwnd"] != p.hwnd:
                        return w
                return None

            box = wait_until(refusal_box, timeout=10, what="the refusal box")
            self.assertEqual(box["text"], "信息：")
            dump = s.probe("dump", hex(box["hwnd"]))
            texts = [c["text"] for c in dump["children"]]
            self.assertIn("请先结束录制！", texts)
            # Nothing played: the cursor stays on Run and the target saw no button.
            self.assertEqual(s.mouse_location(), run)
            self.assertEqual(target.events(), [])
            ok = [c for c in dump["children"] if c["class"].lower() == "button"]
            self.assertEqual(len(ok), 1, dump["children"])
            r = ok[0]["rect"]
            s.click(dump["client"]["x"] + r["x"] + r["width"] // 2, dump["client"]["y"] + r["y"] + r["height"] // 2)
            wait_until(lambda: refusal_box() is None, timeout=10, what="the refusal box to close")
            self.assertEqual(p.text("透明标签7"), STATUS_RECORDING)
            self.assertEqual(target.events(), [])
            p.close()
            self.assertEqual(p.wait_exit(10), 0)

    def test_script_whose_last_line_clicks_end_finishes_at_recorded(self):
        with Session() as s:
            p = s.start_program()
            end = p.center("按钮_结束")
            p.set_text("编辑框1", line(end[0], end[1], "鼠标左键单击", 10))
            p.set_text("编辑框_运行次数", "1")
            p.click("按钮_运行")
            # "运行完毕！" shows only until the window handles the queued click.
            wait_until(lambda: p.text("透明标签7") == STATUS_RECORDED, timeout=30, what="End's status")
            p.close()
            self.assertEqual(p.wait_exit(10), 0)

    def test_click_on_the_counter_during_a_glide_updates_its_caption_at_once(self):
        with Session() as s:
            p = s.start_program()
            # Double-click lines only glide: corner to corner for a long while.
            corners = [(0, 0), (1919, 1079), (0, 1079), (1919, 0)] * 3
            p.set_text("编辑框1", "".join(line(x, y, "鼠标左键双击") for x, y in corners))
            p.set_text("编辑框_运行次数", "1")
            counter = p.center("按钮1")
            p.click("按钮_运行")
            wait_until(lambda: p.text("透明标签7") == running(1), timeout=10, what="the run to start")
            self.assertEqual(p.text("按钮1"), "0")

            def click_counter():
                # One xdotool call: the glide keeps moving the pointer, so no
                # waiting for it to settle on the button. Under Wine the program
                # may take the person's move for an old one and the next step
                # puts the pointer back on the glide's path before the press:
                # such a click misses and is made again.
                caption = p.text("按钮1")
                if caption != "0":
                    return caption, p.text("透明标签7")
                s.xdo("mousemove", counter[0], counter[1], "click", 1)
                return None

            caption, status = wait_until(click_counter, timeout=20, what="a click on the counter to count",
                                         interval=0.3)
            self.assertGreaterEqual(int(caption), 1)
            # Still gliding when the caption changed.
            self.assertEqual(status, running(1))
            first = s.mouse_location()
            wait_until(lambda: s.mouse_location() != first, timeout=5, what="the glide to go on")
            p.close()
            self.assertEqual(p.wait_exit(10), 0)

    def test_closing_the_window_in_the_middle_of_a_drag_leaves_no_button_down(self):
        for how in ("close message", "Esc"):
            with self.subTest(how), Session() as s:
                target = TargetLog(s)
                p = s.start_program()
                p.set_text("编辑框1", line(10, 10, "鼠标左键按下", 0) + line(1900, 1070, "鼠标左键弹起", 0))
                p.set_text("编辑框_运行次数", "1")
                p.click("按钮_运行")
                wait_until(lambda: ("LDOWN", 10, 10) in target.points(), timeout=10, what="the press")
                self.assertEqual(button_state(s), (1, 0, 0))
                if how == "Esc":
                    s.key("Escape")
                else:
                    p.close()
                self.assertEqual(p.wait_exit(10), 0)
                # The release reaches the target's queue before the program ends;
                # the target logs it when it gets to it.
                points = wait_until(lambda: len(target.points()) >= 2 and target.points(), timeout=5,
                                    what="the release")
                self.assertEqual([e[0] for e in points], ["LDOWN", "LUP"])
                up = points[1]
                self.assertTrue(10 < up[1] < 1900 and 10 < up[2] < 1070, up)
                self.assertEqual(button_state(s), (0, 0, 0))
                # The glide ended where the button went up, short of the release point.
                x, y = s.mouse_location()
                self.assertLessEqual(max(abs(x - up[1]), abs(y - up[2])), STALE_STEPS, ((x, y), up))


if __name__ == "__main__":
    unittest.main()
