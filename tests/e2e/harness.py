"""End-to-end harness: the real quillmarsh.exe under Wine on a private Xvfb.

A Session owns an Xvfb on a free display, a Wine prefix (made once per run and
shared by the sessions that follow), the programs and tools it starts, and a
scratch folder; leaving the `with` block ends all of them by process id. The
probe tool reads and writes the program's windows from inside the prefix.

Also the command line the scripts use: harness.py arch | clean DIR... | run [--screenshot PATH]
"""

import ctypes
import fcntl
import json
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAIN_TITLE = "Quillmarsh 1.0--------------------Tovendal"
SCREEN = (1920, 1080)
DEFAULT_LOCALE = "zh_CN.UTF-8"
WINE_DIR = "/usr/lib/wine"

# Window messages' hit-test answer for the frame's close button.
HTCLOSE = 20


def _parse_control_ids(header):
    """Control name -> Win32 control ID, read from the enum the program uses."""
    with open(header, encoding="utf-8") as f:
        source = f.read()
    body = re.search(r"enum\s+class\s+Control\s*:\s*int\s*\{(.*?)\}", source, re.S)
    if not body:
        raise RuntimeError("no `enum class Control` in " + header)
    ids, next_value = {}, 0
    for entry in body.group(1).split(","):
        entry = re.sub(r"//.*", "", entry).strip()
        if not entry:
            continue
        name, _, value = (part.strip() for part in entry.partition("="))
        next_value = int(value, 0) if value else next_value
        ids[name] = next_value
        next_value += 1
    return ids


CONTROL_IDS = _parse_control_ids(os.path.join(REPO, "src", "platform", "controls.h"))
CONTROL_NAMES = {value: name for name, value in CONTROL_IDS.items()}


class SessionOver(AssertionError):
    """The session was stopped (past its time budget) while a test still used it."""


class ProbeError(RuntimeError):
    """The probe could not do what was asked (no such window, bad arguments)."""


class ProgramGone(ProbeError):
    """The window is gone because the program under test has exited."""


class ProbeBusy(ProbeError):
    """The window did not answer within the probe's timeout (its thread is blocked)."""


def wait_until(predicate, timeout=10.0, what="condition", interval=0.1):
    """Polls predicate until it returns a truthy value, which is returned.

    A window that is busy for a moment (ProbeBusy) counts as not yet. At the
    deadline raises AssertionError naming `what` and the last value seen."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = predicate()
            if last:
                return last
        except ProbeBusy as busy:
            last = busy
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s; last value: %r" % (timeout, what, last))
        time.sleep(interval)


# ---------------------------------------------------------------- which Wine

_wine32_answer = None


def wine32_runs():
    """True when 32-bit Wine starts on this machine (some kernels cannot run 32-bit ELF)."""
    global _wine32_answer
    if _wine32_answer is None:
        loader = os.path.join(WINE_DIR, "wine")
        try:
            done = subprocess.run([loader, "--version"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, timeout=30)
            _wine32_answer = done.returncode == 0
        except (OSError, subprocess.TimeoutExpired):
            _wine32_answer = False
    return _wine32_answer


def runnable_arch():
    """The Windows build the end-to-end tests and the run command use here: win32 or win64."""
    return "win32" if wine32_runs() else "win64"


def pe_arch(path):
    """win32 or win64, from the machine field of a PE file's header."""
    with open(path, "rb") as f:
        head = f.read(4096)
    offset = struct.unpack_from("<I", head, 0x3C)[0]
    if head[offset:offset + 4] != b"PE\0\0":
        raise ValueError(path + " is not a PE file")
    machine = struct.unpack_from("<H", head, offset + 4)[0]
    return {0x14C: "win32", 0x8664: "win64"}[machine]


def wine_programs(arch):
    """(loader, wineserver) for a prefix of this arch."""
    server = os.path.join(WINE_DIR, "wineserver64")
    if not os.access(server, os.X_OK):
        server = os.path.join(WINE_DIR, "wineserver32")
    loader = os.path.join(WINE_DIR, "wine64" if arch == "win64" else "wine")
    return loader, server


