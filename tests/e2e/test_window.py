"""The main window comes up, shows the cat, and ends the ways it should: pawlet.exe under wine64."""

import os
import re
import subprocess
import time
import unittest
from pathlib import Path

from pawlet_harness import Session, exact_title, now, read_frame_code, Screenshot

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
# The art that the program embeds, drawn by the native build beside the test assets.
ART = os.environ.get('PAWLET_ART_DIR') or (ASSETS and str(Path(ASSETS).parent / 'art'))


# The title is the program's name, "PC版", two blanks and the maker's web address, which the
# Close button opens; the tests take the address from the running window's title.
TITLE_START = 'PawletPC版  '
SCREEN = (1024, 768)
WINDOW_SIZE = (317, 547)
CLOSE_BUTTON = (169, 488, 144, 55)   # left, top, width, height in the window
FIRST_BLINK = 'animations/blink/cat_blink0000.jpg'
QUIET = 1.5   # seconds in which a key that should do nothing must show no effect
BOX_VISIBLE = (316, 478)   # the part of a 320 x 480 picture that the 317-wide window shows


def decode_jpeg(path) -> Screenshot:
    data = subprocess.run(['convert', str(path), '-depth', '8', 'ppm:-'], check=True,
                          capture_output=True).stdout
    return Screenshot.from_ppm(data)


@unittest.skipUnless(EXE and ASSETS, 'set PAWLET_EXE and PAWLET_TEST_ASSETS (ctest does)')
class PawletTestCase(unittest.TestCase):
    trace = ('file',)

    def setUp(self):
        self.assertTrue(Path(ASSETS, 'manifest.txt').exists(), f'no test assets in {ASSETS}')
        self.session = Session(screen=SCREEN, trace=self.trace)
        self.session.__enter__()
        self.addCleanup(self.session.close)

    def start(self, **install):
        """Starts pawlet.exe (installed with the test assets on first use); returns its window
        and notes the maker's address from its title."""
        if install or self.session.exe is None:
            self.session.install(EXE, assets=ASSETS, **install)
        self.session.start()
        window = self.session.find_window('^' + TITLE_START)
        title = self.session.window_name(window)
        self.assertTrue(title.startswith(TITLE_START), title)
        self.address = title[len(TITLE_START):]
        self.assertRegex(self.address, r'^https?://[^ ]+$')
        return window

    def wait_for_frame(self, window, wanted, timeout=10) -> Screenshot:
        """Screenshots until the box shows the test picture `wanted`; returns that screenshot."""
        seen = []
        deadline = now() + timeout
        while now() < deadline:
            shot = self.session.screenshot()
            seen.append(read_frame_code(shot, window.x, window.y))
            if seen[-1] == wanted:
                return shot
        self.fail(f'{wanted} never showed within {timeout} s; saw {seen}')

    def assert_ends_without_address(self, code=0):
        self.assertEqual(self.session.wait_exit(timeout=20), code)
        self.assertEqual(self.session.browser_log(wait=QUIET), [])

    def assert_box_shows(self, shot, window, picture, tolerance=8):
        """The animation box (client area from window (1, 1)) shows `picture` at its origin."""
        worst = (0, None)
        for y in range(0, BOX_VISIBLE[1], 9):
            for x in range(0, BOX_VISIBLE[0], 9):
                seen, drawn = shot.at(window, 1 + x, 1 + y), picture.pixel(x, y)
                diff = max(abs(a - b) for a, b in zip(seen, drawn))
                if diff > worst[0]:
                    worst = (diff, (x, y, seen, drawn))
        self.assertLessEqual(worst[0], tolerance, f'box pixel x, y, seen, expected: {worst[1]}')

    def assert_still_running(self):
        time.sleep(QUIET)
        self.assertTrue(self.session.running(), 'the program ended')
        self.assertEqual(self.session.browser_log(), [])


