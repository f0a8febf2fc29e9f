"""The release zip: its name and version, its contents, and a run from the folder it unpacks to.
ReleaseZipContents reads it (label package); ReleaseZipRunsTwin puts the x86_64 twin beside the
product and runs it under wine64 (label e2e); ReleaseZipRunsProduct runs the product itself
under 32-bit Wine (label product)."""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

ZIP = os.environ.get('PAWLET_RELEASE_ZIP')
VERSION = os.environ.get('PAWLET_VERSION')
PRODUCT = os.environ.get('PAWLET_PRODUCT')
TWIN = os.environ.get('PAWLET_TWIN')
NATIVE_CHECK = os.environ.get('PAWLET_NATIVE_CHECK')
TOP_LEVEL = {'pawlet.exe', 'pawlet-check.exe', 'README.txt', 'LICENSE.txt', 'animations', 'sounds'}
I386, AMD64 = 0x14c, 0x8664


def pe_machine(data: bytes) -> int:
    pe = int.from_bytes(data[0x3c:0x40], 'little')
    assert data[:2] == b'MZ' and data[pe:pe + 4] == b'PE\0\0'
    return int.from_bytes(data[pe + 4:pe + 6], 'little')


def fixed_file_version(data: bytes) -> str:
    """FILEVERSION of the version block: VS_FIXEDFILEINFO follows its signature."""
    at = data.index((0xFEEF04BD).to_bytes(4, 'little'))
    ms = int.from_bytes(data[at + 8:at + 12], 'little')
    ls = int.from_bytes(data[at + 12:at + 16], 'little')
    return f'{ms >> 16}.{ms & 0xffff}.{ls >> 16}.{ls & 0xffff}'


def unpack(into: Path) -> Path:
    """Unpacks the zip as a user would; returns the one folder it holds."""
    with zipfile.ZipFile(ZIP) as z:
        z.extractall(into)
    (folder,) = into.iterdir()
    return folder


@unittest.skipUnless(ZIP and VERSION and PRODUCT, 'set PAWLET_RELEASE_ZIP, PAWLET_VERSION, PAWLET_PRODUCT')
class ReleaseZipContents(unittest.TestCase):
    def setUp(self):
        self.scratch = Path(tempfile.mkdtemp(prefix='pawlet-zip-'))
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)

    def test_name_and_version_block_follow_the_one_version(self):
        self.assertEqual(Path(ZIP).name, f'pawlet-{VERSION}-win32.zip')
        folder = unpack(self.scratch)
        self.assertEqual(folder.name, f'pawlet-{VERSION}-win32')
        exe = (folder / 'pawlet.exe').read_bytes()
        self.assertEqual(fixed_file_version(exe), VERSION + '.0')
        self.assertIn(f'{VERSION}.0'.encode('utf-16-le'), exe)  # FileVersion, ProductVersion
        self.assertIn(f'Pawlet {VERSION}', (folder / 'README.txt').read_text())

    def test_holds_the_product_the_cat_and_the_texts(self):
        folder = unpack(self.scratch)
        self.assertEqual({p.name for p in folder.iterdir()}, TOP_LEVEL)
        exe = (folder / 'pawlet.exe').read_bytes()
        self.assertEqual(exe, Path(PRODUCT).read_bytes())
        self.assertEqual(pe_machine(exe), I386)
        self.assertEqual(pe_machine((folder / 'pawlet-check.exe').read_bytes()), I386)
        for text in ('README.txt', 'LICENSE.txt'):
            data = (folder / text).read_bytes()
            self.assertEqual(data.count(b'\n'), data.count(b'\r\n'), f'{text}: Windows line ends')
        readme = (folder / 'README.txt').read_text()
        for needed in ('pawlet.exe', 'SkinH_EL.dll', 'animations', 'sounds', 'pawlet-check.exe'):
            self.assertIn(needed, readme)
        licence = (folder / 'LICENSE.txt').read_text()
        self.assertIn('MIT License', licence)
        self.assertIn('The Pawlet developers', licence)

    @unittest.skipUnless(NATIVE_CHECK, 'set PAWLET_NATIVE_CHECK')
    def test_its_cat_is_a_complete_pack(self):
        folder = unpack(self.scratch)
        done = subprocess.run([NATIVE_CHECK, str(folder)], capture_output=True, text=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertTrue(done.stdout.rstrip().endswith('no problems'), done.stdout)


class RunFromTheUnpackedFolder:
    """Unpacks the zip into a fresh folder of a Wine session and runs `program` from there until
    the cat's first blink (blink0001 read), then ends it with Escape."""
    program = None   # the program to run: the product or its twin
    name = None      # its file name in the unpacked folder

    def test_runs_to_the_first_blink(self):
        from pawlet_harness import Session
        from wine_prefix import wine_for_program
        with Session(wine=wine_for_program(self.program)) as session:
            folder = unpack(session.prefix / 'drive_c' / 'Downloads')
            if self.name != 'pawlet.exe':
                shutil.copy2(self.program, folder / self.name)
            session.exe = f'C:\\Downloads\\{folder.name}\\{self.name}'
            session.start()
            window = session.find_window('^PawletPC版  ', timeout=60)
            under = f'C:\\Downloads\\{folder.name}\\animations\\'
            deadline = time.monotonic() + 60
            read = []
            while time.monotonic() < deadline:
                read = [o.path[len(under):] for o in session.file_opens(under=under)]
                if 'blink\\cat_blink0001.jpg' in read:
                    break
                time.sleep(0.2)
            self.assertIn('blink\\cat_blink0001.jpg', read)
            self.assertEqual(read[0], 'blink\\cat_blink0000.jpg')
            self.assertTrue((folder / 'SkinH_EL.dll').is_file(), 'the skin engine is written beside it')
            session.key(window, 'Escape')
            self.assertEqual(session.wait_exit(30), 0)


@unittest.skipUnless(ZIP and TWIN, 'set PAWLET_RELEASE_ZIP and PAWLET_TWIN')
class ReleaseZipRunsTwin(RunFromTheUnpackedFolder, unittest.TestCase):
    program = TWIN
    name = 'pawlet-x86_64.exe'


@unittest.skipUnless(ZIP and PRODUCT, 'set PAWLET_RELEASE_ZIP and PAWLET_PRODUCT')
class ReleaseZipRunsProduct(RunFromTheUnpackedFolder, unittest.TestCase):
    program = PRODUCT
    name = 'pawlet.exe'


if __name__ == '__main__':
    unittest.main()
