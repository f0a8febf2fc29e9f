"""Wine prefixes for the tests: one template per checkout and Wine, made once under a file lock,
and a cheap copy of it for each session (big read-only files are hard links).

Two Wines: wine64 runs the x86_64 twin; 32-bit Wine runs the product, pawlet.exe for i686, on a
kernel that executes 32-bit code itself or else through qemu's user-mode emulator (qemu_i386).
wine_for_program picks one by the program's PE machine, so a program always gets the Wine it was
built for."""

import codecs
import dataclasses
import fcntl
import hashlib
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

from harness_base import run_quiet
import qemu_i386

WINE64 = '/usr/lib/wine/wine64'
WINE32 = '/usr/lib/wine/wine'
WINESERVER = '/usr/lib/wine/wineserver'  # the native 64-bit server, for both Wines
REPO = Path(__file__).resolve().parents[2]
TEMPLATE_RECIPE = 2  # bump when the template's contents change

BROWSER_SCRIPT = '#!/bin/sh\n# Stands in for a web browser: notes each address it is given.\n' \
                 'for a in "$@"; do printf \'%s\\n\' "$a" >> "${PAWLET_BROWSER_LOG:-/dev/null}"; done\n'

# Faces that Wine picks for the default GUI font here; each falls back to a font with Chinese.
FONT_LINK_FACES = ('Tahoma', 'Tahoma Bold', 'Microsoft Sans Serif', 'DejaVu Sans',
                   'DejaVu Sans Bold')
FONT_LINK_TARGET = 'wqy-microhei.ttc,WenQuanYi Micro Hei'

# 32-bit prefixes: under the emulator these drivers crash or keep a process busy, and the program
# needs none of them; the crash debugger would start for every crash of a background process.
WINE32_DISABLED_SERVICES = ('MountMgr', 'winebus', 'wineusb', 'nsiproxy', 'NDIS')

# Big files that Wine only reads: linked, not copied, into each session's prefix.
LINKED_SUFFIXES = {'.dll', '.exe', '.drv', '.sys', '.ocx', '.acm', '.ax', '.cpl', '.tlb',
                   '.ds', '.ttf', '.fon', '.msstyles', '.com', '.vxd'}


@dataclasses.dataclass(frozen=True)
class Wine:
    name: str             # wine64 or wine32
    loader: str
    arch: str             # WINEARCH of its prefixes
    template_suffix: str  # beside the wine64 template, its folder name plus this

    @property
    def emulated(self) -> bool:
        """Run by qemu-i386: computation is several times slower, waits are not."""
        return self.name == 'wine32' and qemu_i386.in_use()

    def env(self) -> dict:
        return qemu_i386.emulator_env() if self.emulated else {}


X86_64_WINE = Wine('wine64', WINE64, 'win64', '')
I686_WINE = Wine('wine32', WINE32, 'win32', '-win32')
_WINE_OF_MACHINE = {0x8664: X86_64_WINE, 0x14c: I686_WINE}  # IMAGE_FILE_MACHINE_*


def wine_for_program(path) -> Wine:
    """The Wine that runs this PE program: by the machine field of its file header."""
    with open(path, 'rb') as f:
        header = f.read(4096)
    pe = int.from_bytes(header[0x3c:0x40], 'little')
    if header[:2] != b'MZ' or header[pe:pe + 4] != b'PE\0\0':
        raise ValueError(f'{path} is not a PE program')
    machine = int.from_bytes(header[pe + 4:pe + 6], 'little')
    if machine not in _WINE_OF_MACHINE:
        raise ValueError(f'{path}: no Wine here runs PE machine {machine:#x}')
    return _WINE_OF_MACHINE[machine]


def default_wine() -> Wine:
    """The Wine of the program under test (PAWLET_EXE); wine64 when none is named."""
    exe = os.environ.get('PAWLET_EXE')
    return wine_for_program(exe) if exe and os.path.isfile(exe) else X86_64_WINE


def template_dir(wine: Wine = X86_64_WINE) -> Path:
    # One template per Wine for every preset and test kind: making one takes a while and 700 MB.
    root = Path(os.environ.get('PAWLET_WINE_TEMPLATE') or REPO / 'build' / 'wine-template')
    return root.with_name(root.name + wine.template_suffix)


def windows_path(unix_path: Path) -> str:
    return 'Z:' + str(unix_path).replace('/', '\\')


def wine_env(prefix: Path, debug: str = '-all', display: str | None = None,
             wine: Wine = X86_64_WINE) -> dict:
    env = dict(os.environ)
    for name in ('WINELOADER', 'WINESERVER', 'WINEARCH', 'DISPLAY'):
        env.pop(name, None)
    env.update(WINEPREFIX=str(prefix), WINEDLLOVERRIDES='mscoree,mshtml=', WINEDEBUG=debug)
    env.update(wine.env())
    if display:
        env['DISPLAY'] = display
    return env


def prefix_processes(prefix: Path) -> list[int]:
    """Processes started with this WINEPREFIX: the server, its services and the programs."""
    marker = b'WINEPREFIX=' + str(prefix).encode()
    found = []
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open(f'/proc/{entry}/environ', 'rb') as f:
                    if marker in f.read().split(b'\0'):
                        found.append(int(entry))
            except OSError:
                pass
    return found


