"""pawlet-check on the drawn cat and on packs broken on purpose. PAWLET_CHECK names the checker:
the native build's, or a Windows build's console program, which runs under its own Wine."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

CHECK = os.environ.get('PAWLET_CHECK')
GOOD_PACK = os.environ.get('PAWLET_GOOD_PACK')
WINE_TRACE = re.compile(r'^([0-9a-f]+:)+(trace|err|fixme|warn):')


def is_pe(path) -> bool:
    with open(path, 'rb') as f:
        return f.read(2) == b'MZ'


class Checker:
    """Runs the checker natively, or under Wine in one session for all of a class's runs."""

    def __init__(self, exe):
        self.exe = exe
        self.session = None
        self.runs = 0
        if is_pe(exe):
            from pawlet_harness import Session
            from wine_prefix import wine_for_program
            self.session = Session(trace=(), wine=wine_for_program(exe)).__enter__()

    def close(self):
        if self.session:
            self.session.close()

    def run(self, *args, folder=None) -> tuple[int, str, str]:
        if folder is not None:
            args = (*args, self.windows_path(folder) if self.session else str(folder))
        if not self.session:
            done = subprocess.run([self.exe, *args], capture_output=True, timeout=300)
            return done.returncode, done.stdout.decode('utf-8'), done.stderr.decode('utf-8', errors='replace')
        # Files of their own for every run: a Wine process left from the run before may still hold
        # the old ones and write into them at its old offset, past a hole of NULs.
        self.runs += 1
        out_path = self.session.dir / f'check{self.runs}.out'
        err_path = self.session.dir / f'check{self.runs}.err'
        with open(out_path, 'wb') as out, open(err_path, 'wb') as err:
            self.session.start(args, program=self.exe, stdout=out, stderr=err)
        code = self.session.wait_exit(timeout=300)
        # Wine's own trace lines share the program's stderr.
        err = ''.join(line for line in err_path.read_text(errors='replace').splitlines(keepends=True)
                      if not WINE_TRACE.match(line))
        return code, out_path.read_text(encoding='utf-8').replace('\r\n', '\n'), err

    @staticmethod
    def windows_path(path: Path) -> str:
        return 'Z:' + str(path).replace('/', '\\')


def problem_lines(output: str) -> list[str]:
    return [line for line in output.splitlines() if not line.startswith('pawlet-check: ')]


def summary(output: str) -> str:
    lines = output.splitlines()
    return lines[-1].split(': ', 2)[-1] if lines else ''


def write_jpeg(path: Path, size: str) -> None:
    subprocess.run(['convert', '-size', size, 'xc:#c08040', str(path)], check=True)


