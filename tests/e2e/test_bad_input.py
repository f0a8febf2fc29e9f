"""Bad asset files, one row each, while the program runs: every frame or sound file that a user
could break (cut short, wrong format, huge, a folder, locked, missing) is skipped silently. In
each case the program keeps running, the action keeps its pace, later frames show, memory stays
bounded, no message appears, and Escape still ends it with 0.

The frame rows share one session: each replaces a different frame of action 14 (stomach, 33
frames), with good frames between them, so each row's effect stays separable. The sound rows
share another (three actions, each with its own bad sound); the missing folders have one each.
The bad files are made here, from the test assets, with ImageMagick and by editing bytes."""

import os
import struct
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from pawlet_harness import Session, exact_title, now, read_frame_code
from soak import memory_kb

EXE = os.environ.get('PAWLET_EXE')
ASSETS = os.environ.get('PAWLET_TEST_ASSETS')
HOLD_FILE = os.environ.get('PAWLET_HOLD_FILE')
TITLE = 'PawletPC版  https://pawlet.example.org/'
ANIMATIONS = 'C:\\Pawlet\\animations\\'
SOUNDS = 'C:\\Pawlet\\sounds\\'
BLINK0 = 'blink\\cat_blink0000.jpg'

# Presses in the box's client coordinates, one per action used here.
BELLY = (163, 362)     # action 14, stomach: 33 frames, sound p_meuu.wav at 500 ms
LEFT_EYE = (130, 154)  # action 12, pie: 22 frames, slap2.wav at 800 ms
NOSE = (163, 188)      # action 13, sneeze: 30 frames, p_sneeze.wav at 10 ms
PEAK_MEMORY_KB = 300 * 1024


def stomach_frame(position):
    """The file of action 14's frame at 1-based `position`: 00..08, then 10..33."""
    return 'stomach\\cat_stomach00%02d.jpg' % (position - 1 if position <= 9 else position)


def convert(source: bytes, *options: str, out_format='jpg') -> bytes:
    with tempfile.TemporaryDirectory() as d:
        src, dst = Path(d, 'in.jpg'), Path(d, 'out.' + out_format)
        src.write_bytes(source)
        subprocess.run(['convert', str(src), *options, str(dst)], check=True, timeout=60)
        return dst.read_bytes()


def huge_header(jpeg: bytes) -> bytes:
    """The picture's headers up to its first scan's header, claiming 16384 x 16384 pixels."""
    out = bytearray(jpeg)
    i = 2
    while out[i + 1] not in (0xC0, 0xC1, 0xC2):
        i += 2 + (out[i + 2] << 8 | out[i + 3])
    out[i + 5:i + 9] = struct.pack('>HH', 16384, 16384)
    sos = out.index(b'\xff\xda')
    return bytes(out[:sos + 2 + (out[sos + 2] << 8 | out[sos + 3])])


def lying_data_size(wav: bytes) -> bytes:
    out = bytearray(wav)
    at = out.index(b'data')
    out[at + 4:at + 8] = struct.pack('<I', 0x7FFFFFF0)
    return bytes(out)


def unsupported_format(wav: bytes) -> bytes:
    out = bytearray(wav)
    at = out.index(b'fmt ')
    out[at + 8:at + 10] = struct.pack('<H', 2)  # Microsoft ADPCM
    return bytes(out)


