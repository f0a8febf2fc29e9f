"""Runs a Windows program under Wine in a private Xvfb display and looks at it from outside.

One Session is one X display, one Wine prefix (a copy of a template prefix made once per
checkout and Wine) and one Wine server. A session can run the program several times in a row; the
methods about "the program" refer to the latest run. Parts: wine_prefix (template and copies),
wine_trace (the debug log), frame_code (screenshots, test-picture codes), x_display (Xvfb,
close command, cursor).

    with Session() as s:
        s.install(PAWLET_EXE, assets=TEST_ASSETS)         # C:\\Pawlet\\pawlet.exe, animations\\, sounds\\
        s.start()
        win = s.find_window(exact_title(TITLE))          # Window(xid, x, y, width, height)
        s.click(win, 160, 300)                           # window coordinates
        shot = s.screenshot()
        code = s.wait_exit(timeout=15)                   # ProgramHung (a test failure) on time-out

Session(screen=(1024, 768), trace=('file',), capture_sound=False, env=None, wine=None)
  wine: wine_prefix.X86_64_WINE (wine64) or I686_WINE (32-bit Wine, through qemu-i386 where
      the kernel cannot run 32-bit code); by default the one that runs PAWLET_EXE
      (wine_for_program reads its PE machine), so one variable picks the program and its Wine.
      session.wine.name: 'wine64' or 'wine32'; .emulated: computation runs several times slower
      than natively there, waits do not.
  install(exe, assets=None, folder='Pawlet', remove=(), replace=None) -> Windows path of the exe;
      folder '' installs at the drive root (C:\\pawlet.exe). remove: asset paths relative to the
      program folder ('animations/blink/cat_blink0000.jpg'); replace: {relative path: bytes}.
  start(args=(), program=None, cwd=None, stdout=None, stderr=None) -> Run
      starts the installed program (or any Windows or Unix path) with WINEDEBUG=+timestamp,+pid
      and the trace channels; stderr goes to a file of the run unless given.
  find_window(title_regex, timeout=None) -> Window   (xdotool --onlyvisible --name; anchor it);
                                                     20 s, 60 s under the emulator (a cold start)
  geometry(window) -> Window                         the window's current position and size
  window_name(window) -> str                         its title
  click(window, x, y, button=1), move(window, x, y) -> time of the action
  key(window, *keys) -> time                         xdotool key names: 'Escape', 'Tab', 'space';
                                                     waits for the window to have the X focus
  close_command(window) -> time                      the system's close command (WM_DELETE_WINDOW,
                                                     which Wine turns into WM_SYSCOMMAND SC_CLOSE)
  screenshot() -> Screenshot                          .pixel(x, y), .at(window, x, y), .save(path)
  wait_exit(timeout=15) -> exit code                 the shell's view: low byte, -1 shows as 255
  running() -> bool
  pointer() -> (x, y); focused_xid() -> X window with the keyboard focus
  file_opens(under=None) -> [FileOpen(seq, time, pid, tid, path)]   CreateFileW calls, in order
  traces(channel, function=None) -> [Trace]          any trace line of the run
  window_trace(title) -> WindowTrace(hwnd, created, shown)   needs trace channel 'win'
  mark(label) -> time; marks -> [(time, label)]      the harness's actions, same clock as traces
  browser_log(wait=0) -> [address]                   what the shell's "open" handed to the browser
  forget_browser_log()                               before a further run of the session
  sounds() -> [Path]                                 raw streams, one per wave-out handle
                                                     (capture_sound=True)
  cursor() -> Cursor(width, height, xhot, yhot, serial, checksum)   the X server's pointer now
  crashes() -> [Crash(image, detail)]                 processes of the session that crashed, the
                                                     program's own and background ones (explorer,
                                                     services); noted under 32-bit Wine only, and
                                                     close() lists them in the test's output

now() -> seconds on CLOCK_MONOTONIC_RAW, the clock of Wine's +timestamp and GetTickCount().
exact_title(text) -> the anchored, escaped pattern that find_window wants.
read_frame_code(shot, window_x, window_y) -> (action, frame index), 'blink0'..'blink2' or None:
  which test-asset picture the animation box shows (tools/make_test_assets draws the code).
template_prefix() -> Path of the template (made under a file lock on first use).
run_console_program(program, args) -> exit code: one program in a fresh session (wine-run).

Environment: PAWLET_WINE_TEMPLATE (the template's folder, default build/wine-template; the
sessions go beside it, into <template>-sessions, on the same file system for hard links),
PAWLET_XCURSOR_PROBE (the probe's path), PAWLET_KEEP_SESSIONS=1 (keep logs, drop the prefix).
"""

from __future__ import annotations

import dataclasses
import os
import re
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

from frame_code import Screenshot, read_frame_code  # noqa: F401  (part of the API)
from harness_base import now, run_quiet
from wine_prefix import (clone_prefix, clone_tree, default_wine, remove_stale_sessions,
                         stop_wineserver, template_prefix, wine_env)
from wine_trace import (Crash, FileOpen, Trace, WindowTrace, crashes_in, file_opens_in,
                        parse_traces, window_trace)
from x_display import Cursor, Xvfb, read_cursor, send_delete_window


class ProgramHung(AssertionError):
    """The program did not end in time; it has been killed."""


@dataclasses.dataclass(frozen=True)
class Window:
    xid: int
    x: int
    y: int
    width: int
    height: int


