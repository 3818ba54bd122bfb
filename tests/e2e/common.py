"""What several groups of cases expect of the program's calls."""
import os
import shutil

from harness import check, equal

BOXES = ["MessageBoxW", "MessageBoxA"]
PRIVILEGE = ["OpenProcessToken", "LookupPrivilegeValueA", "AdjustTokenPrivileges"]
POWER = ["ExitWindowsEx", "SetSystemPowerState", "WinExec", "CreateProcessA", "CreateProcessW"]
# By its full path in the Windows directory, as GetWindowsDirectoryA names it.
LEGACY_SHUTDOWN = "C:\\windows\\rundll32.exe user,exitwindows"


def names(program, functions):
    return [c.func for c in program.calls(*functions)]


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


TTM_ADDTOOLA, TTM_SETMAXTIPWIDTH = 0x404, 0x418


def check_balloon_widths(program):
    """Each of the three balloons gets a maximum width right after its tool:
    Windows breaks a tooltip's lines at CR LF only once it has one. (The 95
    family's control tooltips take TTM_ADDTOOLA too, to other windows.)"""
    sends = [c for c in program.calls("SendMessageA") if c.u32(1) in (TTM_ADDTOOLA, TTM_SETMAXTIPWIDTH)]
    widths = [i for i, c in enumerate(sends) if c.u32(1) == TTM_SETMAXTIPWIDTH]
    equal(len(widths), 3, "maximum widths set")
    for i in widths:
        before = [c.u32(1) for c in sends[:i] if c.u32(0) == sends[i].u32(0)]
        equal(before[-1:], [TTM_ADDTOOLA], "message before the maximum width")
        check(sends[i].u32(3) >= 400, "maximum width %d" % sends[i].u32(3))


def place_legacy_rundll32(t):
    """The 95 family keeps rundll32.exe in the Windows directory itself; a Wine
    prefix has it in system32 only."""
    target = t.windows_path("rundll32.exe")
    if not os.path.exists(target):
        shutil.copyfile(t.windows_path("system32", "rundll32.exe"), target)