def default_build_dir():
    return os.environ.get("QM_BUILD_DIR") or os.path.join(REPO, "build", runnable_arch())


def default_program():
    return os.environ.get("QM_PROGRAM") or os.path.join(default_build_dir(), "src", "platform", "win32",
                                                        "quillmarsh.exe")


def default_tools_dir():
    return os.environ.get("QM_TOOLS_DIR") or os.path.join(default_build_dir(), "tests", "e2e", "tools")


def default_work_dir():
    return os.environ.get("QM_WORK_DIR") or os.path.join(default_build_dir(), "e2e")


# ---------------------------------------------------------------- processes

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    # If the test runner is killed outright, its children go too.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def _log_tail(path, limit=2000):
    """The end of a process's log, for an error message; empty when there is none."""
    try:
        with open(path, "rb") as f:
            f.seek(0, os.SEEK_END)
            f.seek(max(0, f.tell() - limit))
            text = f.read().decode("utf-8", "replace").strip()
    except OSError:
        return ""
    return "; its output ends:\n" + text if text else ""


def _stop_pid(popen, grace=3.0):
    """Ends one child by its pid: SIGTERM, then SIGKILL after a grace period."""
    if popen.poll() is not None:
        return
    try:
        popen.terminate()
        popen.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        popen.kill()
        try:
            popen.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
    except ProcessLookupError:
        pass


def _start_xvfb(log_path, timeout=20.0):
    """Starts Xvfb on a display it picks itself (-displayfd); returns (popen, display number)."""
    read_end, write_end = os.pipe()
    log = open(log_path, "ab")
    try:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            preexec_fn=_die_with_parent)
    finally:
        os.close(write_end)
        log.close()
    data = b""
    deadline = time.monotonic() + timeout
    try:
        # Xvfb writes the display number once it accepts connections.
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([read_end], [], [], left)[0]:
                _stop_pid(xvfb)
                raise RuntimeError("Xvfb did not start within %.0f s (see %s)" % (timeout, log_path))
            chunk = os.read(read_end, 64)
            if not chunk:
                _stop_pid(xvfb)
                raise RuntimeError("Xvfb exited at start (see %s)" % log_path)
            data += chunk
    finally:
        os.close(read_end)
    return xvfb, int(data.strip())


MARLETT = "/usr/share/wine/fonts/marlett.ttf"  # from the fonts-wine package


