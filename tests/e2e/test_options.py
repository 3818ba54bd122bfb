"""The options dialog saved with the real mouse, and the action buttons' balloons."""
import os
import time

from common import POWER, names
from harness import case, check, equal

OPTIONS = "Options de Crepuscule"
BEEPS = ["MessageBeep", "Beep"]


def settings_path(t):
    return os.path.join(t.windows_path("system32"), "Crepuscule.ini")


def seconds_of_day(h, m, s):
    return int(h) * 3600 + int(m) * 60 + int(s)


@case(version="winxp", relay=BEEPS + POWER, timeout=90)
def saved_options_act_at_next_start(t):
    p = t.start()
    t.wait_main_window()
    t.click_child("Crepuscule", "Options")
    t.wait_window(OPTIONS)
    d = t.describe()
    equal([d.controls[("OptionsForm", n)]["value"] for n in ("CheckSilence", "HourMode")], ["0", "0"],
          "boxes before the clicks")
    t.click_child(OPTIONS, "Mode Silence")
    t.click_child(OPTIONS, "Toujours utiliser le mode horaire")
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    # Silence is bit 0 of byte 4, the clock-time mode bit 1 of byte 5.
    expected = b"S5.5\x01\x02\0\0\0"
    equal(t.wait_bytes(settings_path(t), expected), expected, "settings file after Enregistrer")
    equal(t.describe().forms["MainForm"].get("enabled"), "1", "main window enabled after the dialog")
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler in the idle window")

    # Next start: the delay dialog opens in clock-time mode, proposing now + 5:02.
    p = t.start("-a")
    d = t.wait_describe("form|TimeForm|")
    now = time.localtime()
    equal(d.controls[("TimeForm", "WithTime")]["value"], "1", "Horaire... ticked at the next start")
    fields = [d.caption("TimeForm", n) for n in ("txtHeure", "txtMinute", "txtSeconde")]
    proposed = seconds_of_day(*fields)
    ahead = (proposed - seconds_of_day(now.tm_hour, now.tm_min, now.tm_sec)) % 86400
    check(299 <= ahead <= 304, "proposed clock time %s is %ds ahead, 302 expected" % (":".join(fields), ahead))

    # Back to a delay of three seconds: silence means no beep in the final seconds.
    t.click_child("Arrêter l'ordinateur", "Horaire...")
    d = t.wait_describe("ctl|TimeForm|WithTime|Horaire...|visible=1|enabled=1|value=0")
    equal([d.caption("TimeForm", n) for n in ("txtHeure", "txtMinute", "txtSeconde")], ["00"] * 3,
          "fields after unticking")
    t.click_child("Arrêter l'ordinateur", "00")
    t.type_text("000003")
    t.key("Return")
    c = p.wait_call("ExitWindowsEx", 15)
    equal((c.u32(0), c.u32(1)), (12, 0), "ExitWindowsEx at the end of the countdown")
    equal(names(p, BEEPS), [], "beeps in silent mode")
    equal(t.read_bytes(settings_path(t)), b"S5.5\x01\x02\x03\0\0", "settings file with the last delay")


# Centres of the action pictures, in twips from the main window's top-left.
SHUTDOWN_BUTTON = (2640 + 247, 1080 + 247)
# The title ("Programmer l'arrêt de l'ordinateur") is drawn, but no message
# reads it from another process: the screenshot shows it.
SHUTDOWN_BALLOON = (" \r\nArrêtez Windows (c'est bon pour le moral) ce qui vous permettra\r\nde mettre votre "
                    "ordinateur hors tension en toute sécurité sans\r\nmême y penser.")


def hover(t, title, x_twips, y_twips):
    """Rests the pointer on a point of a window (twips from its client area's top-left)."""
    _, client = t.window_rect(title)
    x, y = client[0] + round(x_twips / 15), client[1] + round(y_twips / 15)
    t.xdotool("mousemove", "--sync", x, y)
    # A second small move: the tooltip tracks motion, not the pointer's arrival.
    time.sleep(0.2)
    t.xdotool("mousemove", "--sync", x + 1, y)


def wait_balloon(t, pid, timeout=5):
    """The visible tooltip window of the program, with its text (WM_GETTEXT of a
    Wine tooltip answers the text it shows)."""
    deadline = time.monotonic() + timeout
    while True:
        shown = [w for w in t.windows()
                 if w["class"].lower() == "tooltips_class32" and w["visible"] and w["pid"] == pid]
        if shown:
            return shown[0]
        check(time.monotonic() < deadline, "no balloon shown within %ss" % timeout)
        time.sleep(0.2)


@case(version="winxp", relay=["CreateWindowExA", "SendMessageA"] + POWER)
def balloon_over_the_shutdown_button(t):
    p = t.start()
    main = t.wait_main_window()
    # Three balloon tooltips, one per action picture.
    made = [c for c in p.calls("CreateWindowExA") if c.text(1) == "Tooltips_Class32"]
    equal(len(made), 3, "tooltip windows made")
    for c in made:
        equal(c.u32(3), 0x40 | 0x02, "tooltip style (TTS_BALLOON + TTS_NOPREFIX)")
    titles = [c for c in p.calls("SendMessageA") if c.u32(1) == 0x420]
    equal([c.u32(2) for c in titles], [1, 1, 1], "title icons (TTI_INFO)")

    hover(t, "Crepuscule", *SHUTDOWN_BUTTON)
    balloon = wait_balloon(t, main["pid"])
    equal(balloon["caption"], SHUTDOWN_BALLOON, "balloon text")
    t.screenshot("balloon-shutdown")
    # The balloon goes with the pointer, and nothing else happened.
    t.xdotool("mousemove", "--sync", 5, 1000)
    deadline = time.monotonic() + 5
    while [w for w in t.windows() if w["class"].lower() == "tooltips_class32" and w["visible"]
           and w["pid"] == main["pid"]]:
        check(time.monotonic() < deadline, "balloon still shown after the pointer left")
        time.sleep(0.2)
    equal(names(p, POWER), [], "power calls")
