#!/usr/bin/env python3
"""Static checks of a built pawlet.exe: right PE flavour for its processor, a GUI program, and
imports from Windows system DLLs only (a MinGW runtime or libjpeg DLL would not be there on a
user's machine)."""

import re
import shutil
import subprocess
import sys

# CMAKE_SYSTEM_PROCESSOR -> (objdump file format, optional header magic, objdump of that triplet)
EXPECTED = {
    "x86": ("pei-i386", "010b", "i686-w64-mingw32-objdump"),
    "AMD64": ("pei-x86-64", "020b", "x86_64-w64-mingw32-objdump"),
}
WINDOWS_GUI = 2

SYSTEM_DLLS = {
    "kernel32", "user32", "gdi32", "shell32", "winmm", "advapi32", "msvcrt", "ucrtbase",
    "comctl32", "comdlg32", "ole32", "oleaut32", "shlwapi", "uxtheme", "dwmapi", "imm32",
    "msimg32", "version", "ntdll", "ws2_32", "bcrypt", "crypt32", "rpcrt4", "secur32",
    "userenv", "dbghelp", "gdiplus", "setupapi", "winspool",
}
SYSTEM_PREFIXES = ("api-ms-win-",)


def is_system_dll(name):
    stem = name.lower().removesuffix(".dll").removesuffix(".drv")
    return stem in SYSTEM_DLLS or stem.startswith(SYSTEM_PREFIXES)


def find_objdump(processor):
    for tool in (EXPECTED[processor][2], "x86_64-w64-mingw32-objdump"):
        path = shutil.which(tool)
        if path:
            return path
    sys.exit("check_pe: no MinGW objdump found (install binutils-mingw-w64 with scripts/install-packages.sh)")


def problems_in(dump, processor):
    """Everything wrong with the program described by `objdump -p` output, as readable lines."""
    fmt, magic, _ = EXPECTED[processor]
    problems = []

    found = re.search(r"file format (\S+)", dump)
    if not found or found.group(1) != fmt:
        problems.append(f"file format is {found.group(1) if found else 'unknown'}, expected {fmt}")

    found = re.search(r"^Magic\s+([0-9a-fA-F]+)", dump, re.M)
    if not found or found.group(1).lower() != magic:
        problems.append(f"optional header magic is {found.group(1) if found else 'missing'}, expected {magic}")

    found = re.search(r"^Subsystem\s+([0-9a-fA-F]+)\s*(\(.*\))?", dump, re.M)
    if not found:
        problems.append("no Subsystem field found")
    elif int(found.group(1), 16) != WINDOWS_GUI:
        problems.append(f"subsystem is {int(found.group(1), 16)} {found.group(2) or ''}, expected 2 (Windows GUI)")

    dlls = re.findall(r"^\s*DLL Name:\s*(\S+)", dump, re.M)
    if not any(d.lower() == "kernel32.dll" for d in dlls):
        problems.append(f"import table not read or without KERNEL32.dll (found: {', '.join(dlls) or 'nothing'})")
    foreign = [d for d in dlls if not is_system_dll(d)]
    if foreign:
        problems.append("imports DLLs that are not part of Windows: " + ", ".join(foreign) +
                        " (link the runtime and libjpeg statically)")
    return problems, dlls


def main(argv):
    if len(argv) != 3 or argv[2] not in EXPECTED:
        sys.exit(f"usage: {argv[0]} <exe> <{'|'.join(EXPECTED)}>")
    exe, processor = argv[1], argv[2]
    run = subprocess.run([find_objdump(processor), "-p", exe], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"check_pe: objdump could not read {exe}: {run.stderr.strip()}")
    problems, dlls = problems_in(run.stdout, processor)
    if problems:
        print(f"FAIL {exe} ({processor}):")
        for p in problems:
            print(f"  - {p}")
        return 1
    print(f"OK {exe}: {EXPECTED[processor][0]}, Windows GUI, imports {', '.join(dlls)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
