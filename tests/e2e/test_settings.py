"""Where the options are kept from Vista on: the user's own folder, never the
Windows directory, which a standard user may not write there."""
import os

from common import BOXES, DEFAULTS, OPTIONS, POWER, names, settings_path
from harness import case, check, equal, user_path

FILES = ["CreateFileA", "CreateDirectoryA"]
WRITE_ACCESS = 0x40000000 | 0x10000000 | 0x2 | 0x4  # GENERIC_WRITE, GENERIC_ALL, FILE_WRITE_DATA, FILE_APPEND_DATA
GENERIC_READ = 0x80000000
OPEN_EXISTING, OPEN_ALWAYS = 3, 4


def windows_directory_writes(program):
    """Calls that create a folder, or create or open for writing a file, under C:\\windows."""
    return [c for c in program.calls(*FILES)
            if (c.text(0) or "").lower().startswith("c:\\windows")
            and (c.func == "CreateDirectoryA" or c.u32(1) & WRITE_ACCESS or c.u32(4) != OPEN_EXISTING)]


def opened_for_writing(program, path):
    return [c for c in program.calls("CreateFileA")
            if (c.text(0) or "").lower() == path.lower() and c.u32(1) & WRITE_ACCESS and c.u32(4) == OPEN_ALWAYS]


@case(version="win10", relay=FILES + BOXES + POWER, timeout=120)
def options_stay_in_the_users_folder_win10(t):
    path = settings_path(t, "appdata")
    check(not os.path.exists(os.path.dirname(path)), "the fresh prefix already has %s" % os.path.dirname(path))
    p = t.start()
    t.wait_main_window()
    t.wait_bytes(path, DEFAULTS, "settings file made at the first start")
    check(opened_for_writing(p, "C:\\users\\%s\\AppData\\Roaming\\Crepuscule\\Crepuscule.ini"
                             % os.path.basename(user_path(t))),
          "no CreateFileA of the file in the user's folder traced: %s" % p.calls("CreateFileA"))
    # The old place is looked at for a copy to start from, read-only.
    old = [c for c in p.calls("CreateFileA") if (c.text(0) or "").lower() == "c:\\windows\\system\\crepuscule.ini"]
    equal([(c.u32(1), c.u32(4)) for c in old], [(GENERIC_READ, OPEN_EXISTING)], "opening of the old copy")

    t.click_child("Crepuscule", "Options")
    t.wait_window(OPTIONS)
    for box in ("Toujours démarrer la même action...", "Mode Silence", "Toujours utiliser le mode horaire"):
        t.click_child(OPTIONS, box)
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    # Shutdown as the start-up action (bit 4) and silence (bit 0); clock-time mode (bit 1 of byte 5).
    expected = b"S5.5\x11\x02\0\0\0"
    t.wait_bytes(path, expected, "settings file after Enregistrer")
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")

    # Next start: the start-up action opens the delay dialog, in clock-time mode.
    again = t.start()
    d = t.wait_describe("form|TimeForm|")
    equal(d.caption("TimeForm"), "Arrêter l'ordinateur", "delay dialog of the stored start-up action")
    equal(d.controls[("TimeForm", "WithTime")]["value"], "1", "clock-time mode at the next start")
    t.click_child("Arrêter l'ordinateur", "Annuler")
    t.wait_gone("Arrêter l'ordinateur")
    t.click_child("Crepuscule", "Options")
    t.wait_window(OPTIONS)
    d = t.describe()
    equal([d.controls[("OptionsForm", n)]["value"] for n in ("SameAction", "CheckSilence", "HourMode")],
          ["1", "1", "1"], "boxes at the next start")
    equal(t.read_bytes(path), expected, "settings file at the next start")

    for program in (p, again):
        equal(windows_directory_writes(program), [], "files created or written under C:\\windows")
    for folder in ("system", "system32"):
        check(not os.path.exists(settings_path(t, folder)), "a file in C:\\windows\\%s" % folder)
    equal(names(p, POWER) + names(again, POWER), [], "power calls")


@case(version="win10", relay=FILES + POWER)
def virtualised_options_move_to_the_users_folder_win10(t):
    # Where Windows kept the file of the old program, which it virtualised.
    old = user_path(t, "AppData", "Local", "VirtualStore", "windows", "System", "Crepuscule.ini")
    os.makedirs(os.path.dirname(old))
    stored = b"S5.5\x01\x02\0\x0a\0"
    with open(old, "wb") as f:
        f.write(stored)
    p = t.start()
    t.wait_main_window()
    t.wait_bytes(settings_path(t, "appdata"), stored, "settings file started from the virtualised copy")
    equal(t.read_bytes(old), stored, "the virtualised copy")
    equal(windows_directory_writes(p), [], "files created or written under C:\\windows")
    equal(names(p, POWER), [], "power calls")
