#!/usr/bin/env python3
"""The pet's speed and size under wine64, beside a bare-timer yardstick, as one table.

    benchmarks/wine_bench.py [--idle-seconds 60] [--actions 100] [--warm-starts 5]

Run by scripts/bench.sh after the build. Uses the test harness (tests/harness): a private Xvfb
and a fresh Wine prefix per session, with Wine's file-open trace (+file) giving the times.

- start to first blink: from starting wine64 to the program opening blink0000, in a session
  whose Wine server is already up (warm: the first start of the session is left out);
- idle CPU over --idle-seconds: the pet left alone twice, with the pointer resting off its window
  and over the cat (outside every hover spot), and at the same time benchmarks'
  pawlet_bare_timer.exe (one 100 ms SetTimer, nothing else), each in a session of its own
  without traces; CPU time of each program's threads and of each session's wineserver
  (/proc/PID/task/*/schedstat), as a share of one core;
- frame step: time between the opens of consecutive frame files within an action, over
  --actions short actions (listen and cymbal in turn), median and p95;
- RSS of the program at start, after a first action of each kind (the first sound loads Wine's
  sound driver), and after the --actions actions that follow;
- the native decode comparison (build/native/benchmarks/pawlet_decode_comparison).
The load average is printed at the start and the end: figures taken under load are inflated.
"""

from __future__ import annotations

import argparse
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / 'tests' / 'harness'))

from pawlet_harness import Session, exact_title, now  # noqa: E402
from wine_prefix import WINESERVER, prefix_processes  # noqa: E402
from wine_trace import file_opens_in, parse_traces  # noqa: E402

EXE = REPO / 'build' / 'win64' / 'pawlet.exe'
BARE_TIMER = REPO / 'build' / 'win64' / 'pawlet_bare_timer.exe'
ASSETS = REPO / 'build' / 'native' / 'cat-assets'
DECODE_COMPARISON = REPO / 'build' / 'native' / 'benchmarks' / 'pawlet_decode_comparison'
TITLE = 'PawletPC版  https://pawlet.example.org/'
ANIMATIONS = 'C:\\Pawlet\\animations\\'
FIRST_BLINK = 'blink\\cat_blink0000.jpg'
# Short actions, pressed in turn (box client coordinates): touch region 10 starts listen
# (11 frames, no sound), region 2 cymbal (13 frames and a sound).
SHORT_ACTIONS = [((208, 291), 'listen\\cat_listen00', 11), ((160, 300), 'cymbal\\cat_cymbal00', 13)]
CLK_TCK = os.sysconf('SC_CLK_TCK')
# Where the pointer rests for the idle figure "over the cat": window coordinates of a point of
# the box outside every hover spot, so the hand shows and every tick reads the pointer.
IDLE_OVER_THE_CAT = (40, 240)

# Goals under wine64.
GOAL_STEP_MEDIAN_MS = 51.5
GOAL_STEP_P95_MS = 54
GOAL_IDLE_RATIO = 1.3
GOAL_RSS_GROWTH_KB = 256
GOAL_FIRST_BLINK_MS = 250
GOAL_TO_FLOOR = 1.2
GOAL_STB_RATIO = 1.4


def load_average() -> str:
    return ' '.join(Path('/proc/loadavg').read_text().split()[:3])


def cpu_seconds(pid: int) -> float:
    """User plus system time of a process, all its threads, dead ones too (10 ms steps)."""
    text = Path(f'/proc/{pid}/stat').read_text()
    fields = text[text.rindex(')') + 2:].split()
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def run_seconds(pid: int) -> float:
    """CPU time of a process's living threads, to the nanosecond (schedstat): idle figures are
    a few milliseconds a second, too little for the 10 ms steps of /proc/PID/stat."""
    total = 0
    for task in Path(f'/proc/{pid}/task').iterdir():
        try:
            total += int((task / 'schedstat').read_text().split()[0])
        except (OSError, IndexError, ValueError):
            pass  # a thread that ended meanwhile
    return total / 1e9


def rss_kb(pid: int) -> int:
    for line in Path(f'/proc/{pid}/status').read_text().splitlines():
        if line.startswith('VmRSS:'):
            return int(line.split()[1])
    raise RuntimeError(f'no VmRSS for process {pid}')


def wineserver_pid(session: Session) -> int:
    for pid in prefix_processes(session.prefix):
        try:
            # /usr/lib/wine/wineserver is a script that starts wineserver64 (or wineserver32).
            if Path(f'/proc/{pid}/comm').read_text().startswith('wineserver'):
                return pid
        except OSError:
            pass
    raise RuntimeError('the session has no wineserver')


def quantile(values, q):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(q * (len(ordered) - 1) + 0.5))]


