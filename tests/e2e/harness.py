"""The end-to-end harness: crepuscule.exe under Wine on a private X display.

Each case gets its own copy of a template prefix, the Windows version it
emulates, and a relay trace restricted to the functions it checks. It drives
the program with real X input (xdotool) and reads its windows with wintool,
a console helper run in the same prefix.
"""
import json
import os
import pathlib
import re
import shutil
import subprocess
import threading
import time

import relay

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_ENV = os.path.join(ROOT, "scripts", "wine-env.sh")
# The loader wine-env.sh picks: the 64-bit one where the kernel runs no 32-bit program.
WINE = subprocess.run(["bash", "-c", '. "$1"; echo "$CREP_WINE"', "-", WINE_ENV], capture_output=True,
                      text=True).stdout.strip() or "wine"
# Every wait is this many times longer where the processor is emulated (the 32-bit program under qemu).
SLOW = float(os.environ.get("CREP_E2E_SLOW", "1"))


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def equal(actual, expected, what):
    if actual != expected:
        raise Failure("%s: expected %r, got %r" % (what, expected, actual))


def wait_until(found, timeout, message, interval=0.2):
    """found()'s first true value within timeout seconds, else a Failure with
    message (called for it, if callable, so that it tells the last state)."""
    deadline = time.monotonic() + timeout * SLOW
    while True:
        value = found()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(message() if callable(message) else message)
        time.sleep(interval)


def read_bytes(path):
    """The bytes of a file, None while it does not exist."""
    return pathlib.Path(path).read_bytes() if os.path.exists(path) else None


# ---- registry of cases ----

CASES = []


def case(version="winxp", relay=(), timeout=60, name=None):
    """Registers a case named GROUP.NAME: the module name without "test_", the function's name unless given."""

    def register(fn):
        group = fn.__module__.removeprefix("test_")
        CASES.append({"name": "%s.%s" % (group, name or fn.__name__), "group": group, "fn": fn,
                      "version": version, "relay": list(relay), "timeout": timeout})
        return fn

    return register


def shell(function, *args, check_rc=True):
    """Runs one of the helpers of scripts/wine-env.sh."""
    cmd = ["bash", "-c", '. "$0"; "$@"', WINE_ENV, function] + list(args)
    r = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                       stderr=subprocess.STDOUT, text=True)
    if check_rc and r.returncode != 0:
        raise RuntimeError("%s failed: %s" % (function, r.stdout.strip()))
    return r


def split_fields(line, separator="|", unescape=True):
    """Splits at the separators that no backslash escapes, then unescapes each field."""
    fields = [""]
    for token in re.findall(r"\\.|.", line, re.S):
        if token == separator:
            fields.append("")
        else:
            fields[-1] += token
    unescaped = {"r": "\r", "n": "\n"}
    return [re.sub(r"\\([rn|;\\])", lambda m: unescaped.get(m.group(1), m.group(1)), f) if unescape else f
            for f in fields]


class Session:
    """One X display and one template prefix for the whole run, of one of the
    two programs: win64 (x86_64) or win32 (i686, under 32-bit Wine)."""

    def __init__(self, display, build=None, arch="win64"):
        self.build = os.path.abspath(build or os.environ.get("CREP_BUILD") or os.path.join(ROOT, "build"))
        self.arch = arch
        self.exe = os.path.join(self.build, arch, "crepuscule.exe")
        self.wintool = os.path.join(self.build, "win64", "wintool.exe")
        self.wine_dir = os.path.join(self.build, "wine")
        self.template = os.path.join(self.wine_dir, "template")
        # The 32-bit run keeps its logs apart: e2e-logs/win32/CASE.
        self.logs = os.path.join(self.build, "e2e-logs", *(["win32"] if arch == "win32" else []))
        self.screenshots = os.path.join(self.build, "screenshots")
        # Every Wine and X process of the run inherits it.
        os.environ["DISPLAY"] = display
        # Prefixes kept by an earlier run (failed cases) go now.
        shutil.rmtree(os.path.join(self.wine_dir, "cases"), ignore_errors=True)
        for d in (self.logs, self.screenshots, os.path.join(self.wine_dir, "cases")):
            os.makedirs(d, exist_ok=True)
        shell("crep_template", self.template)


