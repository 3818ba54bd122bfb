"""Paths a curious user takes, each ending well: the tray toggles after
restores, a stale highlight cannot change a running countdown, a time that is
not whole numbers never acts at once, a refused time leaves the tray usable,
one cancel at a time, a refused legacy shutdown is told, and the window stays
on a wide screen."""
import os
import time

from common import BOXES, BUTTONS, MAIN, POWER, check_idle, names, shown_time, type_delay
from harness import case, check, equal, own_display

TITLE_BAR = (2900, 330)
BAD_DELAY_ARG = "L'argument de temps (-t:) est suivi d'une information incorrecte."
TRAY = ["Shell_NotifyIconA"]


def idle_tray_reduces(t, p):
    """The idle menu's bold item reduces the window, and so does a double click; nothing acts."""
    menu = t.tray_menu("MnuFichier")
    equal(menu["default"], "Reduce4", "the idle menu's bold item")
    t.dismiss_menu()
    time.sleep(0.3)
    t.click_tray_icon(double=True)
    t.wait_describe("form|MainForm|Crepuscule|visible=0", timeout=5)
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=POWER, timeout=60)
def restores_from_the_menu_then_a_double_click_reduces(t):
    p = t.start()
    t.wait_main_window()
    for _ in range(2):
        t.tray_menu("MnuFichier")
        t.choose_menu_item("&Réduire Crepuscule")
        t.wait_describe("form|MainForm|Crepuscule|visible=0")
        t.tray_menu("MnuFichierR")
        t.choose_menu_item("Restaurer Crepuscule")
        t.wait_describe("form|MainForm|Crepuscule|visible=1")
        time.sleep(0.5)  # well past the 200 ms guard
    # With the window on screen the menu offers to reduce it, in bold.
    idle_tray_reduces(t, p)


@case(version="winxp", relay=POWER, timeout=90)
def a_stale_highlight_cannot_turn_a_restart_into_a_shutdown(t):
    p = t.start()
    t.wait_main_window()
    t.hover(MAIN, *BUTTONS["shutdown"])
    t.wait_describe("ctl|MainForm|ArreteBrillant||visible=1")
    # Away at once, without crossing the background: the highlight stays up.
    t.move_pointer(1200, 1000)
    time.sleep(0.3)
    type_delay(t, "restart", "Redémarrer l'ordinateur", "000020")
    t.key("Return")
    t.wait_describe("ctl|MainForm|Titre|Redémarrage de l'ordinateur...|")
    t.tray_menu("MnuRebootR")
    t.choose_menu_item("&Restaurer Crepuscule")
    t.wait_main_window()
    d = t.describe()
    check(not d.visible("MainForm", "ArreteBrillant"), "the Shutdown highlight is still up during the countdown")
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    time.sleep(1)
    check("form|TimeForm|" not in t.describe().text, "a click on Shutdown opened the delay dialog mid-countdown")
    done = p.wait_call("ExitWindowsEx", 30)
    equal((done.u32(0), done.u32(1)), (6, 0), "ExitWindowsEx(EWX_REBOOT + EWX_FORCE, 0)")


def not_whole_numbers(name, args):
    @case(version="winxp", relay=BOXES + POWER, name=name)
    def run(t):
        p = t.start(*args)
        equal(p.wait_box(), (BAD_DELAY_ARG, "Crepuscule", 64), "message for %s" % " ".join(args))
        t.message_box("Crepuscule")
        time.sleep(1)
        equal(names(p, POWER), [], "power calls")
        t.close_box("Crepuscule")
        # The action is still chosen: its delay dialog opens, nothing acts.
        t.wait_describe("form|TimeForm|")
        equal(names(p, POWER), [], "power calls")


not_whole_numbers("half_an_hour_is_not_now", ["-a", "-t:0.5,0,0"])
not_whole_numbers("the_help_placeholder_is_not_now", ["-r", "-t:hh,mm,ss"])


