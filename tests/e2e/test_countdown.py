"""The countdown from the command line, and the settings file seen from outside."""
import os

from common import BOXES, POWER, PRIVILEGE, names
from harness import case, check, equal

DEFAULTS = b"S5.5\0\0\0\0\0"


def settings_path(t, system_dir):
    return os.path.join(t.windows_path(system_dir), "Crepuscule.ini")


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
    equal(t.read_bytes(settings_path(t, "system32")), b"S5.5\0\0\x05\0\0", "settings file after the countdown")


@case(version="winxp", relay=POWER)
def countdown_remembers_its_delay(t):
    p = t.start("-r", "-t:1,2,3")
    expected = b"S5.5\0\0\x03\x02\x01"
    equal(t.wait_bytes(settings_path(t, "system32"), expected), expected,
          "settings file with a 1:02:03 restart countdown running")
    check(p.running(), "the program ended during a one-hour countdown")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=POWER)
def first_start_creates_settings_xp(t):
    path = settings_path(t, "system32")
    check(not os.path.exists(path), "the fresh prefix already has %s" % path)
    p = t.start()
    t.wait_main_window()
    equal(t.wait_bytes(path, DEFAULTS), DEFAULTS, "settings file made at the first start")
    check(not os.path.exists(t.windows_path("system")), "a System folder appeared on Windows XP")
    equal(names(p, POWER), [], "power calls")


@case(version="win98", relay=POWER)
def first_start_creates_settings_win98(t):
    os.makedirs(t.windows_path("system"))
    p = t.start()
    t.wait_main_window()
    equal(t.wait_bytes(settings_path(t, "system"), DEFAULTS), DEFAULTS, "settings file made at the first start")
    check(not os.path.exists(settings_path(t, "system32")), "settings file written to system32 on Windows 98")
    equal(names(p, POWER), [], "power calls")


@case(version="win98", relay=POWER)
def missing_system_folder_win98(t):
    # The file cannot be made at all: the program still starts, idle.
    p = t.start()
    t.wait_main_window()
    check(p.running(), "the program ended")
    check(not os.path.exists(settings_path(t, "system32")), "settings file written to system32 on Windows 98")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=PRIVILEGE + POWER)
def settings_act_at_once(t):
    # Counter disabled (bit 6) and Shutdown as the start-up action (bit 4).
    path = settings_path(t, "system32")
    with open(path, "wb") as f:
        f.write(b"S5.5\x50\x00\x00\x00\x00")
    p = t.start()
    c = p.wait_call("ExitWindowsEx", 15)
    equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx from the stored options")
    check(p.wait_exit(15) is not None, "the program still runs after the immediate shutdown")
    equal(t.read_bytes(path), b"S5.5\x50\x00\x00\x00\x00", "settings file after reading")


@case(version="winxp", relay=POWER)
def foreign_settings_are_reset(t):
    # Differs from the tag in letter case only, and every option bit is set:
    # read as it stands it would start minimised and shut down at once.
    path = settings_path(t, "system32")
    with open(path, "wb") as f:
        f.write(b"s5.5\xff\x1f\x01\x02\x03")
    p = t.start()
    t.wait_main_window()
    equal(t.wait_bytes(path, DEFAULTS), DEFAULTS, "settings file after a foreign one was read")
    equal(names(p, POWER), [], "power calls")


def check_idle(t):
    d = t.wait_describe("ctl|MainForm|Titre|Arrêter l'ordinateur|")
    check(d.visible("MainForm"), "main window not back after the cancel")
    equal([d.caption("MainForm", n) for n in ("TxtH", "TxtM", "TxtS")], ["00"] * 3, "time shown after the cancel")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "0", "countdown running after the cancel")


@case(version="winxp", relay=BOXES + POWER)
def cancel_from_countdown_window(t):
    p = t.start("-r", "-t:0,10,0")
    d = t.wait_describe("form|TimeStart|", timeout=5)
    title = d.caption("TimeStart")
    # The countdown window shows for the first seconds only.
    t.click_child(title, "Annuler")
    text, box_title, flags = p.wait_box()
    equal((text, box_title, flags), ("Redémarrage de l'ordinateur annulé.", "Annulation", 64), "cancel message")
    shown, _ = t.message_box("Annulation")
    equal(shown, text, "text on screen")
    t.key_to("Annulation", "Return")
    check_idle(t)
    # The delay stays remembered after the cancel.
    equal(t.read_bytes(settings_path(t, "system32")), b"S5.5\0\0\0\x0a\0", "settings file")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=BOXES + POWER)
def cancel_from_tray_menu(t):
    p = t.start("-v", "-t:0,10,0")
    t.wait_describe("form|TimeStart|")
    t.click_tray_icon(button=3)
    menu = t.wait_describe("menu|MnuCloseR|").menu
    equal(menu["items"], ["&Restaurer Crepuscule", "-", "A&nnuler la mise en Veille", "Qui&tter Crepuscule"],
          "tray menu during a countdown")
    t.choose_menu_item("A&nnuler la mise en Veille")
    equal(p.wait_box(), ("Mise en Veille prolongée annulée.", "Annulation", 64), "cancel message")
    t.message_box("Annulation")
    t.key_to("Annulation", "Return")
    check_idle(t)
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=POWER)
def last_delay_setting_starts_the_countdown(t):
    # "Start with the last delay used" (bit 5) and a last delay of 0:10:00.
    with open(settings_path(t, "system32"), "wb") as f:
        f.write(b"S5.5\x20\x00\x00\x0a\x00")
    p = t.start("-r")
    d = t.wait_describe("ctl|MainForm|Titre|Redémarrage de l'ordinateur...|")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "1", "countdown running")
    check(d.caption("MainForm", "TxtM") in ("09", "10"), "minutes shown: %r" % d.caption("MainForm", "TxtM"))
    equal(names(p, POWER), [], "power calls")


ES_CONTINUOUS, ES_SYSTEM_REQUIRED = 0x80000000, 0x1


@case(version="winxp", relay=["SetThreadExecutionState"] + POWER)
def countdown_keeps_the_machine_awake_until_cancelled(t):
    p = t.start("-a", "-t:0,10,0", "-noconfirm")
    taken = p.wait_call("SetThreadExecutionState", 10)
    equal(taken.u32(0), ES_CONTINUOUS | ES_SYSTEM_REQUIRED, "wake request when the countdown starts")
    t.wait_window("Arrêt ...")
    t.click_child("Arrêt ...", "Annuler")
    check_idle(t)
    released = p.wait_call("SetThreadExecutionState", 5, where=lambda c: c is not taken)
    equal(released.u32(0), ES_CONTINUOUS, "wake request let go by the cancel")
    equal([c.u32(0) for c in p.calls("SetThreadExecutionState")], [ES_CONTINUOUS | ES_SYSTEM_REQUIRED, ES_CONTINUOUS],
          "wake requests")
    equal(names(p, POWER), [], "power calls")
