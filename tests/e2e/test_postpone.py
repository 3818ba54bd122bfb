"""Postponing a countdown (countdown window, tray menu, a second copy) and a
start that waits for another program to end."""
import os
import shutil
import subprocess
import time

from common import BOXES, MAIN, POWER, names, shown_time
from harness import WINE, case, check, equal, wait_until

SHUTDOWN_MENU = ["&Restaurer Crepuscule", "-", "Re&porter de 10 minutes", "A&nnuler l'Arrêt",
                 "Qui&tter Crepuscule"]


def minutes_shown(t, minutes, timeout=5):
    """Waits until the main window's minutes read this, the hours zero."""
    def shown():
        return shown_time(t.describe())[:2] == ["00", "%02d" % minutes]
    wait_until(shown, timeout, lambda: "time shown %s, %d minutes expected" % (shown_time(t.describe()), minutes))


def still_counting_after(t, p, seconds):
    """No power call until that many seconds after start-up, and the countdown still runs."""
    started = p.wait_call("InitCommonControls", 10).time
    time.sleep(max(0.0, started + seconds - (time.monotonic() - p.started)))
    equal(names(p, POWER), [], "power calls %ds after a 12-second countdown began" % seconds)
    equal(t.describe().timers[("MainForm", "Timer1")]["enabled"], "1", "countdown running")


@case(version="winxp", relay=["InitCommonControls"] + POWER)
def postpone_from_window_and_tray(t):
    p = t.start("-a", "-t:0,0,12")
    window = t.wait_describe("form|TimeStart|").caption("TimeStart")
    t.click_child(window, "+10 min")
    minutes_shown(t, 10)
    t.screenshot("postpone-%s-window" % t.session.arch)
    # Shown again for its first seconds: gone before the menu opens, so that it takes no key of the menu's.
    t.wait_gone(window)
    menu = t.tray_menu("MnuShutR")
    equal(menu["items"], SHUTDOWN_MENU, "tray menu during a countdown")
    t.screenshot("postpone-%s-tray-menu" % t.session.arch)
    t.choose_menu_item("Re&porter de 10 minutes")
    minutes_shown(t, 20)
    still_counting_after(t, p, 21)


@case(version="winxp", relay=["InitCommonControls", "PostMessageA"] + BOXES + POWER)
def postpone_from_second_copy(t):
    p = t.start("-a", "-t:0,0,12")
    t.wait_describe("form|TimeStart|")
    second = t.start("-reporter:10")
    check(second.wait_exit(10) is not None, "the second copy still runs")
    equal(second.wait_call("PostMessageA", 1).u32(2), 10, "minutes passed to the first copy")
    equal((names(second, POWER), second.boxes()), ([], []), "power calls and boxes of the second copy")
    minutes_shown(t, 10)
    still_counting_after(t, p, 21)


def start_task(t, seconds):
    """tache.exe (the test helper under that name) runs for that many seconds."""
    path = os.path.join(t.prefix, "drive_c", "tache.exe")
    shutil.copyfile(t.session.wintool, path)
    return subprocess.Popen([WINE, path, "sleep", str(seconds)], env=t.env(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


@case(version="winxp", relay=BOXES + POWER)
def wait_for_task_then_shut_down(t):
    task = start_task(t, 10)
    time.sleep(3)  # Wine starts it; were it not running yet, the program would say so in a box
    p = t.start("-a", "-t:0,0,2", "-attendre:tache.exe")
    equal(t.tray_tip(), "En attente de la fin de tache.exe", "tip while waiting")
    check(not t.visible(MAIN), "main window shown while waiting")
    task.wait(20)
    ended = time.monotonic() - p.started
    equal(names(p, POWER), [], "power calls while tache.exe ran")
    done = p.wait_call("ExitWindowsEx", 10)
    check(done.time - ended <= 6, "shutdown %.1fs after tache.exe ended" % (done.time - ended))
    time.sleep(2)
    equal(names(p, POWER), ["ExitWindowsEx"], "power calls")
    equal(p.boxes(), [], "message boxes")


@case(version="winxp", relay=BOXES + POWER)
def wait_for_absent_program(t):
    p = t.start("-a", "-t:0,0,2", "-attendre:tache.exe")
    t.expect_box(p, "Aucun programme tache.exe n'est en cours : rien n'est programmé.", "Crepuscule", 48,
                 "absent program")
    t.wait_main_window()
    time.sleep(4)
    equal(names(p, POWER), [], "power calls")
    check(p.running(), "the program ended")
