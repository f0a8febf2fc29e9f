"""The pointer over the cat, seen by the X server: each touch region shows its picture cursor,
the rest of the animation box our hand, within a few hover ticks (100 ms each), during actions
too, and also when the region under a resting pointer changes because the window moved."""

import os
import statistics
import time
import unittest
from pathlib import Path

from cursor_image import block_payload, shown_cursor
from pawlet_harness import Session, exact_title, now

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
ART = os.environ.get('PAWLET_ART_DIR') or (ASSETS and str(Path(ASSETS).parent / 'art'))
MOVE_WINDOW = os.environ.get('PAWLET_MOVE_WINDOW')
TITLE = 'PawletPC版  https://pawlet.example.org/'
ANIMATIONS = 'C:\\Pawlet\\animations\\'

# One spot per picture cursor, in the box's client coordinates, and spots of the hand.
SPOTS = [
    ('right foot', (181, 451), 'cursor_cleaver'),
    ('left paw', (105, 300), 'cursor_skull'),
    ('chest', (160, 310), 'cursor_ladybird'),
    ('tail', (220, 400), 'cursor_handshake'),
    ('mouth', (164, 222), 'cursor_cup'),
    ('lower body', (155, 415), 'cursor_dung'),
    ('nose', (163, 188), 'cursor_beckon'),
    ('top of the head', (160, 118), 'cursor_bomb'),
    ('right paw', (208, 290), 'cursor_football'),
    ('left eye', (130, 154), 'cursor_dagger'),
    ('left cheek', (100, 198), 'cursor_penguin'),
    ('right ear', (223, 134), 'cursor_ok_hand'),
    ('alley above the cat', (30, 40), 'hand'),
    # The left paw's bounds: the skull shows on the stored bound, where a press does nothing,
    # and the hand on the last pixel a press still takes.
    ('left paw, stored left bound', (91, 300), 'cursor_skull'),
    ('left paw, last pixel of a press', (121, 300), 'hand'),
]
BELLY = (163, 362)      # the dagger
LEFT_PAW = (105, 300)   # the skull; a press plays action 1 (scratch), nearly three seconds long
LEFT_EAR = (89, 132)    # the OK hand
NOSE = (163, 188)       # the beckoning hand

TICK_BOUND = 1.5        # seconds for any one change: the machine is shared
TYPICAL_BOUND = 0.3     # the median change: a tick is 100 ms


def expected(name: str):
    if name == 'hand':
        return shown_cursor(Path(ART, 'hand.cur').read_bytes())
    return shown_cursor(block_payload(Path(ART, 'cursors', name + '.block').read_bytes()))


def same(cursor, wanted) -> bool:
    return (cursor.width, cursor.height, cursor.xhot, cursor.yhot, cursor.checksum) == \
        (wanted.width, wanted.height, wanted.xhot, wanted.yhot, wanted.checksum)


@unittest.skipUnless(EXE and ASSETS and ART, 'set PAWLET_EXE and PAWLET_TEST_ASSETS (ctest does)')
class HoverCursors(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.session.__enter__()
        self.addCleanup(self.session.close)
        self.session.install(EXE, assets=ASSETS)
        self.session.start()
        self.window = self.session.find_window(exact_title(TITLE))
        # The pet runs: the first blink picture has been read.
        self.wait_until(lambda: self.frame_opens(), 'no blink picture was read')

    def frame_opens(self):
        return [(o.time, o.path[len(ANIMATIONS):]) for o in self.session.file_opens(under=ANIMATIONS)]

    def wait_until(self, done, message, timeout=20):
        deadline = now() + timeout
        while not done():
            if now() > deadline:
                self.fail(message)
            time.sleep(0.05)

    def point_at(self, spot) -> float:
        return self.session.move(self.window, spot[0] + 1, spot[1] + 1)

    def wait_for_cursor(self, name, since, what) -> float:
        """Seconds from `since` until the X server shows the cursor `name`."""
        wanted = expected(name)
        seen = None
        while now() - since < TICK_BOUND:
            seen = self.session.cursor()
            if same(seen, wanted):
                return now() - since
        self.fail(f'{what}: {name} ({wanted.width}x{wanted.height} at {wanted.xhot},{wanted.yhot}) '
                  f'did not show within {TICK_BOUND} s; the pointer is {seen}')

    def test_each_region_shows_its_cursor_and_the_rest_of_the_box_the_hand(self):
        delays = []
        for what, spot, name in SPOTS:
            delays.append(self.wait_for_cursor(name, self.point_at(spot), what))
        typical = statistics.median(delays)
        print(f'hover cursor after a move: median {typical * 1000:.0f} ms, '
              f'slowest {max(delays) * 1000:.0f} ms')
        self.assertLessEqual(typical, TYPICAL_BOUND)

    def test_cursors_follow_the_regions_during_an_action(self):
        pressed = self.session.click(self.window, LEFT_PAW[0] + 1, LEFT_PAW[1] + 1)
        self.wait_until(lambda: any(t > pressed and n.startswith('scratch') for t, n in self.frame_opens()),
                        'the press on the left paw started no action')
        shown = [self.wait_for_cursor('cursor_ok_hand', self.point_at(LEFT_EAR), 'left ear')]
        shown.append(self.wait_for_cursor('cursor_beckon', self.point_at(NOSE), 'nose'))
        changed = now()
        self.wait_until(lambda: [n for _, n in self.frame_opens()].count('blink\\cat_blink0000.jpg') >= 3,
                        'the action never ended')
        last_frame = max(t for t, n in self.frame_opens() if n.startswith('scratch'))
        self.assertGreater(last_frame, changed, 'the action had ended before the cursors changed')

    @unittest.skipUnless(MOVE_WINDOW, 'set PAWLET_MOVE_WINDOW (ctest does)')
    def test_cursor_changes_when_the_window_moves_under_a_resting_pointer(self):
        self.wait_for_cursor('cursor_dagger', self.point_at(BELLY), 'belly')
        resting = self.session.pointer()
        # 90 pixels up, the feet lie where the belly was.
        moved = now()
        self.session.start(args=['PawletMainWindow', '0', '-90'], program=MOVE_WINDOW)
        self.assertEqual(self.session.wait_exit(timeout=20), 0, 'the window was not moved')
        self.wait_for_cursor('cursor_cleaver', moved, 'feet under the resting pointer')
        self.assertEqual(self.session.pointer(), resting)


if __name__ == '__main__':
    unittest.main()
