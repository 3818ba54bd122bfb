"""Reading Wine's relay trace (WINEDEBUG=+relay) of the program's own calls.

A traced call looks like
    010c:Call user32.ExitWindowsEx(0000000c,00000000) ret=140001b99
    0110:Call user32.MessageBoxW(00000000,14000a120 L"D\\00e9sol\\00e9",14000a0fe L"Caf\\00e9",00000040) ret=...
Arguments are 64-bit slots in hex, possibly followed by the text they point
to: W texts spell other characters as \\XXXX, A texts spell bytes as \\xNN
(read as CP1252, the program's ANSI code page).
"""
import re

_CALL = re.compile(r"^(?P<tid>[0-9a-f]+):Call (?P<dll>[\w.-]+)\.(?P<func>\w+)\((?P<args>.*)\) ret=(?P<ret>[0-9a-f]+)$")
_ARG = re.compile(r'^(?P<num>[0-9a-f]+)(?: (?P<wide>L?)"(?P<text>.*)"(?:\.\.\.)?)?$', re.S)
_SIMPLE = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


class Call:
    def __init__(self, dll, func, args, time=None, ret=0):
        # args: (value, text or None) each, None if unreadable; ret: where the call returns to.
        self.dll, self.func, self.args, self.time, self.ret = dll, func, args, time, ret

    def u32(self, i):
        """The low 32 bits: the upper half of a 32-bit argument's slot may be garbage."""
        return self.args[i][0] & 0xFFFFFFFF

    def text(self, i):
        return self.args[i][1]

    def __repr__(self):
        return "%s.%s(%s)" % (self.dll, self.func,
                              ", ".join("%x%s" % (v, "" if t is None else " %r" % t) for v, t in self.args or []))


def _arg(raw):
    m = _ARG.match(raw)
    if not m:
        raise ValueError("unreadable argument: %r" % raw)
    text = m.group("text")
    return int(m.group("num"), 16), None if text is None else decode(text, wide=m.group("wide") == "L")


def decode(body, wide):
    """Undoes Wine's debugstr escaping: W texts spell a UTF-16 unit \\XXXX, A texts a CP1252 byte \\xNN."""
    def one(m):
        e = m.group(1)
        if e in _SIMPLE:
            return _SIMPLE[e]
        return chr(int(e, 16)) if wide else bytes([int(e[1:], 16)]).decode("cp1252", errors="replace")

    return re.sub(r"\\([nrt\"\\']|%s)" % ("[0-9a-fA-F]{4}" if wide else "x[0-9a-fA-F]{2}"), one, body)


# An argument: anything but commas, or a quoted text with its escapes.
_ARGS = re.compile(r'(?:[^,"]|"(?:\\.|[^"\\])*")+')


def parse_line(line, time=None):
    """A Call for a traced call line, else None."""
    m = _CALL.match(line.rstrip("\r\n"))
    if not m:
        return None
    try:
        args = [_arg(a) for a in _ARGS.findall(m.group("args"))]
    except ValueError:
        args = None  # still seen by its name; reading its arguments fails loudly
    return Call(m.group("dll"), m.group("func"), args, time, int(m.group("ret"), 16))
