"""Smoke test: the program starts, shows its main window centred on the screen,
and ends with exit code 0 when that window is closed."""

import unittest

from harness import CONTROL_IDS, MAIN_TITLE, Session, wait_until


class Smoke(unittest.TestCase):
    def test_main_window_appears_centred_and_close_message_exits_with_zero(self):
        with Session() as s:
            p = s.start_program()
            self.assertEqual(s.probe("find", MAIN_TITLE)["hwnd"], p.hwnd)
            window = p.window()
            self.assertEqual(window["text"], MAIN_TITLE)
            self.assertTrue(window["visible"])
            # Centred on the 1920x1080 desktop: ((1920-606)/2, (1080-312)/2).
            self.assertEqual((window["rect"]["x"], window["rect"]["y"]), (657, 384))
            self.assertEqual((window["rect"]["width"], window["rect"]["height"]), (606, 312))
            self.assertEqual(sorted(c["id"] for c in window["children"]), sorted(CONTROL_IDS.values()))
            p.close()
            self.assertEqual(p.wait_exit(timeout=10), 0)
            wait_until(lambda: s.probe("find", MAIN_TITLE)["hwnd"] == 0, timeout=5, what="the window to be gone")

    def test_real_click_on_the_frame_close_button_exits_with_zero(self):
        with Session() as s:
            p = s.start_program()
            x, y = p.close_button()
            rect = p.window()["rect"]
            # The button sits in the caption's top right corner.
            self.assertGreater(x, rect["x"] + rect["width"] // 2)
            self.assertLess(y, rect["y"] + 40)
            s.click(x, y)
            self.assertEqual(p.wait_exit(timeout=10), 0)


if __name__ == "__main__":
    unittest.main()
