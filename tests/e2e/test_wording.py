"""The Sleep action's words on Windows 98, which has no hibernation unless it
is forced: every text names what will happen, from the first second."""
import os

from common import BUTTONS, MAIN, OPTIONS, POWER, names
from harness import case, equal
from test_notification import idle_items
from test_options import HIBERNATE_TEXT, STANDBY_TEXT


@case(version="win98", relay=POWER)
def standby_countdown_texts_win98(t):
    os.makedirs(t.windows_path("system"), exist_ok=True)
    # Half a minute over ten: the first tip stays up for thirty seconds.
    p = t.start("-v", "-t:0,10,30")
    # The countdown window shows for the first seconds only.
    d = t.wait_describe("ctl|MainForm|Titre|", timeout=5)
    equal(d.caption("TimeStart"), "Mise en veille ...", "countdown window")
    equal(d.caption("MainForm", "Titre"), "Mise en veille...", "main window title")
    equal(d.caption("MainForm", "VeilleProlongeeLabel"), "Mettre en veille", "Sleep button")
    equal(t.tray_tip(), "Mise en veille dans 10 minutes ...", "first tray tip")
    equal(names(p, POWER), [], "power calls")


@case(version="win98", relay=POWER, timeout=90)
def forced_hibernation_rewords_the_tray_and_balloon_win98(t):
    os.makedirs(t.windows_path("system"), exist_ok=True)
    p = t.start()
    pid = t.wait_main_window()["pid"]
    t.hover(MAIN, *BUTTONS["sleep"], rest=0.2, nudge=True)
    equal(t.balloon_text(pid), STANDBY_TEXT, "Sleep balloon before")
    menu = t.tray_menu("MnuFichier")
    equal(menu["items"], idle_items("Mise en &veille"), "idle tray menu without hibernation")
    t.dismiss_menu()
    t.click_child(MAIN, "Options")
    t.wait_window(OPTIONS)
    t.click_child(OPTIONS, "Forcer la mise en veille prolongée")
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    t.wait_describe("ctl|MainForm|VeilleProlongeeLabel|Veille prolongée|")
    t.hover(MAIN, *BUTTONS["sleep"], rest=0.2, nudge=True)
    equal(t.balloon_text(pid, "balloon-win98-forced-hibernation"), HIBERNATE_TEXT, "Sleep balloon after")
    t.click_tray_icon(button=3)
    # The description keeps the last menu shown: wait for the new one.
    menu = t.wait_describe("menu|MnuFichier|default=Reduce4|&Arrêter;&Redémarrer;&Veille Prolongée;").menu
    equal(menu["items"], idle_items("&Veille Prolongée"), "idle tray menu with hibernation forced")
    equal(names(p, POWER), [], "power calls")
