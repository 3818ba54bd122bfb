"""The main window driven with the real mouse."""
from common import BOXES, POWER, PRIVILEGE, names
from harness import case, check, equal


@case(version="winxp", relay=POWER)
def cancel_when_idle_quits(t):
    p = t.start()
    t.wait_main_window()
    t.screenshot("main-idle")
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")
    check(not names(p, POWER), "power calls: %s" % names(p, POWER))


# Middle of the Shutdown picture (left, top + half its 495 twips).
SHUTDOWN_BUTTON = (2640 + 247, 1080 + 247)
DIALOG = "Arrêter l'ordinateur"


def choose_shutdown_and_type(t, seconds):
    """Clicks the Shutdown picture with the mouse, then types a delay into the
    dialog: the fields advance by themselves after two characters."""
    t.wait_main_window()
    t.click_twips("Crepuscule", *SHUTDOWN_BUTTON)
    t.wait_describe("form|TimeForm|")
    t.wait_window(DIALOG)
    t.key_to(DIALOG, "Tab")  # from the start button to the hours
    t.type_text("0000%02d" % seconds)


@case(version="winxp", relay=PRIVILEGE + POWER)
def shutdown_button_counts_down_then_acts(t):
    p = t.start()
    choose_shutdown_and_type(t, 5)
    t.key("Return")
    d = t.wait_describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
    check(d.timers[("MainForm", "Timer1")]["enabled"] == "1", "no countdown after Enter")
    t.screenshot("main-countdown")
    check(not names(p, POWER), "power call before zero: %s" % names(p, POWER))
    done = p.wait_call("ExitWindowsEx", 15)
    equal((done.u32(0), done.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
    equal(names(p, PRIVILEGE + POWER), PRIVILEGE + ["ExitWindowsEx"], "privilege and power calls")


@case(version="winxp", relay=BOXES + POWER)
def main_annuler_cancels_the_countdown(t):
    p = t.start("-notimediag")  # the main window stays on screen while it counts
    choose_shutdown_and_type(t, 30)
    t.key("Return")
    t.wait_describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
    t.click_child("Crepuscule", "Annuler")
    equal(p.wait_box(), ("Extinction de l'ordinateur annulée.", "Annulation", 64), "cancel message")
    t.message_box("Annulation")
    t.key_to("Annulation", "Return")
    d = t.wait_describe("ctl|MainForm|Titre|Arrêter l'ordinateur|")
    check(d.visible("MainForm"), "main window not back after the cancel")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "0", "countdown running after the cancel")
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=BOXES + PRIVILEGE + POWER)
def zero_delay_confirmed_acts_at_once(t):
    p = t.start()
    choose_shutdown_and_type(t, 0)
    t.key("Return")
    equal(p.wait_box(), ("Êtes-vous certain de vouloir arrêter immédiatement ?", "Info Temps", 33),
          "zero-delay question")
    t.message_box("Info Temps")
    t.key_to("Info Temps", "Return")  # OK
    done = p.wait_call("ExitWindowsEx", 10)
    equal((done.u32(0), done.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
