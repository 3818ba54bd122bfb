"""The notification-area icon and the countdown window, driven with the real mouse."""
import re
import time

from common import BOXES, POWER, names
from harness import case, check, equal

@case(version="winxp", relay=POWER)
def tray_menu_opens_the_delay_dialog_then_quits(t):
    # The notification calls in order, at start and at the end: TrayTest, TrayMenuTest.
    p = t.start()
    t.wait_main_window()
    equal(t.tray_tip(), "Crepuscule", "idle tip")

    t.tray_menu("MnuFichier")
    t.screenshot("tray-menu-idle")
    t.choose_menu_item("&Arrêter")
    t.wait_window("Arrêter l'ordinateur")
    t.click_child("Arrêter l'ordinateur", "Annuler")
    t.wait_gone("Arrêter l'ordinateur")

    t.tray_menu("MnuFichier")
    t.choose_menu_item("Qui&tter Crepuscule")
    check(p.wait_exit(10) is not None, "the program still runs after Quitter")
    equal(names(p, POWER), [], "power calls")


ES_CONTINUOUS, ES_SYSTEM_REQUIRED = 0x80000000, 0x1


@case(version="winxp", relay=["SetThreadExecutionState"] + BOXES + POWER, timeout=90)
def double_click_shows_the_countdown_window(t):
    p = t.start("-a", "-t:0,2,0")
    taken = p.wait_call("SetThreadExecutionState", 10)
    equal(taken.u32(0), ES_CONTINUOUS | ES_SYSTEM_REQUIRED, "wake request when the countdown starts")
    t.wait_window("Arrêt ...")
    # Five ticks, then the countdown window goes by itself.
    t.wait_gone("Arrêt ...", timeout=10)
    tip = t.tray_tip()
    m = re.fullmatch(r"Arrêt dans 1 minute et (\d+)s \.\.\.", tip)
    check(m and 50 <= int(m.group(1)) <= 56, "tip %r, about 1 minute 54 seconds expected" % tip)

    # In the tray during a countdown "Restaurer" is not the bold item: a double
    # click shows the countdown window instead.
    t.tray_menu("MnuShutR")
    t.choose_menu_item("&Restaurer Crepuscule")
    t.wait_main_window()
    time.sleep(0.5)
    # With the main window on screen, the double click reduces it as well.
    t.click_tray_icon(double=True)
    t.wait_window("Arrêt ...")
    check(not t.describe().visible("MainForm"), "main window on screen beside the countdown window")
    t.screenshot("countdown-window")
    t.click_child("Arrêt ...", "Annuler")
    equal(p.wait_box(), ("Extinction de l'ordinateur annulée.", "Annulation", 64), "cancel message")
    t.close_box("Annulation")
    # Idle again (its digits and timer: CancelTest), the main window back on screen.
    d = t.describe("ctl|MainForm|Titre|Arrêter l'ordinateur|")
    check(d.visible("MainForm") and not d.visible("TimeStart"), "after the cancel: %s" % d.forms)
    # Let go on the cancel. A tick or two more: nothing is left to fire.
    p.wait_call("SetThreadExecutionState", 5, where=lambda c: c is not taken)
    time.sleep(2)
    equal([c.u32(0) for c in p.calls("SetThreadExecutionState")], [ES_CONTINUOUS | ES_SYSTEM_REQUIRED, ES_CONTINUOUS],
          "wake requests")
    equal(names(p, POWER), [], "power calls")

