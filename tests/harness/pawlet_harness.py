"""Runs a Windows program under wine64 in a private Xvfb display and looks at it from outside.

One Session is one X display, one Wine prefix (a copy of a template prefix made once per build
directory) and one Wine server. A session can run the program several times in a row.

    with Session() as s:
        s.install(PAWLET_EXE, assets=TEST_ASSETS)         # C:\\Pawlet\\pawlet.exe, animations\\, sounds\\
        s.start()
        win = s.find_window(exact_title(TITLE))          # Window(xid, x, y, width, height)
        s.click(win, 160, 300)                           # window coordinates
        shot = s.screenshot()
        code = s.wait_exit(timeout=15)                   # ProgramHung (a test failure) on time-out

Session(screen=(1024, 768), trace=('file',), capture_sound=False, env=None)
  install(exe, assets=None, folder='Pawlet', remove=(), replace=None) -> Windows path of the exe;
      folder '' installs at the drive root (C:\\pawlet.exe). remove: asset paths relative to the
      program folder ('animations/blink/cat_blink0000.jpg'); replace: {relative path: bytes}.
  start(args=(), program=None, cwd=None, stdout=None, stderr=None) -> Run
      starts the installed program (or any Windows or Unix path) with WINEDEBUG=+timestamp,+pid
      and the trace channels; stderr goes to a file of the run unless given.
  find_window(title_regex, timeout=20) -> Window     (xdotool --onlyvisible --name; anchor it)
  geometry(window) -> Window                         the window's current position and size
  window_name(window) -> str                         its title
  click(window, x, y, button=1), move(window, x, y) -> time of the action
  key(window, *keys) -> time                         xdotool key names: 'Escape', 'Tab', 'space';
                                                     waits for the window to have the X focus
  close_command(window) -> time                      the system's close command (WM_DELETE_WINDOW,
                                                     which Wine turns into WM_SYSCOMMAND SC_CLOSE)
  screenshot() -> Screenshot                          .pixel(x, y), .at(window, x, y), .save(path)
  wait_exit(timeout=15) -> exit code                 the shell's view: low byte, -1 shows as 255
  file_opens(under=None) -> [FileOpen(seq, time, pid, tid, path)]   CreateFileW calls, in order
  traces(channel, function=None) -> [Trace]          any trace line of the run
  window_trace(title) -> WindowTrace(hwnd, created, shown)   needs trace channel 'win'
  mark(label) -> time; marks -> [(time, label)]      the harness's actions, same clock as traces
  browser_log(wait=0) -> [address]                   what the shell's "open" handed to the browser
  sounds() -> [Path]                                 raw streams, one per wave-out handle
                                                     (capture_sound=True)
  cursor() -> Cursor(width, height, xhot, yhot, serial, checksum)   the X server's pointer now

now() -> seconds on CLOCK_MONOTONIC_RAW, the clock of Wine's +timestamp and GetTickCount().
exact_title(text) -> the anchored, escaped pattern that find_window wants.
read_frame_code(shot, window_x, window_y) -> (action, frame index), 'blink0'..'blink2' or None:
  which test-asset picture the animation box shows (tools/make_test_assets draws the code).
template_prefix() -> Path of the template (made under a file lock on first use).
run_console_program(program, args) -> exit code: one program in a fresh session (wine-run).

Environment: PAWLET_BUILD_DIR (where the template and the sessions live; default build/),
PAWLET_XCURSOR_PROBE (the probe's path), PAWLET_KEEP_SESSIONS=1 (keep logs, drop the prefix).
"""

from __future__ import annotations

import codecs
import ctypes
import dataclasses
import fcntl
import hashlib
import os
import re
import select
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

WINE64 = '/usr/lib/wine/wine64'
WINESERVER = '/usr/lib/wine/wineserver'
REPO = Path(__file__).resolve().parents[2]
TEMPLATE_RECIPE = 2  # bump when the template's contents change


def now() -> float:
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


class ProgramHung(AssertionError):
    """The program did not end in time; it has been killed."""


@dataclasses.dataclass(frozen=True)
class Window:
    xid: int
    x: int
    y: int
    width: int
    height: int


@dataclasses.dataclass(frozen=True)
class FileOpen:
    seq: int      # line of the trace: the true order of calls made on one thread
    time: float
    pid: int
    tid: int
    path: str


