"""Runs the hook benchmark (tools/hookbench.exe) under Wine on a private Xvfb
and prints its figures. A benchmark, not a test: it reports, it never fails on
time. Usage: bench_hook.py [clicks per batch] [rounds]"""

import os
import sys

from harness import Session, wait_until


def main(argv):
    clicks = argv[0] if argv else "200"
    rounds = argv[1] if len(argv) > 1 else "3"
    with Session(timeout=1500) as s:
        out = os.path.join(s.tmpdir, "hookbench.txt")
        bench = s.start_tool("hookbench", "Z:" + out.replace("/", "\\"), clicks, rounds)
        code = bench.wait(timeout=1400)
        wait_until(lambda: os.path.exists(out), timeout=10, what="the benchmark's figures")
        with open(out, encoding="utf-8") as f:
            sys.stdout.write(f.read())
        return code


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
