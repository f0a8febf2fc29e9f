"""The harness's own reading: which Wine a program gets, and which processes of a session crashed."""

import tempfile
import unittest
from pathlib import Path

from wine_prefix import I686_WINE, X86_64_WINE, wine_for_program
from wine_trace import Crash, crashes_in


def pe_file(folder, name, machine, signature=b'PE\0\0'):
    """A file with just the headers that name a PE program's machine."""
    header = bytearray(512)
    header[:2] = b'MZ'
    header[0x3c:0x40] = (0x80).to_bytes(4, 'little')
    header[0x80:0x84] = signature
    header[0x84:0x86] = machine.to_bytes(2, 'little')
    path = Path(folder, name)
    path.write_bytes(bytes(header))
    return path


class WineForProgram(unittest.TestCase):
    def test_the_machine_field_picks_the_wine(self):
        with tempfile.TemporaryDirectory() as folder:
            self.assertIs(wine_for_program(pe_file(folder, 'a.exe', 0x14c)), I686_WINE)
            self.assertIs(wine_for_program(pe_file(folder, 'b.exe', 0x8664)), X86_64_WINE)

    def test_other_machines_and_other_files_are_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            cases = [pe_file(folder, 'arm64.exe', 0xaa64),
                     pe_file(folder, 'not_pe.exe', 0x14c, signature=b'NE\0\0')]
            Path(folder, 'text.exe').write_text('#!/bin/sh\n')
            cases.append(Path(folder, 'text.exe'))
            for path in cases:
                with self.subTest(path.name), self.assertRaises(ValueError):
                    wine_for_program(path)


class CrashesIn(unittest.TestCase):
    def test_each_crashed_process_once_by_its_program_then_the_emulators_ends(self):
        log = r'''
4474.257:0028:002c:trace:loaddll:build_module Loaded L"C:\\windows\\system32\\wineboot.exe" at 00400000: builtin
4475.274:0040:0044:trace:loaddll:build_module Loaded L"C:\\windows\\system32\\explorer.exe" at 00400000: builtin
4475.862:0020:0024:trace:loaddll:build_module Loaded L"C:\\Pawlet\\pawlet.exe" at 00400000: native
4475.900:0020:0024:trace:loaddll:build_module Loaded L"C:\\windows\\system32\\winemenubuilder.exe" at 10000000: builtin
qemu: uncaught target signal 11 (Segmentation fault) - core dumped
4475.615:0028:002c:err:wineboot:start_services_process Unexpected termination of services.exe - exit code 0
4476.115:0040:006c:err:seh:NtRaiseException Unhandled exception code c0000005 flags 0 addr 0x7bc5d1a0
4476.116:0040:006c:err:seh:NtRaiseException Unhandled exception code 80000003 flags 0 addr 0x7bc5637d
4476.120:0020:0024:err:seh:NtRaiseException Unhandled exception code c0000094 flags 0 addr 0x401000
0050:0054:err:seh:NtRaiseException Unhandled exception code c0000005 flags 0 addr 0x6bbd878c
4476.130:0020:0024:trace:seh:dispatch_exception code=c0000005 flags=0 addr=7BC5D1A0
'''.splitlines()
        self.assertEqual(crashes_in(log), [
            Crash('explorer.exe', 'Unhandled exception code c0000005'),
            Crash('pawlet.exe', 'Unhandled exception code c0000094'),
            Crash('process 0050', 'Unhandled exception code c0000005'),
            Crash('', 'the emulator ended a process on signal 11')])


if __name__ == '__main__':
    unittest.main()