class WindowComesUp(PawletTestCase):
    trace = ('file', 'win')

    def test_window_is_317_by_547_centred_and_shows_the_first_blink(self):
        window = self.start()
        self.assertEqual((window.width, window.height), WINDOW_SIZE)
        self.assertEqual((window.x, window.y), ((SCREEN[0] - 320) // 2, (SCREEN[1] - 547) // 2))
        shot = self.wait_for_frame(window, 'blink0')
        self.assert_box_shows(shot, window, decode_jpeg(Path(ASSETS, FIRST_BLINK)))

        created = self.session.window_trace(TITLE_START + self.address)
        self.assertIsNotNone(created, 'no CreateWindowEx with the title in the trace')
        self.assertIsNotNone(created.shown, 'the window was never shown')
        self.assertEqual(self.size_when_shown(created), WINDOW_SIZE)
        assets = [o for o in self.session.file_opens(under='C:\\Pawlet\\')
                  if o.path.lower().startswith(('c:\\pawlet\\animations\\', 'c:\\pawlet\\sounds\\'))]
        self.assertTrue(assets, 'no asset file was read')
        first = assets[0]
        self.assertEqual(first.path, 'C:\\Pawlet\\animations\\blink\\cat_blink0000.jpg')
        self.assertGreater(first.seq, created.shown.seq,
                           'the first blink picture was read before the window was shown')
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def size_when_shown(self, created):
        """The size from creation or the last SetWindowPos that sized it before it was shown."""
        m = re.search(r' (\d+)x(\d+) ', created.created.text)
        size = (int(m[1]), int(m[2]))
        for t in self.session.traces('win', 'NtUserSetWindowPos'):
            m = re.match(r'hwnd (0x[0-9a-f]+), after \S+, -?\d+,-?\d+ \((\d+)x(\d+)\), '
                         r'flags ([0-9a-f]+)', t.text)
            no_size = m and int(m[4], 16) & 0x1  # SWP_NOSIZE
            if m and int(m[1], 16) == created.hwnd and t.seq < created.shown.seq and not no_size:
                size = (int(m[2]), int(m[3]))
        return size

    def test_missing_first_blink_leaves_the_background_until_the_next_picture(self):
        background = decode_jpeg(Path(ART, 'background.jpg'))
        window = self.start(remove=[FIRST_BLINK])
        blink = 'C:\\Pawlet\\animations\\blink\\cat_blink000'
        shots = []
        while not self.session.file_opens(under=blink + '1'):
            shots.append((now(), self.session.screenshot()))
            self.assertLess(shots[-1][0], shots[0][0] + 10, 'blink0001 was never read')
        missing = self.session.file_opens(under=blink + '0')
        self.assertTrue(missing, 'the missing first blink picture was not even looked for')
        second = self.session.file_opens(under=blink + '1')[0]
        # A screenshot grabs the screen a little after it starts: keep clear of the next picture.
        during = [shot for t, shot in shots if missing[0].time <= t < second.time - 0.3]
        if not during:
            self.skipTest('no screenshot fell between the two reads on this busy machine')
        for shot in during:
            self.assert_box_shows(shot, window, background)
        self.wait_for_frame(window, 'blink2')  # the idle cycle goes on
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def test_program_at_the_drive_root_reads_c_animations(self):
        window = self.start(folder='')
        self.wait_for_frame(window, 'blink0')
        opened = [o.path for o in self.session.file_opens(under='C:\\animations\\')]
        self.assertIn('C:\\animations\\blink\\cat_blink0000.jpg', opened)
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()


class WindowEnds(PawletTestCase):
    def test_escape_ends_with_0_and_opens_no_address(self):
        window = self.start()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def test_shift_escape_does_nothing(self):
        window = self.start()
        self.session.key(window, 'shift+Escape')
        self.assert_still_running()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def test_system_close_command_ends_with_0_and_opens_no_address(self):
        window = self.start()
        self.session.close_command(window)
        self.assert_ends_without_address()

    def test_close_button_opens_the_address_and_ends_with_0(self):
        left, top, width, height = CLOSE_BUTTON
        points = [(left + width // 2, top + height // 2), (left + 1, top + 1),
                  (left + width - 2, top + height - 2)]
        for x, y in points:
            with self.subTest(point=(x, y)):
                self.session.forget_browser_log()
                window = self.start()
                self.session.click(window, x, y)
                self.assertEqual(self.session.wait_exit(timeout=20), 0)
                self.assertEqual(self.session.browser_log(wait=10), [self.address])

    def test_click_beside_the_close_button_does_nothing(self):
        left, top, width, height = CLOSE_BUTTON
        window = self.start()
        self.session.click(window, left - 3, top + height // 2)
        self.assert_still_running()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()


class Keyboard(PawletTestCase):
    """Focus starts on the animation box; Tab moves it to the Close button and back."""

    def test_space_and_enter_on_the_box_do_nothing(self):
        window = self.start()
        self.session.key(window, 'space', 'Return')
        self.assert_still_running()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def test_tab_then_space_clicks_close(self):
        window = self.start()
        self.session.key(window, 'Tab', 'space')
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.browser_log(wait=10), [self.address])

    def test_enter_on_the_focused_close_button_does_nothing(self):
        window = self.start()
        self.session.key(window, 'Tab', 'Return')
        self.assert_still_running()
        self.session.key(window, 'space')
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.browser_log(wait=10), [self.address])

    def test_tab_twice_and_shift_tab_come_back_to_the_box(self):
        for keys in (['Tab', 'Tab'], ['Tab', 'shift+Tab'], ['shift+Tab', 'shift+Tab']):
            with self.subTest(keys=keys):
                window = self.start()
                self.session.key(window, *keys, 'space')
                self.assert_still_running()
                self.session.key(window, 'Escape')
                self.assert_ends_without_address()


class AssetPictures(unittest.TestCase):
    """The harness reads back the code that make_test_assets draws, after JPEG coding."""

    @unittest.skipUnless(ASSETS, 'set PAWLET_TEST_ASSETS')
    def test_codes_read_back(self):
        cases = [('blink/cat_blink0000.jpg', 'blink0'), ('blink/cat_blink0002.jpg', 'blink2'),
                 ('scratch/cat_scratch0001.jpg', (1, 1)), ('scratch/cat_scratch0056.jpg', (1, 56)),
                 ('angry-tail/cat_angry0000.jpg', (2, 1)), ('angry-tail/cat_angry0008.jpg', (2, 9)),
                 ('angry-tail/cat_angry0010.jpg', (2, 10)), ('drink/cat_drink0081.jpg', (4, 81)),
                 ('pie/pie0022.jpg', (12, 22)), ('yawn/cat_zeh0030.jpg', (17, 30))]
        for rel, expected in cases:
            with self.subTest(rel):
                picture = decode_jpeg(Path(ASSETS, 'animations', rel))
                # The picture's pixel (0, 0) sits at window (1, 1): pass the window at (-1, -1).
                self.assertEqual(read_frame_code(picture, -1, -1), expected)

    def test_a_plain_picture_has_no_code(self):
        grey = Screenshot(320, 480, bytes([128, 128, 128]) * 320 * 480)
        self.assertIsNone(read_frame_code(grey, -1, -1))


if __name__ == '__main__':
    unittest.main()
