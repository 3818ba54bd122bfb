"""Start-up: the single instance, -m with "now" waiting for an action, the window's place."""
import time

from common import BOXES, BUTTONS, DIALOG, MAIN, POWER, names
from harness import case, check, equal, wait_until

TITLE_BAR = (2900, 330)


@case(relay=["SetForegroundWindow"] + BOXES + POWER)
def second_instance(t):
    first = t.start(trace=False)
    main = t.wait_main_window()
    # Switches of a second copy are ignored: this one would shut down in 2 s.
    second = t.start("-a", "-t:0,0,2")
    check(second.wait_exit(10) is not None, "the second copy still runs")
    # How it looks for the first copy's window: InstanceTest; the window order it relies on: Win32Test.
    fg = second.wait_call("SetForegroundWindow", 1)
    equal(fg.u32(0), main["hwnd"] & 0xFFFFFFFF, "window brought to the front (the first's main window)")
    equal((names(second, POWER), second.boxes()), ([], []), "power calls and boxes of the second copy")
    check(first.proc.poll() is None, "the first copy ended")
    equal(len(t.visible(MAIN, exclude=("#32770",))), 1, "visible main windows")

    # With the delay dialog open, a third copy brings the dialog forward.
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    t.wait_window(DIALOG)
    third = t.start("-a", "-t:0,0,5")
    check(third.wait_exit(15) is not None, "the third copy still runs")

    wait_until(lambda: [w for w in t.visible(DIALOG) if w["foreground"]], 5,
               lambda: "in front: %s, not the delay dialog" % [w["caption"] for w in t.visible() if w["foreground"]])
    check(t.describe().visible("TimeForm"), "the delay dialog went away")
    equal(names(third, POWER), [], "power calls of the third copy")
    t.key_to(DIALOG, "Escape")
    t.wait_gone(DIALOG)


@case(relay=POWER)
def minimised_start_restores_from_tray_and_now_acts_at_once(t):
    # -m: only in the tray; -n: no delay, the action a button then chooses runs at once.
    p = t.start("-m", "-n")
    t.describe("form|SystrayIcon|")
    equal(t.visible(MAIN, exclude=("#32770",)), [], "main window on screen after -m")
    t.tray_menu("MnuFichierR")
    t.choose_menu_item("Restaurer Crepuscule")
    t.wait_main_window()
    equal(names(p, POWER), [], "power calls before a button is pressed")
    t.click_twips(MAIN, *BUTTONS["restart"])
    c = p.wait_call("ExitWindowsEx", 10)
    equal((c.u32(0), c.u32(1)), (6, 0), "ExitWindowsEx(EWX_REBOOT + EWX_FORCE, 0)")


@case(version="winxp", timeout=90)
def a_dragged_window_comes_back_on_a_double_click(t):
    t.start()
    window = t.wait_main_window()["rect"]
    left, _, right, _ = window
    equal(left, (1280 - (right - left)) // 2, "left edge on a 1280-pixel screen")
    t.hover(MAIN, *TITLE_BAR)
    t.xdotool("mousedown", 1)
    t.xdotool("mousemove_relative", "--sync", "--", -300, -200)
    time.sleep(0.3)
    t.xdotool("mouseup", 1)
    moved = t.wait_window(MAIN)["rect"]
    check(moved[:2] != window[:2], "the window did not move: %s" % moved)
    t.hover(MAIN, *TITLE_BAR)
    t.click(double=True)
    wait_until(lambda: t.wait_window(MAIN)["rect"] == window, 5,
               lambda: "window at %s after the double click, %s expected" % (t.wait_window(MAIN)["rect"], window))