class WinePrefix:
    """One Wine prefix: its folder, arch, locale and the environment of every process in it."""

    def __init__(self, path, arch, locale, virtual_desktop=True):
        self.path, self.arch, self.locale, self.virtual_desktop = path, arch, locale, virtual_desktop
        self.loader, self.server = wine_programs(arch)

    def env(self, display=None):
        env = dict(os.environ)
        for name in ("LANGUAGE", "WINELOADER"):
            env.pop(name, None)
        env.update({
            "WINEPREFIX": self.path,
            "WINEARCH": self.arch,
            "WINESERVER": self.server,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": self.locale,
            "LC_ALL": self.locale,
        })
        if display is not None:
            env["DISPLAY"] = ":%d" % display
        return env

    def claim(self, timeout=600.0):
        """Holds the prefix for one session at a time (across processes); close the result to let go."""
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        lock = open(self.path + ".lock", "w")
        deadline = time.monotonic() + timeout
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return lock
            except BlockingIOError:
                if time.monotonic() >= deadline:
                    lock.close()
                    raise RuntimeError("the prefix %s stayed in use by another session for %.0f s"
                                       % (self.path, timeout))
                time.sleep(0.2)

    def ensure(self, display, log_path, timeout=180.0):
        """Makes the prefix unless it is ready; the caller holds claim()."""
        marker = os.path.join(self.path, ".quillmarsh-ready")
        if os.path.exists(marker):
            self._install_caption_font()
            return
        shutil.rmtree(self.path, ignore_errors=True)
        env = self.env(display)
        deadline = time.monotonic() + timeout
        with open(log_path, "ab") as log:
            def step(*args):
                left = max(1.0, deadline - time.monotonic())
                subprocess.run(args, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                               timeout=left, check=True, preexec_fn=_die_with_parent)
            step(self.loader, "wineboot", "-i")
            step(self.server, "-w")
            if self.virtual_desktop:
                # Every process of the prefix on one 1920x1080 desktop whose
                # coordinates are the X screen's.
                reg = os.path.join(self.path, "quillmarsh-desktop.reg")
                with open(reg, "w", encoding="utf-8") as f:
                    f.write("REGEDIT4\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"
                            "\"Desktop\"=\"Default\"\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"
                            "\"Default\"=\"%dx%d\"\r\n" % SCREEN)
                step(self.loader, "regedit", "/S", "Z:" + reg.replace("/", "\\"))
                step(self.server, "-w")
        self._install_caption_font()
        with open(marker, "w") as f:
            f.write("%s %s\n" % (self.arch, self.locale))

    def _install_caption_font(self):
        """Puts Wine's Marlett in the prefix's font folder. Wine draws the
        frame's close and minimize glyphs with it and does not find it in its
        data folder here, so without it they show as the letters "0", "1", "r"."""
        fonts = os.path.join(self.path, "drive_c", "windows", "Fonts")
        target = os.path.join(fonts, "marlett.ttf")
        if os.path.exists(target) or not os.path.exists(MARLETT):
            return
        os.makedirs(fonts, exist_ok=True)
        shutil.copyfile(MARLETT, target)

    def kill_server(self):
        """Ends every process of this prefix (and only this prefix)."""
        env = self.env()
        for args in ((self.server, "-k"), (self.server, "-w")):
            try:
                subprocess.run(args, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=15)
            except subprocess.TimeoutExpired:
                pass


# ---------------------------------------------------------------- session


class Tool:
    """A helper exe started in the background; its output goes to files in the session's tmpdir."""

    def __init__(self, popen, name, log_path):
        self.popen, self.name, self.log_path = popen, name, log_path
        self.pid = popen.pid

    def running(self):
        return self.popen.poll() is None

    def wait(self, timeout=10.0):
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("%s (pid %d) still running after %.1f s" % (self.name, self.pid, timeout))

    def stop(self):
        _stop_pid(self.popen)
        return self.popen.returncode


