#!/usr/bin/env python3
"""Runs a built pawlet.exe from its folder under wine64.

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
from wine_prefix import FONT_LINK_FACES, FONT_LINK_TARGET, WINE64, wine_env  # noqa: E402

TITLE = '^Pawlet'   # the main window's title starts with the program's name
SETTLE_SECONDS = 4  # long enough for the background, the first blink and the skin to show


def run_on_display(exe: Path, prefix: Path) -> int:
    env = wine_env(prefix, display=os.environ['DISPLAY'])
    if not (prefix / 'system.reg').exists():
        subprocess.run([WINE64, 'wineboot', '-i'], env=env, check=True, stderr=subprocess.DEVNULL)
        # The same font fallback as the test prefix, so that the Chinese labels render.
        link = r'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in FONT_LINK_FACES:
            subprocess.run([WINE64, 'reg', 'add', link, '/v', face, '/t', 'REG_MULTI_SZ',
                            '/d', FONT_LINK_TARGET, '/f'],
                           env=env, check=True, stdout=subprocess.DEVNULL)
    return subprocess.run([WINE64, exe.name], cwd=exe.parent, env=env).returncode


def run_for_screenshot(exe: Path, png: Path) -> int:
    with Session(trace=()) as session:
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
