"""The options dialog that cannot save, and the action buttons' balloons."""
import os
import subprocess
import time

from common import BOXES, BUTTONS, MAIN, OPTIONS, POWER, names, settings_path
from harness import case, check, equal, read_bytes


@case(version="winxp", relay=BOXES + POWER, timeout=90)
def unwritable_settings_keep_the_dialog_open(t):
    path = settings_path(t)
    with open(path, "wb") as f:
        f.write(b"S5.5\0\0\x05\0\0")
    # chattr +i: not even root may write it, so Wine answers "access denied" as Windows does.
    check(os.geteuid() == 0, "chattr +i needs root")
    subprocess.run(["chattr", "+i", path], check=True)
    try:
        p = t.start()
        t.wait_main_window()
        t.click_child(MAIN, "Options")
        t.wait_window(OPTIONS)
        t.click_child(OPTIONS, "Mode Silence")
        t.click_child(OPTIONS, "Enregistrer")
        text = ("Erreur lors de la sauvegarde. Le fichier C:\\windows\\System32\\Crepuscule.ini ne peut pas être "
                "modifié.\r\rLes options n'ont pas été enregistrées.")
        equal(p.wait_box(), (text, "Erreur", 48), "save refused")
        # Wine's message box keeps its text in the static control without an id.
        shown = [c["text"] for c in t.wait_window("Erreur", 10, "#32770")["children"]
                 if c["class"] == "Static" and c["id"] == 0xFFFF]
        equal(shown[:1], [text], "save refused on screen")
        t.close_box("Erreur")
        check(t.describe().visible("OptionsForm"), "the options dialog closed although nothing was saved")
        equal(read_bytes(path), b"S5.5\0\0\x05\0\0", "the unwritable file")
    finally:
        subprocess.run(["chattr", "-i", path])
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


@case(version="winxp", relay=POWER)
def balloons_and_tooltips(t):
    p = t.start()
    pid = t.wait_main_window()["pid"]
    for button, text in [("shutdown", SHUTDOWN_TEXT), ("restart", RESTART_TEXT), ("sleep", HIBERNATE_TEXT)]:
        t.hover(MAIN, *BUTTONS[button], rest=0.2, nudge=True)
        # The balloon goes with the pointer.
        equal(t.balloon_text(pid, "balloon-winxp-" + button), text, "balloon over %s" % button)
    # The tooltips of a windowed button and of a painted picture, made the
    # first time the pointer comes over the window.
    for where, text in (((3600 + 450, 2520 + 150), "Options de Crepuscule..."),
                        ((5020 + 187, 40 + 195), "Minimise Crepuscule...")):
        for _ in range(2):  # the picture under the pointer lights up first
            t.hover(MAIN, *where, rest=0.2, nudge=True)
            time.sleep(0.3)
        equal(t.balloon_text(pid), text, "tooltip at %s" % (where,))
    t.click_child(MAIN, "Annuler")
    check(p.wait_exit(10) is not None, "the program still runs after Annuler")
    equal(names(p, POWER), [], "power calls")
