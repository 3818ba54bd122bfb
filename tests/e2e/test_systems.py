"""What Windows 98 needs that Wine would let pass: no wide-character call that is a stub there."""

from common import BUTTONS, DIALOG, MAIN, POWER, names
from harness import case, check, equal, wait_until

# The wide-character functions the 95 family really implements; every other
# W function of these DLLs is a stub there that only fails.
WIDE_ON_95 = {"MessageBoxW", "MessageBoxExW", "TextOutW", "ExtTextOutW", "GetTextExtentPointW",
              "GetTextExtentPoint32W", "GetTextExtentExPointW", "GetCharWidthW", "GetCharWidth32W",
              "lstrlenW", "GetCommandLineW", "FindResourceW", "FindResourceExW", "EnumResourceLanguagesW",
              "EnumResourceNamesW", "EnumResourceTypesW"}
SYSTEM_DLLS = ("user32", "gdi32", "kernel32", "advapi32", "shell32", "comctl32")
# Where the linker puts each program; calls returning elsewhere are the
# system's own (Wine's user32 calling comctl32, for instance).
IMAGE = {"win32": (0x400000, 0x1000000), "win64": (0x140000000, 0x141000000)}
HWND_TOPMOST = 0xFFFFFFFF
SWP_NOACTIVATE, SWP_SHOWWINDOW = 0x10, 0x40


def system_calls(program):
    """(dll, function) of every call the program made into the system DLLs, in order."""
    low, high = IMAGE[program.case.session.arch]
    return [(c.dll.lower(), c.func) for c in program.calls() if c.dll.lower() in SYSTEM_DLLS and low <= c.ret < high]


@case(version="win98", relay=[dll + ".*" for dll in SYSTEM_DLLS], timeout=120)
def win98_uses_no_stubbed_wide_call(t):
    """A run through the main window, the delay dialog, a countdown, the tray
    menu, the last seconds, both ways of postponing, a cancel, the options
    dialog and the quit; then a start that waits for an absent program."""
    p = t.start()
    t.wait_main_window()
    t.screenshot("win98-%s-main" % t.session.arch)
    # Long enough for the tray menu to be used before the last seconds, whose window
    # comes up every second and can take the menu's keys, under relay tracing and load.
    t.click_twips(MAIN, *BUTTONS["shutdown"])
    t.key_to(DIALOG, "Tab")  # from the start button to the hours; each field moves on after two digits
    t.type_text("000024")
    t.screenshot("win98-%s-delay-dialog" % t.session.arch)
    t.key("Return")
    t.describe("ctl|MainForm|Titre|Arrêt de l'ordinateur...|")
    # The tray menu brings the main window back; it counts down to its last seconds. The countdown
    # window of the first seconds goes first: it would take the menu's keys.
    t.wait_gone("Arrêt ...")
    t.tray_menu("MnuShutR")
    t.choose_menu_item("&Restaurer Crepuscule")
    wait_until(lambda: t.describe().visible("MainForm", "Petetout"), 30, "the last seconds never came", 0.3)
    t.click_child("Arrêt ...", "+10 min")  # the countdown window's, on top of everything now
    t.describe("ctl|MainForm|TxtM|10|")
    t.wait_gone("Arrêt ...")  # shown again for the first seconds of the new time
    t.tray_menu("MnuShut")
    t.choose_menu_item("Re&porter de 10 minutes")
    # Ten minutes more than what is left, a little under ten by now.
    wait_until(lambda: t.describe().caption("MainForm", "TxtM") in ("19", "20"), 10, "no postponement from the tray")
    t.click_child("Arrêt ...", "Annuler")
    t.close_box("Annulation")
    t.describe("ctl|MainForm|Titre|Arrêter l'ordinateur|")
    t.click_child(MAIN, "Options")
    t.wait_window("Options de Crepuscule")
    t.click_child("Options de Crepuscule", "Annuler")
    t.wait_gone("Options de Crepuscule")
    t.click_child(MAIN, "Annuler")  # idle: quits
    check(p.wait_exit(10) is not None, "the program still runs after Annuler")

    waiting = t.start("-a", "-attendre:absent.exe")
    t.close_box("Crepuscule")  # no such program: nothing is started
    t.click_child(MAIN, "Annuler")
    check(waiting.wait_exit(10) is not None, "the program still runs after Annuler")

    calls = system_calls(p) + system_calls(waiting)
    check(("user32", "CreateWindowExA") in calls, "the trace holds no window creation: %d calls" % len(calls))
    check(("kernel32", "CreateToolhelp32Snapshot") in calls, "the process list was not read with Tool Help")
    wide = sorted({"%s.%s" % c for c in calls if c[1].endswith("W") and c[1] not in WIDE_ON_95})
    equal(wide, [], "wide-character calls that are stubs on Windows 98")
    equal(names(p, POWER), [], "power calls")

    # The last seconds' window: on top, shown without taking the focus.
    on_top = [c for c in p.calls("SetWindowPos") if c.u32(1) == HWND_TOPMOST and c.u32(6) & SWP_SHOWWINDOW]
    check(on_top, "the countdown window never came up on top")
    check(all(c.u32(6) & SWP_NOACTIVATE for c in on_top), "shown on top but activated: %s" % on_top)

