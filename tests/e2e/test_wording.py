"""The Sleep action's words on Windows 98, which has no hibernation unless it
is forced: every text names what will happen, from the first second."""
import os

from common import POWER, names
from harness import case, equal
from test_notification import tray_tip
from test_options import BUTTONS, HIBERNATE_TEXT, OPTIONS, STANDBY_TEXT, hover, wait_balloon


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
    equal(tray_tip(t), "Mise en veille dans 10 minutes ...", "first tray tip")
    equal(names(p, POWER), [], "power calls")


@case(version="win98", relay=POWER, timeout=90)
def forced_hibernation_rewords_the_tray_and_balloon_win98(t):
    os.makedirs(t.windows_path("system"), exist_ok=True)
    p = t.start()
    main = t.wait_main_window()
    hover(t, "Crepuscule", *BUTTONS["sleep"])
    equal(wait_balloon(t, main["pid"])["caption"], STANDBY_TEXT, "Sleep balloon before")
    t.click_child("Crepuscule", "Options")
    t.wait_window(OPTIONS)
    t.click_child(OPTIONS, "Forcer la mise en veille prolongée")
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    t.wait_describe("ctl|MainForm|VeilleProlongeeLabel|Veille prolongée|")
    hover(t, "Crepuscule", *BUTTONS["sleep"])
    equal(wait_balloon(t, main["pid"])["caption"], HIBERNATE_TEXT, "Sleep balloon after")
    t.screenshot("balloon-win98-forced-hibernation")
    t.click_tray_icon(button=3)
    menu = t.wait_describe("menu|MnuFichier|").menu
    equal(menu["items"][2], "&Veille Prolongée", "the tray menu's Sleep item")
    equal(names(p, POWER), [], "power calls")
