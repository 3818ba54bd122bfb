"""The main window driven with the real mouse."""
from common import POWER, names
from harness import case, check


@case(version="winxp", relay=POWER)
def cancel_when_idle_quits(t):
    p = t.start()
    t.wait_main_window()
    t.screenshot("main-idle")
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")
    check(not names(p, POWER), "power calls: %s" % names(p, POWER))
