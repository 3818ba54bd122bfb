"""Postponing from a second copy, and a start that waits for another program to end."""
import os
import shutil
import subprocess
import time

from common import BOXES, MAIN, POWER, names
from harness import WINE, case, check, equal, wait_until


@case(version="winxp", relay=BOXES + POWER)
def postpone_from_second_copy(t):
    p = t.start("-a", "-t:0,0,12")
    t.describe("form|TimeStart|")
    second = t.start("-reporter:10")
    check(second.wait_exit(10) is not None, "the second copy still runs")
    equal((names(second, POWER), second.boxes()), ([], []), "power calls and boxes of the second copy")

    def shown():  # hours and minutes
        return [t.describe().caption("MainForm", n) for n in ("TxtH", "TxtM")]

    wait_until(lambda: shown() == ["00", "10"], 5, lambda: "time shown %s, 10 minutes expected" % shown())
    equal(names(p, POWER), [], "power calls")


@case(version="winxp", relay=BOXES + POWER)
def wait_for_task_then_shut_down(t):
    # tache.exe, the test helper under that name, runs for ten seconds.
    path = os.path.join(t.prefix, "drive_c", "tache.exe")
    shutil.copyfile(t.session.wintool, path)
    task = subprocess.Popen([WINE, path, "sleep", "10"], env=t.env(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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
