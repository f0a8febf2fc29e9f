"""The skin engine as the program deploys and uses it: pawlet.exe under wine64."""

import os
import subprocess
import unittest
from pathlib import Path

from harness_base import now
from pawlet_harness import Screenshot
from test_window import CLOSE_BUTTON, PawletTestCase, TITLE_START
from wine_trace import window_trace

ENGINE = os.environ.get('PAWLET_SKIN_ENGINE')
ENGINE_WITHOUT_AERO = os.environ.get('PAWLET_SKIN_ENGINE_WITHOUT_AERO')
BOX_READER = os.environ.get('PAWLET_MESSAGE_BOX_READER')
REFERENCE = os.environ.get('PAWLET_SKIN_REFERENCE')
LIBRARY = 'SkinH_EL.dll'
HIDDEN = 0x2            # in Wine's user.DOSATTRIB
STRIP_TOP = 480         # the reference strips show the window from the label down
TITLE = TITLE_START + 'https://pawlet.example.org/'
LEFT, TOP, WIDTH, HEIGHT = CLOSE_BUTTON
# Where text is drawn, which the reference strips leave out (window coordinates): the
# caption in the middle of the button, and the label's lines.
CAPTION = (LEFT + WIDTH // 2 - 32, TOP + HEIGHT // 2 - 13, LEFT + WIDTH // 2 + 33, TOP + HEIGHT // 2 + 14)
LABEL_TEXT = (2, STRIP_TOP + 2, 163, STRIP_TOP + 64)


def dos_attributes(path: Path) -> int:
    """Wine keeps the hidden and system flags in an extended attribute, as text like '0x22'."""
    try:
        return int(os.getxattr(path, 'user.DOSATTRIB').split(b'\0')[0], 0)
    except OSError:
        return 0


def read_ppm(path) -> Screenshot:
    return Screenshot.from_ppm(Path(path).read_bytes())


@unittest.skipUnless(ENGINE and BOX_READER and REFERENCE, 'run through ctest (it sets the skin paths)')
class SkinEngineDeployment(PawletTestCase):
    trace = ('file', 'win')

    def library(self) -> Path:
        return self.session.program_dir / LIBRARY

    def test_first_start_writes_the_library_hidden_and_a_later_start_keeps_any_file(self):
        window = self.start()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()
        self.assertEqual(self.library().read_bytes(), Path(ENGINE).read_bytes())
        self.assertTrue(dos_attributes(self.library()) & HIDDEN, 'the library is not hidden')

        # Still a working library, but not the embedded one and not hidden: left as it is.
        different = Path(ENGINE).read_bytes() + b'ours, not the program\'s'
        self.library().unlink()
        self.library().write_bytes(different)
        window = self.start()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()
        self.assertEqual(self.library().read_bytes(), different)
        self.assertFalse(dos_attributes(self.library()) & HIDDEN)

    def test_folder_of_the_librarys_name_ends_start_up_with_the_error(self):
        self.session.install(os.environ['PAWLET_EXE'], assets=os.environ['PAWLET_TEST_ASSETS'])
        self.library().mkdir()
        text = self.fatal_error_text()
        self.assertIn(LIBRARY, text)
        self.assertIn('could not be loaded, so SkinH_AttachRes', text)
        self.assertTrue(self.library().is_dir() and not any(self.library().iterdir()))

    def test_library_without_set_aero_names_that_function(self):
        self.session.install(os.environ['PAWLET_EXE'], assets=os.environ['PAWLET_TEST_ASSETS'],
                             replace={LIBRARY: Path(ENGINE_WITHOUT_AERO).read_bytes()})
        text = self.fatal_error_text()
        self.assertIn(LIBRARY, text)
        self.assertIn('has no function SkinH_SetAero', text)
        self.assertNotIn('SkinH_AttachRes', text)

    def test_library_only_on_path_is_not_used(self):
        self.session.install(os.environ['PAWLET_EXE'], assets=os.environ['PAWLET_TEST_ASSETS'])
        libs = self.session.prefix / 'drive_c' / 'libs'
        libs.mkdir()
        (libs / LIBRARY).write_bytes(Path(ENGINE).read_bytes())
        self.session.env['WINEPATH'] = 'C:\\libs'
        # A folder nobody can write into, not even root: no library gets written beside the program.
        folder = self.session.program_dir
        subprocess.run(['chattr', '+i', str(folder)], check=True)
        self.addCleanup(subprocess.run, ['chattr', '-i', str(folder)], check=False)
        text = self.fatal_error_text()
        self.assertIn('SkinH_AttachRes', text)
        self.assertFalse(self.library().exists())

    def fatal_error_text(self) -> str:
        """Starts the program, expects the error box, presses OK; the program must end with -1
        and its window must never have shown."""
        pet = self.session.start()
        out = self.session.dir / 'message-box.txt'
        with open(out, 'wb') as f:
            reader = self.session.start(program=BOX_READER, stdout=f)
            self.assertEqual(reader.proc.wait(timeout=60), 0, 'no message box appeared')
        self.assertEqual(pet.proc.wait(timeout=30), 255, 'exit code -1')
        text = out.read_text(encoding='utf-8')
        self.assertIn('owner: none', text)
        created = window_trace(pet.traces(), TITLE)
        self.assertIsNotNone(created, 'the main window was not even made')
        self.assertIsNone(created.shown, 'the main window was shown')
        return text


@unittest.skipUnless(REFERENCE, 'run through ctest (it sets the skin paths)')
class SkinOnTheScreen(PawletTestCase):
    """The window's lower part on the screen is what skin 13 with the Aero look paints."""

    def assert_strip(self, window, *states, timeout=5):
        """The strip looks like one of `states` (a reference picture each) within `timeout`."""
        references = [read_ppm(Path(REFERENCE, state + '.ppm')) for state in states]
        deadline = now() + timeout
        while True:
            shot = self.session.screenshot()
            differences = [self.differences(shot, window, reference) for reference in references]
            if not all(differences):
                return
            if now() > deadline:
                wrong = min(differences, key=len)
                self.fail(f'{states}: {len(wrong)} pixels differ from the skin, first {wrong[:3]}')

    @staticmethod
    def differences(shot, window, reference):
        """(x, y, seen, painted) of each pixel off by more than 3, text areas left out."""
        wrong = []
        for y in range(STRIP_TOP, STRIP_TOP + reference.height):
            for x in range(reference.width):
                if (CAPTION[0] <= x < CAPTION[2] and CAPTION[1] <= y < CAPTION[3]) or \
                   (LABEL_TEXT[0] <= x < LABEL_TEXT[2] and LABEL_TEXT[1] <= y < LABEL_TEXT[3]):
                    continue
                seen, painted = shot.at(window, x, y), reference.pixel(x, y - STRIP_TOP)
                if max(abs(a - b) for a, b in zip(seen, painted)) > 3:
                    wrong.append((x, y, seen, painted))
        return wrong

    def test_button_normal_hot_and_pressed(self):
        window = self.start()
        self.session.move(window, 100, 200)
        self.assert_strip(window, 'normal')
        self.session.move(window, LEFT + 10, TOP + 10)
        self.assert_strip(window, 'hot')
        self.session.xdotool('mousedown', 1)
        # The press gives the button the focus; its ring shows unless the window hides focus cues.
        self.assert_strip(window, 'pressed', 'pressed-focused')
        # Let go outside the button: no click.
        self.session.move(window, 100, 200)
        self.session.xdotool('mouseup', 1)
        self.assert_still_running()
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()

    def test_button_focused_from_the_keyboard(self):
        window = self.start()
        self.session.move(window, 100, 200)
        self.session.key(window, 'Tab')
        self.assert_strip(window, 'focused')
        self.session.key(window, 'Escape')
        self.assert_ends_without_address()


if __name__ == '__main__':
    unittest.main()
