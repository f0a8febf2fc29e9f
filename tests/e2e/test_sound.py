"""The cat heard from outside: what pawlet.exe plays, recorded in real time from a private sound
server (tests/harness/sound_capture.py). Each sound file of the test assets is a tone of its own
(tones.txt beside them: name, frequency, seconds), so the recording shows which sound played
when, and for how long. Bounds are generous: the machine is shared."""

import os
import time
import unittest
from pathlib import Path

from pawlet_harness import Session, exact_title, now
from sound_capture import SoundCapture

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
TITLE = 'PawletPC版  https://pawlet.example.org/'
PROGRAM = 'C:\\Pawlet\\'
BLINK = ['blink\\cat_blink000%d.jpg' % i for i in range(3)]
CLOSE_BUTTON = (241, 515)  # window coordinates

# Presses in the animation box's client coordinates, which start at (1, 1) of the window.
TAIL = (221, 400)         # action 2, angry-tail: "angry.wav" 500 ms in
LEFT_CHEEK = (100, 198)   # action 9, happy: "purr.wav" 10 ms in
BELLY = (163, 362)        # action 14, stomach: "p_meuu.wav" 500 ms in
MOUTH = (164, 223)        # action 4, drink ("pour_milk.wav" and "p_drink_milk.wav" together at
                          # 1700 ms) or action 5, eat, drawn at random


def ms(seconds):
    return round(seconds * 1000)


def read_tones():
    tones = {}
    for line in Path(ASSETS, 'tones.txt').read_text().splitlines():
        name, frequency, seconds = line.split()
        tones[name] = (float(frequency), float(seconds))
    return tones


