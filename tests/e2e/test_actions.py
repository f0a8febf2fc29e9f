"""The cat's behaviour seen from outside: which frame files the running program opens, and when.

The idle cycle opens blink0000, blink0001 and blink0002 about 500 ms and 100 ms apart and starts
over about 2.6 s later; a press on the belly during the idle pause plays action 14, one frame file
about every 50 ms, then blink0000 at once; presses during the action start nothing. Bounds are
generous: the machine is shared. Against the product under 32-bit Wine (label product) only the
order is checked: where qemu runs it, the work between frames is several times slower."""

import os
import time
import unittest

from pawlet_harness import Session, exact_title, now

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
TITLE = 'PawletPC版  https://pawlet.example.org/'
ANIMATIONS = 'C:\\Pawlet\\animations\\'
BLINK = ['blink\\cat_blink000%d.jpg' % i for i in range(3)]

# Presses in the animation box's client coordinates; the box's client area starts at (1, 1) of
# the window.
BELLY = (163, 362)  # touch region 13: action 14 (stomach)
# Touch region 16: action 16 (talk). Two points: the harness's move waits for the pointer to
# move, so the same point twice in a row would stall it.
LEFT_EAR = [(90, 130), (95, 140)]


def stomach_frames():
    """Action 14's 33 frame files in playing order: 00..08, then 10..33."""
    return ['stomach\\cat_stomach00%02d.jpg' % (i - 1 if i <= 9 else i) for i in range(1, 34)]


def ms(seconds):
    return round(seconds * 1000)


@unittest.skipUnless(EXE and os.path.exists(EXE), 'PAWLET_EXE is not built')
class ActionsTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.session.__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.timed = self.session.wine.name == 'wine64'
        assets = ASSETS if ASSETS and os.path.isdir(ASSETS) else None
        self.session.install(EXE, assets=assets)
        self.session.start()
        self.window = self.session.find_window(exact_title(TITLE))

    def press(self, point):
        return self.session.click(self.window, point[0] + 1, point[1] + 1)

    def frame_opens(self):
        """(time, name relative to animations\\) of every frame file opened so far."""
        return [(o.time, o.path[len(ANIMATIONS):])
                for o in self.session.file_opens(under=ANIMATIONS)]

    def wait_for_opens(self, done, timeout=20):
        """Polls the trace until done(opens) is true; returns the opens."""
        deadline = now() + timeout
        while True:
            opens = self.frame_opens()
            if done(opens):
                return opens
            if now() > deadline:
                self.fail(f'gave up waiting; opens so far: {[n for _, n in opens][-40:]}')
            time.sleep(0.05)

    def test_idle_cycle_blinks_then_pauses(self):
        opens = self.wait_for_opens(lambda o: [n for _, n in o].count(BLINK[0]) >= 4)
        names = [n for _, n in opens]
        # The first activation shows blink0000, and the first idle cycle shows it again at once.
        self.assertEqual(names[:2], [BLINK[0], BLINK[0]])
        cycle = opens[1:]
        self.assertEqual([n for _, n in cycle[:7]], BLINK * 2 + [BLINK[0]])
        if not self.timed:
            return  # the times are checked under wine64 only
        self.assertLess(ms(opens[1][0] - opens[0][0]), 150)
        for start in (0, 3):
            (t0, _), (t1, _), (t2, _), (t_next, _) = cycle[start:start + 4]
            self.assertTrue(450 <= ms(t1 - t0) <= 900, f'blink0000 shown {ms(t1 - t0)} ms')
            self.assertTrue(80 <= ms(t2 - t1) <= 400, f'blink0001 shown {ms(t2 - t1)} ms')
            self.assertTrue(2500 <= ms(t_next - t0) <= 3300, f'cycle of {ms(t_next - t0)} ms')

    def test_belly_press_in_the_idle_pause_plays_stomach_and_ignores_presses(self):
        self.wait_for_opens(lambda o: any(n == BLINK[2] for _, n in o))
        pressed = self.press(BELLY)
        frames = stomach_frames()

        # Press the ear twice while the frames play.
        self.wait_for_opens(lambda o: any(n == frames[5] for _, n in o))
        during = [self.press(LEFT_EAR[0])]
        self.wait_for_opens(lambda o: any(n == frames[20] for _, n in o))
        during.append(self.press(LEFT_EAR[1]))
        # Past the action and the next blink0001.
        opens = self.wait_for_opens(
            lambda o: [n for t, n in o if t > pressed].count(BLINK[1]) >= 1)
        time.sleep(0.3)
        opens = self.frame_opens()

        after = [(t, n) for t, n in opens if t > pressed]
        names = [n for _, n in after]
        self.assertEqual(names[:33], frames, 'the 33 frames of action 14, in order')
        self.assertEqual(names[33:35], [BLINK[0], BLINK[1]])
        self.assertFalse([n for n in names if not n.startswith('stomach\\') and
                          not n.startswith('blink\\')], 'a press during the action started one')

        # The press came in the pause: blink0002 was the last picture before the first frame.
        before = [n for t, n in opens if t <= pressed]
        self.assertEqual(before[-1], BLINK[2])
        times = [t for t, _ in after]
        for t in during:
            self.assertTrue(times[0] < t < times[32], 'the ear was pressed during the action')
        if not self.timed:
            return  # the times are checked under wine64 only
        self.assertTrue(20 <= ms(times[0] - pressed) <= 400, f'first frame {ms(times[0] - pressed)} ms')
        steps = [ms(b - a) for a, b in zip(times[:33], times[1:33])]
        self.assertTrue(all(30 <= s <= 250 for s in steps), f'frame steps {steps}')
        self.assertTrue(1500 <= ms(times[32] - times[0]) <= 2800)
        self.assertLess(ms(times[33] - times[32]), 100, 'blink0000 follows the last frame at once')
        self.assertTrue(450 <= ms(times[34] - times[33]) <= 900)

    def test_press_offsets_follow_the_box_edge(self):
        # Region 1 (scratch) has the exclusive left bound x = 91: the window pixel (92, y + 1) is
        # box pixel 91 and starts nothing; one to the right is inside.
        self.wait_for_opens(lambda o: any(n == BLINK[2] for _, n in o))
        on_bound = self.press((91, 300))
        time.sleep(0.5)
        self.assertFalse([n for t, n in self.frame_opens() if t > on_bound and n.startswith('scratch')],
                         'a press on the stored bound started scratch')
        inside = self.press((92, 300))
        opens = self.wait_for_opens(lambda o: any(t > inside and n.startswith('scratch') for t, n in o))
        first = next(n for t, n in opens if t > inside and n.startswith('scratch'))
        self.assertEqual(first, 'scratch\\cat_scratch0001.jpg')


if __name__ == '__main__':
    unittest.main()
