"""The options dialog saved with the real mouse, and the action buttons' balloons."""
import time

from common import BEEPS, BOXES, BUTTONS, OPTIONS, POWER, check_balloons_made, names, settings_path, write_settings
from harness import case, check, equal, immutable


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
    t.wait_bytes(settings_path(t), b"S5.5\x01\x02\0\0\0", "settings file after Enregistrer")
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


@case(version="winxp", relay=BOXES + POWER, timeout=90)
def unwritable_settings_keep_the_dialog_open(t):
    path = write_settings(t, b"S5.5\0\0\x05\0\0")
    with immutable(path):
        p = t.start()
        t.wait_main_window()
        t.click_child("Crepuscule", "Options")
        t.wait_window(OPTIONS)
        # A file that may only be read is still read.
        equal(t.describe().controls[("OptionsForm", "TimeControl")]["caption"], "00:00:05", "last delay shown")
        t.click_child(OPTIONS, "Mode Silence")
        t.click_child(OPTIONS, "Enregistrer")
        expected = ("Erreur lors de la sauvegarde. Le fichier C:\\windows\\System32\\Crepuscule.ini ne peut pas "
                    "être modifié.\r\rLes options n'ont pas été enregistrées.", "Erreur", 48)
        equal(p.wait_box(), expected, "message box of a save that could not be written")
        _, buttons = t.message_box("Erreur")
        equal(buttons, ["OK"], "buttons of the message box")
        t.key_to("Erreur", "Return")
        t.wait_gone("Erreur")
        d = t.describe()
        check(d.visible("OptionsForm"), "the options dialog closed although nothing was saved")
        equal(d.controls[("OptionsForm", "CheckSilence")]["value"], "1", "the choice kept in the dialog")
        equal(t.read_bytes(path), b"S5.5\0\0\x05\0\0", "the unwritable file")
    # Writable again: the same click saves and closes. The pointer leaves the
    # button first: a synchronous move to where it already is waits in vain.
    t.move_pointer(5, 1000)
    t.click_child(OPTIONS, "Enregistrer")
    t.wait_gone(OPTIONS)
    t.wait_bytes(path, b"S5.5\x01\0\x05\0\0", "settings file after the second Enregistrer")
    equal(len(p.boxes()), 1, "message boxes")
    equal(names(p, POWER), [], "power calls")


# Balloon texts as shown ("|" became a line break). The titles are drawn (see
# the screenshots) but no message reads them from another process.
SHUTDOWN_TEXT = (" \r\nArrêtez Windows (c'est bon pour le moral) ce qui vous permettra\r\nde mettre votre "
                 "ordinateur hors tension en toute sécurité sans\r\nmême y penser.")
RESTART_TEXT = (" \r\nFerme Windows et redémarre ... Très pratique quand ça commence à être\r\nle bordel dans le "
                "système. (à faire environ toutes les 2 heures ... lol)")
HIBERNATE_TEXT = (" \r\nPlonge votre ordinateur dans un coma profond ...\r\nC'est sympa on est plus obligé de "
                  "sauvegarder nos documents\r\nactifs quand on veut éteindre l'ordinateur !!\r\n\r\n"
                  "Pressez sur [Shift] pour avoir la mise en veille classique...")
STANDBY_TEXT = (" \r\nPlonge votre ordinateur dans le coma ...\r\nC'est sympa pour faire des économies "
                "d'électricité sans fermer les\r\ndocuments actifs !!")


@case(version="winxp", relay=["CreateWindowExA", "SendMessageA"] + POWER)
def balloons_and_tooltips(t):
    p = t.start()
    pid = t.wait_main_window()["pid"]
    check_balloons_made(p)
    for button, text in [("shutdown", SHUTDOWN_TEXT), ("restart", RESTART_TEXT), ("sleep", HIBERNATE_TEXT)]:
        t.hover("Crepuscule", *BUTTONS[button], rest=0.2, nudge=True)
        # The balloon goes with the pointer.
        equal(t.balloon_text(pid, "balloon-winxp-" + button), text, "balloon over %s" % button)
    # The tooltips of a windowed button and of a painted picture, made the
    # first time the pointer comes over the window.
    for where, text in (((3600 + 450, 2520 + 150), "Options de Crepuscule..."),
                        ((5020 + 187, 40 + 195), "Minimise Crepuscule...")):
        for _ in range(2):  # the picture under the pointer lights up first
            t.hover("Crepuscule", *where, rest=0.2, nudge=True)
            time.sleep(0.3)
        equal(t.balloon_text(pid), text, "tooltip at %s" % (where,))
    t.click_child("Crepuscule", "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler")
    equal(names(p, POWER), [], "power calls")