@unittest.skipUnless(EXE and ASSETS, 'set PAWLET_EXE and PAWLET_TEST_ASSETS (ctest does)')
class SoundTest(unittest.TestCase):
    def setUp(self):
        self.tones = read_tones()
        self.session = Session()
        self.session.__enter__()
        self.addCleanup(self.session.close)
        self.capture = SoundCapture(self.session)
        self.addCleanup(self.capture.close)

    def start(self, **install):
        self.session.install(EXE, assets=ASSETS, **install)
        self.session.start()
        self.window = self.session.find_window(exact_title(TITLE))

    def press(self, point):
        return self.session.click(self.window, point[0] + 1, point[1] + 1)

    def opens(self, folder):
        """(time, name relative to the folder) of the files opened so far below it."""
        under = PROGRAM + folder + '\\'
        return [(o.time, o.path[len(under):]) for o in self.session.file_opens(under=under)]

    def wait_for(self, done, folder='animations', timeout=20):
        deadline = now() + timeout
        while True:
            opens = self.opens(folder)
            if done(opens):
                return opens
            if now() > deadline:
                self.fail(f'gave up waiting; {folder} opens so far: {[n for _, n in opens][-30:]}')
            time.sleep(0.05)

    def wait_for_idle_pause(self, after=0.0):
        """Waits until blink0002 shows after `after`: the pet is idle and will stay so 2 s."""
        self.wait_for(lambda o: any(t > after and n == BLINK[2] for t, n in o))

    def span(self, name, after, within=6):
        frequency, _ = self.tones[name]
        return self.capture.tone_span(frequency, after=after, within=within)

    def assert_plays_whole(self, name, span):
        _, seconds = self.tones[name]
        self.assertIsNotNone(span, f'{name} was not heard')
        self.assertTrue(seconds - 0.06 <= span[1] - span[0] <= seconds + 0.15,
                        f'{name} sounded {ms(span[1] - span[0])} ms of {ms(seconds)}')

    def test_a_tail_press_is_heard_half_a_second_later_in_full(self):
        self.start()
        self.wait_for_idle_pause()
        pressed = self.press(TAIL)
        span = self.span('angry.wav', after=pressed)
        self.assert_plays_whole('angry.wav', span)
        self.assertTrue(450 <= ms(span[0] - pressed) <= 800, f'heard {ms(span[0] - pressed)} ms in')
        # The cue reads the file; the sound reaches the recording soon after.
        cue = next(t for t, n in self.opens('sounds') if n == 'angry.wav')
        latency = ms(span[0] - cue)
        print(f'cue to sound: {latency} ms')
        self.assertLess(latency, 150)
        others = [n for n, (f, _) in self.tones.items()
                  if n != 'angry.wav' and self.capture.tone_level(f, pressed, span[1]) > 0.02]
        self.assertEqual(others, [], 'only the angry tone plays')

    def test_the_purr_goes_on_under_the_next_actions_sound(self):
        self.start()
        self.wait_for_idle_pause()
        happy = self.press(LEFT_CHEEK)
        # Once the happy frames are over, the belly: its sound comes while the purr goes on.
        self.wait_for(lambda o: any(n.startswith('happy\\') for t, n in o if t > happy) and
                      any(n == BLINK[0] for t, n in o if t > happy))
        stomach = self.press(BELLY)
        purr = self.span('purr.wav', after=happy)
        meow = self.span('p_meuu.wav', after=stomach)
        self.assert_plays_whole('purr.wav', purr)
        self.assert_plays_whole('p_meuu.wav', meow)
        self.assertLess(ms(purr[0] - happy), 300)
        self.assertTrue(purr[0] < meow[0] and meow[1] < purr[1], 'the two overlap')
        frequency, _ = self.tones['purr.wav']
        alone = self.capture.tone_level(frequency, purr[0] + 0.1, meow[0] - 0.05)
        together = self.capture.tone_level(frequency, meow[0] + 0.02, meow[1] - 0.02)
        self.assertGreater(together, 0.8 * alone, 'the purr keeps its level under the meow')

    def test_the_mouths_drink_plays_its_two_sounds_together(self):
        self.start()
        for _ in range(12):  # the mouth plays drink or eat, one each in two
            self.wait_for_idle_pause(after=self.session.marks[-1][0])
            pressed = self.press(MOUTH)
            opens = self.wait_for(lambda o: any(t > pressed and n.startswith(('drink\\', 'eat\\'))
                                                for t, n in o))
            if next(n for t, n in opens if t > pressed).startswith('drink\\'):
                break
        else:
            self.fail('the mouth never played drink')
        pour = self.span('pour_milk.wav', after=pressed)
        drink = self.span('p_drink_milk.wav', after=pressed)
        self.assert_plays_whole('pour_milk.wav', pour)
        self.assert_plays_whole('p_drink_milk.wav', drink)
        self.assertTrue(1650 <= ms(pour[0] - pressed) <= 2100, f'heard {ms(pour[0] - pressed)} ms in')
        self.assertLessEqual(abs(ms(drink[0] - pour[0])), 15, 'they start together')

    def test_a_missing_or_broken_sound_leaves_the_action_as_it_was(self):
        # angry.wav is gone; p_meuu.wav claims four gigabytes of samples it does not hold.
        hostile = b'RIFF\xff\xff\xff\xffWAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00\x44\xac\x00\x00' \
                  b'\x10\xb1\x02\x00\x04\x00\x10\x00data\xff\xff\xff\xff' + b'\x00\x80' * 3
        self.start(remove=['sounds/angry.wav'], replace={'sounds/p_meuu.wav': hostile})
        for point, prefix, frames, sound in ((TAIL, 'angry-tail\\', 26, 'angry.wav'),
                                             (BELLY, 'stomach\\', 33, 'p_meuu.wav')):
            with self.subTest(sound):
                self.wait_for_idle_pause(after=self.session.marks[-1][0])
                pressed = self.press(point)
                opens = self.wait_for(lambda o: sum(t > pressed and n.startswith(prefix)
                                                    for t, n in o) >= frames)
                times = [t for t, n in opens if t > pressed and n.startswith(prefix)]
                self.assertEqual(len(times), frames)
                steps = [ms(b - a) for a, b in zip(times, times[1:])]
                self.assertTrue(all(30 <= s <= 200 for s in steps), f'frame steps {steps}')
                cue = [t for t, n in self.opens('sounds') if t > pressed and n == sound]
                self.assertEqual(len(cue), 1, f'{sound} looked for once')
                self.assertTrue(450 <= ms(cue[0] - pressed) <= 800)
                frequency, _ = self.tones['angry.wav']
                self.assertLess(self.capture.tone_level(frequency, pressed, times[-1]), 0.02)
        self.assertTrue(self.session.running())

    def test_escape_and_close_end_the_program_while_a_sound_plays(self):
        self.session.install(EXE, assets=ASSETS)
        for end in ('Escape', 'Close'):
            with self.subTest(end):
                self.session.start()
                self.window = self.session.find_window(exact_title(TITLE))
                self.wait_for_idle_pause(after=self.session.run.started)
                pressed = self.press(LEFT_CHEEK)
                purr = self.capture.tone_onset(self.tones['purr.wav'][0], after=pressed)
                self.assertIsNotNone(purr, 'the purr plays')
                if end == 'Escape':
                    self.session.key(self.window, 'Escape')
                    self.session.xdotool('keyup', 'Escape')
                else:
                    self.session.click(self.window, *CLOSE_BUTTON)
                ended = now()
                self.assertEqual(self.session.wait_exit(timeout=10), 0)
                self.assertLess(now() - ended, 5)
                # The purr was cut off with the program, long before its 4 s were up.
                self.capture.wait_until(ended + 1)
                self.assertLess(self.capture.tone_level(self.tones['purr.wav'][0],
                                                        ended + 0.5, ended + 1), 0.02)


if __name__ == '__main__':
    unittest.main()