class FileOpenTail:
    """The run's file opens under the animations folder, read on from where the last call ended."""

    def __init__(self, session: Session):
        self.path = session.run.stderr_path
        self.offset = 0
        self.opens: list[tuple[float, str]] = []

    def poll(self) -> list[tuple[float, str]]:
        with open(self.path, 'rb') as f:
            f.seek(self.offset)
            data = f.read()
        complete = data[:data.rfind(b'\n') + 1]
        self.offset += len(complete)
        lines = complete.decode('utf-8', 'replace').splitlines()
        self.opens += [(o.time, o.path[len(ANIMATIONS):]) for o in file_opens_in(parse_traces(lines))
                       if o.path.lower().startswith(ANIMATIONS.lower())]
        return self.opens

    def wait_for(self, done, timeout=20.0) -> list[tuple[float, str]]:
        deadline = now() + timeout
        while not done(self.poll()):
            if now() > deadline:
                raise RuntimeError(f'gave up waiting; last opens {[n for _, n in self.opens[-5:]]}')
            time.sleep(0.02)
        return self.opens


def start_pet(session: Session):
    session.start()
    tail = FileOpenTail(session)
    window = session.find_window(exact_title(TITLE))
    return window, tail


def first_blink_times(session: Session, warm_starts: int) -> tuple[float, list[float]]:
    """(cold, [warm, ...]) milliseconds from starting the program to its opening blink0000."""
    times = []
    for _ in range(warm_starts + 1):
        window, tail = start_pet(session)
        started = session.run.started
        opens = tail.wait_for(lambda o: any(n == FIRST_BLINK for _, n in o))
        times.append(1000 * (next(t for t, n in opens if n == FIRST_BLINK) - started))
        session.close_command(window)
        if session.wait_exit(timeout=15) != 0:
            raise RuntimeError('the pet did not end with 0')
    return times[0], times[1:]


def idle_cpu(programs: dict, seconds: float) -> dict:
    """{label: (program %, wineserver %)}: shares of one core over the same `seconds` for every
    {label: session} given, each session's latest run being the program."""
    pids = {}
    for label, session in programs.items():
        pids[label] = session.run.proc.pid
        pids[label + ' wineserver'] = wineserver_pid(session)
    before = {k: run_seconds(p) for k, p in pids.items()}
    t0 = now()
    time.sleep(seconds)
    after = {k: run_seconds(p) for k, p in pids.items()}
    elapsed = now() - t0
    share = {k: 100 * (after[k] - before[k]) / elapsed for k in pids}
    return {label: (share[label], share[label + ' wineserver']) for label in programs}


def play_short_actions(session: Session, window, tail: FileOpenTail, count: int) -> list[float]:
    """Frame steps (ms) of `count` actions, each waited out to the blink0000 that follows it."""
    steps = []
    for i in range(count):
        (x, y), prefix, frames = SHORT_ACTIONS[i % len(SHORT_ACTIONS)]
        seen = len(tail.poll())
        session.click(window, x + 1, y + 1)
        last = prefix + '%02d.jpg' % frames

        def ended(opens):
            names = [n for _, n in opens[seen:]]
            return last in names and FIRST_BLINK in names[names.index(last):]
        opens = tail.wait_for(ended)[seen:]
        times = [t for t, n in opens if n.startswith(prefix)]
        if len(times) != frames:
            raise RuntimeError(f'action {prefix}: {len(times)} frame files opened, not {frames}')
        steps += [1000 * (b - a) for a, b in zip(times, times[1:])]
    return steps


