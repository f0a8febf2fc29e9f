"""The private X display of a session and what the harness asks of the X server directly."""

from __future__ import annotations

import ctypes
import dataclasses
import os
import select
import subprocess
from pathlib import Path

from harness_base import run_quiet
from wine_prefix import REPO


@dataclasses.dataclass(frozen=True)
class Cursor:
    width: int
    height: int
    xhot: int
    yhot: int
    serial: int     # changes whenever a new cursor is set
    checksum: int   # of the pixels, to tell apart cursors of one size


def _die_with_parent() -> None:
    """Runs in the child before exec: SIGTERM when the harness dies, even by SIGKILL."""
    ctypes.CDLL(None, use_errno=True).prctl(1, 15)  # PR_SET_PDEATHSIG, SIGTERM


class Xvfb:
    """An Xvfb server on a free display number; stop() ends it."""

    def __init__(self, screen: tuple[int, int], log_path: Path):
        read_end, write_end = os.pipe()
        width, height = screen
        with open(log_path, 'wb') as log:
            self.proc = subprocess.Popen(
                ['Xvfb', '-displayfd', str(write_end), '-screen', '0', f'{width}x{height}x24',
                 '-nolisten', 'tcp', '-noreset'],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                preexec_fn=_die_with_parent)
        os.close(write_end)
        try:
            self.name = ':' + self._read_display_number(read_end, log_path)
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)

    @staticmethod
    def _read_display_number(fd: int, log_path: Path) -> str:
        number = b''
        while not number.endswith(b'\n'):
            ready, _, _ = select.select([fd], [], [], 20)
            chunk = os.read(fd, 16) if ready else b''
            if not chunk:
                raise RuntimeError('Xvfb did not start: ' + log_path.read_text())
            number += chunk
        return number.decode().strip()

    def stop(self) -> None:
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong),
                ('message_type', ctypes.c_ulong), ('format', ctypes.c_int),
                ('data', ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [('xclient', _XClientMessageEvent), ('pad', ctypes.c_long * 24)]


def _xlib():
    x11 = ctypes.CDLL('libX11.so.6')
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_XEvent)]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def send_delete_window(display: str, xid: int) -> None:
    """What a window manager sends when the user closes a window from outside; Wine turns it
    into WM_SYSCOMMAND SC_CLOSE."""
    x11 = _xlib()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError(f'cannot open display {display}')
    try:
        ev = _XEvent()
        ev.xclient.type = 33  # ClientMessage
        ev.xclient.window = xid
        ev.xclient.message_type = x11.XInternAtom(dpy, b'WM_PROTOCOLS', 0)
        ev.xclient.format = 32
        ev.xclient.data[0] = x11.XInternAtom(dpy, b'WM_DELETE_WINDOW', 0)
        ev.xclient.data[1] = 0  # CurrentTime
        x11.XSendEvent(dpy, xid, 0, 0, ctypes.byref(ev))
        x11.XFlush(dpy)
    finally:
        x11.XCloseDisplay(dpy)


def xcursor_probe() -> Path:
    """tools/xcursor_probe of the native build."""
    candidates = [os.environ.get('PAWLET_XCURSOR_PROBE')]
    if os.environ.get('PAWLET_TEST_ASSETS'):
        native = Path(os.environ['PAWLET_TEST_ASSETS']).parent
        candidates.append(native / 'tools/xcursor_probe/xcursor_probe')
    candidates.append(REPO / 'build/native/tools/xcursor_probe/xcursor_probe')
    for c in candidates:
        if c and Path(c).is_file():
            return Path(c)
    raise FileNotFoundError('xcursor_probe not found: build the native preset (needs libx11-dev, '
                            'libxfixes-dev) or set PAWLET_XCURSOR_PROBE')


def read_cursor(display: str) -> Cursor:
    out = run_quiet([xcursor_probe()], env=dict(os.environ, DISPLAY=display)).stdout
    fields = dict(item.split('=', 1) for item in out.split())
    return Cursor(*(int(fields[k], 0) for k in
                    ('width', 'height', 'xhot', 'yhot', 'serial', 'checksum')))
