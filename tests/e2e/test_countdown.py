"""The countdown and its cancels, and the settings file seen from outside."""
import os

from common import (BOXES, DEFAULTS, MAIN, POWER, PRIVILEGE, check_idle, names, settings_path, type_delay,
                    write_settings)
from harness import case, check, equal


@case(version="winxp", relay=["InitCommonControls"] + PRIVILEGE + POWER)
def shutdown_after_five_seconds(t):
    p = t.start("-a", "-t:0,0,5")
    started = p.wait_call("InitCommonControls", 10).time
    done = p.wait_call("ExitWindowsEx", 15)
    equal((done.u32(0), done.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
    elapsed = done.time - started
    check(4.5 <= elapsed <= 7.5, "shutdown %.2fs after start-up, expected about 5s" % elapsed)
    order = names(p, PRIVILEGE + POWER)
    equal(order, PRIVILEGE + ["ExitWindowsEx"], "privilege and power calls")
    # The delay started is remembered: seconds, minutes, hours at offsets 6 to 8.
    equal(t.read_bytes(settings_path(t)), b"S5.5\0\0\x05\0\0", "settings file after the countdown")


def first_start(name, version, system_folder, folder):
    @case(version=version, relay=POWER, name=name)
    def run(t):
        if system_folder:
            os.makedirs(t.windows_path("system"))
        check(not os.path.exists(settings_path(t, folder or "system")), "a settings file in the fresh prefix")
        p = t.start()
        t.wait_main_window()
        if folder:
            t.wait_bytes(settings_path(t, folder), DEFAULTS, "settings file made at the first start")
        # Without a System folder on Windows 98 the file cannot be made at all:
        # the program still starts, idle.
        check(p.running(), "the program ended")
        for other in {"system", "system32"} - {folder}:
            check(not os.path.exists(settings_path(t, other)), "settings file written to %s" % other)
        equal(os.path.exists(t.windows_path("system")), system_folder, "a System folder in C:\\windows")
        equal(names(p, POWER), [], "power calls")


# Name, version, whether C:\windows\system exists, where the file goes (None: nowhere).
for row in [("first_start_creates_settings_xp", "winxp", False, "system32"),
            ("first_start_creates_settings_win98", "win98", True, "system"),
            ("missing_system_folder_win98", "win98", False, None)]:
    first_start(*row)


@case(version="winxp", relay=PRIVILEGE + POWER)
def settings_act_at_once(t):
    # Counter disabled (bit 6) and Shutdown as the start-up action (bit 4).
    path = write_settings(t, b"S5.5\x50\x00\x00\x00\x00")
    p = t.start()
    c = p.wait_call("ExitWindowsEx", 15)
    equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx from the stored options")
    check(p.wait_exit(15) is not None, "the program still runs after the immediate shutdown")
    equal(t.read_bytes(path), b"S5.5\x50\x00\x00\x00\x00", "settings file after reading")


@case(version="winxp", relay=POWER)
def foreign_settings_are_reset(t):
    # Differs from the tag in letter case only, and every option bit is set:
    # read as it stands it would start minimised and shut down at once.
    path = write_settings(t, b"s5.5\xff\x1f\x01\x02\x03")
    p = t.start()
    t.wait_main_window()
    t.wait_bytes(path, DEFAULTS, "settings file after a foreign one was read")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=POWER)
def last_delay_setting_starts_the_countdown(t):
    # "Start with the last delay used" (bit 5) and a last delay of 0:10:00.
    write_settings(t, b"S5.5\x20\x00\x00\x0a\x00")
    p = t.start("-r")
    d = t.wait_describe("ctl|MainForm|Titre|Redémarrage de l'ordinateur...|")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "1", "countdown running")
    check(d.caption("MainForm", "TxtM") in ("09", "10"), "minutes shown: %r" % d.caption("MainForm", "TxtM"))
    equal(names(p, POWER), [], "power calls")


ES_CONTINUOUS, ES_SYSTEM_REQUIRED = 0x80000000, 0x1
AWAKE = ES_CONTINUOUS | ES_SYSTEM_REQUIRED


def cancel_case(name, switches, delay, typed, where, message):
    @case(version="winxp", relay=["SetThreadExecutionState"] + BOXES + POWER, name=name)
    def run(t):
        if typed:
            p = t.start(*switches)
            type_delay(t, "shutdown", "Arrêter l'ordinateur", "%02d%02d%02d" % delay)
            t.key("Return")
        else:
            p = t.start(*switches, "-t:%d,%d,%d" % delay)
        taken = p.wait_call("SetThreadExecutionState", 10)
        equal(taken.u32(0), AWAKE, "wake request when the countdown starts")
        # The delay started is remembered: seconds, minutes, hours at offsets 6 to 8.
        remembered = b"S5.5\0\0" + bytes(reversed(delay))
        t.wait_bytes(settings_path(t), remembered, "settings file with the countdown running")
        if where == "window":
            # The countdown window shows for the first seconds only.
            t.click_child(t.wait_describe("form|TimeStart|", timeout=5).caption("TimeStart"), "Annuler")
        elif where == "tray":
            t.wait_describe("form|TimeStart|")
            menu = t.tray_menu("MnuCloseR")
            equal(menu["items"], ["&Restaurer Crepuscule", "-", "Re&porter de 10 minutes",
                                  "A&nnuler la mise en Veille", "Qui&tter Crepuscule"], "tray menu during a countdown")
            t.choose_menu_item("A&nnuler la mise en Veille")
        else:
            t.wait_describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
            t.click_child(MAIN, "Annuler")
        if message:
            t.expect_box(p, message, "Annulation", what="cancel message")
        check_idle(t)
        p.wait_call("SetThreadExecutionState", 5, where=lambda c: c is not taken)
        equal([c.u32(0) for c in p.calls("SetThreadExecutionState")], [AWAKE, ES_CONTINUOUS],
              "wake requests (the second lets go)")
        equal(t.read_bytes(settings_path(t)), remembered, "settings file after the cancel")
        equal(len(p.boxes()), 1 if message else 0, "message boxes")
        equal(names(p, POWER), [], "power calls")


# Name, switches, delay (h, m, s), typed into the dialog of the Shutdown picture
# rather than given with -t:, where the cancel is chosen, the message it gives.
for row in [
    ("cancel_from_countdown_window", ["-r"], (1, 2, 3), False, "window",
     "Redémarrage de l'ordinateur annulé."),
    ("cancel_from_tray_menu", ["-v"], (0, 10, 0), False, "tray", "Mise en Veille prolongée annulée."),
    # -notimediag: the main window stays on screen while it counts.
    ("cancel_from_main_window", ["-notimediag"], (0, 0, 30), True, "main",
     "Extinction de l'ordinateur annulée."),
    ("cancel_without_confirmation", ["-a", "-noconfirm"], (0, 10, 0), False, "window", None),
]:
    cancel_case(*row)


@case(version="winxp", relay=BOXES + PRIVILEGE + POWER)
def zero_delay_confirmed_acts_at_once(t):
    p = t.start()
    type_delay(t, "shutdown", "Arrêter l'ordinateur", "000000")
    t.key("Return")
    # Return: OK.
    t.expect_box(p, "Êtes-vous certain de vouloir arrêter immédiatement ?", "Info Temps", 33,
                 "zero-delay question")
    done = p.wait_call("ExitWindowsEx", 10)
    equal((done.u32(0), done.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