@case(version="winxp", relay=BOXES + TRAY + POWER, timeout=60)
def a_refused_prepared_time_leaves_the_tray_usable(t):
    p = t.start("-t:99,60,0")
    d = t.wait_describe("ctl|MainForm|TxtM|60|")
    equal(shown_time(d), ["99", "60", "00"], "prepared time")
    t.click_twips(MAIN, *BUTTONS["restart"])
    t.expect_box(p, "Erreur dans le délai", "Information", 48, "refused delay")
    equal(t.tray_tip(), "Crepuscule", "tip once the delay was refused")
    idle_tray_reduces(t, p)


@case(version="winxp", relay=BOXES + POWER, timeout=60)
def one_cancel_at_a_time(t):
    p = t.start("-a", "-t:0,10,0")
    t.wait_window("Arrêt ...")
    t.click_child("Arrêt ...", "Annuler")
    equal(p.wait_box(), ("Extinction de l'ordinateur annulée.", "Annulation", 64), "cancel message")
    t.message_box("Annulation")
    # The box waits; the tray's own cancel is tried meanwhile.
    t.tray_menu("MnuShutR")
    t.choose_menu_item("A&nnuler l'Arrêt")
    time.sleep(1.5)
    equal(len(p.boxes()), 1, "cancel boxes")
    # The menu took the keyboard away from the box: OK with the mouse.
    t.click_child("Annulation", "OK")
    t.wait_gone("Annulation")
    check_idle(t)
    time.sleep(1)
    equal(t.visible("Annulation"), [], "a second box")
    equal(len(p.boxes()), 1, "cancel boxes")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=BOXES + POWER)
def a_negative_field_is_an_error_not_zero(t):
    p = t.start()
    type_delay(t, "shutdown", "Arrêter l'ordinateur", "0005-5")
    t.key("Return")
    t.expect_box(p, "Erreur dans le délai", "Information", 48, "00:05:-5")
    d = t.wait_describe("ctl|TimeForm|txtSeconde|")
    equal([d.caption("TimeForm", n) for n in ("txtHeure", "txtMinute", "txtSeconde")], ["00"] * 3, "fields")
    equal(names(p, POWER), [], "power calls")


@case(version="win98", relay=BOXES + POWER)
def a_legacy_shutdown_that_cannot_start_is_told(t):
    # No rundll32.exe in the Windows directory here: it cannot start.
    check(not os.path.exists(t.windows_path("rundll32.exe")), "the prefix has a rundll32.exe in C:\\windows")
    p = t.start("-a", "-n")
    t.expect_box(p, "Windows a refusé d'arrêter l'ordinateur.", "Crepuscule", 48, "refusal")
    t.wait_main_window()
    check(p.running(), "the program ended as if the shutdown had started")
    equal(names(p, ["ExitWindowsEx", "SetSystemPowerState"]), [], "other power calls")


@case(version="winxp", timeout=90)
def a_wide_screen_keeps_the_window_on_it(t):
    with own_display(t, 3840, 1080):
        t.start()
        t.wait_main_window()
        window, _ = t.window_rect(MAIN)
        left, top, right, bottom = window
        width, height = right - left, bottom - top
        equal(left, (3840 - width) // 2, "left edge")
        check(0 <= top and bottom <= 1080, "window at %s on a 3840x1080 screen" % window)
        t.screenshot("wide-screen")
        # Dragged away by its title, then a double click on it puts it back.
        t.hover(MAIN, *TITLE_BAR)
        t.xdotool("mousedown", 1)
        t.xdotool("mousemove_relative", "--sync", "--", -300, -200)
        time.sleep(0.3)
        t.xdotool("mouseup", 1)
        moved, _ = t.window_rect(MAIN)
        check(moved[:2] != window[:2], "the window did not move: %s" % moved)
        t.hover(MAIN, *TITLE_BAR)
        t.click(double=True)
        deadline = time.monotonic() + 5
        while t.window_rect(MAIN)[0] != window and time.monotonic() < deadline:
            time.sleep(0.2)
        equal(t.window_rect(MAIN)[0], window, "window after the double click")
