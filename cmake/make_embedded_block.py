#!/usr/bin/env python3
"""make_embedded_block.py IN OUT: writes IN as an embedded block, the way the program carries
its skins and its skin engine: a 32-bit little-endian 1, the 32-bit little-endian length, the
bytes."""
import struct
import sys

data = open(sys.argv[1], 'rb').read()
with open(sys.argv[2], 'wb') as out:
    out.write(struct.pack('<II', 1, len(data)) + data)
