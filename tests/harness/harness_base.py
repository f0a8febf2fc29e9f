"""The clock and the quiet subprocess call that every part of the harness uses."""

import subprocess
import time


def now() -> float:
    """Seconds on CLOCK_MONOTONIC_RAW: the clock of Wine's +timestamp and of GetTickCount()."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def run_quiet(cmd, env=None, timeout=30, check=True) -> subprocess.CompletedProcess:
    """Runs a helper command with no input, its output captured as text."""
    return subprocess.run([str(c) for c in cmd], env=env, timeout=timeout, check=check,
                          stdin=subprocess.DEVNULL, capture_output=True, text=True)
