"""Everything by keyboard alone, and what a screen reader reads."""
import re
import time

from common import MAIN, OPTIONS, POWER, names
from harness import case, check, equal

COUNTDOWN = "Arrêt ..."
# Each action's delay dialog on XP, in the order the actions stand from left to right, then the options.
DIALOGS = [("sleep", "Mise en Veille prolongée"), ("shutdown", "Arrêter l'ordinateur"),
           ("restart", "Redémarrer l'ordinateur"), ("options", OPTIONS)]


@case(version="winxp", relay=POWER, timeout=120)
def keys_only_open_each_action(t):
    p = t.start()
    t.wait_main_window()
    # Tab from the window's first focus reaches the actions, then Options, in turn; Enter opens
    # the dialog, Escape closes it and gives the focus back to that button.
    for button, dialog in DIALOGS:
        t.key_to(MAIN, "Tab")
        time.sleep(0.5)  # the focus mark is drawn
        t.screenshot("focus-" + button)
        t.key("Return")
        t.wait_window(dialog)
        t.key_to(dialog, "Escape")
        t.wait_gone(dialog)
    check(p.proc.poll() is None, "the program ended")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=POWER)
def screen_reader_names(t):
    # A prepared time shows in the digits; Alt+A then starts it at once.
    p = t.start("-t:0,10,30")
    t.wait_main_window()
    main = t.accessible_names(MAIN)
    for name in ("Veille prolongée", "Arrêter", "Redémarrer", "00:10:30", "Options", "Annuler"):
        check(name in main, "%r not read in the main window: %s" % (name, main))
    t.key_to(MAIN, "alt+a")
    # The countdown window closes by itself after five seconds; Escape closes it
    # at once, as its close box does, and the countdown goes on.
    t.wait_window(COUNTDOWN)
    shown = time.time()
    t.key_to(COUNTDOWN, "Escape")
    t.wait_gone(COUNTDOWN, timeout=2)
    check(time.time() - shown < 3.5, "the countdown window went only after %.1fs" % (time.time() - shown))
    equal(t.describe().timers[("MainForm", "Timer1")]["enabled"], "1", "countdown running")
    # Brought back from the tray, it reads its words.
    t.click_tray_icon(double=True)
    words = t.accessible_names(COUNTDOWN)
    check(any(re.fullmatch(r"Arrêt dans 10 minutes et \d+ secondes\.", n) for n in words),
          "the countdown window's words not read: %s" % words)
    check("Annuler" in words, "no Annuler in %s" % words)
    equal(names(p, POWER), [], "power calls")