class CaptionWatch:
    """Every caption a label or button showed while watched, read from the watcher's file."""

    def __init__(self, tool, path):
        self.tool, self.path = tool, path

    def changes(self):
        """[(milliseconds since the watch began, caption)], oldest first."""
        try:
            with open(self.path, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except OSError:
            return []
        # The last piece is a line still being written (or empty).
        return [(entry["ms"], entry["text"]) for entry in map(json.loads, filter(None, lines[:-1]))]

    def texts(self):
        """The successive captions, without timings."""
        return [text for _, text in self.changes()]

    def stop(self):
        self.tool.stop()
        return self.texts()


class Program(Tool):
    """The program under test with its main window."""

    def __init__(self, session, popen, hwnd, log_path):
        super().__init__(popen, "quillmarsh.exe", log_path)
        self.session, self.hwnd = session, hwnd

    @staticmethod
    def control_id(control):
        if isinstance(control, int):
            return control
        if control not in CONTROL_IDS:
            raise KeyError("no control named %r" % control)
        return CONTROL_IDS[control]

    def _ask(self, command, *args):
        """A probe call about this program's window. When the probe finds no
        such window or control, says whether the program has exited, and with
        what code; while the program still runs, its one window cannot be gone
        (closing it ends the process), so the probe is asked once more."""
        try:
            return self.session.probe(command, *args)
        except (ProbeBusy, ProgramGone):
            raise
        except ProbeError as failure:
            if "no such" not in str(failure):
                raise
            first = failure
        try:
            self.popen.wait(timeout=1.0)
        except subprocess.TimeoutExpired:
            pass
        if self.popen.poll() is not None:
            raise ProgramGone("%s; quillmarsh.exe (pid %d) has exited with code %d%s"
                              % (first, self.pid, self.popen.returncode, _log_tail(self.log_path)))
        try:
            answer = self.session.probe(command, *args)
        except ProbeError as again:
            raise ProbeError("%s (twice; quillmarsh.exe is still running)" % again)
        sys.stderr.write("the probe said \"%s\" once while the window was there\n" % first)
        return answer

    def text(self, control):
        return self._ask("text", hex(self.hwnd), str(self.control_id(control)))["text"]

    def set_text(self, control, text):
        path = self.session._scratch_file("settext", text)
        self._ask("settextfile", hex(self.hwnd), str(self.control_id(control)), path)

    def window(self):
        return self._ask("dump", hex(self.hwnd))

    def _child(self, dump, control):
        wanted = self.control_id(control)
        for child in dump["children"]:
            if child["id"] == wanted:
                return child
        raise KeyError("window has no control with id %d" % wanted)

    def control(self, control):
        """The child's entry of the window dump (id, hwnd, class, text, style, rect...)."""
        return self._child(self.window(), control)

    def center(self, control):
        """Screen point in the middle of a control."""
        dump = self.window()
        r = self._child(dump, control)["rect"]
        return dump["client"]["x"] + r["x"] + r["width"] // 2, dump["client"]["y"] + r["y"] + r["height"] // 2

    def click(self, control, button=1):
        """A real click (XTest) in the middle of a control."""
        x, y = self.center(control)
        self.session.click(x, y, button=button)

    def focus(self):
        """Name of the control holding the keyboard focus, or None."""
        info = self._ask("focus", hex(self.hwnd))
        if not info["inside"]:
            return None
        return CONTROL_NAMES.get(info["focus_id"])

    def close_button(self):
        """Screen point in the middle of the frame's close button, found by the window's own hit test."""
        box = self._ask("hitbox", hex(self.hwnd), str(HTCLOSE))["rect"]
        return box["x"] + box["width"] // 2, box["y"] + box["height"] // 2

    def watch(self, control, seconds=120):
        """Starts recording every caption of a label or button (not an edit box), even the ones
        shown only while the program's thread is blocked; returns once the first is recorded."""
        path = os.path.join(self.session.tmpdir, "watch-%d-%d.jsonl" % (self.control_id(control), time.time_ns()))
        tool = self.session.start_tool("probe", self.session.windows_path(path), "watch", hex(self.hwnd), str(self.control_id(control)),
                                       str(int(seconds * 1000)))
        watch = CaptionWatch(tool, path)
        wait_until(watch.changes, timeout=15, what="the watcher's first caption", interval=0.05)
        return watch

    def close(self):
        self._ask("close", hex(self.hwnd))

    def wait_exit(self, timeout=10.0):
        return self.wait(timeout)


class Session:
    """Own Xvfb, own Wine prefix, own processes; all of them ended in __exit__."""

    _count = 0

    def __init__(self, locale=DEFAULT_LOCALE, timeout=300.0, program=None, tools_dir=None, work_dir=None):
        self.locale = locale
        self.timeout = timeout
        self.program_path = program or default_program()
        self.tools_dir = tools_dir or default_tools_dir()
        self.work_dir = work_dir or default_work_dir()
        self.arch = pe_arch(self.program_path)
        if self.arch == "win32" and not wine32_runs():
            raise RuntimeError("32-bit Wine cannot run on this machine; test the win64 build")
        self.prefix = WinePrefix(os.path.join(self.work_dir, "prefix-%s-%s" % (self.arch, locale)), self.arch,
                                 locale)
        self.xvfb = None
        self.display = None
        self.tmpdir = None
        self._children = []  # Tool and Program objects, in start order
        self._expired = False
        self._watchdog = None
        self._lock = threading.Lock()
        self._torn_down = False
        self._teardown_done = threading.Event()
        self._prefix_lock = None
        self.bring_up_failures = []  # what each failed attempt to start Wine said

    # -- life cycle

    def __enter__(self):
        os.makedirs(self.work_dir, exist_ok=True)
        Session._count += 1
        self.tmpdir = tempfile.mkdtemp(prefix="session-%d-%d-" % (os.getpid(), Session._count), dir=self.work_dir)
        # One session at a time per prefix; whatever still runs in it was left
        # by a session that died, and goes first.
        self._prefix_lock = self.prefix.claim(timeout=max(self.timeout, 600.0))
        self._watchdog = threading.Timer(self.timeout, self._expire)
        self._watchdog.daemon = True
        self._watchdog.start()
        try:
            self.prefix.kill_server()
            self.xvfb, self.display = _start_xvfb(os.path.join(self.tmpdir, "xvfb.log"))
            self.prefix.ensure(self.display, os.path.join(self.work_dir, "prefix-setup.log"))
            self._bring_up_desktop()
        except BaseException:
            self._teardown()
            if self.tmpdir:
                sys.stderr.write("session files kept in %s\n" % self.tmpdir)
            raise
        return self

    def _bring_up_desktop(self, attempts=3):
        """Brings up this session's Wine server and desktop with one process
        before the test starts any: the program and the probe that looks for
        its window must not race to start the desktop. On a loaded machine the
        first Wine process of a prefix can fail to start at all; that says
        nothing about the program, so it is tried again on a fresh server."""
        for attempt in range(1, attempts + 1):
            try:
                self.probe("list")
                return
            except ProbeError as failure:
                self.bring_up_failures.append(str(failure))
                if attempt == attempts:
                    raise
                sys.stderr.write("Wine did not come up (attempt %d of %d): %s\n" % (attempt, attempts, failure))
                self.prefix.kill_server()

    def __exit__(self, kind, value, traceback):
        self._teardown()
        if kind is None and not self._expired:
            shutil.rmtree(self.tmpdir, ignore_errors=True)
        elif self.tmpdir:
            sys.stderr.write("session files kept in %s\n" % self.tmpdir)
        if self._expired and kind is None:
            raise AssertionError("session ran past its %.0f s budget" % self.timeout)
        return False

    def _expire(self):
        self._expired = True
        sys.stderr.write("session ran past its %.0f s budget; stopping everything\n" % self.timeout)
        self._teardown()

    def _teardown(self):
        with self._lock:
            started_elsewhere = self._torn_down
            self._torn_down = True
        if started_elsewhere:
            # The watchdog is stopping everything; leave only once it is done.
            self._teardown_done.wait(timeout=60)
            return
        try:
            if self._watchdog and threading.current_thread() is not self._watchdog:
                self._watchdog.cancel()
            for child in reversed(self._children):
                _stop_pid(child.popen)
            self.prefix.kill_server()
            if self.xvfb is not None:
                _stop_pid(self.xvfb)
        finally:
            if self._prefix_lock is not None:
                self._prefix_lock.close()
                self._prefix_lock = None
            self._teardown_done.set()

    def _check_alive(self):
        if self._torn_down:
            raise SessionOver("the session is over (it ran past its %.0f s budget or was closed)" % self.timeout)

    # -- Wine processes

    def _wine(self, exe, args, name, cwd=None):
        self._check_alive()
        log_path = os.path.join(self.tmpdir, "%s-%d.log" % (name, len(self._children) + 1))
        with open(log_path, "ab") as log:
            popen = subprocess.Popen([self.prefix.loader, exe, *args], env=self.prefix.env(self.display),
                                     cwd=cwd or self.tmpdir, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                     preexec_fn=_die_with_parent)
        return popen, log_path

    def tool_path(self, name):
        path = os.path.join(self.tools_dir, name + ".exe")
        if not os.path.exists(path):
            raise FileNotFoundError("tool %s is not built (%s)" % (name, path))
        return path

    def start_program(self, *args, timeout=30.0):
        """Starts quillmarsh.exe and waits until its main window is shown."""
        known = {child.hwnd for child in self._children if isinstance(child, Program)}
        popen, log_path = self._wine(self.program_path, args, "quillmarsh")

        def shown():
            if popen.poll() is not None:
                raise AssertionError("quillmarsh.exe exited with %d before its window appeared (see %s)"
                                     % (popen.returncode, log_path))
            for window in self.probe("list")["windows"]:
                if window["text"] == MAIN_TITLE and window["hwnd"] not in known:
                    return window["hwnd"]
            return None

        try:
            hwnd = wait_until(shown, timeout=timeout, what="the main window to appear", interval=0.2)
        except BaseException:
            _stop_pid(popen)
            raise
        program = Program(self, popen, hwnd, log_path)
        self._children.append(program)
        return program

    def start_tool(self, name, *args):
        popen, log_path = self._wine(self.tool_path(name), args, name)
        tool = Tool(popen, name, log_path)
        self._children.append(tool)
        return tool

    def run_tool(self, name, *args, timeout=30.0):
        """Runs a tool to its end and returns its exit code."""
        return self.start_tool(name, *args).wait(timeout)

    def probe(self, command, *args, timeout=30.0, answer_path=None):
        """One probe call, parsed from its JSON answer."""
        out_path = answer_path or os.path.join(self.tmpdir, "probe-answer.json")
        if os.path.exists(out_path):
            os.remove(out_path)
        popen, log_path = self._wine(self.tool_path("probe"), [self.windows_path(out_path), command, *args], "probe")
        try:
            code = popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            _stop_pid(popen)
            raise ProbeBusy("probe %s %s did not finish within %.0f s" % (command, " ".join(args), timeout))
        finally:
            if os.path.exists(log_path) and os.path.getsize(log_path) == 0:
                os.remove(log_path)
        self._check_alive()  # a probe cut short by the end of the session says nothing
        try:
            with open(out_path, encoding="utf-8") as f:
                answer = json.load(f)
        except (OSError, ValueError):
            raise ProbeError("probe %s %s gave no answer (exit code %d)%s"
                             % (command, " ".join(args), code, _log_tail(log_path)))
        if code == 3:
            raise ProbeBusy("probe %s: %s" % (command, answer.get("error")))
        if code != 0:
            raise ProbeError("probe %s %s: %s" % (command, " ".join(args), answer.get("error")))
        return answer

    @staticmethod
    def windows_path(path):
        """The Wine name of a Unix path (drive Z: is the Unix root)."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def _scratch_file(self, stem, text):
        fd, path = tempfile.mkstemp(prefix=stem + "-", suffix=".txt", dir=self.tmpdir)
        with os.fdopen(fd, "wb") as f:
            f.write(text.encode("utf-8"))
        return self.windows_path(path)

    # -- the person's mouse and keyboard (XTest through xdotool)

    def _x_env(self):
        env = dict(os.environ)
        env["DISPLAY"] = ":%d" % self.display
        return env

    def xdo(self, *args, timeout=15.0):
        """xdotool on this session's display; returns its output."""
        self._check_alive()
        done = subprocess.run(["xdotool", *[str(a) for a in args]], env=self._x_env(), stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=timeout)
        if done.returncode != 0:
            raise RuntimeError("xdotool %s failed: %s" % (" ".join(map(str, args)), done.stderr.strip()))
        return done.stdout

    def mouse_location(self):
        values = dict(line.split("=", 1) for line in self.xdo("getmouselocation", "--shell").split())
        return int(values["X"]), int(values["Y"])

    def move(self, x, y):
        # Not `mousemove --sync`: it never returns when the pointer is already there.
        self.xdo("mousemove", int(x), int(y))
        wait_until(lambda: self.mouse_location() == (int(x), int(y)), timeout=5,
                   what="the pointer to reach (%d, %d)" % (x, y), interval=0.02)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdo("click", button)

    def down(self, button=1):
        self.xdo("mousedown", button)

    def up(self, button=1):
        self.xdo("mouseup", button)

    def key(self, *keys):
        self.xdo("key", *keys)

    def type_text(self, text, delay_ms=20):
        self.xdo("type", "--delay", delay_ms, text)

    def screenshot(self, path):
        self._check_alive()
        subprocess.run(["import", "-display", ":%d" % self.display, "-window", "root", path], env=self._x_env(),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60, check=True)
        return path


# ---------------------------------------------------------------- run command


def _run_on_user_display(program, locale, work_dir):
    """Starts the program on $DISPLAY in a prefix of its own and waits for it to end."""
    arch = pe_arch(program)
    prefix = WinePrefix(os.path.join(work_dir, "run-prefix-%s-%s" % (arch, locale)), arch, locale,
                        virtual_desktop=False)
    # Held while the prefix is made; a second copy of the program may share it.
    with prefix.claim(timeout=300):
        if not os.path.exists(os.path.join(prefix.path, ".quillmarsh-ready")):
            print("making the Wine prefix %s (once)..." % prefix.path, flush=True)
        prefix.ensure(None, prefix.path + "-setup.log")
    print("starting %s on %s" % (program, os.environ["DISPLAY"]), flush=True)
    child = subprocess.Popen([prefix.loader, program], env=prefix.env(), stdin=subprocess.DEVNULL)
    try:
        return child.wait()
    except KeyboardInterrupt:
        _stop_pid(child)
        prefix.kill_server()
        return 130


def _run_headless(program, locale, work_dir, screenshot):
    with Session(locale=locale, program=program, work_dir=os.path.join(work_dir, "run-e2e"), timeout=240) as s:
        p = s.start_program()
        # The window exists; give it the chance to paint before the picture.
        wait_until(lambda: s.probe("dump", hex(p.hwnd))["visible"], timeout=10, what="the window to be visible")
        os.makedirs(os.path.dirname(os.path.abspath(screenshot)), exist_ok=True)
        s.screenshot(screenshot)
        print("no DISPLAY: ran quillmarsh.exe on a private Xvfb; screenshot saved to %s" % screenshot, flush=True)
        p.close()
        return p.wait_exit(10)


def clean(work_dirs):
    """Ends the processes of the prefixes under each folder, then removes the folder."""
    for work_dir in work_dirs:
        if not os.path.isdir(work_dir):
            continue
        for name in sorted(os.listdir(work_dir)):
            match = re.match(r"prefix-(win32|win64)-(.+)$", name)
            if match and os.path.isdir(os.path.join(work_dir, name)):
                WinePrefix(os.path.join(work_dir, name), match.group(1), match.group(2)).kill_server()
        shutil.rmtree(work_dir, ignore_errors=True)
    return 0


def main(argv):
    import argparse

    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    sub.add_parser("arch", help="print the Windows build that runs here (win32 or win64)")
    sweep = sub.add_parser("clean", help="end the Wine processes of the prefixes in these folders and remove them")
    sweep.add_argument("work_dirs", nargs="*")
    run = sub.add_parser("run", help="start quillmarsh.exe ($DISPLAY, or a private Xvfb and a screenshot)")
    run.add_argument("--program", default=None)
    run.add_argument("--locale", default=DEFAULT_LOCALE)
    run.add_argument("--work-dir", default=None, help="where the prefix lives (default: the build folder)")
    run.add_argument("--screenshot", default=None)
    options = parser.parse_args(argv)
    if options.command == "arch":
        print(runnable_arch())
        return 0
    if options.command == "clean":
        return clean(options.work_dirs)
    program = os.path.abspath(options.program or default_program())
    if not os.path.exists(program):
        print("not built: " + program, file=sys.stderr)
        return 2
    work_dir = os.path.abspath(options.work_dir or default_build_dir())
    if os.environ.get("DISPLAY"):
        return _run_on_user_display(program, options.locale, work_dir)
    screenshot = os.path.abspath(options.screenshot or os.path.join(work_dir, "screenshot.png"))
    return _run_headless(program, options.locale, work_dir, screenshot)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
