"""Windows 10: the options kept in the user's own folder, never in the Windows
directory, which a standard user may not write there; the shell's restart heard."""
import os

from common import BEEPS, DIALOG, MAIN, OPTIONS, POWER, names, settings_path
from harness import case, check, equal

WRITE_ACCESS = 0x40000000 | 0x10000000 | 0x2 | 0x4  # GENERIC_WRITE, GENERIC_ALL, FILE_WRITE_DATA, FILE_APPEND_DATA
OPEN_EXISTING = 3


def windows_directory_writes(program):
    """Calls that create a folder, or create or open for writing a file, under C:\\windows."""
    return [c for c in program.calls("CreateFileA", "CreateDirectoryA")
            if (c.text(0) or "").lower().startswith("c:\\windows")
            and (c.func == "CreateDirectoryA" or c.u32(1) & WRITE_ACCESS or c.u32(4) != OPEN_EXISTING)]


@case(version="win10", relay=["CreateFileA", "CreateDirectoryA", "ChangeWindowMessageFilter"] + BEEPS + POWER,
      timeout=120)
def saved_options_stay_in_the_users_folder_and_act_at_next_start_win10(t):
    path = settings_path(t, "appdata")
    check(not os.path.exists(os.path.dirname(path)), "the fresh prefix already has %s" % os.path.dirname(path))
    p = t.start()
    t.wait_main_window()
    t.wait_bytes(path, b"S5.5\0\0\0\0\0", "settings file made at the first start")
    # The taskbar's restart message (heard: Win32Test) reaches the program even when it runs elevated.
    equal(p.wait_call("ChangeWindowMessageFilter", 5).u32(1), 1, "MSGFLT_ADD")
    t.click_child(MAIN, "Options")
    t.wait_window(OPTIONS)
    for box in ("Toujours démarrer la même action...", "Mode Silence", "Toujours utiliser le mode horaire"):
        t.click_child(OPTIONS, box)
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    # Shutdown as the start-up action (bit 4) and silence (bit 0); clock-time mode (bit 1 of byte 5).
    t.wait_bytes(path, b"S5.5\x11\x02\0\0\0", "settings file after Enregistrer")
    t.click_child(MAIN, "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")

    # Next start: the stored action opens its delay dialog in clock-time mode; unticked, three
    # seconds typed, the shutdown comes without a beep in the final seconds.
    again = t.start()
    d = t.describe("form|TimeForm|")
    equal(d.controls[("TimeForm", "WithTime")]["value"], "1", "clock-time mode at the next start")
    t.click_child(DIALOG, "Horaire...")
    t.describe("ctl|TimeForm|WithTime|Horaire...|visible=1|enabled=1|value=0")
    t.click_child(DIALOG, "00")
    t.type_text("000003")
    t.key("Return")
    again.wait_call("ExitWindowsEx", 15)  # its arguments: the Windows 10 row of test_matrix
    equal(names(again, BEEPS), [], "beeps in silent mode")

    for program in (p, again):
        equal(windows_directory_writes(program), [], "files created or written under C:\\windows")
    equal(names(p, POWER) + names(again, POWER), ["ExitWindowsEx"], "power calls")
