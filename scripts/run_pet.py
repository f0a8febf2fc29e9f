#!/usr/bin/env python3
"""Runs a built pawlet.exe from its folder under the Wine for its processor: wine64 for the x86_64
twin, 32-bit Wine for the product (through qemu-i386 where the kernel cannot run 32-bit code).

    run_pet.py display <exe> <prefix>        on $DISPLAY, in a Wine prefix of its own; waits
    run_pet.py screenshot <exe> <png>        in a private Xvfb and a fresh prefix (the test
                                             harness's session); saves a screenshot, then ends it
"""

import os
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / 'tests' / 'harness'))
from pawlet_harness import Session  # noqa: E402
from wine_prefix import (FONT_LINK_FACES, FONT_LINK_TARGET, I686_WINE,  # noqa: E402
                         WINE32_DISABLED_SERVICES, wine_env, wine_for_program)

TITLE = '^Pawlet'   # the main window's title starts with the program's name
SETTLE_SECONDS = 4  # long enough for the background, the first blink and the skin to show


def run_on_display(exe: Path, prefix: Path) -> int:
    wine = wine_for_program(exe)
    env = wine_env(prefix, display=os.environ['DISPLAY'], wine=wine)

    def reg_add(key, name, kind, data):
        subprocess.run([wine.loader, 'reg', 'add', key, '/v', name, '/t', kind, '/d', data, '/f'],
                       env=env, check=True, stdout=subprocess.DEVNULL)

    if not (prefix / 'system.reg').exists():
        subprocess.run([wine.loader, 'wineboot', '-i'], env=dict(env, WINEARCH=wine.arch),
                       check=True, stderr=subprocess.DEVNULL)
        # The same font fallback as the test prefix, so that the Chinese labels render.
        link = r'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in FONT_LINK_FACES:
            reg_add(link, face, 'REG_MULTI_SZ', FONT_LINK_TARGET)
        if wine is I686_WINE:  # as in the test prefix: no drivers that fail under the emulator
            services = r'HKLM\System\CurrentControlSet\Services'
            for service in WINE32_DISABLED_SERVICES:
                reg_add(rf'{services}\{service}', 'Start', 'REG_DWORD', '4')
            reg_add(r'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug', 'Debugger',
                    'REG_SZ', '')
    return subprocess.run([wine.loader, exe.name], cwd=exe.parent, env=env).returncode


def run_for_screenshot(exe: Path, png: Path) -> int:
    with Session(trace=(), wine=wine_for_program(exe)) as session:
        session.start(program=exe, cwd=exe.parent)
        session.find_window(TITLE)
        time.sleep(SETTLE_SECONDS)
        if not session.running():
            print(f'run_pet: pawlet.exe ended on its own with exit code '
                  f'{session.run.proc.returncode}', file=sys.stderr)
            return 1
        subprocess.run(['import', '-window', 'root', str(png)], check=True,
                       env=dict(os.environ, DISPLAY=session.display))
        print(f'run_pet: the pet ran in Xvfb {session.display}; screenshot: {png}')
    return 0


def main(argv) -> int:
    if len(argv) != 4 or argv[1] not in ('display', 'screenshot'):
        sys.exit(__doc__)
    exe, target = Path(argv[2]).resolve(), Path(argv[3]).resolve()
    if argv[1] == 'display':
        return run_on_display(exe, target)
    return run_for_screenshot(exe, target)


if __name__ == '__main__':
    sys.exit(main(sys.argv))