@dataclasses.dataclass(frozen=True)
class Trace:
    seq: int
    time: float
    pid: int
    tid: int
    channel: str
    function: str
    text: str


@dataclasses.dataclass(frozen=True)
class Cursor:
    width: int
    height: int
    xhot: int
    yhot: int
    serial: int
    checksum: int


# ---------------------------------------------------------------------------------------------
# Paths and small helpers

def build_dir() -> Path:
    return Path(os.environ.get('PAWLET_BUILD_DIR') or REPO / 'build')


def exact_title(text: str) -> str:
    """An anchored POSIX extended regular expression matching exactly this title."""
    return '^' + re.sub(r'([.\[\]()*+?{}|^$\\])', r'\\\1', text) + '$'


def windows_path(unix_path: Path) -> str:
    return 'Z:' + str(unix_path).replace('/', '\\')


def _run(cmd, env=None, timeout=30, check=True, **kw) -> subprocess.CompletedProcess:
    return subprocess.run(cmd, env=env, timeout=timeout, check=check, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, **kw)


def _wine_env(prefix: Path, debug: str = '-all', display: str | None = None) -> dict:
    env = dict(os.environ)
    for name in ('WINELOADER', 'WINESERVER', 'WINEARCH', 'DISPLAY'):
        env.pop(name, None)
    env.update(WINEPREFIX=str(prefix), WINEDLLOVERRIDES='mscoree,mshtml=', WINEDEBUG=debug)
    if display:
        env['DISPLAY'] = display
    return env


def _stop_wineserver(env: dict) -> None:
    for args in (['-k'], ['-w']):
        try:
            _run([WINESERVER, *args], env=env, timeout=15, check=False)
        except subprocess.TimeoutExpired:
            pass


# ---------------------------------------------------------------------------------------------
# The template prefix

BROWSER_SCRIPT = '#!/bin/sh\n# Stands in for a web browser: notes each address it is given.\n' \
                 'for a in "$@"; do printf \'%s\\n\' "$a" >> "${PAWLET_BROWSER_LOG:-/dev/null}"; done\n'

# Faces that Wine picks for the default GUI font here; each falls back to a font with Chinese.
FONT_LINK_FACES = ('Tahoma', 'Tahoma Bold', 'Microsoft Sans Serif', 'DejaVu Sans',
                   'DejaVu Sans Bold')
FONT_LINK_TARGET = 'wqy-microhei.ttc,WenQuanYi Micro Hei'


def _reg_multi_sz(strings) -> str:
    data = ''.join(s + '\0' for s in strings) + '\0'
    return 'hex(7):' + ','.join('%02x' % b for b in data.encode('utf-16-le'))


def _template_registry(browser: Path) -> str:
    link = _reg_multi_sz([FONT_LINK_TARGET])
    browser_value = str(browser).replace('\\', '\\\\')
    return '\r\n'.join([
        'Windows Registry Editor Version 5.00', '',
        # No window manager: without this Wine waits 2 s for one at every hide and destruction.
        r'[HKEY_CURRENT_USER\Software\Wine\X11 Driver]', '"Managed"="N"', '',
        # ALSA, whose default device each session points at a null or capturing sink.
        r'[HKEY_CURRENT_USER\Software\Wine\Drivers]', '"Audio"="alsa"', '',
        r'[HKEY_CURRENT_USER\Software\Wine\WineBrowser]', f'"Browsers"="{browser_value}"', '',
        r'[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]',
        *[f'"{face}"={link}' for face in FONT_LINK_FACES], '', ''])


def _template_stamp(root: Path) -> str:
    wine_version = _run([WINE64, '--version']).stdout.strip()
    inf = Path('/usr/share/wine/wine.inf')
    inf_time = inf.stat().st_mtime_ns if inf.exists() else 0
    text = f'{TEMPLATE_RECIPE}\n{wine_version}\n{inf_time}\n{BROWSER_SCRIPT}\n' \
           f'{_template_registry(root / "browser-log")}'
    return hashlib.sha256(text.encode()).hexdigest()


