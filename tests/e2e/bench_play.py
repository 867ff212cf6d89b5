"""Playback benchmark under Wine on a private Xvfb: runs tools/playbench.exe
(timer waits, glides beside their floor) and then times the per-line delays of
the real program playing 100 lines of 50 ms onto the target window. Prints
figures; a benchmark, never a pass or fail on time.
Usage: bench_play.py [rounds] [lines]"""

import os
import statistics
import sys

from harness import Session, wait_until
from test_play import TargetLog, line


def main(argv):
    rounds = argv[0] if argv else "5"
    lines = int(argv[1]) if len(argv) > 1 else 100
    with Session(timeout=1500) as s:
        out = os.path.join(s.tmpdir, "playbench.txt")
        code = s.start_tool("playbench", s.windows_path(out), rounds).wait(timeout=1200)
        wait_until(lambda: os.path.exists(out), timeout=10, what="the benchmark's figures")
        with open(out, encoding="utf-8") as f:
            sys.stdout.write(f.read())
        if code != 0:
            return code

        target = TargetLog(s)
        p = s.start_program()
        p.set_text("编辑框1", line(500, 500, "鼠标左键单击", 50) * lines)
        p.set_text("编辑框_运行次数", "1")
        p.click("按钮_运行")
        # Only the target's log is polled: a probe would make the program serve
        # its message during a glide and stretch that line.
        wait_until(lambda: len(target.events()) >= 2 * lines, timeout=60 + lines, what="every click")
        downs = [e[3] for e in target.events() if e[0] == "LDOWN"]
        errors = [b - a - 50.0 for a, b in zip(downs, downs[1:])]
        print("\nPer-line delay of 50 ms, %d lines, the real program onto the target (milliseconds)" % lines)
        print("  click-to-click interval minus 50 (includes the one-pass glide to the same point):")
        print("  median %6.2f  max %6.2f  min %6.2f" % (statistics.median(errors), max(errors), min(errors)))
        p.close()
        p.wait_exit(10)
        return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
