"""The same two runs on every Windows version Wine can report.

Per version, run 1 is a six-second Sleep countdown from the command line
(settings folder, tray icon set, Sleep wording, hibernation or standby on
time) and run 2 a two-second Shutdown countdown typed into the delay dialog
(then the shutdown path).
"""
import os
import shutil

from common import ALL_BITS, BEEPS, LEGACY_SHUTDOWN, POWER, PRIVILEGE, names, settings_path
from harness import case, check, equal

# Version, settings folder, hibernation, NT family. Which icons each version gets follows from the
# system's name (ShutModuleTest) and is checked in MainWindowTest and CountdownTest.
ROWS = [
    ("win95", "system", False, False),
    ("win98", "system", False, False),
    ("nt40", "system", False, True),
    ("win2k", "system32", True, True),
    ("winxp", "system32", True, True),
    ("win10", "appdata", False, True),
]


def version_case(version, folder, hibernates, nt):
    relay = ["InitCommonControls", "Shell_NotifyIconA"] + BEEPS + PRIVILEGE + POWER

    @case(version=version, relay=relay, timeout=90, name=version)
    def run(t):
        privilege = PRIVILEGE if nt else []
        if folder != "system32":
            os.makedirs(t.windows_path("system"), exist_ok=True)
        if not nt:
            # The 95 family keeps rundll32.exe in the Windows directory itself; a Wine prefix in system32 only.
            shutil.copyfile(t.windows_path("system32", "rundll32.exe"), t.windows_path("rundll32.exe"))

        # Run 1: Sleep in six seconds.
        p = t.start("-v", "-t:0,0,6")
        label = "Veille prolongée" if hibernates else "Mettre en veille"
        t.describe("ctl|MainForm|VeilleProlongeeLabel|%s|" % label)
        # Switches are not saved: only the delay started is.
        t.wait_bytes(settings_path(t, folder), b"S5.5\0\0\x06\0\0", "settings file in %s" % folder)
        for other in {"system", "system32"} - {folder}:
            check(not os.path.exists(settings_path(t, other)), "settings file in %s too" % other)
        c = p.wait_call("SetSystemPowerState", 15)
        equal((c.u32(0), c.u32(1)), ((0 if hibernates else ALL_BITS), ALL_BITS),
              "SetSystemPowerState(fSuspend, fForce): %s" % ("hibernation" if hibernates else "standby"))
        elapsed = c.time - p.wait_call("InitCommonControls").time
        check(5.5 <= elapsed <= 9, "Sleep %.2fs after start-up, about 6s expected" % elapsed)
        check(p.wait_exit(10) is not None, "the program still runs after the Sleep action returned")
        check(names(p, ["Shell_NotifyIconA"]), "no tray call")
        check(names(p, BEEPS), "no beep in the final seconds")
        # The shutdown privilege first on the NT family only (the calls' arguments: ShutModuleTest, Win32Test).
        equal(names(p, PRIVILEGE + POWER), privilege + ["SetSystemPowerState"], "privilege and power calls")

        # Run 2: Shutdown in two seconds, typed into the delay dialog.
        p = t.start("-a")
        t.wait_window("Arrêter l'ordinateur")
        t.click_child("Arrêter l'ordinateur", "00")
        t.type_text("000002")
        t.key("Return")
        if nt:
            c = p.wait_call("ExitWindowsEx", 15)
            equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
        else:
            c = p.wait_call(("WinExec", "CreateProcessA", "CreateProcessW"), 15)
            check(LEGACY_SHUTDOWN in [text for _, text in c.args], "%s does not start %r" % (c, LEGACY_SHUTDOWN))
            check(p.wait_exit(10) is not None, "the program still runs after starting the legacy shutdown")
        equal(names(p, PRIVILEGE + POWER), privilege + [c.func], "privilege and power calls")


for row in ROWS:
    version_case(*row)
