"""What only the real system shows: the window dragged by its title and put
back by a double click, and a legacy shutdown that cannot start."""
import os
import time

from common import BOXES, MAIN, POWER, names
from harness import case, check, equal, wait_until

TITLE_BAR = (2900, 330)


@case(version="winxp", timeout=90)
def a_dragged_window_comes_back_on_a_double_click(t):
    t.start()
    t.wait_main_window()
    window, _ = t.window_rect(MAIN)
    left, _, right, _ = window
    equal(left, (1280 - (right - left)) // 2, "left edge on a 1280-pixel screen")
    t.hover(MAIN, *TITLE_BAR)
    t.xdotool("mousedown", 1)
    t.xdotool("mousemove_relative", "--sync", "--", -300, -200)
    time.sleep(0.3)
    t.xdotool("mouseup", 1)
    moved, _ = t.window_rect(MAIN)
    check(moved[:2] != window[:2], "the window did not move: %s" % moved)
    t.hover(MAIN, *TITLE_BAR)
    t.click(double=True)
    wait_until(lambda: t.window_rect(MAIN)[0] == window, 5,
               lambda: "window at %s after the double click, %s expected" % (t.window_rect(MAIN)[0], window))


@case(version="win98", relay=BOXES + POWER)
def a_legacy_shutdown_that_cannot_start_is_told(t):
    # No rundll32.exe in the Windows directory here: it cannot start.
    check(not os.path.exists(t.windows_path("rundll32.exe")), "the prefix has a rundll32.exe in C:\\windows")
    p = t.start("-a", "-n")
    t.expect_box(p, "Windows a refusé d'arrêter l'ordinateur.", "Crepuscule", 48, "refusal")
    t.wait_main_window()
    check(p.running(), "the program ended as if the shutdown had started")
    equal(names(p, ["ExitWindowsEx", "SetSystemPowerState"]), [], "other power calls")
