"""32-bit Wine on a kernel that cannot execute 32-bit code: qemu's user-mode emulator runs it,
registered for 32-bit x86 programs in binfmt_misc by scripts/enable-qemu-i386.sh (only where the
kernel cannot). Whether it is in use, what its processes need in their environment, and the
check that 32-bit programs run here at all."""

from __future__ import annotations

import functools
import os
import subprocess
from pathlib import Path

from harness_base import run_quiet

BINFMT = Path('/proc/sys/fs/binfmt_misc')
BINFMT_ENTRY = BINFMT / 'qemu-i386'
FIXES_LIBRARY = 'libpawlet_qemu_fixes.so'
# Wine reserves the low 4 GiB of the emulated process; without this qemu's own mappings sit
# there and Wine stops at "failed to map the shared user data: c0000018".
RESERVED_VA = '0xffff0000'


class CannotRun32Bit(AssertionError):
    """This machine cannot run 32-bit x86 programs: a test of the product fails, it never skips."""


def in_use() -> bool:
    """32-bit x86 programs go to the emulator: a registered handler comes before the kernel's own
    loader, whether or not that could run them."""
    try:
        return (BINFMT / 'status').read_text().strip() == 'enabled' and \
            BINFMT_ENTRY.read_text().startswith('enabled')
    except OSError:
        return False


def fixes_dir() -> Path:
    """build/native/qemu-fixes from tools/qemu_fixes: lib/<multiarch>/ holds the i386 library
    and a 64-bit one that does nothing."""
    candidates = [os.environ.get('PAWLET_QEMU_FIXES')]
    if os.environ.get('PAWLET_TEST_ASSETS'):
        candidates.append(Path(os.environ['PAWLET_TEST_ASSETS']).parent / 'qemu-fixes')
    candidates.append(Path(__file__).resolve().parents[2] / 'build/native/qemu-fixes')
    for c in candidates:
        if c and (Path(c) / 'lib/i386-linux-gnu' / FIXES_LIBRARY).is_file():
            return Path(c)
    raise FileNotFoundError(f'{FIXES_LIBRARY} not found: build the native preset '
                            '(tools/qemu_fixes) or set PAWLET_QEMU_FIXES')


def emulator_env() -> dict:
    # $LIB is left to the dynamic loader: lib/i386-linux-gnu in the emulated 32-bit processes,
    # lib/x86_64-linux-gnu in the native wineserver.
    return {'QEMU_RESERVED_VA': RESERVED_VA,
            'LD_PRELOAD': f'{fixes_dir()}/$LIB/{FIXES_LIBRARY}'}


def _binfmt_state() -> str:
    if not (BINFMT / 'status').exists():
        return 'binfmt_misc is not mounted'
    if not BINFMT_ENTRY.exists():
        return 'no qemu-i386 entry is registered in binfmt_misc'
    return 'binfmt_misc entry qemu-i386: ' + BINFMT_ENTRY.read_text().split('\n', 1)[0]


@functools.cache
def check_runs(loader: str) -> str:
    """The 32-bit Wine's version; CannotRun32Bit with the reason when it cannot start."""
    try:
        result = run_quiet([loader, '--version'], timeout=60, check=False)
        if result.returncode == 0:
            return result.stdout.strip()
        reason = f'{loader} --version ended with {result.returncode}: {result.stderr.strip()}'
    except (OSError, subprocess.TimeoutExpired) as e:
        reason = f'{loader} cannot start: {e}'
    raise CannotRun32Bit(
        f'32-bit x86 programs cannot run on this machine ({reason}; {_binfmt_state()}). '
        'The product tests run the i686 pawlet.exe under 32-bit Wine, which needs a kernel that '
        'runs 32-bit code or qemu-i386 registered for it: scripts/install-packages.sh installs '
        'wine32:i386 and qemu-user-static, scripts/enable-qemu-i386.sh registers the emulator '
        '(as root).')