@unittest.skipUnless(CHECK and GOOD_PACK, 'set PAWLET_CHECK and PAWLET_GOOD_PACK (ctest does)')
class PawletCheckTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.checker = Checker(CHECK)
        cls.scratch = Path(tempfile.mkdtemp(prefix='pawlet-check-'))

    @classmethod
    def tearDownClass(cls):
        cls.checker.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def copy_of_good_pack(self, name) -> Path:
        pack = self.scratch / name
        for sub in ('animations', 'sounds'):
            shutil.copytree(Path(GOOD_PACK, sub), pack / sub)
        return pack

    def test_the_drawn_cat_has_no_problems(self):
        code, out, err = self.checker.run(folder=Path(GOOD_PACK))
        self.assertEqual((code, problem_lines(out), err), (0, [], ''), out)
        files = sum(1 for sub in ('animations', 'sounds') for p in Path(GOOD_PACK, sub).rglob('*')
                    if p.is_file())
        self.assertEqual(summary(out), f'{files} of {files} files found, no problems')

    def test_a_broken_pack_names_exactly_its_broken_files(self):
        pack = self.copy_of_good_pack('broken')
        a, s = pack / 'animations', pack / 'sounds'
        (a / 'pie/pie0003.jpg').unlink()
        (a / 'yawn/cat_zeh0030.jpg').write_bytes(b'this is not a picture')
        cut = (a / 'eat/cat_eat0010.jpg').read_bytes()[:100]
        (a / 'eat/cat_eat0010.jpg').write_bytes(cut)
        write_jpeg(a / 'blink/cat_blink0001.jpg', '100x100')
        write_jpeg(a / 'knockout/cat_knockout0080.jpg', '400x500')
        (s / 'purr.wav').write_text('RIFF? no.')
        (s / 'fart002.wav').unlink()
        # Numbered 00..N-1 as in many packs: 09 is never read, and the last one is then missing.
        shutil.copy(a / 'pie/pie0008.jpg', a / 'pie/pie0009.jpg')
        (s / 'notes.txt').write_text('extra')
        # Windows finds names whatever their case: not a problem.
        (a / 'talk/cat_talk0001.jpg').rename(a / 'talk/CAT_TALK0001.JPG')

        code, out, err = self.checker.run(folder=pack)
        self.assertEqual(code, 1, out + err)
        self.assertEqual(problem_lines(out), [
            'warning: animations/blink/cat_blink0001.jpg: is 100x100, frames are 320x480: drawn at the '
            'top left, the background shows beside it',
            'error: animations/eat/cat_eat0010.jpg: not a JPEG the pet can show (bad_header)',
            'warning: animations/knockout/cat_knockout0080.jpg: is 400x500, frames are 320x480: drawn at '
            'the top left, cut at the box\'s edge',
            'error: animations/pie/pie0003.jpg: missing: the box shows its background for that step',
            'error: animations/yawn/cat_zeh0030.jpg: not a JPEG the pet can show (bad_header)',
            'error: sounds/fart002.wav: missing: its cue plays nothing',
            'error: sounds/purr.wav: not a WAV the pet can play (too_short)',
            'warning: animations/pie/pie0009.jpg: not a file the pet reads',
            'warning: sounds/notes.txt: not a file the pet reads',
        ])
        self.assertRegex(summary(out), r'^(\d+) of \d+ files found, 5 errors, 4 warnings$')

        code, out, _ = self.checker.run('--json', folder=pack)
        self.assertEqual(code, 1)
        report = json.loads(out)
        self.assertEqual((report['errors'], report['warnings']), (5, 4))
        self.assertEqual(report['files_expected'] - report['files_found'], 2)
        self.assertEqual([(p['severity'], p['kind'], p['file']) for p in report['problems']][:3], [
            ('warning', 'wrong_size', 'animations/blink/cat_blink0001.jpg'),
            ('error', 'undecodable', 'animations/eat/cat_eat0010.jpg'),
            ('warning', 'wrong_size', 'animations/knockout/cat_knockout0080.jpg'),
        ])

    def test_a_missing_folder_is_one_problem(self):
        pack = self.scratch / 'no-sounds'
        shutil.copytree(Path(GOOD_PACK, 'animations'), pack / 'animations')
        code, out, _ = self.checker.run(folder=pack)
        self.assertEqual(code, 1)
        self.assertEqual(problem_lines(out), ['error: sounds/: missing folder: the pet plays no sound'])

    def test_warnings_alone_pass(self):
        pack = self.copy_of_good_pack('extra-only')
        (pack / 'animations' / 'Thumbs.db').write_bytes(b'\0' * 16)
        code, out, _ = self.checker.run(folder=pack)
        self.assertEqual(code, 0, out)
        self.assertEqual(problem_lines(out), ['warning: animations/Thumbs.db: not a file the pet reads'])

    def test_a_folder_named_outside_any_code_page(self):
        pack = self.copy_of_good_pack('猫の家 Кошка')
        code, out, _ = self.checker.run(folder=pack)
        self.assertEqual((code, problem_lines(out)), (0, []), out)
        self.assertIn('猫の家 Кошка: ', out.splitlines()[-1])

    def test_bad_arguments(self):
        for args in [(), ('--frobnicate', str(self.scratch)), (str(self.scratch / 'nowhere'),)]:
            with self.subTest(args=args):
                code, out, err = self.checker.run(*args)
                self.assertEqual(code, 2, out + err)
                self.assertIn('pawlet-check', err)


if __name__ == '__main__':
    unittest.main()
