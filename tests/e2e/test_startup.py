"""Start-up: command-line switches, immediate power actions, help, single instance."""
import re

from common import (ALL_BITS, BOXES, BUTTONS, DIALOG, LEGACY_SHUTDOWN, MAIN, POWER, PRIVILEGE,
                    check_privilege_enabled, names, place_legacy_rundll32, settings_path, shown_time)
from harness import case, check, equal, wait_until



def box_then_main_window(name, switch, text, title):
    @case(relay=BOXES + POWER, name=name)
    def run(t):
        p = t.start(switch)
        equal(p.wait_box(), (text, title, 64), "message box asked for (information, OK)")
        equal(t.message_box(title), (text, ["OK"]), "text and buttons on screen")
        t.screenshot(name)
        t.close_box(title)
        # The switch does nothing else: the start-up goes on to the main window.
        t.wait_main_window()
        equal(len(p.boxes()), 1, "message boxes")
        equal(names(p, POWER), [], "power calls")


# A bad time is dropped, and the program starts as if none had been given.
BAD_TIME = "L'argument de temps (%s) est suivi d'une information incorrecte."
for row in [("makecoffee", "-makecoffee", "Désolé mais je ne fais pas encore le café.\r\nDans une future "
             "version je l'espère :-P", "Machine à café"),
            ("bad_time_t", "-t:100,0,0", BAD_TIME % "-t:", "Crepuscule"),
            ("bad_time_h", "-h:0,100,0", BAD_TIME % "-h:", "Crepuscule")]:
    box_then_main_window(*row)


@case(version="win98", relay=PRIVILEGE + POWER)
def shutdown_now_win98(t):
    place_legacy_rundll32(t)
    p = t.start("-a", "-n")
    start = p.wait_call(("WinExec", "CreateProcessA", "CreateProcessW"), 15)
    texts = [a.text for a in start.args if a.text is not None]
    check(LEGACY_SHUTDOWN in texts, "%s does not start %r" % (start, LEGACY_SHUTDOWN))
    if start.func == "WinExec":
        equal(start.u32(1), 1, "WinExec show state (SW_SHOWNORMAL)")
    check(p.wait_exit(15) is not None, "the program still runs after starting the legacy shutdown")
    equal(names(p, ["ExitWindowsEx", "SetSystemPowerState"]), [], "power calls on Windows 98")
    equal(names(p, PRIVILEGE), [], "privilege calls on Windows 98")
    equal(len(p.calls("WinExec", "CreateProcessA", "CreateProcessW")), 1, "processes started")


def act_now(name, version, args, function, expected, privilege):
    """An action performed at once from the command line: one power call, then the end."""

    @case(version=version, relay=PRIVILEGE + POWER, name=name)
    def run(t):
        p = t.start(*args)
        c = p.wait_call(function, 15)
        equal((c.u32(0), c.u32(1)), expected, "%s arguments" % function)
        if privilege:
            check_privilege_enabled(p, function)
        else:
            equal(names(p, PRIVILEGE), [], "privilege calls outside the NT family")
        check(p.wait_exit(15) is not None, "the program still runs after the power call returned")
        equal(names(p, POWER), [function], "power calls")


# ExitWindowsEx flags: EWX_POWEROFF + EWX_FORCE = 12, EWX_REBOOT + EWX_FORCE = 6.
# SetSystemPowerState(fSuspend, fForce): standby is (TRUE, TRUE), hibernation
# (FALSE, TRUE); TRUE is passed as -1. The immediate path hibernates only when
# forced, whatever the system.
for row in [
    ("shutdown_now_xp", "winxp", ["-a", "-n"], "ExitWindowsEx", (12, 0), True),
    ("shutdown_zero_time_nt4", "nt40", ["-a", "-t:0,0,0"], "ExitWindowsEx", (12, 0), True),
    ("restart_now_xp", "winxp", ["-r", "-n"], "ExitWindowsEx", (6, 0), True),
    ("restart_now_win98", "win98", ["-n", "-r"], "ExitWindowsEx", (6, 0), False),
    ("standby_now_xp", "winxp", ["-v", "-n"], "SetSystemPowerState", (ALL_BITS, ALL_BITS), True),
    ("hibernate_now_forced_xp", "winxp", ["-v", "-n", "-forcehibernation"], "SetSystemPowerState",
     (0, ALL_BITS), True),
    ("standby_now_win98", "win98", ["-v", "-t:,,,"], "SetSystemPowerState", (ALL_BITS, ALL_BITS), False),
]:
    act_now(*row)


HELP_LINES = [
    "Voici les commandes supportées par Crep :",
    "",
    "      -m : lance Crepuscule en mode réduit",
    "      -a : lance directement la boîte de dialogue Arrêter",
    "      -r : lance directement la boîte de dialogue Redémarrer",
    "      -v : lance directement la boîte de dialogue Veille prolongée",
    "      -n : est équivalent à la commande -t:0,0,0",
    "      -t:hh,mm,ss : programme le temps directement au format hh:mm:ss",
    "      -h:hh,mm,ss : programme le compteur comme -t: mais en mode horaire",
    "      -noding : passe Crepuscule en mode silence chuuutt !!...",
    "      -notimediag : désactive la fenêtre du temps qui s'affiche 3 secondes ...",
    "      -noconfirm : supprime la boîte de confirmation lors d'une annulation",
    "      -forcehibernation : force la mise en veille prolongée sur les systèmes non Xp...",
    "      -endinmain : Affichera le compteur final dans la fenêtre principale (old style)",
    "      -makecofee : Vous fait le café :D ...",
    "      -? : affiche cette aide",
    "",
]


