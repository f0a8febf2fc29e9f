#!/usr/bin/env python3
"""Static checks of the skin engine's library, SkinH_EL.dll: a DLL of the right flavour for its
processor, padded to exactly 88,576 bytes, exporting SkinH_AttachRes and SkinH_SetAero without
decoration, importing system DLLs only; on i686 both are stdcall (each returns with `ret n`
removing its own arguments: 24 and 4 bytes)."""

import re
import subprocess
import sys

from check_pe import EXPECTED, find_objdump, is_system_dll

SIZE = 88576
# Export name -> bytes of arguments the callee removes on i686.
STDCALL_ARGUMENT_BYTES = {'SkinH_AttachRes': 24, 'SkinH_SetAero': 4}
DLL_CHARACTERISTIC = 0x2000


def exports_in(dump):
    """{name: RVA} from `objdump -p`'s export address and name tables."""
    addresses = {int(i): int(rva, 16) for i, rva in
                 re.findall(r'^\s*\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-f]+) Export RVA', dump, re.M)}
    names = re.findall(r'^\s*\[\s*(\d+)\] (\S+)\s*$', dump.split('[Ordinal/Name Pointer] Table')[-1], re.M)
    return {name: addresses.get(int(i)) for i, name in names}


def first_return(objdump, dll, address):
    """The first `ret` of the code at `address`, as objdump writes it ('ret' or 'ret $0x18')."""
    run = subprocess.run([objdump, '-d', f'--start-address={address:#x}',
                          f'--stop-address={address + 512:#x}', dll],
                         capture_output=True, text=True, check=True)
    for line in run.stdout.splitlines():
        found = re.search(r'\tret\s*(\$0x[0-9a-f]+)?\s*$', line)
        if found:
            return found.group(1) or ''
    return None


def problems_in(dll, processor):
    problems = []
    data = open(dll, 'rb').read()
    if len(data) != SIZE:
        problems.append(f'{len(data)} bytes, expected {SIZE}')
    if data[:2] != b'MZ':
        problems.append('does not begin with "MZ"')
    objdump = find_objdump(processor)
    dump = subprocess.run([objdump, '-p', dll], capture_output=True, text=True, check=True).stdout
    fmt = EXPECTED[processor][0]
    found = re.search(r'file format (\S+)', dump)
    if not found or found.group(1) != fmt:
        problems.append(f'file format is {found.group(1) if found else "unknown"}, expected {fmt}')
    characteristics = re.search(r'^Characteristics\s+0x([0-9a-f]+)', dump, re.M)
    if not characteristics or not int(characteristics.group(1), 16) & DLL_CHARACTERISTIC:
        problems.append('not a DLL')

    dlls = re.findall(r'^\s*DLL Name:\s*(\S+)', dump, re.M)
    foreign = [d for d in dlls if not is_system_dll(d)]
    if foreign or not dlls:
        problems.append('imports DLLs that are not part of Windows: ' + ', '.join(foreign or ['(none read)']))

    exports = exports_in(dump)
    image_base = int(re.search(r'^ImageBase\s+([0-9a-f]+)', dump, re.M).group(1), 16)
    for name, argument_bytes in STDCALL_ARGUMENT_BYTES.items():
        if name not in exports or exports[name] is None:
            problems.append(f'no export named exactly {name} (exports: {", ".join(exports) or "none"})')
            continue
        if processor == 'x86':
            ret = first_return(objdump, dll, image_base + exports[name])
            if ret != f'${argument_bytes:#x}':
                problems.append(f'{name} returns with "ret {ret}", expected "ret ${argument_bytes:#x}" (stdcall)')
    decorated = [e for e in exports if '@' in e or e.startswith('_')]
    if decorated:
        problems.append('decorated export names: ' + ', '.join(decorated))
    return problems


def main(argv):
    if len(argv) != 3 or argv[2] not in EXPECTED:
        sys.exit(f'usage: {argv[0]} <SkinH_EL.dll> <{"|".join(EXPECTED)}>')
    problems = problems_in(argv[1], argv[2])
    if problems:
        print(f'FAIL {argv[1]} ({argv[2]}):')
        for p in problems:
            print(f'  - {p}')
        return 1
    print(f'OK {argv[1]}: {SIZE} bytes, exports undecorated, system imports only')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
