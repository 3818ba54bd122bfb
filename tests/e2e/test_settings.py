"""Where the options are kept from Vista on: the user's own folder, never the
Windows directory, which a standard user may not write there."""
import os
import time

from common import BEEPS, BUTTONS, DEFAULTS, DIALOG, MAIN, OPTIONS, POWER, names, settings_path
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


def boxes(d):
    return [d.controls[("OptionsForm", n)]["value"] for n in ("SameAction", "CheckSilence", "HourMode")]


def opened_for_writing(program, path):
    return [c for c in program.calls("CreateFileA")
            if (c.text(0) or "").lower() == path.lower() and c.u32(1) & WRITE_ACCESS and c.u32(4) == OPEN_ALWAYS]


def seconds_of_day(h, m, s):
    return int(h) * 3600 + int(m) * 60 + int(s)


@case(version="win10", relay=FILES + BEEPS + POWER, timeout=120)
def saved_options_stay_in_the_users_folder_and_act_at_next_start_win10(t):
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

    t.click_child(MAIN, "Options")
    t.wait_window(OPTIONS)
    equal(boxes(t.describe()), ["0", "0", "0"], "boxes before the clicks")
    for box in ("Toujours démarrer la même action...", "Mode Silence", "Toujours utiliser le mode horaire"):
        t.click_child(OPTIONS, box)
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    # Shutdown as the start-up action (bit 4) and silence (bit 0); clock-time mode (bit 1 of byte 5).
    t.wait_bytes(path, b"S5.5\x11\x02\0\0\0", "settings file after Enregistrer")
    equal(t.describe().forms["MainForm"].get("enabled"), "1", "main window enabled after the dialog")
    t.click_child(MAIN, "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")

    # Next start: the start-up action opens the delay dialog in clock-time mode, proposing now + 5:02.
    again = t.start()
    d = t.wait_describe("form|TimeForm|")
    now = time.localtime()
    equal(d.caption("TimeForm"), DIALOG, "delay dialog of the stored start-up action")
    equal(d.controls[("TimeForm", "WithTime")]["value"], "1", "clock-time mode at the next start")
    fields = [d.caption("TimeForm", n) for n in ("txtHeure", "txtMinute", "txtSeconde")]
    ahead = (seconds_of_day(*fields) - seconds_of_day(now.tm_hour, now.tm_min, now.tm_sec)) % 86400
    check(299 <= ahead <= 304, "proposed clock time %s is %ds ahead, 302 expected"
          % (":".join(fields), ahead))
    t.click_child(DIALOG, "Annuler")
    t.wait_gone(DIALOG)
    t.click_child(MAIN, "Options")
    t.wait_window(OPTIONS)
    equal(boxes(t.describe()), ["1", "1", "1"], "boxes at the next start")
    t.click_child(OPTIONS, "Annuler")
    t.wait_gone(OPTIONS)

    # A delay of three seconds from the Shutdown picture: silence means no beep in the final seconds.
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    t.wait_window(DIALOG)
    t.click_child(DIALOG, "Horaire...")
    d = t.wait_describe("ctl|TimeForm|WithTime|Horaire...|visible=1|enabled=1|value=0")
    equal([d.caption("TimeForm", n) for n in ("txtHeure", "txtMinute", "txtSeconde")], ["00"] * 3,
          "fields after unticking")
    t.click_child(DIALOG, "00")
    t.type_text("000003")
    t.key("Return")
    c = again.wait_call("ExitWindowsEx", 15)
    equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx at the end of the countdown")
    equal(names(again, BEEPS), [], "beeps in silent mode")
    equal(t.read_bytes(path), b"S5.5\x11\x02\x03\0\0", "settings file with the last delay")

    for program in (p, again):
        equal(windows_directory_writes(program), [], "files created or written under C:\\windows")
    for folder in ("system", "system32"):
        check(not os.path.exists(settings_path(t, folder)), "a file in C:\\windows\\%s" % folder)
    equal(names(p, POWER) + names(again, POWER), ["ExitWindowsEx"], "power calls")


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