def _kill_prefix_processes(prefix: Path) -> None:
    for _ in range(10):  # a service may be starting while the others go
        pids = prefix_processes(prefix)
        if not pids:
            return
        for pid in pids:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        time.sleep(0.02)


def stop_wineserver(prefix: Path) -> None:
    """Ends every process of the prefix, its Wine server included.

    They are killed outright: 'wineserver -k' lets the services shut down, which takes most of
    a second, and 'wineserver -k9' kills only the server and leaves its processes behind, holding
    the test's output pipes open."""
    _kill_prefix_processes(prefix)
    for args in (['-k'], ['-w']):  # whatever the server's socket folder still holds
        try:
            run_quiet([WINESERVER, *args], env=wine_env(prefix), timeout=15, check=False)
        except subprocess.TimeoutExpired:
            pass
    _kill_prefix_processes(prefix)


def _reg_multi_sz(strings) -> str:
    data = ''.join(s + '\0' for s in strings) + '\0'
    return 'hex(7):' + ','.join('%02x' % b for b in data.encode('utf-16-le'))


def _wine32_registry() -> list[str]:
    lines = []
    for service in WINE32_DISABLED_SERVICES:
        lines += [f'[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\{service}]',
                  '"Start"=dword:00000004', '']
    return lines + [r'[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]',
                    '"Debugger"=""', '']


def _template_registry(browser: Path, wine: Wine = X86_64_WINE) -> str:
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
        *[f'"{face}"={link}' for face in FONT_LINK_FACES], '',
        *(_wine32_registry() if wine is I686_WINE else []), ''])


def _template_stamp(root: Path, wine: Wine) -> str:
    if wine is I686_WINE:
        wine_version = qemu_i386.check_runs(wine.loader)
    else:
        wine_version = run_quiet([wine.loader, '--version']).stdout.strip()
    inf = Path('/usr/share/wine/wine.inf')
    inf_time = inf.stat().st_mtime_ns if inf.exists() else 0
    text = f'{TEMPLATE_RECIPE}\n{wine_version}\n{inf_time}\n{BROWSER_SCRIPT}\n' \
           f'{_template_registry(root / "browser-log", wine)}'
    return hashlib.sha256(text.encode()).hexdigest()


def _run_logged(cmd, env: dict, log: Path, timeout: float) -> None:
    """Runs a Wine command with its output in a file: the services it starts keep their copy of
    the output open, and a pipe would make the wait last until they end."""
    with open(log, 'ab') as out:
        result = subprocess.run([str(c) for c in cmd], env=env, timeout=timeout,
                                stdin=subprocess.DEVNULL, stdout=out, stderr=out)
    if result.returncode != 0:
        raise RuntimeError(f'{cmd} ended with {result.returncode}: see {log}')


def _make_template(root: Path, stamp: str, wine: Wine) -> None:
    work = root.with_name(f'{root.name}.new-{os.getpid()}')
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = dict(wine_env(work / 'prefix', wine=wine), WINEARCH=wine.arch)
    log = work / 'make.log'
    _run_logged([wine.loader, 'wineboot', '-i'], env, log, timeout=300)
    (work / 'browser-log').write_text(BROWSER_SCRIPT)
    (work / 'browser-log').chmod(0o755)
    reg = work / 'settings.reg'
    reg.write_bytes(codecs.BOM_UTF16_LE +
                    _template_registry(root / 'browser-log', wine).encode('utf-16-le'))
    _run_logged([wine.loader, 'regedit', '/S', windows_path(reg)], env, log, timeout=120)
    # Services started before their settings took effect would keep running under the
    # emulator: end them. The server saves the registry as it exits.
    ending = '-k' if wine is I686_WINE else '-w'
    run_quiet([WINESERVER, ending], env=env, timeout=120, check=False)
    (work / 'stamp').write_text(stamp)
    shutil.rmtree(root, ignore_errors=True)
    work.rename(root)


def template_prefix(wine: Wine = X86_64_WINE) -> Path:
    """The template's folder (prefix/, browser-log); made once, under a lock, when out of date."""
    root = template_dir(wine)
    root.parent.mkdir(parents=True, exist_ok=True)
    stamp = _template_stamp(root, wine)
    with open(root.with_name(root.name + '.lock'), 'w') as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp_file = root / 'stamp'
        if not stamp_file.exists() or stamp_file.read_text() != stamp:
            _make_template(root, stamp, wine)
    return root


def _link_or_copy(src: Path, dst: Path) -> None:
    try:
        os.link(src, dst)
    except OSError:
        shutil.copy2(src, dst)


def clone_tree(src: Path, dst: Path, link=lambda p: True) -> None:
    """Copies a tree; files for which link(path) holds become hard links where possible."""
    for folder, dirs, files in os.walk(src):
        rel = Path(folder).relative_to(src)
        (dst / rel).mkdir(parents=True, exist_ok=True)
        for name in dirs + files:
            s, d = Path(folder) / name, dst / rel / name
            if s.is_symlink():
                os.symlink(os.readlink(s), d)
            elif name in files:
                (_link_or_copy if link(s) else shutil.copy2)(s, d)


def clone_prefix(src: Path, dst: Path) -> None:
    clone_tree(src, dst, link=lambda p: p.suffix.lower() in LINKED_SUFFIXES)


def remove_stale_sessions(sessions: Path) -> None:
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
            stop_wineserver(d / 'prefix')
        shutil.rmtree(d, ignore_errors=True)
