"""Sees top-level windows appear on an X display, through libX11 and ctypes.

Wine (with its window management off) maps each shown top-level window as an
override-redirect child of the root window, so a MapNotify on the root is the
moment the window is on screen. Its name (WM_NAME) is Wine's copy of the
window's caption.
"""
import ctypes
import ctypes.util
import os
import select
import time

_MAP_NOTIFY = 19
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class _XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class _XEvent(ctypes.Union):
    # XEvent is a union padded to 24 longs.
    _fields_ = [("type", ctypes.c_int), ("xmap", _XMapEvent), ("pad", ctypes.c_long * 24)]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _load_xlib():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    lib = ctypes.CDLL(name)
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XDefaultRootWindow.restype = ctypes.c_ulong
    lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    lib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
    lib.XPending.argtypes = [ctypes.c_void_p]
    lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XEvent)]
    lib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    lib.XFree.argtypes = [ctypes.c_void_p]
    lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    lib.XSetErrorHandler.restype = ctypes.c_void_p
    lib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
    return lib


class MapWatcher:
    """Opened before the program starts; remembers when each window was mapped."""

    def __init__(self, display):
        self._x = _load_xlib()
        # A window may be gone before its name is read: Xlib's default handler would exit.
        self._on_error = _ERROR_HANDLER(lambda d, e: 0)
        self._x.XSetErrorHandler(self._on_error)
        self._dpy = self._x.XOpenDisplay(display.encode())
        if not self._dpy:
            raise RuntimeError("cannot open X display %s" % display)
        root = self._x.XDefaultRootWindow(self._dpy)
        self._x.XSelectInput(self._dpy, root, _SUBSTRUCTURE_NOTIFY_MASK)
        self._x.XSync(self._dpy, 0)
        self._fd = self._x.XConnectionNumber(self._dpy)
        self.mapped = []  # (monotonic time, window id), in order

    def close(self):
        if self._dpy:
            self._x.XCloseDisplay(self._dpy)
            self._dpy = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _drain(self):
        event = _XEvent()
        while self._x.XPending(self._dpy) > 0:
            self._x.XNextEvent(self._dpy, ctypes.byref(event))
            if event.type == _MAP_NOTIFY:
                self.mapped.append((time.monotonic(), event.xmap.window))

    def name(self, window):
        out = ctypes.c_char_p()
        if not self._x.XFetchName(self._dpy, window, ctypes.byref(out)) or not out.value:
            return None
        text = out.value.decode("utf-8", errors="replace")
        self._x.XFree(out)
        return text

    def wait_name(self, title, timeout):
        """The time the first window named title was mapped, or None after timeout seconds.
        The name is read after the map: Wine may name the window a moment later."""
        deadline = time.monotonic() + timeout
        while True:
            self._drain()
            for when, window in self.mapped:
                if self.name(window) == title:
                    return when
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self._fd], [], [], min(left, 0.02))


def available():
    try:
        _load_xlib()
        return True
    except OSError:
        return False


if __name__ == "__main__":
    import sys

    with MapWatcher(os.environ["DISPLAY"]) as w:
        print(w.wait_name(sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 30))
