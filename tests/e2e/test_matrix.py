"""The same two runs on every Windows version Wine can report.

Per version, run 1 is a six-second Sleep countdown from the command line
(settings folder, tray icon set, Sleep wording, hibernation or standby on
time) and run 2 a two-second Shutdown countdown typed into the delay dialog
(the look of its fields, then the shutdown path).
"""
import os
import re
import shutil

from common import (ALL_BITS, BEEPS, LEGACY_SHUTDOWN, LOAD_IMAGE, POWER, PRIVILEGE, check_privilege_enabled,
                    icon_ids, names, settings_path)
from harness import case, check, equal
WS_EX_CLIENTEDGE = 0x200
GWL_EXSTYLE = 0xFFFFFFEC
LAST_SECONDS_ICONS = {104, 105, 106, 107, 108}


# The NT family gets the W forms of the window calls, the 95 family the A forms.
CREATE_WINDOW = ["CreateWindowExA", "CreateWindowExW"]
SET_LONG = ["SetWindowLongA", "SetWindowLongW", "SetWindowLongPtrA", "SetWindowLongPtrW"]


def edit_looks(program):
    """The last extended style of every EDIT window the program made, from the
    trace: its creation style, then what SetWindowLong(Ptr)(GWL_EXSTYLE) set."""
    pending, looks = {}, {}
    create = re.compile(r'^(\w+):Call user32\.CreateWindowEx[AW]\(([0-9a-f]+),[0-9a-f]+ L?"([^"]*)"')
    created = re.compile(r"^(\w+):Ret  user32\.CreateWindowEx[AW]\(\) retval=([0-9a-f]+)")
    for _, line in list(program.lines):
        m = create.match(line)
        if m:
            pending.setdefault(m.group(1), []).append((m.group(3), int(m.group(2), 16)))
            continue
        m = created.match(line)
        if m and pending.get(m.group(1)):
            cls, ex = pending[m.group(1)].pop()
            if cls.upper() == "EDIT":
                looks[int(m.group(2), 16) & 0xFFFFFFFF] = ex
    for name in SET_LONG:
        for c in program.calls(name):
            if c.u32(1) == GWL_EXSTYLE and c.u32(0) in looks:
                looks[c.u32(0)] = c.u32(2)
    return looks


# Version, settings folder, XP icons, hibernation, NT family.
ROWS = [
    ("win95", "system", False, False, False),
    ("win98", "system", False, False, False),
    ("nt40", "system", False, False, True),
    ("win2k", "system32", False, True, True),
    ("winxp", "system32", True, True, True),
    ("win10", "appdata", False, False, True),
]


def version_case(version, folder, xp, hibernates, nt):
    relay = (["InitCommonControls", "Shell_NotifyIconA"] + LOAD_IMAGE + CREATE_WINDOW + SET_LONG + BEEPS + PRIVILEGE
             + POWER)

    @case(version=version, relay=relay, timeout=90, name=version)
    def run(t):
        others = [f for f in ("system", "system32") if f != folder]
        if folder != "system32":
            os.makedirs(t.windows_path("system"), exist_ok=True)
        if not nt:
            # The 95 family keeps rundll32.exe in the Windows directory itself; a Wine prefix in system32 only.
            shutil.copyfile(t.windows_path("system32", "rundll32.exe"), t.windows_path("rundll32.exe"))

        # Run 1: Sleep in six seconds.
        p = t.start("-v", "-t:0,0,6")
        label = "Veille prolongée" if hibernates else "Mettre en veille"
        t.wait_describe("ctl|MainForm|VeilleProlongeeLabel|%s|" % label)
        # Switches are not saved: only the delay started is.
        t.wait_bytes(settings_path(t, folder), b"S5.5\0\0\x06\0\0", "settings file in %s" % folder)
        for other in others:
            check(not os.path.exists(settings_path(t, other)), "settings file in %s too" % other)
        c = p.wait_call("SetSystemPowerState", 15)
        equal((c.u32(0), c.u32(1)), ((0 if hibernates else ALL_BITS), ALL_BITS),
              "SetSystemPowerState(fSuspend, fForce): %s" % ("hibernation" if hibernates else "standby"))
        elapsed = c.time - p.wait_call("InitCommonControls").time
        check(5.5 <= elapsed <= 9, "Sleep %.2fs after start-up, about 6s expected" % elapsed)
        if nt:
            check_privilege_enabled(p, "SetSystemPowerState")
        else:
            equal(names(p, PRIVILEGE), [], "privilege calls outside the NT family")
        check(p.wait_exit(10) is not None, "the program still runs after the Sleep action returned")
        ids = icon_ids(p)
        check(103 in ids, "Sleep icon 103 never loaded: %s" % sorted(ids))
        equal(123 in ids, not xp, "16-colour Sleep icon 123 loaded")
        equal(bool(ids & LAST_SECONDS_ICONS), xp, "icons of the last five seconds loaded (%s)" % sorted(ids))
        check(names(p, ["Shell_NotifyIconA"]), "no tray call")
        check(names(p, BEEPS), "no beep in the final seconds")
        equal(names(p, ["ExitWindowsEx", "WinExec", "CreateProcessA", "CreateProcessW"]), [], "other power calls")

        # Run 2: Shutdown in two seconds, typed into the delay dialog.
        p = t.start("-a")
        t.wait_window("Arrêter l'ordinateur")
        looks = edit_looks(p)
        equal(len(looks), 3, "text boxes of the delay dialog")
        equal(sorted(bool(ex & WS_EX_CLIENTEDGE) for ex in looks.values()), [xp] * 3, "3D look of the fields")
        ids = icon_ids(p)
        check(101 in ids, "Shutdown icon 101 never loaded: %s" % sorted(ids))
        equal(121 in ids, not xp, "16-colour Shutdown icon 121 loaded")
        t.click_child("Arrêter l'ordinateur", "00")
        t.type_text("000002")
        t.key("Return")
        if nt:
            c = p.wait_call("ExitWindowsEx", 15)
            equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
            check_privilege_enabled(p, "ExitWindowsEx")
            equal(names(p, ["WinExec", "CreateProcessA", "CreateProcessW"]), [], "processes started on NT")
        else:
            start = p.wait_call(("WinExec", "CreateProcessA", "CreateProcessW"), 15)
            check(LEGACY_SHUTDOWN in [text for _, text in start.args], "%s does not start %r" % (start, LEGACY_SHUTDOWN))
            check(p.wait_exit(10) is not None, "the program still runs after starting the legacy shutdown")
            equal(names(p, ["ExitWindowsEx"] + PRIVILEGE), [], "ExitWindowsEx and privilege calls")
        equal(names(p, ["SetSystemPowerState"]), [], "sleep calls")


for row in ROWS:
    version_case(*row)
