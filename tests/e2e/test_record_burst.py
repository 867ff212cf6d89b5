"""A burst of real clicks sent through X as fast as it takes them: every click
is recorded exactly once."""

import unittest

import test_record as rec
from harness import Session, wait_until

CLICKS = 1000


class RecordBurst(unittest.TestCase):
    def test_thousand_clicks_as_fast_as_x_takes_them_give_thousand_click_lines(self):
        with Session(timeout=900) as s:
            p = s.start_program()
            rec.start_recording(s, p)
            s.move(*rec.ASIDE)
            s.xdo("click", "--repeat", CLICKS, "--delay", 0, 1, timeout=60)
            click = rec.left_click(rec.ASIDE)
            # The lines arrive as fast as Wine hands the clicks to the hook.
            # Any line too many would show below, before the End line.
            counts = [0]

            def all_there():
                counts[0] = p.text("编辑框1").count("\r\n")
                return counts[0] >= CLICKS

            try:
                wait_until(all_there, timeout=700, what="%d lines" % CLICKS, interval=2)
            except AssertionError:
                raise AssertionError("only %d of %d click lines arrived" % (counts[0], CLICKS))
            rec.end_recording(s, p)
            script = p.text("编辑框1")
            end_click = rec.left_click(p.center("按钮_结束"))
            self.assertTrue(script.endswith(end_click), "the click on End is the last line")
            lines = script[: len(script) - len(end_click)].split("\r\n")
            self.assertEqual(lines[-1], "")  # the text before the End line ends with CR LF
            lines = lines[:-1]
            self.assertEqual(len(lines), CLICKS, "none lost, none doubled")
            odd = [(i, l) for i, l in enumerate(lines) if l + "\r\n" != click]
            self.assertEqual(odd[:5], [], "every line is a left click at the burst's point")


if __name__ == "__main__":
    unittest.main()
