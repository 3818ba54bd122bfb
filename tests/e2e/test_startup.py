"""Start-up: the boxes switches ask for, the single instance, "now" waiting for an action, -m."""
from common import BOXES, BUTTONS, DIALOG, MAIN, POWER, PRIVILEGE, check_privilege_enabled, names
from harness import case, check, equal, wait_until


def box_at_start(name, args, title, then):
    """The box a switch asks for, on screen as asked (the unit tests hold its
    words); closed, the program goes on to its window, to the delay dialog of
    the action still chosen, or ends."""

    @case(relay=BOXES + POWER, name=name)
    def run(t):
        p = t.start(*args)
        text, asked, flags = p.wait_box()
        equal((asked, flags), (title, 64), "box title and flags (information, OK)")
        shown, buttons = t.message_box(title)
        # The trace cuts long texts short.
        check(text and (shown or "").startswith(text), "box shows %r, the program asked for %r" % (shown, text))
        equal(buttons, ["OK"], "buttons")
        t.screenshot(name)
        if then == "end":
            equal(t.visible(MAIN), [], "windows shown with the box")
        t.close_box(title)
        if then == "end":
            check(p.wait_exit(10) is not None, "the program still runs after the box")
        else:
            t.wait_main_window()
            if then == "dialog":
                t.wait_describe("form|TimeForm|")
            equal(len(p.boxes()), 1, "message boxes")
        equal(names(p, POWER), [], "power calls")


for row in [# Not whole numbers: never "now".
            ("bad_time_keeps_the_action", ["-a", "-t:0.5,0,0"], "Crepuscule", "dialog"),
            ("help_box", ["-?"], "Aide Crepuscule...", "end")]:
    box_at_start(*row)


@case(relay=["FindWindowA", "GetWindow", "SetForegroundWindow"] + BOXES + POWER)
def second_instance(t):
    first = t.start(trace=False)
    main = t.wait_main_window()
    # Switches of a second copy are ignored: this one would shut down in 2 s.
    second = t.start("-a", "-t:0,0,2")
    check(second.wait_exit(10) is not None, "the second copy still runs")
    find = second.wait_call("FindWindowA", 1)
    equal((find.text(0), find.text(1)), ("ThunderRT6Main", "Crepuscule"), "FindWindowA class and title")
    equal(second.wait_call("GetWindow", 1).u32(1), 3, "GetWindow relation (GW_HWNDPREV)")
    fg = second.wait_call("SetForegroundWindow", 1)
    equal(fg.u32(0), int(main["hwnd"], 16) & 0xFFFFFFFF, "window brought to the front (the first's main window)")
    equal((names(second, POWER), second.boxes()), ([], []), "power calls and boxes of the second copy")
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
    check(t.describe().visible("TimeForm"), "the delay dialog went away")
    equal(names(third, POWER), [], "power calls of the third copy")
    t.key_to(DIALOG, "Escape")
    t.wait_gone(DIALOG)


@case(relay=PRIVILEGE + POWER)
def now_waits_for_an_action(t):
    p = t.start("-n")
    t.wait_main_window()
    equal(names(p, POWER), [], "power calls before a button is pressed")
    t.click_twips(MAIN, *BUTTONS["restart"])
    c = p.wait_call("ExitWindowsEx", 10)
    equal((c.u32(0), c.u32(1)), (6, 0), "ExitWindowsEx(EWX_REBOOT + EWX_FORCE, 0)")
    check_privilege_enabled(p, "ExitWindowsEx")


@case(relay=["Shell_NotifyIconA"] + POWER)
def minimised_start_restores_from_tray(t):
    p = t.start("-m")
    t.wait_describe("form|SystrayIcon|")
    equal(t.visible(MAIN, exclude=("#32770",)), [], "main window on screen after -m")
    check(p.calls("Shell_NotifyIconA"), "no tray icon added")
    t.tray_menu("MnuFichierR")
    t.choose_menu_item("Restaurer Crepuscule")
    t.wait_main_window()
    equal(names(p, POWER), [], "power calls")
