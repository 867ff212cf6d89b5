"""Text through the real controls and the core's GBK: Chinese and full-width
text pasted into the boxes, characters GBK cannot hold, long texts, and the
same under a locale whose ANSI code page is not 936."""

import os
import unittest

from harness import Session, wait_until
from test_window import CONTROL_TEXT, check_window_matches_definition, screenshot_dir


# Chinese, full-width forms and GBK punctuation, led and trailed by the
# full-width and ASCII spaces that End trims off.
PASTED = "\u3000 水平：３００；垂直：２００；鼠标：鼠标左键单击；延时：５００\r\n中文，全角ＡＢＣ！“引号”《书名》…—￥·①ぁЖ〇é 　"
TRIMMED = PASTED.strip(" \u3000")


def paste(s, p, control, text):
    """A real Ctrl+V of text into the control, through the Windows clipboard."""
    path = os.path.join(s.tmpdir, "clipboard-%d.txt" % len(text))
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    rc = s.run_tool("set_clipboard", "Z:" + path.replace("/", "\\"))
    if rc != 0:
        raise AssertionError("set_clipboard failed with %d" % rc)
    p.click(control)
    wait_until(lambda: p.focus() == control, timeout=5, what="the focus in " + control)
    s.key("ctrl+v")


def check_text_survives_the_programs_own_rewrite(test, s, p):
    """Pasted text reads back unchanged, and again after End (the core reads
    the box as GBK, trims it and writes it back)."""
    paste(s, p, "编辑框1", PASTED)
    wait_until(lambda: p.text("编辑框1") == PASTED, timeout=10, what="the pasted text in the script box")
    p.click("按钮_结束")
    wait_until(lambda: p.text("透明标签7") == "录制完毕！", timeout=10, what="the status after End")
    test.assertEqual(p.text("编辑框1"), TRIMMED)


class ScriptBoxText(unittest.TestCase):
    def test_chinese_and_full_width_text_survive_the_gbk_round_trip(self):
        with Session() as s:
            check_text_survives_the_programs_own_rewrite(self, s, s.start_program())

    def test_characters_gbk_cannot_hold_become_question_marks_and_nothing_breaks(self):
        with Session() as s:
            p = s.start_program()
            pasted = " 中ß文\u1100\U0001F600 "
            paste(s, p, "编辑框1", pasted)
            wait_until(lambda: p.text("编辑框1") == pasted, timeout=10, what="the pasted text")
            p.click("按钮_结束")
            wait_until(lambda: p.text("透明标签7") == "录制完毕！", timeout=10, what="the status after End")
            # One default character per character, or per half of the pair
            # that makes the emoji; GBK holds neither.
            self.assertRegex(p.text("编辑框1"), r"^中\?文\?\?{1,2}$")
            p.click("按钮1")
            wait_until(lambda: p.text("按钮1") == "1", timeout=5, what="the window still answering")

    def test_boxes_take_more_text_than_an_edit_controls_default_limit(self):
        # An edit control takes about 30,000 typed or pasted characters unless told otherwise.
        cases = [("编辑框1", "水平：1；垂直：2；鼠标：鼠标左键单击；延时：500\r\n" * 1500),
                 ("编辑框_运行次数", "0123456789" * 4000)]
        with Session() as s:
            p = s.start_program()
            for box, text in cases:
                with self.subTest(box=box):
                    paste(s, p, box, text)
                    wait_until(lambda: len(p.text(box)) == len(text) + len(CONTROL_TEXT[box]), timeout=30,
                               what="all %d characters in %s" % (len(text), box))


class EnglishLocale(unittest.TestCase):
    """Under en_US the system's ANSI code page is 1252; the program converts
    with code page 936 itself, so nothing may change."""

    def test_same_texts_and_the_same_round_trip_under_code_page_1252(self):
        with Session(locale="en_US.UTF-8") as s:
            p = s.start_program()
            check_window_matches_definition(self, p)
            s.screenshot(os.path.join(screenshot_dir(), "window-en_US.png"))
            check_text_survives_the_programs_own_rewrite(self, s, p)


if __name__ == "__main__":
    unittest.main()
