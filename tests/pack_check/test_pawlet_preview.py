"""pawlet-preview on the drawn cat and on a pack with a frame missing: every file is written, and
the GIFs keep the pet's pace (ImageMagick reads their delays, in hundredths of a second)."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

PREVIEW = os.environ.get('PAWLET_PREVIEW')
GOOD_PACK = os.environ.get('PAWLET_GOOD_PACK')
NAMES = ['blink', 'scratch', 'angry-tail', 'cymbal', 'drink', 'eat', 'fart', 'foot-left', 'foot-right', 'happy',
         'knockout', 'listen', 'pie', 'sneeze', 'stomach', 'happy-simple', 'talk', 'yawn']


def delays(gif: Path) -> list[int]:
    out = subprocess.run(['identify', '-format', '%T ', str(gif)], check=True, capture_output=True, text=True)
    return [int(d) for d in out.stdout.split()]


@unittest.skipUnless(PREVIEW and GOOD_PACK, 'set PAWLET_PREVIEW and PAWLET_GOOD_PACK (ctest does)')
class PawletPreviewTest(unittest.TestCase):
    def setUp(self):
        self.scratch = Path(tempfile.mkdtemp(prefix='pawlet-preview-'))
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)

    def preview(self, pack, *options) -> Path:
        out = self.scratch / 'out'
        done = subprocess.run([PREVIEW, *options, str(pack), str(out)], capture_output=True, text=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr)
        return out

    def test_every_picture_at_the_pets_pace(self):
        out = self.preview(GOOD_PACK, '--scale', '0.25')
        written = {p.name for p in out.iterdir()}
        self.assertEqual(written, {f'{n}.{kind}' for n in NAMES for kind in ('png', 'gif')} |
                         {'all-actions.png', 'regions.png'})
        self.assertEqual(delays(out / 'blink.gif'), [50, 10, 200])
        # 22 frames at 50 ms, the last never seen, then the blink picture for 500 ms (frames that
        # look alike are merged, so the total tells).
        pie = delays(out / 'pie.gif')
        self.assertEqual(sum(pie), 21 * 5 + 50)
        self.assertEqual(pie[-1], 50)
        # A picture replaced before the next wait never reaches the screen, so no frame lasts 0 ms
        # (browsers would show such a frame for 100 ms).
        for name in NAMES:
            self.assertNotIn(0, delays(out / f'{name}.gif'), name)
        size = subprocess.run(['identify', '-format', '%W %H\n', str(out / 'pie.gif')], check=True,
                              capture_output=True, text=True).stdout.split('\n')[0]
        self.assertEqual(size, '79 120')  # the 316 x 478 the window shows, scaled

    def test_a_missing_frame_keeps_the_pace(self):
        pack = self.scratch / 'pack'
        shutil.copytree(Path(GOOD_PACK, 'animations'), pack / 'animations')
        (pack / 'animations/pie/pie0010.jpg').unlink()
        out = self.preview(pack, '--scale', '0.25')
        self.assertEqual(sum(delays(out / 'pie.gif')), 21 * 5 + 50)

    def test_bad_arguments(self):
        for args in [[], ['--scale', 'big', GOOD_PACK, str(self.scratch)], [str(self.scratch / 'nowhere'), 'x']]:
            with self.subTest(args=args):
                done = subprocess.run([PREVIEW, *args], capture_output=True, text=True, timeout=60)
                self.assertEqual(done.returncode, 2, done.stderr)


if __name__ == '__main__':
    unittest.main()