class Program:
    """One run of crepuscule.exe; its stderr (the relay trace) is read as it comes."""

    def __init__(self, case, args, env, log_path):
        self.case = case
        self.started = time.monotonic()
        self._calls = []
        self._lock = threading.Lock()
        self._log = open(log_path, "w", encoding="utf-8", errors="replace")
        self.proc = subprocess.Popen([WINE, case.session.exe, *args], env=env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        # The log closes here, once every process holding stderr let go (a killed Wine loader's child may not).
        with self._log:
            for raw in self.proc.stderr:
                line = raw.decode("utf-8", errors="replace").rstrip("\n")
                now = time.monotonic() - self.started
                call = relay.parse_line(line, now)
                if call:
                    with self._lock:
                        self._calls.append(call)
                self._log.write("%8.3f %s\n" % (now, line))

    def calls(self, *names):
        """The traced calls so far, in order; only those named, if names are given."""
        with self._lock:
            return [c for c in self._calls if not names or c.func in names]

    def _wait(self, find, timeout, what):
        """find()'s first value, read until the program ends or timeout seconds pass."""
        def found():
            ended = self.proc.poll() is not None
            if ended:
                self._reader.join(2)
            value = find()
            if value is None and ended:
                raise Failure("the program ended (status %s) without %s; calls seen: %s"
                              % (self.proc.returncode, what, self.calls()))
            return value

        return wait_until(found, timeout, lambda: "no %s within %ss; calls seen: %s" % (what, timeout, self.calls()),
                          0.05)

    def wait_call(self, name, timeout=10, where=None):
        """The first traced call of name (a name or a tuple of names) for which
        where(call) holds, or a Failure."""
        names = name if isinstance(name, tuple) else (name,)
        return self._wait(lambda: next((c for c in self.calls(*names) if where is None or where(c)), None),
                          timeout, "call of %s" % (name,))

    def wait_box(self, timeout=10):
        """The program's first message box: (text, title, flags), once it asked for it."""
        return self._wait(lambda: (self.boxes() or [None])[0], timeout, "message box")

    def boxes(self):
        """Every message box asked for so far: (text, title, flags)."""
        return [(c.text(1), c.text(2), c.u32(3)) for c in self.calls("MessageBoxW", "MessageBoxA")]

    def wait_exit(self, timeout=10):
        """The exit status, or None if the program still runs after timeout seconds."""
        try:
            status = self.proc.wait(timeout * SLOW)
        except subprocess.TimeoutExpired:
            return None
        self._reader.join(5)
        return status

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.wait_exit(10)


class Case:
    """The world of one case: a fresh prefix, the programs it started, its helpers."""

    def __init__(self, session, plan):
        self.session = session
        self.plan = plan
        self.prefix = os.path.join(session.wine_dir, "cases", plan["name"])
        self.log_dir = os.path.join(session.logs, plan["name"])
        self.programs = []

    # ---- set-up and tear-down ----

    def setup(self):
        check(os.path.isfile(self.session.exe), "%s is missing: build it first" % self.session.exe)
        check(os.path.isfile(self.session.wintool), "%s is missing: build it first" % self.session.wintool)
        shutil.rmtree(self.log_dir, ignore_errors=True)
        os.makedirs(self.log_dir)
        shell("crep_prefix_copy", self.session.template, self.prefix)
        shell("crep_prefix_version", self.prefix, self.plan["version"])
        if self.plan["relay"]:
            shell("crep_prefix_relay", self.prefix, ";".join(self.plan["relay"]), "crepuscule.exe")
        shell("crep_prefix_warmup", self.prefix, check_rc=False)

    def teardown(self, passed):
        shell("crep_prefix_end", self.prefix, check_rc=False)
        for p in self.programs:
            p.close()
        if passed:
            shutil.rmtree(self.prefix, ignore_errors=True)

    def env(self, debug="-all"):
        env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG=debug, LANG="fr_FR.UTF-8", LC_ALL="fr_FR.UTF-8",
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        if WINE != "wine":
            env["WINELOADER"] = WINE
        return env

    # ---- the program ----

    def start(self, *args, trace=True):
        """Starts crepuscule.exe with these arguments, traced when the case names functions."""
        log = os.path.join(self.log_dir, "program%d.log" % (len(self.programs) + 1))
        self.programs.append(Program(self, args, self.env("+relay" if trace and self.plan["relay"] else "-all"), log))
        return self.programs[-1]

    # ---- files of the emulated system ----

    def windows_path(self, *parts):
        """A path under C:\\windows as the program sees it, case-insensitively
        resolved where it exists: the 32-bit program's system32 is syswow64, as
        on 64-bit Windows."""
        path = os.path.join(self.prefix, "drive_c", "windows")
        if self.session.arch == "win32" and parts and parts[0].lower() == "system32":
            parts = ("syswow64",) + tuple(parts[1:])
        for part in parts:
            names = os.listdir(path) if os.path.isdir(path) else []
            path = os.path.join(path, next((n for n in names if n.lower() == part.lower()), part))
        return path

    def wait_bytes(self, path, expected, what, timeout=10):
        """Waits until the file holds expected; else a Failure tells the bytes it holds."""
        wait_until(lambda: read_bytes(path) == expected, timeout,
                   lambda: "%s: expected %r, got %r" % (what, expected, read_bytes(path)), 0.1)

    # ---- reading and driving windows ----

    def wintool(self, *command):
        r = subprocess.run([WINE, self.session.wintool, *command], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30)
        return r.returncode, r.stdout.decode("utf-8", errors="replace")

    def wait_window(self, title, timeout=10, cls=None, exclude=()):
        """The first visible top-level window with this caption (and class), once there is one."""
        return wait_until(lambda: self.visible(title, cls, exclude), timeout,
                          lambda: "no visible window %r within %ss; windows: %s"
                          % (title, timeout, [(w["class"], w["caption"]) for w in self.visible()]))[0]

    def wait_gone(self, title, timeout=10, cls=None):
        wait_until(lambda: not self.visible(title, cls), timeout,
                   "window %r still visible after %ss" % (title or cls, timeout))

    def wait_main_window(self, timeout=10):
        """The program's main window: caption "Crepuscule", neither a message box nor the hidden one."""
        return self.wait_window("Crepuscule", timeout, exclude=("#32770", "ThunderRT6Main"))

    def visible(self, caption=None, cls=None, exclude=()):
        """The visible top-level windows of the prefix's other processes, each with its children, with this caption
        and class (any, when None)."""
        windows = [json.loads(line, strict=False) for line in self.wintool("list")[1].splitlines()]
        return [w for w in windows if w["visible"] and caption in (None, w["caption"])
                and cls in (None, w["class"]) and w["class"] not in exclude]

    def accessible_names(self, title):
        """What a screen reader reads in the window of this caption: the name of each child of its
        client area, through oleacc from another process."""
        code, out = self.wintool("names", str(self.wait_window(title)["hwnd"]))
        check(code == 0, "no accessible object for %r: %s" % (title, out.strip()))
        return [json.loads(line, strict=False) for line in out.splitlines()]

    def close_box(self, title):
        """Return to a message box (its default button), then waits until it is gone."""
        self.key_to(title, "Return", cls="#32770")
        self.wait_gone(title, cls="#32770")

    def describe(self, text="", timeout=10):
        """The program's own account of its forms, controls, timers and last menu, once one of its lines
        contains text."""
        last = [0, ""]

        def answer():
            last[:] = self.wintool("describe")
            return last[0] == 0 and text in last[1]

        wait_until(answer, timeout,
                   lambda: "no described state with %r within %ss; last:\n%s" % (text, timeout, last[1]), 0.1)
        return Description(last[1])

    def xdotool(self, *args):
        r = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        check(r.returncode == 0, "xdotool %s failed: %s" % (" ".join(map(str, args)), r.stderr.decode().strip()))
        return r.stdout.decode()

    def move_pointer(self, x, y):
        """Moves the real pointer and waits for it to get there; where it is
        already, --sync would wait for a move that never comes."""
        if not re.search(r"^X=%d\s+Y=%d$" % (x, y), self.xdotool("getmouselocation", "--shell"), re.M):
            self.xdotool("mousemove", "--sync", x, y)

    def click(self, button=1, double=False):
        """A real click (or double click) where the pointer is."""
        self.xdotool("click", *(["--repeat", 2, "--delay", 80] if double else []), button)

    def click_centre(self, rect, button=1, double=False):
        left, top, right, bottom = rect
        self.move_pointer((left + right) // 2, (top + bottom) // 2)
        self.click(button, double)

    def hover(self, title, x, y, rest=0.3, nudge=False):
        """Rests the real pointer at (x, y) twips from the top-left of the
        window's client area, as the program lays its windows out (15 twips a
        pixel at Wine's 96 dpi). nudge: one pixel more after the rest, for the
        tooltips, which track motion, not the pointer's arrival."""
        client = self.wait_window(title)["client"]
        x, y = client[0] + round(x / 15), client[1] + round(y / 15)
        self.move_pointer(x, y)
        time.sleep(rest)
        if nudge:
            self.move_pointer(x + 1, y)

    def click_twips(self, title, x, y, button=1, double=False):
        """A real click at (x, y) twips in the window's client area. The pointer
        rests there first: the program's picture buttons light up on the move
        and take the click in their lit state."""
        self.hover(title, x, y)
        self.click(button, double)

    def tray_icon(self, timeout=10):
        """The rect of the program's icon in Wine's notification-area window."""
        return wait_until(lambda: [c["rect"] for w in self.visible(cls="__winex11_standalone_tray")
                                   for c in w["children"] if c["class"] == "__winex11_tray_icon" and c["visible"]],
                          timeout, "no icon in the notification area within %ss" % timeout)[0]

    def click_tray_icon(self, button=1, double=False, timeout=10):
        """A real click on the program's icon in Wine's notification-area window."""
        self.click_centre(self.tray_icon(timeout), button, double)

    def tray_menu(self, name):
        """A real right click on the tray icon: the program's description of the menu it opens."""
        self.click_tray_icon(button=3)
        return self.describe("menu|%s|" % name).menu

    def tray_tip(self, timeout=5):
        """The tip the shell shows while the pointer rests on the icon: the caption
        of the visible tooltip window of the tray (Wine's tooltips answer
        WM_GETTEXT with the text they show)."""
        left, top, right, bottom = self.tray_icon()
        x, y = (left + right) // 2, (top + bottom) // 2
        # Away first, so that the shell shows the tip afresh.
        self.move_pointer(x + 300, y + 300)
        time.sleep(0.2)
        self.move_pointer(x, y)
        # One motion event may not be enough for the shell's tooltip to notice.
        time.sleep(0.2)
        self.move_pointer(x + 1, y)
        return self.balloon_text(timeout=timeout)

    def balloon_text(self, pid=None, screenshot=None, timeout=5):
        """The text of the visible tooltip (of that process, if pid is given; a Wine
        tooltip answers WM_GETTEXT with the text it shows), once the pointer has left it gone."""
        def shown():
            return [w["caption"] for w in self.visible()
                    if w["class"].lower() == "tooltips_class32" and pid in (None, w["pid"]) and w["caption"]]

        text = wait_until(shown, timeout, "no tooltip shown within %ss" % timeout)[0]
        if screenshot:
            self.screenshot(screenshot)
        self.move_pointer(5, 1000)
        wait_until(lambda: not shown(), timeout, "tooltip still shown after the pointer left")
        return text

    def click_child(self, title, text, button=1, timeout=10):
        """A real click in the middle of the child window (control) showing text, once it shows."""
        def shown():
            return [c for w in self.visible(title) for c in w["children"] if c["visible"] and c["text"] == text]

        children = wait_until(shown, timeout, lambda: "no visible control %r in %r; controls: %s"
                              % (text, title, [c["text"] for w in self.visible(title) for c in w["children"]]))
        self.click_centre(children[0]["rect"], button)

    def focus_open_menu(self, timeout=5):
        """Waits for the open popup menu and gives it the keyboard. Keys go to
        the X window with the input focus, which a click on the tray gave to
        Wine's tray: the menu gets it from its border, so that no item gets
        selected by the pointer. The bottom border: the tray's own window may
        cover the menu's top."""
        menus = wait_until(lambda: self.visible(cls="#32768"), timeout, "no popup menu open", 0.1)
        left, _, _, bottom = menus[0]["rect"]
        self.move_pointer(left + 1, bottom - 2)
        window = re.search(r"WINDOW=(\d+)", self.xdotool("getmouselocation", "--shell"))
        check(window, "no X window under the pointer")
        self.xdotool("windowfocus", "--sync", window.group(1))

    def choose_menu_item(self, caption, timeout=5):
        """Chooses an item of the open popup menu with the keyboard, as a user may."""
        self.focus_open_menu(timeout)
        menu = self.describe().menu
        check(menu is not None, "the program described no menu")
        items = [i for i in menu["items"] if i != "-"]
        check(caption in items, "no item %r in the menu %s" % (caption, menu["items"]))
        # Home selects the first item, whatever was selected; separators are skipped.
        keys = ["Home"] + ["Down"] * items.index(caption) + ["Return"]
        self.key(*keys)
        # On a loaded machine the keys may all go to a window that just lost the
        # focus: the menu then stays open, and the same keys from Home are safe to send again.
        try:
            self.wait_gone(None, 3, "#32768")
        except Failure:
            self.focus_open_menu(timeout)
            self.key(*keys)
            self.wait_gone(None, timeout, "#32768")

    def key(self, *keys):
        """Real key presses (X keysym names: Return, Escape, shift+Tab...) to the focused window."""
        self.xdotool("key", "--delay", 50, *keys)

    def key_to(self, title, *keys, cls=None):
        """Real key presses to the window with this caption. With no window
        manager a new window does not always get the X input focus at once."""
        xids = wait_until(lambda: [w["xid"] for w in self.visible(title, cls) if w["xid"]], 10,
                          "no X window for %r" % title)
        self.xdotool("windowfocus", "--sync", xids[0])
        self.key(*keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 30, text)

    def screenshot(self, name):
        """Saves the whole screen to build/screenshots/NAME.png and returns the path."""
        path = os.path.join(self.session.screenshots, "%s.png" % name)
        subprocess.run(["import", "-window", "root", path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
        return path


class Description:
    """The program's answer to "CrepusculeDescribe", line by line."""

    def __init__(self, text):
        self.forms, self.controls, self.timers, self.menu = {}, {}, {}, None
        for line in text.splitlines():
            f = split_fields(line)
            # name=value fields; a caption of the form's or control's own is taken as it is below.
            flags = dict(field.split("=", 1) for field in f[3:] if "=" in field)
            if f[0] == "form" and len(f) >= 3:
                self.forms[f[1]] = dict(flags, caption=f[2])
            elif f[0] == "ctl" and len(f) >= 4:
                self.controls[(f[1], f[2])] = dict(flags, caption=f[3])
            elif f[0] == "timer" and len(f) >= 3:
                self.timers[(f[1], f[2])] = flags
            elif f[0] == "menu" and len(f) >= 4:
                # Captions are split before unescaping: "\;" is part of a caption.
                raw = "|".join(split_fields(line, unescape=False)[3:])
                self.menu = {"name": f[1], "default": f[2].split("=", 1)[-1],
                             "items": split_fields(raw, ";")}

    def visible(self, form, control=None):
        item = self.forms.get(form) if control is None else self.controls.get((form, control))
        return bool(item) and item.get("visible") == "1"

    def caption(self, form, control=None):
        item = self.forms.get(form) if control is None else self.controls.get((form, control))
        check(item is not None, "%s is not described" % (form if control is None else form + "." + control))
        return item["caption"]