def exact_title(text: str) -> str:
    """An anchored POSIX extended regular expression matching exactly this title."""
    return '^' + re.sub(r'([.\[\]()*+?{}|^$\\])', r'\\\1', text) + '$'


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
    """A display, a prefix and a Wine server of their own; see the module's description."""

    def __init__(self, screen=(1024, 768), trace=('file',), capture_sound=False, env=None,
                 wine=None):
        self.screen = screen
        self.wine = wine or default_wine()
        channels = ['+timestamp', '+pid', *('+' + c for c in trace)] if trace else ['-all']
        if self.wine.name == 'wine32':
            # Background processes crash under the emulator now and then: note which ones did.
            channels += ['+pid', '+loaddll', 'err+seh']
        self.debug = ','.join(channels)
        self.capture_sound = capture_sound
        self.extra_env = dict(env or {})
        self.marks: list[tuple[float, str]] = []
        self.runs: list[Run] = []
        self.dir = self.prefix = self.display = self.xvfb = self.env = None
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
        template = template_prefix(self.wine)
        sessions = template.with_name(template.name + '-sessions')
        sessions.mkdir(exist_ok=True)
        remove_stale_sessions(sessions)
        self.dir = Path(tempfile.mkdtemp(prefix=f'session-{os.getpid()}-', dir=sessions))
        self.prefix = self.dir / 'prefix'
        clone_prefix(template / 'prefix', self.prefix)
        self.xvfb = Xvfb(self.screen, self.dir / 'xvfb.log')
        self.display = self.xvfb.name
        self.env = self._session_env()

    def close(self) -> None:
        if self.wine.name == 'wine32' and self.runs:
            started = {str(run.proc.args[1]).replace('\\', '/').rsplit('/', 1)[-1].lower()
                       for run in self.runs}
            for crash in self.crashes():
                whose = 'the program' if crash.image.lower() in started else 'background process'
                print(f'pawlet_harness: under {self.wine.name}, ' + (
                    f'{whose} {crash.image} crashed ({crash.detail})' if crash.image
                    else crash.detail))
        for run in self.runs:
            if run.proc.poll() is None:
                run.proc.kill()
        if self.prefix and self.prefix.exists():
            stop_wineserver(self.prefix)
        for run in self.runs:
            try:
                run.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        if self.xvfb:
            self.xvfb.stop()
        if self.dir:
            if os.environ.get('PAWLET_KEEP_SESSIONS'):
                shutil.rmtree(self.prefix, ignore_errors=True)
                print(f'pawlet_harness: session kept in {self.dir}')
            else:
                shutil.rmtree(self.dir, ignore_errors=True)

    def _session_env(self) -> dict:
        env = wine_env(self.prefix, self.debug, self.display, self.wine)
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
                    clone_tree(Path(assets) / sub, self.program_dir / sub)
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
            proc = subprocess.Popen([self.wine.loader, str(program), *map(str, args)], env=self.env,
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
            stop_wineserver(self.prefix)
            raise ProgramHung(f'the program did not end within {timeout} s; killed') from None
        self.mark(f'exit {code}')
        return code

    def running(self) -> bool:
        return self.run.proc.poll() is None

    # -- windows and input ----------------------------------------------------------------

    def xdotool(self, *args, timeout=15) -> str:
        env = dict(os.environ, DISPLAY=self.display, LC_ALL='C.UTF-8')
        return run_quiet(['xdotool', *args], env=env, timeout=timeout).stdout

    def find_window(self, title_regex: str, timeout: float | None = None) -> Window:
        """The visible top-level window whose title matches; fails if the program ends first."""
        timeout = timeout or (60 if self.wine.emulated else 20)
        deadline = now() + timeout
        while True:
            result = run_quiet(['xdotool', 'search', '--onlyvisible', '--name', title_regex],
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
        target = (window.x + x, window.y + y)
        # --sync waits for the pointer to move, forever if it is already there.
        if self.pointer() != target:
            self.xdotool('mousemove', '--sync', *target)
        return t

    def pointer(self) -> tuple[int, int]:
        """The pointer's screen position."""
        fields = dict(f.split('=', 1) for f in self.xdotool('getmouselocation', '--shell').split())
        return int(fields['X']), int(fields['Y'])

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

    def focused_xid(self) -> int | None:
        """The X window with the keyboard focus; None before any window has taken it."""
        result = run_quiet(['xdotool', 'getwindowfocus', '-f'], check=False,
                           env=dict(os.environ, DISPLAY=self.display))
        words = result.stdout.split()
        return int(words[0]) if result.returncode == 0 and words else None

    def close_command(self, window: Window) -> float:
        t = self.mark('close command')
        send_delete_window(self.display, window.xid)
        return t

    # -- observing ------------------------------------------------------------------------

    def mark(self, label: str) -> float:
        t = now()
        self.marks.append((t, label))
        return t

    def screenshot(self) -> Screenshot:
        env = dict(os.environ, DISPLAY=self.display)
        data = subprocess.run(['import', '-window', 'root', '-depth', '8', 'ppm:-'], env=env,
                              timeout=30, check=True, stdin=subprocess.DEVNULL,
                              capture_output=True).stdout
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

    def forget_browser_log(self) -> None:
        (self.dir / 'browser.log').unlink(missing_ok=True)

    def sounds(self) -> list[Path]:
        return sorted((self.dir / 'sound').glob('stream_*.raw'), key=lambda p: p.stat().st_mtime)

    def cursor(self) -> Cursor:
        return read_cursor(self.display)

    def crashes(self) -> list[Crash]:
        found = []
        for run in self.runs:  # background processes write to the run that started them
            if run.stderr_path and run.stderr_path.exists():
                with open(run.stderr_path, encoding='utf-8', errors='replace') as f:
                    found += crashes_in(f)
        return found


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
