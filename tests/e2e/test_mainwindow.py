"""The main window driven with the real mouse."""
from harness import case, check, equal


@case(version="winxp", relay=["Shell_NotifyIconA", "ExitWindowsEx", "SetSystemPowerState"])
def cancel_when_idle_quits(t):
    p = t.start()
    t.wait_main_window()
    t.screenshot("main-idle")
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")
    equal([c.func for c in p.calls("ExitWindowsEx", "SetSystemPowerState")], [], "power calls")