# Frame rows: (row, position in action 14, how the file is made from the good frame). None:
# the file is made after installing (a folder, a sparse file, a file held by another program).
FRAME_ROWS = [
    ('zero-byte frame', 3, lambda good: b''),
    ('truncated frame', 5, lambda good: good[:len(good) // 2]),
    ('PNG named .jpg', 7, lambda good: convert(good, out_format='png')),
    ('text named .jpg', 9, lambda good: b'This is not a picture.\r\n' * 40),
    ('progressive JPEG', 11, lambda good: convert(good, '-interlace', 'Plane')),
    ('CMYK JPEG', 13, lambda good: convert(good, '-colorspace', 'CMYK')),
    ('greyscale JPEG', 15, lambda good: convert(good, '-colorspace', 'Gray')),
    ('16384 x 16384 header, no data', 17, huge_header),
    ('smaller JPEG (160 x 240)', 19, lambda good: convert(good, '-resize', '160x240!')),
    ('larger JPEG (640 x 960)', 21, lambda good: convert(good, '-resize', '640x960!')),
    ('folder in place of the frame', 23, None),
    ('frame locked by another program', 25, None),
    ('frame opened without sharing by another program', 27, None),
    ('1 GiB file named .jpg', 29, None),
]


@unittest.skipUnless(EXE and os.path.exists(EXE) and ASSETS and os.path.isdir(ASSETS),
                     'PAWLET_EXE or the test assets are not built')
class BadInputTest(unittest.TestCase):
    def open_session(self, remove_dirs=(), replace=None):
        self.session = Session()
        self.session.__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.timed = self.session.wine.name == 'wine64'
        self.session.install(EXE, assets=ASSETS, replace=replace)
        for d in remove_dirs:
            subprocess.run(['rm', '-rf', str(self.session.program_dir / d)], check=True)
        return self.session.program_dir

    def start(self):
        self.session.start()
        self.window = self.session.find_window(exact_title(TITLE))

    def opens(self, under):
        return [(o.time, o.path[len(under):]) for o in self.session.file_opens(under=under)]

    def play(self, point, frames, sound=None, shots=False):
        """Presses `point` once the idle pause has begun, waits for the action's `frames` file
        opens and the next blink0000; checks the pace. Returns (press time, frame opens of the
        action, codes read from screenshots taken meanwhile)."""
        deadline = now() + 20
        while not any(n == 'blink\\cat_blink0002.jpg' for _, n in self.opens(ANIMATIONS)):
            self.assertLess(now(), deadline, 'the idle cycle never reached blink0002')
            time.sleep(0.05)
        pressed = self.session.click(self.window, point[0] + 1, point[1] + 1)
        codes = []
        deadline = now() + 30
        while True:
            after = [(t, n) for t, n in self.opens(ANIMATIONS) if t > pressed]
            if len(after) > frames and now() > after[frames][0] + 0.2:
                break
            self.assertLess(now(), deadline, f'the action stalled after {len(after)} frame opens')
            self.assertTrue(self.session.running(), 'the program ended')
            if shots:
                codes.append((now(), read_frame_code(self.session.screenshot(), self.window.x, self.window.y)))
            else:
                time.sleep(0.05)
        action, ending = after[:frames], after[frames]
        self.assertEqual(ending[1], BLINK0, 'the idle cycle follows the action')
        if self.timed:
            times = [t for t, _ in action] + [ending[0]]
            steps = [round((b - a) * 1000) for a, b in zip(times, times[1:-1])]
            self.assertTrue(all(30 <= s <= 250 for s in steps), f'frame steps {steps}')
            total = (times[-2] - times[0]) * 1000
            self.assertTrue((frames - 1) * 45 <= total <= (frames - 1) * 85, f'{frames} frames in {total:.0f} ms')
        if sound:
            self.assertIn(sound, [n for t, n in self.opens(SOUNDS) if t > pressed],
                          'the sound file was looked for')
        return pressed, action, codes

    def assert_nothing_reported_and_escape_ends_with_0(self):
        self.assertTrue(self.session.running())
        names = self.session.xdotool('search', '--onlyvisible', '--name', '.').split()
        others = [x for x in names if int(x) != self.window.xid and
                  self.session.xdotool('getwindowname', x).strip()]
        self.assertEqual(others, [], 'a window other than the pet showed')
        peak = memory_kb(self.session.run.proc.pid, 'VmHWM')
        self.assertTrue(0 < peak < PEAK_MEMORY_KB, f'peak resident memory {peak} kB')
        self.session.key(self.window, 'Escape')
        self.session.xdotool('keyup', 'Escape')
        self.assertEqual(self.session.wait_exit(timeout=15), 0)

    def hold(self, windows_path, mode):
        """Another program holding a file of the prefix, until the session ends."""
        proc = subprocess.Popen([self.session.wine.loader, HOLD_FILE, windows_path, mode, '120'],
                                env=self.session.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                stdin=subprocess.DEVNULL)
        self.addCleanup(proc.kill)
        self.assertEqual(proc.stdout.readline().strip(), b'held', f'could not {mode} {windows_path}')

    def test_bad_frame_files(self):
        frames_dir = Path(ASSETS, 'animations')
        replace = {}
        for row, position, make in FRAME_ROWS:
            if make:
                good = (frames_dir / stomach_frame(position).replace('\\', '/')).read_bytes()
                replace['animations/' + stomach_frame(position).replace('\\', '/')] = make(good)
        program_dir = self.open_session(replace=replace)
        by_name = {row: stomach_frame(position) for row, position, _ in FRAME_ROWS}
        path = lambda row: program_dir / 'animations' / by_name[row].replace('\\', '/')
        path('folder in place of the frame').unlink()
        path('folder in place of the frame').mkdir()
        with open(path('1 GiB file named .jpg'), 'r+b') as f:
            f.truncate(1 << 30)  # sparse: no disk space taken
        if HOLD_FILE:
            self.hold(ANIMATIONS + by_name['frame locked by another program'], 'lock')
            self.hold(ANIMATIONS + by_name['frame opened without sharing by another program'], 'deny')
        self.start()

        pressed, action, codes = self.play(BELLY, 33, shots=True)
        self.assertEqual([n for _, n in action], [stomach_frame(p) for p in range(1, 34)],
                         'every frame, bad or not, was read in its turn')
        opened_at = {n: t for t, n in action}
        seen = [(t, c) for t, c in codes if c is not None]
        good_seen = {c[1] for _, c in seen if isinstance(c, tuple) and c[0] == 14}
        self.assertGreaterEqual(len(good_seen), 4, f'good frames seen among the bad ones: {sorted(good_seen)}')
        for row, position, _ in FRAME_ROWS:
            with self.subTest(row=row):
                later = [c for t, c in seen if t > opened_at[by_name[row]] + 0.06 and
                         (isinstance(c, str) or (c[0] == 14 and c[1] > position))]
                self.assertTrue(later, f'no later frame showed after the {row}')
        # The idle cycle goes on and a second action plays as well.
        self.play(BELLY, 33)
        self.assert_nothing_reported_and_escape_ends_with_0()

    def test_bad_sound_files(self):
        sounds_dir = Path(ASSETS, 'sounds')
        program_dir = self.open_session(replace={
            'sounds/p_meuu.wav': lying_data_size((sounds_dir / 'p_meuu.wav').read_bytes()),
            'sounds/slap2.wav': unsupported_format((sounds_dir / 'slap2.wav').read_bytes()),
        })
        big = program_dir / 'sounds' / 'p_sneeze.wav'
        header = bytearray((sounds_dir / 'p_sneeze.wav').read_bytes()[:44])
        size = 200 << 20
        header[4:8] = struct.pack('<I', size - 8)
        header[40:44] = struct.pack('<I', size - 44)
        with open(big, 'wb') as f:
            f.write(header)
            f.truncate(size)
        self.start()
        for row, point, frames, sound in [('WAV with a lying data size', BELLY, 33, 'p_meuu.wav'),
                                          ('WAV in an unsupported format', LEFT_EYE, 22, 'slap2.wav'),
                                          ('200 MB WAV', NOSE, 30, 'p_sneeze.wav')]:
            with self.subTest(row=row):
                self.play(point, frames, sound=sound)
        self.assert_nothing_reported_and_escape_ends_with_0()

    def test_animations_folder_missing(self):
        self.open_session(remove_dirs=['animations'])
        self.start()
        self.play(BELLY, 33, sound='p_meuu.wav')
        self.assert_nothing_reported_and_escape_ends_with_0()

    def test_sounds_folder_missing(self):
        self.open_session(remove_dirs=['sounds'])
        self.start()
        _, _, codes = self.play(BELLY, 33, sound='p_meuu.wav', shots=True)
        self.assertTrue(any(isinstance(c, tuple) and c[0] == 14 for _, c in codes), 'the frames showed')
        self.assert_nothing_reported_and_escape_ends_with_0()
