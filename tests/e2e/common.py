"""What several groups of cases expect of the program, and the paths they share."""
import os

from harness import check

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


def names(program, functions):
    return [c.func for c in program.calls(*functions)]


def settings_path(t, folder="system32"):
    """The settings file in C:\\windows\\FOLDER, or in the user's own folder for "appdata"."""
    if folder == "appdata":
        users = os.path.join(t.prefix, "drive_c", "users")
        profiles = [n for n in os.listdir(users) if n.lower() != "public"]
        check(len(profiles) == 1, "expected one user profile in %s, found %s" % (users, profiles))
        return os.path.join(users, profiles[0], "AppData", "Roaming", "Crepuscule", "Crepuscule.ini")
    return os.path.join(t.windows_path(folder), "Crepuscule.ini")