@case(relay=BOXES + POWER)
def help_box(t):
    p = t.start("-?")
    _, title, flags = p.wait_box()
    equal((title, flags), ("Aide Crepuscule...", 64), "help box title and flags")
    text, buttons = t.message_box("Aide Crepuscule...")
    check(text is not None, "no text in the help box")
    lines = text.split("\r\n")
    equal(lines[:17], HELP_LINES, "help lines")
    check(re.fullmatch(r"Merci à .+ et les autres \.\.\.", lines[17] if len(lines) > 17 else ""),
          "thanks line: %r" % lines[17:18])
    # A line of the program's own, then the later switches, with no line break after them.
    equal(lines[19:], ["", "      -attendre:programme.exe : attend la fin de ce programme avant de commencer",
                       "      -reporter:mm : repousse de mm minutes le compteur en cours"], "later switches")
    equal(buttons, ["OK"], "buttons")
    equal(t.visible(MAIN), [], "windows shown with the help")
    t.key_to("Aide Crepuscule...", "Return")
    check(p.wait_exit(10) is not None, "the program still runs after the help box")
    equal(names(p, POWER), [], "power calls")


@case(relay=["FindWindowA", "GetWindow", "SetForegroundWindow"] + BOXES + POWER)
def second_instance(t):
    first = t.start(trace=False)
    main = t.wait_main_window()
    # Switches of a second copy are ignored: this one would shut down in 2 s.
    second = t.start("-a", "-t:0,0,2")
    check(second.wait_exit(10) is not None, "the second copy still runs")
    find = second.wait_call("FindWindowA", 1)
    equal((find.text(0), find.text(1)), ("ThunderRT6Main", "Crepuscule"), "FindWindowA class and title")
    prev = second.wait_call("GetWindow", 1)
    equal(prev.u32(1), 3, "GetWindow relation (GW_HWNDPREV)")
    fg = second.wait_call("SetForegroundWindow", 1)
    equal(fg.u32(0), int(main["hwnd"], 16) & 0xFFFFFFFF, "window brought to the front (the first's main window)")
    equal(names(second, POWER), [], "power calls of the second copy")
    equal(second.boxes(), [], "message boxes of the second copy")
    check(first.running(), "the first copy ended")
    equal(len(t.visible(MAIN, exclude=("#32770",))), 1, "visible main windows")

    # With the delay dialog open, a third copy brings the dialog forward.
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    t.wait_window(DIALOG)
    third = t.start("-a", "-t:0,0,5")
    check(third.wait_exit(15) is not None, "the third copy still runs")

    def front():
        return [w["caption"] for w in t.visible() if w["foreground"]]

    wait_until(lambda: DIALOG in front(), 5,
               lambda: "in front after a third start: %s, not the delay dialog" % front())
    d = t.describe()
    check(d.visible("TimeForm"), "the delay dialog went away")
    equal(d.forms["MainForm"].get("enabled"), "0", "main window enabled while its dialog is open")
    equal(names(third, POWER), [], "power calls of the third copy")
    t.key_to(DIALOG, "Escape")
    t.wait_gone(DIALOG)


@case(relay=POWER)
def time_waits_for_an_action(t):
    p = t.start("-t:0,2,3")
    t.wait_main_window()
    d = t.describe()
    equal(shown_time(d), ["00", "02", "03"], "time shown while no action is chosen")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "0", "countdown running")
    # The user's next action button starts the countdown with that time.
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    d = t.wait_describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
    equal(d.timers[("MainForm", "Timer1")]["enabled"], "1", "countdown running")
    t.wait_bytes(settings_path(t), b"S5.5\0\0\x03\x02\0", "settings file with the delay started")
    equal(names(p, POWER), [], "power calls")


@case(relay=PRIVILEGE + POWER)
def now_waits_for_an_action(t):
    p = t.start("-n")
    t.wait_main_window()
    d = t.describe()
    equal([d.visible("MainForm", n) for n in ("TxtH", "TxtM", "TxtS", "Label1", "Label2")], [False] * 5,
          "time labels visible while the next action is immediate")
    equal(names(p, POWER), [], "power calls before a button is pressed")
    t.click_twips(MAIN, *BUTTONS["restart"])
    c = p.wait_call("ExitWindowsEx", 10)
    equal((c.u32(0), c.u32(1)), (6, 0), "ExitWindowsEx(EWX_REBOOT + EWX_FORCE, 0)")
    check_privilege_enabled(p, "ExitWindowsEx")


@case(relay=["Shell_NotifyIconA"] + POWER)
def minimised_start_restores_from_tray(t):
    p = t.start("-m")
    d = t.wait_describe("form|SystrayIcon|")
    check(not d.visible("MainForm"), "main window visible after -m")
    equal(t.visible(MAIN, exclude=("#32770",)), [], "main window on screen after -m")
    check(p.calls("Shell_NotifyIconA"), "no tray icon added")
    menu = t.tray_menu("MnuFichierR")
    equal(menu["default"], "Restore4", "default item in the tray")
    t.choose_menu_item("Restaurer Crepuscule")
    t.wait_main_window()
    equal(names(p, POWER), [], "power calls")

