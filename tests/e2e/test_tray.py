"""The notification-area icon driven with the real mouse and keyboard."""
from harness import case, check, equal

NIM_DELETE = 2


def idle_items(sleep_item):
    return ["&Arrêter", "&Redémarrer", sleep_item, "-", "&Réduire Crepuscule", "-", "&Options",
            "Qui&tter Crepuscule"]


@case(version="winxp", relay=["Shell_NotifyIconA", "TrackPopupMenu", "TrackPopupMenuEx"])
def idle_menu_quits(t):
    p = t.start()
    t.wait_main_window()
    t.click_tray_icon(button=3)
    menu = t.wait_describe("menu|MnuFichier|").menu
    equal(menu["items"], idle_items("&Veille Prolongée"), "idle tray menu")
    equal(menu["default"], "Reduce4", "default item")
    t.screenshot("tray-idle-menu")
    t.choose_menu_item("Qui&tter Crepuscule")
    check(p.wait_exit(10) is not None, "the program still runs after Quitter")
    removed = [c for c in p.calls("Shell_NotifyIconA") if c.u32(0) == NIM_DELETE]
    equal(len(removed), 1, "tray icons removed")


@case(version="win98")
def sleep_item_says_standby_on_win98(t):
    t.start()
    t.wait_main_window()
    t.click_tray_icon(button=3)
    menu = t.wait_describe("menu|MnuFichier|").menu
    equal(menu["items"], idle_items("Mise en &veille"), "idle tray menu without hibernation")
    t.key("Escape")
