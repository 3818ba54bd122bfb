"""What several groups of cases expect of the program, and the paths they share."""
import os

from harness import check, equal, wait_until

BOXES = ["MessageBoxW", "MessageBoxA"]
BEEPS = ["MessageBeep", "Beep"]
PRIVILEGE = ["OpenProcessToken", "LookupPrivilegeValueA", "AdjustTokenPrivileges"]
POWER = ["ExitWindowsEx", "SetSystemPowerState", "WinExec", "CreateProcessA", "CreateProcessW"]
# By its full path in the Windows directory, as GetWindowsDirectoryA names it.
LEGACY_SHUTDOWN = "C:\\windows\\rundll32.exe user,exitwindows"
# TRUE as SetSystemPowerState gets it.
ALL_BITS = 0xFFFFFFFF
MAIN = "Crepuscule"
# The delay dialog as a shutdown opens it.
DIALOG = "Arrêter l'ordinateur"
OPTIONS = "Options de Crepuscule"
# Centres of the main window's action pictures (left, top + half their 495 twips), in
# twips from its client area's top-left.
BUTTONS = {"shutdown": (2640 + 247, 1080 + 247), "restart": (4560 + 247, 1080 + 247),
           "sleep": (720 + 247, 1080 + 247)}


LOAD_IMAGE = ["LoadImageA", "LoadImageW"]


def names(program, functions):
    return [c.func for c in program.calls(*functions)]


def icon_ids(program):
    """Icon resources the program loaded by their integer ids."""
    return {c.u32(1) for c in program.calls(*LOAD_IMAGE) if c.u32(1) < 0x10000}


def settings_path(t, folder="system32"):
    """The settings file in C:\\windows\\FOLDER, or in the user's own folder for "appdata"."""
    if folder == "appdata":
        users = os.path.join(t.prefix, "drive_c", "users")
        profiles = [n for n in os.listdir(users) if n.lower() != "public"]
        check(len(profiles) == 1, "expected one user profile in %s, found %s" % (users, profiles))
        return os.path.join(users, profiles[0], "AppData", "Roaming", "Crepuscule", "Crepuscule.ini")
    return os.path.join(t.windows_path(folder), "Crepuscule.ini")


def shown_time(d):
    """Hours, minutes and seconds as the main window shows them."""
    return [d.caption("MainForm", n) for n in ("TxtH", "TxtM", "TxtS")]


def check_idle(t):
    """The main window is back, idle: no countdown, a time of zero."""
    d = t.wait_describe("ctl|MainForm|Titre|Arrêter l'ordinateur|")
    check(d.visible("MainForm"), "main window not back after the cancel")
    equal(shown_time(d), ["00"] * 3, "time shown after the cancel")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "0", "countdown running after the cancel")
    return d


def check_privilege_enabled(program, before):
    """The shutdown privilege is enabled, call by call, right before the power call."""
    calls = program.calls(*(PRIVILEGE + POWER))
    order = [c.func for c in calls]
    check(before in order, "no %s in %s" % (before, order))
    head = order[:order.index(before) + 1]
    equal(head[-4:], PRIVILEGE + [before], "calls leading to %s" % before)
    token, lookup, adjust = (next(c for c in calls if c.func == f) for f in PRIVILEGE)
    equal(token.u32(1), 40, "OpenProcessToken access (TOKEN_ADJUST_PRIVILEGES + TOKEN_QUERY)")
    equal(lookup.u32(0), 0, "LookupPrivilegeValueA system name (local)")
    equal(lookup.text(1), "SeShutdownPrivilege", "LookupPrivilegeValueA privilege")
    equal(adjust.u32(1), 0, "AdjustTokenPrivileges DisableAllPrivileges")
    equal(adjust.u32(3), 16, "AdjustTokenPrivileges buffer length")


TTM_ADDTOOLA, TTM_SETMAXTIPWIDTH, TTM_SETTITLEA = 0x404, 0x418, 0x420


def check_balloons_made(program):
    """Three balloon tooltips, one per action picture, each with the
    information icon and a maximum width set right after its tool: Windows
    breaks a tooltip's lines at CR LF only once it has one. (The 95 family's
    control tooltips take TTM_ADDTOOLA too, to other windows.)"""
    # They are made just after the window shows: their last titles may still be coming.
    def titled():
        return [c for c in program.calls("SendMessageA") if c.u32(1) == TTM_SETTITLEA]
    wait_until(lambda: len(titled()) >= 3, 10, lambda: "balloon titles set: %s" % titled())
    made = [c for c in program.calls("CreateWindowExA") if c.text(1) == "Tooltips_Class32"]
    equal([c.u32(3) for c in made], [0x40 | 0x02] * 3, "tooltip styles (TTS_BALLOON + TTS_NOPREFIX)")
    equal([c.u32(2) for c in titled()], [1, 1, 1], "title icons (TTI_INFO)")
    sends = [c for c in program.calls("SendMessageA") if c.u32(1) in (TTM_ADDTOOLA, TTM_SETMAXTIPWIDTH)]
    widths = [i for i, c in enumerate(sends) if c.u32(1) == TTM_SETMAXTIPWIDTH]
    equal(len(widths), 3, "maximum widths set")
    for i in widths:
        before = [c.u32(1) for c in sends[:i] if c.u32(0) == sends[i].u32(0)]
        equal(before[-1:], [TTM_ADDTOOLA], "message before the maximum width")
        check(sends[i].u32(3) >= 400, "maximum width %d" % sends[i].u32(3))
