"""The countdown on the real clock, and its cancels with the real mouse."""
from common import BOXES, MAIN, POWER, check_idle, names, type_delay
from harness import case, check, equal


@case(version="winxp", relay=["InitCommonControls"] + POWER)
def shutdown_after_five_seconds(t):
    p = t.start("-a", "-t:0,0,5")
    started = p.wait_call("InitCommonControls", 10).time
    done = p.wait_call("ExitWindowsEx", 15)
    equal((done.u32(0), done.u32(1)), (12, 0), "ExitWindowsEx(EWX_POWEROFF + EWX_FORCE, 0)")
    elapsed = done.time - started
    check(4.5 <= elapsed <= 7.5, "shutdown %.2fs after start-up, expected about 5s" % elapsed)
    equal(names(p, POWER), ["ExitWindowsEx"], "power calls")


ES_CONTINUOUS, ES_SYSTEM_REQUIRED = 0x80000000, 0x1
AWAKE = ES_CONTINUOUS | ES_SYSTEM_REQUIRED


def cancel_case(name, switches, typed, where, message):
    """The machine is kept awake while it counts, let go on the cancel."""

    @case(version="winxp", relay=["SetThreadExecutionState"] + BOXES + POWER, name=name)
    def run(t):
        p = t.start(*switches)
        if typed:
            type_delay(t, "shutdown", "Arrêter l'ordinateur", typed)
            t.key("Return")
        taken = p.wait_call("SetThreadExecutionState", 10)
        equal(taken.u32(0), AWAKE, "wake request when the countdown starts")
        if where == "tray":
            t.wait_describe("form|TimeStart|")
            t.tray_menu("MnuCloseR")
            t.choose_menu_item("A&nnuler la mise en Veille")
        else:
            t.wait_describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
            t.click_child(MAIN, "Annuler")
        t.expect_box(p, message, "Annulation", what="cancel message")
        check_idle(t)
        p.wait_call("SetThreadExecutionState", 5, where=lambda c: c is not taken)
        equal([c.u32(0) for c in p.calls("SetThreadExecutionState")], [AWAKE, ES_CONTINUOUS],
              "wake requests (the second lets go)")
        equal(len(p.boxes()), 1, "message boxes")
        equal(names(p, POWER), [], "power calls")


# Name, switches, a delay typed into the Shutdown picture's dialog, where the
# cancel is chosen, the message it gives.
for row in [
    ("cancel_from_tray_menu", ["-v", "-t:0,10,0"], None, "tray", "Mise en Veille prolongée annulée."),
    # -notimediag: the main window stays on screen while it counts.
    ("cancel_from_main_window", ["-notimediag"], "000030", "main", "Extinction de l'ordinateur annulée."),
]:
    cancel_case(*row)
