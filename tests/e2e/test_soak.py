"""A short soak: 51 actions, every touch region three times (the x86_64 twin under wine64, label
e2e; the product under 32-bit Wine, label product). After the first round (which opens the sound
device and makes each cursor once) nothing the program owns may grow: live kernel handles, GDI
objects and cursors by its own counts, and its resident memory by no more than a few megabytes.
scripts/soak.sh runs the long version."""

import os
import unittest

from soak import REGION_POINTS, memory_kb, play_actions, start_session

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
ROUNDS = 3


@unittest.skipUnless(EXE and os.path.exists(EXE), 'PAWLET_EXE is not built')
class SoakTest(unittest.TestCase):
    def test_many_actions_leave_nothing_behind(self):
        session, window = start_session(EXE, ASSETS if ASSETS and os.path.isdir(ASSETS) else None)
        self.addCleanup(session.__exit__, None, None, None)
        lines = play_actions(session, window, ROUNDS * len(REGION_POINTS))
        before, after = lines[len(REGION_POINTS)], lines[-1]
        print(f'\nbefore: {before.describe()}\nafter:  {after.describe()}')
        # Every action played; the mouth picks drink or eat at random.
        self.assertGreaterEqual(len({c.action for c in lines}), 16, 'every region played its action')
        self.assertGreater(after.handles[0], before.handles[0], 'the counts move')
        self.assertGreater(after.cursors[0], before.cursors[0], 'the counts move')
        for name, b, a in zip(('kernel handles', 'GDI objects', 'cursors'), before.live(), after.live()):
            self.assertLessEqual(a, b, f'live {name} grew from {b} to {a}')
        self.assertLess(after.rss_kb - before.rss_kb, 16 * 1024,
                        f'resident memory grew from {before.rss_kb} kB to {after.rss_kb} kB')
        self.assertLess(memory_kb(session.run.proc.pid, 'VmHWM'), 400 * 1024)
        session.key(window, 'Escape')
        session.xdotool('keyup', 'Escape')
        self.assertEqual(session.wait_exit(timeout=15), 0)
