"""The harness itself: sessions leave nothing running, stay inside their time
budget, honour the locale, and the probe reports texts and failures faithfully."""

import os
import time
import unittest

import harness
from harness import CONTROL_IDS, ProbeBusy, ProbeError, Session, wait_until


def _prefix_processes(prefix):
    """Pids of processes whose environment names this Wine prefix."""
    wanted = ("WINEPREFIX=" + prefix).encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/environ" % entry, "rb") as f:
                if wanted in f.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:
            pass
    return found


def _alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(") ")[-1][0] != "Z"
    except OSError:
        return False


class ControlTable(unittest.TestCase):
    def test_control_ids_follow_the_enum_in_order_from_one(self):
        self.assertEqual(len(CONTROL_IDS), 16)
        self.assertEqual(sorted(CONTROL_IDS.values()), list(range(1, 17)))
        for name, wanted in (("透明标签8", 1), ("编辑框1", 2), ("编辑框_运行次数", 10), ("按钮1", 12),
                             ("按钮_运行", 13), ("按钮_结束", 15), ("透明标签7", 16)):
            self.assertEqual(CONTROL_IDS[name], wanted, name)

    def test_wait_until_returns_the_value_and_names_what_it_waited_for(self):
        values = iter([0, "", "ready"])
        self.assertEqual(wait_until(lambda: next(values), timeout=5, interval=0.01), "ready")
        with self.assertRaisesRegex(AssertionError, r"waiting for the status to change; last value: 0"):
            wait_until(lambda: 0, timeout=0.2, what="the status to change", interval=0.05)

    def test_wait_until_counts_a_busy_window_as_not_yet(self):
        answers = iter([ProbeBusy("blocked"), ProbeBusy("blocked"), "done"])

        def poll():
            answer = next(answers)
            if isinstance(answer, Exception):
                raise answer
            return answer

        self.assertEqual(wait_until(poll, timeout=5, interval=0.01), "done")
        with self.assertRaises(ProbeError):
            wait_until(lambda: (_ for _ in ()).throw(ProbeError("no such control")), timeout=5)


class BringUp(unittest.TestCase):
    def test_a_first_wine_process_that_gives_no_answer_is_tried_again(self):
        calls = []

        class FirstAnswerLost(Session):
            def probe(self, command, *args, **options):
                calls.append(command)
                if len(calls) == 1:  # the real probe, answering into a folder that is not there
                    options["answer_path"] = os.path.join(self.tmpdir, "missing", "answer.json")
                return super().probe(command, *args, **options)

        with FirstAnswerLost() as s:
            self.assertEqual(len(s.bring_up_failures), 1)
            self.assertRegex(s.bring_up_failures[0], r"(?s)gave no answer \(exit code 4\).*cannot write")
            p = s.start_program()
            self.assertEqual(p.text("透明标签7"), "请先录制脚本！")
        self.assertEqual(calls[:2], ["list", "list"])


class Teardown(unittest.TestCase):
    def test_a_failing_test_still_ends_every_process_of_its_session(self):
        seen = {}
        with self.assertRaisesRegex(RuntimeError, "the test failed here"):
            with Session() as s:
                p = s.start_program()
                tool = s.start_tool("probe", os.path.join(s.tmpdir, "unused.json"), "metrics")
                seen.update(xvfb=s.xvfb.pid, display=s.display, program=p.pid, tool=tool.pid,
                            prefix=s.prefix.path, claim=s.prefix.claim)
                self.assertTrue(_prefix_processes(s.prefix.path))
                # Another session on this prefix would have to wait for this one.
                with self.assertRaisesRegex(RuntimeError, "stayed in use"):
                    s.prefix.claim(timeout=0.5)
                raise RuntimeError("the test failed here")
        for name in ("xvfb", "program", "tool"):
            self.assertFalse(_alive(seen[name]), "%s (pid %d) outlived the session" % (name, seen[name]))
        self.assertFalse(os.path.exists("/tmp/.X%d-lock" % seen["display"]))
        wait_until(lambda: not [pid for pid in _prefix_processes(seen["prefix"]) if _alive(pid)], timeout=10,
                   what="no process of the prefix left")
        seen["claim"](timeout=0.5).close()  # and now it need not

    def test_a_session_past_its_budget_is_stopped_and_the_test_fails(self):
        started = time.monotonic()
        with self.assertRaises(harness.SessionOver):
            with Session(timeout=20) as s:
                p = s.start_program()
                xvfb = s.xvfb.pid
                # Never true: only the session's budget can end this wait early.
                wait_until(lambda: p.text("透明标签7") == "never", timeout=120, what="a status that never comes")
        self.assertLess(time.monotonic() - started, 60)
        self.assertFalse(_alive(xvfb))
        self.assertFalse(_alive(p.pid))