def _make_template(root: Path, stamp: str) -> None:
    work = root.with_name(f'{root.name}.new-{os.getpid()}')
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = _wine_env(work / 'prefix')
    _run([WINE64, 'wineboot', '-i'], env=env, timeout=300)
    (work / 'browser-log').write_text(BROWSER_SCRIPT)
    (work / 'browser-log').chmod(0o755)
    reg = work / 'settings.reg'
    reg.write_bytes(codecs.BOM_UTF16_LE + _template_registry(root / 'browser-log').encode('utf-16-le'))
    _run([WINE64, 'regedit', '/S', windows_path(reg)], env=env, timeout=120)
    _run([WINESERVER, '-w'], env=env, timeout=120)
    (work / 'stamp').write_text(stamp)
    shutil.rmtree(root, ignore_errors=True)
    work.rename(root)


def template_prefix() -> Path:
    """The template's folder (prefix/, browser-log); made once, under a lock, when out of date."""
    root = build_dir() / 'wine-template'
    root.parent.mkdir(parents=True, exist_ok=True)
    stamp = _template_stamp(root)
    with open(root.parent / 'wine-template.lock', 'w') as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp_file = root / 'stamp'
        if not stamp_file.exists() or stamp_file.read_text() != stamp:
            _make_template(root, stamp)
    return root


# Big files that Wine only reads: linked, not copied, into each session's prefix.
LINKED_SUFFIXES = {'.dll', '.exe', '.drv', '.sys', '.ocx', '.acm', '.ax', '.cpl', '.tlb',
                   '.ds', '.ttf', '.fon', '.msstyles', '.com', '.vxd'}


def _link_or_copy(src: Path, dst: Path) -> None:
    try:
        os.link(src, dst)
    except OSError:
        shutil.copy2(src, dst)


def _clone_tree(src: Path, dst: Path, link=lambda p: True) -> None:
    for folder, dirs, files in os.walk(src):
        rel = Path(folder).relative_to(src)
        (dst / rel).mkdir(parents=True, exist_ok=True)
        for name in dirs + files:
            s, d = Path(folder) / name, dst / rel / name
            if s.is_symlink():
                os.symlink(os.readlink(s), d)
            elif name in files:
                (_link_or_copy if link(s) else shutil.copy2)(s, d)


def _clone_prefix(src: Path, dst: Path) -> None:
    _clone_tree(src, dst, link=lambda p: p.suffix.lower() in LINKED_SUFFIXES)


def _remove_stale_sessions(sessions: Path) -> None:
    """Sessions of harness processes that were killed outright (a ctest time-out)."""
    for d in sessions.glob('session-*-*'):
        pid = int(d.name.split('-')[1])
        try:
            os.kill(pid, 0)
            continue
        except ProcessLookupError:
            pass
        except PermissionError:
            continue
        if (d / 'prefix').exists():
            _stop_wineserver(_wine_env(d / 'prefix'))
        shutil.rmtree(d, ignore_errors=True)


# ---------------------------------------------------------------------------------------------
# Screenshots

class Screenshot:
    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def from_ppm(cls, data: bytes) -> 'Screenshot':
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maxval; '#' comments allowed
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b'#':
                pos = data.index(b'\n', pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b'P6' or fields[3] != b'255':
            raise ValueError('not an 8-bit binary PPM')
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f'pixel {x},{y} outside the {self.width}x{self.height} screen')
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def at(self, window: Window, x: int, y: int) -> tuple[int, int, int]:
        return self.pixel(window.x + x, window.y + y)

    def save(self, path) -> None:
        Path(path).write_bytes(b'P6\n%d %d\n255\n' % (self.width, self.height) + self.rgb)


# ---------------------------------------------------------------------------------------------
# The colour code of the test assets (tools/make_test_assets draws it; keep the two in step)

FRAME_CODE_ORIGIN = (16, 16)   # picture pixel of the first block's top-left corner
FRAME_CODE_BLOCK = 32          # block side; blocks sit on the JPEG's 16-pixel grid
FRAME_CODE_MARKERS = ((1, 0, 1), (0, 1, 0))   # magenta, green: "this is a test frame"
FRAME_CODE_DIGITS = 4          # 3 bits each: action * 128 + index, most significant first
BOX_CLIENT_ORIGIN = (1, 1)     # the animation box's client area inside the main window


def _block_bits(shot: Screenshot, x: int, y: int) -> tuple[int, int, int] | None:
    """Each channel of a block's centre as 0 or 1, or None when it is neither dark nor bright."""
    half = FRAME_CODE_BLOCK // 2
    bits = []
    for channel in range(3):
        values = [shot.pixel(x + half + dx, y + half + dy)[channel]
                  for dx in (-4, 0, 4) for dy in (-4, 0, 4)]
        mean = sum(values) / len(values)
        if 64 <= mean <= 191:
            return None
        bits.append(1 if mean > 191 else 0)
    return tuple(bits)


