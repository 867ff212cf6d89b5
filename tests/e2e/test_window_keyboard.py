"""The main window's keyboard on the real program: Tab order, Enter, Esc, and
the focus across activation."""

import unittest

from harness import MAIN_TITLE, Session, wait_until
from test_window import BS_PUSHBUTTON, BS_TYPEMASK, TAB_ORDER, tab_to


class Keyboard(unittest.TestCase):
    def start_with_pointer_over(self, s):
        # Keys reach the window under the pointer (no window manager on Xvfb).
        p = s.start_program()
        s.move(*p.center("透明标签8"))
        return p

    def test_tab_walks_boxes_then_buttons_in_reading_order_and_shift_tab_walks_back(self):
        with Session() as s:
            p = self.start_with_pointer_over(s)
            self.assertEqual(p.focus(), TAB_ORDER[0])
            for expected in TAB_ORDER[1:] + TAB_ORDER[:1]:
                s.key("Tab")
                wait_until(lambda: p.focus() == expected, timeout=5, what="focus on " + expected)
                if expected.startswith("按钮"):
                    # The focus must not make it the default button.
                    self.assertEqual(p.control(expected)["style"] & BS_TYPEMASK, BS_PUSHBUTTON, expected)
            for expected in reversed(TAB_ORDER):
                s.key("shift+Tab")
                wait_until(lambda: p.focus() == expected, timeout=5, what="focus back on " + expected)

    def test_enter_breaks_a_line_in_the_script_box_and_does_nothing_elsewhere(self):
        with Session() as s:
            p = self.start_with_pointer_over(s)
            s.type_text("ab")
            s.key("Return")
            s.type_text("cd")
            wait_until(lambda: p.text("编辑框1") == "ab\r\ncd", timeout=5, what="two lines in the script box")

            tab_to(s, p, "编辑框_延时")
            s.key("Return")
            tab_to(s, p, "按钮1")
            # Enter on a focused button does not click it; the space after it
            # does, so once the caption reads 1 the Enter has been handled.
            s.key("Return")
            s.key("space")
            wait_until(lambda: p.text("按钮1") == "1", timeout=5, what="one click from the space bar")
            self.assertEqual(p.text("编辑框_延时"), "500")
            self.assertEqual(p.text("编辑框1"), "ab\r\ncd")
            self.assertTrue(p.running())

    def test_escape_closes_the_window_with_exit_code_0_whatever_has_the_focus(self):
        with Session() as s:
            for target in ("编辑框1", "编辑框_总延时", "按钮_结束"):
                with self.subTest(focus=target):
                    p = self.start_with_pointer_over(s)
                    tab_to(s, p, target)
                    s.key("Escape")
                    self.assertEqual(p.wait_exit(timeout=10), 0)
                    wait_until(lambda: s.probe("find", MAIN_TITLE)["hwnd"] == 0, timeout=5,
                               what="the window to be gone")

    def test_focus_comes_back_to_its_control_when_the_window_is_activated_again(self):
        with Session() as s:
            first = self.start_with_pointer_over(s)
            tab_to(s, first, "编辑框_总延时")
            # Another window takes the activation, then goes away and hands it back.
            other = s.start_program()
            wait_until(lambda: s.probe("focus", hex(other.hwnd))["inside"], timeout=10,
                       what="the second window to be active")
            s.key("Escape")
            self.assertEqual(other.wait_exit(timeout=10), 0)
            wait_until(lambda: first.focus() == "编辑框_总延时", timeout=10, what="the focus back in the box")


if __name__ == "__main__":
    unittest.main()
