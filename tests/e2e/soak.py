"""Plays many actions in a row, every touch region in turn, and reads what the program made and
freed from its own counts (the debug output line each action writes when it starts: kernel
handles, GDI objects and cursors, made/freed) and the process's resident memory from /proc.

    python3 tests/e2e/soak.py [--actions 1000] [--exe build/win64/pawlet.exe] [--assets DIR]

(PYTHONPATH=tests/harness; scripts/soak.sh sets it up.) test_soak.py runs a short soak and
asserts that nothing grows. Under this Wine GetProcessHandleCount and GetGuiResources read 0
whatever leaks, so the program counts for itself."""

from __future__ import annotations

import argparse
import dataclasses
import os
import re
import sys
import time
from pathlib import Path

from pawlet_harness import Session, exact_title, now

TITLE = 'PawletPC版  https://pawlet.example.org/'

# Two points inside each touch region (the box's client coordinates), in the regions' order; the
# harness's move stalls on a point where the pointer already is, so repeated presses alternate.
REGIONS = [((l + r) // 2 + dx, (t + b) // 2 + dy) for l, r, t, b in [
    (91, 122, 284, 319), (126, 193, 281, 335), (205, 237, 365, 435), (125, 204, 208, 238),
    (127, 184, 390, 440), (163, 200, 440, 464), (115, 153, 442, 464), (140, 188, 177, 200),
    (146, 177, 107, 131), (197, 220, 274, 308), (115, 146, 139, 170), (174, 206, 142, 170),
    (141, 185, 343, 382), (82, 121, 177, 220), (190, 230, 175, 207), (73, 106, 108, 158),
    (210, 238, 109, 161)] for dx, dy in ((0, 0), (2, 2))]
REGION_POINTS = [REGIONS[2 * i:2 * i + 2] for i in range(17)]

_COUNTS = re.compile(r'OutputDebugStringA "pawlet counts: action (\d+); kernel handles (\d+)/(\d+), '
                     r'GDI objects (\d+)/(\d+), cursors (\d+)/(\d+)')


@dataclasses.dataclass(frozen=True)
class Counts:
    action: int
    handles: tuple[int, int]   # made, freed
    gdi: tuple[int, int]
    cursors: tuple[int, int]
    rss_kb: int                # resident memory when the line was read

    def live(self) -> tuple[int, int, int]:
        return (self.handles[0] - self.handles[1], self.gdi[0] - self.gdi[1],
                self.cursors[0] - self.cursors[1])

    def describe(self) -> str:
        h, g, c = self.live()
        return (f'kernel handles {self.handles[0]}/{self.handles[1]} (live {h}), '
                f'GDI objects {self.gdi[0]}/{self.gdi[1]} (live {g}), '
                f'cursors {self.cursors[0]}/{self.cursors[1]} (live {c}), RSS {self.rss_kb / 1024:.1f} MB')


def memory_kb(pid: int, field: str = 'VmRSS') -> int:
    """A field of /proc/PID/status in kB (VmRSS now, VmHWM the peak); 0 when unreadable."""
    try:
        for line in Path(f'/proc/{pid}/status').read_text().splitlines():
            if line.startswith(field + ':'):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


class CountsReader:
    """Reads the counts lines of a run's debug output as they come (WINEDEBUG=+debugstr)."""

    def __init__(self, session: Session):
        self.session, self.offset, self.lines = session, 0, []

    def poll(self) -> list[Counts]:
        path = self.session.run.stderr_path
        with open(path, 'rb') as f:
            f.seek(self.offset)
            data = f.read()
        end = data.rfind(b'\n') + 1
        self.offset += end
        for line in data[:end].decode('utf-8', 'replace').splitlines():
            if m := _COUNTS.search(line):
                v = list(map(int, m.groups()))
                self.lines.append(Counts(v[0], (v[1], v[2]), (v[3], v[4]), (v[5], v[6]),
                                         memory_kb(self.session.run.proc.pid)))
        return self.lines


def start_session(exe: str, assets: str | None) -> tuple[Session, object]:
    session = Session(trace=('debugstr',))
    session.__enter__()
    session.install(exe, assets=assets)
    session.start()
    return session, session.find_window(exact_title(TITLE))


def play_actions(session: Session, window, count: int, progress=None,
                 per_action_timeout: float = 30) -> list[Counts]:
    """Presses region 1, 2, ... 17, 1, ... until `count` actions have started; a press during an
    action starts nothing, so each region is pressed again until its action starts."""
    reader = CountsReader(session)
    presses = 0
    for i in range(count):
        points = REGION_POINTS[i % len(REGION_POINTS)]
        deadline = now() + per_action_timeout
        while len(reader.poll()) <= i:
            if now() > deadline or not session.running():
                raise AssertionError(f'action {i + 1} of {count} never started '
                                     f'(running: {session.running()})')
            x, y = points[presses % 2]
            presses += 1
            session.click(window, x + 1, y + 1)
            wait_until = now() + 0.25
            while now() < wait_until and len(reader.poll()) <= i:
                time.sleep(0.02)
        if progress:
            progress(i + 1, reader.lines[-1])
    return reader.lines


def main() -> int:
    root = Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--actions', type=int, default=1000)
    parser.add_argument('--exe', default=str(root / 'build/win64/pawlet.exe'))
    parser.add_argument('--assets', default=str(root / 'build/native/test-assets'))
    args = parser.parse_args()
    started = time.time()
    session, window = start_session(args.exe, args.assets)
    try:
        def progress(n, c):
            if n == 1 or n % 50 == 0 or n == args.actions:
                print(f'soak: {n:5d} actions, {time.time() - started:6.0f} s: {c.describe()}', flush=True)
        lines = play_actions(session, window, args.actions, progress)
        peak = memory_kb(session.run.proc.pid, 'VmHWM')
        session.key(window, 'Escape')
        session.xdotool('keyup', 'Escape')
        code = session.wait_exit(timeout=15)
    finally:
        session.__exit__(None, None, None)
    warm = lines[min(len(REGION_POINTS), len(lines) - 1)]
    print(f'soak: first action: {lines[0].describe()}')
    print(f'soak: before (action {min(len(REGION_POINTS), len(lines) - 1) + 1}, after one round): {warm.describe()}')
    print(f'soak: after (action {len(lines)}): {lines[-1].describe()}')
    print(f'soak: peak RSS {peak / 1024:.1f} MB; exit code {code}; {time.time() - started:.0f} s')
    grew = [a - b for a, b in zip(lines[-1].live(), warm.live())]
    print(f'soak: growth of live kernel handles, GDI objects, cursors: {grew}')
    return 0 if code == 0 and all(g <= 0 for g in grew) else 1


if __name__ == '__main__':
    sys.exit(main())