def read_frame_code(shot: Screenshot, window_x: int, window_y: int):
    """Which test picture the animation box of the window at (window_x, window_y) shows:
    (action, frame index), 'blink0'..'blink2', or None (no test picture there)."""
    blocks = []
    for k in range(len(FRAME_CODE_MARKERS) + FRAME_CODE_DIGITS + 1):
        x = window_x + BOX_CLIENT_ORIGIN[0] + FRAME_CODE_ORIGIN[0] + k * FRAME_CODE_BLOCK
        y = window_y + BOX_CLIENT_ORIGIN[1] + FRAME_CODE_ORIGIN[1]
        bits = _block_bits(shot, x, y)
        if bits is None:
            return None
        blocks.append(bits)
    if tuple(blocks[:2]) != FRAME_CODE_MARKERS:
        return None
    digits = [b[0] * 4 + b[1] * 2 + b[2] for b in blocks[2:]]
    *data, check = digits
    if check != frame_code_check(data):
        return None
    value = 0
    for d in data:
        value = value * 8 + d
    action, index = divmod(value, 128)
    if action == 0:
        return f'blink{index}' if index <= 2 else None
    return (action, index)


def frame_code_check(digits) -> int:
    return (1 + sum((i + 1) * d for i, d in enumerate(digits))) % 8


# ---------------------------------------------------------------------------------------------
# X helpers

class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong),
                ('message_type', ctypes.c_ulong), ('format', ctypes.c_int),
                ('data', ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [('xclient', _XClientMessageEvent), ('pad', ctypes.c_long * 24)]


def _send_delete_window(display: str, xid: int) -> None:
    """What a window manager sends when the user closes a window from outside."""
    x11 = ctypes.CDLL('libX11.so.6')
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_XEvent)]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
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


def _xcursor_probe() -> Path:
    candidates = [os.environ.get('PAWLET_XCURSOR_PROBE')]
    if os.environ.get('PAWLET_TEST_ASSETS'):
        candidates.append(Path(os.environ['PAWLET_TEST_ASSETS']).parent / 'tools/xcursor_probe/xcursor_probe')
    candidates.append(REPO / 'build/native/tools/xcursor_probe/xcursor_probe')
    for c in candidates:
        if c and Path(c).is_file():
            return Path(c)
    raise FileNotFoundError('xcursor_probe not found: build the native preset (needs libx11-dev, '
                            'libxfixes-dev) or set PAWLET_XCURSOR_PROBE')


# ---------------------------------------------------------------------------------------------
# Trace parsing

_TRACE_LINE = re.compile(r'^(\d+\.\d+):([0-9a-f]+):([0-9a-f]+):trace:([\w]+):([\w]+) (.*)$')
_WIDE_STRING = re.compile(r'L"((?:[^"\\]|\\.)*)"')
_ESCAPES = {'n': '\n', 'r': '\r', 't': '\t', '\\': '\\', '"': '"'}


