"""Wine prefixes for the tests: one template per checkout, made once under a file lock, and a
cheap copy of it for each session (big read-only files are hard links)."""

import codecs
import fcntl
import hashlib
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

from harness_base import run_quiet

WINE64 = '/usr/lib/wine/wine64'
WINESERVER = '/usr/lib/wine/wineserver'
REPO = Path(__file__).resolve().parents[2]
TEMPLATE_RECIPE = 2  # bump when the template's contents change

BROWSER_SCRIPT = '#!/bin/sh\n# Stands in for a web browser: notes each address it is given.\n' \
                 'for a in "$@"; do printf \'%s\\n\' "$a" >> "${PAWLET_BROWSER_LOG:-/dev/null}"; done\n'

# Faces that Wine picks for the default GUI font here; each falls back to a font with Chinese.
FONT_LINK_FACES = ('Tahoma', 'Tahoma Bold', 'Microsoft Sans Serif', 'DejaVu Sans',
                   'DejaVu Sans Bold')
FONT_LINK_TARGET = 'wqy-microhei.ttc,WenQuanYi Micro Hei'

# Big files that Wine only reads: linked, not copied, into each session's prefix.
LINKED_SUFFIXES = {'.dll', '.exe', '.drv', '.sys', '.ocx', '.acm', '.ax', '.cpl', '.tlb',
                   '.ds', '.ttf', '.fon', '.msstyles', '.com', '.vxd'}


def template_dir() -> Path:
    # One template for every preset and test kind: making one takes a while and 700 MB.
    return Path(os.environ.get('PAWLET_WINE_TEMPLATE') or REPO / 'build' / 'wine-template')


def windows_path(unix_path: Path) -> str:
    return 'Z:' + str(unix_path).replace('/', '\\')


def wine_env(prefix: Path, debug: str = '-all', display: str | None = None) -> dict:
    env = dict(os.environ)
    for name in ('WINELOADER', 'WINESERVER', 'WINEARCH', 'DISPLAY'):
        env.pop(name, None)
    env.update(WINEPREFIX=str(prefix), WINEDLLOVERRIDES='mscoree,mshtml=', WINEDEBUG=debug)
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
    wine_version = run_quiet([WINE64, '--version']).stdout.strip()
    inf = Path('/usr/share/wine/wine.inf')
    inf_time = inf.stat().st_mtime_ns if inf.exists() else 0
    text = f'{TEMPLATE_RECIPE}\n{wine_version}\n{inf_time}\n{BROWSER_SCRIPT}\n' \
           f'{_template_registry(root / "browser-log")}'
    return hashlib.sha256(text.encode()).hexdigest()


def _make_template(root: Path, stamp: str) -> None:
    work = root.with_name(f'{root.name}.new-{os.getpid()}')
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = wine_env(work / 'prefix')
    run_quiet([WINE64, 'wineboot', '-i'], env=env, timeout=300)
    (work / 'browser-log').write_text(BROWSER_SCRIPT)
    (work / 'browser-log').chmod(0o755)
    reg = work / 'settings.reg'
    reg.write_bytes(codecs.BOM_UTF16_LE +
                    _template_registry(root / 'browser-log').encode('utf-16-le'))
    run_quiet([WINE64, 'regedit', '/S', windows_path(reg)], env=env, timeout=120)
    run_quiet([WINESERVER, '-w'], env=env, timeout=120)
    (work / 'stamp').write_text(stamp)
    shutil.rmtree(root, ignore_errors=True)
    work.rename(root)


def template_prefix() -> Path:
    """The template's folder (prefix/, browser-log); made once, under a lock, when out of date."""
    root = template_dir()
    root.parent.mkdir(parents=True, exist_ok=True)
    stamp = _template_stamp(root)
    with open(root.with_name(root.name + '.lock'), 'w') as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp_file = root / 'stamp'
        if not stamp_file.exists() or stamp_file.read_text() != stamp:
            _make_template(root, stamp)
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