def native_comparison(rounds: int) -> dict:
    """{row: (cpu median ms, cpu p95 ms, wall median ms)} from the native decode comparison."""
    out = subprocess.run([str(DECODE_COMPARISON), '--rounds', str(rounds), '--tsv'], check=True,
                         capture_output=True, text=True, timeout=600).stdout
    rows = {}
    for line in out.splitlines():
        name, *figures = line.split('\t')
        rows[name] = tuple(float(f) for f in figures)
    return rows


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--idle-seconds', type=float, default=60)
    parser.add_argument('--actions', type=int, default=100)
    parser.add_argument('--warm-starts', type=int, default=5)
    parser.add_argument('--native-rounds', type=int, default=5)
    args = parser.parse_args()
    for needed in (EXE, BARE_TIMER, DECODE_COMPARISON, ASSETS / 'animations'):
        if not needed.exists():
            sys.exit(f'wine_bench: {needed} is missing; build the native and win64 presets')

    load_start = load_average()
    native = native_comparison(args.native_rounds)

    # Idle: the pet twice (the pointer resting off its window, and over the cat away from any
    # spot) and the yardstick, side by side, each in a session of its own without traces.
    with Session(trace=()) as away, Session(trace=()) as over, Session(trace=()) as bare:
        windows = {}
        for label, session in (('away', away), ('over', over)):
            session.install(EXE, assets=ASSETS)
            session.start()
            windows[label] = session.find_window(exact_title(TITLE))
        away.xdotool('mousemove', '--sync', 2, 2)
        over.move(windows['over'], *IDLE_OVER_THE_CAT)
        bare.start(program=str(BARE_TIMER))
        time.sleep(3)  # past the programs' start-up
        idle = idle_cpu({'away': away, 'over': over, 'bare': bare}, args.idle_seconds)
        for label, session in (('away', away), ('over', over)):
            session.close_command(windows[label])
            session.wait_exit(timeout=15)

    with Session() as pet:
        pet.install(EXE, assets=ASSETS)
        # A Wine server kept up between the starts: the warm start is the one a user sees most.
        subprocess.run([WINESERVER, '-p'], env=pet.env, stdin=subprocess.DEVNULL, timeout=30)
        cold, warm = first_blink_times(pet, args.warm_starts)

        window, tail = start_pet(pet)
        pet_pid = pet.run.proc.pid
        tail.wait_for(lambda o: len(o) >= 2)
        rss_start = rss_kb(pet_pid)
        # One action of each kind first: the first sound loads Wine's sound driver and its
        # libraries once for the process's life, which is no growth per action.
        play_short_actions(pet, window, tail, len(SHORT_ACTIONS))
        time.sleep(1)
        rss_before = rss_kb(pet_pid)
        cpu_before = cpu_seconds(pet_pid)
        steps = play_short_actions(pet, window, tail, args.actions)
        time.sleep(1)
        rss_after = rss_kb(pet_pid)
        action_cpu = cpu_seconds(pet_pid) - cpu_before
        pet.close_command(window)
        pet.wait_exit(timeout=15)

    load_end = load_average()
    rows = []

    def row(what, value, goal='', met=None):
        verdict = '' if met is None else ('met' if met else 'NOT met')
        rows.append((what, value, goal, verdict))

    warm_median = statistics.median(warm)
    row('start to first blink, warm (median of %d)' % len(warm), '%.0f ms' % warm_median,
        '<= %d ms' % GOAL_FIRST_BLINK_MS, warm_median <= GOAL_FIRST_BLINK_MS)
    row('  all warm starts; cold first start', ' '.join('%.0f' % t for t in warm) +
        ' ms; %.0f ms' % cold)
    bare_program, bare_server = idle['bare']
    row('idle CPU over %.0f s: bare timer, its wineserver' % args.idle_seconds,
        '%.3f %%, %.3f %%' % (bare_program, bare_server))
    for label, where in (('away', 'pointer off the window'), ('over', 'pointer over the cat')):
        program, server = idle[label]
        for who, share, base in (('program', program, bare_program), ('wineserver', server, bare_server)):
            ratio = share / base if base > 0 else float('inf')
            row('idle CPU, %s, %s; vs bare timer' % (where, who), '%.3f %%; %.2fx' % (share, ratio),
                '<= %.1fx' % GOAL_IDLE_RATIO, ratio <= GOAL_IDLE_RATIO)
    median, p95 = statistics.median(steps), quantile(steps, 0.95)
    # Wine's +timestamp counts whole milliseconds: the mean shows what the median rounds away.
    row('frame step median (%d steps, %d actions); mean' % (len(steps), args.actions),
        '%.1f ms; %.2f ms' % (median, statistics.mean(steps)),
        '<= %.1f ms' % GOAL_STEP_MEDIAN_MS, median <= GOAL_STEP_MEDIAN_MS)
    row('frame step p95; max', '%.1f ms; %.1f ms' % (p95, max(steps)), '<= %d ms' % GOAL_STEP_P95_MS,
        p95 <= GOAL_STEP_P95_MS)
    row('program CPU per frame during the actions', '%.2f ms' % (1000 * action_cpu / (len(steps) + args.actions)))
    growth = rss_after - rss_before
    row('RSS at start; after a first action of each kind; after the %d actions' % args.actions,
        '%d KB; %d KB; %d KB' % (rss_start, rss_before, rss_after))
    row('  growth over the %d actions' % args.actions, '%+d KB' % growth, '<= %d KB' % GOAL_RSS_GROWTH_KB, growth <= GOAL_RSS_GROWTH_KB)
    floor = native['floor'][0]
    for key, label in (('step', 'native frame step (read+decode+compose), CPU'),
                       ('read', '  read'), ('decode', '  decode'), ('compose', '  compose'),
                       ('floor', 'libjpeg-turbo floor, CPU'), ('nosimd', 'libjpeg-turbo SIMD off, CPU'),
                       ('stb', 'stb_image, CPU')):
        if key in native:
            cpu, p95_cpu, wall = native[key]
            row(label, '%.3f ms (p95 %.3f, wall %.3f)' % (cpu, p95_cpu, wall))
    step = native['step'][0]
    row('native frame step / floor', '%.2fx' % (step / floor), '<= %.1fx' % GOAL_TO_FLOOR,
        step / floor <= GOAL_TO_FLOOR)
    row('stb_image / native frame step', '%.2fx' % (native['stb'][0] / step),
        '>= %.1fx' % GOAL_STB_RATIO, native['stb'][0] / step >= GOAL_STB_RATIO)

    width = max(len(r[0]) for r in rows)
    vwidth = max(len(r[1]) for r in rows)
    print(f'Pawlet under wine64 and natively; load average {load_start} at the start, '
          f'{load_end} at the end')
    print(f'{"measure":<{width}}  {"figure":<{vwidth}}  {"goal":<10}  verdict')
    for what, value, goal, verdict in rows:
        print(f'{what:<{width}}  {value:<{vwidth}}  {goal:<10}  {verdict}'.rstrip())
    return 0


if __name__ == '__main__':
    sys.exit(main())