def unescape_wine_string(text: str) -> str:
    """Undoes Wine's debugstr_w: \\\\, \\", \\n and \\XXXX (four hex digits) for other characters."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c != '\\' or i + 1 == len(text):
            out.append(c)
            i += 1
        elif text[i + 1] in _ESCAPES:
            out.append(_ESCAPES[text[i + 1]])
            i += 2
        elif re.fullmatch(r'[0-9a-fA-F]{4}', text[i + 1:i + 5]):
            out.append(chr(int(text[i + 1:i + 5], 16)))
            i += 5
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def parse_traces(lines) -> list[Trace]:
    found = []
    for seq, line in enumerate(lines):
        m = _TRACE_LINE.match(line)
        if m:
            found.append(Trace(seq, float(m[1]), int(m[2], 16), int(m[3], 16), m[4], m[5], m[6]))
    return found


def file_opens_in(traces) -> list[FileOpen]:
    opens = []
    for t in traces:
        if t.channel == 'file' and t.function == 'CreateFileW':
            m = _WIDE_STRING.match(t.text)
            if m:
                opens.append(FileOpen(t.seq, t.time, t.pid, t.tid, unescape_wine_string(m[1])))
    return opens


@dataclasses.dataclass(frozen=True)
class WindowTrace:
    hwnd: int
    created: Trace       # the CreateWindowEx call
    shown: Trace | None  # the first ShowWindow that shows it


def window_trace(traces, title: str) -> WindowTrace | None:
    """When the top-level window with this title was created and first shown (channel 'win')."""
    created = hwnd = None
    for t in traces:
        if t.channel != 'win':
            continue
        if created is None:
            m = _WIDE_STRING.match(t.text)
            if t.function == 'WIN_CreateWindowEx' and m and unescape_wine_string(m[1]) == title:
                created = t
        elif hwnd is None:
            m = re.match(r'hwnd (0x[0-9a-f]+) cs ', t.text)
            if t.function == 'NtUserCreateWindowEx' and t.tid == created.tid and m:
                hwnd = int(m[1], 16)
        else:
            m = re.match(r'hwnd=(0x[0-9a-f]+), cmd=(\d+)', t.text)
            if t.function == 'show_window' and m and int(m[1], 16) == hwnd and m[2] != '0':
                return WindowTrace(hwnd, created, t)
    return WindowTrace(hwnd, created, None) if hwnd is not None else None


# ---------------------------------------------------------------------------------------------
# The session

class Run:
    """One start of a program: its process and its log files."""

    def __init__(self, proc: subprocess.Popen, stderr_path: Path | None, started: float):
        self.proc, self.stderr_path, self.started = proc, stderr_path, started

    def traces(self) -> list[Trace]:
        if not self.stderr_path or not self.stderr_path.exists():
            return []
        with open(self.stderr_path, encoding='utf-8', errors='replace') as f:
            return parse_traces(f)


class Session:
    def __init__(self, screen=(1024, 768), trace=('file',), capture_sound=False, env=None):
        self.screen = screen
        self.debug = ','.join(['+timestamp', '+pid', *('+' + c for c in trace)]) if trace else '-all'
        self.capture_sound = capture_sound
        self.extra_env = dict(env or {})
        self.marks: list[tuple[float, str]] = []
        self.runs: list[Run] = []
        self.dir = self.prefix = self.display = self.xvfb = None
        self.program_dir = self.exe = None

    # -- life -----------------------------------------------------------------------------

    def __enter__(self) -> 'Session':
        try:
            self.open()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def open(self) -> None:
        template = template_prefix()
        sessions = template.parent / 'wine-sessions'
        sessions.mkdir(exist_ok=True)
        _remove_stale_sessions(sessions)
        self.dir = Path(tempfile.mkdtemp(prefix=f'session-{os.getpid()}-', dir=sessions))
        self.prefix = self.dir / 'prefix'
        _clone_prefix(template / 'prefix', self.prefix)
        self._start_xvfb()
        self.env = self._session_env()

    def close(self) -> None:
        for run in self.runs:
            if run.proc.poll() is None:
                run.proc.kill()
        if self.prefix and self.prefix.exists():
            _stop_wineserver(_wine_env(self.prefix))
        for run in self.runs:
            try:
                run.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self._stop_xvfb()
        if self.dir:
            if os.environ.get('PAWLET_KEEP_SESSIONS'):
                shutil.rmtree(self.prefix, ignore_errors=True)
                print(f'pawlet_harness: session kept in {self.dir}')
            else:
                shutil.rmtree(self.dir, ignore_errors=True)

    def _start_xvfb(self) -> None:
        read_end, write_end = os.pipe()
        width, height = self.screen
        with open(self.dir / 'xvfb.log', 'wb') as log:
            self.xvfb = subprocess.Popen(
                ['Xvfb', '-displayfd', str(write_end), '-screen', '0', f'{width}x{height}x24',
                 '-nolisten', 'tcp', '-noreset'],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(write_end)
        try:
            number = b''
            while not number.endswith(b'\n'):
                ready, _, _ = select.select([read_end], [], [], 20)
                chunk = os.read(read_end, 16) if ready else b''
                if not chunk:
                    raise RuntimeError('Xvfb did not start: ' + (self.dir / 'xvfb.log').read_text())
                number += chunk
        finally:
            os.close(read_end)
        self.display = ':' + number.decode().strip()

    def _stop_xvfb(self) -> None:
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()

    def _session_env(self) -> dict:
        env = _wine_env(self.prefix, self.debug, self.display)
        env['PAWLET_BROWSER_LOG'] = str(self.dir / 'browser.log')
        env['ALSA_CONFIG_PATH'] = '/usr/share/alsa/alsa.conf:' + str(self._write_alsa_config())
        env.update(self.extra_env)
        return env

    def _write_alsa_config(self) -> Path:
        """Sound goes nowhere, or, with capture_sound, into one raw file per wave-out handle."""
        if self.capture_sound:
            (self.dir / 'sound').mkdir()
            sink = (f'type file slave.pcm "null" format "raw" '
                    f'file "|cat > {self.dir}/sound/stream_$$.raw"')
        else:
            sink = 'type null'
        path = self.dir / 'alsa.conf'
        path.write_text(f'pcm.!default {{ {sink} }}\n')
        return path

    # -- the program ----------------------------------------------------------------------

    def install(self, exe, assets=None, folder='Pawlet', remove=(), replace=None,
                name='pawlet.exe') -> str:
        """Puts exe (and the asset set's animations/ and sounds/) into C:\\<folder>\\."""
        drive = self.prefix / 'drive_c'
        self.program_dir = drive / folder if folder else drive
        self.program_dir.mkdir(parents=True, exist_ok=True)
        shutil.copy2(exe, self.program_dir / name)
        if assets:
            for sub in ('animations', 'sounds'):
                if (Path(assets) / sub).is_dir():
                    _clone_tree(Path(assets) / sub, self.program_dir / sub)
        for rel in remove:
            (self.program_dir / rel).unlink()
        for rel, data in (replace or {}).items():
            target = self.program_dir / rel
            target.unlink(missing_ok=True)
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
        self.exe = 'C:\\' + (folder.replace('/', '\\') + '\\' if folder else '') + name
        return self.exe

    def start(self, args=(), program=None, cwd=None, stdout=None, stderr=None) -> Run:
        """Starts the installed program (or `program`); returns at once."""
        program = program or self.exe
        if not program:
            raise RuntimeError('nothing installed to start')
        index = len(self.runs) + 1
        stderr_path = self.dir / f'run{index}.stderr' if stderr is None else None
        opened = []
        if stdout is None:
            stdout = open(self.dir / f'run{index}.stdout', 'wb')
            opened.append(stdout)
        if stderr is None:
            stderr = open(stderr_path, 'wb')
            opened.append(stderr)
        self.mark(f'start {program}')
        try:
            proc = subprocess.Popen([WINE64, str(program), *map(str, args)], env=self.env,
                                    cwd=cwd or self.dir, stdin=subprocess.DEVNULL,
                                    stdout=stdout, stderr=stderr)
        finally:
            for f in opened:
                f.close()
        run = Run(proc, stderr_path, now())
        self.runs.append(run)
        return run

    @property
    def run(self) -> Run:
        if not self.runs:
            raise RuntimeError('no program started')
        return self.runs[-1]

    def wait_exit(self, timeout: float = 15) -> int:
        """The exit code as the shell sees it; kills the program and fails after `timeout` s."""
        try:
            code = self.run.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.run.proc.kill()
            _stop_wineserver(_wine_env(self.prefix))
            raise ProgramHung(f'the program did not end within {timeout} s; killed') from None
        self.mark(f'exit {code}')
        return code

    def running(self) -> bool:
        return self.run.proc.poll() is None

    # -- windows and input ----------------------------------------------------------------

    def xdotool(self, *args, timeout=15) -> str:
        env = dict(os.environ, DISPLAY=self.display, LC_ALL='C.UTF-8')
        return _run(['xdotool', *map(str, args)], env=env, timeout=timeout).stdout

    def find_window(self, title_regex: str, timeout: float = 20) -> Window:
        """The visible top-level window whose title matches; fails if the program ends first."""
        deadline = now() + timeout
        while True:
            result = _run(['xdotool', 'search', '--onlyvisible', '--name', title_regex],
                          env=dict(os.environ, DISPLAY=self.display, LC_ALL='C.UTF-8'),
                          check=False)
            ids = result.stdout.split()
            if ids:
                self.mark(f'found window {title_regex}')
                return self.geometry(Window(int(ids[0]), 0, 0, 0, 0))
            if self.runs and not self.running():
                raise AssertionError(f'the program ended with {self.run.proc.returncode} '
                                     f'before a window {title_regex} showed')
            if now() > deadline:
                raise AssertionError(f'no visible window {title_regex} within {timeout} s')
            time.sleep(0.05)

    def geometry(self, window: Window) -> Window:
        fields = dict(line.split('=', 1) for line in
                      self.xdotool('getwindowgeometry', '--shell', window.xid).split())
        return Window(window.xid, int(fields['X']), int(fields['Y']), int(fields['WIDTH']),
                      int(fields['HEIGHT']))

    def window_name(self, window: Window) -> str:
        return self.xdotool('getwindowname', window.xid).rstrip('\n')

    def move(self, window: Window, x: int, y: int) -> float:
        t = self.mark(f'move {x},{y}')
        self.xdotool('mousemove', '--sync', window.x + x, window.y + y)
        return t

    def click(self, window: Window, x: int, y: int, button: int = 1) -> float:
        """Moves the pointer to window position (x, y) and clicks there."""
        self.move(window, x, y)
        t = self.mark(f'click {x},{y}')
        self.xdotool('click', button)
        return t

    def key(self, window: Window, *keys: str) -> float:
        """Types keys into the window, which must have (or soon get) the X input focus.

        The keys go through XTEST like a real keyboard. Sent to the window with XSendEvent
        (xdotool key --window) Wine loses the press of every second program run in a session."""
        deadline = now() + 5
        while self.focused_xid() != window.xid:
            if now() > deadline:
                raise AssertionError(f'window {window.xid:#x} never got the keyboard focus')
            time.sleep(0.02)
        t = self.mark('key ' + ' '.join(keys))
        self.xdotool('key', *keys)
        return t

    def focused_xid(self) -> int:
        return int(self.xdotool('getwindowfocus').split()[0])

    def close_command(self, window: Window) -> float:
        t = self.mark('close command')
        _send_delete_window(self.display, window.xid)
        return t

    # -- observing ------------------------------------------------------------------------

    def mark(self, label: str) -> float:
        t = now()
        self.marks.append((t, label))
        return t

    def screenshot(self) -> Screenshot:
        env = dict(os.environ, DISPLAY=self.display)
        data = subprocess.run(['import', '-window', 'root', '-depth', '8', 'ppm:-'], env=env, timeout=30,
                              check=True, stdin=subprocess.DEVNULL, capture_output=True).stdout
        return Screenshot.from_ppm(data)

    def traces(self, channel: str | None = None, function: str | None = None) -> list[Trace]:
        return [t for t in self.run.traces()
                if (channel is None or t.channel == channel)
                and (function is None or t.function == function)]

    def window_trace(self, title: str) -> WindowTrace | None:
        return window_trace(self.run.traces(), title)

    def file_opens(self, under: str | None = None) -> list[FileOpen]:
        """CreateFileW calls of this run in trace order; `under` keeps paths starting with it
        (case-insensitive), e.g. the program folder 'C:\\Pawlet\\'."""
        opens = file_opens_in(self.run.traces())
        if under is not None:
            opens = [o for o in opens if o.path.lower().startswith(under.lower())]
        return opens

    def browser_log(self, wait: float = 0) -> list[str]:
        """Addresses handed to the browser so far; waits up to `wait` s for the first one."""
        path = self.dir / 'browser.log'
        deadline = now() + wait
        while not path.exists() and now() < deadline:
            time.sleep(0.05)
        return path.read_text().splitlines() if path.exists() else []

    def sounds(self) -> list[Path]:
        return sorted((self.dir / 'sound').glob('stream_*.raw'), key=lambda p: p.stat().st_mtime)

    def cursor(self) -> Cursor:
        out = _run([str(_xcursor_probe())], env=dict(os.environ, DISPLAY=self.display)).stdout
        fields = dict(item.split('=', 1) for item in out.split())
        return Cursor(*(int(fields[k], 0) for k in
                        ('width', 'height', 'xhot', 'yhot', 'serial', 'checksum')))


# ---------------------------------------------------------------------------------------------
# wine-run

def run_console_program(program: str, args, timeout: float = 280) -> int:
    """Runs one program (a Win32-level test) in its own session, output passed through."""
    with Session(trace=()) as s:
        s.start(args, program=os.path.abspath(program), cwd=os.getcwd(), stdout=1, stderr=2)
        try:
            code = s.wait_exit(timeout)
        except ProgramHung as e:
            print(f'wine-run: {e}', flush=True)
            return 124
        return code if code >= 0 else 128 - code