class LocaleAndProbe(unittest.TestCase):
    def test_locale_sets_the_ansi_code_page_and_chinese_texts_stay_intact(self):
        for locale, code_page in (("zh_CN.UTF-8", 936), ("en_US.UTF-8", 1252)):
            with self.subTest(locale=locale), Session(locale=locale) as s:
                p = s.start_program()
                self.assertEqual(s.probe("metrics")["ansi_code_page"], code_page)
                self.assertEqual(p.text("透明标签7"), "请先录制脚本！")
                p.close()
                self.assertEqual(p.wait_exit(timeout=10), 0)

    def test_probe_round_trips_script_text_and_reports_what_it_cannot_find(self):
        script = "水平：300；垂直：200；鼠标：鼠标左键单击；延时：500\r\n水平：10；垂直：10；\"引号\" \\ 反斜杠"
        with Session() as s:
            p = s.start_program()
            p.set_text("编辑框1", script)
            self.assertEqual(p.text("编辑框1"), script)
            self.assertEqual(p.control("编辑框1")["text"], script)
            self.assertEqual(s.probe("find", "no window has this title")["hwnd"], 0)
            with self.assertRaisesRegex(ProbeError, "no such control"):
                s.probe("text", hex(p.hwnd), "999")
            with self.assertRaisesRegex(ProbeError, "no such window"):
                s.probe("dump", "0x7")
            with self.assertRaisesRegex(ProbeError, "unknown command"):
                s.probe("frobnicate")

    def test_asking_about_the_window_of_a_program_that_exited_says_so_with_its_exit_code(self):
        with Session() as s:
            p = s.start_program()
            p.close()
            self.assertEqual(p.wait_exit(timeout=10), 0)
            with self.assertRaisesRegex(harness.ProgramGone, r"no such control; quillmarsh.exe .* exited with code 0"):
                p.text("透明标签7")

    def test_pointer_moves_land_where_asked_in_screen_coordinates(self):
        with Session() as s:
            p = s.start_program()
            x, y = p.center("按钮1")
            window = p.window()
            button = p.control("按钮1")["rect"]
            self.assertEqual((x, y), (window["client"]["x"] + button["x"] + button["width"] // 2,
                                      window["client"]["y"] + button["y"] + button["height"] // 2))
            for point in ((0, 0), (1919, 1079), (x, y)):
                s.move(*point)
                self.assertEqual(s.mouse_location(), point)
            s.click(x, y)
            wait_until(lambda: p.text("按钮1") == "1", timeout=10, what="the click to reach the counter")


class CaptionWatching(unittest.TestCase):
    def test_watch_records_every_caption_even_while_the_program_blocks(self):
        with Session() as s:
            p = s.start_program()
            counter = p.watch("按钮1")
            for _ in range(3):
                p.click("按钮1")
            wait_until(lambda: counter.texts()[-1:] == ["3"], timeout=10, what="the third click counted")
            self.assertEqual(counter.stop(), ["0", "1", "2", "3"])

            # Two runs of one click on a label, each line blocking the thread for
            # 6 s: the second run's status is shown only while the thread sleeps.
            x, y = p.center("透明标签8")
            p.set_text("编辑框1", "水平：%d；垂直：%d；鼠标：鼠标左键单击；延时：6000\r\n" % (x, y))
            p.set_text("编辑框_运行次数", "2")
            p.set_text("编辑框_总延时", "0")
            status = p.watch("透明标签7")
            p.click("按钮_运行")
            wait_until(lambda: "正在运行第2次" in status.texts(), timeout=30, what="the second run to start")
            with self.assertRaises(harness.ProbeBusy):
                p.window()  # a blocked thread answers no message
            wait_until(lambda: status.texts()[-1:] == ["运行完毕！"], timeout=30, what="the runs to end")
            self.assertEqual(status.stop(), ["请先录制脚本！", "正在运行第1次", "正在运行第2次", "运行完毕！"])


class Commands(unittest.TestCase):
    def test_arch_names_a_build_this_machine_can_run(self):
        arch = harness.runnable_arch()
        self.assertIn(arch, ("win32", "win64"))
        self.assertEqual(arch == "win32", harness.wine32_runs())
        # The tests run the build that this machine can run.
        self.assertEqual(harness.pe_arch(harness.default_program()), arch)


if __name__ == "__main__":
    unittest.main()
